#pragma once

#include <cstdint>
#include <memory>

#include "vorn/tasks/CTaskGfx.h"

namespace vorn {

class CGfxFactorySDL;
class CPixelScreenSDL;

// Task type "gfx" of the task library "sdl". Start it after the window task:
// it installs the SDL graphics factory, the screen surface and the screen
// layer's dirty-rectangle drawing, and turns per-sprite background buffers
// on. Sixty times a second of application time (see CTaskGfx) it steps the
// animations, lets the screen layer draw what changed and presents the frame. Each resize
// reaching the event bridge after the window task's makes the screen surface
// adopt the new video surface. Its stop takes all of that down again.
class CTaskGfxSDL : public CTaskGfx {
public:
    CTaskGfxSDL();
    ~CTaskGfxSDL() override;

    bool Init() override;
    void Update() override;
    void Exit() override;

    // Called through the event bridge.
    void OnResize(int width, int height);

    CPixelScreenSDL* GetScreen() const { return myScreen.get(); }
    CGfxFactorySDL* GetFactory() const { return myFactory.get(); }

private:
    std::unique_ptr<CGfxFactorySDL> myFactory;
    std::unique_ptr<CPixelScreenSDL> myScreen;
    bool myListening = false;
};

}  // namespace vorn
