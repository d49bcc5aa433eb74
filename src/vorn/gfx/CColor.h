#pragma once

#include <cstdint>

namespace vorn {

// A colour of four 8-bit channels; alpha 255 is opaque, 0 fully transparent.
struct CColor {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    uint8_t a = 255;

    constexpr CColor() = default;
    constexpr CColor(uint8_t r_, uint8_t g_, uint8_t b_, uint8_t a_ = 255)
        : r(r_), g(g_), b(b_), a(a_) {}

    // Packed as 0xAARRGGBB, the form surface parameters take.
    constexpr uint32_t ToARGB() const {
        return (uint32_t(a) << 24) | (uint32_t(r) << 16) | (uint32_t(g) << 8) | uint32_t(b);
    }
    static constexpr CColor FromARGB(uint32_t argb) {
        return CColor(uint8_t(argb >> 16), uint8_t(argb >> 8), uint8_t(argb), uint8_t(argb >> 24));
    }

    constexpr bool operator==(const CColor& o) const {
        return r == o.r && g == o.g && b == o.b && a == o.a;
    }
    constexpr bool operator!=(const CColor& o) const { return !(*this == o); }
};

}  // namespace vorn
