#pragma once

#include <memory>
#include <vector>

#include "vorn/designpatterns/singleton/CSingleton.h"
#include "vorn/gfx/CSpriteLayer.h"
#include "vorn/gfx/IScreenLayerHook.h"

namespace vorn {

class IScreenLayer;

// The root of all sprites: every sprite put on screen is a child of this
// singleton. How the children reach the screen is decided by the strategy
// it owns and forwards its layer operations to (see IScreenLayer.h): until a
// graphics task installs another one, the null strategy draws nothing.
//
// The graphics tasks reach it through Gfx::GetScreenLayerHook(): the screen
// layer installs itself there when it is made, and graphics tasks choose the
// strategy with InstallStrategy and draw each frame with Update.
//
// Deleting the singleton lets every sprite go (they forget their layer).
class CScreenLayer : public CSpriteLayer, public CSingleton<CScreenLayer>, public IScreenLayerHook {
public:
    int GetSpriteType() const override { return TYPE_SCREENLAYER; }
    bool Empty() const override;
    // Draws what is pending (the strategy's Draw).
    bool Redraw(CSprite* target) override;
    bool Draw(CSprite* target) override;
    void MarkDirty() override;

    void AddChild(CSprite* sprite) override;
    void RemoveChild(CSprite* sprite) override;
    void SortByZ() override;
    void OnZChanged(int level) override;
    void OnSpriteDirty(CSprite* sprite) override;
    void SetTarget(CSprite* target) override;
    CSprite* GetTarget() const override;
    void HideSprite(CSprite* sprite) override;
    void ShowSprite(CSprite* sprite) override;

    bool DrawAll(CSprite* target);

    // IScreenLayerHook: what the graphics tasks call.
    void InstallStrategy(Strategy strategy) override;
    void Update() override;
    void RequestRedrawAll() override;

    // Makes strategy current (owned from now on) and hands it the sprites of
    // the previous one, which is returned to the caller to delete. Null is
    // refused (returns null and changes nothing).
    IScreenLayer* SetStrategy(IScreenLayer* strategy);
    IScreenLayer* GetStrategy() const { return myStrategy.get(); }
    // Visible sprites front first, then the hidden ones.
    void GetSprites(std::vector<CSprite*>& visible, std::vector<CSprite*>& hidden) const;

private:
    friend class CStaticSingleton<CScreenLayer>;
    CScreenLayer();
    ~CScreenLayer() override;

    std::unique_ptr<IScreenLayer> myStrategy;
};

}  // namespace vorn
