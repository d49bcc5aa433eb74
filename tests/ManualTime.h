#pragma once

#include "vorn/utils/smartptr/CSmartPtr.h"
#include "vorn/utils/timer/GlobalTime.h"
#include "vorn/utils/timer/IGlobalTimerImpl.h"

namespace testing_support {

// A time source whose milliseconds the test sets by hand.
class CManualTime : public vorn::IGlobalTimerImpl {
public:
    explicit CManualTime(uint32_t start = 1000) : now(start) {}
    uint32_t GetTicks() override { return now; }
    uint32_t now;
};

// Installs a manual time source for the life of the object, then puts the
// previous source back.
class CScopedManualTime {
public:
    explicit CScopedManualTime(uint32_t start = 1000)
        : myPrevious(vorn::GetTimeSource()), myTime(new CManualTime(start)) {
        vorn::SetTimeSource(vorn::CSmartPtr<vorn::IGlobalTimerImpl>(myTime));
    }
    ~CScopedManualTime() { vorn::SetTimeSource(myPrevious); }
    CManualTime* operator->() { return myTime; }
    CManualTime* Get() { return myTime; }

private:
    vorn::CSmartPtr<vorn::IGlobalTimerImpl> myPrevious;
    CManualTime* myTime;
};

}  // namespace testing_support
