#pragma once

#include "vorn/utils/math/CRect.h"

namespace vorn {

// A receiver of mouse events from CMouse: either positional (gets events while
// the pointer is inside GetRect) or global (gets every event). The destructor
// takes it off the mouse.
class IMouseable {
public:
    virtual ~IMouseable();
    virtual void OnMouseMove(int x, int y) = 0;
    virtual void OnMouseMoveRelative(int dx, int dy) = 0;
    // The pointer left this receiver for (x, y).
    virtual void OnMouseOut(int x, int y) = 0;
    // button: 1 left, 2 middle, 4 right, 8 wheel up, 16 wheel down.
    virtual void OnMouseButtonDown(int button) = 0;
    virtual void OnMouseButtonUp(int button) = 0;
    // A blocking receiver hides the positional receivers behind it.
    virtual bool IsBlocking() const = 0;
    // Screen rectangle: x <= px < x + w and y <= py < y + h.
    virtual types_rect GetRect() const = 0;
    virtual int GetZ() const = 0;
};

// A receiver that ignores everything: not blocking, empty rectangle, depth 0.
class CMouseableImpl : public IMouseable {
public:
    void OnMouseMove(int, int) override {}
    void OnMouseMoveRelative(int, int) override {}
    void OnMouseOut(int, int) override {}
    void OnMouseButtonDown(int) override {}
    void OnMouseButtonUp(int) override {}
    bool IsBlocking() const override { return false; }
    types_rect GetRect() const override { return types_rect(); }
    int GetZ() const override { return 0; }
};

}  // namespace vorn
