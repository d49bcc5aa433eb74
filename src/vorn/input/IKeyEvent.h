#pragma once

#include <cstdint>

namespace vorn {

// Something that reacts to a key: a binding of one key or a combination, or a
// global listener that sees every key (CKeyboard). Bindings are shared through
// CSmartPtr<IKeyEvent>; global listeners are not owned by the keyboard, and
// the destructor takes them off it.
class IKeyEvent {
public:
    static constexpr int DEFAULT_PRIORITY = 10;

    virtual ~IKeyEvent();
    // The action; true when it did something.
    virtual bool Fire(int key) = 0;
    virtual bool ListensKeyUp() const { return false; }
    virtual bool ListensKeyDown() const { return true; }
    virtual bool OnKeyDown(int key) { return Fire(key); }
    virtual bool OnKeyUp(int key) { return Fire(key); }
    // Lower priorities are visited first.
    virtual int GetPriority() const { return myPriority; }
    // True ends the dispatch of the current key after this event.
    virtual bool StopsPropagation() const { return false; }
    virtual void SetPriority(int priority) { myPriority = priority; }
    // The keyboard's state array (KEY_COUNT bytes, 1 = down), or null when the
    // keyboard goes away. Only combinations use it.
    virtual void SetKeyboardState(const uint8_t* state) { (void)state; }

private:
    int myPriority = DEFAULT_PRIORITY;
};

}  // namespace vorn
