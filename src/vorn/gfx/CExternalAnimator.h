#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "vorn/gfx/IExternalAnimator.h"
#include "vorn/utils/calculator/CCalculator.h"

namespace vorn {

// Drives a sprite masker along a curve: over duration milliseconds from
// start, the progress t runs from 0 to 1 and the masker receives the value
// of the expression with t in it (for example "t * t" eases in; an empty
// expression passes t through). With clamp the value is kept to 0..1. The
// animator is done when t reaches 1.
class CExternalAnimator : public IExternalAnimator {
public:
    // Takes ownership of masker. start and duration in milliseconds of the
    // animation clock (CAnimationUpdator::GetTime() is "now").
    CExternalAnimator(ISpriteMasker* masker, uint32_t start, uint32_t duration,
                      const std::string& expression = "", bool clamp = true);
    ~CExternalAnimator() override;

    void Update(uint32_t now) override;
    void Pause() override { myPaused = true; }
    void Resume() override { myPaused = false; }
    // Runs the rest of the animation multiply times as fast, keeping the
    // progress made. Values that are not positive numbers are ignored.
    void SetSpeed(float multiply) override;

    // Evaluates the curve at t and hands the value to the masker.
    void Apply(float t);
    // The curve's value at t (the expression with t put in).
    float Evaluate(float t);

    uint32_t GetStart() const { return myStart; }
    uint32_t GetDuration() const { return myDuration; }

private:
    std::unique_ptr<ISpriteMasker> myMasker;
    uint32_t myStart;
    uint32_t myDuration;
    bool myClamp;
    std::string myExpression;
    CCalculator<float> myCalculator;
    uint32_t myLastUpdate;
    bool myPaused = false;
    float myTimeScale = 1.0f;
};

// Fades a sprite: the value v sets its alpha to start + v x (target - start),
// where start is the sprite's alpha when the updater is made. Only every
// skip-count-th call takes effect (and always the one with v = 1), so a long
// fade need not make a new image every frame.
class CSpriteSetAlphaUpdator : public ISpriteMasker {
public:
    CSpriteSetAlphaUpdator(CSprite* sprite, uint8_t targetAlpha, int skipCount = 0);
    void Apply(float value) override;
    CSprite* GetSprite() const override { return mySprite; }

private:
    CSprite* mySprite;
    uint8_t myTargetAlpha;
    uint8_t myStartAlpha;
    int mySkipCount;
    int myCalls = 0;
};

}  // namespace vorn
