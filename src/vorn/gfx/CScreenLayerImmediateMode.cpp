#include "vorn/gfx/CScreenLayerImmediateMode.h"

#include <algorithm>

#include "vorn/gfx/CSprite.h"
#include "vorn/gfx/Gfx.h"
#include "vorn/gfx/IPixel.h"

namespace vorn {

namespace {

void InsertByZ(std::vector<CSprite*>& list, CSprite* sprite) {
    auto it = std::find_if(list.begin(), list.end(),
                           [&](const CSprite* s) { return s->GetZ() >= sprite->GetZ(); });
    list.insert(it, sprite);
}

bool RemoveFrom(std::vector<CSprite*>& list, const CSprite* sprite) {
    auto it = std::find(list.begin(), list.end(), sprite);
    if (it == list.end()) return false;
    list.erase(it);
    return true;
}

}  // namespace

CScreenLayerImmediateMode::CScreenLayerImmediateMode()
    : myScreenTarget(std::make_unique<CSprite>()), myTarget(myScreenTarget.get()) {
    myScreenTarget->SetImageOwned(false);
}

CScreenLayerImmediateMode::~CScreenLayerImmediateMode() = default;

int CScreenLayerImmediateMode::GetSpriteType() const {
    return CSprite::TYPE_SCREENLAYER;
}

void CScreenLayerImmediateMode::AddChild(CSprite* sprite) {
    if (!sprite || std::find(myChildren.begin(), myChildren.end(), sprite) != myChildren.end())
        return;
    RemoveFrom(myHidden, sprite);
    InsertByZ(myChildren, sprite);
    myRedraw = true;
}

void CScreenLayerImmediateMode::RemoveChild(CSprite* sprite) {
    if (RemoveFrom(myChildren, sprite) || RemoveFrom(myHidden, sprite)) myRedraw = true;
}

void CScreenLayerImmediateMode::SortByZ() {
    std::stable_sort(myChildren.begin(), myChildren.end(),
                     [](const CSprite* a, const CSprite* b) { return a->GetZ() < b->GetZ(); });
    myRedraw = true;
}

void CScreenLayerImmediateMode::ShowSprite(CSprite* sprite) {
    if (!RemoveFrom(myHidden, sprite)) return;
    InsertByZ(myChildren, sprite);
    myRedraw = true;
}

void CScreenLayerImmediateMode::HideSprite(CSprite* sprite) {
    if (!RemoveFrom(myChildren, sprite)) return;
    myHidden.push_back(sprite);
    myRedraw = true;
}

bool CScreenLayerImmediateMode::DrawAll(CSprite* target) {
    IPixel* screen = target ? target->GetImage() : nullptr;
    if (!screen) return false;
    // Nothing is erased: start from a clean screen so that moving sprites
    // leave no trails. The accelerated back end clears its back buffer when
    // a frame begins (and its screen cannot be cleaned).
    if (screen->GetPixelType() != IPixel::PIXEL_D3D)
        screen->Clean(types_rect(0, 0, screen->GetWidth(), screen->GetHeight()));
    for (size_t i = myChildren.size(); i-- > 0;)
        myChildren[i]->Draw(target);
    screen->AddUpdateRect(target->GetRect());
    return true;
}

void CScreenLayerImmediateMode::Update() {
    IPixel* screen = Gfx::GetScreenSurface();
    if (myTarget == myScreenTarget.get()) {
        if (!screen) {
            // The screen is gone: forget it rather than draw on it later.
            if (myScreenTarget->GetImage()) myScreenTarget->SetImage(nullptr);
            return;
        }
        const types_rect screenRect = screen->GetSourceRect();
        if (myScreenTarget->GetImage() != screen || myScreenTarget->GetRect() != screenRect) {
            myScreenTarget->SetImage(screen);
            myScreenTarget->SetRect(screenRect);
            myRedraw = true;
        }
    }
    if (myRedraw) DrawAll(myTarget);
}

void CScreenLayerImmediateMode::GetSprites(std::vector<CSprite*>& visible,
                                           std::vector<CSprite*>& hidden) const {
    visible = myChildren;
    hidden = myHidden;
}

}  // namespace vorn
