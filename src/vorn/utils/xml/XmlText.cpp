#include "vorn/utils/xml/XmlText.h"

#include <cstring>

namespace vorn {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// Appends the escape of c shared by text and attributes; false when c needs none.
bool AppendCommonEscape(char c, std::string& out) {
    switch (c) {
        case '&':
            out += "&amp;";
            return true;
        case '<':
            out += "&lt;";
            return true;
        case '>':
            out += "&gt;";
            return true;
        case '\n':
            out += "&#10;";
            return true;
        case '\r':
            out += "&#13;";
            return true;
        default:
            return false;
    }
}

void AppendUtf8(unsigned long code, std::string& out) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// Decodes the entity name between "&" and ";"; false when it is not one we know.
bool DecodeEntity(const std::string& name, std::string& out) {
    if (name == "lt")
        return out += '<', true;
    if (name == "gt")
        return out += '>', true;
    if (name == "amp")
        return out += '&', true;
    if (name == "apos")
        return out += '\'', true;
    if (name == "quot")
        return out += '"', true;
    if (name.size() < 2 || name[0] != '#')
        return false;
    const bool hex = name[1] == 'x' || name[1] == 'X';
    const size_t first = hex ? 2 : 1;
    const size_t maxDigits = hex ? 6 : 7;
    if (name.size() <= first || name.size() - first > maxDigits)
        return false;
    unsigned long code = 0;
    for (size_t i = first; i < name.size(); ++i) {
        const char c = name[i];
        int digit = -1;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (hex && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (hex && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        if (digit < 0)
            return false;
        code = code * (hex ? 16 : 10) + static_cast<unsigned long>(digit);
    }
    if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return false;
    AppendUtf8(code, out);
    return true;
}

}  // namespace

std::string XmlEscapeText(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (AppendCommonEscape(c, out))
            continue;
        // Only the outermost blanks need protecting from the reader's trim.
        if (IsBlank(c) && (i == 0 || i + 1 == text.size())) {
            out += c == ' ' ? "&#32;" : "&#9;";
            continue;
        }
        out += c;
    }
    return out;
}

std::string XmlEscapeAttribute(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (AppendCommonEscape(c, out))
            continue;
        if (c == '"') {
            out += "&quot;";
            continue;
        }
        out += c;
    }
    return out;
}

std::string XmlDecodeEntities(const std::string& text) {
    if (text.find('&') == std::string::npos)
        return text;
    // Longest entity we know: "&#1114111;" has 8 characters between & and ;.
    const size_t maxNameLength = 8;
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c != '&') {
            out += c;
            ++i;
            continue;
        }
        // Look for ";" only a few characters ahead, so text full of "&" stays linear.
        size_t end = i + 1;
        while (end < text.size() && end - i - 1 <= maxNameLength && text[end] != ';')
            ++end;
        if (end < text.size() && text[end] == ';' &&
            DecodeEntity(text.substr(i + 1, end - i - 1), out)) {
            i = end + 1;
            continue;
        }
        out += c;
        ++i;
    }
    return out;
}

std::string XmlPrintable(const std::string& text, size_t maxLength) {
    const bool cut = text.size() > maxLength;
    std::string out = cut ? text.substr(0, maxLength) : text;
    for (char& c : out) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = '?';
    }
    if (cut)
        out += "...";
    return out;
}

}  // namespace vorn
