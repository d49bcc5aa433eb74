#pragma once

#include <cstdint>

namespace vorn {

class CSprite;

// Changes a property of a sprite over time, driven by the animation updater
// (CAnimationUpdator), which owns it: it is deleted once done, or when its
// sprite is destroyed.
class IExternalAnimator {
public:
    explicit IExternalAnimator(CSprite* sprite = nullptr) : mySprite(sprite) {}
    virtual ~IExternalAnimator() = default;
    // now: milliseconds of the animation clock.
    virtual void Update(uint32_t now) = 0;
    virtual bool UsesSprite(const CSprite* sprite) const { return sprite && sprite == mySprite; }
    virtual bool IsDone() const { return myDone; }
    virtual void SetDone(bool done) { myDone = done; }
    virtual void Pause() {}
    virtual void Resume() {}
    virtual void SetSpeed(float) {}

protected:
    CSprite* mySprite;
    bool myDone = false;
};

// What an external animator changes: Apply receives the animator's value
// (normally 0 at the start and 1 at the end).
class ISpriteMasker {
public:
    virtual ~ISpriteMasker() = default;
    virtual void Apply(float value) = 0;
    virtual CSprite* GetSprite() const = 0;
};

}  // namespace vorn
