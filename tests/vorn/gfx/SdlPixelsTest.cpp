#include "vorn/gfx/SdlPixels.h"

#include <SDL.h>

#include <random>

#include "GfxTestSupport.h"
#include "vorn/gfx/CPixelScreenSDL.h"

using namespace vorn;
using namespace vorn::sdlpixels;
using namespace gfx_test;

namespace {

using SdlPixelsTest = SdlVideoTest;

struct CSdlSurfaceDeleter {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using SdlSurfacePtr = std::unique_ptr<SDL_Surface, CSdlSurfaceDeleter>;

// Every pixel of surface set to a random value; alphas mostly 0 or 255 in
// runs (as sprites have them), the rest anything.
void Scatter(SDL_Surface* surface, std::mt19937& random) {
    SDL_LockSurface(surface);
    const uint32_t amask = surface->format->Amask;
    for (int y = 0; y < surface->h; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(surface->pixels) +
                                                y * surface->pitch);
        for (int x = 0; x < surface->w; ++x) {
            uint32_t value = uint32_t(random());
            if (amask) {
                const int kind = (x / 5 + y) % 4;
                const uint32_t alpha = kind == 0 ? 0 : kind == 1 ? 255 : uint32_t(random()) & 0xFF;
                value = (value & ~amask) | (alpha << surface->format->Ashift);
            }
            row[x] = value;
        }
    }
    SDL_UnlockSurface(surface);
}

SDL_Surface* CopyOf(SDL_Surface* surface) {
    SDL_Surface* copy = SDL_ConvertSurface(surface, surface->format, SDL_SWSURFACE);
    SDL_SetAlpha(copy, 0, 255);
    SDL_SetColorKey(copy, 0, 0);
    return copy;
}

// Within two levels in every channel, alpha included (SDL rounds by
// shifting, the engine to nearest).
::testing::AssertionResult SamePicture(SDL_Surface* actual, SDL_Surface* expected) {
    for (int y = 0; y < actual->h; ++y)
        for (int x = 0; x < actual->w; ++x) {
            ::testing::AssertionResult near =
                Near(PixelOf(actual, x, y), PixelOf(expected, x, y), 2);
            if (!near) return near << " at " << x << "," << y;
        }
    return ::testing::AssertionSuccess();
}

TEST_F(SdlPixelsTest, TheAlphaBlitDrawsWhatSdlDrawsOnTheScreenAndIntoAlphaBuffers) {
    std::mt19937 random(7);
    CPixelScreenSDL screen;
    Scatter(myScreen, random);
    // An alpha buffer that blends (copy mode off): its own alpha stays.
    SDL_Surface* alphaTarget = CreateAlphaSurface(SCREEN_W, SCREEN_H);
    Scatter(alphaTarget, random);
    CPixelSDL alphaBuffer(alphaTarget);
    IPixel* const targets[] = {&screen, &alphaBuffer};

    // Sources of widths that are and are not whole groups of four, placed
    // inside and across every edge of the target.
    const types_rect sizes[] = {{0, 0, 23, 17}, {0, 0, 8, 5}, {0, 0, 3, 9}, {0, 0, 70, 60}};
    const types_point places[] = {{5, 4}, {-7, 3}, {50, -6}, {-3, 40}, {60, 45}, {-20, -20}};
    for (const types_rect& size : sizes) {
        SurfacePtr source(Gfx::NewBuffer(size.w, size.h));
        SDL_Surface* sourceSurface = static_cast<CPixelSDL*>(source.get())->GetSurface();
        Scatter(sourceSurface, random);
        source->SetParameter(IPixel::PARAM_COPY_MODE, 0);
        ASSERT_TRUE(CanBlitAlpha(sourceSurface, myScreen));
        ASSERT_TRUE(CanBlitAlpha(sourceSurface, alphaTarget));
        for (const types_point& place : places)
            for (IPixel* target : targets) {
                SDL_Surface* targetSurface = static_cast<CPixelSDL*>(target)->GetSurface();
                SdlSurfacePtr expected(CopyOf(targetSurface));
                SDL_Rect from{1, 1, Uint16(size.w - 1), Uint16(size.h - 1)};
                SDL_Rect to{Sint16(place.x), Sint16(place.y), 0, 0};
                ASSERT_EQ(SDL_BlitSurface(sourceSurface, &from, expected.get(), &to), 0);
                ASSERT_TRUE(
                    source->BlitTo(target, types_rect(1, 1, size.w - 1, size.h - 1), place));
                EXPECT_TRUE(SamePicture(targetSurface, expected.get()))
                    << size.w << " x " << size.h << " at " << place.x << "," << place.y;
            }
    }
}

TEST_F(SdlPixelsTest, SurfacesWithoutUsablePerPixelAlphaAreLeftToSdl) {
    std::mt19937 random(3);
    CPixelScreenSDL screen;
    SDL_Surface* alpha = CreateAlphaSurface(16, 16);
    EXPECT_TRUE(CanBlitAlpha(alpha, myScreen));
    EXPECT_FALSE(CanBlitAlpha(alpha, alpha)) << "a surface onto itself";

    // The same surface once its alpha is switched off, or with a colour key.
    SDL_SetAlpha(alpha, 0, 255);
    EXPECT_FALSE(CanBlitAlpha(alpha, myScreen));
    SDL_SetAlpha(alpha, SDL_SRCALPHA, 255);
    SDL_SetColorKey(alpha, SDL_SRCCOLORKEY, 0);
    EXPECT_FALSE(CanBlitAlpha(alpha, myScreen));
    SDL_SetColorKey(alpha, 0, 0);
    // A target that clips.
    SDL_Rect clip{2, 2, 10, 10};
    SDL_SetClipRect(myScreen, &clip);
    EXPECT_FALSE(CanBlitAlpha(alpha, myScreen));
    SDL_SetClipRect(myScreen, nullptr);
    // Other channel orders on either side.
    SDL_Surface* swapped =
        SDL_CreateRGBSurface(SDL_SWSURFACE, 8, 8, 32, 0xFF, 0xFF00, 0xFF0000, 0xFF000000);
    EXPECT_FALSE(CanBlitAlpha(swapped, myScreen));
    EXPECT_FALSE(CanBlitAlpha(alpha, swapped));
    SDL_FreeSurface(swapped);
    SDL_FreeSurface(alpha);

    // Opaque and colour-keyed sources still draw as SDL draws them.
    SurfacePtr opaque(Gfx::NewOpaqueBuffer(12, 9));
    SDL_Surface* opaqueSurface = static_cast<CPixelSDL*>(opaque.get())->GetSurface();
    Scatter(opaqueSurface, random);
    for (bool keyed : {false, true}) {
        SDL_SetColorKey(opaqueSurface, keyed ? SDL_SRCCOLORKEY : 0,
                        PixelOf(opaqueSurface, 3, 3).ToARGB() & 0xFFFFFF);
        EXPECT_FALSE(CanBlitAlpha(opaqueSurface, myScreen));
        Scatter(myScreen, random);
        SdlSurfacePtr expected(CopyOf(myScreen));
        SDL_Rect to{-4, 40, 0, 0};
        ASSERT_EQ(SDL_BlitSurface(opaqueSurface, nullptr, expected.get(), &to), 0);
        ASSERT_TRUE(opaque->BlitTo(&screen, types_rect(0, 0, 12, 9), types_point(-4, 40)));
        EXPECT_TRUE(SamePicture(myScreen, expected.get())) << (keyed ? "keyed" : "opaque");
    }
}

}  // namespace
