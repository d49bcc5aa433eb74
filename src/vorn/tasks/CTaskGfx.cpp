#include "vorn/tasks/CTaskGfx.h"

#include <algorithm>
#include <cstdio>

#include "vorn/console/CLog.h"
#include "vorn/gfx/CAnimationUpdator.h"
#include "vorn/utils/timer/CGlobalAppTimer.h"

namespace vorn {

namespace {

// When frame number frame of a grid started at start is due (ms).
uint32_t FrameDue(uint32_t start, uint64_t frame) {
    return start + uint32_t(frame * 1000 / CTaskGfx::FRAMES_PER_SECOND);
}

}  // namespace

CTaskGfx::CTaskGfx() : myAnimationClock(CGlobalAppTimer::GetSingleton()) {}

void CTaskGfx::StartAnimationClock() {
    myAnimationClock.Reset();
    myGridStart = 0;
    myGridFrame = 1;
    myNextFrame = FrameDue(myGridStart, myGridFrame);
    myLastFrame = 0;
    myFrameCount = 0;
    myFrameTimes.fill(0);
    myStartedAt = std::chrono::steady_clock::now();
}

void CTaskGfx::AdvanceAnimations() {
    CAnimationUpdator::GetSingleton()->Update(myAnimationClock.GetTime());
}

int CTaskGfx::GetMillisecondsToDue() const {
    const int32_t left = static_cast<int32_t>(myNextFrame - myAnimationClock.GetTime());
    return left > 0 ? left : 0;
}

bool CTaskGfx::TakeFrame() {
    const uint32_t now = myAnimationClock.GetTime();
    if (static_cast<int32_t>(now - myNextFrame) < 0) return false;
    myNextFrame = FrameDue(myGridStart, ++myGridFrame);
    if (static_cast<int32_t>(now - myNextFrame) >= 0) {
        // A frame or more behind: start the grid again from this frame.
        myGridStart = now;
        myGridFrame = 1;
        myNextFrame = FrameDue(myGridStart, myGridFrame);
    }
    return true;
}

void CTaskGfx::CountFrame() {
    const uint32_t now = myAnimationClock.GetTime();
    if (myFrameCount > 0) ++myFrameTimes[std::min<uint32_t>(now - myLastFrame, 255)];
    ++myFrameCount;
    myLastFrame = now;
}

uint32_t CTaskGfx::GetFrameTimePercentile95() const {
    uint64_t total = 0;
    for (uint32_t count : myFrameTimes)
        total += count;
    if (total == 0) return 0;
    const uint64_t rank = (total * 95 + 99) / 100;  // the smallest covering 95 %
    uint64_t seen = 0;
    for (uint32_t ms = 0; ms < myFrameTimes.size(); ++ms) {
        seen += myFrameTimes[ms];
        if (seen >= rank) return ms;
    }
    return uint32_t(myFrameTimes.size() - 1);
}

void CTaskGfx::LogFrameRate(const std::string& taskName) const {
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - myStartedAt).count();
    char line[200];
    std::snprintf(line, sizeof(line),
                  "%s drew %lu frames in %.1f seconds: %.1f frames per second, frame time p95 "
                  "%u ms\n",
                  taskName.c_str(), myFrameCount, seconds,
                  seconds > 0.0 ? myFrameCount / seconds : 0.0, GetFrameTimePercentile95());
    CLog::GetSingleton()->Write(line);
}

}  // namespace vorn
