#pragma once

#include "monsters/CPhysicsTask.h"
#include "vorn/utils/timer/CTimer.h"

namespace monsters {

// Advances the physics in whole steps of 16 ms, once per game frame:
//   while more than 16 ms have passed and fewer than 3 steps ran this frame:
//       move the timer's start on by 16 ms and step the world;
//   after 3 steps the timer is reset: the game slows down instead of making
//   steps longer, and the backlog is dropped.
// Simulated time therefore never runs ahead of real time.
class CFixedStepDriver {
public:
    static constexpr int MAX_STEPS_PER_FRAME = 3;
    static constexpr int STEP_MS = 16;

    // The timer runs on the application clock, which stops while the window
    // has no focus.
    explicit CFixedStepDriver(IWinOrLoseInterface* receiver = nullptr);
    // The same on another clock (not owned; null: the global time).
    CFixedStepDriver(IWinOrLoseInterface* receiver, const vorn::CTimer* clock);

    // Once per frame; returns the steps taken.
    int Update();
    // The last frame ran the most steps and dropped the backlog.
    bool IsLagging() const { return myLagging; }

    // A paused driver steps nothing.
    void Pause() { myTimer.Pause(); }
    void Resume() { myTimer.Resume(); }
    bool IsPaused() const { return myTimer.IsPaused(); }
    // Starts counting afresh (after loading, so that loading time is not simulated).
    void Reset() { myTimer.Reset(); }

    CPhysicsTask& GetPhysics() { return myPhysics; }

private:
    int myMaxSteps = MAX_STEPS_PER_FRAME;
    bool myLagging = false;
    vorn::CTimer myTimer;
    int myStepMs = STEP_MS;
    CPhysicsTask myPhysics;
};

}  // namespace monsters
