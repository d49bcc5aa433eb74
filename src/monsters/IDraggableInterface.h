#pragma once

class b2Body;

namespace monsters {

// Something the player drags in the editor with the mouse: a loose part
// pulled by a mouse joint, or a pinned part carried by its pin. The game owns
// the dragged object from the press to the release.
class IDraggableInterface {
public:
    virtual ~IDraggableInterface() = default;
    // The body whose monster goes back to sleep after the release; null when
    // nothing should be put to sleep.
    virtual b2Body* GetBody() const = 0;
    // Where the dragged point is on the screen, in pixels.
    virtual void GetScreenPosition(int& x, int& y) const = 0;
    // Pulls the dragged point towards a screen point.
    virtual void DragTo(int x, int y) = 0;
    // Ends the drag; called once, before the object is destroyed.
    virtual void Release() = 0;
};

}  // namespace monsters
