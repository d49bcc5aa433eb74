#pragma once

#include <cstdint>

#include "vorn/gfx/CColor.h"

// Colour arithmetic on 8-bit channels. Every result is rounded to the
// nearest value and kept to 0..255 (never wrapped round).
namespace vorn {

// Red, green and blue each multiplied by their factor; alpha unchanged.
// A factor that is not a number counts as 0.
CColor ScaleChannels(const CColor& color, double red, double green, double blue);

// The alpha multiplied by alpha / 255; the colour unchanged.
CColor MultiplyAlpha(const CColor& color, uint8_t alpha);

// The colour t of the way from a to b (t kept to 0..1), every channel.
CColor Mix(const CColor& a, const CColor& b, double t);

// One channel value times factor, rounded and kept to 0..255.
uint8_t ScaleChannel(uint8_t value, double factor);

}  // namespace vorn
