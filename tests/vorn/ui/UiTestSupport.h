#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "EngineFixture.h"
#include "ManualTime.h"
#include "vorn/input/CEventBridge.h"
#include "vorn/input/CKeyboard.h"
#include "vorn/input/CMouse.h"
#include "vorn/input/InputTaskTypes.h"
#include "vorn/ui/CDesktopWidget.h"
#include "vorn/ui/CUiTask.h"
#include "vorn/ui/CWidget.h"
#include "vorn/ui/IMouse.h"
#include "vorn/ui/UiTaskTypes.h"
#include "vorn/utils/timer/CGlobalAppTimer.h"

namespace ui_test {

using vorn::types_point;
using vorn::types_rect;

// What recording widgets saw, in order: "name type" (type as in IEvent.h),
// with the key and character for key events.
inline std::vector<std::string>& Seen() {
    static std::vector<std::string> seen;
    return seen;
}

// A widget that notes every event it is handed.
class CRecordingWidget : public vorn::ui::CWidget {
public:
    CRecordingWidget(CWidget* parent, const types_rect& rect, const std::string& name,
                     bool takesFocus = false)
        : CWidget(parent, rect, false, name, "") {
        if (takesFocus) {
            SetEventIgnored(vorn::ui::EVENT_FOCUS_REQUEST, false);
            SetEventIgnored(vorn::ui::EVENT_FOCUS_LOST, false);
        }
    }
    void OnMouseEvent(vorn::ui::CMouseEvent& event) override {
        Seen().push_back(GetName() + " " + std::to_string(event.type) + " " +
                         std::to_string(event.x) + "," + std::to_string(event.y) + " b" +
                         std::to_string(event.buttons));
    }
    void OnKeyboardEvent(vorn::ui::CKeyboardEvent& event) override {
        Seen().push_back(GetName() + " " + std::to_string(event.type) + " k" +
                         std::to_string(event.key) + " c" + std::to_string(event.character));
    }
    void OnFocusEvent(vorn::ui::CFocusEvent& event) override {
        Seen().push_back(GetName() + " " + std::to_string(event.type));
    }
};

// A mouse view that notes the cursor shapes asked for.
class CFakeMouse : public vorn::ui::IMouse {
public:
    types_point GetPosition() const override { return types_point(); }
    types_point GetMovement() const override { return types_point(); }
    unsigned GetButtons() const override { return 0; }
    void HideCursor() override {}
    void ShowCursor() override {}
    void SetCursor(int shape) override { shapes.push_back(shape); }
    std::vector<int> shapes;
};

// Widgets on a desktop of 800 x 600, with a manual clock. Events go straight
// to the desktop (Move, Press, ...), as the UI task would hand them over.
class CWidgetTestBase : public ::testing::Test {
protected:
    void SetUp() override {
        Seen().clear();
        vorn::ui::CDesktopWidget::DeleteSingleton();
        Desktop()->Resize(800, 600);
    }
    void TearDown() override { vorn::ui::CDesktopWidget::DeleteSingleton(); }

    static vorn::ui::CDesktopWidget* Desktop() { return vorn::ui::CDesktopWidget::GetSingleton(); }
    void Move(int x, int y, unsigned held = 0) {
        myX = x;
        myY = y;
        vorn::ui::CMouseEvent event(vorn::ui::EVENT_MOUSE_MOVE, x, y, held, &myMouse);
        Desktop()->HandleEvent(event);
    }
    void Press(unsigned button = vorn::ui::BUTTON_LEFT) {
        vorn::ui::CMouseEvent event(vorn::ui::EVENT_MOUSE_BUTTON_DOWN, myX, myY, button, &myMouse);
        Desktop()->HandleEvent(event);
    }
    void Release(unsigned button = vorn::ui::BUTTON_LEFT) {
        vorn::ui::CMouseEvent event(vorn::ui::EVENT_MOUSE_BUTTON_UP, myX, myY, button, &myMouse);
        Desktop()->HandleEvent(event);
    }
    void Click(int x, int y) {
        Move(x, y);
        Press();
        Release();
    }
    void Key(int key, uint8_t character = 0) {
        vorn::ui::CKeyboardEvent down(vorn::ui::EVENT_KEY_DOWN, key, character);
        Desktop()->HandleEvent(down);
        vorn::ui::CKeyboardEvent up(vorn::ui::EVENT_KEY_UP, key);
        Desktop()->HandleEvent(up);
    }
    void Type(const std::string& text) {
        for (char c : text)
            Key(static_cast<unsigned char>(c), static_cast<uint8_t>(c));
    }

    testing_support::CScopedManualTime myTime{1000};
    CFakeMouse myMouse;
    int myX = 0;
    int myY = 0;
};

// A whole engine with the "ui" task started as a script would, the event
// bridge feeding it; the keyboard and mouse singletons made afresh.
class CUiTaskTestBase : public testing_support::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        Seen().clear();
        vorn::CKeyboard::DeleteSingleton();
        vorn::CMouse::DeleteSingleton();
        vorn::ui::CDesktopWidget::DeleteSingleton();
        vorn::CGlobalAppTimer::DeleteSingleton();
        myTime = std::make_unique<testing_support::CScopedManualTime>(1000);
        vorn::CGlobalAppTimer::GetSingleton()->SetTime(0);
        vorn::RegisterInputTaskTypes(*Factory());
        vorn::RegisterUiTaskTypes(*Factory());
        // The size a window task would have announced.
        vorn::CEventBridge::GetSingleton()->OnResize(800, 600);
    }
    void TearDown() override {
        EngineTest::TearDown();
        vorn::ui::CDesktopWidget::DeleteSingleton();
        vorn::CKeyboard::DeleteSingleton();
        vorn::CMouse::DeleteSingleton();
        vorn::CGlobalAppTimer::DeleteSingleton();
        myTime.reset();
    }

    static vorn::CEventBridge* Bridge() { return vorn::CEventBridge::GetSingleton(); }
    static vorn::ui::CDesktopWidget* Desktop() { return vorn::ui::CDesktopWidget::GetSingleton(); }
    void Advance(uint32_t ms) { (*myTime)->now += ms; }

    std::unique_ptr<testing_support::CScopedManualTime> myTime;
};

}  // namespace ui_test
