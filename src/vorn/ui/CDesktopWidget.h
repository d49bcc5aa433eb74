#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "vorn/designpatterns/singleton/CStaticSingleton.h"
#include "vorn/ui/CWidget.h"
#include "vorn/utils/timer/CTimer.h"

namespace vorn::ui {

// The root of the widget tree, covering the window; the UI task sizes it and
// hands it every event. It keeps its children inside itself (clamping), serves
// the mouse capture list before routing, gives keys to the focused widget,
// moves the focus on left clicks and repeats held keys.
class CDesktopWidget : public CWidget {
public:
    // Key codes 0..KEY_SLOTS-1 are tracked for repeating; others are ignored.
    static constexpr int KEY_SLOTS = 324;
    static constexpr uint32_t REPEAT_INTERVAL = 25;
    static constexpr uint32_t REPEAT_DELAY = 650;

    static CDesktopWidget* GetSingleton() {
        return CStaticSingleton<CDesktopWidget>::GetSingleton();
    }
    static CDesktopWidget* PeekSingleton() {
        return CStaticSingleton<CDesktopWidget>::PeekSingleton();
    }
    // Destroys the desktop and every widget on it.
    static void DeleteSingleton() { CStaticSingleton<CDesktopWidget>::DeleteSingleton(); }

    // 1. Mouse events (1, 4, 5) go to every widget of the capture list first.
    // 2. Key events (6, 7) update the repeat table and go to the focused widget.
    // 3. The widget routing runs (a widget served in step 1 is not served twice).
    // 4. After a left-button press the focus moves to the widget clicked, or
    //    away when none takes it.
    void HandleEvent(IEvent& event) override;

    // With clamping on (the default) a child is pushed inside the desktop,
    // and one larger than the desktop is made the desktop's size; nothing is
    // clamped while the desktop has no size yet. Windows (keep-offset
    // children) are thus moved back inside whenever the desktop shrinks.
    types_rect ConstrainChildRect(const types_rect& rect) const override;
    void SetClamp(bool clamp) { myClamp = clamp; }
    bool GetClamp() const { return myClamp; }

    // Once per frame: every key held longer than REPEAT_DELAY is pressed again
    // for the focused widget, at most every REPEAT_INTERVAL.
    void UpdateKeyRepeat();
    // Forgets every held key (the window lost the keyboard).
    void ReleaseAllKeys();
    bool IsKeyHeld(int key) const;
    int GetHeldKeyCount() const { return myHeldCount; }

private:
    friend class CStaticSingleton<CDesktopWidget>;
    CDesktopWidget();
    ~CDesktopWidget() override;

    struct CHeldKey {
        bool held = false;
        uint32_t since = 0;
        uint8_t character = 0;
        std::string text;
    };

    void DeliverToCapture(CMouseEvent& event, std::vector<CWidget*>& delivered);
    void RecordKey(const CKeyboardEvent& event);
    void MoveFocus(const CMouseEvent& press);

    bool myClamp = true;
    std::array<CHeldKey, KEY_SLOTS> myKeys;
    int myHeldCount = 0;
    CTimer myTimer;
    uint32_t myLastRepeat = 0;
};

}  // namespace vorn::ui
