#pragma once

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "GfxTestSupport.h"
#include "vorn/gfx/CAnimationUpdator.h"
#include "vorn/gfx/CPixelScreenSDL.h"
#include "vorn/gfx/CScreenLayer.h"
#include "vorn/gfx/CSprite.h"
#include "vorn/gfx/Gfx.h"

namespace sprite_test {

// A real SDL screen of W x H at 32 bits (dummy driver) published as the
// engine's screen surface, the SDL graphics factory, background buffers on
// and the screen layer drawing with the given strategy. Sprites made by a
// test must be deleted by its end; the screen layer and the animation
// updater are made afresh for every test.
class CSpriteScreenTest : public ::testing::Test {
protected:
    using Strategy = vorn::IScreenLayerHook::Strategy;

    explicit CSpriteScreenTest(int w = 160, int h = 120) : W(w), H(h) {}

    void SetUp() override {
        myDir = std::make_unique<testing_support::CScopedTempDir>();
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
        ASSERT_NE(SDL_SetVideoMode(W, H, 32, SDL_SWSURFACE), nullptr) << SDL_GetError();
        // The dummy driver draws SDL's own mouse pointer into the screen.
        SDL_ShowCursor(SDL_DISABLE);
        SDL_FillRect(SDL_GetVideoSurface(), nullptr, 0);
        vorn::Gfx::SetFactory(&myFactory);
        myScreen = new vorn::CPixelScreenSDL;
        vorn::Gfx::SetScreenSurface(myScreen);
        vorn::Gfx::SetBackgroundBuffers(true);
        Layer()->InstallStrategy(vorn::IScreenLayerHook::STRATEGY_DIRTY_RECTS);
    }

    void TearDown() override {
        vorn::CAnimationUpdator::DeleteSingleton();
        vorn::CScreenLayer::DeleteSingleton();
        vorn::Gfx::SetScreenSurface(nullptr);
        delete myScreen;
        vorn::Gfx::SetBackgroundBuffers(false);
        vorn::Gfx::SetFactory(nullptr);
        EXPECT_EQ(vorn::CTextureManagerSDL::GetSingleton()->GetRecordCount(), 0u)
            << "a test left loaded images behind";
        SDL_Quit();
        myDir.reset();
    }

    static vorn::CScreenLayer* Layer() { return vorn::CScreenLayer::GetSingleton(); }
    SDL_Surface* Video() const { return myScreen->GetSurface(); }

    // One frame as the graphics task draws it.
    void Frame() {
        Layer()->Update();
        myScreen->Flip();
    }

    // A w x h image of seeded random blocks: opaque, or with an alpha of its
    // own in every pixel (some fully transparent).
    vorn::IPixel* Pattern(int w, int h, uint32_t seed, bool perPixelAlpha) {
        std::mt19937 random(seed);
        vorn::IPixel* image =
            perPixelAlpha ? vorn::Gfx::NewBuffer(w, h) : vorn::Gfx::NewOpaqueBuffer(w, h);
        const int block = 1 + int(random() % 6);
        std::vector<vorn::CColor> colors(64);
        for (vorn::CColor& c : colors) {
            c = vorn::CColor(uint8_t(random()), uint8_t(random()), uint8_t(random()), 255);
            if (c.r == 255 && c.g == 0 && c.b == 255) c.g = 1;  // not the colour key
            if (perPixelAlpha) c.a = random() % 4 == 0 ? 0 : uint8_t(random());
        }
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                image->PutPixel(x, y, colors[((x / block) * 7 + (y / block) * 13) % 64]);
        return image;
    }

    // The screen's pixels, row by row.
    std::vector<uint32_t> Capture(SDL_Surface* surface) const {
        std::vector<uint32_t> pixels(size_t(surface->w) * surface->h);
        SDL_LockSurface(surface);
        for (int y = 0; y < surface->h; ++y) {
            const uint8_t* row = static_cast<const uint8_t*>(surface->pixels) + y * surface->pitch;
            std::memcpy(&pixels[size_t(y) * surface->w], row, size_t(surface->w) * 4);
        }
        SDL_UnlockSurface(surface);
        return pixels;
    }
    std::vector<uint32_t> CaptureScreen() const { return Capture(Video()); }

    // Every visible sprite of the screen layer drawn from the back to the
    // front onto a black surface of the screen's format.
    std::vector<uint32_t> DrawFromScratch() const {
        const SDL_PixelFormat* f = Video()->format;
        SDL_Surface* surface =
            SDL_CreateRGBSurface(SDL_SWSURFACE, W, H, 32, f->Rmask, f->Gmask, f->Bmask, f->Amask);
        SDL_FillRect(surface, nullptr, 0);
        auto* image = new vorn::CPixelSDL(surface);
        vorn::CSprite target;
        target.SetImageOwned(false);
        target.SetImage(image);
        std::vector<vorn::CSprite*> visible, hidden;
        Layer()->GetSprites(visible, hidden);
        for (size_t i = visible.size(); i-- > 0;)
            visible[i]->Draw(&target);
        std::vector<uint32_t> pixels = Capture(surface);
        target.SetImage(nullptr);
        delete image;
        return pixels;
    }

    // Describes where two captures differ ("" when they do not).
    std::string Difference(const std::vector<uint32_t>& actual,
                           const std::vector<uint32_t>& expected) const {
        int count = 0;
        std::string first;
        for (size_t i = 0; i < actual.size(); ++i) {
            if (actual[i] == expected[i]) continue;
            if (count++ == 0) {
                char text[128];
                std::snprintf(text, sizeof(text), " first at (%d, %d): %08x instead of %08x",
                              int(i % W), int(i / W), actual[i], expected[i]);
                first = text;
            }
        }
        return count ? std::to_string(count) + " pixels differ;" + first : "";
    }

    // The colour of a screen pixel.
    vorn::CColor At(int x, int y) const { return myScreen->GetPixel(x, y); }

    const int W;
    const int H;
    vorn::CGfxFactorySDL myFactory;
    vorn::CPixelScreenSDL* myScreen = nullptr;
    std::unique_ptr<testing_support::CScopedTempDir> myDir;
};

}  // namespace sprite_test
