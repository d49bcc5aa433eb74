#include "vorn/ui/ConsoleCompletion.h"

#include <algorithm>
#include <cctype>

#include "vorn/console/CConsole.h"
#include "vorn/utils/string/StringUtils.h"

namespace vorn::ui {

namespace {

bool IsNameCharacter(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

bool StartsWithIgnoringCase(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() &&
           ToUpper(text.substr(0, prefix.size())) == ToUpper(prefix);
}

// The longest start all candidates share, ignoring case.
size_t CommonLength(const std::vector<std::string>& candidates) {
    size_t length = candidates.front().size();
    for (const std::string& candidate : candidates) {
        size_t same = 0;
        while (same < length && same < candidate.size() &&
               std::toupper(static_cast<unsigned char>(candidate[same])) ==
                   std::toupper(static_cast<unsigned char>(candidates.front()[same])))
            ++same;
        length = same;
    }
    return length;
}

}  // namespace

CCompletion CompleteName(const std::string& line, size_t cursor,
                         const std::vector<std::string>& names) {
    CCompletion result;
    result.line = line;
    result.cursor = std::min(cursor, line.size());
    size_t start = result.cursor;
    while (start > 0 && IsNameCharacter(line[start - 1]))
        --start;
    const std::string typed = line.substr(start, result.cursor - start);
    if (typed.empty()) return result;

    for (const std::string& name : names)
        if (StartsWithIgnoringCase(name, typed)) result.candidates.push_back(name);
    std::sort(result.candidates.begin(), result.candidates.end());
    result.candidates.erase(std::unique(result.candidates.begin(), result.candidates.end()),
                            result.candidates.end());
    if (result.candidates.empty()) return result;

    // Names come as the console keeps them (capitals when it ignores case):
    // the added part is in small letters unless the typed part is all capitals.
    const bool small = std::any_of(typed.begin(), typed.end(), [](char c) {
        return std::islower(static_cast<unsigned char>(c));
    });
    std::string completion = result.candidates.front().substr(0, CommonLength(result.candidates));
    if (small) completion = ToLower(completion);
    // What was typed stays as typed; only the rest is added.
    completion = typed + completion.substr(std::min(typed.size(), completion.size()));
    result.line = line.substr(0, start) + completion + line.substr(result.cursor);
    result.cursor = start + completion.size();
    return result;
}

std::vector<std::string> GetConsoleNames(const CConsole& console) {
    std::vector<std::string> names;
    for (const auto& entry : console.GetCommands())
        names.push_back(entry.first);
    for (const auto& entry : console.GetVariables())
        names.push_back(entry.first);
    return names;
}

}  // namespace vorn::ui
