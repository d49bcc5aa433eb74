#pragma once

#include <vector>

#include "vorn/input/IKeyEvent.h"

namespace vorn {

// A combination of keys: fires only while every key of it is down, read from
// the keyboard's state array. Bound under each of its keys, so it is tried
// whenever one of them goes down.
class CMultiKeyEvent : public IKeyEvent {
public:
    explicit CMultiKeyEvent(std::vector<int> keys) : myKeys(std::move(keys)) {}

    // True when the state is known and every key is a valid code that is down.
    bool Fire(int key) override;
    void SetKeyboardState(const uint8_t* state) override { myState = state; }
    const std::vector<int>& GetKeys() const { return myKeys; }

private:
    std::vector<int> myKeys;
    const uint8_t* myState = nullptr;
};

}  // namespace vorn
