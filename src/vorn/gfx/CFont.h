#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "vorn/utils/math/CRect.h"

namespace vorn {

class IFontAlign;
class IPixel;

// A bitmap font: one image holding every glyph and a table of 256 glyph
// rectangles indexed by character code (Latin-1). A glyph whose rectangle is
// 0 x 0 is absent: it draws nothing and takes no room. Text is UTF-8 (see
// Utf8.h: bytes that are no UTF-8 stand for their Latin-1 character);
// characters beyond Latin-1 are absent. Glyphs of different
// heights stand on a common bottom line, one line height below the pen.
// Fonts are filled by a loader (COgfFontLoader, CSystemFontLoader).
//
// Text is drawn either as a plain string from a start position (line feeds
// start a new line, tabs are four blanks wide) or, with an alignment object,
// word-wrapped into a rectangle: left, center, right or justify.
//
// Two drawing aids serve text sprites: a draw alpha (glyphs are drawn faded
// by it; the faded copy of the glyph image is kept until the alpha changes)
// and a clip rectangle that no glyph pixel leaves.
class CFont {
public:
    enum Alignment {
        ALIGN_NONE = -1,
        ALIGN_LEFT = 0,
        ALIGN_CENTER = 1,
        ALIGN_RIGHT = 2,
        ALIGN_JUSTIFY = 3
    };

    CFont();
    CFont(const CFont&) = delete;
    CFont& operator=(const CFont&) = delete;
    virtual ~CFont();

    // A new font (caller owns it) sharing the glyph image.
    virtual CFont* Clone() const;
    // Through the alignment object into rect when there is one, otherwise as
    // DrawString at start. Returns where the text ended.
    virtual types_point DrawText(IPixel* target, const std::string& text, const types_rect& rect,
                                 const types_point& start);
    virtual void DrawTextAt(IPixel* target, const std::string& text, const types_rect& rect,
                            const types_point& position);
    // Draws text with its first line's top-left at (x, y); returns the pen
    // position after it.
    virtual types_point DrawString(IPixel* target, const std::string& text, int x, int y);
    virtual void DrawStringAt(IPixel* target, const std::string& text, int x, int y);
    // An alignment type outside 0..3 leaves the font without one.
    virtual void SetAlignment(int type);
    // ALIGN_NONE when there is no alignment object.
    virtual int GetAlignment() const;
    // Draws one glyph; returns how far the pen moves. target may be null
    // (measures only).
    virtual int DrawChar(IPixel* target, unsigned char c, int x, int y);
    // Sum of the advances; blanks count the space width, line feeds nothing.
    virtual int GetTextWidth(const std::string& text) const;

    // --- filled by the loaders ----------------------------------------------

    // Takes ownership of image (freed with Gfx::FreeImage).
    void SetImage(IPixel* image);
    IPixel* GetImage() const { return myImage; }
    void SetGlyph(unsigned char c, const types_rect& rect) { myGlyphs[c] = rect; }
    const types_rect& GetGlyph(unsigned char c) const { return myGlyphs[c]; }
    bool HasGlyph(unsigned char c) const { return myGlyphs[c].w != 0 || myGlyphs[c].h != 0; }
    void SetLineHeight(int height) { myLineHeight = height; }
    int GetLineHeight() const { return myLineHeight; }
    void SetSpacing(int spacing) { mySpacing = spacing; }
    int GetSpacing() const { return mySpacing; }
    void SetSpaceWidth(int width) { mySpaceWidth = width; }
    int GetSpaceWidth() const { return mySpaceWidth; }
    void SetName(const std::string& name) { myName = name; }
    const std::string& GetName() const { return myName; }
    // Clears glyphs, image and metrics (the alignment stays).
    void Clear();

    // --- drawing aids -----------------------------------------------------------

    void SetDrawAlpha(uint8_t alpha);
    uint8_t GetDrawAlpha() const { return myDrawAlpha; }
    // Null: no clipping. Target coordinates.
    void SetClipRect(const types_rect* clip);

private:
    IPixel* GlyphSource();

    IPixel* myImage = nullptr;
    std::array<types_rect, 256> myGlyphs;
    std::unique_ptr<IFontAlign> myAlign;
    int myLineHeight = 0;
    int mySpacing = 0;
    int mySpaceWidth = 0;
    std::string myName;

    uint8_t myDrawAlpha = 255;
    IPixel* myFadedImage = nullptr;  // myImage faded by myFadedAlpha
    uint8_t myFadedAlpha = 255;
    bool myClipped = false;
    types_rect myClip;
};

// "left", "center", "right", "justify"; "unknown" for any other type.
std::string GetAlignmentName(int type);
// Any other name gives ALIGN_LEFT.
int GetAlignmentType(const std::string& name);

}  // namespace vorn
