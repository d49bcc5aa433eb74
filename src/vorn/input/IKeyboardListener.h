#pragma once

#include <cstdint>
#include <string>

namespace vorn {

// Key events from the event bridge. Key codes are SDL 1.2 key symbols (0..322).
// The character of the event (1..127, else 0) and the text it types (UTF-8,
// any character; empty when none) are stored before each call.
// The destructor unregisters the listener.
class IKeyboardListener {
public:
    virtual ~IKeyboardListener();
    virtual void OnKeyDown(int key) = 0;
    virtual void OnKeyUp(int key) = 0;
    virtual void SetCharacter(uint8_t character) { myCharacter = character; }
    virtual uint8_t GetCharacter() const { return myCharacter; }
    void SetTypedText(const std::string& text) { myTypedText = text; }
    const std::string& GetTypedText() const { return myTypedText; }

private:
    uint8_t myCharacter = 0;
    std::string myTypedText;
};

}  // namespace vorn
