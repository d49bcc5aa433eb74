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

// The quote rule in one left-to-right walk. Quotes pair up from the start of
// the text; an opening quote has a partner exactly when another quote follows
// it, so the position of the last quote answers that for every quote at once.
// Every search and split is therefore linear in the length of the text.
class CQuoteWalk {
public:
    explicit CQuoteWalk(const std::string& text) : myText(text), myLastQuote(text.rfind('"')) {}

    // Advances the pairing state over text[myPos, to).
    void SkipTo(size_t to) {
        for (; myPos < to && myPos < myText.size(); ++myPos)
            if (myText[myPos] == '"') myInQuotes = !myInQuotes;
    }

    // First position at or after the current one, outside quotes, where
    // matchAt answers true; npos when none. The walk stands there afterwards.
    template <class Match>
    size_t Next(Match matchAt) {
        for (; myPos < myText.size(); ++myPos) {
            if (myText[myPos] == '"') {
                // A quote without a partner hides everything after it.
                if (!myInQuotes && (myLastQuote == std::string::npos || myPos >= myLastQuote)) {
                    myPos = myText.size();
                    return std::string::npos;
                }
                myInQuotes = !myInQuotes;
                continue;
            }
            if (!myInQuotes && matchAt(myPos)) return myPos;
        }
        return std::string::npos;
    }

private:
    const std::string& myText;
    const size_t myLastQuote;
    size_t myPos = 0;
    bool myInQuotes = false;
};

}  // namespace

size_t FindOutsideQuotes(const std::string& text, const std::string& needle, size_t from) {
    if (needle.empty()) return std::string::npos;
    CQuoteWalk walk(text);
    walk.SkipTo(from);
    return walk.Next([&](size_t i) { return text.compare(i, needle.size(), needle) == 0; });
}

size_t FindFirstOfOutsideQuotes(const std::string& text, const std::string& chars, size_t from) {
    CQuoteWalk walk(text);
    walk.SkipTo(from);
    return walk.Next([&](size_t i) { return chars.find(text[i]) != std::string::npos; });
}

std::vector<std::string> SplitOutsideQuotes(const std::string& text, const std::string& delimiter) {
    std::vector<std::string> pieces;
    if (delimiter.empty()) {
        if (!text.empty()) pieces.push_back(text);
        return pieces;
    }
    // One walk over the whole text: the pairing state is carried from one
    // delimiter to the next instead of being worked out again from the start.
    CQuoteWalk walk(text);
    auto isDelimiter = [&](size_t i) { return text.compare(i, delimiter.size(), delimiter) == 0; };
    size_t start = 0;
    while (true) {
        const size_t at = walk.Next(isDelimiter);
        const size_t end = at == std::string::npos ? text.size() : at;
        if (end > start) pieces.push_back(text.substr(start, end - start));
        if (at == std::string::npos) break;
        start = at + delimiter.size();
        walk.SkipTo(start);
    }
    return pieces;
}

std::vector<std::string> Split(const std::string& text, const std::string& delimiter) {
    std::vector<std::string> pieces;
    if (delimiter.empty()) {
        if (!text.empty()) pieces.push_back(text);
        return pieces;
    }
    size_t start = 0;
    while (true) {
        const size_t at = text.find(delimiter, start);
        const size_t end = at == std::string::npos ? text.size() : at;
        if (end > start) pieces.push_back(text.substr(start, end - start));
        if (at == std::string::npos) break;
        start = at + delimiter.size();
    }
    return pieces;
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
