#pragma once

#include "vorn/gfx/IFontLoader.h"

namespace vorn {

// The built-in 8 x 15 font for codes 33..254 (the glyph art lives in
// tools/make_system_font.py): an image of 1789 x 15 pixels made from a
// run-length list, glyph code c at (6 + 8 (c - 33), 0, 8, 15). Line height
// 15, space width 8, no alignment. The font's name is "nothing", the name
// sprite files use for it. The file name is not used.
class CSystemFontLoader : public IFontLoader {
public:
    static constexpr int IMAGE_WIDTH = 1789;
    static constexpr int IMAGE_HEIGHT = 15;
    static constexpr int FIRST_CODE = 33;
    static constexpr int LAST_CODE = 254;
    static constexpr int CELL_WIDTH = 8;
    static constexpr int CELL_LEFT = 6;

    CSystemFontLoader() = default;
    CSystemFontLoader(CFont* font, const std::string& fileName) { Load(font, fileName); }

    std::string GetType() const override { return "system"; }
    bool Load(CFont* font, const std::string& fileName) override;
};

}  // namespace vorn
