#pragma once

#include <SDL.h>

#include <cstdint>

#include "vorn/gfx/CGfxFactory.h"

namespace vorn {

// The graphics factory of the SDL back end. Buffers are made in the screen's
// format (32-bit ARGB when no video mode is set). Images are read from BMP,
// PNG and JPEG files; a file is checked whole and within the size limits of
// Gfx before it is decoded, and shared through the texture manager once
// loaded. Anything that cannot be made gives the null surface and a log line.
class CGfxFactorySDL : public CGfxFactory {
public:
    IPixel* NewBuffer(int w, int h) override;
    IPixel* NewAlphaBuffer(int w, int h) override;
    IPixel* LoadImage(const std::string& fileName, const CPixelFormat& format) override;
    IPixel* NewReference(IPixel* surface) override;
    void FreeImage(IPixel* surface) override;
    IPixel* NewBufferFromColors(int w, int h, const std::vector<CColor>& colors) override;

    // Published by the window task after each video mode change: the SDL
    // flags for new buffers (0: software surfaces) and the screen's depth.
    static void SetScreenFormat(uint32_t surfaceFlags, int bitsPerPixel);
    static uint32_t GetSurfaceFlags();
    static int GetScreenBitsPerPixel();

    // Decodes an image file checked by ReadImageInfo (format is its
    // CImageInfo::Format); null on failure. The accelerated back end decodes
    // through it too, so both show the same pixels.
    static SDL_Surface* Decode(const std::string& fileName, int format);
};

}  // namespace vorn
