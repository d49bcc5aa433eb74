#pragma once

#include "vorn/utils/math/CRect.h"

namespace vorn::ui {

// The widgets' view of the mouse, carried by every mouse event: where the
// pointer is, how it last moved, which buttons are held, and the cursor.
class IMouse {
public:
    virtual ~IMouse() = default;
    virtual types_point GetPosition() const = 0;
    // The last movement as (previous x - x, previous y - y).
    virtual types_point GetMovement() const = 0;
    // Held buttons as a mask (1 left, 2 middle, 4 right, 8 and 16 the wheel).
    virtual unsigned GetButtons() const = 0;
    virtual void HideCursor() = 0;
    virtual void ShowCursor() = 0;
    // A cursor shape of vorn/input/CursorTypes.h.
    virtual void SetCursor(int shape) = 0;
};

}  // namespace vorn::ui
