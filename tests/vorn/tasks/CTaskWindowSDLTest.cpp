#include <SDL.h>

#include <filesystem>
#include <fstream>

#include "SdlTaskFixture.h"
#include "vorn/gfx/CPixelScreenSDL.h"
#include "vorn/input/CEventBridge.h"
#include "vorn/tasks/CTaskWindowSDL.h"

using namespace vorn;
using namespace gfx_test;

namespace {

class CTaskWindowSDLTest : public sdl_task_test::SdlTaskTest {
protected:
    CTaskWindowSDL* Window() { return Task<CTaskWindowSDL>("window"); }
    // Runs a command on the window task's console and returns its result.
    std::string Command(const std::string& line) {
        return Window()->GetConsole()->ExecuteLine(line, false);
    }
    std::string Caption() {
        char* title = nullptr;
        SDL_WM_GetCaption(&title, nullptr);
        return title ? title : "";
    }
};

TEST_F(CTaskWindowSDLTest, StartsVideoFromItsParametersAndLogsEachStep) {
    CLogCapture log;
    Run("starttask(window, window, 1, 320, 200, 32, 0, 1, \"Vorn test\")");
    SDL_Surface* screen = SDL_GetVideoSurface();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->w, 320);
    EXPECT_EQ(screen->h, 200);
    EXPECT_EQ(screen->format->BitsPerPixel, 32);
    EXPECT_EQ(Caption(), "Vorn test");
    // It needs no frames: the kernel keeps it among the paused tasks.
    const auto& paused = Kernel()->GetPausedList();
    EXPECT_NE(std::find(paused.begin(), paused.end(), Window()), paused.end());

    for (const char* line :
         {"Initializing video [OK]", "Creating new window", "Compiled with SDL version: 1.2.",
          "Running with SDL version: 1.2.", "Using driver: dummy",
          "Using resizable ( SDL_RESIZABLE )", "Valid resolutions for current flags",
          "New window created succesfully"})
        EXPECT_TRUE(log.Has(line)) << line << "\n" << log.All();
    EXPECT_FALSE(log.Has("SDL_ANYFORMAT")) << "a depth was asked for";
    EXPECT_FALSE(log.Has("SDL_NOFRAME"));
    EXPECT_EQ(Window()->GetVideoFlags() & SDL_RESIZABLE, uint32_t(SDL_RESIZABLE));

    Run("stoptask(window)");
    EXPECT_EQ(SDL_WasInit(SDL_INIT_VIDEO), 0u);
}

TEST_F(CTaskWindowSDLTest, ParametersOfTheWrongKindOrOutOfRangeKeepTheDefaults) {
    CLogCapture log;
    Run("starttask(window, window, 1, \"wide\", 120, 0, 0, 0, 7, \"\", 0)");
    EXPECT_EQ(Window()->GetWidth(), CTaskWindowSDL::DEFAULT_WIDTH);
    EXPECT_EQ(Window()->GetHeight(), 120);
    EXPECT_EQ(Window()->GetWindowName(), "SDL Window") << "7 is not a name";
    EXPECT_TRUE(log.Has("Using anyformat ( SDL_ANYFORMAT )"));
    EXPECT_FALSE(log.Has("SDL_RESIZABLE"));
    EXPECT_TRUE(log.Has("( oh my god our window doesn't have frames!? ) ( SDL_NOFRAME )"));
    EXPECT_FALSE(log.Has("Error the screen mode is not available")) << "any depth will do";
    EXPECT_NE(SDL_GetVideoSurface(), nullptr);
    Run("stoptask(window)");

    log.Clear();
    Run("starttask(window, second, 1, 100000, 50, 33)");
    CTaskWindowSDL* second = Task<CTaskWindowSDL>("second");
    EXPECT_EQ(second->GetWidth(), CTaskWindowSDL::DEFAULT_WIDTH);
    EXPECT_EQ(second->GetHeight(), CTaskWindowSDL::DEFAULT_HEIGHT);
    EXPECT_EQ(second->GetBitsPerPixel(), 0);
    EXPECT_EQ(log.Count("[WARNING] CTaskWindowSDL:"), 2) << log.All();
}

TEST_F(CTaskWindowSDLTest, CommandsRenameResizeAndToggleFullscreen) {
    StartWindow(320, 200);
    Run("window::SetName(\"Monsters\")");
    EXPECT_EQ(Caption(), "Monsters");
    EXPECT_EQ(Command("SetName()"), "");
    EXPECT_EQ(Caption(), "");

    // Resize changes what is given and posts the size to the event bridge.
    Run("window::Resize(400)");
    EXPECT_EQ(SDL_GetVideoSurface()->w, 400);
    EXPECT_EQ(SDL_GetVideoSurface()->h, 200);
    EXPECT_EQ(CEventBridge::GetSingleton()->GetLastWidth(), 400);
    Command("Resize(300, 240)");
    Command("Resize()");
    EXPECT_EQ(SDL_GetVideoSurface()->w, 300);
    EXPECT_EQ(SDL_GetVideoSurface()->h, 240);
    EXPECT_EQ(SDL_GetVideoSurface()->format->BitsPerPixel, 32);
    EXPECT_NE(Command("Resize(0)").find("[ERROR]"), std::string::npos);
    EXPECT_NE(Command("Resize(100, 1000000000)").find("[ERROR]"), std::string::npos);
    EXPECT_NE(Command("Resize(-5, 20)").find("[ERROR]"), std::string::npos);
    EXPECT_EQ(SDL_GetVideoSurface()->w, 300) << "refused sizes change nothing";

    // A resize from the window system that no surface may have is refused too.
    CLogCapture log;
    CEventBridge::GetSingleton()->OnResize(-1, 50000);
    EXPECT_EQ(SDL_GetVideoSurface()->w, 300);
    EXPECT_TRUE(log.Has("Error the screen mode is not available", CLog::LEVEL_ERROR));

    log.Clear();
    Command("Fullscreen");
    EXPECT_TRUE(log.Has("crappy shiet"));
    EXPECT_TRUE(Window()->IsFullscreen());
    EXPECT_TRUE(SDL_GetVideoSurface()->flags & SDL_FULLSCREEN);
    EXPECT_EQ(SDL_GetVideoSurface()->w, 300);
    EXPECT_EQ(myScreenLayer.redrawRequests, 1);
    Run("window::Fullscreen");
    EXPECT_FALSE(Window()->IsFullscreen());
    EXPECT_FALSE(SDL_GetVideoSurface()->flags & SDL_FULLSCREEN);
}

TEST_F(CTaskWindowSDLTest, IconsMustBeReadableBmpsOfAtMost32By32Pixels) {
    StartWindow();
    auto grey = [](int, int) { return CColor(128, 128, 128); };
    WriteBmp("wide.bmp", 33, 16, grey);
    WriteBmp("tall.bmp", 16, 40, grey);
    WriteBmp("fits.bmp", 32, 32, grey);
    WriteBytes("broken.bmp", "BM not really a bitmap");

    CLogCapture log;
    Command("SetIcon(wide.bmp)");
    EXPECT_TRUE(log.Has(
        " CApplicationSDL::WindowSetIcon() Image's (wide.bmp) width is larger than 32 pixels"));
    EXPECT_FALSE(log.Has("height is larger"));
    Command("SetIcon(tall.bmp)");
    EXPECT_TRUE(log.Has(
        " CApplicationSDL::WindowSetIcon() Image's (tall.bmp) height is larger than 32 pixels"));
    log.Clear();
    Command("SetIcon(fits.bmp)");
    EXPECT_EQ(log.All(), "") << "32 x 32 is accepted";
    Command("SetIcon(missing.bmp)");
    Command("SetIcon(broken.bmp)");
    EXPECT_TRUE(log.Has(" CApplicationSDL::WindowSetIcon() Could not load file: missing.bmp"));
    EXPECT_TRUE(log.Has(" CApplicationSDL::WindowSetIcon() Could not load file: broken.bmp"));
    EXPECT_EQ(Command("SetIcon"), "[ERROR] You have to give atleast one parameter");
    EXPECT_EQ(Command("SetIcon()"), "[ERROR] You have to give atleast one parameter");

    // The icon may also come with the start parameters.
    Run("stoptask(window)");
    log.Clear();
    Run("starttask(window, iconic, 1, 64, 64, 32, 0, 1, \"Iconic\", \"wide.bmp\")");
    EXPECT_TRUE(log.Has("width is larger than 32 pixels"));
}

TEST_F(CTaskWindowSDLTest, ScreenshotWritesTheScreenAsABmpFile) {
    StartWindow(40, 30);
    SDL_Surface* screen = SDL_GetVideoSurface();
    CPixelSDL view(screen);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            view.PutPixel(x, y, CColor(x * 6, y * 8, (x * y) % 256));
    view.SetSurface(nullptr, false);

    EXPECT_EQ(Command("Screenshot(shot)"), "Screenshot saved to shot.bmp");
    Run("window::Screenshot(\"second.BMP\")");
    for (const char* name : {"shot.bmp", "second.BMP"}) {
        SDL_Surface* saved = SDL_LoadBMP(name);
        ASSERT_NE(saved, nullptr) << name;
        ASSERT_EQ(saved->w, 40);
        ASSERT_EQ(saved->h, 30);
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 40; ++x)
                ASSERT_TRUE(Near(PixelOf(saved, x, y), PixelOf(screen, x, y)))
                    << name << " at " << x << "," << y;
        SDL_FreeSurface(saved);
    }
    EXPECT_NE(Command("Screenshot").find("[ERROR]"), std::string::npos);

    // Missing folders are made, by the window's command as by the debug one.
    EXPECT_EQ(Command("Screenshot(\"nodir/a.bmp\")"), "Screenshot saved to nodir/a.bmp");
    EXPECT_TRUE(std::filesystem::is_regular_file("nodir/a.bmp"));
    ASSERT_EQ(Run("starttask(debug, debug, 8)"), "debug started");
    Run("debug::Screenshot(nodir2/deeper/shot)");
    EXPECT_TRUE(std::filesystem::is_regular_file("nodir2/deeper/shot_0001.bmp"));
    // A folder that cannot be made: a file stands in its place.
    std::ofstream("blocker") << "x";
    EXPECT_NE(Command("Screenshot(\"blocker/x\")").find("[ERROR]"), std::string::npos);
}

// A stopped window keeps its name, but a window started under it afterwards
// is the one the name reaches.
TEST_F(CTaskWindowSDLTest, AWindowStartedAgainUnderItsNameGetsTheCommands) {
    StartWindow(320, 200);
    CTask* first = Factory()->FindTask("window");
    Run("stoptask(window)");
    EXPECT_EQ(Factory()->FindTask("window"), first) << "the stopped task keeps its name";
    CLogCapture log;
    StartWindow(200, 100);
    EXPECT_NE(Factory()->FindTask("window"), first);
    EXPECT_EQ(log.Count("Task name window belonged to a stopped task"), 1);
    Run("window::Resize(240, 160)");
    ASSERT_NE(SDL_GetVideoSurface(), nullptr);
    EXPECT_EQ(SDL_GetVideoSurface()->w, 240);
    EXPECT_EQ(SDL_GetVideoSurface()->h, 160);
}

}  // namespace
