#include "vorn/tasks/CTaskGfx.h"

#include "vorn/gfx/CAnimationUpdator.h"

#include "vorn/utils/timer/CGlobalAppTimer.h"

namespace vorn {

CTaskGfx::CTaskGfx() : myAnimationClock(CGlobalAppTimer::GetSingleton()) {}

void CTaskGfx::AdvanceAnimations() {
    CAnimationUpdator::GetSingleton()->Update(myAnimationClock.GetTime());
}

}  // namespace vorn
