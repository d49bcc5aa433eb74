#pragma once

#include <string>

#include "vorn/utils/math/CRect.h"

namespace vorn {

class CFont;
class IPixel;

// Word-wraps text into a rectangle and draws it line by line; the
// implementations differ in where each line starts (CFontAlign.h).
class IFontAlign {
public:
    virtual ~IFontAlign() = default;
    // Draws text into rect on target; returns (rect.x, the y below the last
    // line tried).
    virtual types_point Draw(CFont* font, IPixel* target, const std::string& text,
                             const types_rect& rect) = 0;
    virtual int GetType() const = 0;
    // How many characters from start fit on one line of rect.w pixels,
    // breaking after whole words; a line feed ends the paragraph. Remembers
    // the line's width and whether it ended its paragraph.
    virtual int FitLine(const CFont* font, const std::string& text, const types_rect& rect,
                        int start);

    int GetLineWidth() const { return myLineWidth; }
    bool GetParagraphEnd() const { return myParagraphEnd; }

protected:
    int myLineWidth = 0;
    bool myParagraphEnd = false;
};

}  // namespace vorn
