#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "vorn/designpatterns/singleton/CSingleton.h"

namespace vorn {

class CAnimatedSprite;
class CSprite;
class IExternalAnimator;

// Steps every playing animated sprite and every external animator; the
// graphics task calls Update once per frame with its animation clock.
// Sprites are kept in the order in which they are next due, so a frame
// touches only the sprites whose time has come. Sprites are not owned;
// animators are (deleted when done or when their sprite dies).
class CAnimationUpdator : public CSingleton<CAnimationUpdator> {
public:
    // now: milliseconds of the animation clock.
    void Update(uint32_t now);
    uint32_t GetTime() const { return myNow; }

    // (Re)inserts sprite by its next update time.
    void Add(CAnimatedSprite* sprite);
    void Remove(CAnimatedSprite* sprite);
    bool Contains(const CAnimatedSprite* sprite) const;
    const std::vector<CAnimatedSprite*>& GetSprites() const { return mySprites; }

    // Takes ownership of animator and appends it.
    void AddAnimator(IExternalAnimator* animator);
    // Deletes every animator that acts on sprite.
    void RemoveAnimatorsOf(const CSprite* sprite);
    size_t GetAnimatorCount() const { return myAnimators.size(); }

private:
    friend class CStaticSingleton<CAnimationUpdator>;
    CAnimationUpdator() = default;
    ~CAnimationUpdator();

    void UpdateAnimators(uint32_t now);
    void UpdateSprites(uint32_t now);

    uint32_t myNow = 0;
    std::vector<CAnimatedSprite*> mySprites;
    CAnimatedSprite* myUpdating = nullptr;
    std::vector<IExternalAnimator*> myAnimators;
    IExternalAnimator* myAnimatorUpdating = nullptr;
    // Set when the animator being updated was removed during its own update
    // (it is deleted once the update returns), or when the list changed.
    bool myAnimatorRemoved = false;
    bool myAnimatorsChanged = false;
};

}  // namespace vorn
