#include "monsters/CDraggingAnObject.h"

#include <box2d/b2_body.h>
#include <box2d/b2_mouse_joint.h>

#include "monsters/CCamera.h"
#include "monsters/CEditorWorld.h"

namespace monsters {

CDraggingAnObject::CDraggingAnObject(CEditorWorld& world, b2Body* body, const b2Vec2& point)
    : myWorld(world), myBody(body), myJoint(world.CreateMouseJoint(body, point)) {
    if (myBody) myBody->SetAwake(true);
}

CDraggingAnObject::~CDraggingAnObject() {
    Release();
}

void CDraggingAnObject::GetScreenPosition(int& x, int& y) const {
    x = y = 0;
    if (!myJoint) return;
    const b2Vec2& target = myJoint->GetTarget();
    CCamera::GetSingleton()->WorldToScreen(target.x, target.y, x, y);
}

void CDraggingAnObject::DragTo(int x, int y) {
    if (!myJoint) return;
    b2Vec2 target;
    CCamera::GetSingleton()->ScreenToWorld(float(x), float(y), target.x, target.y);
    myJoint->SetTarget(target);
}

void CDraggingAnObject::Release() {
    if (!myJoint) return;
    myWorld.DestroyMouseJoint(myJoint);
    myJoint = nullptr;
}

}  // namespace monsters
