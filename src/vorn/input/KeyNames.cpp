#include "vorn/input/KeyNames.h"

#include <array>
#include <unordered_map>

namespace vorn {

namespace {

struct CKeyNameTable {
    std::array<std::string, KEY_COUNT> names;
    std::unordered_map<std::string, int> codes;

    CKeyNameTable() {
        const std::pair<int, const char*> named[] = {
            {8, "backspace"}, {9, "tab"},     {12, "clear"},  {13, "return"},
            {19, "pause"},    {27, "escape"}, {32, "space"},  {96, "backquote"},
            {127, "delete"},  {270, "[+]"},   {271, "enter"}, {272, "equals"},
        };
        for (const auto& [code, name] : named)
            Add(code, name);
        // Printable characters name themselves (no name for '%').
        for (char c : std::string("!\"#$&'()*+,-./0123456789:;<=>?@[\\]^_"))
            Add(static_cast<unsigned char>(c), std::string(1, c));
        for (char c = 'a'; c <= 'z'; ++c)
            Add(c, std::string(1, c));
        for (int n = 0; n <= 95; ++n)
            Add(160 + n, "world_" + std::to_string(n));
        for (int n = 0; n <= 9; ++n)
            Add(256 + n, "[" + std::to_string(n) + "]");
        Add(266, "[.]");
        Add(267, "[/]");
        Add(268, "[*]");
        Add(269, "[-]");
        const char* navigation[] = {"up",   "down", "right",   "left",     "insert",
                                    "home", "end",  "page_up", "page_down"};
        for (int n = 0; n < 9; ++n)
            Add(273 + n, navigation[n]);
        for (int n = 1; n <= 15; ++n)
            Add(281 + n, "f" + std::to_string(n));
        const char* modifiers[] = {
            "numlock",     "caps_lock", "scroll_lock", "right_shift", "left_shift",   "right_ctrl",
            "left_ctrl",   "right_alt", "left_alt",    "right_meta",  "left_meta",    "left_super",
            "right_super", "alt_gr",    "compose",     "help",        "print_screen", "sys_req",
            "break",       "menu",      "power",       "euro",        "undo"};
        for (int n = 0; n < 23; ++n)
            Add(300 + n, modifiers[n]);
    }

    void Add(int code, const std::string& name) {
        names[code] = name;
        codes.emplace(name, code);
    }
};

const CKeyNameTable& Table() {
    static const CKeyNameTable table;
    return table;
}

}  // namespace

int GetKeyCode(const std::string& name) {
    const auto& codes = Table().codes;
    auto it = codes.find(name);
    return it == codes.end() ? 0 : it->second;
}

bool IsKeyName(const std::string& name) {
    return Table().codes.count(name) != 0;
}

std::string GetKeyName(int key) {
    return IsValidKeyCode(key) ? Table().names[key] : std::string();
}

}  // namespace vorn
