#pragma once

#include <cstdint>
#include <memory>

#include "vorn/tasks/CTaskGfx.h"
#include "vorn/utils/timer/CTimer.h"

namespace vorn {

class CGfxFactorySDL;
class CPixelScreenSDL;

// Task type "gfx" of the task library "sdl". Start it after the window task:
// it installs the SDL graphics factory, the screen surface and the screen
// layer's dirty-rectangle drawing, and turns per-sprite background buffers
// on. At most every 16 ms of application time it steps the animations, lets
// the screen layer draw what changed and presents the frame. Each resize
// reaching the event bridge after the window task's makes the screen surface
// adopt the new video surface. Its stop takes all of that down again.
class CTaskGfxSDL : public CTaskGfx {
public:
    static constexpr uint32_t FRAME_INTERVAL_MS = 16;

    CTaskGfxSDL();
    ~CTaskGfxSDL() override;

    bool Init() override;
    void Update() override;
    void Exit() override;

    // Called through the event bridge.
    void OnResize(int width, int height);

    CPixelScreenSDL* GetScreen() const { return myScreen.get(); }
    CGfxFactorySDL* GetFactory() const { return myFactory.get(); }
    // Frames presented since the start.
    unsigned long GetFrameCount() const override { return myFrameCount; }

private:
    std::unique_ptr<CGfxFactorySDL> myFactory;
    std::unique_ptr<CPixelScreenSDL> myScreen;
    CTimer myTimer;
    uint32_t myLastFrame = 0;
    unsigned long myFrameCount = 0;
    bool myListening = false;
};

}  // namespace vorn
