#include "vorn/gfx/CTextSprite.h"

#include "vorn/gfx/CFont.h"
#include "vorn/gfx/COgfFontLoader.h"
#include "vorn/gfx/CSpriteFactory.h"
#include "vorn/gfx/CSystemFontLoader.h"
#include "vorn/gfx/Gfx.h"
#include "vorn/gfx/IPixel.h"
#include "vorn/gfx/ITextSpriteStrategy.h"
#include "vorn/utils/xml/CXmlArchive.h"

namespace vorn {

IPixel* CTextSpriteStrategyImmediateMode::CreateSurface(int, int) {
    return Gfx::GetNullSurface();
}

CTextSprite::CTextSprite() : myStrategy(std::make_unique<CTextSpriteStrategyImmediateMode>()) {
    myUseBackground = Gfx::GetBackgroundBuffers();
}

CTextSprite::~CTextSprite() {
    // Leave the layer while still a text sprite, so that the erase knows
    // there is text to take away.
    LeaveLayer();
}

bool CTextSprite::Empty() const {
    return !myFont;
}

void CTextSprite::Serialize(CXmlArchive& archive) {
    CSprite::Serialize(archive);
    archive.Field("FontStartPosition", myFontStart);
    archive.Field("FontRect", myFontRect);
    archive.Field("Text", myText);
    if (archive.IsWriting()) {
        if (myBackdrop) {
            std::string backdrop = myBackdrop->GetName();
            archive.Field("BackdropFile", backdrop);
        }
        if (myFont) {
            std::string font = myFont->GetName();
            std::string alignment = GetAlignmentName(myFont->GetAlignment());
            archive.Field("FontFile", font);
            archive.Field("FontAlignment", alignment);
        }
        return;
    }
    std::string backdrop, font, alignment = "left";
    archive.Field("BackdropFile", backdrop);
    archive.Field("FontFile", font);
    archive.Field("FontAlignment", alignment);
    myBackdrop.reset();
    myFont.reset();
    if (!backdrop.empty()) myBackdrop.reset(CSpriteFactory::GetSingleton()->LoadSprite(backdrop));
    if (!font.empty()) {
        myFont = std::make_unique<CFont>();
        if (font == "nothing") {
            CSystemFontLoader(myFont.get(), font);
        } else {
            COgfFontLoader(myFont.get(), font);
            myFont->SetAlignment(GetAlignmentType(alignment));
        }
    }
    // The backdrop and text box take the sprite's size from the file.
    Layout(myRect.w, myRect.h);
}

void CTextSprite::Layout(int w, int h) {
    if (myStrategy->PreRenders()) SetImage(myStrategy->CreateSurface(w, h));
    if (myBackdrop) {
        myBackdrop->MoveTo(myRect.x, myRect.y);
        myBackdrop->Resize(w, h);
    }
    if (myFontRect.w == myRect.w) myFontRect.w = w;
    if (myFontRect.h == myRect.h) myFontRect.h = h;
    myRect.w = w;
    myRect.h = h;
}

void CTextSprite::Resize(int w, int h) {
    if (w == myRect.w && h == myRect.h) return;
    MarkDirty();
    Layout(w, h);
}

void CTextSprite::SetText(const std::string& text) {
    if (text == myText) return;
    MarkDirty();
    myText = text;
}

void CTextSprite::SetAlpha(uint8_t alpha) {
    if (alpha == myAlpha) return;
    MarkDirty();
    myAlpha = alpha;
    if (myBackdrop) myBackdrop->SetAlpha(alpha);
}

void CTextSprite::MoveTo(int x, int y) {
    CSprite::MoveTo(x, y);
    if (myBackdrop) myBackdrop->MoveTo(x, y);
}

void CTextSprite::PlayAnimation(const std::string& name) {
    if (myBackdrop) myBackdrop->PlayAnimation(name);
}

void CTextSprite::SetVisible(bool visible) {
    CSprite::SetVisible(visible);
    if (myBackdrop) myBackdrop->SetVisible(visible);
}

void CTextSprite::SetFont(CFont* font) {
    MarkDirty();
    myFont.reset(font);
}

void CTextSprite::SetBackdrop(CSprite* backdrop) {
    myBackdrop.reset(backdrop);
}

void CTextSprite::SetFontRect(const types_rect& rect) {
    if (rect == myFontRect) return;
    MarkDirty();
    myFontRect = rect;
}

void CTextSprite::SetFontStartPosition(const types_point& position) {
    if (position == myFontStart) return;
    MarkDirty();
    myFontStart = position;
}

bool CTextSprite::Draw(CSprite* target) {
    return DrawRegion(target, myRect);
}

bool CTextSprite::DrawRegion(CSprite* target, const types_rect& region) {
    if (!myFont || !IsDrawable() || !target || !target->GetImage()) return false;
    types_rect clip = GetVisibleRect(target, IntersectRects(myRect, region));
    if (clip.w <= 0 || clip.h <= 0) return true;
    // The font draws in the target image's own coordinates.
    const types_rect origin = target->GetRect();
    const int dx = myRect.x - origin.x;
    const int dy = myRect.y - origin.y;
    clip.x -= origin.x;
    clip.y -= origin.y;
    const types_rect box(myFontRect.x + dx, myFontRect.y + dy, myFontRect.w, myFontRect.h);
    const types_point start(myFontStart.x + dx, myFontStart.y + dy);
    myFont->SetDrawAlpha(myAlpha);
    myFont->SetClipRect(&clip);
    OnDrawAlpha(myAlpha);
    myLastEnd = myFont->DrawText(target->GetImage(), myText, box, start);
    OnDrawAlpha(255);
    myFont->SetClipRect(nullptr);
    myFont->SetDrawAlpha(255);
    return true;
}

}  // namespace vorn
