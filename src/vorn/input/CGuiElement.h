#pragma once

#include "vorn/gfx/CSprite.h"
#include "vorn/input/IMouseable.h"

namespace k4gui {

// A sprite the user can drag with the left mouse button (the debug task's frame
// counter is one). It wraps another sprite, which it owns and moves; as a
// mouse receiver it covers the wrapped sprite's rectangle and is blocking.
// While dragged it is also a global receiver, so a fast pointer cannot slip
// off it; the grabbed point stays under the pointer.
class CGuiElement : public vorn::CSprite, public vorn::CMouseableImpl {
public:
    // Takes ownership of sprite (null: an element with nothing to show) and
    // registers with the mouse.
    explicit CGuiElement(vorn::CSprite* sprite);
    // Leaves the mouse, then deletes the wrapped sprite.
    ~CGuiElement() override;

    // Those of the wrapped sprite, for drawing and for the mouse alike.
    vorn::types_rect GetRect() const override;
    int GetZ() const override;
    bool IsBlocking() const override { return true; }

    void OnMouseMove(int x, int y) override;
    void OnMouseButtonDown(int button) override;
    void OnMouseButtonUp(int button) override;

    void SetDraggable(bool draggable) { myDraggable = draggable; }
    bool IsDraggable() const { return myDraggable; }
    bool IsDragging() const { return myDragging; }
    vorn::CSprite* GetSprite() const { return mySprite; }

private:
    vorn::CSprite* mySprite;
    bool myDragging = false;
    int myGrabX = 0;
    int myGrabY = 0;
    bool myDraggable = true;
};

}  // namespace k4gui
