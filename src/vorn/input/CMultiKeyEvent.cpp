#include "vorn/input/CMultiKeyEvent.h"

#include "vorn/input/KeyNames.h"

namespace vorn {

bool CMultiKeyEvent::Fire(int key) {
    (void)key;
    if (!myState || myKeys.empty()) return false;
    for (int code : myKeys) {
        if (!IsValidKeyCode(code) || !myState[code]) return false;
    }
    return true;
}

}  // namespace vorn
