#include <string>
#include <vector>

#include "EngineFixture.h"
#include "vorn/console/CConsole.h"
#include "vorn/input/CMouse.h"
#include "vorn/input/CTaskMouse.h"
#include "vorn/input/CursorTypes.h"
#include "vorn/input/IMouseHardware.h"
#include "vorn/input/InputTaskTypes.h"
#include "vorn/input/MouseCommands.h"

using namespace vorn;

namespace {

// Stands in for the event task's cursor: notes every call.
class CFakeHardware : public IMouseHardware {
public:
    std::vector<std::string> calls;
    void ShowCursor() override { calls.push_back("show"); }
    void HideCursor() override { calls.push_back("hide"); }
    void SetCursor(int type) override { calls.push_back("cursor " + std::to_string(type)); }
    void GrabInput(bool grab) override { calls.push_back(grab ? "grab" : "release"); }
};

class CTaskMouseTest : public testing_support::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        RegisterInputTaskTypes(*Factory());
        SetMouseHardware(&myHardware);
        ASSERT_EQ(Run("starttask(mouse)"), "mouse started");
        myTask = dynamic_cast<CTaskMouse*>(Factory()->FindTask("mouse"));
        ASSERT_NE(myTask, nullptr);
    }
    void TearDown() override {
        EngineTest::TearDown();
        CMouse::DeleteSingleton();
    }
    std::string Command(const std::string& line) { return myTask->GetConsole()->ExecuteLine(line); }

    CFakeHardware myHardware;
    CTaskMouse* myTask = nullptr;
};

using Calls = std::vector<std::string>;

TEST(CursorTypesTest, NamesAndTypes) {
    const char* names[] = {"cursor_none",
                           "cursor_arrow",
                           "cursor_cross",
                           "cursor_text",
                           "cursor_hand",
                           "cursor_busy",
                           "cursor_resize_horizontal",
                           "cursor_resize_vertical",
                           "cursor_resize_diagonal1",
                           "cursor_resize_diagonal2"};
    for (int type = 0; type < CURSOR_TYPE_COUNT; ++type) {
        EXPECT_EQ(GetCursorType(names[type]), type);
        EXPECT_EQ(GetCursorName(type), names[type]);
    }
    for (const char* other : {"hand", "CURSOR_HAND", "", "cursor_hand "})
        EXPECT_EQ(GetCursorType(other), CURSOR_NONE) << '"' << other << '"';
    EXPECT_EQ(GetCursorName(-1), "");
    EXPECT_EQ(GetCursorName(10), "");
}

TEST_F(CTaskMouseTest, CommandsReachTheHardwareThroughTheNamespace) {
    Run("mouse::CursorHide");
    Run("mouse::CursorShow()");
    Run("mouse::CursorChangeTo(cursor_hand)");
    Run("mouse::CursorChangeTo(hand)");
    Run("mouse::CaptureInput(1)");
    Run("mouse::CaptureInput(0)");
    Run("mouse::CaptureInput(-0.5)");
    EXPECT_EQ(myHardware.calls,
              (Calls{"hide", "show", "cursor 4", "cursor 0", "grab", "release", "grab"}));
}

TEST_F(CTaskMouseTest, MisuseReturnsTheErrorTextsAndTouchesNothing) {
    EXPECT_EQ(Command("CursorChangeTo"), CConsoleCmdCursorChangeTo::USAGE);
    EXPECT_EQ(Command("CursorChangeTo()"), CConsoleCmdCursorChangeTo::USAGE);
    EXPECT_EQ(Command("CursorChangeTo(3)"), CConsoleCmdCursorChangeTo::NOT_A_NAME);
    EXPECT_EQ(Command("CaptureInput(yes)"), CConsoleCmdCaptureInput::NOT_A_NUMBER);
    EXPECT_EQ(Command("CaptureInput()"), CConsoleCmdCaptureInput::NOT_A_NUMBER);
    EXPECT_EQ(Command("CaptureInput"), CConsoleCmdCaptureInput::NOT_A_NUMBER);
    EXPECT_TRUE(myHardware.calls.empty());
    EXPECT_EQ(Command("CursorHide(1, 2, 3)"), "") << "extra arguments are ignored";
    EXPECT_EQ(Command("CursorChangeTo(cursor_text, 1)"), "");
    EXPECT_EQ(myHardware.calls, (Calls{"hide", "cursor 3"}));

    Run("mouse::CaptureInput(nope)");
    EXPECT_NE(Log().find("[ERROR] Input need to be of number"), std::string::npos);
}

TEST_F(CTaskMouseTest, WithoutHardwareTheCommandsDoNothing) {
    {
        CFakeHardware shortLived;
        SetMouseHardware(&shortLived);
        ReleaseMouseHardware(&myHardware);  // not the current one: no effect
        EXPECT_EQ(GetMouseHardware(), &shortLived);
    }
    EXPECT_FALSE(HasMouseHardware()) << "a destroyed back end leaves the registry";
    EXPECT_EQ(Command("CursorHide"), "");
    EXPECT_EQ(Command("CaptureInput(1)"), "");
    EXPECT_TRUE(myHardware.calls.empty());

    Run("stoptask(mouse)");
    EXPECT_EQ(myTask->GetConsole(), nullptr);
    SetMouseHardware(&myHardware);
    EXPECT_EQ(Run("mouse::CursorHide"), "");
    EXPECT_TRUE(myHardware.calls.empty()) << "a stopped task has no commands";
    ReleaseMouseHardware(&myHardware);
}

}  // namespace
