#pragma once

#include <cstdint>

#include "vorn/utils/smartptr/CSmartPtr.h"
#include "vorn/utils/timer/IGlobalTimerImpl.h"

namespace vorn {

// Time source on SDL's millisecond timer. It starts SDL's tick counter itself,
// so readings are right before any window exists and do not jump when the
// video subsystem starts later.
class CGlobalTimerImplTimeH : public IGlobalTimerImpl {
public:
    CGlobalTimerImplTimeH();
    uint32_t GetTicks() override;
};

// Installs a new time source; the previous one is released. Null uninstalls.
void SetTimeSource(const CSmartPtr<IGlobalTimerImpl>& source);
CSmartPtr<IGlobalTimerImpl> GetTimeSource();

// Milliseconds of the current source; the SDL source is installed on first use.
uint32_t GetGlobalTime();

}  // namespace vorn
