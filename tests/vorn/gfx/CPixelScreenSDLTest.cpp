#include <SDL.h>

#include "EngineFixture.h"
#include "GfxTestSupport.h"
#include "vorn/gfx/CPixelScreenSDL.h"

using namespace vorn;
using namespace gfx_test;

namespace {

// An engine with its main console, and SDL video with a 32-bit 100 x 80 screen.
class CPixelScreenSDLTest : public testing_support::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
        ASSERT_NE(SDL_SetVideoMode(100, 80, 32, SDL_SWSURFACE), nullptr);
    }
    void TearDown() override {
        SDL_Quit();
        EngineTest::TearDown();
    }
};

TEST_F(CPixelScreenSDLTest, UpdateRectanglesAreClippedAndLimitedByTheConsoleVariable) {
    CPixelScreenSDL screen;
    EXPECT_EQ(screen.GetScreenRect(), types_rect(0, 0, 100, 80));
    EXPECT_EQ(screen.GetSurface(), SDL_GetVideoSurface());
    EXPECT_EQ(Run("gfx_flip_rects_size"), "75");
    EXPECT_EQ(Run("gfx_flip_debug_rects"), "0");
    Run("gfx_flip_rects_size = 3");
    EXPECT_EQ(CPixelScreenSDL::GetFlipRectsSize(), 3);

    // A new screen presents everything first; rectangles wait for the next frame.
    EXPECT_TRUE(screen.IsWholeScreen());
    screen.AddUpdateRect(types_rect(1, 1, 2, 2));
    EXPECT_TRUE(screen.GetUpdateRects().empty());
    screen.Flip();
    EXPECT_FALSE(screen.IsWholeScreen());

    screen.AddUpdateRect(types_rect(-5, -5, 10, 10));
    screen.AddUpdateRect(types_rect(200, 0, 10, 10));  // off screen: dropped
    screen.AddUpdateRect(types_rect(90, 70, 20, 20));
    screen.AddUpdateRect(types_rect(10, 10, 5, 5));
    EXPECT_EQ(screen.GetUpdateRects(),
              (std::vector<types_rect>{types_rect(0, 0, 5, 5), types_rect(90, 70, 10, 10),
                                       types_rect(10, 10, 5, 5)}));
    screen.AddUpdateRect(types_rect(20, 20, 5, 5));
    EXPECT_TRUE(screen.IsWholeScreen()) << "the fourth rectangle of the frame";
    EXPECT_TRUE(screen.GetUpdateRects().empty());
    screen.Flip();
    EXPECT_FALSE(screen.IsWholeScreen());

    screen.AddUpdateRect(types_rect(0, 0, 100, 80));
    EXPECT_TRUE(screen.IsWholeScreen()) << "a rectangle covering the screen";
    screen.Flip();

    Run("gfx_flip_rects_size = 0");
    for (int i = 0; i < 200; ++i)
        screen.AddUpdateRect(types_rect(i % 90, 0, 3, 3));
    EXPECT_EQ(screen.GetUpdateRects().size(), 200u) << "0 means no limit";
}

TEST_F(CPixelScreenSDLTest, AValueAssignedBeforeTheScreenExistsIsTakenOver) {
    Run("gfx_flip_rects_size = 5");
    CPixelScreenSDL screen;
    EXPECT_EQ(CPixelScreenSDL::GetFlipRectsSize(), 5);
    EXPECT_EQ(Run("gfx_flip_rects_size"), "5");
    // Deleting the screen leaves SDL's video surface alone.
    {
        CPixelScreenSDL second;
        second.PutPixel(0, 0, CColor(9, 8, 7));
    }
    EXPECT_TRUE(Near(PixelOf(SDL_GetVideoSurface(), 0, 0), CColor(9, 8, 7)));
}

}  // namespace
