#include "vorn/gfx/CSliderSprite.h"

#include <cmath>

#include "vorn/gfx/CSpriteFactory.h"
#include "vorn/utils/xml/CXmlArchive.h"

namespace vorn {

CSliderSprite::~CSliderSprite() {
    delete myTop;
    delete myBottom;
}

void CSliderSprite::Serialize(CXmlArchive& archive) {
    std::string topFile = myTop ? myTop->GetName() : "";
    std::string bottomFile = myBottom ? myBottom->GetName() : "";
    if (archive.IsWriting()) {
        std::string type = GetSpriteTypeName(GetSpriteType());
        archive.Attribute("type", type);
    }
    archive.Field("BottomRect", myBottomRect);
    archive.Field("TopRect", myTopRect);
    archive.Field("TopSprite", topFile);
    archive.Field("BottomSprite", bottomFile);
    archive.Field("Value", myValue);
    if (archive.IsWriting()) return;

    delete myTop;
    delete myBottom;
    myTop = CSpriteFactory::GetSingleton()->LoadSprite(topFile);
    myBottom = CSpriteFactory::GetSingleton()->LoadSprite(bottomFile);
    myBottom->SetRect(myBottomRect);
    Layout();
}

void CSliderSprite::Layout() {
    // Value is not clamped, but a value that is not a number fills nothing.
    const double filled = std::isfinite(myValue) ? std::trunc(double(myValue) * myTopRect.w) : 0.0;
    if (myTop)
        myTop->SetRect(types_rect(myTopRect.x, myTopRect.y, RoundToInt(filled), myTopRect.h));
    if (myBottom) myBottom->SetRect(myBottomRect);
}

void CSliderSprite::SetValue(float value) {
    myValue = value;
    Layout();
}

void CSliderSprite::SetZ(int z) {
    myZ = z;
    if (myBottom) myBottom->SetZ(z);
    if (myTop) myTop->SetZ(z > INT32_MIN ? z - 1 : z);
}

void CSliderSprite::MoveTo(int x, int y) {
    myTopRect.x = RoundToInt(double(myTopRect.x) + x - myBottomRect.x);
    myTopRect.y = RoundToInt(double(myTopRect.y) + y - myBottomRect.y);
    myBottomRect.x = x;
    myBottomRect.y = y;
    myRect.x = x;
    myRect.y = y;
    Layout();
}

void CSliderSprite::PlayAnimation(const std::string& name) {
    if (myTop) myTop->PlayAnimation(name);
    if (myBottom) myBottom->PlayAnimation(name);
}

void CSliderSprite::SetVisible(bool visible) {
    if (myTop) myTop->SetVisible(visible);
    if (myBottom) myBottom->SetVisible(visible);
}

void CSliderSprite::SetAlpha(uint8_t alpha) {
    myAlpha = alpha;
    if (myTop) myTop->SetAlpha(alpha);
    if (myBottom) myBottom->SetAlpha(alpha);
}

}  // namespace vorn
