#include "vorn/tasks/CTaskWindowSDL.h"

#include <SDL.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "vorn/console/CLog.h"
#include "vorn/console/CVariable.h"
#include "vorn/gfx/CGfxFactorySDL.h"
#include "vorn/gfx/CPixelScreenSDL.h"
#include "vorn/gfx/Gfx.h"
#include "vorn/gfx/IScreenLayerHook.h"
#include "vorn/gfx/ImageInfo.h"
#include "vorn/input/CEventBridge.h"
#include "vorn/io/CFileSystem.h"
#include "vorn/tasks/CKernel.h"
#include "vorn/tasks/sdl/CWindowCommandsSDL.h"

namespace vorn {

namespace {

constexpr uint32_t SDL_INIT_FLAGS = SDL_INIT_TIMER | SDL_INIT_VIDEO;  // 0x21
constexpr int MAX_ICON_SIDE = 32;

CLog& Log() {
    return *CLog::GetSingleton();
}

bool IsBitsPerPixelAllowed(double bpp) {
    return bpp == 0 || bpp == 8 || bpp == 15 || bpp == 16 || bpp == 24 || bpp == 32;
}

}  // namespace

CTaskWindowSDL::CTaskWindowSDL() = default;

CTaskWindowSDL::~CTaskWindowSDL() {
    // CTask's destructor would stop the task too late to reach this Exit.
    if (!IsStopped()) {
        Exit();
        SetStopped(true);
    }
}

bool CTaskWindowSDL::IsWindowSizeAllowed(double width, double height) {
    return std::isfinite(width) && std::isfinite(height) && width >= 1 && height >= 1 &&
           Gfx::IsSurfaceSizeAllowed(static_cast<int64_t>(width), static_cast<int64_t>(height));
}

void CTaskWindowSDL::ReadParameters(CVariableList* params) {
    if (!params) return;
    auto number = [params](size_t index, double& value) {
        if (!params->IsType(index, CVariable::TYPE_NUMBER)) return false;
        value = params->GetNumber(index);
        return true;
    };
    double width = myWidth, height = myHeight, value = 0;
    number(0, width);
    number(1, height);
    if (IsWindowSizeAllowed(width, height)) {
        myWidth = static_cast<int>(width);
        myHeight = static_cast<int>(height);
    } else {
        Log().Printf(
            "[WARNING] CTaskWindowSDL: a window of %g x %g pixels is refused, using %d "
            "x %d\n",
            width, height, myWidth, myHeight);
    }
    if (number(2, value)) {
        if (IsBitsPerPixelAllowed(value))
            myBitsPerPixel = static_cast<int>(value);
        else
            Log().Printf("[WARNING] CTaskWindowSDL: %g bits per pixel is refused, using %d\n",
                         value, myBitsPerPixel);
    }
    if (number(3, value)) myFullscreen = value != 0;
    if (number(4, value)) myResizable = value != 0;
    if (params->IsType(5, CVariable::TYPE_STRING)) myWindowName = params->GetString(5);
    if (params->IsType(6, CVariable::TYPE_STRING)) myIconFile = params->GetString(6);
    if (number(7, value)) myFrame = value != 0;
}

void CTaskWindowSDL::OnWindowFailed(const std::string& reason) {
    // Without a first window there is no game: say why on standard error
    // (where a player who started the program from a terminal sees it) and
    // end the run. A later failure (a refused resize) is in the log only.
    if (!myStarting) return;
    std::fprintf(stderr, "Cannot open the window: %s\n",
                 reason.empty() ? "unknown error" : reason.c_str());
    CKernel::GetSingleton()->QuitWithStatus(1);
}

void CTaskWindowSDL::ReportWindowFailure(const std::string& reason) {
    if (myFailureReported) return;
    myFailureReported = true;
    OnWindowFailed(reason);
}

bool CTaskWindowSDL::Init(CVariableList* params) {
    ReadParameters(params);
    myStarting = true;
    myFailureReported = false;

    // SDL falls back to text-mode drivers when there is no display; a game
    // wants a real window or a clear failure. SDL_VIDEODRIVER still chooses.
    if (!std::getenv("SDL_VIDEODRIVER")) setenv("SDL_VIDEODRIVER", "x11", 0);
    Log() << "Initializing video ";
    if (SDL_Init(SDL_INIT_FLAGS) < 0) {
        Log() << "\n";
        Log().Error() << "Error on initialing video or timer.\n SDL Says:\n";
        Log().Error() << SDL_GetError() << "\n";
        Log().Error() << "Exiting on error \n";
        const std::string reason = SDL_GetError();
        SDL_QuitSubSystem(SDL_INIT_FLAGS);
        ReportWindowFailure(reason);
        myStarting = false;
        // Without video there is no window to make; the task waits to be stopped.
        return false;
    }
    myVideoStarted = true;
    Log() << "[OK]\n\n";

    CreateWindow();

    myCommands = std::make_unique<CWindowCommandsSDL>(this);
    CEventBridge::GetSingleton()->AddResizeHandler(this);
    myListening = true;
    // Sets the video mode, through OnResize.
    PostResize();
    if (!SDL_GetVideoSurface()) ReportWindowFailure(SDL_GetError());
    myStarting = false;
    return false;
}

void CTaskWindowSDL::CreateWindow() {
    Log() << "Creating new window\n";
    SDL_version compiled;
    SDL_VERSION(&compiled);
    Log() << "Compiled with SDL version: " << int(compiled.major) << "." << int(compiled.minor)
          << "." << int(compiled.patch) << "\n";
    const SDL_version* linked = SDL_Linked_Version();
    Log() << "Running with SDL version: " << int(linked->major) << "." << int(linked->minor) << "."
          << int(linked->patch) << "\n";
    char driver[64] = "";
    SDL_VideoDriverName(driver, sizeof(driver));
    Log() << "Using driver: " << driver << "\n";

    uint32_t flags = SDL_SWSURFACE | GetExtraVideoFlags();
    if (!myFullscreen && myResizable) {
        flags |= SDL_RESIZABLE;
        Log() << "Using resizable ( SDL_RESIZABLE )\n";
    }
    if (myBitsPerPixel == 0 && !myFullscreen) {
        flags |= SDL_ANYFORMAT;
        Log() << "Using anyformat ( SDL_ANYFORMAT )\n";
    }
    if (!myFrame) {
        flags |= SDL_NOFRAME;
        Log() << "Using no window frames,\n  ( oh my god our window doesn't have frames!? ) ( "
                 "SDL_NOFRAME )\n";
    }

    Log() << "Valid resolutions for current flags\n";
    SDL_Rect** modes = SDL_ListModes(nullptr, flags);
    if (modes == reinterpret_cast<SDL_Rect**>(-1)) {
        Log() << "All resolutions available\n";
    } else if (!modes) {
        Log() << "No resolutions available\n";
    } else {
        for (int i = 0; modes[i]; ++i)
            Log() << "Width: " << modes[i]->w << "\tHeight:" << modes[i]->h << "\n";
    }
    myVideoFlags = flags;

    if (!myWindowName.empty()) SetWindowName(myWindowName);
    if (!myIconFile.empty()) SetIcon(myIconFile);
    Log() << "New window created succesfully\n\n";
}

namespace {

// The engine's screen surface when it is SDL's video surface.
CPixelScreenSDL* SdlScreen() {
    return dynamic_cast<CPixelScreenSDL*>(Gfx::GetScreenSurface());
}

}  // namespace

void CTaskWindowSDL::Exit() {
    if (myListening) {
        if (CEventBridge* bridge = CEventBridge::PeekSingleton()) bridge->RemoveResizeHandler(this);
        myListening = false;
    }
    myCommands.reset();
    if (myVideoStarted) {
        myVideoStarted = false;
        // SDL frees the video surface with the video: nothing may draw on it
        // any more (the graphics task takes the next one when video returns).
        if (CPixelScreenSDL* screen = SdlScreen()) screen->ReleaseVideoSurface();
        // Only what this task started: the audio task may still use SDL.
        SDL_QuitSubSystem(SDL_INIT_FLAGS);
        if (SDL_WasInit(SDL_INIT_EVERYTHING) == 0) SDL_Quit();
    }
}

bool CTaskWindowSDL::ExecuteNamespaceLine(const std::string& text) {
    if (myCommands) myCommands->ExecuteLine(text);
    return true;
}

CConsole* CTaskWindowSDL::GetConsole() const {
    return myCommands ? myCommands->GetConsole() : nullptr;
}

void CTaskWindowSDL::SetSize(int width, int height) {
    myWidth = width;
    myHeight = height;
}

void CTaskWindowSDL::PostResize() {
    CEventBridge::GetSingleton()->OnResize(myWidth, myHeight);
}

void CTaskWindowSDL::OnResize(int width, int height) {
    // Resizes come from the window system too; refuse sizes no surface may have.
    if (!IsWindowSizeAllowed(width, height)) {
        Log().Error() << "Error the screen mode is not available\n";
        Log().Error() << "Resolution: " << width << ", " << height << " @ " << myBitsPerPixel
                      << "\n";
        return;
    }
    myWidth = width;
    myHeight = height;
    SetVideoMode();
}

void CTaskWindowSDL::SetVideoMode() {
    if (!myVideoStarted) return;
    const uint32_t flags = myVideoFlags | (myFullscreen ? SDL_FULLSCREEN : 0);
    // SDL_VideoModeOK knows no "any depth": for 0 ask about the display's.
    int asked = myBitsPerPixel;
    if (asked == 0) {
        const SDL_VideoInfo* info = SDL_GetVideoInfo();
        asked = info && info->vfmt ? info->vfmt->BitsPerPixel : 32;
    }
    int depth = SDL_VideoModeOK(myWidth, myHeight, asked, flags);
    if (depth == 0) {
        Log().Error() << "Error the screen mode is not available\n";
        Log().Error() << "Resolution: " << myWidth << ", " << myHeight << " @ " << myBitsPerPixel
                      << "\n";
        Log().Error() << "Flags: " << flags << "\n";
        // Let SDL_SetVideoMode pick the closest mode itself.
        depth = myBitsPerPixel;
    } else if (myBitsPerPixel != 0 && depth != myBitsPerPixel) {
        Log().Error() << "Error the screen mode is not available with the bpp " << myBitsPerPixel
                      << "\n";
        Log().Error() << "Using bpp " << depth << "\n";
    }
    // A new mode frees the old video surface, even when it fails.
    if (CPixelScreenSDL* engineScreen = SdlScreen()) engineScreen->ReleaseVideoSurface();
    BeforeVideoMode();
    SDL_Surface* screen = SDL_SetVideoMode(myWidth, myHeight, depth, flags);
    if (CPixelScreenSDL* engineScreen = SdlScreen()) {
        engineScreen->AdoptVideoSurface();
        Gfx::GetScreenLayerHook()->RequestRedrawAll();
    }
    if (!screen) {
        const std::string reason = SDL_GetError();
        Log().Error() << "Error creating the new window\n";
        Log().Error() << "  " << reason << "\n";
        ReportWindowFailure(reason);
        return;
    }
    myFailureReported = false;
    CGfxFactorySDL::SetScreenFormat(mySurfaceFlags, screen->format->BitsPerPixel);
}

void CTaskWindowSDL::SetWindowName(const std::string& name) {
    myWindowName = name;
    SDL_WM_SetCaption(name.c_str(), name.c_str());
}

void CTaskWindowSDL::SetIcon(const std::string& fileName) {
    // Look before loading: a BMP header may claim any size.
    CImageInfo info;
    std::string problem;
    SDL_Surface* icon = nullptr;
    if (ReadImageInfo(fileName, info, problem) && info.format == CImageInfo::FORMAT_BMP &&
        Gfx::IsSurfaceSizeAllowed(info.width, info.height))
        icon = SDL_LoadBMP(fileName.c_str());
    if (!icon) {
        Log() << " CApplicationSDL::WindowSetIcon() Could not load file: " << fileName << "\n";
        return;
    }
    bool fits = true;
    if (icon->w > MAX_ICON_SIDE) {
        Log() << " CApplicationSDL::WindowSetIcon() Image's (" << fileName
              << ") width is larger than 32 pixels \n";
        fits = false;
    }
    if (icon->h > MAX_ICON_SIDE) {
        Log() << " CApplicationSDL::WindowSetIcon() Image's (" << fileName
              << ") height is larger than 32 pixels \n";
        fits = false;
    }
    if (fits) SDL_WM_SetIcon(icon, nullptr);
    SDL_FreeSurface(icon);
}

void CTaskWindowSDL::ToggleFullscreen() {
    Log() << "crappy shiet\n";
    myFullscreen = !myFullscreen;
    PostResize();
    Gfx::GetScreenLayerHook()->RequestRedrawAll();
}

bool CTaskWindowSDL::SaveScreenshot(const std::string& fileName) {
    SDL_Surface* screen = SDL_GetVideoSurface();
    if (!screen) {
        Log().Error() << "Screenshot: there is no screen to save\n";
        return false;
    }
    // Sprites changed since the last frame are erased but not yet redrawn:
    // bring the screen up to date first.
    Gfx::GetScreenLayerHook()->Update();
    // Missing folders are made, as debug::Screenshot does.
    CFileSystem::GetSingleton()->CreateFoldersFor(fileName);
    if (SDL_SaveBMP(screen, fileName.c_str()) != 0) {
        Log().Error() << "Screenshot: could not write " << fileName << ": " << SDL_GetError()
                      << "\n";
        return false;
    }
    Log() << "Screenshot saved to " << fileName << "\n";
    return true;
}

}  // namespace vorn
