#pragma once

#include <cstdint>

#include "vorn/utils/smartptr/CSmartPtr.h"
#include "vorn/utils/timer/IGlobalTimerImpl.h"

namespace vorn {

// The time source during input playback: it reports a time that only the
// player moves forward. When the player lets go (RunFree) it follows the real
// source again from where it stands, so the engine's time never jumps back.
class CPlaybackTimer : public IGlobalTimerImpl {
public:
    // Starts at the real source's current ticks.
    explicit CPlaybackTimer(const CSmartPtr<IGlobalTimerImpl>& realSource);

    uint32_t GetTicks() override;
    // Moves the reported time forward by ms (no effect once free).
    void Advance(uint32_t ms);
    // From now on the real ticks, shifted to continue from the current time.
    void RunFree();
    bool IsRunningFree() const { return myFree; }

private:
    uint32_t RealTicks() const { return myRealSource ? myRealSource->GetTicks() : 0; }

    CSmartPtr<IGlobalTimerImpl> myRealSource;
    uint32_t myTime;
    uint32_t myOffset = 0;
    bool myFree = false;
};

}  // namespace vorn
