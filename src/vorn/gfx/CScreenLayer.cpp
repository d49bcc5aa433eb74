#include "vorn/gfx/CScreenLayer.h"

#include "vorn/gfx/CScreenLayerDirtyRects.h"
#include "vorn/gfx/CScreenLayerImmediateMode.h"
#include "vorn/gfx/CScreenLayerNull.h"
#include "vorn/gfx/Gfx.h"

namespace vorn {

CScreenLayer::CScreenLayer() : myStrategy(std::make_unique<CScreenLayerNull>()) {
    Gfx::SetScreenLayerHook(this);
}

CScreenLayer::~CScreenLayer() {
    if (Gfx::GetScreenLayerHook() == this) Gfx::SetScreenLayerHook(nullptr);
    std::vector<CSprite*> visible, hidden;
    myStrategy->GetSprites(visible, hidden);
    for (CSprite* sprite : visible)
        sprite->OnLayerDestroyed(this);
    for (CSprite* sprite : hidden)
        sprite->OnLayerDestroyed(this);
}

bool CScreenLayer::Empty() const {
    return myStrategy->Empty();
}

bool CScreenLayer::Redraw(CSprite* target) {
    return myStrategy->Draw(target);
}

bool CScreenLayer::Draw(CSprite* target) {
    return myStrategy->Draw(target);
}

void CScreenLayer::MarkDirty() {
    myStrategy->MarkDirty();
}

void CScreenLayer::AddChild(CSprite* sprite) {
    if (sprite && sprite != this) myStrategy->AddChild(sprite);
}

void CScreenLayer::RemoveChild(CSprite* sprite) {
    myStrategy->RemoveChild(sprite);
}

void CScreenLayer::SortByZ() {
    myStrategy->SortByZ();
}

void CScreenLayer::OnZChanged(int level) {
    myStrategy->OnZChanged(level);
}

void CScreenLayer::OnSpriteDirty(CSprite* sprite) {
    myStrategy->OnSpriteDirty(sprite);
}

void CScreenLayer::SetTarget(CSprite* target) {
    myStrategy->SetTarget(target);
}

CSprite* CScreenLayer::GetTarget() const {
    return myStrategy->GetTarget();
}

void CScreenLayer::HideSprite(CSprite* sprite) {
    myStrategy->HideSprite(sprite);
}

void CScreenLayer::ShowSprite(CSprite* sprite) {
    myStrategy->ShowSprite(sprite);
}

bool CScreenLayer::DrawAll(CSprite* target) {
    return myStrategy->DrawAll(target);
}

void CScreenLayer::Update() {
    myStrategy->Update();
}

void CScreenLayer::RequestRedrawAll() {
    myStrategy->RequestRedrawAll();
}

void CScreenLayer::InstallStrategy(Strategy strategy) {
    IScreenLayer* made = nullptr;
    switch (strategy) {
        case STRATEGY_DIRTY_RECTS:
            made = new CScreenLayerDirtyRects;
            break;
        case STRATEGY_IMMEDIATE:
            made = new CScreenLayerImmediateMode;
            break;
        default:
            made = new CScreenLayerNull;
            break;
    }
    delete SetStrategy(made);
}

IScreenLayer* CScreenLayer::SetStrategy(IScreenLayer* strategy) {
    if (!strategy) return nullptr;
    std::vector<CSprite*> visible, hidden;
    myStrategy->GetSprites(visible, hidden);
    IScreenLayer* previous = myStrategy.release();
    myStrategy.reset(strategy);
    // The sprites were drawn (or not) by the old strategy; to the new one
    // they are all new.
    for (size_t i = visible.size(); i-- > 0;) {
        visible[i]->ResetDrawState();
        strategy->AddChild(visible[i]);
    }
    for (CSprite* sprite : hidden) {
        sprite->ResetDrawState();
        strategy->AddChild(sprite);
        strategy->HideSprite(sprite);
    }
    return previous;
}

void CScreenLayer::GetSprites(std::vector<CSprite*>& visible, std::vector<CSprite*>& hidden) const {
    myStrategy->GetSprites(visible, hidden);
}

}  // namespace vorn
