#pragma once

#include <memory>
#include <vector>

#include "vorn/gfx/IScreenLayer.h"

namespace vorn {

// The immediate strategy: nothing is erased and no background buffers are
// used. Once anything about the sprite set has changed (or a redraw was
// requested), every Update clears the screen and draws every sprite from the
// back to the front; before that first change nothing is drawn.
class CScreenLayerImmediateMode : public IScreenLayer {
public:
    CScreenLayerImmediateMode();
    ~CScreenLayerImmediateMode() override;

    int GetSpriteType() const override;
    bool Empty() const override { return myChildren.empty(); }
    void AddChild(CSprite* sprite) override;
    void RemoveChild(CSprite* sprite) override;
    void SortByZ() override;
    void OnZChanged(int) override { myRedraw = true; }
    void OnSpriteDirty(CSprite*) override { myRedraw = true; }
    void SetTarget(CSprite* target) override { myTarget = target; }
    CSprite* GetTarget() const override { return myTarget; }
    // Draws everything (as DrawAll).
    bool Draw(CSprite* target) override { return DrawAll(target); }
    bool DrawAll(CSprite* target) override;
    void ShowSprite(CSprite* sprite) override;
    void HideSprite(CSprite* sprite) override;
    void Update() override;
    void MarkDirty() override { myRedraw = true; }
    void RequestRedrawAll() override { myRedraw = true; }
    void GetSprites(std::vector<CSprite*>& visible, std::vector<CSprite*>& hidden) const override;

private:
    std::vector<CSprite*> myChildren;  // Z ascending, front first
    std::vector<CSprite*> myHidden;
    std::unique_ptr<CSprite> myScreenTarget;
    CSprite* myTarget;
    bool myRedraw = false;
};

}  // namespace vorn
