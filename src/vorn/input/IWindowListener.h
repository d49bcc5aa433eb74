#pragma once

namespace vorn {

// Window events from the event bridge. Registered with
// CEventBridge::AddWindowListener; the destructor unregisters it.
class IWindowListener {
public:
    virtual ~IWindowListener();
    virtual void OnResize(int width, int height) { (void)width, (void)height; }
    // gained: true when the window got the input focus, false when it lost it.
    virtual void OnFocus(bool gained) = 0;
};

}  // namespace vorn
