#include <SDL.h>

#include "SdlTaskFixture.h"
#include "vorn/gfx/CPixelScreenSDL.h"
#include "vorn/gfx/IScreenLayerHook.h"
#include "vorn/input/CEventBridge.h"
#include "vorn/tasks/CTaskGfxSDL.h"
#include "vorn/tasks/CTaskWindowSDL.h"

using namespace vorn;
using namespace gfx_test;

namespace {

class CTaskGfxSDLTest : public sdl_task_test::SdlTaskTest {
protected:
    CTaskGfxSDL* Gfx() { return Task<CTaskGfxSDL>("gfx"); }
    std::string WindowCommand(const std::string& line) {
        return Task<CTaskWindowSDL>("window")->GetConsole()->ExecuteLine(line, false);
    }
};

TEST_F(CTaskGfxSDLTest, StartInstallsFactoryScreenAndDirtyRectangleDrawing) {
    StartWindow(320, 200);
    CLogCapture log;
    vorn::Gfx::SetBackgroundBuffers(false);
    Run("starttask(gfx, gfx, 5)");
    ASSERT_NE(Gfx(), nullptr);
    EXPECT_EQ(vorn::Gfx::GetFactory(), static_cast<CGfxFactory*>(Gfx()->GetFactory()));
    ASSERT_EQ(vorn::Gfx::GetScreenSurface(), static_cast<IPixel*>(Gfx()->GetScreen()));
    EXPECT_EQ(Gfx()->GetScreen()->GetScreenRect(), types_rect(0, 0, 320, 200));
    EXPECT_TRUE(vorn::Gfx::GetBackgroundBuffers());
    EXPECT_EQ(myScreenLayer.strategies,
              (std::vector<IScreenLayerHook::Strategy>{IScreenLayerHook::STRATEGY_DIRTY_RECTS}));
    EXPECT_TRUE(log.Has("myWidth = 320"));
    EXPECT_TRUE(log.Has("myHeight = 200"));

    // A resize reaches the window task first, then the screen surface.
    log.Clear();
    WindowCommand("Resize(400, 300)");
    EXPECT_EQ(Gfx()->GetScreen()->GetScreenRect(), types_rect(0, 0, 400, 300));
    EXPECT_EQ(Gfx()->GetScreen()->GetSurface(), SDL_GetVideoSurface());
    EXPECT_TRUE(Gfx()->GetScreen()->IsWholeScreen());
    EXPECT_TRUE(log.Has("myWidth = 400"));

    Run("stoptask(gfx)");
    EXPECT_EQ(vorn::Gfx::GetFactory(), nullptr);
    EXPECT_EQ(vorn::Gfx::GetScreenSurface(), nullptr);
    EXPECT_EQ(myScreenLayer.strategies.back(), IScreenLayerHook::STRATEGY_NULL)
        << "nothing may draw onto the freed screen surface";
    EXPECT_TRUE(vorn::Gfx::LoadImage("any.bmp")->IsNullSurface());
}

TEST_F(CTaskGfxSDLTest, FramesAreDrawnAtMostEvery16MillisecondsOfApplicationTime) {
    StartWindow(64, 48);
    Run("starttask(gfx, gfx, 5)");
    int flipsSeen = 0;
    myScreenLayer.onUpdate = [&] {
        // What a screen layer does: draw, and report the area to the screen.
        IPixel* screen = vorn::Gfx::GetScreenSurface();
        screen->PutPixel(myScreenLayer.updates, 0, CColor(255, 255, 255));
        screen->AddUpdateRect(types_rect(myScreenLayer.updates, 0, 1, 1));
        flipsSeen += Gfx()->GetScreen()->GetUpdateRects().size() == 1 ? 1 : 0;
    };
    Kernel()->RunPass();
    EXPECT_EQ(myScreenLayer.updates, 0);
    Advance(15);
    Kernel()->RunPass();
    EXPECT_EQ(myScreenLayer.updates, 0);
    Advance(1);
    Kernel()->RunPass();
    Kernel()->RunPass();
    EXPECT_EQ(myScreenLayer.updates, 1);
    EXPECT_EQ(Gfx()->GetFrameCount(), 1u);
    EXPECT_TRUE(Gfx()->GetScreen()->GetUpdateRects().empty()) << "Flip starts a new list";
    Advance(40);
    Kernel()->RunPass();
    EXPECT_EQ(myScreenLayer.updates, 2);
    EXPECT_EQ(flipsSeen, 1) << "the first frame presents the whole screen, the second its rects";
    EXPECT_TRUE(Near(PixelOf(SDL_GetVideoSurface(), 2, 0), CColor(255, 255, 255)));

    // While the window has no focus application time stands still.
    CEventBridge::GetSingleton()->OnFocus(false);
    Advance(100);
    Kernel()->RunPass();
    EXPECT_EQ(myScreenLayer.updates, 2);
    CEventBridge::GetSingleton()->OnFocus(true);
    Advance(16);
    Kernel()->RunPass();
    EXPECT_EQ(myScreenLayer.updates, 3);
}

TEST_F(CTaskGfxSDLTest, ImagesDrawnOnTheScreenShowInTheScreenshot) {
    StartWindow(64, 48);
    Run("starttask(gfx, gfx, 5)");
    WriteBmp("picture.bmp", 10, 6, [](int x, int y) { return CColor(20 * x, 40 * y, 90); });
    IPixel* picture = vorn::Gfx::LoadImage("picture.bmp");
    ASSERT_EQ(picture->GetWidth(), 10);
    myScreenLayer.onUpdate = [&] {
        picture->BlitTo(vorn::Gfx::GetScreenSurface(), types_rect(0, 0, 10, 6),
                        types_point(30, 20));
    };
    Advance(16);
    Kernel()->RunPass();
    // The screenshot updates the screen layer once more: draw nothing then.
    myScreenLayer.onUpdate = nullptr;
    vorn::Gfx::FreeImage(picture);

    WindowCommand("Screenshot(frame.bmp)");
    SDL_Surface* shot = SDL_LoadBMP("frame.bmp");
    ASSERT_NE(shot, nullptr);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 10; ++x)
            EXPECT_TRUE(Near(PixelOf(shot, 30 + x, 20 + y), CColor(20 * x, 40 * y, 90)))
                << "at " << x << "," << y;
    EXPECT_TRUE(Near(PixelOf(shot, 29, 20), CColor(0, 0, 0)));
    SDL_FreeSurface(shot);
}

TEST_F(CTaskGfxSDLTest, FramesKeepSixtyASecondAndTheStopLogsTheFrameRate) {
    StartWindow(64, 48);
    Run("starttask(gfx, gfx, 5)");
    // Frames are due on a grid of 1000 / 60 ms: 16 or 17 ms apart, never less.
    EXPECT_EQ(Gfx()->GetMillisecondsToDue(), 16);
    Advance(10);
    EXPECT_EQ(Gfx()->GetMillisecondsToDue(), 6);
    Advance(6);
    EXPECT_EQ(Gfx()->GetMillisecondsToDue(), 0);
    // A pass every millisecond for two seconds: exactly 120 frames.
    for (int ms = 16; ms < 2016; ++ms) {
        Kernel()->RunPass();
        EXPECT_GE(Gfx()->GetMillisecondsToDue(), 0);
        Advance(1);
    }
    EXPECT_EQ(Gfx()->GetFrameCount(), 120u) << "16 ms steps would give 125";
    EXPECT_EQ(Gfx()->GetFrameTimePercentile95(), 17u);

    // Passes every 5 ms (a pass cap of 200): still 60 a second on average.
    const unsigned long before = Gfx()->GetFrameCount();
    for (int pass = 0; pass < 400; ++pass) {
        Kernel()->RunPass();
        Advance(5);
    }
    EXPECT_GE(Gfx()->GetFrameCount() - before, 119u) << "a 16 ms minimum gave 50 a second";

    // A stall: one frame, then the grid starts again instead of a burst.
    Advance(500);
    Kernel()->RunPass();
    Kernel()->RunPass();
    const unsigned long afterStall = Gfx()->GetFrameCount();
    Kernel()->RunPass();
    EXPECT_EQ(Gfx()->GetFrameCount(), afterStall);
    EXPECT_EQ(Gfx()->GetMillisecondsToDue(), 16);

    CLogCapture log;
    Run("stoptask(gfx)");
    EXPECT_TRUE(log.Has("CTaskGfxSDL drew " + std::to_string(afterStall) + " frames in "));
    EXPECT_TRUE(log.Has("frames per second, frame time p95 "));
}

}  // namespace
