#pragma once

#include <SDL.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "vorn/gfx/CColor.h"
#include "vorn/gfx/Resampling.h"
#include "vorn/utils/math/CRect.h"

// Pixel access shared by the SDL surface classes. Reads and writes need the
// surface locked (CSurfaceLock) and coordinates inside the surface.
namespace vorn::sdlpixels {

// Locks a surface for direct pixel access for the life of the object, when
// SDL requires it. Locked() is false when locking failed.
class CSurfaceLock {
public:
    explicit CSurfaceLock(SDL_Surface* surface);
    ~CSurfaceLock();
    CSurfaceLock(const CSurfaceLock&) = delete;
    CSurfaceLock& operator=(const CSurfaceLock&) = delete;
    bool Locked() const { return myLocked; }

private:
    SDL_Surface* mySurface;
    bool myLocked = false;
    bool myNeedsUnlock = false;
};

uint32_t ReadRaw(const SDL_Surface* surface, int x, int y);
void WriteRaw(SDL_Surface* surface, int x, int y, uint32_t raw);
// Alpha reads 255 on surfaces without an alpha channel.
CColor RawToColor(const SDL_PixelFormat* format, uint32_t raw);
uint32_t ColorToRaw(const SDL_PixelFormat* format, const CColor& color);
// src drawn over dst by their alphas ("over"), in floating point.
CColor BlendOver(const CColor& src, const CColor& dst);

// A new 32-bit surface with an alpha channel, all pixels transparent black, in
// the layout SDL_DisplayFormatAlpha gives for the current screen (ARGB when
// there is none). Null when SDL cannot make it.
SDL_Surface* CreateAlphaSurface(int w, int h);
// True when surface is made as CreateAlphaSurface would make one now (the
// layout, SDL_SRCALPHA with full surface alpha, no colour key, no run-length
// encoding) and needs no locking: it can be filled again in place.
bool IsPlainAlphaSurface(const SDL_Surface* surface);

// The pixels of a rectangle of a surface (inside it) as colours, row by row.
std::vector<CColor> ReadColors(SDL_Surface* surface, const types_rect& rect);
// Writes w x h colours into a surface made by CreateAlphaSurface.
void WriteColors(SDL_Surface* surface, const std::vector<CColor>& colors);

// The channel layout of a 32-bit format with 8 bits a channel.
resampling::CLayout LayoutOf(const SDL_PixelFormat* format);
// The pixels of a rectangle of a surface (inside it) packed 0xAARRGGBB, the
// colour key (when the surface has one) made transparent black; with
// premultiply, each colour channel multiplied by alpha / 255.
std::vector<uint32_t> ReadArgb(SDL_Surface* surface, const types_rect& rect, bool premultiply);
// ReadArgb premultiplied, inside a transparent border of one pixel (as
// resampling::Padded gives it), into padded, whose storage is reused: a
// caller that keeps it allocates nothing for images of sizes it has seen.
// False (padded emptied) when nothing could be read.
bool ReadPaddedPremultiplied(SDL_Surface* surface, const types_rect& rect,
                             resampling::CImage& padded);
// A new surface as CreateAlphaSurface makes it, all transparent, whose pixels
// fill then writes (straight colours, the surface's layout). Null when SDL
// cannot make it.
SDL_Surface* CreateAlphaSurface(int w, int h,
                                const std::function<void(const resampling::CTarget&)>& fill);

// Copies rect of src to (x, y) of dst pixel for pixel, alpha included,
// converting between layouts. Both surfaces 4 bytes per pixel, both locked,
// the rectangles inside both.
void CopyPixels(SDL_Surface* src, const types_rect& rect, SDL_Surface* dst, int x, int y);
// Like CopyPixels, but blends every non-zero source pixel over dst.
void BlendPixels(SDL_Surface* src, const types_rect& rect, SDL_Surface* dst, int x, int y);

// True when BlitAlphaPixels can stand in for SDL_BlitSurface: two distinct
// 32-bit surfaces with the same colour channels, the source with an 8-bit
// alpha channel in use (SDL_SRCALPHA) and no colour key, neither run-length
// encoded, the target clipping nothing (its clip rectangle is all of it).
bool CanBlitAlpha(const SDL_Surface* src, const SDL_Surface* dst);
// rect of src drawn over dst at (x, y) by the source's per-pixel alpha, as
// SDL_BlitSurface draws it: colours mixed (rounded to nearest), the target's
// own alpha kept. Fully transparent and fully opaque runs of pixels cost
// little. Both surfaces locked, CanBlitAlpha true, the rectangles inside both.
void BlitAlphaPixels(SDL_Surface* src, const types_rect& rect, SDL_Surface* dst, int x, int y);

}  // namespace vorn::sdlpixels
