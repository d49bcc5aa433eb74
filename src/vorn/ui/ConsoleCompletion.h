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
// back to the previous other character) against names, ignoring case. The
// name comes out spelt as in names (consoles ignore case, so "debug::r"
// becomes "debug::RecordInput"); with several candidates, as far as they
// agree, spelt as the first of them. A line without such a name at the
// cursor, without candidates, or whose candidates agree on no more than was
// typed comes back unchanged.
CCompletion CompleteName(const std::string& line, size_t cursor,
                         const std::vector<std::string>& names);

// Where the name that ends at cursor starts (cursor itself when none does).
size_t NameStart(const std::string& line, size_t cursor);

// The names a line on console may start with: its commands and variables,
// spelt as they were added.
std::vector<std::string> GetConsoleNames(const CConsole& console);

// The instance names of the started tasks that can be reached by name
// ("name::line"), sorted.
std::vector<std::string> GetTaskNames();

}  // namespace vorn::ui
