#pragma once

#include <SDL.h>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <link.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "EngineFixture.h"
#include "LogCapture.h"
#include "ManualTime.h"
#include "XvfbServer.h"
#include "vorn/gfx/CAnimationUpdator.h"
#include "vorn/gfx/CD3DTexture.h"
#include "vorn/gfx/CGlobalD3D.h"
#include "vorn/gfx/CScreenLayer.h"
#include "vorn/gfx/CTextureManager.h"
#include "vorn/gfx/Gfx.h"
#include "vorn/tasks/CKernel.h"
#include "vorn/tasks/CTaskFactory.h"
#include "vorn/utils/timer/CGlobalAppTimer.h"

namespace gl_task_test {

// Sets an environment variable for the life of the object, then restores it.
class CScopedEnv {
public:
    CScopedEnv(const char* name, const std::string& value) : myName(name) {
        const char* old = std::getenv(name);
        myHad = old != nullptr;
        if (old) myOld = old;
        setenv(name, value.c_str(), 1);
    }
    ~CScopedEnv() {
        if (myHad)
            setenv(myName.c_str(), myOld.c_str(), 1);
        else
            unsetenv(myName.c_str());
    }

private:
    std::string myName;
    std::string myOld;
    bool myHad = false;
};

// Keeps every library loaded now loaded until the process ends. SDL unloads
// the OpenGL driver when its video stops; the driver's one-time allocations
// would then look like leaks to the sanitizers' leak checker.
inline void PinLoadedLibraries() {
    std::vector<std::string> names;
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void* data) {
            if (info->dlpi_name && info->dlpi_name[0])
                static_cast<std::vector<std::string>*>(data)->push_back(info->dlpi_name);
            return 0;
        },
        &names);
    for (const std::string& name : names)
        dlopen(name.c_str(), RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
}

// A picture read from a screenshot: 0xRRGGBB per pixel, row by row.
struct CPicture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
    uint32_t At(int x, int y) const { return pixels[size_t(y) * width + x] & 0xFFFFFF; }
};

inline CPicture LoadPicture(const std::string& fileName) {
    CPicture picture;
    SDL_Surface* loaded = SDL_LoadBMP(fileName.c_str());
    if (!loaded) return picture;
    SDL_Surface* rgb =
        SDL_CreateRGBSurface(SDL_SWSURFACE, 1, 1, 32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0);
    SDL_Surface* converted = SDL_ConvertSurface(loaded, rgb->format, SDL_SWSURFACE);
    SDL_FreeSurface(rgb);
    SDL_FreeSurface(loaded);
    if (!converted) return picture;
    picture.width = converted->w;
    picture.height = converted->h;
    SDL_LockSurface(converted);
    for (int y = 0; y < converted->h; ++y) {
        const uint32_t* row = reinterpret_cast<const uint32_t*>(
            static_cast<const uint8_t*>(converted->pixels) + y * converted->pitch);
        picture.pixels.insert(picture.pixels.end(), row, row + converted->w);
    }
    SDL_UnlockSurface(converted);
    SDL_FreeSurface(converted);
    return picture;
}

// How far two pictures of one size are apart: the share of pixels that
// differ by more than tolerance levels in some channel.
inline double DifferingShare(const CPicture& a, const CPicture& b, int tolerance = 8) {
    if (a.width != b.width || a.height != b.height || a.pixels.empty()) return 1.0;
    size_t differing = 0;
    for (size_t i = 0; i < a.pixels.size(); ++i)
        for (int shift : {0, 8, 16}) {
            const int d = int((a.pixels[i] >> shift) & 0xFF) - int((b.pixels[i] >> shift) & 0xFF);
            if (d > tolerance || d < -tolerance) {
                ++differing;
                break;
            }
        }
    return double(differing) / double(a.pixels.size());
}

// The picture moved right by dx pixels (black coming in): a picture that
// must count as different.
inline CPicture Shifted(const CPicture& picture, int dx) {
    CPicture moved = picture;
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x)
            moved.pixels[size_t(y) * picture.width + x] =
                x >= dx ? picture.pixels[size_t(y) * picture.width + x - dx] : 0;
    return moved;
}

// An engine in a fresh temporary folder, with the game's data beside it
// ("data", "temp"), a manual clock and the real screen layer, able to run
// either back end: "sdl" on SDL's dummy video driver, "d3d" on the tests'
// own X server. Tests needing OpenGL skip, saying why, when Xvfb cannot start.
class GlTaskTest : public testing_support::EngineTest {
protected:
    static constexpr uint32_t START_TIME = 10000000;

    void SetUp() override {
        EngineTest::SetUp();
        myTime = std::make_unique<testing_support::CScopedManualTime>(START_TIME);
        vorn::CGlobalAppTimer::DeleteSingleton();
        vorn::CTextureManagerD3D::GetSingleton()->SetReport(true);
        // The real screen layer, whatever earlier tests left hooked in.
        vorn::CScreenLayer::DeleteSingleton();
        vorn::Gfx::SetScreenLayerHook(nullptr);
        vorn::CScreenLayer::GetSingleton();
        std::error_code error;
        const std::filesystem::path game = std::filesystem::path(MONSTERS_SOURCE_DIR) / "game";
        std::filesystem::create_directory_symlink(game / "data", "data", error);
        std::filesystem::create_directory_symlink(game / "temp", "temp", error);
        testing_support::CXvfbServer& x = testing_support::CXvfbServer::Shared();
        if (!x.IsRunning())
            GTEST_SKIP() << x.GetProblem() << "; the OpenGL tests need an X display";
        myDisplayName = x.GetDisplayName();
    }

    void TearDown() override {
        ShutDown();
        vorn::CGlobalAppTimer::DeleteSingleton();
        myDriver.reset();
        myDisplay.reset();
        EngineTest::TearDown();
        myTime.reset();
        EXPECT_EQ(SDL_WasInit(SDL_INIT_VIDEO), 0u) << "the tasks left SDL's video running";
        EXPECT_EQ(vorn::CTextureManagerD3D::GetSingleton()->GetRecordCount(), 0u);
        EXPECT_EQ(vorn::CD3DTexture::GetAll().size(), 0u) << "textures outlived their surfaces";
    }

    // Loads the library and starts window (w x h, 32 bits), event and gfx as
    // the start-up script does; SDL's video driver follows the library.
    void StartBackEnd(const std::string& library, int w = 800, int h = 600) {
        const bool sdl = library == "sdl";
        myDriver = std::make_unique<CScopedEnv>("SDL_VIDEODRIVER", sdl ? "dummy" : "x11");
        if (!sdl) myDisplay = std::make_unique<CScopedEnv>("DISPLAY", myDisplayName);
        Run("taskload(" + library + ")");
        Run("starttask(window, window, 1000, " + std::to_string(w) + ", " + std::to_string(h) +
            ", 32)");
        if (!sdl) PinLoadedLibraries();
        Run("starttask(event, event, 0)");
        Run("starttask(gfx, gfx, 900)");
        if (sdl) SDL_ShowCursor(SDL_DISABLE);  // the dummy driver draws SDL's pointer
    }

    // Stops every task and takes the engine down as the program does at its
    // end, then sets it up afresh on the same folder and clock time.
    void Restart() {
        ShutDown();
        vorn::CTaskFactory::DeleteSingleton();
        vorn::CKernel::DeleteSingleton();
        vorn::CApplicationFactory::DeleteSingleton();
        vorn::CGlobalAppTimer::DeleteSingleton();
        (*myTime)->now = START_TIME;
        myDriver.reset();
        myDisplay.reset();
        vorn::RegisterBuiltins();
    }

    // A kernel pass every 16 ms of application time.
    // Passes one frame apart: frames fall on a 60-a-second grid (16 or 17 ms).
    void Passes(int count) {
        for (int i = 0; i < count; ++i) {
            (*myTime)->now += 17;
            Kernel()->RunPass();
        }
    }

    std::string WindowCommand(const std::string& line) { return Run("window::" + line); }

    // Screenshot of the running back end, read back as a picture.
    CPicture Screenshot(const std::string& name) {
        WindowCommand("Screenshot(" + name + ")");
        return LoadPicture(name);
    }

    template <class T>
    T* Task(const std::string& name) {
        return dynamic_cast<T*>(Factory()->FindTask(name));
    }

    std::unique_ptr<testing_support::CScopedManualTime> myTime;

private:
    void ShutDown() {
        // Tasks first (their Exit frees what they made), then what drew.
        vorn::CTaskFactory::DeleteSingleton();
        vorn::CScreenLayer::DeleteSingleton();
        vorn::CAnimationUpdator::DeleteSingleton();
    }

    std::string myDisplayName;
    std::unique_ptr<CScopedEnv> myDriver;
    std::unique_ptr<CScopedEnv> myDisplay;
};

}  // namespace gl_task_test
