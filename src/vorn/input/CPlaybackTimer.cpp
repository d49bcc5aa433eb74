#include "vorn/input/CPlaybackTimer.h"

namespace vorn {

CPlaybackTimer::CPlaybackTimer(const CSmartPtr<IGlobalTimerImpl>& realSource)
    : myRealSource(realSource), myTime(RealTicks()) {}

uint32_t CPlaybackTimer::GetTicks() {
    // Unsigned arithmetic wraps like every engine time.
    return myFree ? RealTicks() + myOffset : myTime;
}

void CPlaybackTimer::Advance(uint32_t ms) {
    if (!myFree) myTime += ms;
}

void CPlaybackTimer::RunFree() {
    if (myFree) return;
    myOffset = myTime - RealTicks();
    myFree = true;
}

}  // namespace vorn
