#pragma once

#include "vorn/gfx/IFontLoader.h"

namespace vorn {

// Loads an OGF font: one text line of ";"-separated fields describing a grid
// of glyph cells in a BMP image:
//
//   OGF;columns;rows;cell width;cell height;N;tint;characters;widths;image
//
//   OGF         the magic word
//   columns, rows, cell width, cell height   the grid, in cells and pixels
//   N           the number of characters
//   tint        three digits: red, green and blue factors in eighths
//               ("888" leaves the image as it is, "808" removes green)
//   characters  the N characters, in grid order (row by row); the list may
//               itself contain ";"
//   widths      two digits per character: its width in 64ths of a cell
//   image       the BMP file of the glyphs (relative to the working folder,
//               or else to the OGF file's folder)
//
// A glyph's height is the cell height; glyphs stand at the top of their cell.
// Files that lie about their numbers (wrong magic, counts that do not match,
// a grid no image could have) leave the font empty, with a line in the log.
class COgfFontLoader : public IFontLoader {
public:
    // Longest first line read; longer ones are cut off there.
    static constexpr size_t MAX_LINE = 64 * 1024;

    COgfFontLoader() = default;
    COgfFontLoader(CFont* font, const std::string& fileName) { Load(font, fileName); }

    std::string GetType() const override { return "ogf"; }
    bool Load(CFont* font, const std::string& fileName) override;
};

}  // namespace vorn
