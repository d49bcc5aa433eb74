#include "vorn/ui/CButtonWidget.h"

#include <algorithm>

#include "vorn/ui/CGfxHandler.h"

namespace vorn::ui {

CButtonWidget::CButtonWidget() {
    Setup();
}

CButtonWidget::CButtonWidget(CWidget* parent, const types_rect& rect, bool relative,
                             const std::string& name, const std::string& spriteFile)
    : CWidget(parent, rect, relative, name, spriteFile) {
    Setup();
}

void CButtonWidget::Setup() {
    SetResizeMode(RESIZE_KEEP_CENTER);
}

void CButtonWidget::Play(const char* animation) {
    CGfxHandler::GetSingleton()->PlayAnimation(GetSprite(), animation);
}

void CButtonWidget::SetDoubleClickEnabled(bool enabled) {
    myDoubleClickEnabled = enabled;
    if (!enabled) myFirstClickPending = false;
}

void CButtonWidget::SetDraggable(bool draggable) {
    myDraggable = draggable;
    if (!draggable && myDragging) {
        myDragging = false;
        RemoveMouseCapture(this);
    }
}

void CButtonWidget::OnMouseEvent(CMouseEvent& event) {
    switch (event.type) {
        case EVENT_MOUSE_OVER:
            Play("mouse_over");
            OnOver();
            break;
        case EVENT_MOUSE_OUT:
            Play("mouse_out");
            myPressed = false;
            OnOut();
            break;
        case EVENT_MOUSE_BUTTON_DOWN:
            Press(event);
            break;
        case EVENT_MOUSE_BUTTON_UP:
            Release(event);
            break;
        case EVENT_MOUSE_MOVE:
            if (myDragging) {
                const int64_t dx = int64_t(myDragOffsetX) + event.x - GetRect().x;
                const int64_t dy = int64_t(myDragOffsetY) + event.y - GetRect().y;
                EmitDrag(int(std::clamp<int64_t>(dx, -LAYOUT_LIMIT, LAYOUT_LIMIT)),
                         int(std::clamp<int64_t>(dy, -LAYOUT_LIMIT, LAYOUT_LIMIT)));
            }
            break;
        default:
            break;
    }
}

bool CButtonWidget::Press(const CMouseEvent& event) {
    if (event.buttons & myClickMask) {
        Play("mouse_button_down");
        myPressed = true;
        if (!OnPressed()) return false;
    }
    if (myDraggable && (event.buttons & myDragMask)) {
        myDragging = true;
        myDragOffsetX = GetRect().x - event.x;
        myDragOffsetY = GetRect().y - event.y;
        AddMouseCapture(this);
    }
    if (myDoubleClickEnabled && (event.buttons & myDoubleClickMask)) {
        // A second press too late to pair with the first starts a new pair.
        if (myFirstClickPending && myDoubleClickTimer.GetTime() < DOUBLE_CLICK_TIME) {
            myFirstClickPending = false;
            return EmitDoubleClick();
        }
        myDoubleClickTimer.Reset();
        myDoubleClickTimer.Resume();
        myFirstClickPending = true;
    }
    return true;
}

bool CButtonWidget::Release(const CMouseEvent& event) {
    const bool clicked = myPressed && (event.buttons & myClickMask);
    myPressed = false;
    if (myDraggable && (event.buttons & myDragMask) && myDragging) {
        myDragging = false;
        RemoveMouseCapture(this);
    }
    if (!clicked) return true;
    Play("mouse_button_up");
    if (!OnReleased()) return false;
    return EmitClick();
}

}  // namespace vorn::ui
