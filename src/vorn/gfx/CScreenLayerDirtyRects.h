#pragma once

#include <memory>
#include <vector>

#include "vorn/gfx/CSpriteLayer.h"
#include "vorn/gfx/IScreenLayer.h"

namespace vorn {

class IPixel;

// The dirty-rectangle strategy: sprites erase themselves from the screen
// with their background buffers the moment they change, and Update redraws
// what was erased, from the back to the front, reporting each changed
// sprite's old and new place to the screen (AddUpdateRect).
//
// Only what overlaps is erased. Erasing a sprite first erases every drawn
// sprite in front of it that overlaps it (and, in turn, those overlapping
// them); before the redraw, drawn sprites in front of an erased one that
// overlap its new place are erased too. So of any two drawn sprites that
// overlap, the one in front was always drawn later, and every background
// buffer holds exactly what lies under its sprite.
//
// Update redraws everything ("drawing all" in the log) when the screen
// surface or its size changed, or on request.
class CScreenLayerDirtyRects : public IScreenLayer, public CSpriteLayer {
public:
    CScreenLayerDirtyRects();
    ~CScreenLayerDirtyRects() override;

    int GetSpriteType() const override { return TYPE_SCREENLAYER; }
    bool Empty() const override { return CSpriteLayer::Empty(); }
    void AddChild(CSprite* sprite) override;
    // Also reports the whole screen for refreshing.
    void RemoveChild(CSprite* sprite) override;
    void SortByZ() override { CSpriteLayer::SortByZ(); }
    // The sprite whose depth changes was erased when it reported the change;
    // the new order is settled before the next redraw.
    void OnZChanged(int) override {}
    void OnSpriteDirty(CSprite* sprite) override;
    void SetTarget(CSprite* target) override { CSpriteLayer::SetTarget(target); }
    CSprite* GetTarget() const override { return CSpriteLayer::GetTarget(); }
    bool Draw(CSprite* target) override;
    bool DrawAll(CSprite* target) override;
    void ShowSprite(CSprite* sprite) override;
    // Also reports the whole screen for refreshing.
    void HideSprite(CSprite* sprite) override;
    void Update() override;
    void MarkDirty() override {}
    void RequestRedrawAll() override { myRedrawAll = true; }
    void GetSprites(std::vector<CSprite*>& visible, std::vector<CSprite*>& hidden) const override;

private:
    // The own target may still show a screen surface that has gone (the
    // graphics task stopped or made a new one): it must not be drawn on.
    void CheckTarget();
    void ReportWholeTarget(CSprite* target);
    // Erases the child at index and every drawn child in front of it that
    // overlaps it, directly or through others, front first.
    void EraseOverlapping(size_t index);
    // Before a redraw: erases drawn children in front of an erased one that
    // overlap the place it will be drawn at.
    void EraseCovering();
    // Redraws the erased children, back to front, reporting their dirty rects.
    bool DrawErased(CSprite* target);

    std::unique_ptr<CSprite> myScreenTarget;
    bool myRedrawAll = false;
    // A new strategy finds the screen as another one left it: its first full
    // redraw starts from a clean screen.
    bool myFreshStart = true;
    std::vector<char> myMarks;  // scratch for EraseOverlapping
};

}  // namespace vorn
