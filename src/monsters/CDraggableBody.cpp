#include "monsters/CDraggableBody.h"

#include <box2d/b2_body.h>

#include "monsters/CCamera.h"
#include "monsters/CEditorWorld.h"
#include "monsters/CMonsterBodyPart.h"
#include "monsters/CPin.h"

namespace monsters {

CDraggableBody::CDraggableBody(CPin& pin) : myWorld(pin.GetWorld()), myPin(pin) {
    myPin.Unpin();
}

void CDraggableBody::GetScreenPosition(int& x, int& y) const {
    x = y = 0;
    const b2Body* body = myWorld.GetBody(myPin.GetPart());
    if (!body) return;
    CCamera::GetSingleton()->WorldToScreen(body->GetPosition().x, body->GetPosition().y, x, y);
}

void CDraggableBody::DragTo(int x, int y) {
    const b2Body* body = myWorld.GetBody(myPin.GetPart());
    CMonster* monster = myPin.GetPart().GetMonster();
    if (!body || !monster) return;
    b2Vec2 target;
    CCamera::GetSingleton()->ScreenToWorld(float(x), float(y), target.x, target.y);
    myWorld.MoveMonster(*monster, target - body->GetPosition());
}

void CDraggableBody::Release() {
    myPin.Pin();
}

}  // namespace monsters
