#pragma once

// The accelerated back end brought up by hand for the benchmarks: an OpenGL
// window on the tests' own X server (or on $DISPLAY when VORN_BENCH_DISPLAY
// is set), the device and sprite interface in CGlobalD3D, the factory and the
// screen surface, the screen layer drawing everything every frame.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "XvfbServer.h"
#include "vorn/gfx/CD3DTexture.h"
#include "vorn/gfx/CGLDevice.h"
#include "vorn/gfx/CGLSpriteBatch.h"
#include "vorn/gfx/CGfxFactoryD3D.h"
#include "vorn/gfx/CGlobalD3D.h"
#include "vorn/gfx/CPixelScreenD3D.h"
#include "vorn/gfx/CScreenLayer.h"
#include "vorn/gfx/Gfx.h"

namespace bench_support {

class CGlBackEnd {
public:
    // False, with the reason, when there is no OpenGL window to be had.
    bool Start(int w, int h, std::string& problem) {
        if (!std::getenv("VORN_BENCH_DISPLAY")) {
            testing_support::CXvfbServer& x = testing_support::CXvfbServer::Shared();
            if (!x.IsRunning()) {
                problem = x.GetProblem();
                return false;
            }
            setenv("DISPLAY", x.GetDisplayName().c_str(), 1);
        }
        setenv("SDL_VIDEODRIVER", "x11", 1);
        if (SDL_Init(SDL_INIT_VIDEO) != 0) {
            problem = SDL_GetError();
            return false;
        }
        SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
        SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
        SDL_GL_SetAttribute(SDL_GL_SWAP_CONTROL, 0);
        if (!SDL_SetVideoMode(w, h, 32, SDL_OPENGL)) {
            problem = SDL_GetError();
            SDL_Quit();
            return false;
        }
        vorn::CGlobalD3D* global = vorn::CGlobalD3D::GetSingleton();
        vorn::CPresentParameters& present = global->GetPresentParameters();
        present.width = w;
        present.height = h;
        vorn::CGLDevice::CreateResult result;
        auto device = vorn::CGLDevice::Create(present, result, problem);
        if (!device) {
            SDL_Quit();
            return false;
        }
        global->SetSprite(std::make_unique<vorn::CGLSpriteBatch>(device.get()));
        global->SetDevice(std::move(device));
        vorn::Gfx::SetFactory(&myFactory);
        myScreen = std::make_unique<vorn::CPixelScreenD3D>();
        myScreen->SetSize(w, h);
        vorn::Gfx::SetScreenSurface(myScreen.get());
        vorn::Gfx::SetBackgroundBuffers(false);
        vorn::CScreenLayer::GetSingleton()->InstallStrategy(
            vorn::IScreenLayerHook::STRATEGY_IMMEDIATE);
        return true;
    }

    void Stop() {
        vorn::CScreenLayer::DeleteSingleton();
        vorn::Gfx::SetScreenSurface(nullptr);
        myScreen.reset();
        vorn::Gfx::SetFactory(nullptr);
        vorn::CGlobalD3D* global = vorn::CGlobalD3D::GetSingleton();
        vorn::CD3DTexture::ReleaseAllTextures();
        global->TakeSprite().reset();
        global->TakeDevice().reset();
        SDL_Quit();
    }

    vorn::CPixelScreenD3D* Screen() const { return myScreen.get(); }

private:
    vorn::CGfxFactoryD3D myFactory;
    std::unique_ptr<vorn::CPixelScreenD3D> myScreen;
};

}  // namespace bench_support
