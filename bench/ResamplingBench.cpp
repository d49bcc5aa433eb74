// Turning and scaling one image, as a sprite does when its angle or size
// changes: a 32-bit alpha surface (a round body part with soft edges) turned
// by an angle that changes every iteration, or scaled to a new size.
//
//   BM_RotateSurface/N    CPixelSDL::Rotate of an N x N image (the engine's
//                         own resampler: premultiplied, fixed point)
//   BM_RotozoomSurface/N  SDL_gfx's rotozoomSurface with smoothing on the
//                         same image, for comparison; only built when
//                         SDL_gfx is installed (libsdl-gfx1.2-dev)
//   BM_ResizeSurface      CPixelSDL::Resize of a 400 x 200 panel to the
//                         window sizes of the UI benchmark
//
// The rotation benchmarks also report "fringe": over the turned image, the
// largest amount by which a partly transparent pixel is darker than the part's
// colour (0 to 255; 0 means soft edges keep their colour).
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>

#include "vorn/gfx/CGfxFactorySDL.h"
#include "vorn/gfx/CPixelSDL.h"
#include "vorn/gfx/Gfx.h"

#ifdef VORN_HAVE_SDL_GFX
#include <SDL_rotozoom.h>
#endif

namespace {

constexpr vorn::CColor PART_COLOUR(200, 120, 40);

// An SDL screen (dummy driver) and the SDL graphics factory while it lives.
struct CSdlSetup {
    vorn::CGfxFactorySDL factory;
    CSdlSetup() {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        SDL_Init(SDL_INIT_VIDEO);
        SDL_SetVideoMode(800, 600, 32, SDL_SWSURFACE);
        vorn::Gfx::SetFactory(&factory);
    }
    ~CSdlSetup() {
        vorn::Gfx::SetFactory(nullptr);
        SDL_Quit();
    }
};

// A round part of one colour whose edge fades out over a few pixels.
vorn::IPixel* Part(int size) {
    vorn::IPixel* image = vorn::Gfx::NewBuffer(size, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const double dx = (x + 0.5 - size / 2.0) / (size / 2.0);
            const double dy = (y + 0.5 - size / 2.0) / (size / 2.0);
            const double d = dx * dx + dy * dy;
            if (d >= 1.0) continue;
            const uint8_t alpha = d < 0.8 ? 255 : uint8_t(255 * (1.0 - d) / 0.2);
            vorn::CColor c = PART_COLOUR;
            c.a = alpha;
            image->PutPixel(x, y, c);
        }
    return image;
}

// How much darker than it should be the darkest partly transparent pixel
// shows over a white background: its shortfall in red against the part's
// colour, weighted by its alpha.
int Fringe(SDL_Surface* surface) {
    SDL_LockSurface(surface);
    int worst = 0;
    for (int y = 0; y < surface->h; ++y)
        for (int x = 0; x < surface->w; ++x) {
            const Uint32 raw = *reinterpret_cast<Uint32*>(static_cast<Uint8*>(surface->pixels) +
                                                          y * surface->pitch + x * 4);
            Uint8 r, g, b, a;
            SDL_GetRGBA(raw, surface->format, &r, &g, &b, &a);
            if (a == 0) continue;
            worst = std::max(worst, (int(PART_COLOUR.r) - int(r)) * a / 255);
        }
    SDL_UnlockSurface(surface);
    return worst;
}

void BM_RotateSurface(benchmark::State& state) {
    CSdlSetup sdl;
    vorn::IPixel* part = Part(int(state.range(0)));
    float degrees = 1.0f;
    for (auto _ : state) {
        degrees += 7.3f;
        vorn::IPixel* turned = part->Rotate(degrees);
        benchmark::DoNotOptimize(turned);
        vorn::Gfx::FreeImage(turned);
    }
    int fringe = 0;
    for (int angle = 5; angle < 360; angle += 20) {
        vorn::IPixel* turned = part->Rotate(float(angle));
        fringe = std::max(fringe, Fringe(static_cast<vorn::CPixelSDL*>(turned)->GetSurface()));
        vorn::Gfx::FreeImage(turned);
    }
    state.counters["fringe"] = fringe;
    vorn::Gfx::FreeImage(part);
}
BENCHMARK(BM_RotateSurface)->Arg(32)->Arg(80)->Arg(128)->Unit(benchmark::kMicrosecond);

#ifdef VORN_HAVE_SDL_GFX
void BM_RotozoomSurface(benchmark::State& state) {
    CSdlSetup sdl;
    vorn::IPixel* part = Part(int(state.range(0)));
    SDL_Surface* source = static_cast<vorn::CPixelSDL*>(part)->GetSurface();
    double degrees = 1.0;
    for (auto _ : state) {
        degrees += 7.3;
        SDL_Surface* turned = rotozoomSurface(source, degrees, 1.0, SMOOTHING_ON);
        benchmark::DoNotOptimize(turned);
        SDL_FreeSurface(turned);
    }
    int fringe = 0;
    for (int angle = 5; angle < 360; angle += 20) {
        SDL_Surface* turned = rotozoomSurface(source, angle, 1.0, SMOOTHING_ON);
        fringe = std::max(fringe, Fringe(turned));
        SDL_FreeSurface(turned);
    }
    state.counters["fringe"] = fringe;
    vorn::Gfx::FreeImage(part);
}
BENCHMARK(BM_RotozoomSurface)->Arg(32)->Arg(80)->Arg(128)->Unit(benchmark::kMicrosecond);
#endif

void BM_ResizeSurface(benchmark::State& state) {
    CSdlSetup sdl;
    vorn::IPixel* panel = vorn::Gfx::NewBuffer(400, 200);
    panel->SetParameter(vorn::IPixel::PARAM_CLEAR_COLOR, vorn::CColor(40, 40, 80).ToARGB());
    panel->Clean(vorn::types_rect(0, 0, 400, 200));
    bool large = false;
    for (auto _ : state) {
        large = !large;
        vorn::IPixel* scaled = large ? panel->Resize(333, 688) : panel->Resize(258, 520);
        benchmark::DoNotOptimize(scaled);
        vorn::Gfx::FreeImage(scaled);
    }
    vorn::Gfx::FreeImage(panel);
}
BENCHMARK(BM_ResizeSurface)->Unit(benchmark::kMicrosecond);

}  // namespace
