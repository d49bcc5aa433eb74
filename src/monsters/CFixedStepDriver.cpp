#include "monsters/CFixedStepDriver.h"

#include "vorn/utils/timer/CGlobalAppTimer.h"

namespace monsters {

CFixedStepDriver::CFixedStepDriver(IWinOrLoseInterface* receiver)
    : CFixedStepDriver(receiver, vorn::CGlobalAppTimer::GetSingleton()) {}

CFixedStepDriver::CFixedStepDriver(IWinOrLoseInterface* receiver, const vorn::CTimer* clock)
    : myTimer(clock), myPhysics(receiver) {}

int CFixedStepDriver::Update() {
    if (myTimer.IsPaused()) return 0;
    int steps = 0;
    while (myTimer.GetTime() > static_cast<uint32_t>(myStepMs) && steps < myMaxSteps) {
        myTimer -= static_cast<uint32_t>(myStepMs);
        ++steps;
        myPhysics.Step();
    }
    myLagging = steps == myMaxSteps;
    if (myLagging) myTimer.Reset();
    return steps;
}

}  // namespace monsters
