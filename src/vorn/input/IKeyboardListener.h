#pragma once

#include <cstdint>

namespace vorn {

// Key events from the event bridge. Key codes are SDL 1.2 key symbols (0..322).
// The character of the event (1..127, else 0) is stored before each call.
// The destructor unregisters the listener.
class IKeyboardListener {
public:
    virtual ~IKeyboardListener();
    virtual void OnKeyDown(int key) = 0;
    virtual void OnKeyUp(int key) = 0;
    virtual void SetCharacter(uint8_t character) { myCharacter = character; }
    virtual uint8_t GetCharacter() const { return myCharacter; }

private:
    uint8_t myCharacter = 0;
};

}  // namespace vorn
