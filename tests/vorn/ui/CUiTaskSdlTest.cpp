// The UI task fed by the SDL event task, with real SDL events (dummy driver).
#include <SDL.h>

#include "SdlEvents.h"

#include <filesystem>
#include <fstream>

#include "../tasks/SdlTaskFixture.h"
#include "vorn/input/CKeyboard.h"
#include "vorn/input/CMouse.h"
#include "vorn/input/InputTaskTypes.h"
#include "vorn/ui/CDesktopWidget.h"
#include "vorn/ui/CTextInputWidget.h"
#include "vorn/ui/UiTaskTypes.h"

using namespace vorn;
using namespace vorn::ui;

namespace {

class CUiTaskSdlTest : public sdl_task_test::SdlTaskTest {
protected:
    void SetUp() override {
        SdlTaskTest::SetUp();
        CKeyboard::DeleteSingleton();
        CMouse::DeleteSingleton();
        CDesktopWidget::DeleteSingleton();
        RegisterInputTaskTypes(*Factory());
        RegisterUiTaskTypes(*Factory());
        StartWindow(320, 200);
        Run("starttask(event, event, 2)");
        ASSERT_EQ(Run("starttask(ui, ui, 7)"), "ui started");
        Kernel()->RunPass();
    }
    void TearDown() override {
        SdlTaskTest::TearDown();
        CDesktopWidget::DeleteSingleton();
        CKeyboard::DeleteSingleton();
        CMouse::DeleteSingleton();
    }
    static void PushKey(SDLKey key, Uint16 unicode) { testing_support::PushKey(key, unicode); }
    static void PushClick(int x, int y) { testing_support::PushClick(x, y); }
};

TEST_F(CUiTaskSdlTest, SdlEventsReachAFocusedTextInputThroughTheEventTask) {
    EXPECT_EQ(CDesktopWidget::GetSingleton()->GetRect(), types_rect(0, 0, 320, 200));
    auto* input = new CTextInputWidget(CDesktopWidget::GetSingleton(), {10, 10, 200, 20}, false,
                                       "input", "", "", "");
    PushClick(20, 15);
    PushKey(SDLK_h, 'h');
    PushKey(SDLK_i, 'i');
    PushKey(SDLK_WORLD_73, 0xE9);  // beyond ASCII: arrives as UTF-8
    EXPECT_EQ(input->GetText(), "");
    Kernel()->RunPass();
    EXPECT_EQ(input->GetText(), "hi\xC3\xA9");
    PushKey(SDLK_ESCAPE, 27);
    PushKey(SDLK_BACKSPACE, 8);
    PushKey(SDLK_o, 'o');
    Kernel()->RunPass();
    EXPECT_TRUE(input->IsFocused());
    EXPECT_EQ(input->GetText(), "hio");

    SDL_Event resize{};
    resize.type = SDL_VIDEORESIZE;
    resize.resize.type = SDL_VIDEORESIZE;
    resize.resize.w = 400;
    resize.resize.h = 300;
    ASSERT_EQ(SDL_PushEvent(&resize), 0);
    Kernel()->RunPass();
    EXPECT_EQ(CDesktopWidget::GetSingleton()->GetRect(), types_rect(0, 0, 400, 300));
}

TEST_F(CUiTaskSdlTest, NumberedScreenshotsNeverOverwriteAnEarlierOne) {
    ASSERT_EQ(Run("starttask(debug, debug, 8)"), "debug started");
    Run("debug::Screenshot(shots/shot)");
    Run("debug::Screenshot(shots/shot)");
    EXPECT_TRUE(std::filesystem::exists("shots/shot_0001.bmp"));
    EXPECT_TRUE(std::filesystem::exists("shots/shot_0002.bmp"));
    std::ofstream("shots/shot_0005.bmp") << "kept";
    Run("debug::Screenshot(shots/shot)");
    EXPECT_TRUE(std::filesystem::exists("shots/shot_0006.bmp"));
    EXPECT_EQ(testing_support::ReadFile("shots/shot_0005.bmp"), "kept");
    EXPECT_FALSE(std::filesystem::exists("shots/shot_0003.bmp")) << "no gaps are filled";
    Run("debug::Screenshot()");
    EXPECT_TRUE(std::filesystem::exists("screenshot_0001.bmp"));
}

}  // namespace
