// Runs the real monsters program in a temporary folder with its own script.
#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>

#include "TestEnvironment.h"

using testing_support::CScopedTempDir;
using testing_support::ReadFile;
using testing_support::RunProgram;

namespace {

class ProgramTest : public ::testing::Test {
protected:
    // Runs the program with script as autoexec.txt; returns the exit code.
    int RunWith(const std::string& script) {
        if (!script.empty()) dir.WriteFile("autoexec.txt", script);
        return RunProgram(MONSTERS_BIN, dir.Path(), &errors, 60);
    }
    std::string Log() const { return ReadFile(dir.Path() / "log.txt"); }

    CScopedTempDir dir;
    std::string errors;
};

TEST_F(ProgramTest, RunsTheSelfTestsRegisteredInTheLinkedProgram) {
    EXPECT_EQ(RunWith("starttask(unittest)\n"), 0);
    const std::string log = Log();
    EXPECT_NE(log.find("( ) Registered test: CTimerTest"), std::string::npos);
    EXPECT_NE(log.find("( ) Registered test: CPathTest"), std::string::npos);
    EXPECT_NE(log.find("CFakeThreadTest [OK]"), std::string::npos);
    EXPECT_NE(log.find("All tests OK"), std::string::npos) << log;
    EXPECT_EQ(log.find("FAILED"), std::string::npos) << log;
}

TEST_F(ProgramTest, WithoutAWindowTheProgramSaysWhyAndEndsWithAFailure) {
    // No display (x11 with a display that does not exist), and a driver SDL
    // does not know: both give one clear line and a quick failing exit.
    dir.WriteFile("autoexec.txt",
                  "taskload(sdl)\nstarttask(window, window, 1000, 800, 600, 32)\n"
                  "starttask(event, event, 0)\nstarttask(gfx, gfx, 900)\n"
                  "starttask(game, game, 10)\n");
    for (const char* environment :
         {"DISPLAY=:987 SDL_VIDEODRIVER=x11", "SDL_VIDEODRIVER=no_such_driver"}) {
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(RunProgram(MONSTERS_BIN, dir.Path(), &errors, 20, environment), 1) << environment;
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
        EXPECT_EQ(errors.rfind("Cannot open the window: ", 0), 0u) << errors;
        EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
        EXPECT_NE(Log().find("Initializing video"), std::string::npos);
        EXPECT_EQ(Log().find("Trying to start a task game that doesn't exist"), std::string::npos)
            << "the linked program knows the game task";
    }
}

TEST_F(ProgramTest, MissingScriptSaysWhereItLookedAndExits) {
    EXPECT_EQ(RunWith(""), 0);
    EXPECT_NE(errors.find("autoexec.txt"), std::string::npos) << errors;
    EXPECT_NE(errors.find(dir.Path().filename().string()), std::string::npos) << errors;
    EXPECT_NE(Log().find("[ERROR] Cannot read the start-up script autoexec.txt in"),
              std::string::npos);
}

TEST_F(ProgramTest, ReportsUnknownTasksNamespacesAndLibrariesAndKeepsGoing) {
    const std::string script =
        "starttask(nosuchtype, x, 5)\n"
        "ghost::hello()\n"
        "taskload(nolib)\n"
        "pausetask(ghost)\n"
        "stoptask(ghost)\n"
        "starttask(unittest, tests)\n"
        "resumetask(tests)\n"
        "quit\n";
    EXPECT_EQ(RunWith(script), 0);
    const std::string log = Log();
    EXPECT_NE(log.find("[ERROR] Trying to start a task nosuchtype that doesn't exist."),
              std::string::npos);
    EXPECT_NE(log.find("[ERROR] Sorry the namespace or task ghost doesn't exist."),
              std::string::npos);
    EXPECT_NE(log.find("<!> TaskLoad failed - Couldn't load task: nolib"), std::string::npos);
    EXPECT_NE(log.find("[ERROR] Trying to pause a task ghost that doesn't exist."),
              std::string::npos);
    EXPECT_NE(log.find("CTaskFactory::StopTask() called"), std::string::npos);
    EXPECT_NE(log.find("All tests OK"), std::string::npos);
}

TEST_F(ProgramTest, HostileScriptDoesNotCrash) {
    std::string deep;
    for (int i = 0; i < 100000; ++i)
        deep += "a(";
    const std::string script = "load(autoexec.txt)\n" + deep + "\n" + std::string(10000, '"') +
                               "\n)(\n((((\nstarttask(\"\n,,,,\nquit(\n";
    EXPECT_EQ(RunWith(script), 0);
    EXPECT_NE(Log().find("autoexec.txt is already being executed"), std::string::npos);
}

// Start-up scripts that used to hang the program or eat its memory end it.
TEST_F(ProgramTest, HugeLinesRestartedTaskNamesAndAShowcaseWithoutGraphicsEnd) {
    std::string statements;
    for (int i = 0; i < 250000; ++i)
        statements += "y=1;";
    const std::string script = statements + "\n" + std::string(2 * 1024 * 1024, 'x') +
                               "\n"
                               "starttask(keyboard, k, 5)\n"
                               "stoptask(k)\n"
                               "starttask(keyboard, k, 5)\n"
                               "stoptask(k)\n";
    // No quit: the run ends because no task is left running.
    EXPECT_EQ(RunWith(script), 0);
    std::string log = Log();
    EXPECT_NE(log.find("line 2 of autoexec.txt is longer than 1048576 bytes; skipped"),
              std::string::npos);
    EXPECT_NE(log.find("Task name k belonged to a stopped task"), std::string::npos);

    EXPECT_EQ(RunWith("starttask(gfxtest, gfxtest, 500, 3, \"shot.bmp\")\n"
                      "load(/dev/zero)\n"),
              0);
    log = Log();
    EXPECT_NE(log.find("/dev/zero is larger than 67108864 bytes"), std::string::npos);
    EXPECT_NE(log.find("[ERROR] gfxtest: no graphics task is running"), std::string::npos);
}

TEST_F(ProgramTest, SecondRunStartsTheLogAfresh) {
    RunWith("starttask(nosuchtype)\n");
    RunWith("quit\n");
    const std::string log = Log();
    EXPECT_EQ(log.find("nosuchtype"), std::string::npos);
    EXPECT_EQ(log.find("New log created"), log.rfind("New log created"));
}

}  // namespace

namespace {

// Colour of one pixel of a BMP file as 0xRRGGBB.
uint32_t PixelAt(SDL_Surface* image, int x, int y) {
    SDL_Surface* rgb = SDL_CreateRGBSurface(SDL_SWSURFACE, 1, 1, 32, 0xFF0000, 0xFF00, 0xFF, 0);
    SDL_Rect from{static_cast<Sint16>(x), static_cast<Sint16>(y), 1, 1};
    SDL_BlitSurface(image, &from, rgb, nullptr);
    const uint32_t pixel = *static_cast<uint32_t*>(rgb->pixels) & 0xFFFFFF;
    SDL_FreeSurface(rgb);
    return pixel;
}

bool IsNear(uint32_t pixel, uint32_t expected, int tolerance = 40) {
    for (int shift : {0, 8, 16}) {
        const int a = (pixel >> shift) & 0xFF, b = (expected >> shift) & 0xFF;
        if (std::abs(a - b) > tolerance) return false;
    }
    return true;
}

TEST_F(ProgramTest, ShowcaseDrawsItsSpritesAndSavesAScreenshot) {
    // The showcase reads the shipped data folder.
    std::filesystem::copy(std::string(MONSTERS_SOURCE_DIR) + "/game/data", dir.Path() / "data",
                          std::filesystem::copy_options::recursive);
    const std::string script =
        "taskload(sdl)\n"
        "starttask(window, window, 1000, 800, 600, 32)\n"
        "starttask(event, event, 0)\n"
        "starttask(gfx, gfx, 900)\n"
        "starttask(gfxtest, gfxtest, 500, 30, \"shot.bmp\")\n";
    ASSERT_EQ(RunWith(script), 0) << errors;
    const std::string log = Log();
    EXPECT_EQ(log.find("<!>"), std::string::npos) << log;
    SDL_Surface* shot = SDL_LoadBMP((dir.Path() / "shot.bmp").string().c_str());
    ASSERT_NE(shot, nullptr) << log;
    EXPECT_EQ(shot->w, 800);
    EXPECT_EQ(shot->h, 600);
    // The floor of the background.
    EXPECT_TRUE(IsNear(PixelAt(shot, 700, 590), 0x2E2834)) << std::hex << PixelAt(shot, 700, 590);
    // The gear: golden pixels fill much of its box, whatever its angle.
    int golden = 0;
    for (int y = 190; y < 286; ++y)
        for (int x = 560; x < 656; ++x)
            if (IsNear(PixelAt(shot, x, y), 0xD6A03C, 45)) ++golden;
    EXPECT_GT(golden, 1500);
    // The slider covers the floor (its fill moves with time, its frame does not).
    EXPECT_FALSE(IsNear(PixelAt(shot, 400, 557), 0x2E2834, 8))
        << std::hex << PixelAt(shot, 400, 557);
    // Text sprites put light glyph pixels on the dark background in each row.
    for (int top : {250, 310, 370, 430}) {
        int light = 0;
        for (int y = top; y < top + 20; ++y)
            for (int x = 190; x < 610; ++x)
                if (IsNear(PixelAt(shot, x, y), 0xFAFAFA, 30)) ++light;
        EXPECT_GT(light, 100) << "text row at " << top;
    }
    SDL_FreeSurface(shot);
}

}  // namespace
