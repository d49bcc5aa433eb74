#pragma once

#include <memory>

#include "vorn/designpatterns/singleton/CSingleton.h"
#include "vorn/utils/timer/CTimer.h"

namespace vorn {

// The application clock: a timer on the global time that stands still while
// the window has no focus. Timers whose parent it is freeze with it.
class CGlobalAppTimer : public CTimer, public CSingleton<CGlobalAppTimer> {
public:
    ~CGlobalAppTimer() override;

private:
    friend class CStaticSingleton<CGlobalAppTimer>;
    CGlobalAppTimer();

    class CGlobalAppFocusHandler;
    std::unique_ptr<CGlobalAppFocusHandler> myFocusHandler;
};

}  // namespace vorn
