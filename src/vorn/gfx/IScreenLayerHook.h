#pragma once

namespace vorn {

// What a graphics task needs of the screen layer, the root of all sprites:
// choosing how the sprites reach the screen, drawing what changed each frame
// and forcing a full redraw. The screen layer implements it and installs
// itself with Gfx::SetScreenLayerHook; until then the null hook below answers.
class IScreenLayerHook {
public:
    // How the screen layer draws: nothing at all, only what changed (with
    // per-sprite background buffers; the SDL back end), or everything every
    // frame (the Direct3D back end).
    enum Strategy { STRATEGY_NULL = 0, STRATEGY_DIRTY_RECTS = 1, STRATEGY_IMMEDIATE = 2 };

    virtual ~IScreenLayerHook() = default;
    // Replaces the drawing strategy; the previous one is deleted.
    virtual void InstallStrategy(Strategy strategy) = 0;
    // Draws the frame onto the current screen surface (Gfx::GetScreenSurface)
    // and reports the changed areas to it with AddUpdateRect.
    virtual void Update() = 0;
    // The next Update draws everything.
    virtual void RequestRedrawAll() = 0;
};

// Draws nothing.
class CScreenLayerHookNull : public IScreenLayerHook {
public:
    void InstallStrategy(Strategy) override {}
    void Update() override {}
    void RequestRedrawAll() override {}
};

}  // namespace vorn
