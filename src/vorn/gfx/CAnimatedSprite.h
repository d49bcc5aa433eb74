#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "vorn/gfx/CSprite.h"

namespace vorn {

class IFrame;

// A named sequence of frames (see IFrame.h). The record also keeps where the
// animation stands: the frame shown, when it started and when it last stepped
// (milliseconds of the sprite's animation clock).
struct CAnimation {
    static constexpr int32_t NO_FRAME = -1;

    CAnimation() = default;
    ~CAnimation();
    CAnimation(const CAnimation&) = delete;
    CAnimation& operator=(const CAnimation&) = delete;

    // File: <Animation name="..." loop="1"> with one "Frame" child per frame.
    void Serialize(CXmlArchive& archive);
    // Steps the animation at time on sprite from frame index; returns the
    // frame index now current. A non-looping animation stops an animated
    // sprite at its last frame.
    int32_t Advance(CSprite* sprite, int32_t index, uint32_t time);
    // Forgets where it stood, so that the next step starts its frame afresh.
    void Rewind() { currentFrame = NO_FRAME; }

    std::string name;
    std::vector<IFrame*> frames;  // owned
    int32_t currentFrame = NO_FRAME;
    uint32_t frameStart = 0;
    uint32_t lastStep = 0;
    bool loop = true;
};

// A sprite whose image source rectangle is switched over time by named
// animations. Playing sprites are stepped by the animation updater
// (CAnimationUpdator) on the graphics task's frame.
//
// Sprite file values, after those of CSprite: "CurrentAnimation" (string),
// "CurrentFrame" (int), "MiniumUpdateTime" (int, ms), "Play" (bool),
// "TimeMultiply" (float), then one "Animation" element per animation. A
// loaded sprite plays only when "CurrentAnimation" names one of its
// animations and "Play" is not 0; it resumes at "CurrentFrame".
class CAnimatedSprite : public CSprite {
public:
    static constexpr int32_t DEFAULT_MIN_UPDATE_TIME = 250;

    CAnimatedSprite() = default;
    ~CAnimatedSprite() override;

    int GetSpriteType() const override { return TYPE_ANIMATED; }
    void Serialize(CXmlArchive& archive) override;
    // Starts the named animation from its first frame, unless it is the one
    // already playing; then plays.
    void PlayAnimation(const std::string& name) override;

    void Play();
    void Stop();
    bool IsPlaying() const { return myPlaying; }

    // Takes ownership of animation.
    void AddAnimation(CAnimation* animation);
    CAnimation* GetCurrentAnimation() const { return myCurrent; }
    int32_t GetCurrentFrame() const { return myCurrentFrame; }
    uint32_t GetAnimationTime() const { return myAnimationTime; }
    const std::vector<CAnimation*>& GetAnimations() const { return myAnimations; }
    void SetTimeMultiply(float multiply) { myTimeMultiply = multiply; }
    float GetTimeMultiply() const { return myTimeMultiply; }

    // --- for the animation updater ------------------------------------------

    // Advances the sprite's clock to now (real milliseconds).
    void UpdateTime(uint32_t now);
    // When the sprite next needs a step, in real milliseconds.
    uint32_t GetNextUpdateTime(uint32_t now) const;
    // UpdateTime, then the current animation's step.
    void Step(uint32_t now);

private:
    void ClearAnimations();
    // The time multiply made safe: not negative, finite.
    double GetSpeed() const;

    std::vector<CAnimation*> myAnimations;
    CAnimation* myCurrent = nullptr;
    int32_t myCurrentFrame = 0;
    uint32_t myAnimationTime = 0;
    uint32_t myLastUpdate = 0;
    int32_t myMinUpdateTime = DEFAULT_MIN_UPDATE_TIME;
    bool myPlaying = false;
    float myTimeMultiply = 1.0f;
};

}  // namespace vorn
