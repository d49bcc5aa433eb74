#pragma once

namespace vorn::ui {

// The widgets' view of the keyboard. The UI task reports every key press and
// release to it before the key event reaches the widgets.
class IKeyboard {
public:
    virtual ~IKeyboard() = default;
    virtual void OnKeyPressed(int key) = 0;
    virtual void OnKeyReleased(int key) = 0;
};

}  // namespace vorn::ui
