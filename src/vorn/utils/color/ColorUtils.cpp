#include "vorn/utils/color/ColorUtils.h"

#include <algorithm>
#include <cmath>

namespace vorn {

uint8_t ScaleChannel(uint8_t value, double factor) {
    if (!std::isfinite(factor)) return factor > 0 ? 255 : 0;
    const double scaled = std::floor(value * factor + 0.5);
    return uint8_t(std::clamp(scaled, 0.0, 255.0));
}

CColor ScaleChannels(const CColor& color, double red, double green, double blue) {
    auto safe = [](double f) { return std::isnan(f) ? 0.0 : f; };
    return CColor(ScaleChannel(color.r, safe(red)), ScaleChannel(color.g, safe(green)),
                  ScaleChannel(color.b, safe(blue)), color.a);
}

CColor MultiplyAlpha(const CColor& color, uint8_t alpha) {
    return CColor(color.r, color.g, color.b, ScaleChannel(color.a, alpha / 255.0));
}

CColor Mix(const CColor& a, const CColor& b, double t) {
    if (!std::isfinite(t)) t = 0.0;
    t = std::clamp(t, 0.0, 1.0);
    auto mix = [t](uint8_t x, uint8_t y) {
        return uint8_t(std::clamp(std::floor(x + (double(y) - x) * t + 0.5), 0.0, 255.0));
    };
    return CColor(mix(a.r, b.r), mix(a.g, b.g), mix(a.b, b.b), mix(a.a, b.a));
}

}  // namespace vorn
