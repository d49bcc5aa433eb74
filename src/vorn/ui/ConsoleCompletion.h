#pragma once

#include <string>
#include <vector>

namespace vorn {
class CConsole;
}

namespace vorn::ui {

// Completion of command and variable names in a console line (the Tab key of
// the developer console).
struct CCompletion {
    // The line with the name completed as far as the candidates agree.
    std::string line;
    // Where the cursor goes: after the completed name.
    size_t cursor = 0;
    // Every name that starts with what was typed, sorted; one when the name
    // was completed in full.
    std::vector<std::string> candidates;
};

// Completes the name that ends at cursor in line (letters, digits and "_"
// back to the previous other character) against names, ignoring case. What
// was typed stays as it is; the part added is in small letters unless the
// typed part has no small letter. A line without such a name at the cursor,
// or without candidates, comes back unchanged.
CCompletion CompleteName(const std::string& line, size_t cursor,
                         const std::vector<std::string>& names);

// The names a line on console may start with: its commands and variables.
std::vector<std::string> GetConsoleNames(const CConsole& console);

}  // namespace vorn::ui
