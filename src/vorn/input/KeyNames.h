#pragma once

#include <string>

namespace vorn {

// Key codes are SDL 1.2 key symbols: 0..322. KEY_NONE stands for no key.
constexpr int KEY_COUNT = 323;
constexpr int KEY_NONE = 323;

inline bool IsValidKeyCode(int key) {
    return key >= 0 && key < KEY_COUNT;
}

// The code of a key name as used by "bind" ("a", "f1", "left_ctrl", "[5]",
// "world_7", ...); matched exactly, so "A" is unknown. Unknown names give 0.
int GetKeyCode(const std::string& name);
// True when the name is one of the key names.
bool IsKeyName(const std::string& name);
// The name of a key code; "" for codes without a name or out of range.
std::string GetKeyName(int key);

}  // namespace vorn
