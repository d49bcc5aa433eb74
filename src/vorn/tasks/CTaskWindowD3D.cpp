#include "vorn/tasks/CTaskWindowD3D.h"

#include <SDL.h>

#include <cstdio>
#include <vector>

#include "vorn/console/CLog.h"
#include "vorn/gfx/CD3DTexture.h"
#include "vorn/gfx/CGlobalD3D.h"
#include "vorn/gfx/Gfx.h"
#include "vorn/gfx/IPixel.h"
#include "vorn/gfx/IScreenLayerHook.h"
#include "vorn/tasks/CKernel.h"

namespace vorn {

uint32_t CTaskWindowD3D::GetExtraVideoFlags() const {
    return SDL_OPENGL;
}

void CTaskWindowD3D::BeforeVideoMode() {
    CGlobalD3D* global = CGlobalD3D::GetSingleton();
    CPresentParameters& present = global->GetPresentParameters();
    present.width = GetWidth();
    present.height = GetHeight();
    present.windowed = !IsFullscreen();
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, present.backBufferCount > 0 ? 1 : 0);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, present.depthBits);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, present.multiSampleBuffers);
    SDL_GL_SetAttribute(SDL_GL_SWAP_CONTROL, present.waitForRetrace ? 1 : 0);
    // Where setting the mode makes a new context, the textures go with the
    // old one: keep the buffers' pixels while they can be read.
    if (global->GetDevice()) CD3DTexture::PrepareForReset();
}

void CTaskWindowD3D::OnWindowFailed(const std::string& reason) {
    std::fprintf(stderr,
                 "monsters: cannot open an OpenGL window (%s); the task library d3d needs an X "
                 "display with OpenGL\n",
                 reason.c_str());
    CLog::GetSingleton()->Error() << "CTaskWindowD3D: no OpenGL window, the program ends\n";
    CKernel::GetSingleton()->QuitWithStatus(EXIT_NO_WINDOW);
}

bool CTaskWindowD3D::SaveScreenshot(const std::string& fileName) {
    CGlobalD3D* global = CGlobalD3D::PeekSingleton();
    IPixel* screen = Gfx::GetScreenSurface();
    if (!global || !global->GetDevice() || !screen) {
        CLog::GetSingleton()->Error() << "Screenshot: there is no screen to save\n";
        return false;
    }
    // A whole frame: drawn, read when finished (outlines included), then
    // presented. With no sprite drawn the frame is the cleared back buffer.
    Gfx::GetScreenLayerHook()->Update();
    global->BeginFrame();
    std::vector<uint32_t> pixels;
    int w = 0, h = 0;
    const bool read = global->EndFrame(&pixels, &w, &h);
    SDL_Surface* shot = read ? SDL_CreateRGBSurfaceFrom(pixels.data(), w, h, 32, w * 4, 0x00FF0000,
                                                        0x0000FF00, 0x000000FF, 0)
                             : nullptr;
    if (!shot || SDL_SaveBMP(shot, fileName.c_str()) != 0) {
        CLog::GetSingleton()->Error()
            << "Screenshot: could not write " << fileName << ": "
            << (read ? SDL_GetError() : "the back buffer cannot be read") << "\n";
        if (shot) SDL_FreeSurface(shot);
        return false;
    }
    SDL_FreeSurface(shot);
    CLog::GetSingleton()->Write("Screenshot saved to " + fileName + "\n");
    return true;
}

}  // namespace vorn
