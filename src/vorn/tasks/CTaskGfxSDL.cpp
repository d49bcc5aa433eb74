#include "vorn/tasks/CTaskGfxSDL.h"

#include <SDL.h>

#include "vorn/console/CLog.h"
#include "vorn/gfx/CGfxFactorySDL.h"
#include "vorn/gfx/CPixelScreenSDL.h"
#include "vorn/gfx/Gfx.h"
#include "vorn/gfx/IScreenLayerHook.h"
#include "vorn/input/CEventBridge.h"

namespace vorn {

CTaskGfxSDL::CTaskGfxSDL() = default;

CTaskGfxSDL::~CTaskGfxSDL() {
    // CTask's destructor would stop the task too late to reach this Exit.
    if (!IsStopped()) {
        Exit();
        SetStopped(true);
    }
}

bool CTaskGfxSDL::Init() {
    Gfx::SetBackgroundBuffers(true);
    myFactory = std::make_unique<CGfxFactorySDL>();
    Gfx::SetFactory(myFactory.get());
    myScreen = std::make_unique<CPixelScreenSDL>();
    Gfx::SetScreenSurface(myScreen.get());
    // After the window task's handler, so the new video surface exists when
    // this one runs.
    CEventBridge* bridge = CEventBridge::GetSingleton();
    bridge->AddResizeHandler(this);
    myListening = true;
    OnResize(bridge->GetLastWidth(), bridge->GetLastHeight());
    Gfx::GetScreenLayerHook()->InstallStrategy(IScreenLayerHook::STRATEGY_DIRTY_RECTS);
    StartAnimationClock();
    return true;
}

void CTaskGfxSDL::Update() {
    if (!TakeFrame()) return;
    // The window may be gone (its task stopped first) or not made yet.
    SDL_Surface* video = SDL_WasInit(SDL_INIT_VIDEO) ? SDL_GetVideoSurface() : nullptr;
    if (!video || !myScreen) return;
    if (myScreen->GetSurface() != video) {
        // A new video surface starts blank: everything must be drawn again.
        myScreen->AdoptVideoSurface();
        Gfx::GetScreenLayerHook()->RequestRedrawAll();
    }
    AdvanceAnimations();
    Gfx::GetScreenLayerHook()->Update();
    myScreen->Flip();
    CountFrame();
}

void CTaskGfxSDL::OnResize(int width, int height) {
    if (!myScreen) return;
    myScreen->AdoptVideoSurface();
    Gfx::GetScreenLayerHook()->RequestRedrawAll();
    CLog::GetSingleton()->Write("myWidth = " + std::to_string(width) + "\n");
    CLog::GetSingleton()->Write("myHeight = " + std::to_string(height) + "\n");
}

void CTaskGfxSDL::Exit() {
    if (myScreen) LogFrameRate("CTaskGfxSDL");
    if (myListening) {
        if (CEventBridge* bridge = CEventBridge::PeekSingleton()) bridge->RemoveResizeHandler(this);
        myListening = false;
    }
    if (myScreen) {
        // The screen layer must not draw onto the screen surface once it is gone.
        Gfx::GetScreenLayerHook()->InstallStrategy(IScreenLayerHook::STRATEGY_NULL);
    }
    if (Gfx::GetFactory() == myFactory.get()) Gfx::SetFactory(nullptr);
    myFactory.reset();
    if (Gfx::GetScreenSurface() == myScreen.get()) Gfx::SetScreenSurface(nullptr);
    myScreen.reset();
}

}  // namespace vorn
