#include <climits>

#include "UiTestSupport.h"
#include "vorn/console/CConsoleCommand.h"
#include "vorn/console/CVariable.h"
#include "vorn/ui/CTextInputWidget.h"
#include "vorn/ui/CVornToUiMouse.h"
#include "vorn/ui/CWindowWidget.h"

using namespace vorn;
using namespace vorn::ui;
using namespace ui_test;

namespace {

using Lines = std::vector<std::string>;

class CNoteCommand : public CConsoleCommand {
public:
    Lines notes;
    std::string Execute(CVariableList* params) override {
        notes.push_back(params ? params->GetString(0) : "");
        return "";
    }
    std::string Execute() override { return Execute(nullptr); }
};

class CUiTaskTest : public CUiTaskTestBase {
protected:
    void SetUp() override {
        CUiTaskTestBase::SetUp();
        ASSERT_EQ(Run("starttask(ui, ui, 7)"), "ui started");
        myTask = dynamic_cast<CUiTask*>(Factory()->FindTask("ui"));
        ASSERT_NE(myTask, nullptr);
    }

    CUiTask* myTask = nullptr;
};

TEST_F(CUiTaskTest, BridgeEventsReachTheWidgetsInTheOrderTheyCame) {
    EXPECT_EQ(Desktop()->GetRect(), types_rect(0, 0, 800, 600)) << "the window's size";
    auto* field = new CRecordingWidget(Desktop(), {10, 10, 100, 20}, "field", true);
    new CRecordingWidget(Desktop(), {10, 50, 100, 20}, "other");

    Bridge()->OnMouseMove(20, 15, 20, 15);
    Bridge()->OnMouseButtonDown(BUTTON_LEFT);
    Bridge()->OnMouseMove(25, 16, 5, 1);
    Bridge()->OnMouseButtonUp(BUTTON_LEFT);
    Bridge()->OnKeyDown('q', 'q');
    Bridge()->OnKeyUp('q', 'q');
    Bridge()->OnMouseMove(30, 55, 5, 39);
    Bridge()->OnMouseButtonDown(BUTTON_WHEEL_UP);
    EXPECT_EQ(Seen(), (Lines{"field 3 20,15 b0", "field 1 20,15 b0", "field 4 20,15 b1", "field 8",
                             "field 1 25,16 b1", "field 5 25,16 b1", "field 6 k113 c113",
                             "field 7 k113 c0", "field 2 30,55 b0", "other 3 30,55 b0",
                             "other 1 30,55 b0", "other 4 30,55 b8"}))
        << "a move after the release holds no button";
    EXPECT_EQ(CWidget::GetFocusedWidget(), field);

    CVornToUiMouse* mouse = myTask->GetMouseView();
    EXPECT_EQ(mouse->GetPosition(), types_point(30, 55));
    EXPECT_EQ(mouse->GetMovement(), types_point(-5, -39));
    EXPECT_EQ(mouse->GetButtons(), unsigned(BUTTON_WHEEL_UP));
}

TEST_F(CUiTaskTest, ExtremePositionsAndOddButtonsAreHarmless) {
    auto* window = new CWindowWidget(Desktop(), {100, 100, 300, 200}, false, "window", "");
    new CRecordingWidget(window->GetClientArea(), {110, 130, 50, 50}, "inside");
    Bridge()->OnMouseButtonDown(-1);
    Bridge()->OnMouseButtonDown(0);
    EXPECT_EQ(myTask->GetMouseView()->GetButtons(), 0u) << "not a button";
    // Drag the title bar and then a corner to the ends of the number range.
    for (const types_point& grab : {types_point(200, 110), types_point(399, 299)}) {
        const types_rect start = window->GetRect();
        Bridge()->OnMouseMove(start.x + grab.x - 100, start.y + grab.y - 100, 0, 0);
        Bridge()->OnMouseButtonDown(BUTTON_LEFT);
        for (int x : {INT_MAX, INT_MIN, 0})
            for (int y : {INT_MIN, INT_MAX, 0})
                Bridge()->OnMouseMove(x, y, 0, 0);
        Bridge()->OnMouseButtonUp(BUTTON_LEFT);
        const types_rect& rect = window->GetRect();
        EXPECT_TRUE(rect.x >= 0 && rect.y >= 0 && rect.x + rect.w <= 800 && rect.y + rect.h <= 600)
            << rect.x << "," << rect.y << " " << rect.w << "x" << rect.h;
        EXPECT_GE(rect.w, CWindowWidget::MIN_WIDTH);
        EXPECT_GE(rect.h, CWindowWidget::MIN_HEIGHT);
    }
    Bridge()->OnMouseButtonUp(INT_MIN);
    Bridge()->OnKeyDown(INT_MAX, 255);
    Bridge()->OnKeyUp(-7, 0);
    Kernel()->RunPass();
}

TEST_F(CUiTaskTest, KeyBindingsWaitWhileAWidgetHasTheFocus) {
    CNoteCommand note;
    Console()->AddCommand("note", &note);
    ASSERT_EQ(Run("starttask(keyboard, keyboard, 5)"), "keyboard started");
    Run("keyboard::bind(a, \"note(plain)\")");
    Run("keyboard::bind(f1, \"note(toggle)\", 4)");
    auto* input = new CTextInputWidget(Desktop(), {10, 10, 200, 20}, false, "input", "", "", "");

    auto tap = [&](int key, uint8_t character) {
        Bridge()->OnKeyDown(key, character);
        Bridge()->OnKeyUp(key, character);
        Kernel()->RunPass();
    };
    tap('a', 'a');
    EXPECT_EQ(note.notes, Lines{"plain"}) << "nothing has the focus";
    EXPECT_EQ(input->GetText(), "");

    Bridge()->OnMouseMove(20, 15, 0, 0);
    Bridge()->OnMouseButtonDown(BUTTON_LEFT);
    Bridge()->OnMouseButtonUp(BUTTON_LEFT);
    ASSERT_TRUE(input->IsFocused());
    tap('a', 'a');
    EXPECT_EQ(note.notes, Lines{"plain"}) << "typing does not fire the binding";
    EXPECT_EQ(input->GetText(), "a");
    tap(282, 0);  // a binding below the UI's priority still runs
    EXPECT_EQ(note.notes, (Lines{"plain", "toggle"}));

    Bridge()->OnMouseMove(500, 500, 0, 0);
    Bridge()->OnMouseButtonDown(BUTTON_LEFT);
    Bridge()->OnMouseButtonUp(BUTTON_LEFT);
    tap('a', 'a');
    EXPECT_EQ(note.notes, (Lines{"plain", "toggle", "plain"}));
    EXPECT_EQ(input->GetText(), "a");
    Console()->RemoveCommand("note");
}

TEST_F(CUiTaskTest, AWindowResizeReplacesLayoutWidgetsInTheSameFrame) {
    auto* panel = new CWidget(Desktop(), {}, false, "panel", "");
    panel->SetLayout("parent.w - 110", "parent.h - 30", "100", "20");
    EXPECT_EQ(panel->GetRect(), types_rect(690, 570, 100, 20));
    Bridge()->OnResize(1024, 768);
    EXPECT_EQ(Desktop()->GetRect(), types_rect(0, 0, 1024, 768));
    EXPECT_EQ(panel->GetRect(), types_rect(914, 738, 100, 20));
}

TEST_F(CUiTaskTest, HeldKeysRepeatInAFocusedTextInputEachFrame) {
    auto* input = new CTextInputWidget(Desktop(), {10, 10, 200, 20}, false, "input", "", "", "");
    input->RequestFocus();
    Bridge()->OnKeyDown('x', 'x');
    Kernel()->RunPass();
    Advance(600);
    Kernel()->RunPass();
    EXPECT_EQ(input->GetText(), "x");
    for (int frame = 0; frame < 4; ++frame) {
        Advance(26);
        Kernel()->RunPass();
    }
    EXPECT_EQ(input->GetText(), "xxxx") << "650 ms passed after the second frame";
    Bridge()->OnKeyUp('x', 'x');
    Advance(100);
    Kernel()->RunPass();
    EXPECT_EQ(input->GetText(), "xxxx");
    // Losing the window forgets a held key, whose release goes elsewhere.
    Bridge()->OnKeyDown('y', 'y');
    Bridge()->OnFocus(false);
    Bridge()->OnFocus(true);
    Advance(1000);
    Kernel()->RunPass();
    EXPECT_EQ(input->GetText(), "xxxxy");
}

TEST_F(CUiTaskTest, StoppingTheTaskDestroysTheDesktopAndStopsListening) {
    auto* field = new CRecordingWidget(Desktop(), {10, 10, 100, 20}, "field", true);
    (void)field;
    Run("stoptask(ui)");
    EXPECT_EQ(CDesktopWidget::PeekSingleton(), nullptr);
    Bridge()->OnMouseMove(20, 15, 0, 0);
    Bridge()->OnKeyDown('a', 'a');
    Bridge()->OnResize(640, 480);
    EXPECT_EQ(CDesktopWidget::PeekSingleton(), nullptr) << "no desktop made anew";
    EXPECT_TRUE(Seen().empty());
    Kernel()->RunPass();
}

}  // namespace
