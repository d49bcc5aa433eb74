#pragma once

#include <string>

namespace vorn {

class CFont;

// Fills a font from a source. Loaders that take a font and a file name in
// their constructor load at once.
class IFontLoader {
public:
    virtual ~IFontLoader() = default;
    // "ogf" or "system".
    virtual std::string GetType() const = 0;
    // Replaces the font's glyphs, image and metrics; a source that cannot be
    // read leaves the font empty (with a line in the log). False then.
    virtual bool Load(CFont* font, const std::string& fileName) = 0;
};

}  // namespace vorn
