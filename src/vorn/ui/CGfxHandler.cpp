#include "vorn/ui/CGfxHandler.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "vorn/gfx/CFont.h"
#include "vorn/gfx/CSprite.h"
#include "vorn/gfx/CSpriteFactory.h"
#include "vorn/gfx/CTextSprite.h"

namespace vorn::ui {

namespace {

CTextSprite* AsText(CSprite* sprite) {
    return sprite && sprite->GetSpriteType() == CSprite::TYPE_TEXT
               ? static_cast<CTextSprite*>(sprite)
               : nullptr;
}

}  // namespace

int CGfxHandler::GetSpriteZ(int depth) {
    // Widgets lie in front of every sprite of a scene (those use Z from 0 up:
    // the default depth 25 of a desktop is Z -30), and depths far out of any
    // real tree must not overflow the doubling.
    const int64_t z = 2 * int64_t(depth) - Z_SHIFT;
    return int(std::clamp<int64_t>(z, INT_MIN + 2, INT_MAX - 2));
}

CSmartPtr<CSprite> CGfxHandler::LoadSprite(const std::string& fileName) const {
    if (fileName.empty()) return CSmartPtr<CSprite>();
    return CSmartPtr<CSprite>(CSpriteFactory::GetSingleton()->LoadSprite(fileName));
}

void CGfxHandler::PlaceSprite(CSprite* sprite, const types_rect& rect, bool& collapsed) const {
    if (!sprite) return;
    sprite->MoveTo(rect.x, rect.y);
    if (rect.w <= 0 || rect.h <= 0) {
        if (!collapsed && sprite->IsVisible()) {
            sprite->SetVisible(false);
            collapsed = true;
        }
        return;
    }
    if (collapsed) {
        sprite->SetVisible(true);
        collapsed = false;
    }
    sprite->Resize(rect.w, rect.h);
}

void CGfxHandler::MoveSprite(CSprite* sprite, int x, int y) const {
    if (sprite) sprite->MoveTo(x, y);
}

void CGfxHandler::SetSpriteDepth(CSprite* sprite, int depth) const {
    if (!sprite) return;
    const int z = GetSpriteZ(depth);
    if (CTextSprite* text = AsText(sprite))
        if (CSprite* backdrop = text->GetBackdrop()) backdrop->SetZ(z + 1);
    sprite->SetZ(z);
}

void CGfxHandler::SetOverlayDepth(CSprite* sprite, int depth) const {
    if (sprite) sprite->SetZ(GetOverlayZ(depth));
}

void CGfxHandler::PlayAnimation(CSprite* sprite, const std::string& name) const {
    if (sprite) sprite->PlayAnimation(name);
}

void CGfxHandler::SetText(CSprite* sprite, const std::string& text) const {
    if (sprite) sprite->SetText(text);
}

int CGfxHandler::GetTextWidth(CSprite* sprite, const std::string& text) const {
    CTextSprite* textSprite = AsText(sprite);
    if (!textSprite || !textSprite->GetFont()) return 0;
    // Measured by the drawing itself (without a target), so that tabs and
    // everything else take exactly the room they take on screen.
    return textSprite->GetFont()->DrawString(nullptr, text, 0, 0).x;
}

void CGfxHandler::MakeSingleLine(CSprite* sprite) const {
    CTextSprite* textSprite = AsText(sprite);
    if (!textSprite || !textSprite->GetFont()) return;
    if (textSprite->GetFont()->GetAlignment() == CFont::ALIGN_NONE) return;
    // The aligned drawing starts at the text box; keep the text where it was.
    textSprite->MarkDirty();
    const types_rect box = textSprite->GetFontRect();
    textSprite->SetFontStartPosition(types_point(box.x, box.y));
    textSprite->GetFont()->SetAlignment(CFont::ALIGN_NONE);
}

types_point CGfxHandler::GetTextStart(CSprite* sprite) const {
    CTextSprite* textSprite = AsText(sprite);
    return textSprite ? textSprite->GetFontStartPosition() : types_point();
}

void CGfxHandler::SetTextStart(CSprite* sprite, const types_point& start) const {
    if (CTextSprite* textSprite = AsText(sprite)) textSprite->SetFontStartPosition(start);
}

int CGfxHandler::GetLineHeight(CSprite* sprite) const {
    CTextSprite* textSprite = AsText(sprite);
    return textSprite && textSprite->GetFont() ? textSprite->GetFont()->GetLineHeight() : 0;
}

}  // namespace vorn::ui
