#include "vorn/utils/string/StringUtils.h"

#include <cctype>

namespace vorn {

std::string Trim(const std::string& text, const char* what) {
    const size_t first = text.find_first_not_of(what);
    if (first == std::string::npos) return "";
    const size_t last = text.find_last_not_of(what);
    return text.substr(first, last - first + 1);
}

std::string ToUpper(const std::string& text) {
    std::string result(text);
    for (char& c : result)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return result;
}

std::string ToLower(const std::string& text) {
    std::string result(text);
    for (char& c : result)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return result;
}

namespace {

// Shared walk of the quote rule: calls matchAt(i) for each position outside
// quotes and returns the first position where it answers true.
template <class Match>
size_t FindOutside(const std::string& text, size_t from, Match matchAt) {
    // Where does the pairing stand at `from`? Quotes pair up from the start.
    bool inQuotes = false;
    size_t i = 0;
    for (; i < from && i < text.size(); ++i) {
        if (text[i] == '"') inQuotes = !inQuotes;
    }
    for (; i < text.size(); ++i) {
        if (text[i] == '"') {
            // A quote without a partner hides everything after it.
            if (!inQuotes && text.find('"', i + 1) == std::string::npos) return std::string::npos;
            inQuotes = !inQuotes;
            continue;
        }
        if (!inQuotes && matchAt(i)) return i;
    }
    return std::string::npos;
}

}  // namespace

size_t FindOutsideQuotes(const std::string& text, const std::string& needle, size_t from) {
    if (needle.empty()) return std::string::npos;
    return FindOutside(text, from,
                       [&](size_t i) { return text.compare(i, needle.size(), needle) == 0; });
}

size_t FindFirstOfOutsideQuotes(const std::string& text, const std::string& chars, size_t from) {
    return FindOutside(text, from,
                       [&](size_t i) { return chars.find(text[i]) != std::string::npos; });
}

namespace {

// Cuts text at each delimiter position that find(text, delimiter, from)
// reports; empty pieces are dropped.
template <class Find>
std::vector<std::string> SplitWith(const std::string& text, const std::string& delimiter,
                                   Find find) {
    std::vector<std::string> pieces;
    if (delimiter.empty()) {
        if (!text.empty()) pieces.push_back(text);
        return pieces;
    }
    size_t start = 0;
    while (true) {
        const size_t at = find(text, delimiter, start);
        const size_t end = at == std::string::npos ? text.size() : at;
        if (end > start) pieces.push_back(text.substr(start, end - start));
        if (at == std::string::npos) break;
        start = at + delimiter.size();
    }
    return pieces;
}

}  // namespace

std::vector<std::string> SplitOutsideQuotes(const std::string& text, const std::string& delimiter) {
    return SplitWith(text, delimiter, [](const std::string& t, const std::string& d, size_t from) {
        return FindOutsideQuotes(t, d, from);
    });
}

std::vector<std::string> Split(const std::string& text, const std::string& delimiter) {
    return SplitWith(text, delimiter, [](const std::string& t, const std::string& d, size_t from) {
        return t.find(d, from);
    });
}

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

bool EndsWith(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

std::string ReplaceAll(std::string text, const std::string& what, const std::string& with) {
    if (what.empty()) return text;
    size_t at = 0;
    while ((at = text.find(what, at)) != std::string::npos) {
        text.replace(at, what.size(), with);
        at += with.size();
    }
    return text;
}

}  // namespace vorn
