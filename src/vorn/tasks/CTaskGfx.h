#pragma once

#include <cstdint>

#include "vorn/tasks/CTask.h"
#include "vorn/utils/timer/CTimer.h"

namespace vorn {

// Base of the graphics tasks of the back ends: holds the animation clock, a
// timer on the application clock (so animations stand still while the window
// has no focus) that sprite animation is stepped by.
class CTaskGfx : public CTask {
public:
    CTaskGfx();

    const CTimer& GetAnimationClock() const { return myAnimationClock; }
    // Frames drawn since the start.
    virtual unsigned long GetFrameCount() const = 0;

protected:
    // Restarts the animation clock at 0.
    void StartAnimationClock() { myAnimationClock.Reset(); }
    // Steps the sprite animations to the animation clock's time; called once
    // per drawn frame, before the screen layer draws.
    void AdvanceAnimations();

private:
    CTimer myAnimationClock;
};

}  // namespace vorn
