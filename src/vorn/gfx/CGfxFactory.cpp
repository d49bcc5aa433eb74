#include "vorn/gfx/CGfxFactory.h"

#include "vorn/gfx/Gfx.h"
#include "vorn/gfx/IPixel.h"

namespace vorn {

IPixel* CGfxFactory::NewBufferFromColors(int, int, const std::vector<CColor>&) {
    return Gfx::GetNullSurface();
}

std::vector<CColor> CGfxFactory::ReadColors(IPixel* surface) {
    std::vector<CColor> colors;
    if (!surface || surface->Empty()) return colors;
    const int w = surface->GetWidth(), h = surface->GetHeight();
    colors.reserve(size_t(w > 0 ? w : 0) * size_t(h > 0 ? h : 0));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            colors.push_back(surface->GetPixel(x, y));
    return colors;
}

}  // namespace vorn
