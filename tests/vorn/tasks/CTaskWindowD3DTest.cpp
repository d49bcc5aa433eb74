// The OpenGL window of the "d3d" task library, run through the real program.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "GlTaskFixture.h"
#include "TestEnvironment.h"
#include "XvfbServer.h"
#include "vorn/tasks/CTaskWindowD3D.h"

using testing_support::CScopedTempDir;
using testing_support::ReadFile;

namespace {

const char* const BACK_END_SCRIPT =
    "taskload(d3d)\n"
    "starttask(window, window, 1000, 320, 200, 32)\n"
    "starttask(event, event, 0)\n"
    "starttask(gfx, gfx, 900)\n";

TEST(CTaskWindowD3DTest, WithoutAnOpenGLWindowTheProgramEndsWithAMessage) {
    // SDL's dummy video driver has no OpenGL.
    CScopedTempDir dir;
    // A task that would keep the program running if the window's failure
    // did not end it.
    dir.WriteFile("autoexec.txt",
                  std::string(BACK_END_SCRIPT) + "starttask(keyboard, keyboard, 5)\n");
    std::string errors;
    EXPECT_EQ(testing_support::RunProgram(MONSTERS_BIN, dir.Path(), &errors, 60),
              vorn::CTaskWindowD3D::EXIT_NO_WINDOW);
    EXPECT_NE(errors.find("monsters: cannot open an OpenGL window"), std::string::npos) << errors;
    const std::string log = ReadFile(dir.Path() / "log.txt");
    EXPECT_NE(log.find("Error creating the new window"), std::string::npos) << log;
    EXPECT_NE(log.find("Creating Direct3D device"), std::string::npos) << log;
    EXPECT_NE(log.find("Could not create Direct3D Object"), std::string::npos) << log;
    EXPECT_NE(log.find("GfxShutDown complete"), std::string::npos) << log;
}

TEST(CTaskWindowD3DTest, TheProgramDrawsTheShowcaseAndObeysTheWindowCommands) {
    testing_support::CXvfbServer& x = testing_support::CXvfbServer::Shared();
    if (!x.IsRunning()) GTEST_SKIP() << x.GetProblem() << "; the OpenGL tests need an X display";
    CScopedTempDir dir;
    std::error_code error;
    std::filesystem::create_directory_symlink(
        std::filesystem::path(MONSTERS_SOURCE_DIR) / "game" / "data", dir.Path() / "data", error);
    dir.WriteFile("autoexec.txt", std::string(BACK_END_SCRIPT) +
                                      "window::SetName(\"Monsters on OpenGL\")\n"
                                      "window::Resize(800, 600)\n"
                                      "starttask(gfxtest, gfxtest, 500, 20, \"shot.bmp\")\n");
    // In the sanitizer build the program's leak check at its end is left
    // out: it cannot tell the OpenGL driver's memory (unloaded by then) from
    // a leak. The same code is leak-checked inside the test binary.
    const std::string command =
        "cd '" + dir.Path().string() + "' && DISPLAY=" + x.GetDisplayName() +
        " SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy LSAN_OPTIONS=detect_leaks=0"
        " timeout -k 10 120 '" +
        MONSTERS_BIN + "' > /dev/null 2> stderr.txt";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << ReadFile(dir.Path() / "stderr.txt");
    const std::string log = ReadFile(dir.Path() / "log.txt");
    EXPECT_NE(log.find("Creating Direct3D device [OK]"), std::string::npos) << log;
    EXPECT_NE(log.find("Direct3D device reset [OK]"), std::string::npos) << log;
    const gl_task_test::CPicture shot =
        gl_task_test::LoadPicture((dir.Path() / "shot.bmp").string());
    ASSERT_EQ(shot.width, 800) << log;
    ASSERT_EQ(shot.height, 600);
    // The floor of the showcase's background, as the SDL back end shows it.
    const uint32_t floor = shot.At(700, 590);
    EXPECT_NEAR(int(floor >> 16), 0x2E, 8);
    EXPECT_NEAR(int((floor >> 8) & 0xFF), 0x28, 8);
    EXPECT_NEAR(int(floor & 0xFF), 0x34, 8);
}

}  // namespace
