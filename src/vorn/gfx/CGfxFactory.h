#pragma once

#include <string>
#include <vector>

#include "vorn/gfx/CColor.h"
#include "vorn/gfx/CPixelFormat.h"

namespace vorn {

class IPixel;

// Makes and frees the surfaces of one back end. The graphics task of the
// active back end creates its factory and installs it with Gfx::SetFactory;
// everything else reaches it through the Gfx functions (vorn/gfx/Gfx.h).
// Every operation that makes a surface returns one owned by the caller, or
// the shared null surface when it cannot be made.
class CGfxFactory {
public:
    virtual ~CGfxFactory() = default;
    // An opaque buffer in the screen's format.
    virtual IPixel* NewBuffer(int w, int h) = 0;
    // A buffer with an alpha channel, in copy mode (IPixel::PARAM_COPY_MODE).
    virtual IPixel* NewAlphaBuffer(int w, int h) = 0;
    // An image file; files already loaded share their pixels.
    virtual IPixel* LoadImage(const std::string& fileName, const CPixelFormat& format) = 0;
    // A second surface on the same pixels where the back end shares them,
    // else a clone; the null surface for null or the null surface.
    virtual IPixel* NewReference(IPixel* surface) = 0;
    // Deletes the surface; null and the null surface are ignored.
    virtual void FreeImage(IPixel* surface) = 0;
    // A buffer like NewAlphaBuffer holding colors (w x h of them, row by row,
    // straight alpha): how pixels are made where surfaces do not take them one
    // by one (the accelerated back end). The null surface by default.
    virtual IPixel* NewBufferFromColors(int w, int h, const std::vector<CColor>& colors);
    // The colours of the surface's source rectangle, row by row; empty when
    // they cannot be read. By default read with GetPixel.
    virtual std::vector<CColor> ReadColors(IPixel* surface);
};

}  // namespace vorn
