#pragma once

#include <string>

#include "vorn/designpatterns/singleton/CStaticSingleton.h"
#include "vorn/utils/math/CRect.h"
#include "vorn/utils/smartptr/CSmartPtr.h"

namespace vorn {
class CSprite;
}

namespace vorn::ui {

// The widgets' one door to the graphics: loads their sprites and maps a
// widget's rectangle, depth, animations and text onto them. Every operation
// accepts a null sprite and then does nothing.
//
// Depths become sprite Z values (lower in front) with room between widgets:
// the sprite of a widget at depth d lies at Z = 2d, the backdrop of a text
// sprite at 2d + 1 (just behind its text) and an overlay such as a text
// cursor at 2d - 1 (in front of the widget's sprite, behind its children,
// whose sprites lie at 2(d - 1) and below).
class CGfxHandler {
public:
    static CGfxHandler* GetSingleton() { return CStaticSingleton<CGfxHandler>::GetSingleton(); }

    // Z of a widget's sprite: 2 x depth - Z_SHIFT, so that the widgets draw in
    // front of the scene's sprites (Z 0 and above) and a text's backdrop fits
    // between two depths.
    static constexpr int Z_SHIFT = 80;
    static int GetSpriteZ(int depth);
    static int GetOverlayZ(int depth) { return GetSpriteZ(depth) - 1; }

    // A new sprite from a sprite file or an image (see CSpriteFactory), put
    // into the screen layer; null for an empty file name.
    CSmartPtr<CSprite> LoadSprite(const std::string& fileName) const;

    // Moves the sprite to (rect.x, rect.y) and sizes it to rect.w x rect.h.
    // A sprite has no empty size: for an empty rect it is hidden instead
    // (collapsed becomes true), and shown again by the next rect with a size.
    void PlaceSprite(CSprite* sprite, const types_rect& rect, bool& collapsed) const;
    void MoveSprite(CSprite* sprite, int x, int y) const;
    void SetSpriteDepth(CSprite* sprite, int depth) const;
    void SetOverlayDepth(CSprite* sprite, int depth) const;
    void PlayAnimation(CSprite* sprite, const std::string& name) const;

    // --- text sprites (other sprites ignore these) -------------------------

    void SetText(CSprite* sprite, const std::string& text) const;
    // Width of text in the sprite's font as it is drawn on one line (tabs
    // included); 0 without a font.
    int GetTextWidth(CSprite* sprite, const std::string& text) const;
    // Makes the sprite draw its text as one line from its start position
    // instead of word-wrapping it into its text box.
    void MakeSingleLine(CSprite* sprite) const;
    // Where the text starts, relative to the sprite.
    types_point GetTextStart(CSprite* sprite) const;
    void SetTextStart(CSprite* sprite, const types_point& start) const;
    int GetLineHeight(CSprite* sprite) const;

private:
    friend class CStaticSingleton<CGfxHandler>;
    CGfxHandler() = default;
};

}  // namespace vorn::ui
