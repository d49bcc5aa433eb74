#include <filesystem>
#include <fstream>

#include "../ui/UiTestSupport.h"
#include "vorn/gfx/CTextSprite.h"
#include "vorn/input/CGuiElement.h"
#include "vorn/input/CPlaybackMouse.h"
#include "vorn/input/CRecordMouse.h"
#include "vorn/tasks/CTaskDebug.h"
#include "vorn/tasks/DebugCommands.h"
#include "vorn/ui/CButtonWidget.h"
#include "vorn/ui/CConsoleWindow.h"
#include "vorn/ui/CLogListenerForConsole.h"
#include "vorn/ui/CTextInputWidget.h"
#include "vorn/ui/CWindowWidget.h"
#include "vorn/utils/random/CRandom.h"
#include "vorn/utils/signalslot/SignalSlot.h"

using namespace vorn;
using namespace vorn::ui;
using namespace ui_test;

namespace {

using Lines = std::vector<std::string>;

class CTaskDebugTest : public CUiTaskTestBase {
protected:
    void SetUp() override {
        CUiTaskTestBase::SetUp();
        SetAssertsBanned(false);
        ASSERT_EQ(Run("starttask(ui, ui, 7)"), "ui started");
        ASSERT_EQ(Run("starttask(debug, debug, 8)"), "debug started");
        myTask = dynamic_cast<CTaskDebug*>(Factory()->FindTask("debug"));
        ASSERT_NE(myTask, nullptr);
    }
    size_t Count(const std::string& text) const {
        const std::string log = Log();
        size_t count = 0;
        for (size_t at = log.find(text); at != std::string::npos; at = log.find(text, at + 1))
            ++count;
        return count;
    }

    CTaskDebug* myTask = nullptr;
};

TEST_F(CTaskDebugTest, ToggleConsoleOpensAndClosesTheConsoleWindow) {
    EXPECT_EQ(myTask->GetConsoleWindow(), nullptr) << "made on first use";
    Run("debug::ToggleConsole()");
    ASSERT_NE(myTask->GetConsoleWindow(), nullptr);
    EXPECT_TRUE(myTask->GetConsoleWindow()->IsOpen());
    EXPECT_EQ(Desktop()->GetChildren().size(), 1u);
    Run("debug::ToggleConsole");
    EXPECT_FALSE(myTask->GetConsoleWindow()->IsOpen());
    EXPECT_TRUE(Desktop()->GetChildren().empty());

    // The close button asks; the task's next frame closes it.
    Run("debug::ToggleConsole()");
    myTask->GetConsoleWindow()->GetWindow()->SetCloseRequested(true);
    Kernel()->RunPass();
    EXPECT_FALSE(myTask->GetConsoleWindow()->IsOpen());

    // Tab knows the task's own commands after "debug::".
    Run("debug::ToggleConsole()");
    CConsoleWindow* console = myTask->GetConsoleWindow();
    console->GetInput()->SetText("debug::Tog");
    console->GetInput()->CursorEnd();
    console->Complete();
    EXPECT_EQ(console->GetInput()->GetText(), "debug::ToggleConsole");
    console->GetInput()->SetText("elsewhere::Tog");
    console->GetInput()->CursorEnd();
    console->Complete();
    EXPECT_EQ(console->GetInput()->GetText(), "elsewhere::Tog");
    Run("debug::ToggleConsole()");

    // Lines logged before the window first opened are in it.
    EXPECT_FALSE(myTask->GetConsoleWindow()->GetLines()->GetLines().empty());

    Run("stoptask(debug)");
    EXPECT_EQ(GetToggleConsoleCommand().GetTask(), nullptr);
    EXPECT_EQ(GetRecordInputCommand().GetTask(), nullptr);
    EXPECT_EQ(GetPlaybackInputCommand().GetTask(), nullptr);
    EXPECT_EQ(GetToggleConsoleCommand().Execute(), "") << "does nothing after Exit";
    EXPECT_TRUE(Desktop()->GetChildren().empty());
    EXPECT_EQ(myTask->GetConsole(), nullptr);
    EXPECT_TRUE(myTask->ExecuteNamespaceLine("ToggleConsole()"));
}

// The name "debug" reaches the restarted task, not the stopped one, so F1
// and the console line open its console.
TEST_F(CTaskDebugTest, ARestartedDebugTaskOpensTheConsoleAgain) {
    ASSERT_EQ(Run("starttask(keyboard, keyboard, 5)"), "keyboard started");
    Run("keyboard::bind(f1, \"debug::ToggleConsole()\", 4)");
    Run("stoptask(debug)");
    ASSERT_EQ(Run("starttask(debug, debug, 8)"), "debug started");
    auto* restarted = dynamic_cast<CTaskDebug*>(Factory()->FindTask("debug"));
    ASSERT_NE(restarted, nullptr);
    ASSERT_NE(restarted, myTask);
    EXPECT_EQ(Count("Task name debug belonged to a stopped task"), 1u);

    const int f1 = 282;
    Bridge()->OnKeyDown(f1, 0);
    Bridge()->OnKeyUp(f1, 0);
    Kernel()->RunPass();
    ASSERT_NE(restarted->GetConsoleWindow(), nullptr) << "F1 reached the new task";
    EXPECT_TRUE(restarted->GetConsoleWindow()->IsOpen());
    Run("debug::ToggleConsole()");
    EXPECT_FALSE(restarted->GetConsoleWindow()->IsOpen());
    Run("debug::ToggleConsole()");
    EXPECT_TRUE(restarted->GetConsoleWindow()->IsOpen());
}

TEST_F(CTaskDebugTest, ALineTypedIntoTheConsoleMayStopTheInterfaceItRunsIn) {
    Run("debug::ToggleConsole()");
    for (char c : std::string("stoptask(ui)")) {
        Bridge()->OnKeyDown(static_cast<unsigned char>(c), static_cast<uint8_t>(c));
        Bridge()->OnKeyUp(static_cast<unsigned char>(c), static_cast<uint8_t>(c));
    }
    Bridge()->OnKeyDown(13, 13);  // the desktop goes while it hands out this key
    EXPECT_EQ(CDesktopWidget::PeekSingleton(), nullptr);
    EXPECT_FALSE(myTask->GetConsoleWindow()->IsOpen());
    Bridge()->OnKeyUp(13, 13);
    Kernel()->RunPass();
    // Without the UI no key would reach it: the console says so and stays shut.
    Run("debug::ToggleConsole()");
    EXPECT_FALSE(myTask->GetConsoleWindow()->IsOpen());
    EXPECT_EQ(CDesktopWidget::PeekSingleton(), nullptr);
    EXPECT_EQ(Count("ToggleConsole: there is no running ui task"), 1u);
    ASSERT_EQ(Run("starttask(ui, ui2, 7)"), "ui started");
    Run("debug::ToggleConsole()");
    EXPECT_TRUE(myTask->GetConsoleWindow()->IsOpen());
}

TEST_F(CTaskDebugTest, BanAssertsSetsTheFlagOrExplainsItself) {
    const std::string usage = CConsoleCmdBanAsserts::USAGE;
    Run("debug::BanAsserts(2)");
    EXPECT_TRUE(AreAssertsBanned());
    Run("debug::BanAsserts(0)");
    EXPECT_FALSE(AreAssertsBanned());
    Run("debug::BanAsserts(0.5)");
    EXPECT_FALSE(AreAssertsBanned()) << "truncated to 0";
    EXPECT_EQ(Count(usage), 0u);
    Run("debug::BanAsserts(yes)");
    EXPECT_TRUE(AreAssertsBanned());
    EXPECT_EQ(Count(usage), 1u);
    Run("debug::BanAsserts(0)");
    Run("debug::BanAsserts");
    EXPECT_FALSE(AreAssertsBanned()) << "without parentheses nothing changes";
    EXPECT_EQ(Count(usage), 2u);
    Run("debug::BanAsserts()");
    EXPECT_EQ(Count(usage), 2u) << "an empty list does nothing at all";
    Run("debug::BanAsserts(-99999999999999999999)");
    EXPECT_TRUE(AreAssertsBanned());
}

TEST_F(CTaskDebugTest, RecordingAndPlaybackReplaceEachOtherAndReportMisuse) {
    Run("debug::RecordInput(first.txt)");
    auto* first = dynamic_cast<CRecordMouse*>(myTask->GetInputDevice());
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->IsRecording());
    Run("debug::RecordInput(second.txt)");
    auto* second = dynamic_cast<CRecordMouse*>(myTask->GetInputDevice());
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->GetFileName(), "second.txt");
    Bridge()->OnMouseMove(5, 6, 0, 0);
    Run("debug::PlaybackInput(second.txt)");
    auto* player = dynamic_cast<CPlaybackMouse*>(myTask->GetInputDevice());
    ASSERT_NE(player, nullptr);
    EXPECT_EQ(player->GetMode(), CPlaybackMouse::MODE_STEPPED);
    EXPECT_EQ(player->GetPending().size(), 1u) << "the recording was closed first";
    for (const auto& [line, mode] :
         std::vector<std::pair<std::string, int>>{{"debug::PlaybackInput(second.txt, 0)", 0},
                                                  {"debug::PlaybackInput(second.txt, 1)", 1},
                                                  {"debug::PlaybackInput(second.txt, 2)", 2},
                                                  {"debug::PlaybackInput(second.txt, 7)", 2},
                                                  {"debug::PlaybackInput(second.txt, fast)", 2},
                                                  {"debug::PlaybackInput(second.txt, 0.5)", 2}}) {
        Run(line);
        player = dynamic_cast<CPlaybackMouse*>(myTask->GetInputDevice());
        ASSERT_NE(player, nullptr) << line;
        EXPECT_EQ(player->GetMode(), mode) << line;
    }

    const std::string record = CConsoleCmdRecordInput::USAGE;
    const std::string playback = CConsoleCmdPlaybackInput::USAGE;
    for (const char* line :
         {"debug::RecordInput", "debug::RecordInput()", "debug::RecordInput(12)"})
        Run(line);
    for (const char* line :
         {"debug::PlaybackInput", "debug::PlaybackInput()", "debug::PlaybackInput(3)"})
        Run(line);
    EXPECT_EQ(Count(record), 3u);
    EXPECT_EQ(Count(playback), 3u);
    EXPECT_NE(dynamic_cast<CPlaybackMouse*>(myTask->GetInputDevice()), nullptr) << "left alone";
    Run("debug::PlaybackInput(no such file.txt)");
    Kernel()->RunPass();
}

TEST_F(CTaskDebugTest, TheCounterShowsThePassesOfEachSecond) {
    ASSERT_NE(myTask->GetFpsText(), nullptr);
    ASSERT_NE(myTask->GetFpsElement(), nullptr);
    EXPECT_EQ(myTask->GetFpsElement()->GetSprite(), myTask->GetFpsText());
    EXPECT_EQ(myTask->GetFpsText()->GetZ(), -6);
    ASSERT_NE(myTask->GetFpsText()->GetBackdrop(), nullptr);
    EXPECT_EQ(myTask->GetFpsText()->GetBackdrop()->GetZ(), -5);
    // 60 passes a second: 16 or 17 ms apart.
    for (int pass = 0; pass < 60; ++pass) {
        Advance(pass % 3 == 0 ? 16 : 17);
        Kernel()->RunPass();
    }
    EXPECT_EQ(myTask->GetFpsText()->GetText(), "Fps: 60");
    EXPECT_EQ(myTask->GetMinimum(), 60u);
    EXPECT_EQ(myTask->GetMaximum(), 60u);
    EXPECT_DOUBLE_EQ(myTask->GetAverage(), 60.0);
    for (int pass = 0; pass < 30; ++pass) {
        Advance(34);
        Kernel()->RunPass();
    }
    EXPECT_EQ(myTask->GetFpsText()->GetText(), "Fps: 30");
    EXPECT_EQ(myTask->GetMinimum(), 30u);
    EXPECT_DOUBLE_EQ(myTask->GetAverage(), 45.0);
}

TEST_F(CTaskDebugTest, ScreenshotsAreNumberedAboveTheHighestThere) {
    EXPECT_EQ(NextScreenshotName("shots/shot"), "shots/shot_0001.bmp");
    EXPECT_TRUE(std::filesystem::is_directory("shots"));
    for (const char* name : {"shots/shot_0001.bmp", "shots/shot_0007.BMP", "shots/shot_x.bmp",
                             "shots/shot_12.txt", "shots/other_0099.bmp", "shots/shot_.bmp"})
        std::ofstream(name) << "x";
    EXPECT_EQ(NextScreenshotName("shots/shot"), "shots/shot_0008.bmp");
    std::ofstream("shots/shot_99999.bmp") << "x";
    EXPECT_EQ(NextScreenshotName("shots/shot"), "shots/shot_100000.bmp");
    EXPECT_EQ(NextScreenshotName("plain"), "plain_0001.bmp");
    EXPECT_EQ(NextScreenshotName("shots/"), "");
    // Without a window task the command says so and saves nothing.
    Run("debug::Screenshot(shots/shot)");
    EXPECT_NE(Log().find("Screenshot: there is no window task named window"), std::string::npos);
    Run("debug::Screenshot(\"bad\"\"name\")");
}

// Records a session of mouse input through the real event flow into two
// buttons, then plays it back as fast as frames go (mode 1): the same clicks
// reach the same buttons at the same application times, drawing the same
// random numbers.
TEST_F(CTaskDebugTest, APlayedBackSessionClicksTheSameButtonsAtTheSameTimes) {
    struct CClicks : CCSSObject<CClicks> {
        Lines notes;
        std::string name;
        void Click() {
            notes.push_back(name + " @" +
                            std::to_string(CGlobalAppTimer::GetSingleton()->GetTime()) + " " +
                            std::to_string(CRandom::GetSingleton()->NextUint32()));
        }
    };
    Lines notes;
    auto build = [&](std::vector<std::unique_ptr<CClicks>>& targets) {
        for (const auto& [name, x] : {std::pair<std::string, int>{"ok", 100}, {"cancel", 300}}) {
            auto* button = new CButtonWidget(Desktop(), {x, 100, 80, 30}, false, name, "");
            auto target = std::make_unique<CClicks>();
            target->name = name;
            button->GetClickSignal().Connect(target.get(), &CClicks::Click);
            targets.push_back(std::move(target));
        }
    };
    auto collect = [](std::vector<std::unique_ptr<CClicks>>& targets) {
        Lines all;
        for (auto& target : targets)
            all.insert(all.end(), target->notes.begin(), target->notes.end());
        std::sort(all.begin(), all.end());
        return all;
    };

    // The session, as the user made it.
    std::vector<std::unique_ptr<CClicks>> recorded;
    build(recorded);
    Run("debug::RecordInput(session.txt)");
    const double seed = CRandom::GetSingleton()->GetSeed();
    const struct {
        uint32_t wait;
        char what;
        int a, b;
    } session[] = {{120, 'm', 110, 110}, {40, 'd', 1, 0},      {35, 'u', 1, 0},
                   {300, 'm', 320, 120}, {16, 'd', 1, 0},      {50, 'm', 600, 400},
                   {20, 'u', 1, 0},      {400, 'm', 330, 115}, {16, 'd', 4, 0},
                   {10, 'u', 4, 0},      {900, 'd', 1, 0},     {7, 'u', 1, 0},
                   {250, 'm', 150, 120}, {3, 'd', 1, 0},       {3, 'u', 1, 0}};
    for (const auto& step : session) {
        Advance(step.wait);
        if (step.what == 'm') Bridge()->OnMouseMove(step.a, step.b, 0, 0);
        if (step.what == 'd') Bridge()->OnMouseButtonDown(step.a);
        if (step.what == 'u') Bridge()->OnMouseButtonUp(step.a);
        Kernel()->RunPass();
    }
    const Lines original = collect(recorded);
    ASSERT_EQ(original.size(), 3u) << "ok, cancel, ok: the press dragged off cancel clicks nothing";

    // A new start: fresh buttons, another seed, the clock from 0 again.
    CDesktopWidget::DeleteSingleton();
    Desktop()->Resize(800, 600);
    recorded.clear();
    std::vector<std::unique_ptr<CClicks>> replayed;
    build(replayed);
    CRandom::GetSingleton()->SetSeed(12345);
    Advance(5000);
    CGlobalAppTimer::GetSingleton()->SetTime(0);
    Run("debug::PlaybackInput(session.txt, 1)");
    EXPECT_EQ(CRandom::GetSingleton()->GetSeed(), seed);
    auto* player = dynamic_cast<CPlaybackMouse*>(myTask->GetInputDevice());
    ASSERT_NE(player, nullptr);
    int passes = 0;
    while (!player->IsFinished() && passes < 100) {
        Kernel()->RunPass();
        ++passes;
    }
    EXPECT_LT(passes, 20) << "mode 1 does not wait for the clock";
    EXPECT_EQ(collect(replayed), original);
}

}  // namespace
