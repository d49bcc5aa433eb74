#pragma once

#include <string>

#include "vorn/gfx/CSprite.h"

namespace vorn {

// A bar made of two sprites: the bottom one shows the whole bar (BottomRect),
// the top one, in front of it, shows the filled part: the left Value x
// TopRect.w pixels of TopRect. The slider itself has no image and is never in
// a layer; its two parts are (the sprite factory puts them there).
//
// Sprite file values: "BottomRect", "TopRect" (x, y, w, h), "TopSprite",
// "BottomSprite" (sprite file names), "Value" (float, not clamped).
class CSliderSprite : public CSprite {
public:
    CSliderSprite() = default;
    ~CSliderSprite() override;

    int GetSpriteType() const override { return TYPE_SLIDER; }
    void Serialize(CXmlArchive& archive) override;
    // The bottom part gets z, the top part z - 1 (in front).
    void SetZ(int z) override;
    // Moves the bottom rect to (x, y); the top rect keeps its offset to it.
    void MoveTo(int x, int y) override;
    // A slider keeps its size.
    void Resize(int, int) override {}
    void PlayAnimation(const std::string& name) override;
    void SetVisible(bool visible) override;
    void SetAlpha(uint8_t alpha) override;

    void SetValue(float value);
    float GetValue() const { return myValue; }
    CSprite* GetTopSprite() const { return myTop; }
    CSprite* GetBottomSprite() const { return myBottom; }
    types_rect GetTopRect() const { return myTopRect; }
    types_rect GetBottomRect() const { return myBottomRect; }

private:
    // Places the two parts after a change.
    void Layout();

    CSprite* myTop = nullptr;
    CSprite* myBottom = nullptr;
    types_rect myTopRect;
    types_rect myBottomRect;
    float myValue = 1.0f;
};

}  // namespace vorn
