#include "vorn/utils/timer/CGlobalAppTimer.h"

#include "vorn/input/CEventBridge.h"
#include "vorn/input/IWindowListener.h"

namespace vorn {

class CGlobalAppTimer::CGlobalAppFocusHandler : public IWindowListener {
public:
    explicit CGlobalAppFocusHandler(CGlobalAppTimer* timer) : myTimer(timer) {}
    void OnFocus(bool gained) override {
        if (gained) {
            myTimer->Resume();
        } else {
            myTimer->Pause();
        }
    }

private:
    CGlobalAppTimer* myTimer;
};

CGlobalAppTimer::CGlobalAppTimer() : myFocusHandler(new CGlobalAppFocusHandler(this)) {
    CEventBridge::GetSingleton()->AddWindowListener(myFocusHandler.get());
}

CGlobalAppTimer::~CGlobalAppTimer() = default;

}  // namespace vorn
