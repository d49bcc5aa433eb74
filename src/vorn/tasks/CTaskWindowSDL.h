#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "vorn/tasks/CTask.h"

namespace vorn {

class CConsole;
class CWindowCommandsSDL;

// Task type "window" of the task library "sdl": starts SDL's video, opens the
// window and sets its video mode on every resize that reaches the event
// bridge. Its commands live on a private console, reached as
// "<task name>::Command(...)" (see CWindowCommandsSDL.h).
//
// Start parameters, all optional and positional (a value of the wrong kind or
// out of range is reported and the default kept):
//
//   starttask(window, window, 1, width, height, bpp, fullscreen, resizable,
//             "name", "icon.bmp", frame)
//
//   width, height   640 x 480
//   bpp             0 = any; under SDL's dummy driver that means 8-bit
//                   palettised, so ask for 32 there
//   fullscreen      0 (non-zero = on)
//   resizable       1
//   name            "SDL Window", the caption
//   icon            a BMP of at most 32 x 32 pixels; none by default
//   frame           1 (0 = a window without frame)
//
// Init() returns false: the task needs no frame updates and waits in the
// kernel's paused list until it is stopped, which ends SDL's video.
class CTaskWindowSDL : public CTask {
public:
    static constexpr int DEFAULT_WIDTH = 640;
    static constexpr int DEFAULT_HEIGHT = 480;

    CTaskWindowSDL();
    ~CTaskWindowSDL() override;

    bool Init(CVariableList* params) override;
    bool Init() override { return Init(nullptr); }
    void Update() override {}
    void Exit() override;
    // Runs the text on the private console; the result is dropped.
    bool ExecuteNamespaceLine(const std::string& text) override;

    // Called through the event bridge: stores the size and sets the video mode.
    void OnResize(int width, int height);

    // What the commands do (see CWindowCommandsSDL.h).
    void SetWindowName(const std::string& name);
    void SetIcon(const std::string& fileName);
    void ToggleFullscreen();
    // Posts a resize of the current size to the event bridge.
    void PostResize();
    // Saves the current screen as a BMP file; false when it could not.
    virtual bool SaveScreenshot(const std::string& fileName);

    int GetWidth() const { return myWidth; }
    int GetHeight() const { return myHeight; }
    void SetSize(int width, int height);
    int GetBitsPerPixel() const { return myBitsPerPixel; }
    bool IsFullscreen() const { return myFullscreen; }
    std::string GetWindowName() const { return myWindowName; }
    // The SDL flags chosen when the window was made (SDL_FULLSCREEN aside).
    uint32_t GetVideoFlags() const { return myVideoFlags; }
    CConsole* GetConsole() const;
    CConsole* GetCommandConsole() const override { return GetConsole(); }

    // Sizes the window may have; larger ones are refused.
    static bool IsWindowSizeAllowed(double width, double height);

protected:
    // For back ends built on this window: SDL video flags added to the
    // window's (SDL_OPENGL), a step just before each SDL_SetVideoMode, and
    // what happens when video cannot start or the mode cannot be set (the
    // reason is SDL's error text; by default the task carries on without a
    // usable screen).
    virtual uint32_t GetExtraVideoFlags() const { return 0; }
    virtual void BeforeVideoMode() {}
    // The window could not be made (once per failure). While the task starts
    // this ends the program with a line on standard error.
    virtual void OnWindowFailed(const std::string& reason);

private:
    void ReportWindowFailure(const std::string& reason);
    void ReadParameters(CVariableList* params);
    void CreateWindow();
    void SetVideoMode();

    // Init is running: a failure now means there is no window at all.
    bool myStarting = false;
    bool myFailureReported = false;
    int myWidth = DEFAULT_WIDTH;
    int myHeight = DEFAULT_HEIGHT;
    int myBitsPerPixel = 0;
    bool myFullscreen = false;
    bool myResizable = true;
    std::string myWindowName = "SDL Window";
    std::string myIconFile;
    bool myFrame = true;

    uint32_t myVideoFlags = 0;
    // New buffers are software surfaces.
    uint32_t mySurfaceFlags = 0;
    bool myVideoStarted = false;
    bool myListening = false;
    std::unique_ptr<CWindowCommandsSDL> myCommands;
};

}  // namespace vorn
