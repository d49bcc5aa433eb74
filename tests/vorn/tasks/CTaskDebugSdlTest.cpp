// The developer console under real use: the whole engine set up as the
// shipped start-up script does (window, events, graphics, keyboard, mouse, UI
// and debug tasks) on SDL's dummy drivers with the shipped art, driven by
// real SDL events (SDL_PushEvent); pixels are read back from the SDL screen.
#include <SDL.h>

#include "SdlEvents.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "EngineFixture.h"
#include "LogCapture.h"
#include "ManualTime.h"
#include "vorn/gfx/CAnimationUpdator.h"
#include "vorn/gfx/CScreenLayer.h"
#include "vorn/gfx/CTextSprite.h"
#include "vorn/gfx/Gfx.h"
#include "vorn/gfx/IPixel.h"
#include "vorn/input/CKeyboard.h"
#include "vorn/input/CMouse.h"
#include "vorn/input/CPlaybackMouse.h"
#include "vorn/tasks/CTaskDebug.h"
#include "vorn/tasks/CTaskGfxSDL.h"
#include "vorn/ui/CButtonWidget.h"
#include "vorn/ui/CCommandHistory.h"
#include "vorn/ui/CConsoleWidget.h"
#include "vorn/ui/CConsoleWindow.h"
#include "vorn/ui/CDesktopWidget.h"
#include "vorn/ui/CLogListenerForConsole.h"
#include "vorn/ui/CTextInputWidget.h"
#include "vorn/ui/CWindowWidget.h"
#include "vorn/utils/timer/CGlobalAppTimer.h"

using namespace vorn;
using namespace vorn::ui;
using testing_support::CLogCapture;
using testing_support::ReadFile;

namespace {

constexpr int W = 320;
constexpr int H = 240;
const std::string WINDOW_LINE = "starttask(window, window, 1000, 320, 240, 32)";

class CTaskDebugSdlTest : public testing_support::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        CKeyboard::DeleteSingleton();
        CMouse::DeleteSingleton();
        CDesktopWidget::DeleteSingleton();
        CGlobalAppTimer::DeleteSingleton();
        myTime = std::make_unique<testing_support::CScopedManualTime>(1000);
        std::filesystem::create_directories("data");
        for (const char* folder : {"gui", "fonts", "gfxtest"})
            std::filesystem::copy(std::string(MONSTERS_SOURCE_DIR) + "/game/data/" + folder,
                                  std::string("data/") + folder,
                                  std::filesystem::copy_options::recursive);
        for (const std::string& line :
             {std::string("taskload(sdl)"), WINDOW_LINE, std::string("starttask(event, event, 0)"),
              std::string("starttask(gfx, gfx, 900)"),
              std::string("starttask(keyboard, keyboard, 5)"),
              std::string("starttask(mouse, mouse, 6)"), std::string("starttask(ui, ui, 7)"),
              std::string("starttask(debug, debug, 8)"),
              std::string("keyboard::bind(f1, \"debug::ToggleConsole()\", 4)"),
              std::string("keyboard::bind(f11, \"window::Fullscreen()\", 4)"),
              std::string("keyboard::bind(f12, \"debug::Screenshot(shots/shot)\", 4)"),
              std::string("keyboard::bind(escape, \"escaped = 1\")"),
              std::string("keyboard::bind(x, \"bound_x = 1\")")})
            Run(line);
        HidePointer();
        Frames(2);
    }
    void TearDown() override {
        EngineTest::TearDown();
        CDesktopWidget::DeleteSingleton();
        CKeyboard::DeleteSingleton();
        CMouse::DeleteSingleton();
        CAnimationUpdator::DeleteSingleton();
        CScreenLayer::DeleteSingleton();
        CGlobalAppTimer::DeleteSingleton();
        myTime.reset();
        EXPECT_EQ(SDL_WasInit(SDL_INIT_EVERYTHING), 0u);
    }

    // The dummy driver draws SDL's own pointer into the screen.
    static void HidePointer() {
        if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_ShowCursor(SDL_DISABLE);
    }
    void Frames(int count) {
        for (int i = 0; i < count; ++i) {
            (*myTime)->now += 17;
            Kernel()->RunPass();
        }
    }
    static void PushKey(SDLKey key, Uint16 unicode = 0, bool down = true, bool up = true) {
        testing_support::PushKey(key, unicode, down, up);
    }
    void Key(SDLKey key, Uint16 unicode = 0) {
        PushKey(key, unicode);
        Frames(1);
    }
    void Type(const std::string& ascii) {
        for (char c : ascii)
            PushKey(SDLKey(c), Uint16(c));
        Frames(1);
    }
    void Click(int x, int y) {
        testing_support::PushClick(x, y);
        Frames(1);
    }

    CTaskDebug* Debug() { return dynamic_cast<CTaskDebug*>(Factory()->FindTask("debug")); }
    CConsoleWindow* Console() { return Debug()->GetConsoleWindow(); }
    bool IsOpen() { return Console() && Console()->IsOpen(); }
    CTextInputWidget* Input() { return IsOpen() ? Console()->GetInput() : nullptr; }
    std::string Typed() { return Input() ? Input()->GetText() : "<closed>"; }
    std::string Variable(const std::string& name) {
        return testing_support::EngineTest::Console()->GetVariable(name);
    }
    unsigned long DrawnFrames() {
        for (const auto* list : {&Kernel()->GetRunningList(), &Kernel()->GetPausedList()})
            for (CTask* task : *list)
                if (auto* gfx = dynamic_cast<CTaskGfxSDL*>(task))
                    if (!gfx->IsStopped()) return gfx->GetFrameCount();
        return 0;
    }

    // A pixel of the SDL screen.
    static SDL_Color Pixel(int x, int y) {
        SDL_Surface* screen = SDL_GetVideoSurface();
        SDL_Color color{0, 0, 0, 0};
        if (!screen || x < 0 || y < 0 || x >= screen->w || y >= screen->h) return color;
        SDL_LockSurface(screen);
        const Uint32 raw = *reinterpret_cast<const Uint32*>(
            static_cast<const Uint8*>(screen->pixels) + y * screen->pitch + x * 4);
        SDL_UnlockSurface(screen);
        SDL_GetRGB(raw, screen->format, &color.r, &color.g, &color.b);
        return color;
    }
    // The title bar's blue.
    static bool IsTitleBar(int x, int y) {
        const SDL_Color c = Pixel(x, y);
        return c.b > 120 && c.b > c.r + 60;
    }
    // Columns of the text cursor (light grey, 15 pixels high: taller than any
    // glyph's stroke) within the rectangle.
    static std::vector<int> CursorColumns(const types_rect& area) {
        std::vector<int> columns;
        for (int x = area.x; x < area.x + area.w; ++x) {
            int count = 0;
            for (int y = area.y; y < area.y + area.h; ++y) {
                const SDL_Color c = Pixel(x, y);
                count += c.r > 200 && c.g > 200 && c.b > 200;
            }
            if (count >= 14) columns.push_back(x);
        }
        return columns;
    }

    std::unique_ptr<testing_support::CScopedManualTime> myTime;
};

TEST_F(CTaskDebugSdlTest, StoppingAndRestartingTheDisplayTasksWhileEverythingDrawsIsSafe) {
    ASSERT_EQ(Run("starttask(gfxtest, showcase, 850)"), "gfxtest started");
    Key(SDLK_F1);
    ASSERT_TRUE(IsOpen());
    Frames(3);
    ASSERT_TRUE(IsTitleBar(100, 20));

    const std::vector<std::pair<std::string, std::string>> restarts = {
        {"window", WINDOW_LINE},
        {"event", "starttask(event, event, 0)"},
        {"gfx", "starttask(gfx, gfx, 900)"}};
    for (const auto& [task, start] : restarts) {
        // A showcase stops with its graphics task; its images go while the
        // graphics factory that made them is still there to free them.
        if (task == "gfx") Run("stoptask(showcase)");
        Run("stoptask(" + task + ")");
        Frames(1);
        if (task == "window") {
            ASSERT_NE(Gfx::GetScreenSurface(), nullptr);
            EXPECT_TRUE(Gfx::GetScreenSurface()->Empty()) << "the freed video surface is let go";
        }
        // Everything keeps drawing meanwhile: the counter takes samples and
        // changes its text, the console shows new lines, the showcase moves.
        for (int i = 0; i < 3; ++i) {
            (*myTime)->now += 600;
            Kernel()->RunPass();
            Input()->SetText("typed while " + task + " is away " + std::to_string(i));
            Input()->CursorEnd();
            Run("note = " + std::to_string(i));
        }
        EXPECT_NE(Debug()->GetFpsText()->GetText(), "Fps: ");
        Run(start);
        HidePointer();
        Frames(3);
        EXPECT_TRUE(IsTitleBar(100, 20)) << "drawn again after restarting " << task;
    }
    // Keys arrive again through the new event task.
    Type("ok");
    EXPECT_EQ(Typed(), "typed while gfx is away 2ok");
}

// A recording whose times climb a little under a day per line carries the
// application clock past 2^31 and round past 2^32 in mode 1: every pass
// still draws a frame, and the console opened afterwards is on screen.
TEST_F(CTaskDebugSdlTest, FramesAreDrawnWhileTheClockPassesTwoToTheThirtyOneAndWraps) {
    {
        std::ofstream out("wrap.txt");
        out << "12\n";
        uint32_t time = 0;
        for (int line = 0; line < 52; ++line) {
            time += 86000000;  // wraps past 2^32 as the clock does
            out << time << " mm " << (10 + line) << " 200\n";
        }
    }
    CLogCapture log;
    Run("debug::PlaybackInput(wrap.txt, 1)");
    auto* player = dynamic_cast<CPlaybackMouse*>(Debug()->GetInputDevice());
    ASSERT_NE(player, nullptr);
    EXPECT_EQ(player->GetPending().size(), 52u);
    bool passed31 = false;
    bool wrapped = false;
    uint32_t previous = CGlobalAppTimer::GetSingleton()->GetTime();
    for (int pass = 0; pass < 60 && !player->IsFinished(); ++pass) {
        const unsigned long before = DrawnFrames();
        Frames(1);
        const uint32_t now = CGlobalAppTimer::GetSingleton()->GetTime();
        passed31 = passed31 || now >= 0x80000000u;
        wrapped = wrapped || now < previous;
        previous = now;
        // The pass that plays the last event lets the clock go, without a jump.
        if (!player->IsFinished()) {
            EXPECT_EQ(DrawnFrames(), before + 1) << "pass " << pass << " at " << now;
        }
    }
    EXPECT_TRUE(player->IsFinished());
    EXPECT_TRUE(passed31);
    EXPECT_TRUE(wrapped);
    EXPECT_EQ(log.Count("skipped"), 0) << log.All();

    Key(SDLK_F1);
    Frames(2);
    ASSERT_TRUE(IsOpen());
    EXPECT_TRUE(IsTitleBar(100, 20)) << "a frame drawn after the wrap";
    const unsigned long before = DrawnFrames();
    Frames(5);
    EXPECT_EQ(DrawnFrames(), before + 5);
}

TEST_F(CTaskDebugSdlTest, AClickAnywhereInTheConsoleKeepsTheKeyboardInItsInputLine) {
    Key(SDLK_F1);
    ASSERT_TRUE(IsOpen());
    CWindowWidget* window = Console()->GetWindow();
    const types_rect title = window->GetTitleBar()->GetRect();
    const types_rect output = Console()->GetOutput()->GetRect();
    for (const types_point& at :
         {types_point(title.x + 60, title.y + 10), types_point(output.x + 50, output.y + 40),
          types_point(window->GetRect().x + 1, window->GetRect().y + 100)}) {
        Click(at.x, at.y);
        EXPECT_EQ(CWidget::GetFocusedWidget(), Input()) << at.x << "," << at.y;
        Type("x");
    }
    EXPECT_EQ(Typed(), "xxx");
    EXPECT_EQ(Variable("bound_x"), "") << "typing ran no binding";

    // F12 (bound ahead of the focus blocker) works while the console has the
    // keyboard; Escape closes the console and runs nothing else.
    Key(SDLK_F12);
    EXPECT_TRUE(std::filesystem::exists("shots/shot_0001.bmp"));
    EXPECT_TRUE(IsOpen());
    {
        CLogCapture log;
        Key(SDLK_F11);
        Key(SDLK_F11);
        EXPECT_EQ(log.Count("crappy shiet"), 2) << "fullscreen toggled twice";
    }
    HidePointer();
    Frames(2);
    EXPECT_TRUE(IsTitleBar(Console()->GetWindow()->GetRect().x + 60, title.y + 10));
    EXPECT_EQ(Typed(), "xxx");
    Key(SDLK_ESCAPE, 27);
    EXPECT_FALSE(IsOpen());
    EXPECT_EQ(Variable("escaped"), "");
    Key(SDLK_ESCAPE, 27);
    EXPECT_EQ(Variable("escaped"), "1") << "with the console closed the binding runs";

    // A click outside the console takes the keyboard away from it.
    Key(SDLK_F1);
    Click(W - 5, H - 5);
    EXPECT_EQ(CWidget::GetFocusedWidget(), nullptr);
    Type("x");
    EXPECT_EQ(Variable("bound_x"), "1");
}

TEST_F(CTaskDebugSdlTest, AccentedLettersAreTypedShownAndKeptAsUtf8) {
    Key(SDLK_F1);
    // "caf", then e acute and a euro sign (beyond the fonts' Latin-1).
    Type("caf");
    PushKey(SDLK_WORLD_73, 0xE9);
    PushKey(SDLK_e, 0x20AC);
    Frames(1);
    EXPECT_EQ(Typed(), "caf\xC3\xA9\xE2\x82\xAC");
    Key(SDLK_BACKSPACE, 8);
    EXPECT_EQ(Typed(), "caf\xC3\xA9") << "one character, not one byte, goes";
    Key(SDLK_LEFT);
    EXPECT_EQ(Input()->GetCursor(), 3u);
    Key(SDLK_RIGHT);
    Frames(1);

    // The letter is drawn: the cursor stands one glyph further right than
    // after "caf", and something light lies between.
    const types_rect line = Input()->GetRect();
    const std::vector<int> after = CursorColumns(line);
    ASSERT_FALSE(after.empty());
    Key(SDLK_LEFT);
    const std::vector<int> before = CursorColumns(line);
    ASSERT_FALSE(before.empty());
    EXPECT_GT(after.front(), before.front() + 3);

    Key(SDLK_RETURN, 13);
    EXPECT_EQ(Console()->GetHistory().GetEntries().back(), "caf\xC3\xA9");
    EXPECT_NE(ReadFile("console_history.txt").find("caf\xC3\xA9\n"), std::string::npos);
    const auto& shown = Console()->GetLines()->GetLines();
    EXPECT_NE(std::find(shown.begin(), shown.end(), "caf\xC3\xA9"), shown.end());
    Key(SDLK_UP);
    EXPECT_EQ(Typed(), "caf\xC3\xA9");

    // A held key repeats its letter.
    Input()->SetText("");
    PushKey(SDLK_WORLD_73, 0xE9, true, false);
    Frames(42);  // about 700 ms
    PushKey(SDLK_WORLD_73, 0, false, true);
    Frames(1);
    const std::string repeated = Typed();
    ASSERT_GE(repeated.size(), 4u);
    EXPECT_EQ(repeated.find_first_not_of("\xC3\xA9"), std::string::npos) << repeated;
    EXPECT_EQ(repeated.size() % 2, 0u) << "whole letters only";
}

TEST_F(CTaskDebugSdlTest, WithoutAUiTaskTheConsoleDoesNotOpen) {
    Run("stoptask(ui)");
    CLogCapture log;
    Key(SDLK_F1);
    EXPECT_FALSE(IsOpen());
    EXPECT_EQ(log.Count("ToggleConsole: there is no running ui task"), 1);
    Type("x");
    EXPECT_EQ(Variable("bound_x"), "1") << "no widget holds the keyboard";
}

TEST_F(CTaskDebugSdlTest, TheConsoleStaysReachableInASmallWindow) {
    Key(SDLK_F1);
    Run("window::Resize(300, 150)");
    HidePointer();
    Frames(3);
    CWindowWidget* window = Console()->GetWindow();
    const types_rect rect = window->GetRect();
    EXPECT_GE(rect.x, 0);
    EXPECT_GE(rect.y, 0);
    EXPECT_LE(rect.x + rect.w, 300);
    EXPECT_LE(rect.y + rect.h, 150);
    const types_rect close = window->GetCloseButton()->GetRect();
    EXPECT_LE(close.x + close.w, 300);
    // Title bar and close button are on screen.
    EXPECT_TRUE(IsTitleBar(rect.x + 30, rect.y + 12));
    const SDL_Color button = Pixel(close.x + 10, close.y + 10);
    EXPECT_GT(button.r + button.g + button.b, 60);
    EXPECT_EQ(Input()->GetRect().y + Input()->GetRect().h, rect.y + rect.h - 2);

    Click(close.x + 10, close.y + 10);
    Frames(1);
    EXPECT_FALSE(IsOpen()) << "the close button can be clicked";
}

TEST_F(CTaskDebugSdlTest, TheCursorAfterATabStandsWhereTheTextEnds) {
    std::ofstream("console_history.txt") << "a\tb\n";
    Key(SDLK_F1);
    Key(SDLK_UP);
    ASSERT_EQ(Typed(), "a\tb");
    Frames(2);
    // The light pixels of the text ("b" is the last glyph) end just left of
    // the cursor.
    const types_rect line = Input()->GetRect();
    const std::vector<int> cursor = CursorColumns(line);
    ASSERT_FALSE(cursor.empty());
    int lastText = -1;
    for (int x = line.x; x < cursor.front(); ++x)
        for (int y = line.y; y < line.y + line.h; ++y) {
            const SDL_Color c = Pixel(x, y);
            if (c.r > 120 && c.g > 120 && c.b > 120) lastText = x;
        }
    ASSERT_GE(lastText, 0);
    EXPECT_LE(cursor.front() - lastText, 4) << "cursor at " << cursor.front();
    EXPECT_GE(cursor.front() - lastText, 1);
}

TEST_F(CTaskDebugSdlTest, KeypadEnterRunsTheLineAndTabCompletesEveryTasksCommands) {
    Key(SDLK_F1);
    Type("seen = 7");
    Key(SDLK_KP_ENTER, 13);
    EXPECT_EQ(Variable("seen"), "7");
    EXPECT_EQ(Typed(), "");

    auto complete = [&](const std::string& text) {
        Input()->SetText(text);
        Input()->CursorEnd();
        Key(SDLK_TAB, 9);
        return Typed();
    };
    EXPECT_EQ(complete("debug::R"), "debug::RecordInput");
    EXPECT_EQ(complete("debug::Tog"), "debug::ToggleConsole");
    EXPECT_EQ(complete("window::Fu"), "window::Fullscreen");
    EXPECT_EQ(complete("keyboard::b"), "keyboard::bind");
    EXPECT_EQ(complete("mouse::CursorH"), "mouse::CursorHide");
    EXPECT_EQ(complete("start"), "starttask");
    EXPECT_EQ(complete("keyb"), "keyboard::") << "a task name goes on with ::";
    EXPECT_EQ(complete("nosuchtask::x"), "nosuchtask::x");

    CLogCapture log;
    EXPECT_EQ(complete("window::S"), "window::S");
    EXPECT_TRUE(log.Has("Screenshot, SetIcon, SetName")) << log.All();
    EXPECT_EQ(complete("window::se"), "window::Set");
    log.Clear();
    complete("");
    EXPECT_TRUE(log.Has("Commands: ")) << log.All();
    EXPECT_TRUE(log.Has("starttask")) << log.All();
    EXPECT_TRUE(log.Has("Tasks: ")) << log.All();
    EXPECT_TRUE(log.Has("debug::, event::, gfx::, keyboard::, mouse::, ui::, window::"))
        << log.All();
    log.Clear();
    complete("window::");
    EXPECT_TRUE(log.Has("window:: Fullscreen, Resize, Screenshot, SetIcon, SetName")) << log.All();
}

TEST_F(CTaskDebugSdlTest, TheCounterMakesWayForAMaximizedConsolesButtons) {
    CTextSprite* counter = Debug()->GetFpsText();
    const types_rect home = counter->GetRect();
    EXPECT_EQ(home.x + home.w, W - 5) << "top right";
    Key(SDLK_F1);
    CWindowWidget* window = Console()->GetWindow();
    window->ToggleMaximize();
    Frames(2);
    const types_rect aside = counter->GetRect();
    EXPECT_FALSE(aside.Intersects(window->GetMaximizeButton()->GetRect()));
    EXPECT_FALSE(aside.Intersects(window->GetCloseButton()->GetRect()));
    // The close button is on screen and answers a click.
    const types_rect close = window->GetCloseButton()->GetRect();
    Click(close.x + 10, close.y + 10);
    Frames(1);
    EXPECT_FALSE(IsOpen());
    EXPECT_EQ(counter->GetRect(), home) << "back in its corner";
}

}  // namespace
