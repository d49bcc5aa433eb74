#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "vorn/gfx/CColor.h"
#include "vorn/utils/math/CRect.h"

namespace vorn {

// What the back buffer is to be: the window's size, one back buffer, no
// multisampling, no depth buffer, presented at once (no wait for the vertical
// retrace). The window task of the "d3d" library asks SDL for these before it
// sets the video mode; the device takes its size from them.
struct CPresentParameters {
    int width = 0;
    int height = 0;
    bool windowed = true;
    int backBufferCount = 1;
    int multiSampleBuffers = 0;
    int depthBits = 0;
    bool waitForRetrace = false;
};

// A point of a line strip, in screen pixels.
struct CLinePoint {
    float x = 0.0f;
    float y = 0.0f;
};

// The accelerated back end's device layer: the few things it needs of OpenGL
// (a legacy, fixed-function context made by SDL 1.2's SDL_OPENGL window),
// under the names of the operations it stands for.
//
//  - Device: Create checks for the OpenGL window and its functions; Reset
//    adapts to a new back-buffer size; TestCooperativeLevel tells whether the
//    window and its context are still there.
//  - Frames: Clear, BeginScene, EndScene, Present (swaps the buffers),
//    ReadBackBuffer (for screenshots).
//  - Textures: 32-bit textures holding premultiplied ARGB (0xAARRGGBB with
//    red, green and blue already multiplied by alpha), row 0 at the top;
//    created, uploaded, filled, read back and deleted by handle.
//  - Drawing targets: the back buffer (handle 0) or a texture, through a
//    framebuffer object; coordinates are pixels with y down in both.
//  - Line strips in a colour, on the back buffer.
//
// The quads themselves are drawn by CGLSpriteBatch. Engine thread only, with
// the window's context current (SDL keeps it so).
class CGLDevice {
public:
    // Results of Create.
    enum CreateResult {
        CREATE_OK = 0,
        // No OpenGL window or context: the "Direct3D object" cannot be had.
        CREATE_NO_OPENGL = 1,
        // OpenGL is there, but lacks what the device needs.
        CREATE_NO_DEVICE = 2
    };
    // Results of TestCooperativeLevel.
    enum DeviceState { DEVICE_OK = 0, DEVICE_LOST = 1, DEVICE_ERROR = 2 };
    // How drawn pixels combine with the target's.
    enum BlendMode {
        // Premultiplied "over" on all four channels.
        BLEND_OVER = 0,
        // The source replaces the target, alpha included.
        BLEND_COPY = 1,
        // "Over" on the colour; the target keeps its alpha.
        BLEND_OVER_KEEP_ALPHA = 2
    };
    // How a texture is sampled when drawn.
    enum Sampling {
        // Texel for pixel: unscaled, unrotated drawing.
        SAMPLE_NEAREST = 0,
        // Bilinear, edges repeated outward (scaled images).
        SAMPLE_LINEAR_EDGE = 1,
        // Bilinear, transparent outside the texture (turned images).
        SAMPLE_LINEAR_BORDER = 2
    };

    // The device for the current OpenGL window, or null with result set and
    // the reason in problem.
    static std::unique_ptr<CGLDevice> Create(const CPresentParameters& parameters,
                                             CreateResult& result, std::string& problem);
    // Deletes what the device made (not the textures: their owners do).
    ~CGLDevice();
    CGLDevice(const CGLDevice&) = delete;
    CGLDevice& operator=(const CGLDevice&) = delete;

    // Takes the new back-buffer size; false when the context is gone.
    bool Reset(const CPresentParameters& parameters);
    DeviceState TestCooperativeLevel() const;
    int GetWidth() const { return myParameters.width; }
    int GetHeight() const { return myParameters.height; }
    // Largest texture side the implementation takes.
    int GetMaxTextureSize() const { return myMaxTextureSize; }
    // "renderer, version" of the OpenGL implementation.
    std::string GetDescription() const;

    // Frames. BeginScene fails (false) when a scene is open already.
    void Clear(uint32_t argb);
    bool BeginScene();
    void EndScene();
    bool IsInScene() const { return myInScene; }
    void Present();
    // The back buffer, top row first, as opaque 0xFFRRGGBB; false when it
    // cannot be read.
    bool ReadBackBuffer(std::vector<uint32_t>& pixels, int& width, int& height);

    // Textures (premultiplied ARGB). CreateTexture gives 0 on failure; a new
    // texture holds pixels (width x height of them) or is transparent black.
    unsigned CreateTexture(int width, int height, const uint32_t* pixels = nullptr);
    // False when OpenGL reported an error (the texture is deleted regardless).
    bool DeleteTexture(unsigned texture);
    // pixels: rect.w x rect.h values, row by row.
    bool Upload(unsigned texture, const types_rect& rect, const uint32_t* pixels);
    bool Fill(unsigned texture, const types_rect& rect, uint32_t argb);
    // The whole texture of width x height, row by row.
    bool ReadTexture(unsigned texture, int width, int height, std::vector<uint32_t>& pixels);

    // Draws go to texture (0: the back buffer) from here on; a texture target
    // is width x height pixels. False when the texture cannot be drawn into.
    bool SetTarget(unsigned texture, int width, int height);
    unsigned GetTarget() const { return myTarget; }
    // Limits drawing to rect of the target (null: no limit).
    void SetClip(const types_rect* rect);
    void SetBlendMode(BlendMode mode);
    // Binds texture for drawing, sampled as asked.
    void BindTexture(unsigned texture, Sampling sampling);
    // Triangles of {x, y, u, v} floats and 0xAABBGGRR colours: count vertices.
    struct CVertex {
        float x, y, u, v;
        uint32_t color;
    };
    void DrawTriangles(const CVertex* vertices, size_t count);
    // A strip of lines joining the points, in an ARGB colour, on the target.
    void DrawLineStrip(const std::vector<CLinePoint>& points, uint32_t argb);

    // Straight colour to premultiplied ARGB and back.
    static uint32_t Premultiply(const CColor& color);
    static CColor Unpremultiply(uint32_t argb);

private:
    struct CFunctions;
    CGLDevice(const CPresentParameters& parameters, std::unique_ptr<CFunctions> functions);
    void ApplyState();
    void ApplyTarget();

    CPresentParameters myParameters;
    std::unique_ptr<CFunctions> myFunctions;
    unsigned myFramebuffer = 0;
    unsigned myTarget = 0;
    int myTargetWidth = 0;
    int myTargetHeight = 0;
    int myMaxTextureSize = 0;
    bool myInScene = false;
};

}  // namespace vorn
