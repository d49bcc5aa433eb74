#include "vorn/gfx/CAnimatedSprite.h"

#include <algorithm>
#include <cmath>

#include "vorn/gfx/CAnimationUpdator.h"
#include "vorn/gfx/CFrameFactory.h"
#include "vorn/gfx/IFrame.h"
#include "vorn/utils/xml/CXmlArchive.h"

namespace vorn {

// --- CAnimation ---------------------------------------------------------------

CAnimation::~CAnimation() {
    for (IFrame* frame : frames)
        delete frame;
}

void CAnimation::Serialize(CXmlArchive& archive) {
    archive.Attribute("name", name);
    archive.Attribute("loop", loop);
    archive.Objects("Frame", frames, [](const CXmlElement& element) -> IFrame* {
        if (!element.HasAttribute("type")) return nullptr;
        return NewFrame(GetFrameTypeCode(element.GetAttribute("type").GetString()));
    });
}

int32_t CAnimation::Advance(CSprite* sprite, int32_t index, uint32_t time) {
    if (frames.empty()) return index;
    if (index < 0 || size_t(index) >= frames.size()) index = 0;
    if (index != currentFrame) {
        currentFrame = index;
        frameStart = lastStep = time;
    }
    // A frame that ends hands over to the next one, which is shown in the same
    // step; frames that end at once (sounds) hand on further. Each frame is
    // applied at most once a step, so a loop of such frames cannot spin.
    for (size_t applied = 0; applied < frames.size(); ++applied) {
        IFrame* frame = frames[size_t(index)];
        const bool finished = frame->Apply(sprite, time - lastStep);
        const uint32_t length = frame->GetLength();
        if (!finished && time - frameStart < length) {
            lastStep = time;
            return index;
        }
        if (size_t(index) + 1 < frames.size()) {
            ++index;
        } else if (loop) {
            index = 0;
        } else {
            if (sprite && sprite->GetSpriteType() == CSprite::TYPE_ANIMATED)
                static_cast<CAnimatedSprite*>(sprite)->Stop();
            frameStart = lastStep = time;
            return index;
        }
        currentFrame = index;
        // The next frame starts when this one was due to end, however the
        // steps fall, so that every frame lasts its length; after a wait
        // longer than the next frame it starts now instead of being skipped.
        const uint32_t late = time - frameStart >= length ? time - frameStart - length : 0;
        const uint32_t start = late < frames[size_t(index)]->GetLength() ? time - late : time;
        frameStart = lastStep = start;
    }
    lastStep = time;
    return index;
}

// --- CAnimatedSprite ------------------------------------------------------------

CAnimatedSprite::~CAnimatedSprite() {
    if (CAnimationUpdator* updator = CAnimationUpdator::PeekSingleton()) updator->Remove(this);
    ClearAnimations();
}

void CAnimatedSprite::ClearAnimations() {
    for (CAnimation* animation : myAnimations)
        delete animation;
    myAnimations.clear();
    myCurrent = nullptr;
}

void CAnimatedSprite::AddAnimation(CAnimation* animation) {
    if (animation) myAnimations.push_back(animation);
}

void CAnimatedSprite::Serialize(CXmlArchive& archive) {
    CSprite::Serialize(archive);
    if (archive.IsWriting()) {
        if (myCurrent) archive.Field("CurrentAnimation", myCurrent->name);
        archive.Field("CurrentFrame", myCurrentFrame);
        archive.Field("MiniumUpdateTime", myMinUpdateTime);
        archive.Field("Play", myPlaying);
        archive.Field("TimeMultiply", myTimeMultiply);
        archive.Objects("Animation", myAnimations,
                        [](const CXmlElement&) -> CAnimation* { return nullptr; });
        return;
    }
    Stop();
    ClearAnimations();
    std::string current;
    int32_t frame = 0;
    bool play = true;
    const bool playGiven = archive.HasChild("Play");
    archive.Field("CurrentAnimation", current);
    archive.Field("CurrentFrame", frame);
    archive.Field("MiniumUpdateTime", myMinUpdateTime);
    archive.Field("Play", play);
    archive.Field("TimeMultiply", myTimeMultiply);
    archive.Objects("Animation", myAnimations,
                    [](const CXmlElement&) -> CAnimation* { return new CAnimation; });
    myMinUpdateTime = std::max(myMinUpdateTime, 0);
    // Only a named current animation makes the sprite play, and only when
    // the file does not say otherwise (an animation that had run to its end
    // is written with "Play" 0). It resumes at the frame written.
    myPlaying = false;
    myAnimationTime = 0;
    myCurrentFrame = 0;
    for (CAnimation* animation : myAnimations) {
        if (current.empty() || animation->name != current) continue;
        if (playGiven && !play)
            myCurrent = animation;
        else
            PlayAnimation(current);
        if (frame > 0 && size_t(frame) < animation->frames.size()) myCurrentFrame = frame;
        break;
    }
}

void CAnimatedSprite::PlayAnimation(const std::string& name) {
    if (!myCurrent || name != myCurrent->name || !myPlaying) {
        for (CAnimation* animation : myAnimations)
            if (animation->name == name) {
                myCurrent = animation;
                break;
            }
        myCurrentFrame = 0;
        myAnimationTime = 0;
        if (myCurrent) myCurrent->Rewind();
    }
    Play();
}

void CAnimatedSprite::Play() {
    myPlaying = true;
    CAnimationUpdator::GetSingleton()->Add(this);
}

void CAnimatedSprite::Stop() {
    myPlaying = false;
    if (CAnimationUpdator* updator = CAnimationUpdator::PeekSingleton()) updator->Remove(this);
}

double CAnimatedSprite::GetSpeed() const {
    if (!std::isfinite(myTimeMultiply) || myTimeMultiply < 0.0f) return 0.0;
    return myTimeMultiply;
}

void CAnimatedSprite::UpdateTime(uint32_t now) {
    if (myAnimationTime == 0) {
        myAnimationTime = myLastUpdate = now;
        return;
    }
    const uint32_t elapsed = now - myLastUpdate;
    const double scaled = std::floor(elapsed * GetSpeed());
    myAnimationTime += scaled >= 4294967295.0 ? 4294967295u : uint32_t(scaled);
    // The clock keeps the real time of the update, so that a time multiply
    // other than 1 scales every interval alike.
    myLastUpdate = now;
}

uint32_t CAnimatedSprite::GetNextUpdateTime(uint32_t now) const {
    if (!myCurrent || myCurrent->frames.empty()) return myLastUpdate + uint32_t(myMinUpdateTime);
    if (myAnimationTime == 0) return now;  // not started: due at once
    int32_t index = myCurrentFrame;
    if (index < 0 || size_t(index) >= myCurrent->frames.size()) index = 0;
    if (index != myCurrent->currentFrame) return now;
    // Due when the frame has lasted its time, counted from its start.
    const uint32_t shown = myAnimationTime - myCurrent->frameStart;
    const int64_t remaining =
        int64_t(myCurrent->frames[size_t(index)]->GetDuration()) - int64_t(shown);
    if (remaining <= 0) return myLastUpdate;
    const double speed = GetSpeed();
    if (speed <= 0.0) return myLastUpdate + uint32_t(std::max<int32_t>(myMinUpdateTime, 1));
    const double real = std::ceil(double(remaining) / speed);
    return myLastUpdate + (real >= 2147483647.0 ? 2147483647u : uint32_t(real));
}

void CAnimatedSprite::Step(uint32_t now) {
    UpdateTime(now);
    if (myCurrent && myPlaying)
        myCurrentFrame = myCurrent->Advance(this, myCurrentFrame, myAnimationTime);
}

}  // namespace vorn
