#pragma once

#include <box2d/b2_math.h>

#include "monsters/IDraggableInterface.h"

class b2MouseJoint;

namespace monsters {

class CEditorWorld;

// A loose part of the editor pulled by a mouse joint from the grabbed point
// towards the pointer. Its pin (if any) stays, so the part swings around it.
// The world must outlive the drag.
class CDraggingAnObject : public IDraggableInterface {
public:
    // Grabs body at the world point; the body is kept awake.
    CDraggingAnObject(CEditorWorld& world, b2Body* body, const b2Vec2& point);
    // Destroys the mouse joint if Release did not.
    ~CDraggingAnObject() override;
    CDraggingAnObject(const CDraggingAnObject&) = delete;
    CDraggingAnObject& operator=(const CDraggingAnObject&) = delete;

    b2Body* GetBody() const override { return myBody; }
    // The mouse joint's target on the screen.
    void GetScreenPosition(int& x, int& y) const override;
    void DragTo(int x, int y) override;
    void Release() override;

    b2MouseJoint* GetMouseJoint() const { return myJoint; }

private:
    CEditorWorld& myWorld;
    b2Body* myBody;
    b2MouseJoint* myJoint;
};

}  // namespace monsters
