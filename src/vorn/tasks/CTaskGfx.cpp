#include "vorn/tasks/CTaskGfx.h"

#include "vorn/utils/timer/CGlobalAppTimer.h"

namespace vorn {

CTaskGfx::CTaskGfx() : myAnimationClock(CGlobalAppTimer::GetSingleton()) {}

void CTaskGfx::AdvanceAnimations() {
    // The animation updater joins here: it is stepped with
    // myAnimationClock.GetTime() once it exists.
}

}  // namespace vorn
