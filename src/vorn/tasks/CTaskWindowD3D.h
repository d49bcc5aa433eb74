#pragma once

#include "vorn/tasks/CTaskWindowSDL.h"

namespace vorn {

// Task type "window" of the task library "d3d": the SDL window task (same
// start parameters, messages and commands "SetName", "Resize", "SetIcon",
// "Fullscreen", "Screenshot"), with an OpenGL window (SDL_OPENGL) for the
// accelerated back end. Before each video mode it asks SDL for the back
// buffer the present parameters describe (CGlobalD3D) and saves the buffers'
// pixels while the old context still holds them.
//
// A window that cannot be made (no display, no OpenGL) leaves nothing to
// draw on: after the log lines of the SDL window task it writes a message to
// standard error and ends the program (exit code 1).
//
// "Screenshot" reads the back buffer: the screen layer draws a frame, which
// is read and presented.
class CTaskWindowD3D : public CTaskWindowSDL {
public:
    static constexpr int EXIT_NO_WINDOW = 1;

    bool SaveScreenshot(const std::string& fileName) override;

protected:
    uint32_t GetExtraVideoFlags() const override;
    void BeforeVideoMode() override;
    void OnWindowFailed(const std::string& reason) override;
};

}  // namespace vorn
