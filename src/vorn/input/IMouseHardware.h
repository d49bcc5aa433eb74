#pragma once

namespace vorn {

// The cursor as the window system shows it, implemented by the back end's
// event task. The back end registers itself with SetMouseHardware when it
// starts and leaves with ReleaseMouseHardware (or by being destroyed).
class IMouseHardware {
public:
    // Leaves the registry when it is the current hardware.
    virtual ~IMouseHardware();
    virtual void ShowCursor() = 0;
    virtual void HideCursor() = 0;
    // type: a CursorType, 0..9; the back end ignores others.
    virtual void SetCursor(int type) = 0;
    // True confines the pointer and keyboard to the window.
    virtual void GrabInput(bool grab) = 0;
};

// Stands in while no back end is registered: does nothing.
class CNullMouseHardware : public IMouseHardware {
public:
    void ShowCursor() override {}
    void HideCursor() override {}
    void SetCursor(int) override {}
    void GrabInput(bool) override {}
};

// Makes hardware (not owned; null for none) the one the mouse commands reach.
void SetMouseHardware(IMouseHardware* hardware);
// Unregisters hardware if it is the current one.
void ReleaseMouseHardware(IMouseHardware* hardware);
// The registered hardware, or the null one; never null.
IMouseHardware* GetMouseHardware();
bool HasMouseHardware();

}  // namespace vorn
