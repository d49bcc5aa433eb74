#include <climits>

#include "UiTestSupport.h"
#include "vorn/ui/CButtonWidget.h"
#include "vorn/ui/CWindowWidget.h"

using namespace vorn;
using namespace vorn::ui;
using namespace ui_test;

namespace {

using Lines = std::vector<std::string>;

class CDesktopWidgetTest : public CWidgetTestBase {
protected:
    void Down(int key, uint8_t character) {
        CKeyboardEvent event(EVENT_KEY_DOWN, key, character);
        Desktop()->HandleEvent(event);
    }
    void Up(int key) {
        CKeyboardEvent event(EVENT_KEY_UP, key);
        Desktop()->HandleEvent(event);
    }
    // Advances the clock and runs the repeat as the UI task does each frame.
    void Frame(uint32_t ms) {
        myTime->now += ms;
        Desktop()->UpdateKeyRepeat();
    }
};

TEST_F(CDesktopWidgetTest, ChildrenArePushedInsideTheDesktop) {
    EXPECT_EQ(Desktop()->ConstrainChildRect({-50, -20, 100, 100}), types_rect(0, 0, 100, 100));
    EXPECT_EQ(Desktop()->ConstrainChildRect({750, 550, 100, 100}), types_rect(700, 500, 100, 100));
    EXPECT_EQ(Desktop()->ConstrainChildRect({10, 10, 1000, 50}), types_rect(0, 10, 800, 50))
        << "too wide: made to fit, never pushed past the left edge";
    EXPECT_EQ(Desktop()->ConstrainChildRect({INT_MAX - 5, INT_MIN, 10, 10}),
              types_rect(790, 0, 10, 10));
    auto* child = new CWidget(Desktop(), {900, 900, 50, 50}, false, "child", "");
    EXPECT_EQ(child->GetRect(), types_rect(750, 550, 50, 50));
    Desktop()->SetClamp(false);
    EXPECT_EQ(Desktop()->ConstrainChildRect({-50, -20, 100, 100}), types_rect(-50, -20, 100, 100));
}

TEST_F(CDesktopWidgetTest, AShrinkingDesktopKeepsWindowsAndTheirButtonsInside) {
    auto* window = new CWindowWidget(Desktop(), {10, 10, 400, 200}, false, "window", "");
    auto* small = new CWindowWidget(Desktop(), {250, 100, 120, 60}, false, "small", "");
    Desktop()->Resize(300, 150);
    EXPECT_EQ(window->GetRect(), types_rect(0, 0, 300, 150));
    EXPECT_EQ(window->GetCloseButton()->GetRect(), types_rect(275, 2, 20, 20));
    EXPECT_EQ(window->GetMaximizeButton()->GetRect(), types_rect(250, 2, 20, 20));
    EXPECT_EQ(window->GetClientArea()->GetRect(), types_rect(2, 22, 296, 126));
    EXPECT_EQ(small->GetRect(), types_rect(180, 90, 120, 60)) << "moved, not shrunk";
    Desktop()->Resize(100, 40);
    EXPECT_EQ(window->GetRect(), types_rect(0, 0, 100, 40));
    EXPECT_EQ(window->GetCloseButton()->GetRect(), types_rect(75, 2, 20, 20));
    Desktop()->Resize(800, 600);
    EXPECT_EQ(window->GetRect(), types_rect(0, 0, 100, 40)) << "windows keep their place";
    // Dragged by its title bar it stays reachable too.
    Click(30, 10);
    Move(30, 10);
    Press();
    Move(-500, -500, BUTTON_LEFT);
    Release();
    EXPECT_EQ(window->GetRect().x, 0);
    EXPECT_EQ(window->GetRect().y, 0);
}

TEST_F(CDesktopWidgetTest, HeldKeysRepeatForTheFocusedWidgetAfterTheDelay) {
    auto* field = new CRecordingWidget(Desktop(), {0, 0, 100, 20}, "field", true);
    ASSERT_TRUE(field->RequestFocus());
    Seen().clear();
    Down(97, 'a');
    EXPECT_EQ(Desktop()->GetHeldKeyCount(), 1);
    Frame(600);  // held 600 ms: not yet
    EXPECT_EQ(Seen(), (Lines{"field 6 k97 c97"}));
    Frame(51);  // 651: the first repeat
    Frame(20);  // within the interval: none
    Frame(6);   // 26 ms after the last: the next
    EXPECT_EQ(Seen(), (Lines{"field 6 k97 c97", "field 6 k97 c97", "field 6 k97 c97"}));
    for (int i = 0; i < 10; ++i)
        Frame(26);
    EXPECT_EQ(Seen().size(), 13u) << "every 25 ms and a bit, one per frame";

    // A second key held with it repeats too, from its own press on.
    Down(98, 'b');
    Down(98, 'b');  // a second press without a release counts once
    EXPECT_EQ(Desktop()->GetHeldKeyCount(), 2);
    Seen().clear();
    Frame(651);
    EXPECT_EQ(Seen(), (Lines{"field 6 k97 c97", "field 6 k98 c98"}));
    Up(97);
    Up(98);
    Up(98);
    EXPECT_EQ(Desktop()->GetHeldKeyCount(), 0);
    Seen().clear();
    Frame(1000);
    EXPECT_EQ(Seen(), (Lines{}));

    // Keys outside the table and a lost keyboard.
    Down(-1, 0);
    Down(CDesktopWidget::KEY_SLOTS, 0);
    Down(INT_MAX, 0);
    EXPECT_EQ(Desktop()->GetHeldKeyCount(), 0);
    Down(99, 'c');
    Desktop()->ReleaseAllKeys();
    EXPECT_FALSE(Desktop()->IsKeyHeld(99));
    Seen().clear();
    Frame(1000);
    EXPECT_TRUE(Seen().empty());
}

TEST_F(CDesktopWidgetTest, RepeatingStopsWhenTheFocusGoesOrTheWidgetDies) {
    auto* field = new CRecordingWidget(Desktop(), {0, 0, 100, 20}, "field", true);
    field->RequestFocus();
    Down(13, 13);
    Click(500, 500);  // the focus goes away; the key is still held
    Seen().clear();
    Frame(700);
    EXPECT_TRUE(Seen().empty());
    field->RequestFocus();
    Frame(30);
    EXPECT_EQ(Seen(), (Lines{"field 8", "field 6 k13 c13"}));
    delete field;
    Frame(30);
    EXPECT_EQ(Desktop()->GetHeldKeyCount(), 1);
}

}  // namespace
