#include "vorn/gfx/CAnimationUpdator.h"

#include <algorithm>

#include "vorn/gfx/CAnimatedSprite.h"
#include "vorn/gfx/IExternalAnimator.h"

namespace vorn {

namespace {

// Times wrap at 32 bits: compare by the signed difference.
bool IsLater(uint32_t time, uint32_t than) {
    return int32_t(time - than) > 0;
}

}  // namespace

CAnimationUpdator::~CAnimationUpdator() {
    std::vector<IExternalAnimator*> animators;
    animators.swap(myAnimators);
    for (IExternalAnimator* animator : animators)
        delete animator;
}

void CAnimationUpdator::Update(uint32_t now) {
    myNow = now;
    UpdateAnimators(now);
    UpdateSprites(now);
}

void CAnimationUpdator::UpdateAnimators(uint32_t now) {
    for (size_t i = 0; i < myAnimators.size();) {
        IExternalAnimator* animator = myAnimators[i];
        myAnimatorUpdating = animator;
        myAnimatorRemoved = false;
        myAnimatorsChanged = false;
        animator->Update(now);
        myAnimatorUpdating = nullptr;
        if (myAnimatorRemoved) {
            delete animator;
            break;
        }
        if (myAnimatorsChanged) break;
        if (animator->IsDone()) {
            myAnimators.erase(myAnimators.begin() + long(i));
            delete animator;
            continue;
        }
        ++i;
    }
}

void CAnimationUpdator::UpdateSprites(uint32_t now) {
    for (size_t i = 0; i < mySprites.size(); ++i) {
        CAnimatedSprite* sprite = mySprites[i];
        if (IsLater(sprite->GetNextUpdateTime(now), now)) break;
        myUpdating = sprite;
        sprite->Step(now);
        myUpdating = nullptr;
        // A sprite that stopped (or was deleted) changed the list: the rest
        // waits for the next frame.
        if (i >= mySprites.size() || mySprites[i] != sprite) break;
    }
    std::stable_sort(mySprites.begin(), mySprites.end(),
                     [now](const CAnimatedSprite* a, const CAnimatedSprite* b) {
                         return int32_t(a->GetNextUpdateTime(now) - now) <
                                int32_t(b->GetNextUpdateTime(now) - now);
                     });
}

void CAnimationUpdator::Add(CAnimatedSprite* sprite) {
    if (!sprite) return;
    Remove(sprite);
    const uint32_t due = sprite->GetNextUpdateTime(myNow);
    auto it = std::find_if(mySprites.begin(), mySprites.end(), [&](const CAnimatedSprite* other) {
        return int32_t(other->GetNextUpdateTime(myNow) - myNow) > int32_t(due - myNow);
    });
    mySprites.insert(it, sprite);
}

void CAnimationUpdator::Remove(CAnimatedSprite* sprite) {
    auto it = std::find(mySprites.begin(), mySprites.end(), sprite);
    if (it != mySprites.end()) mySprites.erase(it);
}

bool CAnimationUpdator::Contains(const CAnimatedSprite* sprite) const {
    return std::find(mySprites.begin(), mySprites.end(), sprite) != mySprites.end();
}

void CAnimationUpdator::AddAnimator(IExternalAnimator* animator) {
    if (!animator) return;
    myAnimators.push_back(animator);
}

void CAnimationUpdator::RemoveAnimatorsOf(const CSprite* sprite) {
    for (size_t i = 0; i < myAnimators.size();) {
        IExternalAnimator* animator = myAnimators[i];
        if (!animator->UsesSprite(sprite)) {
            ++i;
            continue;
        }
        myAnimators.erase(myAnimators.begin() + long(i));
        myAnimatorsChanged = true;
        if (animator == myAnimatorUpdating)
            myAnimatorRemoved = true;  // deleted after its update
        else
            delete animator;
    }
}

}  // namespace vorn
