#include "vorn/ui/CDesktopWidget.h"

#include <algorithm>

namespace vorn::ui {

CDesktopWidget::CDesktopWidget() {
    SetName("Desktop");
}

CDesktopWidget::~CDesktopWidget() = default;

void CDesktopWidget::HandleEvent(IEvent& event) {
    const CGuard self = MakeGuard();
    auto* mouse = dynamic_cast<CMouseEvent*>(&event);
    const bool routedMouse =
        mouse && (event.type == EVENT_MOUSE_MOVE || event.type == EVENT_MOUSE_BUTTON_DOWN ||
                  event.type == EVENT_MOUSE_BUTTON_UP);
    std::vector<CWidget*> delivered;
    if (routedMouse) {
        DeliverToCapture(*mouse, delivered);
        if (!self.IsAlive()) return;
    }
    if (event.type == EVENT_KEY_DOWN || event.type == EVENT_KEY_UP) {
        if (auto* key = dynamic_cast<CKeyboardEvent*>(&event)) {
            RecordKey(*key);
            if (CWidget* focused = GetFocusedWidget()) focused->OnKeyboardEvent(*key);
            if (!self.IsAlive()) return;
        }
    }
    const std::vector<CWidget*>* previous = ExchangeDeliveredList(&delivered);
    CWidget::HandleEvent(event);
    ExchangeDeliveredList(previous);
    if (!self.IsAlive()) return;
    if (routedMouse && event.type == EVENT_MOUSE_BUTTON_DOWN && (mouse->buttons & BUTTON_LEFT))
        MoveFocus(*mouse);
}

void CDesktopWidget::DeliverToCapture(CMouseEvent& event, std::vector<CWidget*>& delivered) {
    // The list may change while it is served: walk a copy, skipping widgets
    // that left it (or died) meanwhile.
    const std::vector<CWidget*> snapshot = GetMouseCaptureList();
    for (CWidget* widget : snapshot) {
        if (!IsMouseCaptured(widget)) continue;
        delivered.push_back(widget);
        widget->OnMouseEvent(event);
    }
}

void CDesktopWidget::MoveFocus(const CMouseEvent& press) {
    CFocusEvent request(EVENT_FOCUS_REQUEST, press.x, press.y);
    CWidget::HandleEvent(request);
    if (request.handled) return;
    CWidget* focused = GetFocusedWidget();
    if (!focused) return;
    ClearFocus();
    if (!focused->IsEventIgnored(EVENT_FOCUS_LOST)) {
        CFocusEvent lost(EVENT_FOCUS_LOST);
        focused->OnFocusEvent(lost);
    }
}

types_rect CDesktopWidget::ConstrainChildRect(const types_rect& rect) const {
    const types_rect& desktop = GetRect();
    if (!myClamp || desktop.w <= 0 || desktop.h <= 0) return rect;
    types_rect result = rect;
    // A child larger than the desktop is made to fit, so that pushing it in
    // from the right or bottom never moves its top-left corner (a window's
    // title bar and buttons) out of reach.
    result.w = std::min(result.w, desktop.w);
    result.h = std::min(result.h, desktop.h);
    result.x = std::max(result.x, desktop.x);
    result.y = std::max(result.y, desktop.y);
    const int64_t right = int64_t(desktop.x) + desktop.w;
    const int64_t bottom = int64_t(desktop.y) + desktop.h;
    if (int64_t(result.x) + result.w > right) result.x = int(right - result.w);
    if (int64_t(result.y) + result.h > bottom) result.y = int(bottom - result.h);
    return result;
}

void CDesktopWidget::RecordKey(const CKeyboardEvent& event) {
    if (event.key < 0 || event.key >= KEY_SLOTS) return;
    CHeldKey& slot = myKeys[size_t(event.key)];
    if (event.type == EVENT_KEY_DOWN) {
        if (!slot.held) ++myHeldCount;
        slot.held = true;
        slot.since = myTimer.GetTime();
        slot.character = event.character;
        slot.text = event.text;
    } else if (slot.held) {
        slot.held = false;
        --myHeldCount;
    }
}

void CDesktopWidget::UpdateKeyRepeat() {
    if (myHeldCount == 0) return;
    const uint32_t now = myTimer.GetTime();
    if (now - myLastRepeat <= REPEAT_INTERVAL) return;
    myLastRepeat = now;
    const CGuard self = MakeGuard();
    for (int key = 0; key < KEY_SLOTS; ++key) {
        const CHeldKey& slot = myKeys[size_t(key)];
        if (!slot.held || now - slot.since <= REPEAT_DELAY) continue;
        CWidget* focused = GetFocusedWidget();
        if (!focused) return;
        CKeyboardEvent repeat(EVENT_KEY_DOWN, key, slot.character, slot.text);
        focused->OnKeyboardEvent(repeat);
        if (!self.IsAlive()) return;
    }
}

void CDesktopWidget::ReleaseAllKeys() {
    myKeys.fill(CHeldKey());
    myHeldCount = 0;
}

bool CDesktopWidget::IsKeyHeld(int key) const {
    return key >= 0 && key < KEY_SLOTS && myKeys[size_t(key)].held;
}

}  // namespace vorn::ui
