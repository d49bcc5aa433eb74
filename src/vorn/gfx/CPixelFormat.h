#pragma once

#include <cstdint>

#include "vorn/gfx/CColor.h"

namespace vorn {

// How an image file is to be taken when loaded: its colour key (pixels of that
// colour become transparent; magenta by default) and the layout of 32-bit
// pixels (channel masks and shifts, red in the lowest byte by default).
struct CPixelFormat {
    CColor colorKey = CColor(255, 0, 255, 255);
    uint32_t redMask = 0x000000FF;
    uint32_t greenMask = 0x0000FF00;
    uint32_t blueMask = 0x00FF0000;
    uint32_t alphaMask = 0xFF000000;
    uint8_t redShift = 0;
    uint8_t greenShift = 8;
    uint8_t blueShift = 16;
    uint8_t alphaShift = 24;
};

}  // namespace vorn
