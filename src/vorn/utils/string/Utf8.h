#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// UTF-8, the encoding of typed text, console lines, the console history and
// the text drawn by fonts.
//
// Decoding is forgiving so that older Latin-1 text keeps drawing as it did: a
// byte that does not begin a well-formed UTF-8 sequence (a stray continuation
// byte, a truncated or overlong sequence, an encoded surrogate) stands for
// itself, as the Latin-1 character of that code.
namespace vorn::utf8 {

// Code points above this are not characters.
constexpr uint32_t MAX_CODE_POINT = 0x10FFFF;

// The character that starts at text[at] (at must be below text.size());
// *length receives the number of bytes it takes (at least 1).
uint32_t Decode(const std::string& text, size_t at, size_t* length);

// The UTF-8 bytes of code; "" for surrogates and values above MAX_CODE_POINT.
std::string Encode(uint32_t code);

// Where the character after the one at `at` starts (text.size() at the end).
size_t Next(const std::string& text, size_t at);
// Where the character before `at` starts (0 at the start).
size_t Previous(const std::string& text, size_t at);
// at moved back to the start of the character it lies in, and into the text.
size_t Boundary(const std::string& text, size_t at);

// The longest start of text of at most maxBytes bytes that ends between
// characters.
std::string Truncate(const std::string& text, size_t maxBytes);

// The number of characters.
size_t Length(const std::string& text);

// True for C0 and C1 control characters and DEL, which have no glyph and no
// place in a typed line.
bool IsControl(uint32_t code);

}  // namespace vorn::utf8
