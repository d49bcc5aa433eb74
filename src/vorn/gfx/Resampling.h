#pragma once

#include <vector>

#include "vorn/gfx/CColor.h"

// Scaling and rotation of images held as colours, for the SDL surfaces.
// Sampling weighs colours by their alpha, so transparent pixels lend no
// colour to their neighbours.
namespace vorn::resampling {

// Colours row by row, width x height of them.
struct CColorImage {
    int width = 0;
    int height = 0;
    std::vector<CColor> pixels;
};

// A copy of w x h pixels (both at least 1): bilinear, except that shrinking
// to less than half averages all the pixels each new pixel covers.
CColorImage Scale(const CColorImage& source, int w, int h);

// The size an image of w x h needs to hold itself turned by degrees (finite).
// Right angles give exact sizes.
void RotatedSize(int w, int h, double degrees, int& rotatedW, int& rotatedH);
// The image turned counter-clockwise on screen (y down) by degrees about its
// centre, in an image of RotatedSize; corners outside it are transparent.
// Right angles move pixels without blending.
CColorImage Rotate(const CColorImage& source, double degrees);

}  // namespace vorn::resampling
