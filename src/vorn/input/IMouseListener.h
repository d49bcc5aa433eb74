#pragma once

namespace vorn {

// Mouse events from the event bridge. Buttons are bits: 1 left, 2 middle,
// 4 right, 8 wheel up, 16 wheel down. The destructor unregisters the listener.
class IMouseListener {
public:
    virtual ~IMouseListener();
    virtual void OnMouseMove(int x, int y) = 0;
    virtual void OnMouseMoveRelative(int dx, int dy) { (void)dx, (void)dy; }
    virtual void OnMouseButtonDown(int button) = 0;
    virtual void OnMouseButtonUp(int button) = 0;
};

}  // namespace vorn
