#pragma once

#include <cstdint>
#include <string>

#include "vorn/gfx/CColor.h"
#include "vorn/utils/math/CRect.h"

namespace vorn {

// A surface: an image, an off-screen buffer or the screen. Every surface has a
// source rectangle, the part of its pixels that counts as the image; width and
// height are the source rectangle's. Coordinates given to PutPixel, GetPixel,
// Clean and BlitTo are relative to the source rectangle's top-left corner.
//
// Surfaces are made and freed only through the graphics factory (vorn/gfx/Gfx.h),
// never with new or delete by their users. Operations that return a surface
// return a new one owned by the caller (free it with Gfx::FreeImage), or the
// shared null surface when it cannot be made.
class IPixel {
public:
    // Codes of GetPixelType.
    enum PixelType { PIXEL_NULL = 0, PIXEL_SDL = 1, PIXEL_D3D = 2 };
    // Codes of SetParameter.
    enum Parameter {
        // bool: blits into this surface copy the source pixels, alpha included,
        // instead of blending. Needs 4 bytes per pixel on both sides.
        PARAM_COPY_MODE = 0,
        // bool: blits into this surface blend every non-zero source pixel by its
        // alpha. Needs 4 bytes per pixel on both sides.
        PARAM_BLEND_MODE = 1,
        // Two engine-wide integers, free for the engine's use.
        PARAM_ENGINE_VALUE_A = 2,
        PARAM_ENGINE_VALUE_B = 3,
        // The colour Clean fills with, packed 0xAARRGGBB (CColor::ToARGB).
        PARAM_CLEAR_COLOR = 4,
        // bool: blits from this surface copy its pixels, alpha included,
        // instead of blending them (a sprite's background buffer, which holds
        // exactly what was there). Back ends may ignore it.
        PARAM_COPY_SOURCE = 5
    };

    virtual ~IPixel() = default;

    // True only for the one shared null surface, which is never deleted.
    virtual bool IsNullSurface() const = 0;
    virtual int GetPixelType() const = 0;
    // True when there are no pixels behind the surface.
    virtual bool Empty() const = 0;

    // Sets one pixel; ignored outside the source rectangle. An alpha below 255
    // blends the colour over the pixel that is there.
    virtual void PutPixel(int x, int y, const CColor& color) = 0;
    // Outside the source rectangle: opaque black.
    virtual CColor GetPixel(int x, int y) const = 0;
    // Fills the rectangle (clipped to the source rectangle) with the clear
    // colour; only surfaces of 4 bytes per pixel.
    virtual void Clean(const types_rect& rect) = 0;

    virtual int GetWidth() const = 0;
    virtual int GetHeight() const = 0;

    // New surfaces derived from the source rectangle (caller owns them).
    // A scaled copy of w x h pixels.
    virtual IPixel* Resize(int w, int h) const = 0;
    // A copy turned counter-clockwise by degrees about its centre, grown to
    // hold the whole turned image.
    virtual IPixel* Rotate(float degrees) const = 0;
    // Rotate for a caller that turns again and again (a sprite turning every
    // frame): spare, an image an earlier Rotate or RotateReusing gave and
    // the caller still owns (or null), may be overwritten with the new turn
    // and returned instead of a new image. The result shows exactly what
    // Rotate's would. When the result is not spare, spare is untouched and
    // still the caller's.
    virtual IPixel* RotateReusing(float degrees, IPixel* spare) const {
        (void)spare;
        return Rotate(degrees);
    }
    // A clone in which the alpha of every non-zero pixel is multiplied by alpha / 255.
    virtual IPixel* SetAlpha(uint8_t alpha) const = 0;
    // A copy of the pixels with an alpha channel and the same source rectangle.
    virtual IPixel* Clone() const = 0;

    // Copies the part source of this surface onto target with its top-left at
    // destination (both relative to the source rectangles, clipped to them).
    // True when the blit was made.
    virtual bool BlitTo(IPixel* target, const types_rect& source,
                        const types_point& destination) = 0;
    // The whole source rectangle onto target at the same position.
    virtual bool BlitTo(IPixel* target) = 0;

    // Kept inside the surface: the part outside it is cut off.
    virtual void SetSourceRect(const types_rect& rect) = 0;
    virtual types_rect GetSourceRect() const = 0;
    // True when the source rectangle is not the whole surface.
    virtual bool IsClipped() const = 0;
    virtual int GetSurfaceWidth() const = 0;
    virtual int GetSurfaceHeight() const = 0;
    virtual int GetSourceX() const = 0;
    virtual int GetSourceY() const = 0;

    // See Parameter; bools are 0 or 1.
    virtual void SetParameter(int which, uint32_t value) = 0;
    // Writes the source rectangle to a file: TGA when the name ends in "tga",
    // else BMP. True on success.
    virtual bool SaveTo(const std::string& fileName) = 0;
    // The file the surface was loaded from; empty for buffers.
    virtual std::string GetFilename() const = 0;

    // Screen surfaces only: presents the frame, and marks an area to present.
    virtual void Flip() = 0;
    virtual void AddUpdateRect(const types_rect& rect) = 0;
};

}  // namespace vorn
