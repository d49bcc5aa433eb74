#include "vorn/gfx/CPixelNull.h"

#include "vorn/gfx/Gfx.h"

namespace vorn {

IPixel* CPixelNull::Resize(int, int) const {
    return Gfx::GetNullSurface();
}

IPixel* CPixelNull::Rotate(float) const {
    return Gfx::GetNullSurface();
}

IPixel* CPixelNull::SetAlpha(uint8_t) const {
    return Gfx::GetNullSurface();
}

IPixel* CPixelNull::Clone() const {
    return Gfx::GetNullSurface();
}

}  // namespace vorn
