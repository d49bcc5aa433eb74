#pragma once

#include <vector>

#include "vorn/gfx/CPixelSDL.h"

namespace vorn {

// The SDL screen: the video surface (not owned; SDL frees it) plus the areas
// changed this frame. AddUpdateRect collects them, clipped to the screen, up
// to "gfx_flip_rects_size" a frame (0: no limit); a rectangle covering the
// screen, or one past the limit, marks the whole screen instead. Flip
// presents the frame and starts the next one with an empty list.
//
// The console variables "gfx_flip_rects_size" (int, 75) and
// "gfx_flip_debug_rects" (bool, 0; kept for scripts, no effect) are bound in
// the main console when the first screen surface of a console's life is made;
// a value a script assigned before then is taken over.
class CPixelScreenSDL : public CPixelSDL {
public:
    static constexpr int DEFAULT_FLIP_RECTS_SIZE = 75;

    // Adopts the current video surface (none when no video mode is set).
    CPixelScreenSDL();
    ~CPixelScreenSDL() override;

    // Takes the current video surface, all of it, and marks the whole screen.
    void AdoptVideoSurface();
    // Lets go of the video surface before SDL frees it (the video mode
    // changes or the video ends): until the next AdoptVideoSurface this is
    // an empty surface that everything may draw on without effect.
    void ReleaseVideoSurface();

    void Flip() override;
    void AddUpdateRect(const types_rect& rect) override;

    const std::vector<types_rect>& GetUpdateRects() const { return myUpdateRects; }
    bool IsWholeScreen() const { return myWholeScreen; }
    types_rect GetScreenRect() const { return myScreenRect; }

    // The settings behind the console variables.
    static int GetFlipRectsSize();
    static void SetFlipRectsSize(int size);
    static bool GetFlipDebugRects();

private:
    static void RegisterVariables();

    std::vector<types_rect> myUpdateRects;
    bool myWholeScreen = true;
    types_rect myScreenRect;
};

}  // namespace vorn
