#include "vorn/ui/CVornToUiMouse.h"

#include "vorn/input/CMouse.h"

namespace vorn::ui {

void CVornToUiMouse::MoveTo(int x, int y) {
    myPreviousX = myX;
    myPreviousY = myY;
    myX = x;
    myY = y;
}

void CVornToUiMouse::HideCursor() {
    CMouse::GetSingleton()->HideCursor();
}

void CVornToUiMouse::ShowCursor() {
    CMouse::GetSingleton()->ShowCursor();
}

void CVornToUiMouse::SetCursor(int shape) {
    CMouse::GetSingleton()->SetCursor(shape);
}

}  // namespace vorn::ui
