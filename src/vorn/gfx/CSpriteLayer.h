#pragma once

#include <vector>

#include "vorn/gfx/CSprite.h"

namespace vorn {

// A sprite holding sprites. Visible children are kept sorted by Z ascending
// (front-most first); hidden ones wait in a second list. Children are drawn
// onto the target sprite's image.
//
// Erasing works like unwinding a stack: sprites in front were drawn after
// the ones behind them, so a change to one child erases every child in front
// of it first, then the child itself. The dirty level remembers how far back
// the erasing went: on the next Redraw every erased child whose Z is at or
// below it is drawn again, from the back to the front. Every child in front
// of the dirty level is always erased.
//
// The layer does not own its children; a child that dies leaves by itself,
// and a layer that dies first lets its children go.
class CSpriteLayer : public CSprite {
public:
    CSpriteLayer() = default;
    ~CSpriteLayer() override;

    int GetSpriteType() const override { return TYPE_LAYER; }
    // True when no child is visible.
    bool Empty() const override;
    // Redraws the children at or behind the dirty level, back to front.
    bool Redraw(CSprite* target) override;
    // Erases every child, front first.
    bool Erase(CSprite* target) override;

    // Inserts sprite in front of the children of equal Z, erasing those in
    // front of it.
    virtual void AddChild(CSprite* sprite);
    // Erases the children up to and including sprite and drops it (from the
    // hidden list too).
    virtual void RemoveChild(CSprite* sprite);
    // Stable re-sort by Z ascending.
    virtual void SortByZ();
    // Erases every child whose Z is at most level.
    virtual void OnZChanged(int level);
    // Erases sprite and everything in front of it.
    virtual void OnSpriteDirty(CSprite* sprite);
    // The sprite whose image children are drawn onto (not owned).
    virtual void SetTarget(CSprite* target) { myTarget = target; }
    virtual CSprite* GetTarget() const { return myTarget; }
    // Erases sprite and moves it to the hidden list.
    virtual void HideSprite(CSprite* sprite);
    // Brings a hidden sprite back, inserted as by AddChild.
    virtual void ShowSprite(CSprite* sprite);

    const std::vector<CSprite*>& GetChildren() const { return myChildren; }
    const std::vector<CSprite*>& GetHiddenChildren() const { return myHidden; }
    int GetDirtyLevel() const { return myDirtyLevel; }

protected:
    // Erases children from the front up to and including sprite; returns the
    // Z of the child just in front of it through frontZ (unchanged when none).
    // False when sprite is not a visible child.
    bool EraseUpTo(CSprite* sprite, int* frontZ);
    void InsertSorted(CSprite* sprite);
    void RaiseDirtyLevel(int level);
    // Detaches every child (they forget this layer).
    void ReleaseChildren();

    std::vector<CSprite*> myChildren;
    std::vector<CSprite*> myHidden;
    CSprite* myTarget = nullptr;
    int myDirtyLevel = 0;
};

}  // namespace vorn
