#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <string>

#include "vorn/tasks/CTask.h"
#include "vorn/utils/timer/CTimer.h"

namespace vorn {

// Base of the graphics tasks of the back ends: holds the animation clock, a
// timer on the application clock (so animations stand still while the window
// has no focus) that sprite animation is stepped by, and the frame pacing:
// frames fall on a grid of FRAMES_PER_SECOND a second of application time
// (16 or 17 ms apart, never less than 16), and the kernel sleeps until the
// next one is due. It also keeps the frame statistics that LogFrameRate
// writes when the task stops.
class CTaskGfx : public CTask {
public:
    static constexpr uint32_t FRAMES_PER_SECOND = 60;

    CTaskGfx();

    const CTimer& GetAnimationClock() const { return myAnimationClock; }
    // Until the next frame is due on the application clock.
    int GetMillisecondsToDue() const override;
    // Frames presented since the start.
    unsigned long GetFrameCount() const { return myFrameCount; }
    // The 95th percentile of the time between presented frames, in whole
    // milliseconds of application time (0 before two frames).
    uint32_t GetFrameTimePercentile95() const;

protected:
    // Restarts the animation clock and the frame pacing at 0.
    void StartAnimationClock();
    // Steps the sprite animations to the animation clock's time; called once
    // per drawn frame, before the screen layer draws.
    void AdvanceAnimations();
    // True when the next frame is due; then moves the grid on. After a stall
    // longer than a frame the grid starts again from now rather than drawing
    // the missed frames in a burst.
    bool TakeFrame();
    // Counts a presented frame for the statistics.
    void CountFrame();
    // Writes one log line: frames drawn, seconds run (real time since the
    // start), frames per second and the 95th percentile frame time.
    void LogFrameRate(const std::string& taskName) const;

private:
    CTimer myAnimationClock;
    uint32_t myGridStart = 0;
    uint64_t myGridFrame = 1;  // the frame due next, counted from the grid start
    uint32_t myNextFrame = 0;
    uint32_t myLastFrame = 0;
    unsigned long myFrameCount = 0;
    // Frame times by whole milliseconds; the last bucket holds the longer ones.
    std::array<uint32_t, 256> myFrameTimes{};
    std::chrono::steady_clock::time_point myStartedAt;
};

}  // namespace vorn
