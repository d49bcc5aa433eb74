#include <cmath>
#include <string>
#include <vector>

#include "EngineFixture.h"
#include "vorn/console/CConsoleCommand.h"
#include "vorn/console/CVariable.h"
#include "vorn/input/CConsoleCmdBind.h"
#include "vorn/input/CEventBridge.h"
#include "vorn/input/CKeyboard.h"
#include "vorn/input/CTaskKeyboard.h"
#include "vorn/input/InputTaskTypes.h"
#include "vorn/input/KeyNames.h"

using namespace vorn;

namespace {

// "note(text)" on the main console: remembers what the bound lines ran.
class CNoteCommand : public CConsoleCommand {
public:
    std::vector<std::string> notes;
    std::string Execute(CVariableList* params) override {
        notes.push_back(params->GetString(0));
        return "";
    }
    std::string Execute() override { return Execute(nullptr); }
};

class CTaskKeyboardTest : public testing_support::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        CKeyboard::DeleteSingleton();
        RegisterInputTaskTypes(*Factory());
        Console()->AddCommand("note", &myNote);
        ASSERT_EQ(Run("starttask(keyboard)"), "keyboard started");
        myTask = dynamic_cast<CTaskKeyboard*>(Factory()->FindTask("keyboard"));
        ASSERT_NE(myTask, nullptr);
    }
    void TearDown() override {
        EngineTest::TearDown();
        CKeyboard::DeleteSingleton();
    }

    // What the key's bindings ran in one frame (press, then release).
    std::vector<std::string> Tap(int key) {
        myNote.notes.clear();
        CEventBridge::GetSingleton()->OnKeyDown(key, 0);
        CEventBridge::GetSingleton()->OnKeyUp(key, 0);
        Kernel()->RunPass();
        return myNote.notes;
    }
    // Runs a line on the task's private console and returns its result.
    std::string Bind(const std::string& line) { return myTask->GetConsole()->ExecuteLine(line); }

    CNoteCommand myNote;
    CTaskKeyboard* myTask = nullptr;
};

using Notes = std::vector<std::string>;

TEST_F(CTaskKeyboardTest, BoundLinesRunOncePerPressInPriorityOrder) {
    Run("keyboard::bind(f1, \"note(help)\")");
    EXPECT_EQ(Tap(282), Notes{"help"}) << "once per press, not on release";
    EXPECT_EQ(Tap(282), Notes{"help"});
    EXPECT_EQ(Tap(283), Notes{});

    Run("keyboard::bind(a, \"note(ten)\")");
    Run("keyboard::bind(a, \"note(five)\", 5)");
    Run("keyboard::bind(a, \"note(ten again)\")");
    EXPECT_EQ(Tap(97), (Notes{"five", "ten", "ten again"}));

    Run("keyboard::bind(282.9, \"note(by code)\", 1)");
    EXPECT_EQ(Tap(282), (Notes{"by code", "help"})) << "codes are truncated";
}

TEST_F(CTaskKeyboardTest, CombinationRunsOnlyWhileItsKeysAreHeld) {
    Run("keyboard::bind(\"left_ctrl c\", \"note(copy)\")");
    EXPECT_EQ(Tap(GetKeyCode("c")), Notes{});
    CEventBridge::GetSingleton()->OnKeyDown(GetKeyCode("left_ctrl"), 0);
    Kernel()->RunPass();
    EXPECT_EQ(Tap(GetKeyCode("c")), Notes{"copy"});
    EXPECT_EQ(Tap(GetKeyCode("c")), Notes{"copy"}) << "still held";
    CEventBridge::GetSingleton()->OnKeyUp(GetKeyCode("left_ctrl"), 0);
    Kernel()->RunPass();
    EXPECT_EQ(Tap(GetKeyCode("c")), Notes{});
}

TEST_F(CTaskKeyboardTest, EveryWrongArgumentShapeGivesTheUsageText) {
    const std::string usage = CConsoleCmdBind::USAGE;
    for (const char* line : {
             "bind",                             // no parentheses
             "bind()",                           // nothing
             "bind(a)",                          // no line
             "bind(a, 5)",                       // line not a string
             "bind(5, 6)",                       // neither
             "bind(-1, \"note(x)\")",            // codes below 0
             "bind(323, \"note(x)\")",           // the no-key code
             "bind(999999999999, \"note(x)\")",  // far beyond
             "bind(\"\", \"note(x)\")",          // empty name
             "bind(\"   \", \"note(x)\")",       // only blanks
         }) {
        EXPECT_EQ(Bind(line), usage) << line;
    }
    CConsoleCmdBind command;
    EXPECT_EQ(command.Execute(nullptr), usage);
    CVariableList nanKey;
    nanKey.PushBack(new CVariableNumber(std::nan("")));
    nanKey.PushBack(new CVariableString("note(x)"));
    EXPECT_EQ(command.Execute(&nanKey), usage);
    for (int key = 0; key < KEY_COUNT; ++key)
        EXPECT_EQ(CKeyboard::GetSingleton()->GetBindingCount(key), 0u) << key;

    // Through the namespace the result is lost to the caller: it goes to the log.
    Run("keyboard::bind(a)");
    EXPECT_NE(Log().find("[ERROR] You cannot bind unless"), std::string::npos);
}

TEST_F(CTaskKeyboardTest, OddButUsableArgumentsStillBind) {
    // A priority that is not a number is the default; huge ones are clamped.
    EXPECT_EQ(Bind("bind(b, \"note(b10)\", soon)"), "");
    EXPECT_EQ(Bind("bind(b, \"note(b-huge)\", -99999999999)"), "");
    EXPECT_EQ(Bind("bind(b, \"note(b-nine)\", 9)"), "");
    EXPECT_EQ(Tap(98), (Notes{"b-huge", "b-nine", "b10"}));

    // Unknown names bind key 0, with a warning.
    EXPECT_EQ(Bind("bind(A, \"note(upper)\")"), "");
    EXPECT_NE(Log().find("unknown key name \"A\""), std::string::npos);
    EXPECT_EQ(Tap(0), Notes{"upper"});
    EXPECT_EQ(Tap(GetKeyCode("a")), Notes{});

    // Blanks and tabs around names in a combination are only separators.
    EXPECT_EQ(Bind("bind(\"  left_shift \t x \", \"note(shift x)\")"), "");
    CEventBridge::GetSingleton()->OnKeyDown(GetKeyCode("left_shift"), 0);
    EXPECT_EQ(Tap(GetKeyCode("x")), Notes{"shift x"});
}

TEST_F(CTaskKeyboardTest, StoppedTaskKeepsBindingsButDispatchesNothing) {
    Run("keyboard::bind(q, \"note(q)\")");
    Run("stoptask(keyboard)");
    EXPECT_EQ(myTask->GetConsole(), nullptr);
    EXPECT_EQ(Run("keyboard::bind(w, \"note(w)\")"), "") << "handled, though nothing to do";
    EXPECT_EQ(Tap(GetKeyCode("q")), Notes{});
    EXPECT_EQ(CKeyboard::GetSingleton()->GetBindingCount(GetKeyCode("q")), 1u);
    EXPECT_EQ(CKeyboard::GetSingleton()->GetBindingCount(GetKeyCode("w")), 0u);
}

}  // namespace
