// One frame of a fight on an 800 x 600, 32-bit screen (SDL dummy driver): an
// opaque full-screen background, 40 body-part sprites of 32 to 128 pixels
// with per-pixel alpha, 12 of which move and turn every frame, two hit-point
// sliders and a score text. Measured per frame: the screen layer's Update plus
// the screen's Flip ("update_flip"), and the whole frame including the sprite
// changes ("frame"; with dirty rectangles the erasing happens there). Medians
// and 95th percentiles in milliseconds, with dirty rectangles and with the
// immediate strategy (a full redraw), and under the accelerated back end on
// OpenGL ("opengl": an OpenGL window on an X server of its own, Mesa's
// llvmpipe without a GPU; every frame drawn whole, and finished with
// glFinish so that the time is the drawing's, not the queueing's).
// "frame_cpu" is the processor time the thread spent on the whole frame: on a
// machine shared with other work it stays put while the wall-clock figures
// grow with the waiting.
#include <GL/gl.h>
#include <SDL.h>
#include <benchmark/benchmark.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "GlBenchSupport.h"
#include "vorn/gfx/CFont.h"
#include "vorn/gfx/CGfxFactorySDL.h"
#include "vorn/gfx/CPixelScreenSDL.h"
#include "vorn/gfx/CScreenLayer.h"
#include "vorn/gfx/CSliderSprite.h"
#include "vorn/gfx/CSpriteFactory.h"
#include "vorn/gfx/CSystemFontLoader.h"
#include "vorn/gfx/CTextSprite.h"
#include "vorn/gfx/Gfx.h"
#include "vorn/gfx/IPixel.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int SCREEN_W = 800;
constexpr int SCREEN_H = 600;

// A folder of its own for the slider images, removed afterwards.
class CScratchFolder {
public:
    CScratchFolder() : myPrevious(std::filesystem::current_path()) {
        myPath =
            std::filesystem::temp_directory_path() / ("frame_bench_" + std::to_string(getpid()));
        std::filesystem::create_directories(myPath);
        std::filesystem::current_path(myPath);
    }
    ~CScratchFolder() {
        std::filesystem::current_path(myPrevious);
        std::filesystem::remove_all(myPath);
    }

private:
    std::filesystem::path myPrevious, myPath;
};

void WriteBar(const char* name, Uint8 r, Uint8 g, Uint8 b) {
    SDL_Surface* bar = SDL_CreateRGBSurface(SDL_SWSURFACE, 200, 16, 24, 0xFF, 0xFF00, 0xFF0000, 0);
    SDL_FillRect(bar, nullptr, SDL_MapRGB(bar->format, r, g, b));
    SDL_SaveBMP(bar, name);
    SDL_FreeSurface(bar);
}

// A body part: a rounded blob with soft (per-pixel alpha) edges. Made from
// colours, as both back ends take them.
vorn::IPixel* Part(int w, int h, std::mt19937& random) {
    const vorn::CColor color{uint8_t(random()), uint8_t(random()), uint8_t(random())};
    std::vector<vorn::CColor> colors(size_t(w) * h, vorn::CColor(0, 0, 0, 0));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const double dx = (x - w / 2.0) / (w / 2.0), dy = (y - h / 2.0) / (h / 2.0);
            const double d = dx * dx + dy * dy;
            if (d >= 1.0) continue;
            const uint8_t alpha = d < 0.8 ? 255 : uint8_t(255 * (1.0 - d) / 0.2);
            colors[size_t(y) * w + x] =
                vorn::CColor(color.r, uint8_t(color.g ^ (x & 16)), color.b, alpha);
        }
    return vorn::Gfx::NewBuffer(w, h, colors);
}

struct CFightScene {
    std::unique_ptr<vorn::CSprite> background;
    std::vector<std::unique_ptr<vorn::CSprite>> parts;
    std::unique_ptr<vorn::CSprite> sliders[2];
    std::unique_ptr<vorn::CTextSprite> score;
    std::vector<double> angle, cx, cy;

    explicit CFightScene(uint32_t seed) {
        std::mt19937 random(seed);
        // The arena: an opaque full-screen image, at the very back.
        vorn::IPixel* arena = vorn::Gfx::NewOpaqueBuffer(SCREEN_W, SCREEN_H);
        for (int y = 0; y < SCREEN_H; y += 40)
            for (int x = 0; x < SCREEN_W; x += 40) {
                arena->SetParameter(vorn::IPixel::PARAM_CLEAR_COLOR,
                                    vorn::CColor(uint8_t(x / 4), uint8_t(y / 3), 90).ToARGB());
                arena->Clean(vorn::types_rect(x, y, 40, 40));
            }
        background = std::make_unique<vorn::CSprite>(arena);
        background->SetZ(1000);
        background->SetLayer(vorn::CScreenLayer::GetSingleton());

        // Two monsters of 20 parts each, around (250, 350) and (550, 350).
        for (int i = 0; i < 40; ++i) {
            const int w = 32 + int(random() % 97), h = 32 + int(random() % 97);
            auto part = std::make_unique<vorn::CSprite>(Part(w, h, random));
            const int side = i < 20 ? 250 : 550;
            part->MoveTo(side - w / 2 + int(random() % 240) - 120,
                         350 - h / 2 + int(random() % 300) - 150);
            part->SetZ(100 + int(random() % 50));
            part->SetLayer(vorn::CScreenLayer::GetSingleton());
            parts.push_back(std::move(part));
        }
        for (int i = 0; i < 12; ++i) {
            const vorn::types_rect r = parts[size_t(i) * 3]->GetRect();
            angle.push_back(0.1 * i);
            cx.push_back(r.x + r.w / 2.0);
            cy.push_back(r.y + r.h / 2.0);
        }

        // Hit-point bars at the top.
        WriteBar("bar_back.bmp", 60, 20, 20);
        WriteBar("bar_front.bmp", 220, 40, 40);
        for (int i = 0; i < 2; ++i) {
            const std::string file = "slider" + std::to_string(i) + ".xml";
            std::ofstream(file)
                << "<sprite type=\"sprite_slider\">\n<BottomRect h=\"16\" w=\"200\" x=\""
                << 50 + 500 * i << "\" y=\"20\">\n</BottomRect>\n<TopRect h=\"16\" "
                << "w=\"200\" x=\"" << 50 + 500 * i << "\" y=\"20\">\n</TopRect>\n"
                << "<TopSprite>\nbar_front.bmp\n</TopSprite>\n<BottomSprite>\n"
                << "bar_back.bmp\n</BottomSprite>\n<Value>\n1\n</Value>\n</sprite>\n";
            sliders[i].reset(vorn::CSpriteFactory::GetSingleton()->LoadSprite(file));
            sliders[i]->SetZ(10);
        }

        score = std::make_unique<vorn::CTextSprite>();
        auto* font = new vorn::CFont;
        vorn::CSystemFontLoader(font, "");
        font->SetAlignment(vorn::CFont::ALIGN_CENTER);
        score->SetFont(font);
        score->SetRect(vorn::types_rect(300, 16, 200, 20));
        score->SetFontRect(vorn::types_rect(0, 0, 200, 20));
        score->SetText("Round 1   0 : 0");
        score->SetZ(10);
        score->SetLayer(vorn::CScreenLayer::GetSingleton());
    }

    // What a fight frame changes: 12 parts move and turn; now and then a hit
    // shortens a bar and the score text changes.
    void Step(int frame) {
        for (size_t i = 0; i < angle.size(); ++i) {
            vorn::CSprite* part = parts[i * 3].get();
            angle[i] += 0.05;
            cx[i] += std::sin(frame * 0.07 + i) * 3.0;
            cy[i] += std::cos(frame * 0.05 + i) * 2.0;
            part->RotateAroundCenter(float(angle[i]));
            part->MoveCenterTo(int(cx[i]), int(cy[i]));
        }
        if (frame % 15 == 0) {
            auto* bar = static_cast<vorn::CSliderSprite*>(sliders[(frame / 15) % 2].get());
            bar->SetValue(std::fmod(1.0f + frame * 0.01f, 1.0f));
            score->SetText("Round 1   " + std::to_string(frame / 15) + " : 0");
        }
    }
};

// Processor time of this thread, in milliseconds.
double ThreadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

double Percentile95(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() * 95 / 100];
}

void BM_FightFrame(benchmark::State& state, vorn::IScreenLayerHook::Strategy strategy) {
    CScratchFolder folder;
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    SDL_Init(SDL_INIT_VIDEO);
    SDL_SetVideoMode(SCREEN_W, SCREEN_H, 32, SDL_SWSURFACE);
    SDL_ShowCursor(SDL_DISABLE);
    vorn::CGfxFactorySDL factory;
    vorn::Gfx::SetFactory(&factory);
    auto* screen = new vorn::CPixelScreenSDL;
    vorn::Gfx::SetScreenSurface(screen);
    vorn::Gfx::SetBackgroundBuffers(strategy == vorn::IScreenLayerHook::STRATEGY_DIRTY_RECTS);
    vorn::CScreenLayer::GetSingleton()->InstallStrategy(strategy);
    std::vector<double> updateFlip, whole, wholeCpu;
    {
        CFightScene scene(42);
        int frame = 0;
        // The first frames draw everything once.
        for (; frame < 3; ++frame) {
            scene.Step(frame);
            vorn::CScreenLayer::GetSingleton()->Update();
            screen->Flip();
        }
        for (auto _ : state) {
            const double startCpu = ThreadCpuMs();
            const auto start = Clock::now();
            scene.Step(frame++);
            const auto changed = Clock::now();
            vorn::CScreenLayer::GetSingleton()->Update();
            screen->Flip();
            const auto end = Clock::now();
            wholeCpu.push_back(ThreadCpuMs() - startCpu);
            updateFlip.push_back(std::chrono::duration<double, std::milli>(end - changed).count());
            whole.push_back(std::chrono::duration<double, std::milli>(end - start).count());
        }
        // The last frame as a picture, for comparing builds:
        // FRAME_BENCH_SCREENSHOT=/absolute/path.bmp (the run works in a
        // folder of its own).
        const char* shot = std::getenv("FRAME_BENCH_SCREENSHOT");
        if (shot && *shot && strategy == vorn::IScreenLayerHook::STRATEGY_DIRTY_RECTS)
            screen->SaveTo(shot);
    }
    state.counters["update_flip_median_ms"] = Median(updateFlip);
    state.counters["update_flip_p95_ms"] = Percentile95(updateFlip);
    state.counters["frame_median_ms"] = Median(whole);
    state.counters["frame_p95_ms"] = Percentile95(whole);
    state.counters["frame_cpu_median_ms"] = Median(wholeCpu);
    vorn::CScreenLayer::DeleteSingleton();
    vorn::Gfx::SetScreenSurface(nullptr);
    delete screen;
    vorn::Gfx::SetBackgroundBuffers(false);
    vorn::Gfx::SetFactory(nullptr);
    SDL_Quit();
}

void BM_FightFrameDirtyRects(benchmark::State& state) {
    BM_FightFrame(state, vorn::IScreenLayerHook::STRATEGY_DIRTY_RECTS);
}
void BM_FightFrameImmediate(benchmark::State& state) {
    BM_FightFrame(state, vorn::IScreenLayerHook::STRATEGY_IMMEDIATE);
}

// 600 frames; FRAME_BENCH_FRAMES sets another number (fewer keep a run
// under valgrind short).
int Frames() {
    const char* frames = std::getenv("FRAME_BENCH_FRAMES");
    return frames && std::atoi(frames) > 0 ? std::atoi(frames) : 600;
}

}  // namespace

void BM_FightFrameOpenGL(benchmark::State& state) {
    CScratchFolder folder;
    bench_support::CGlBackEnd gl;
    std::string problem;
    if (!gl.Start(SCREEN_W, SCREEN_H, problem)) {
        state.SkipWithError(("no OpenGL window: " + problem).c_str());
        return;
    }
    std::vector<double> updateFlip, whole;
    {
        CFightScene scene(42);
        int frame = 0;
        auto draw = [&] {
            vorn::CScreenLayer::GetSingleton()->Update();
            gl.Screen()->Flip();
            glFinish();
        };
        for (; frame < 3; ++frame) {
            scene.Step(frame);
            draw();
        }
        for (auto _ : state) {
            const auto start = Clock::now();
            scene.Step(frame++);
            const auto changed = Clock::now();
            draw();
            const auto end = Clock::now();
            updateFlip.push_back(std::chrono::duration<double, std::milli>(end - changed).count());
            whole.push_back(std::chrono::duration<double, std::milli>(end - start).count());
        }
    }
    state.counters["update_flip_median_ms"] = Median(updateFlip);
    state.counters["update_flip_p95_ms"] = Percentile95(updateFlip);
    state.counters["frame_median_ms"] = Median(whole);
    state.counters["frame_p95_ms"] = Percentile95(whole);
    gl.Stop();
}

BENCHMARK(BM_FightFrameDirtyRects)->Unit(benchmark::kMillisecond)->Iterations(Frames());
BENCHMARK(BM_FightFrameOpenGL)->Unit(benchmark::kMillisecond)->Iterations(Frames());
BENCHMARK(BM_FightFrameImmediate)->Unit(benchmark::kMillisecond)->Iterations(Frames());
