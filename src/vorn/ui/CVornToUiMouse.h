#pragma once

#include "vorn/ui/IMouse.h"

namespace vorn::ui {

// The widgets' view of the engine's mouse: the UI task keeps the position
// and the held buttons up to date; the cursor goes to the mouse singleton
// (vorn/input/CMouse.h).
class CVornToUiMouse : public IMouse {
public:
    types_point GetPosition() const override { return types_point(myX, myY); }
    types_point GetMovement() const override {
        return types_point(myPreviousX - myX, myPreviousY - myY);
    }
    unsigned GetButtons() const override { return myButtons; }
    void HideCursor() override;
    void ShowCursor() override;
    void SetCursor(int shape) override;

    // Called by the UI task.
    void MoveTo(int x, int y);
    void Press(unsigned button) { myButtons |= button; }
    void Release(unsigned button) { myButtons &= ~button; }
    // Forgets the held buttons (the window lost the mouse).
    void ReleaseAll() { myButtons = 0; }

private:
    unsigned myButtons = 0;
    int myX = 0;
    int myY = 0;
    int myPreviousX = 0;
    int myPreviousY = 0;
};

}  // namespace vorn::ui
