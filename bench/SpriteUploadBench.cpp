// Loading the game's sprites at start: every sprite file under data/ (the
// parts, health bars, widgets and the showcase) read by the sprite factory,
// their images decoded and made into surfaces, then freed. Under the
// accelerated back end (OpenGL window on an X server of its own) that is
// decoding plus uploading to textures; under SDL (dummy driver, 800 x 600 x
// 32) decoding plus conversion. Milliseconds per whole load. Run from game/
// (as `make bench` does) or from the repository's root.
#include <GL/gl.h>
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "GlBenchSupport.h"
#include "vorn/gfx/CGfxFactorySDL.h"
#include "vorn/gfx/CPixelScreenSDL.h"
#include "vorn/gfx/CSprite.h"
#include "vorn/gfx/CSpriteFactory.h"
#include "vorn/gfx/CTextureManager.h"

namespace {

// The sprite files of the game, relative to the folder holding data/; empty
// when no such folder is found.
std::vector<std::string> GameSpriteFiles(std::filesystem::path& root) {
    std::vector<std::string> files;
    for (const char* candidate : {".", "game", "../game"}) {
        if (std::filesystem::is_directory(std::filesystem::path(candidate) / "data" / "gfx")) {
            root = candidate;
            break;
        }
    }
    if (root.empty()) return files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root / "data")) {
        if (entry.path().extension() != ".xml") continue;
        const std::string text = entry.path().string();
        if (text.find("standard_monster") != std::string::npos) continue;
        files.push_back(std::filesystem::relative(entry.path(), root).string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

double LoadAll(const std::vector<std::string>& files, bool finish, size_t& loaded) {
    const auto start = std::chrono::steady_clock::now();
    std::vector<std::unique_ptr<vorn::CSprite>> sprites;
    for (const std::string& file : files)
        sprites.emplace_back(vorn::CSpriteFactory::GetSingleton()->LoadSprite(file));
    if (finish) glFinish();
    const auto end = std::chrono::steady_clock::now();
    loaded = 0;
    for (const auto& sprite : sprites)
        loaded += sprite && !sprite->Empty();
    sprites.clear();
    return std::chrono::duration<double, std::milli>(end - start).count();
}

void Report(benchmark::State& state, std::vector<double> times, size_t files, size_t loaded) {
    std::sort(times.begin(), times.end());
    state.counters["load_median_ms"] = times.empty() ? 0.0 : times[times.size() / 2];
    state.counters["sprite_files"] = double(files);
    state.counters["sprites_with_image"] = double(loaded);
}

void BM_LoadGameSpritesOpenGL(benchmark::State& state) {
    std::filesystem::path root;
    const std::vector<std::string> files = GameSpriteFiles(root);
    if (files.empty()) {
        state.SkipWithError("no data/ folder of the game found");
        return;
    }
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(root);
    bench_support::CGlBackEnd gl;
    std::string problem;
    if (!gl.Start(800, 600, problem)) {
        std::filesystem::current_path(previous);
        state.SkipWithError(("no OpenGL window: " + problem).c_str());
        return;
    }
    std::vector<double> times;
    size_t loaded = 0;
    for (auto _ : state)
        times.push_back(LoadAll(files, true, loaded));
    gl.Stop();
    std::filesystem::current_path(previous);
    Report(state, times, files.size(), loaded);
}

void BM_LoadGameSpritesSDL(benchmark::State& state) {
    std::filesystem::path root;
    const std::vector<std::string> files = GameSpriteFiles(root);
    if (files.empty()) {
        state.SkipWithError("no data/ folder of the game found");
        return;
    }
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(root);
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    SDL_Init(SDL_INIT_VIDEO);
    SDL_SetVideoMode(800, 600, 32, SDL_SWSURFACE);
    vorn::CGfxFactorySDL factory;
    vorn::Gfx::SetFactory(&factory);
    std::vector<double> times;
    size_t loaded = 0;
    for (auto _ : state)
        times.push_back(LoadAll(files, false, loaded));
    vorn::Gfx::SetFactory(nullptr);
    SDL_Quit();
    std::filesystem::current_path(previous);
    Report(state, times, files.size(), loaded);
}

}  // namespace

BENCHMARK(BM_LoadGameSpritesOpenGL)->Unit(benchmark::kMillisecond)->Iterations(40);
BENCHMARK(BM_LoadGameSpritesSDL)->Unit(benchmark::kMillisecond)->Iterations(40);
