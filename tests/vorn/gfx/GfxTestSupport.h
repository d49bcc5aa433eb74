#pragma once

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "LogCapture.h"
#include "TestEnvironment.h"
#include "vorn/console/CLog.h"
#include "vorn/gfx/CColor.h"
#include "vorn/gfx/CGfxFactorySDL.h"
#include "vorn/gfx/CPixelSDL.h"
#include "vorn/gfx/Gfx.h"
#include "vorn/gfx/IScreenLayerHook.h"

namespace vorn {
// Readable colours in test failure messages.
inline std::ostream& operator<<(std::ostream& out, const CColor& c) {
    return out << "(" << int(c.r) << ", " << int(c.g) << ", " << int(c.b) << ", " << int(c.a)
               << ")";
}
}  // namespace vorn

namespace gfx_test {

using CLogCapture = testing_support::CLogCapture;

// A screen layer that counts what the graphics task asks of it and may draw.
class CRecordingScreenLayer : public vorn::IScreenLayerHook {
public:
    std::vector<Strategy> strategies;
    int updates = 0;
    int redrawRequests = 0;
    std::function<void()> onUpdate;

    void InstallStrategy(Strategy strategy) override { strategies.push_back(strategy); }
    void Update() override {
        ++updates;
        if (onUpdate) onUpdate();
    }
    void RequestRedrawAll() override { ++redrawRequests; }
};

// Colours equal channel by channel within tolerance.
inline ::testing::AssertionResult Near(const vorn::CColor& actual, const vorn::CColor& expected,
                                       int tolerance = 0) {
    auto off = [tolerance](int a, int b) { return std::abs(a - b) > tolerance; };
    if (off(actual.r, expected.r) || off(actual.g, expected.g) || off(actual.b, expected.b) ||
        off(actual.a, expected.a))
        return ::testing::AssertionFailure() << "colour " << actual << " differs from " << expected
                                             << " by more than " << tolerance;
    return ::testing::AssertionSuccess();
}

inline std::string WriteBytes(const std::string& name, const void* data, size_t size) {
    std::ofstream(name, std::ios::binary).write(static_cast<const char*>(data), size);
    return name;
}

inline std::string WriteBytes(const std::string& name, const std::string& bytes) {
    return WriteBytes(name, bytes.data(), bytes.size());
}

inline std::string ReadBytes(const std::string& name) {
    return testing_support::ReadFile(name);
}

// Writes a 24-bit BMP of w x h pixels coloured by paint(x, y).
inline std::string WriteBmp(const std::string& name, int w, int h,
                            const std::function<vorn::CColor(int, int)>& paint) {
    SDL_Surface* surface =
        SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 24, 0x0000FF, 0x00FF00, 0xFF0000, 0);
    SDL_LockSurface(surface);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const vorn::CColor c = paint(x, y);
            uint8_t* p = static_cast<uint8_t*>(surface->pixels) + y * surface->pitch + x * 3;
            p[0] = c.r;
            p[1] = c.g;
            p[2] = c.b;
        }
    SDL_UnlockSurface(surface);
    SDL_SaveBMP(surface, name.c_str());
    SDL_FreeSurface(surface);
    return name;
}

// The colour of a pixel of any SDL surface.
inline vorn::CColor PixelOf(SDL_Surface* surface, int x, int y) {
    vorn::CPixelSDL view(surface);
    const vorn::CColor color = view.GetPixel(x, y);
    // The view does not own the surface.
    view.SetSurface(nullptr, false);
    return color;
}

// SDL's video under the dummy driver with a 32-bit screen, the SDL graphics
// factory installed and a fresh temporary working folder. Every surface a
// test makes must be freed by its end: the texture manager is checked empty.
class SdlVideoTest : public ::testing::Test {
protected:
    static constexpr int SCREEN_W = 64;
    static constexpr int SCREEN_H = 48;

    void SetUp() override {
        myDir = std::make_unique<testing_support::CScopedTempDir>();
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
        myScreen = SDL_SetVideoMode(SCREEN_W, SCREEN_H, 32, SDL_SWSURFACE);
        ASSERT_NE(myScreen, nullptr) << SDL_GetError();
        vorn::Gfx::SetFactory(&myFactory);
    }
    void TearDown() override {
        vorn::Gfx::SetFactory(nullptr);
        EXPECT_EQ(vorn::CTextureManagerSDL::GetSingleton()->GetRecordCount(), 0u)
            << "a test left loaded images behind";
        SDL_Quit();
        myDir.reset();
    }

    // A buffer with an alpha channel, every pixel set to colour (copy mode on).
    vorn::IPixel* Filled(int w, int h, const vorn::CColor& color) {
        vorn::IPixel* buffer = vorn::Gfx::NewBuffer(w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                buffer->PutPixel(x, y, color);
        return buffer;
    }

    vorn::CGfxFactorySDL myFactory;
    SDL_Surface* myScreen = nullptr;
    std::unique_ptr<testing_support::CScopedTempDir> myDir;
};

// Frees a surface through the graphics factory at the end of a scope.
struct CSurfaceDeleter {
    void operator()(vorn::IPixel* surface) const { vorn::Gfx::FreeImage(surface); }
};
using SurfacePtr = std::unique_ptr<vorn::IPixel, CSurfaceDeleter>;

}  // namespace gfx_test
