#include "vorn/gfx/CGLDevice.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <SDL.h>

#include <algorithm>
#include <cstring>

namespace vorn {

// Entry points beyond OpenGL 1.1, looked up at run time (core names first,
// then the extension's).
struct CGLDevice::CFunctions {
    PFNGLGENFRAMEBUFFERSPROC genFramebuffers = nullptr;
    PFNGLDELETEFRAMEBUFFERSPROC deleteFramebuffers = nullptr;
    PFNGLBINDFRAMEBUFFERPROC bindFramebuffer = nullptr;
    PFNGLFRAMEBUFFERTEXTURE2DPROC framebufferTexture2D = nullptr;
    PFNGLCHECKFRAMEBUFFERSTATUSPROC checkFramebufferStatus = nullptr;
    PFNGLBLENDFUNCSEPARATEPROC blendFuncSeparate = nullptr;

    template <class T>
    static bool Load(T& function, const char* name, const char* alternative) {
        function = reinterpret_cast<T>(SDL_GL_GetProcAddress(name));
        if (!function && alternative)
            function = reinterpret_cast<T>(SDL_GL_GetProcAddress(alternative));
        return function != nullptr;
    }
    // False, with the first missing name, when any is missing.
    bool LoadAll(std::string& missing) {
        const struct {
            bool loaded;
            const char* name;
        } entries[] = {
            {Load(genFramebuffers, "glGenFramebuffers", "glGenFramebuffersEXT"),
             "glGenFramebuffers"},
            {Load(deleteFramebuffers, "glDeleteFramebuffers", "glDeleteFramebuffersEXT"),
             "glDeleteFramebuffers"},
            {Load(bindFramebuffer, "glBindFramebuffer", "glBindFramebufferEXT"),
             "glBindFramebuffer"},
            {Load(framebufferTexture2D, "glFramebufferTexture2D", "glFramebufferTexture2DEXT"),
             "glFramebufferTexture2D"},
            {Load(checkFramebufferStatus, "glCheckFramebufferStatus",
                  "glCheckFramebufferStatusEXT"),
             "glCheckFramebufferStatus"},
            {Load(blendFuncSeparate, "glBlendFuncSeparate", "glBlendFuncSeparateEXT"),
             "glBlendFuncSeparate"},
        };
        for (const auto& entry : entries)
            if (!entry.loaded) {
                missing = entry.name;
                return false;
            }
        return true;
    }
};

namespace {

bool HasOpenGLWindow() {
    const SDL_Surface* screen = SDL_WasInit(SDL_INIT_VIDEO) ? SDL_GetVideoSurface() : nullptr;
    return screen && (screen->flags & SDL_OPENGL) && glGetString(GL_VERSION) != nullptr;
}

// Drops errors left by earlier calls, so that the next check sees only its own.
void ClearErrors() {
    for (int i = 0; i < 16 && glGetError() != GL_NO_ERROR; ++i) {
    }
}

bool NoErrors() {
    bool clean = true;
    for (int i = 0; i < 16; ++i) {
        if (glGetError() == GL_NO_ERROR) break;
        clean = false;
    }
    return clean;
}

uint8_t Round255(unsigned value, unsigned alpha) {
    return static_cast<uint8_t>((value * alpha + 127) / 255);
}

}  // namespace

uint32_t CGLDevice::Premultiply(const CColor& color) {
    return (uint32_t(color.a) << 24) | (uint32_t(Round255(color.r, color.a)) << 16) |
           (uint32_t(Round255(color.g, color.a)) << 8) | Round255(color.b, color.a);
}

CColor CGLDevice::Unpremultiply(uint32_t argb) {
    const unsigned a = argb >> 24;
    if (a == 0) return CColor(0, 0, 0, 0);
    auto channel = [a](unsigned value) {
        return static_cast<uint8_t>(std::min(255u, (value * 255 + a / 2) / a));
    };
    return CColor(channel((argb >> 16) & 0xFF), channel((argb >> 8) & 0xFF), channel(argb & 0xFF),
                  static_cast<uint8_t>(a));
}

std::unique_ptr<CGLDevice> CGLDevice::Create(const CPresentParameters& parameters,
                                             CreateResult& result, std::string& problem) {
    if (!HasOpenGLWindow()) {
        result = CREATE_NO_OPENGL;
        problem = "there is no OpenGL window";
        return nullptr;
    }
    auto functions = std::make_unique<CFunctions>();
    std::string missing;
    if (!functions->LoadAll(missing)) {
        result = CREATE_NO_DEVICE;
        problem = "OpenGL lacks " + missing;
        return nullptr;
    }
    std::unique_ptr<CGLDevice> device(new CGLDevice(parameters, std::move(functions)));
    ClearErrors();
    device->myFunctions->genFramebuffers(1, &device->myFramebuffer);
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    device->myMaxTextureSize = maxSize;
    if (!device->myFramebuffer || maxSize <= 0 || !NoErrors()) {
        result = CREATE_NO_DEVICE;
        problem = "OpenGL could not make a framebuffer object";
        return nullptr;
    }
    device->ApplyState();
    result = CREATE_OK;
    return device;
}

CGLDevice::CGLDevice(const CPresentParameters& parameters, std::unique_ptr<CFunctions> functions)
    : myParameters(parameters), myFunctions(std::move(functions)) {}

CGLDevice::~CGLDevice() {
    // The window's context may be gone already (video stopped first).
    if (myFramebuffer && HasOpenGLWindow()) {
        myFunctions->bindFramebuffer(GL_FRAMEBUFFER, 0);
        myFunctions->deleteFramebuffers(1, &myFramebuffer);
    }
}

std::string CGLDevice::GetDescription() const {
    const GLubyte* renderer = glGetString(GL_RENDERER);
    const GLubyte* version = glGetString(GL_VERSION);
    return std::string(renderer ? reinterpret_cast<const char*>(renderer) : "?") + ", OpenGL " +
           (version ? reinterpret_cast<const char*>(version) : "?");
}

void CGLDevice::ApplyState() {
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glDisable(GL_LIGHTING);
    glDisable(GL_DITHER);
    glDisable(GL_ALPHA_TEST);
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    SetBlendMode(BLEND_OVER);
    myTarget = 0;
    ApplyTarget();
}

bool CGLDevice::Reset(const CPresentParameters& parameters) {
    myParameters = parameters;
    myInScene = false;
    if (!HasOpenGLWindow()) return false;
    // The context may be a new one: make the framebuffer object afresh.
    ClearErrors();
    myFunctions->bindFramebuffer(GL_FRAMEBUFFER, 0);
    if (myFramebuffer) myFunctions->deleteFramebuffers(1, &myFramebuffer);
    myFramebuffer = 0;
    myFunctions->genFramebuffers(1, &myFramebuffer);
    if (!myFramebuffer || !NoErrors()) return false;
    ApplyState();
    return true;
}

CGLDevice::DeviceState CGLDevice::TestCooperativeLevel() const {
    return HasOpenGLWindow() ? DEVICE_OK : DEVICE_LOST;
}

void CGLDevice::Clear(uint32_t argb) {
    glDisable(GL_SCISSOR_TEST);
    glClearColor(((argb >> 16) & 0xFF) / 255.0f, ((argb >> 8) & 0xFF) / 255.0f,
                 (argb & 0xFF) / 255.0f, (argb >> 24) / 255.0f);
    glClear(GL_COLOR_BUFFER_BIT);
}

bool CGLDevice::BeginScene() {
    if (myInScene) return false;
    myInScene = true;
    return true;
}

void CGLDevice::EndScene() {
    myInScene = false;
}

void CGLDevice::Present() {
    // SDL 1.2 swaps only while its video is up.
    if (!HasOpenGLWindow()) return;
    SetTarget(0, 0, 0);
    SDL_GL_SwapBuffers();
}

bool CGLDevice::ReadBackBuffer(std::vector<uint32_t>& pixels, int& width, int& height) {
    width = myParameters.width;
    height = myParameters.height;
    if (width <= 0 || height <= 0 || !HasOpenGLWindow()) return false;
    SetTarget(0, 0, 0);
    ClearErrors();
    std::vector<uint32_t> bottomUp(size_t(width) * height);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, bottomUp.data());
    if (!NoErrors()) return false;
    pixels.resize(bottomUp.size());
    for (int y = 0; y < height; ++y) {
        const uint32_t* from = &bottomUp[size_t(height - 1 - y) * width];
        uint32_t* to = &pixels[size_t(y) * width];
        for (int x = 0; x < width; ++x)
            to[x] = from[x] | 0xFF000000u;
    }
    return true;
}

unsigned CGLDevice::CreateTexture(int width, int height, const uint32_t* pixels) {
    if (width < 1 || height < 1 || width > myMaxTextureSize || height > myMaxTextureSize) return 0;
    ClearErrors();
    GLuint texture = 0;
    glGenTextures(1, &texture);
    if (!texture) return 0;
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    const GLfloat transparent[4] = {0, 0, 0, 0};
    glTexParameterfv(GL_TEXTURE_2D, GL_TEXTURE_BORDER_COLOR, transparent);
    std::vector<uint32_t> clear;
    if (!pixels) {
        clear.assign(size_t(width) * height, 0);
        pixels = clear.data();
    }
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV,
                 pixels);
    if (!NoErrors()) {
        glDeleteTextures(1, &texture);
        return 0;
    }
    return texture;
}

bool CGLDevice::DeleteTexture(unsigned texture) {
    if (!texture) return true;
    ClearErrors();
    if (myTarget == texture) SetTarget(0, 0, 0);
    const GLuint name = texture;
    glDeleteTextures(1, &name);
    return NoErrors();
}

bool CGLDevice::Upload(unsigned texture, const types_rect& rect, const uint32_t* pixels) {
    if (!texture || rect.w <= 0 || rect.h <= 0 || !pixels) return false;
    ClearErrors();
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexSubImage2D(GL_TEXTURE_2D, 0, rect.x, rect.y, rect.w, rect.h, GL_BGRA,
                    GL_UNSIGNED_INT_8_8_8_8_REV, pixels);
    return NoErrors();
}

bool CGLDevice::Fill(unsigned texture, const types_rect& rect, uint32_t argb) {
    if (rect.w <= 0 || rect.h <= 0) return true;
    const std::vector<uint32_t> block(size_t(rect.w) * rect.h, argb);
    return Upload(texture, rect, block.data());
}

bool CGLDevice::ReadTexture(unsigned texture, int width, int height,
                            std::vector<uint32_t>& pixels) {
    if (!texture || width < 1 || height < 1) return false;
    ClearErrors();
    pixels.assign(size_t(width) * height, 0);
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, pixels.data());
    return NoErrors();
}

bool CGLDevice::SetTarget(unsigned texture, int width, int height) {
    if (texture == myTarget &&
        (texture == 0 || (width == myTargetWidth && height == myTargetHeight)))
        return true;
    myTarget = texture;
    myTargetWidth = width;
    myTargetHeight = height;
    ApplyTarget();
    if (texture && myFunctions->checkFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        myTarget = 0;
        ApplyTarget();
        return false;
    }
    return true;
}

void CGLDevice::ApplyTarget() {
    int w = myParameters.width, h = myParameters.height;
    if (myTarget) {
        myFunctions->bindFramebuffer(GL_FRAMEBUFFER, myFramebuffer);
        myFunctions->framebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D,
                                          myTarget, 0);
        w = myTargetWidth;
        h = myTargetHeight;
    } else {
        myFunctions->bindFramebuffer(GL_FRAMEBUFFER, 0);
        glDrawBuffer(GL_BACK);
    }
    glViewport(0, 0, w, h);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    // y grows downwards on the screen; in a texture, row 0 (the image's
    // top) is the framebuffer's bottom row.
    if (myTarget)
        glOrtho(0, w, 0, h, -1, 1);
    else
        glOrtho(0, w, h, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glDisable(GL_SCISSOR_TEST);
}

void CGLDevice::SetClip(const types_rect* rect) {
    if (!rect) {
        glDisable(GL_SCISSOR_TEST);
        return;
    }
    const int height = myTarget ? myTargetHeight : myParameters.height;
    const int y = myTarget ? rect->y : height - (rect->y + rect->h);
    glEnable(GL_SCISSOR_TEST);
    glScissor(rect->x, y, std::max(rect->w, 0), std::max(rect->h, 0));
}

void CGLDevice::SetBlendMode(BlendMode mode) {
    switch (mode) {
        case BLEND_COPY:
            glDisable(GL_BLEND);
            break;
        case BLEND_OVER_KEEP_ALPHA:
            glEnable(GL_BLEND);
            myFunctions->blendFuncSeparate(GL_ONE, GL_ONE_MINUS_SRC_ALPHA, GL_ZERO, GL_ONE);
            break;
        case BLEND_OVER:
        default:
            glEnable(GL_BLEND);
            glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
            break;
    }
}

void CGLDevice::BindTexture(unsigned texture, Sampling sampling) {
    glBindTexture(GL_TEXTURE_2D, texture);
    const GLint filter = sampling == SAMPLE_NEAREST ? GL_NEAREST : GL_LINEAR;
    const GLint wrap = sampling == SAMPLE_LINEAR_BORDER ? GL_CLAMP_TO_BORDER : GL_CLAMP_TO_EDGE;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap);
}

void CGLDevice::DrawTriangles(const CVertex* vertices, size_t count) {
    if (!vertices || count == 0) return;
    const GLsizei stride = sizeof(CVertex);
    glVertexPointer(2, GL_FLOAT, stride, &vertices[0].x);
    glTexCoordPointer(2, GL_FLOAT, stride, &vertices[0].u);
    glColorPointer(4, GL_UNSIGNED_BYTE, stride, &vertices[0].color);
    glDrawArrays(GL_TRIANGLES, 0, GLsizei(count));
}

void CGLDevice::DrawLineStrip(const std::vector<CLinePoint>& points, uint32_t argb) {
    if (points.size() < 2) return;
    const unsigned a = argb >> 24;
    glDisable(GL_TEXTURE_2D);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
    glColor4ub(Round255((argb >> 16) & 0xFF, a), Round255((argb >> 8) & 0xFF, a),
               Round255(argb & 0xFF, a), GLubyte(a));
    // Through pixel centres, so that a line on whole pixels covers them.
    std::vector<GLfloat> coordinates;
    coordinates.reserve(points.size() * 2);
    for (const CLinePoint& point : points) {
        coordinates.push_back(point.x + 0.5f);
        coordinates.push_back(point.y + 0.5f);
    }
    glVertexPointer(2, GL_FLOAT, 0, coordinates.data());
    glDrawArrays(GL_LINE_STRIP, 0, GLsizei(points.size()));
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glEnable(GL_TEXTURE_2D);
}

}  // namespace vorn
