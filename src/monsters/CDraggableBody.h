#pragma once

#include "monsters/IDraggableInterface.h"

namespace monsters {

class CEditorWorld;
class CPin;

// A pinned part carried by its pin: while dragged the pin holds nothing, and
// the whole monster of the part moves so that the pinned body follows the
// pointer. The release pins the part again where it now is. The world (which
// owns the pin) must outlive the drag.
class CDraggableBody : public IDraggableInterface {
public:
    // Takes the pin's joint away at once.
    explicit CDraggableBody(CPin& pin);
    ~CDraggableBody() override = default;
    CDraggableBody(const CDraggableBody&) = delete;
    CDraggableBody& operator=(const CDraggableBody&) = delete;

    // Nothing goes to sleep after a pin drag: the part hangs still anyway.
    b2Body* GetBody() const override { return nullptr; }
    // The pinned body's position on the screen.
    void GetScreenPosition(int& x, int& y) const override;
    void DragTo(int x, int y) override;
    // Pins the part again at its current anchor.
    void Release() override;

    CPin& GetPin() const { return myPin; }

private:
    CEditorWorld& myWorld;
    CPin& myPin;
};

}  // namespace monsters
