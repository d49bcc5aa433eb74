#include "vorn/gfx/CFont.h"

#include <algorithm>

#include "vorn/gfx/CFontAlign.h"
#include "vorn/gfx/Gfx.h"
#include "vorn/gfx/IPixel.h"
#include "vorn/utils/string/Utf8.h"

namespace vorn {

namespace {

IFontAlign* NewAlignment(int type) {
    switch (type) {
        case CFont::ALIGN_LEFT:
            return new CFontAlignLeft;
        case CFont::ALIGN_CENTER:
            return new CFontAlignCenter;
        case CFont::ALIGN_RIGHT:
            return new CFontAlignRight;
        case CFont::ALIGN_JUSTIFY:
            return new CFontAlignJustify;
        default:
            return nullptr;
    }
}

const char* const ALIGNMENT_NAMES[] = {"left", "center", "right", "justify"};

}  // namespace

std::string GetAlignmentName(int type) {
    return type >= 0 && type < 4 ? ALIGNMENT_NAMES[type] : "unknown";
}

int GetAlignmentType(const std::string& name) {
    for (int type = 0; type < 4; ++type)
        if (name == ALIGNMENT_NAMES[type]) return type;
    return CFont::ALIGN_LEFT;
}

CFont::CFont() {
    myGlyphs.fill(types_rect());
}

CFont::~CFont() {
    Gfx::FreeImage(myFadedImage);
    Gfx::FreeImage(myImage);
}

void CFont::Clear() {
    SetImage(nullptr);
    myGlyphs.fill(types_rect());
    myLineHeight = mySpacing = mySpaceWidth = 0;
}

void CFont::SetImage(IPixel* image) {
    if (image == myImage) return;
    Gfx::FreeImage(myFadedImage);
    myFadedImage = nullptr;
    Gfx::FreeImage(myImage);
    myImage = image;
}

CFont* CFont::Clone() const {
    CFont* font = new CFont;
    if (myImage) font->myImage = Gfx::NewBuffer(myImage);
    font->myGlyphs = myGlyphs;
    font->SetAlignment(GetAlignment());
    font->myLineHeight = myLineHeight;
    font->mySpacing = mySpacing;
    font->mySpaceWidth = mySpaceWidth;
    font->myName = myName;
    return font;
}

void CFont::SetAlignment(int type) {
    myAlign.reset(NewAlignment(type));
}

int CFont::GetAlignment() const {
    return myAlign ? myAlign->GetType() : ALIGN_NONE;
}

void CFont::SetDrawAlpha(uint8_t alpha) {
    myDrawAlpha = alpha;
}

void CFont::SetClipRect(const types_rect* clip) {
    myClipped = clip != nullptr;
    if (clip) myClip = *clip;
}

IPixel* CFont::GlyphSource() {
    if (myDrawAlpha == 255 || !myImage) return myImage;
    // The faded copy is made once per alpha value, not once per glyph.
    if (!myFadedImage || myFadedAlpha != myDrawAlpha) {
        Gfx::FreeImage(myFadedImage);
        myFadedImage = myImage->SetAlpha(myDrawAlpha);
        myFadedAlpha = myDrawAlpha;
    }
    return myFadedImage;
}

int CFont::DrawChar(IPixel* target, unsigned char c, int x, int y) {
    const types_rect& glyph = myGlyphs[c];
    if (glyph.w == 0 && glyph.h == 0) return 0;
    IPixel* source = target ? GlyphSource() : nullptr;
    if (source && glyph.w > 0 && glyph.h > 0) {
        int64_t left = x;
        int64_t top = int64_t(y) + myLineHeight - glyph.h;
        int64_t right = left + glyph.w;
        int64_t bottom = top + glyph.h;
        if (myClipped) {
            left = std::max<int64_t>(left, myClip.x);
            top = std::max<int64_t>(top, myClip.y);
            right = std::min<int64_t>(right, int64_t(myClip.x) + myClip.w);
            bottom = std::min<int64_t>(bottom, int64_t(myClip.y) + myClip.h);
        }
        if (right > left && bottom > top) {
            const int64_t glyphTop = int64_t(y) + myLineHeight - glyph.h;
            const types_rect part(int32_t(glyph.x + (left - x)),
                                  int32_t(glyph.y + (top - glyphTop)), int32_t(right - left),
                                  int32_t(bottom - top));
            source->BlitTo(target, part, types_point(int32_t(left), int32_t(top)));
        }
    }
    return glyph.w + mySpacing;
}

types_point CFont::DrawString(IPixel* target, const std::string& text, int x, int y) {
    int64_t dx = 0;
    int64_t dy = 0;
    for (size_t at = 0, length = 1; at < text.size(); at += length) {
        const uint32_t c = utf8::Decode(text, at, &length);
        if (c == '\t') {
            dx += 4 * int64_t(mySpaceWidth);
        } else if (c == '\n') {
            dy += myLineHeight;
            dx = 0;
        } else if (c == ' ') {
            dx += mySpaceWidth;
        } else {
            const int64_t px = int64_t(x) + dx;
            const int64_t py = int64_t(y) + dy;
            // Off the int range nothing can be seen; only measure.
            const bool reachable = px > INT32_MIN / 2 && px < INT32_MAX / 2 && py > INT32_MIN / 2 &&
                                   py < INT32_MAX / 2;
            // The glyph table covers Latin-1; other characters are absent.
            if (c <= 0xFF)
                dx += DrawChar(reachable ? target : nullptr, static_cast<unsigned char>(c), int(px),
                               int(py));
        }
    }
    auto clampInt = [](int64_t v) { return int(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); };
    return types_point(clampInt(x + dx), clampInt(y + dy));
}

void CFont::DrawStringAt(IPixel* target, const std::string& text, int x, int y) {
    DrawString(target, text, x, y);
}

types_point CFont::DrawText(IPixel* target, const std::string& text, const types_rect& rect,
                            const types_point& start) {
    if (myAlign) return myAlign->Draw(this, target, text, rect);
    return DrawString(target, text, start.x, start.y);
}

void CFont::DrawTextAt(IPixel* target, const std::string& text, const types_rect& rect,
                       const types_point& position) {
    DrawText(target, text, rect, position);
}

int CFont::GetTextWidth(const std::string& text) const {
    int64_t width = 0;
    for (size_t at = 0, length = 1; at < text.size(); at += length) {
        const uint32_t c = utf8::Decode(text, at, &length);
        if (c == ' ')
            width += mySpaceWidth;
        else if (c <= 0xFF && HasGlyph(static_cast<unsigned char>(c)))
            width += myGlyphs[c].w + mySpacing;
    }
    return int(std::clamp<int64_t>(width, INT32_MIN, INT32_MAX));
}

}  // namespace vorn
