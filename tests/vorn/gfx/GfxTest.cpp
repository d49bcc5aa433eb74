#include <gtest/gtest.h>

#include "GfxTestSupport.h"
#include "vorn/gfx/CPixelNull.h"

using namespace vorn;
using namespace gfx_test;

namespace {

TEST(GfxTest, WithoutAFactoryEveryRequestYieldsTheNullSurface) {
    Gfx::SetFactory(nullptr);
    CLogCapture log;
    IPixel* image = Gfx::LoadImage("whatever.bmp");
    EXPECT_TRUE(image->IsNullSurface());
    EXPECT_TRUE(image->Empty());
    EXPECT_EQ(image->GetWidth(), 0);
    EXPECT_EQ(image->GetHeight(), 0);
    EXPECT_EQ(image->GetPixelType(), IPixel::PIXEL_NULL);
    EXPECT_EQ(image, Gfx::GetNullSurface()) << "one shared null surface";
    EXPECT_TRUE(log.Has("Gfx::LoadImage() - no GFXFactory given, cannot create graphics surface.",
                        CLog::LEVEL_WARNING));

    EXPECT_TRUE(Gfx::NewBuffer(4, 4)->IsNullSurface());
    EXPECT_TRUE(Gfx::NewBuffer(image)->IsNullSurface());
    EXPECT_EQ(log.Count("Gfx::NewBuffer() - no GFXFactory given, cannot create graphics surface.",
                        CLog::LEVEL_WARNING),
              2);
    log.Clear();
    EXPECT_TRUE(Gfx::NewOpaqueBuffer(4, 4)->IsNullSurface());
    Gfx::FreeImage(image);
    Gfx::FreeImage(nullptr);
    EXPECT_EQ(log.All(), "") << "the silent cases";

    // A real surface cannot be freed without a factory: it is left alone.
    CPixelSDL* real = new CPixelSDL(SDL_CreateRGBSurface(SDL_SWSURFACE, 2, 2, 32, 0, 0, 0, 0));
    Gfx::FreeImage(real);
    EXPECT_TRUE(log.Has("Gfx::FreeImage() - no GFXFactory given, cannot free graphics surface.",
                        CLog::LEVEL_WARNING));
    EXPECT_EQ(real->GetWidth(), 2);
    delete real;
}

TEST(GfxTest, TheNullSurfaceDrawsNothingAndDerivesOnlyItself) {
    IPixel* nullSurface = Gfx::GetNullSurface();
    nullSurface->PutPixel(0, 0, CColor(1, 2, 3));
    EXPECT_EQ(nullSurface->GetPixel(0, 0), CColor(0, 0, 0, 255));
    EXPECT_EQ(nullSurface->Resize(5, 5), nullSurface);
    EXPECT_EQ(nullSurface->Rotate(30), nullSurface);
    EXPECT_EQ(nullSurface->SetAlpha(3), nullSurface);
    EXPECT_EQ(nullSurface->Clone(), nullSurface);
    EXPECT_EQ(nullSurface->GetSourceRect(), types_rect());
    EXPECT_FALSE(nullSurface->IsClipped());
    EXPECT_FALSE(nullSurface->SaveTo("x.bmp"));
}

TEST(GfxTest, SurfaceSizeLimitsAndTheProtectedScreenSurface) {
    EXPECT_TRUE(Gfx::IsSurfaceSizeAllowed(1, 1));
    EXPECT_TRUE(Gfx::IsSurfaceSizeAllowed(8192, 2048));
    EXPECT_FALSE(Gfx::IsSurfaceSizeAllowed(8193, 1));
    EXPECT_FALSE(Gfx::IsSurfaceSizeAllowed(4096, 4097));
    EXPECT_FALSE(Gfx::IsSurfaceSizeAllowed(0, 5));
    EXPECT_FALSE(Gfx::IsSurfaceSizeAllowed(20000, 20000));

    // The graphics task owns the screen surface; FreeImage leaves it alone.
    CGfxFactorySDL factory;
    Gfx::SetFactory(&factory);
    CPixelSDL screen(SDL_CreateRGBSurface(SDL_SWSURFACE, 2, 2, 32, 0, 0, 0, 0));
    Gfx::SetScreenSurface(&screen);
    CLogCapture log;
    Gfx::FreeImage(&screen);
    EXPECT_TRUE(log.Has("the screen surface is not freed here"));
    Gfx::SetScreenSurface(nullptr);
    Gfx::SetFactory(nullptr);
}

TEST(GfxTest, AStrategyAskedForBeforeTheScreenLayerExistsReachesIt) {
    // Without a screen layer the hook is there and draws nothing.
    ASSERT_NE(Gfx::GetScreenLayerHook(), nullptr);
    Gfx::GetScreenLayerHook()->Update();
    Gfx::GetScreenLayerHook()->InstallStrategy(IScreenLayerHook::STRATEGY_DIRTY_RECTS);
    CRecordingScreenLayer layer;
    Gfx::SetScreenLayerHook(&layer);
    EXPECT_EQ(Gfx::GetScreenLayerHook(), &layer);
    EXPECT_EQ(layer.strategies,
              std::vector<IScreenLayerHook::Strategy>{IScreenLayerHook::STRATEGY_DIRTY_RECTS});
    Gfx::SetScreenLayerHook(nullptr);
    CRecordingScreenLayer second;
    Gfx::SetScreenLayerHook(&second);
    EXPECT_TRUE(second.strategies.empty()) << "handed over once only";
    Gfx::SetScreenLayerHook(nullptr);
}

}  // namespace
