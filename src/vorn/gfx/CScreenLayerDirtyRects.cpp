#include "vorn/gfx/CScreenLayerDirtyRects.h"

#include <algorithm>

#include "vorn/console/CLog.h"
#include "vorn/gfx/Gfx.h"
#include "vorn/gfx/IPixel.h"

namespace vorn {

namespace {

bool IsDrawn(const CSprite* sprite) {
    return sprite->GetDrawState() == CSprite::STATE_DRAWN;
}

bool Meet(const types_rect& a, const types_rect& b) {
    return IntersectRects(a, b).w > 0;
}

}  // namespace

CScreenLayerDirtyRects::CScreenLayerDirtyRects() : myScreenTarget(std::make_unique<CSprite>()) {
    myScreenTarget->SetImageOwned(false);
    myTarget = myScreenTarget.get();
}

CScreenLayerDirtyRects::~CScreenLayerDirtyRects() = default;

void CScreenLayerDirtyRects::CheckTarget() {
    if (myTarget != myScreenTarget.get()) return;
    IPixel* shown = myScreenTarget->GetImage();
    if (shown && shown != Gfx::GetScreenSurface()) {
        myScreenTarget->SetImage(nullptr);
        myRedrawAll = true;
    }
}

void CScreenLayerDirtyRects::ReportWholeTarget(CSprite* target) {
    if (target && target->GetImage()) target->GetImage()->AddUpdateRect(target->GetRect());
}

void CScreenLayerDirtyRects::EraseOverlapping(size_t index) {
    if (!IsDrawn(myChildren[index])) return;
    // Walking towards the front, a drawn child joins when it overlaps one
    // that joined before (all of which lie behind it).
    myMarks.assign(index + 1, 0);
    myMarks[index] = 1;
    std::vector<types_rect> joined{myChildren[index]->GetLastRect()};
    for (size_t i = index; i-- > 0;) {
        CSprite* child = myChildren[i];
        if (!IsDrawn(child)) continue;
        const types_rect rect = child->GetLastRect();
        if (std::any_of(joined.begin(), joined.end(),
                        [&](const types_rect& r) { return Meet(rect, r); })) {
            myMarks[i] = 1;
            joined.push_back(rect);
        }
    }
    // Front first: each sprite's buffer goes back only once nothing drawn
    // after it covers it any more.
    for (size_t i = 0; i <= index; ++i)
        if (myMarks[i]) myChildren[i]->Erase(myTarget);
}

void CScreenLayerDirtyRects::EraseCovering() {
    for (size_t i = myChildren.size(); i-- > 0;) {
        CSprite* pending = myChildren[i];
        if (IsDrawn(pending)) continue;
        const types_rect place = pending->GetRect();
        for (size_t j = i; j-- > 0;)
            if (IsDrawn(myChildren[j]) && Meet(myChildren[j]->GetLastRect(), place))
                EraseOverlapping(j);
    }
}

void CScreenLayerDirtyRects::AddChild(CSprite* sprite) {
    CheckTarget();
    if (!sprite || sprite == this) return;
    if (std::find(myChildren.begin(), myChildren.end(), sprite) != myChildren.end()) return;
    myHidden.erase(std::remove(myHidden.begin(), myHidden.end(), sprite), myHidden.end());
    auto it = std::find_if(myChildren.begin(), myChildren.end(),
                           [&](const CSprite* child) { return child->GetZ() >= sprite->GetZ(); });
    myChildren.insert(it, sprite);
}

void CScreenLayerDirtyRects::RemoveChild(CSprite* sprite) {
    CheckTarget();
    auto hidden = std::find(myHidden.begin(), myHidden.end(), sprite);
    if (hidden != myHidden.end()) {
        myHidden.erase(hidden);
        return;
    }
    auto it = std::find(myChildren.begin(), myChildren.end(), sprite);
    if (it == myChildren.end()) return;
    ReportWholeTarget(myTarget);
    EraseOverlapping(size_t(it - myChildren.begin()));
    myChildren.erase(std::find(myChildren.begin(), myChildren.end(), sprite));
}

void CScreenLayerDirtyRects::OnSpriteDirty(CSprite* sprite) {
    CheckTarget();
    auto it = std::find(myChildren.begin(), myChildren.end(), sprite);
    if (it != myChildren.end()) EraseOverlapping(size_t(it - myChildren.begin()));
}

void CScreenLayerDirtyRects::ShowSprite(CSprite* sprite) {
    CheckTarget();
    auto it = std::find(myHidden.begin(), myHidden.end(), sprite);
    if (it == myHidden.end()) return;
    AddChild(sprite);
}

void CScreenLayerDirtyRects::HideSprite(CSprite* sprite) {
    CheckTarget();
    auto it = std::find(myChildren.begin(), myChildren.end(), sprite);
    if (it == myChildren.end()) return;
    ReportWholeTarget(myTarget);
    EraseOverlapping(size_t(it - myChildren.begin()));
    myChildren.erase(std::find(myChildren.begin(), myChildren.end(), sprite));
    myHidden.push_back(sprite);
}

bool CScreenLayerDirtyRects::DrawErased(CSprite* target) {
    IPixel* screen = target ? target->GetImage() : nullptr;
    bool drew = false;
    for (size_t i = myChildren.size(); i-- > 0;) {
        CSprite* child = myChildren[i];
        if (IsDrawn(child)) continue;
        if (screen) {
            // Clipped here, where it cannot overflow: sprite rects may lie
            // anywhere in the int range.
            const int count = child->GetDirtyRectCount();
            for (int r = 0; r < count; ++r) {
                const types_rect changed =
                    IntersectRects(child->GetDirtyRect(r), target->GetRect());
                if (changed.w > 0) screen->AddUpdateRect(changed);
            }
        }
        child->Redraw(target);
        drew = true;
    }
    return drew;
}

bool CScreenLayerDirtyRects::Draw(CSprite* target) {
    CheckTarget();
    EraseCovering();
    return DrawErased(target);
}

bool CScreenLayerDirtyRects::DrawAll(CSprite* target) {
    CLog::GetSingleton()->Printf("drawing all\n");
    for (CSprite* child : myChildren)
        child->Erase(myTarget);
    IPixel* screen = target ? target->GetImage() : nullptr;
    if (myFreshStart && screen) {
        screen->Clean(types_rect(0, 0, screen->GetWidth(), screen->GetHeight()));
        myFreshStart = false;
    }
    ReportWholeTarget(target);
    DrawErased(target);
    return true;
}

void CScreenLayerDirtyRects::Update() {
    IPixel* screen = Gfx::GetScreenSurface();
    CheckTarget();
    if (!screen) return;
    const types_rect screenRect = screen->GetSourceRect();
    if (myTarget != myScreenTarget.get()) {
        // Someone chose another target: draw there as asked.
        if (myRedrawAll) {
            myRedrawAll = false;
            DrawAll(myTarget);
        } else {
            Draw(myTarget);
        }
        return;
    }
    if (!myRedrawAll && myScreenTarget->GetImage() == screen &&
        myScreenTarget->GetRect() == screenRect) {
        Draw(myTarget);
        return;
    }
    myRedrawAll = false;
    myScreenTarget->SetImage(screen);
    myScreenTarget->SetRect(screenRect);
    DrawAll(myTarget);
}

void CScreenLayerDirtyRects::GetSprites(std::vector<CSprite*>& visible,
                                        std::vector<CSprite*>& hidden) const {
    visible = myChildren;
    hidden = myHidden;
}

}  // namespace vorn
