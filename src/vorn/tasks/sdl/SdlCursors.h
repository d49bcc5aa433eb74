#pragma once

#include <SDL.h>

#include <cstdint>

// The built-in mouse cursor pictures of the SDL back end, 32 x 32 pixels in
// black, white and transparent, kept as text:
//
//   "    32    32        3            1"     width, height, colours, chars per pixel
//   "X c #000000"                            black
//   ". c #ffffff"                            white
//   "  c None"                               transparent
//   32 rows of 32 characters
//   "x,y"                                    the hot spot
namespace vorn::sdlcursors {

constexpr int CURSOR_SIZE = 32;
// Types 1..9 have pictures (see IMouseHardware); 0 has none.
constexpr int CURSOR_TYPE_COUNT = 10;

// A picture as SDL_CreateCursor takes it: 4 bytes a row, most significant
// bit first, for the data and the mask.
struct CCursorBits {
    uint8_t data[CURSOR_SIZE * CURSOR_SIZE / 8] = {};
    uint8_t mask[CURSOR_SIZE * CURSOR_SIZE / 8] = {};
    int hotX = 0;
    int hotY = 0;
};

// The picture of a cursor type; null for 0 and types out of range.
const char* const* GetPicture(int type);
// False for a malformed picture.
bool ParsePicture(const char* const* picture, CCursorBits& bits);
// A new SDL cursor of that type (the caller frees it); null when there is none.
SDL_Cursor* CreateCursor(int type);

}  // namespace vorn::sdlcursors
