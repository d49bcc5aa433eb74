#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// Scaling and rotation of images, for the SDL surfaces.
//
// Pixels are 32 bits, 8 per channel; CImage packs them 0xAARRGGBB. Scale and
// Rotate sample premultiplied pixels (each colour channel already multiplied
// by alpha / 255): sampling then weighs colours by their alpha, so
// transparent pixels lend no colour to their neighbours and soft edges keep
// their colour instead of darkening. Positions are 16.16 fixed point and
// blending weights 8 bits; two channels are blended per 32-bit operation.
// Results are written straight (not premultiplied) into the caller's pixels
// in the caller's channel layout, so a surface is filled in one pass.
namespace vorn::resampling {

// w x h pixels, row by row, packed 0xAARRGGBB.
struct CImage {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
};

// Where the channels of a 32-bit pixel lie (bit shifts).
struct CLayout {
    int a = 24, r = 16, g = 8, b = 0;
    bool IsArgb() const { return a == 24 && r == 16 && g == 8 && b == 0; }
};

// Pixels to write to: rows of pitch pixels, laid out as layout, holding the
// straight colours (premultiplied ones when premultiplied is set). cleared
// says they are all zero already (a new surface); rotation then writes only
// the pixels the turned image covers, else every pixel of its size.
struct CTarget {
    uint32_t* pixels = nullptr;
    size_t pitch = 0;
    CLayout layout;
    bool premultiplied = false;
    bool cleared = true;
};

namespace detail {
// (255 << 16) / a, rounded (0 for 0): un-premultiplying is a multiply and a
// shift.
constexpr std::array<uint32_t, 256> MakeReciprocals() {
    std::array<uint32_t, 256> table{};
    for (uint32_t a = 1; a < 256; ++a)
        table[a] = (255u * 65536u + a / 2) / a;
    return table;
}
inline constexpr std::array<uint32_t, 256> RECIPROCALS = MakeReciprocals();

// c * a / 255 rounded to nearest, exactly, for c and a in 0..255.
inline uint32_t MulDiv255(uint32_t c, uint32_t a) {
    const uint32_t t = c * a + 128;
    return (t + (t >> 8)) >> 8;
}
}  // namespace detail

// One straight pixel premultiplied, and back (colours rounded to nearest).
inline uint32_t Premultiply(uint32_t argb) {
    const uint32_t a = argb >> 24;
    if (a == 255) return argb;
    if (a == 0) return 0;
    using detail::MulDiv255;
    return (a << 24) | (MulDiv255((argb >> 16) & 0xFF, a) << 16) |
           (MulDiv255((argb >> 8) & 0xFF, a) << 8) | MulDiv255(argb & 0xFF, a);
}

// Without branches: the table gives 0 for alpha 0 and exactly 1 << 16 for 255.
inline uint32_t Unpremultiply(uint32_t premultiplied) {
    const uint32_t a = premultiplied >> 24;
    const uint32_t k = detail::RECIPROCALS[a];
    auto channel = [k](uint32_t c) {
        const uint32_t v = (c * k + 0x8000) >> 16;
        return v > 255 ? 255u : v;
    };
    return (a << 24) | (channel((premultiplied >> 16) & 0xFF) << 16) |
           (channel((premultiplied >> 8) & 0xFF) << 8) | channel(premultiplied & 0xFF);
}

// A packed 0xAARRGGBB pixel in layout, and back.
inline uint32_t ToLayout(uint32_t argb, const CLayout& layout) {
    return ((argb >> 24) << layout.a) | (((argb >> 16) & 0xFF) << layout.r) |
           (((argb >> 8) & 0xFF) << layout.g) | ((argb & 0xFF) << layout.b);
}
inline uint32_t FromLayout(uint32_t raw, const CLayout& layout) {
    return (((raw >> layout.a) & 0xFF) << 24) | (((raw >> layout.r) & 0xFF) << 16) |
           (((raw >> layout.g) & 0xFF) << 8) | ((raw >> layout.b) & 0xFF);
}

// The image's pixels written as they are (straight stays straight) in the
// target's layout; target.premultiplied is not looked at.
void CopyInto(const CImage& source, const CTarget& target);

// A premultiplied image scaled to w x h (both at least 1) into target:
// bilinear, except that shrinking to less than half averages all the pixels
// each new pixel covers; the same size copies.
void ScaleInto(const CImage& source, int w, int h, const CTarget& target);
// The same into a new premultiplied image (empty for sizes below 1).
CImage Scale(const CImage& source, int w, int h);

// The size an image of w x h needs to hold itself turned by degrees (finite).
// Right angles give exact sizes.
void RotatedSize(int w, int h, double degrees, int& rotatedW, int& rotatedH);
// The number of quarter turns when degrees is a whole multiple of 90 (0..3),
// else -1.
int QuarterTurns(double degrees);
// n pixels packed 0xAARRGGBB premultiplied from from into to (the same
// array or apart), exactly as Premultiply does it, several pixels a step.
void PremultiplyRow(const uint32_t* from, uint32_t* to, size_t n);
// The image inside a transparent border of one pixel, 2 pixels wider and
// higher: what rotation samples from.
CImage Padded(const CImage& source);

// A premultiplied image turned counter-clockwise on screen (y down) by
// degrees (finite, not a right angle) about its centre, into target of
// RotatedSize. A target that is not cleared gets zero wherever the turned
// image does not reach.
void RotateInto(const CImage& source, double degrees, const CTarget& target);
// RotateInto for a source given as Padded gives it (the border is not
// part of the picture): callers that read a source can pad it on the way.
void RotatePaddedInto(const CImage& padded, double degrees, const CTarget& target);
// The same into a new premultiplied image; right angles turn exactly, and a
// value that is not finite gives an empty image.
CImage Rotate(const CImage& source, double degrees);
// Any image (straight or premultiplied) turned by quarter turns (0..3): the
// pixels move without blending, so right angles are exact.
CImage TurnQuarters(const CImage& source, int quarters);

}  // namespace vorn::resampling
