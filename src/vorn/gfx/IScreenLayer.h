#pragma once

#include <vector>

namespace vorn {

class CSprite;

// How the screen layer (CScreenLayer) gets its sprites onto the screen: a
// strategy it owns and forwards its layer operations to. Each operation
// mirrors the CSpriteLayer operation of the same name. Sprites are not owned.
//
// Implementations: CScreenLayerDirtyRects (redraws only what changed, with
// per-sprite background buffers; the SDL back end), CScreenLayerImmediateMode
// (redraws everything every frame once anything changed) and
// CScreenLayerNull (draws nothing).
class IScreenLayer {
public:
    virtual ~IScreenLayer() = default;
    // Always CSprite::TYPE_SCREENLAYER.
    virtual int GetSpriteType() const = 0;
    virtual bool Empty() const = 0;
    virtual void AddChild(CSprite* sprite) = 0;
    virtual void RemoveChild(CSprite* sprite) = 0;
    virtual void SortByZ() = 0;
    virtual void OnZChanged(int level) = 0;
    virtual void OnSpriteDirty(CSprite* sprite) = 0;
    virtual void SetTarget(CSprite* target) = 0;
    virtual CSprite* GetTarget() const = 0;
    // Draws what is pending onto target and reports the changed areas to
    // the screen surface.
    virtual bool Draw(CSprite* target) = 0;
    // Draws every sprite.
    virtual bool DrawAll(CSprite* target) = 0;
    virtual void ShowSprite(CSprite* sprite) = 0;
    virtual void HideSprite(CSprite* sprite) = 0;
    // One frame onto the current screen surface (Gfx::GetScreenSurface).
    virtual void Update() = 0;
    virtual void MarkDirty() = 0;
    // The next Update draws everything.
    virtual void RequestRedrawAll() = 0;

    // The sprites it holds, visible ones front first, so that a new strategy
    // can take them over.
    virtual void GetSprites(std::vector<CSprite*>& visible,
                            std::vector<CSprite*>& hidden) const = 0;
};

}  // namespace vorn
