#include "vorn/gfx/CSystemFontLoader.h"

#include <algorithm>
#include <vector>

#include "vorn/gfx/CFont.h"
#include "vorn/gfx/Gfx.h"
#include "vorn/gfx/IPixel.h"
#include "vorn/gfx/SystemFontData.h"

namespace vorn {

bool CSystemFontLoader::Load(CFont* font, const std::string&) {
    if (!font) return false;
    font->Clear();
    // Made as colours and handed over whole: not every back end's surfaces
    // take pixels one by one.
    const int64_t total = int64_t(IMAGE_WIDTH) * IMAGE_HEIGHT;
    std::vector<CColor> colors(size_t(total), CColor(0, 0, 0, 0));
    const CColor white(255, 255, 255, 255);
    int64_t pixel = 0;
    for (size_t run = 0; run < systemfont::RUN_COUNT && pixel < total; ++run) {
        const int64_t end = std::min<int64_t>(pixel + systemfont::RUNS[run], total);
        if (run % 2 == 1)  // odd runs are the opaque ones
            std::fill(colors.begin() + pixel, colors.begin() + end, white);
        pixel = end;
    }
    IPixel* image = Gfx::NewBuffer(IMAGE_WIDTH, IMAGE_HEIGHT, colors);
    font->SetImage(image);
    for (int code = FIRST_CODE; code <= LAST_CODE; ++code)
        font->SetGlyph(
            static_cast<unsigned char>(code),
            types_rect(CELL_LEFT + CELL_WIDTH * (code - FIRST_CODE), 0, CELL_WIDTH, IMAGE_HEIGHT));
    font->SetLineHeight(IMAGE_HEIGHT);
    font->SetSpacing(0);
    font->SetSpaceWidth(CELL_WIDTH);
    font->SetName("nothing");
    return true;
}

}  // namespace vorn
