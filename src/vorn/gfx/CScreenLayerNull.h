#pragma once

#include <algorithm>
#include <vector>

#include "vorn/gfx/CSprite.h"
#include "vorn/gfx/IScreenLayer.h"

namespace vorn {

// The strategy before any graphics task runs: sprites can be added, hidden
// and removed, but nothing is drawn. It remembers the sprites so that the
// strategy installed later takes them over.
class CScreenLayerNull : public IScreenLayer {
public:
    int GetSpriteType() const override { return CSprite::TYPE_SCREENLAYER; }
    bool Empty() const override { return false; }
    void AddChild(CSprite* sprite) override {
        if (!sprite || Has(myChildren, sprite)) return;
        Remove(myHidden, sprite);
        myChildren.push_back(sprite);
    }
    void RemoveChild(CSprite* sprite) override {
        Remove(myChildren, sprite);
        Remove(myHidden, sprite);
    }
    void SortByZ() override {}
    void OnZChanged(int) override {}
    void OnSpriteDirty(CSprite*) override {}
    void SetTarget(CSprite*) override {}
    CSprite* GetTarget() const override { return nullptr; }
    bool Draw(CSprite*) override { return false; }
    bool DrawAll(CSprite*) override { return false; }
    void ShowSprite(CSprite* sprite) override {
        if (Remove(myHidden, sprite)) myChildren.push_back(sprite);
    }
    void HideSprite(CSprite* sprite) override {
        if (Remove(myChildren, sprite)) myHidden.push_back(sprite);
    }
    void Update() override {}
    void MarkDirty() override {}
    void RequestRedrawAll() override {}
    void GetSprites(std::vector<CSprite*>& visible, std::vector<CSprite*>& hidden) const override {
        visible = myChildren;
        std::stable_sort(visible.begin(), visible.end(),
                         [](const CSprite* a, const CSprite* b) { return a->GetZ() < b->GetZ(); });
        hidden = myHidden;
    }

private:
    static bool Has(const std::vector<CSprite*>& list, const CSprite* sprite) {
        return std::find(list.begin(), list.end(), sprite) != list.end();
    }
    static bool Remove(std::vector<CSprite*>& list, const CSprite* sprite) {
        auto it = std::find(list.begin(), list.end(), sprite);
        if (it == list.end()) return false;
        list.erase(it);
        return true;
    }

    std::vector<CSprite*> myChildren;
    std::vector<CSprite*> myHidden;
};

}  // namespace vorn
