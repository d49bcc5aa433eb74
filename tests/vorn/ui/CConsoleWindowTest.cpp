#include <filesystem>
#include <fstream>

#include "UiTestSupport.h"
#include "vorn/console/CConsoleCommand.h"
#include "vorn/console/CLog.h"
#include "vorn/console/CVariable.h"
#include "vorn/ui/CCommandHistory.h"
#include "vorn/ui/CConsoleWidget.h"
#include "vorn/ui/CConsoleWindow.h"
#include "vorn/ui/CLogListenerForConsole.h"
#include "vorn/ui/CTextInputWidget.h"
#include "vorn/ui/CWindowWidget.h"
#include "vorn/ui/ConsoleCompletion.h"
#include "vorn/utils/containers/CVarRef.h"

using namespace vorn;
using namespace vorn::ui;
using namespace ui_test;
using testing_support::ReadFile;

namespace {

using Lines = std::vector<std::string>;
enum { TAB = 9, RETURN = 13, UP = 273, DOWN = 274 };

// "note(text)": remembers its argument; "closeit": runs a function.
class CNoteCommand : public CConsoleCommand {
public:
    Lines notes;
    std::function<void()> action;
    std::string Execute(CVariableList* params) override {
        notes.push_back(params->GetString(0));
        if (action) action();
        return "noted";
    }
    std::string Execute() override { return Execute(nullptr); }
};

class CConsoleWindowTest : public testing_support::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        CDesktopWidget::DeleteSingleton();
        Desktop()->Resize(800, 600);
        Console()->AddCommand("note", &myNote);
        myWindow = std::make_unique<CConsoleWindow>("history.txt");
    }
    void TearDown() override {
        myWindow.reset();
        CDesktopWidget::DeleteSingleton();
        EngineTest::TearDown();
    }
    static CDesktopWidget* Desktop() { return CDesktopWidget::GetSingleton(); }
    void Key(int key, uint8_t character = 0) {
        CKeyboardEvent down(EVENT_KEY_DOWN, key, character);
        Desktop()->HandleEvent(down);
        CKeyboardEvent up(EVENT_KEY_UP, key);
        Desktop()->HandleEvent(up);
    }
    void Type(const std::string& text) {
        for (char c : text)
            Key(static_cast<unsigned char>(c), static_cast<uint8_t>(c));
    }
    std::string Input() const { return myWindow->GetInput()->GetText(); }

    CNoteCommand myNote;
    std::unique_ptr<CConsoleWindow> myWindow;
};

TEST_F(CConsoleWindowTest, ToggleOpensTheWindowReadyForTypingAndClosesIt) {
    EXPECT_FALSE(myWindow->IsOpen());
    myWindow->Toggle();
    ASSERT_TRUE(myWindow->IsOpen());
    CWindowWidget* window = myWindow->GetWindow();
    EXPECT_EQ(window->GetName(), "Dev-tool");
    EXPECT_EQ(window->GetRect(), types_rect(10, 10, 400, 200));
    EXPECT_EQ(window->GetParent(), Desktop());
    EXPECT_EQ(CWidget::GetFocusedWidget(), myWindow->GetInput());
    EXPECT_EQ(myWindow->GetInput()->GetRect(), types_rect(12, 188, 396, 20));
    EXPECT_EQ(myWindow->GetOutput()->GetRect(), types_rect(12, 32, 396, 156));
    myWindow->Toggle();
    EXPECT_FALSE(myWindow->IsOpen());
    EXPECT_TRUE(Desktop()->GetChildren().empty());
    EXPECT_EQ(CWidget::GetFocusedWidget(), nullptr);

    // The desktop may go (the UI stops) while the window is open.
    myWindow->Toggle();
    CDesktopWidget::DeleteSingleton();
    EXPECT_FALSE(myWindow->IsOpen());
    EXPECT_FALSE(myWindow->IsCloseRequested());
    myWindow->Execute();
    myWindow->HistoryBack();
    myWindow->Complete();
    Desktop()->Resize(800, 600);
    myWindow->Toggle();
    EXPECT_TRUE(myWindow->IsOpen());
    myWindow->GetWindow()->SetCloseRequested(true);
    EXPECT_TRUE(myWindow->IsCloseRequested());
}

TEST_F(CConsoleWindowTest, ReturnRunsTheTypedLineOnTheMainConsoleAndClearsTheInput) {
    myWindow->Toggle();
    Type("note(hello)");
    EXPECT_EQ(Input(), "note(hello)");
    Key(RETURN, 13);
    EXPECT_EQ(myNote.notes, Lines{"hello"});
    EXPECT_EQ(Input(), "");
    EXPECT_EQ(myWindow->GetHistory().GetEntries(), Lines{"note(hello)"});
    // The main console echoes the line and its result to the log, which the
    // console widget shows.
    const auto& shown = myWindow->GetLines()->GetLines();
    ASSERT_GE(shown.size(), 2u);
    EXPECT_EQ(shown[shown.size() - 2], "note(hello)");
    EXPECT_EQ(shown.back(), "noted");

    // An empty line runs nothing and is not kept.
    Key(RETURN, 13);
    EXPECT_EQ(myNote.notes.size(), 1u);
    EXPECT_EQ(myWindow->GetHistory().GetEntries().size(), 1u);

    // A line that closes the console window while it runs.
    myNote.action = [&] { myWindow->Toggle(); };
    Type("note(bye)");
    Key(RETURN, 13);
    EXPECT_EQ(myNote.notes, (Lines{"hello", "bye"}));
    EXPECT_FALSE(myWindow->IsOpen());
    // ... or destroys the whole console window object.
    myNote.action = [&] { myWindow.reset(); };
    auto* window = new CConsoleWindow("");
    myWindow.reset(window);
    window->Toggle();
    Type("note(gone)");
    Key(RETURN, 13);
    EXPECT_FALSE(myWindow);
    EXPECT_TRUE(Desktop()->GetChildren().empty());
}

TEST_F(CConsoleWindowTest, UpAndDownStepThroughTheHistoryKeepingAnUnsentLine) {
    myWindow->Toggle();
    Key(UP);  // an empty history: nothing happens
    EXPECT_EQ(Input(), "");
    for (const char* line : {"note(1)", "note(2)", "note(3)"}) {
        Type(line);
        Key(RETURN, 13);
    }
    Key(UP);
    EXPECT_EQ(Input(), "note(3)") << "the newest first";
    Key(UP);
    Key(UP);
    EXPECT_EQ(Input(), "note(1)");
    Key(UP);
    EXPECT_EQ(Input(), "note(1)") << "the oldest stays";
    Key(DOWN);
    EXPECT_EQ(Input(), "note(2)");
    Key(DOWN);
    Key(DOWN);
    EXPECT_EQ(Input(), "") << "back on the edit line";
    Key(DOWN);
    EXPECT_EQ(Input(), "");

    // A typed line survives a trip into the history.
    Type("unsent");
    Key(UP);
    EXPECT_EQ(Input(), "note(3)");
    Key(DOWN);
    EXPECT_EQ(Input(), "unsent");
    EXPECT_EQ(myWindow->GetInput()->GetCursor(), 6u) << "the cursor at the end";
}

TEST_F(CConsoleWindowTest, HistorySurvivesARestartAndADamagedFile) {
    {
        CCommandHistory history("saved.txt");
        EXPECT_TRUE(history.GetEntries().empty());
        history.Add("first");
        history.Add("second\nline");
        history.Add("");
        history.Add(std::string(CCommandHistory::MAX_LINE_LENGTH + 10, 'x'));
    }
    EXPECT_FALSE(std::filesystem::exists("saved.txt.tmp")) << "the temporary file was renamed";
    {
        CCommandHistory history("saved.txt");
        ASSERT_EQ(history.GetEntries().size(), 3u);
        EXPECT_EQ(history.GetEntries()[1], "second line");
        EXPECT_EQ(history.GetEntries()[2].size(), CCommandHistory::MAX_LINE_LENGTH);
        for (int i = 0; i < 300; ++i)
            history.Add("line " + std::to_string(i));
        EXPECT_EQ(history.GetEntries().size(), CCommandHistory::MAX_ENTRIES);
        EXPECT_EQ(history.GetEntries().back(), "line 299");
    }

    // A damaged file: NUL bytes, overlong and empty lines, Windows line ends.
    {
        std::ofstream out("damaged.txt", std::ios::binary);
        const char tail[] = "\nbad\0line\nlast";
        out << "good one\r\n\r\n" << std::string(10000, 'y');
        out.write(tail, sizeof(tail) - 1);
    }
    CCommandHistory damaged("damaged.txt");
    EXPECT_EQ(damaged.GetEntries(), (Lines{"good one", "last"}));

    // A history that cannot be written warns and carries on.
    std::filesystem::create_directory("folder.txt");
    CCommandHistory blocked("folder.txt");
    blocked.Add("kept in memory");
    EXPECT_FALSE(blocked.Save());
    EXPECT_EQ(blocked.GetEntries(), Lines{"kept in memory"});
    EXPECT_NE(Log().find("[WARNING] The console history could not be saved to folder.txt"),
              std::string::npos);

    // The console window reads its history from the file at start.
    CConsoleWindow window("saved.txt");
    window.Toggle();
    window.HistoryBack();
    EXPECT_EQ(window.GetInput()->GetText(), "line 299");
}

TEST_F(CConsoleWindowTest, TabCompletesCommandAndVariableNames) {
    const Lines names = {"STARTTASK", "STOPTASK", "TASKLOAD", "gfx_flip_rects_size",
                         "gfx_flip_debug_rects"};
    CCompletion one = CompleteName("tas", 3, names);
    EXPECT_EQ(one.line, "TASKLOAD") << "spelt as the console has it";
    EXPECT_EQ(one.cursor, 8u);
    EXPECT_EQ(one.candidates, Lines{"TASKLOAD"});

    CCompletion several = CompleteName("x = gfx_f", 9, names);
    EXPECT_EQ(several.line, "x = gfx_flip_");
    EXPECT_EQ(several.candidates.size(), 2u);

    CCompletion inside = CompleteName("st(1); more", 2, names);
    EXPECT_EQ(inside.line, "st(1); more") << "STARTTASK and STOPTASK share only \"st\"";
    EXPECT_EQ(inside.candidates.size(), 2u);

    EXPECT_EQ(CompleteName("sta", 3, names).line, "STARTTASK");
    EXPECT_EQ(CompleteName("gfx_FLIP_D", 10, names).line, "gfx_flip_debug_rects");
    EXPECT_EQ(CompleteName("zzz", 3, names).line, "zzz");
    EXPECT_TRUE(CompleteName("zzz", 3, names).candidates.empty());
    EXPECT_EQ(CompleteName("load(", 5, names).line, "load(") << "no name at the cursor";
    EXPECT_EQ(CompleteName("tas", 99, names).line, "TASKLOAD") << "a cursor past the end";

    // Through the window, against the main console.
    Console()->AddVariable("ui_test_value", new CVarRefEmpty<std::string>("ui_test_value", "v"));
    myWindow->Toggle();
    Type("note(1); NO");
    Key(TAB, 9);
    EXPECT_EQ(Input(), "note(1); note");
    myWindow->GetInput()->SetText("ui_te");
    myWindow->GetInput()->CursorEnd();
    Key(TAB, 9);
    EXPECT_EQ(Input(), "ui_test_value");
    myWindow->GetInput()->SetText("s");
    myWindow->GetInput()->CursorEnd();
    Key(TAB, 9);
    const std::string& listed = myWindow->GetLines()->GetLines().back();
    EXPECT_NE(listed.find("starttask"), std::string::npos) << listed;
    EXPECT_NE(listed.find("stoptask"), std::string::npos) << listed;
    EXPECT_EQ(Input().substr(0, 1), "s");
}

TEST_F(CConsoleWindowTest, TheOutputKeepsTheNewestLinesCleaned) {
    CLogListenerForConsole lines;
    CLog::GetSingleton()->Printf("one\ttab\n");
    CLog::GetSingleton()->Write(std::string("bell\x07") + "\n");
    EXPECT_EQ(lines.GetLines(), (std::deque<std::string>{"one    tab", "bell"}));
    for (size_t i = 0; i < CLogListenerForConsole::MAX_LINES + 5; ++i)
        lines.AddLine(std::string(CLogListenerForConsole::MAX_LINE_LENGTH + 3, 'z'));
    EXPECT_EQ(lines.GetLines().size(), CLogListenerForConsole::MAX_LINES);
    EXPECT_EQ(lines.GetLines().back().size(), CLogListenerForConsole::MAX_LINE_LENGTH);
}

}  // namespace
