#pragma once

#include "vorn/ui/IKeyboard.h"

namespace vorn::ui {

// The widgets' view of the keyboard. It has nothing to keep yet: the keys
// reach the widgets as events; the view is where keyboard state for widgets
// would go.
class CVornToUiKeyboard : public IKeyboard {
public:
    void OnKeyPressed(int key) override { (void)key; }
    void OnKeyReleased(int key) override { (void)key; }
};

}  // namespace vorn::ui
