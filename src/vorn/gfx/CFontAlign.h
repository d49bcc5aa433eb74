#pragma once

#include "vorn/gfx/IFontAlign.h"

namespace vorn {

// The shared line loop: fits a line, draws it where LineX says, moves one
// line height down, until the text is used up or the height of the rect is.
// Text with tabs is drawn with each tab as four blanks.
class CFontAlignBase : public IFontAlign {
public:
    types_point Draw(CFont* font, IPixel* target, const std::string& text,
                     const types_rect& rect) override;

protected:
    // Where the line of myLineWidth pixels starts.
    virtual int LineX(const types_rect& rect) const = 0;
    // Draws count characters from start as one line.
    virtual void DrawLine(CFont* font, IPixel* target, const std::string& text, int start,
                          int count, const types_rect& rect, int y);
};

class CFontAlignLeft : public CFontAlignBase {
public:
    int GetType() const override { return 0; }

protected:
    int LineX(const types_rect& rect) const override { return rect.x; }
};

// A line of width w in a box of width W starts at x + (W - w - 1) / 2.
class CFontAlignCenter : public CFontAlignBase {
public:
    int GetType() const override { return 1; }

protected:
    int LineX(const types_rect& rect) const override;
};

class CFontAlignRight : public CFontAlignBase {
public:
    int GetType() const override { return 2; }

protected:
    int LineX(const types_rect& rect) const override;
};

// Lines that do not end their paragraph are spread to the box width: the
// spare pixels are shared out equally (whole pixels) after each blank. The
// last line of a paragraph is left-aligned.
class CFontAlignJustify : public CFontAlignBase {
public:
    int GetType() const override { return 3; }

protected:
    int LineX(const types_rect& rect) const override { return rect.x; }
    void DrawLine(CFont* font, IPixel* target, const std::string& text, int start, int count,
                  const types_rect& rect, int y) override;
};

}  // namespace vorn
