#include "vorn/utils/string/Utf8.h"

namespace vorn::utf8 {

namespace {

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

}  // namespace

uint32_t Decode(const std::string& text, size_t at, size_t* length) {
    const auto first = static_cast<unsigned char>(text[at]);
    *length = 1;
    if (first < 0x80) return first;
    size_t needed = 0;
    uint32_t code = 0;
    uint32_t lowest = 0;
    if ((first & 0xE0) == 0xC0) {
        needed = 1;
        code = first & 0x1F;
        lowest = 0x80;
    } else if ((first & 0xF0) == 0xE0) {
        needed = 2;
        code = first & 0x0F;
        lowest = 0x800;
    } else if ((first & 0xF8) == 0xF0) {
        needed = 3;
        code = first & 0x07;
        lowest = 0x10000;
    } else {
        return first;  // a continuation byte or 0xF8..0xFF on its own
    }
    if (at + needed >= text.size()) return first;
    for (size_t i = 1; i <= needed; ++i) {
        const auto byte = static_cast<unsigned char>(text[at + i]);
        if (!IsContinuation(byte)) return first;
        code = (code << 6) | (byte & 0x3F);
    }
    // Overlong forms, surrogates and values past Unicode are no characters.
    if (code < lowest || code > MAX_CODE_POINT || (code >= 0xD800 && code <= 0xDFFF)) return first;
    *length = needed + 1;
    return code;
}

std::string Encode(uint32_t code) {
    std::string bytes;
    if (code < 0x80) {
        bytes += char(code);
    } else if (code < 0x800) {
        bytes += char(0xC0 | (code >> 6));
        bytes += char(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        if (code >= 0xD800 && code <= 0xDFFF) return "";
        bytes += char(0xE0 | (code >> 12));
        bytes += char(0x80 | ((code >> 6) & 0x3F));
        bytes += char(0x80 | (code & 0x3F));
    } else if (code <= MAX_CODE_POINT) {
        bytes += char(0xF0 | (code >> 18));
        bytes += char(0x80 | ((code >> 12) & 0x3F));
        bytes += char(0x80 | ((code >> 6) & 0x3F));
        bytes += char(0x80 | (code & 0x3F));
    }
    return bytes;
}

size_t Next(const std::string& text, size_t at) {
    if (at >= text.size()) return text.size();
    size_t length = 1;
    Decode(text, at, &length);
    return at + length;
}

size_t Boundary(const std::string& text, size_t at) {
    if (at >= text.size()) return text.size();
    // Every byte that is no continuation byte starts a character: walk
    // forward from the last one at or before at.
    size_t start = at;
    while (start > 0 && IsContinuation(static_cast<unsigned char>(text[start])))
        --start;
    size_t boundary = start;
    for (size_t next = start; next <= at; next = Next(text, next))
        boundary = next;
    return boundary;
}

size_t Previous(const std::string& text, size_t at) {
    at = Boundary(text, at);
    return at == 0 ? 0 : Boundary(text, at - 1);
}

std::string Truncate(const std::string& text, size_t maxBytes) {
    if (text.size() <= maxBytes) return text;
    return text.substr(0, Boundary(text, maxBytes));
}

size_t Length(const std::string& text) {
    size_t count = 0;
    for (size_t at = 0; at < text.size(); at = Next(text, at))
        ++count;
    return count;
}

bool IsControl(uint32_t code) {
    return code < 32 || (code >= 127 && code < 160);
}

}  // namespace vorn::utf8
