#pragma once

#include <memory>
#include <string>

#include "vorn/gfx/CSprite.h"

namespace vorn {

class CFont;
class ITextSpriteStrategy;

// A text drawn with a font inside the sprite's rectangle: word-wrapped into
// the text box (FontRect, relative to the sprite) by the font's alignment, or
// as one string from FontStartPosition when the font has none. The text
// follows the sprite's alpha. An optional backdrop sprite (a separate sprite
// of the screen layer) moves, resizes, fades and hides with it.
//
// Nothing is drawn outside the sprite's rectangle, so the background buffer
// that covers it also covers every glyph.
//
// Sprite file values, after those of CSprite: "FontStartPosition" (x, y),
// "FontRect" (x, y, w, h), "Text", "BackdropFile" (a sprite file),
// "FontFile" (an OGF file, or "nothing" for the built-in system font) and
// "FontAlignment" ("left", "center", "right", "justify"; OGF fonts only).
class CTextSprite : public CSprite {
public:
    CTextSprite();
    ~CTextSprite() override;

    int GetSpriteType() const override { return TYPE_TEXT; }
    // True without a font.
    bool Empty() const override;
    void Serialize(CXmlArchive& archive) override;
    void SetText(const std::string& text) override;
    void SetAlpha(uint8_t alpha) override;
    void MoveTo(int x, int y) override;
    // Resizes the backdrop with the sprite; a text box as wide (high) as the
    // sprite stays so.
    void Resize(int w, int h) override;
    bool Draw(CSprite* target) override;
    bool DrawRegion(CSprite* target, const types_rect& region) override;
    void PlayAnimation(const std::string& name) override;
    void SetVisible(bool visible) override;

    const std::string& GetText() const { return myText; }
    // Takes ownership of font (null: no font).
    void SetFont(CFont* font);
    CFont* GetFont() const { return myFont.get(); }
    // Takes ownership of backdrop.
    void SetBackdrop(CSprite* backdrop);
    CSprite* GetBackdrop() const { return myBackdrop.get(); }
    void SetFontRect(const types_rect& rect);
    types_rect GetFontRect() const { return myFontRect; }
    void SetFontStartPosition(const types_point& position);
    types_point GetFontStartPosition() const { return myFontStart; }
    // Where the text ended when last drawn (target coordinates).
    types_point GetLastEndPosition() const { return myLastEnd; }

private:
    // Lays the backdrop and the text box out for a size of w x h.
    void Layout(int w, int h);

    std::unique_ptr<ITextSpriteStrategy> myStrategy;
    types_point myFontStart;
    types_point myLastEnd;
    types_rect myFontRect;
    std::unique_ptr<CSprite> myBackdrop;
    std::unique_ptr<CFont> myFont;
    std::string myText;
};

}  // namespace vorn
