#include "vorn/tasks/sdl/SdlCursors.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace vorn::sdlcursors {

namespace {

// The pictures: a header (width, height, colours, characters per pixel), one
// line per colour, 32 rows of 32 pixels and the hot spot "x,y".
// ARROW
const char* const CURSOR_ARROW[] = {
    "    32    32        3            1",
    "X c #000000",
    ". c #ffffff",
    "  c None",
    "X                               ",
    "XX                              ",
    "X.X                             ",
    "X..X                            ",
    "X...X                           ",
    "X....X                          ",
    "X.....X                         ",
    "X......X                        ",
    "X.......X                       ",
    "X........X                      ",
    "X.....XXXX                      ",
    "X..X..X                         ",
    "X.X X..X                        ",
    "XX  X..X                        ",
    "X    X..X                       ",
    "     X..X                       ",
    "      X..X                      ",
    "      X..X                      ",
    "       XX                       ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "0,0",
};

// CROSS
const char* const CURSOR_CROSS[] = {
    "    32    32        3            1",
    "X c #000000",
    ". c #ffffff",
    "  c None",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "              ...               ",
    "              .X.               ",
    "              .X.               ",
    "              .X.               ",
    "              .X.               ",
    "              .X.               ",
    "              .X.               ",
    "              .X.               ",
    "              .X.               ",
    "              .X.               ",
    "    ...........X...........     ",
    "    .XXXXXXXXXXXXXXXXXXXXX.     ",
    "    ...........X...........     ",
    "              .X.               ",
    "              .X.               ",
    "              .X.               ",
    "              .X.               ",
    "              .X.               ",
    "              .X.               ",
    "              .X.               ",
    "              .X.               ",
    "              .X.               ",
    "              ...               ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "15,15",
};

// TEXT
const char* const CURSOR_TEXT[] = {
    "    32    32        3            1",
    "X c #000000",
    ". c #ffffff",
    "  c None",
    ".......                         ",
    ".XX.XX.                         ",
    "...X...                         ",
    "  .X.                           ",
    "  .X.                           ",
    "  .X.                           ",
    "  .X.                           ",
    "  .X.                           ",
    "  .X.                           ",
    "  .X.                           ",
    "  .X.                           ",
    "  .X.                           ",
    "  .X.                           ",
    "...X...                         ",
    ".XX.XX.                         ",
    ".......                         ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "3,7",
};

// HAND
const char* const CURSOR_HAND[] = {
    "    32    32        3            1",
    "X c #000000",
    ". c #ffffff",
    "  c None",
    "     XX                         ",
    "    X..X                        ",
    "    X..X                        ",
    "    X..X                        ",
    "    X..X                        ",
    "    X..XXX                      ",
    "    X..X..XXX                   ",
    "    X..X..X..XX                 ",
    " XX X..X..X..X.X                ",
    "X..XX........X..X               ",
    "X...X...........X               ",
    " X..............X               ",
    "  X.............X               ",
    "  X.............X               ",
    "   X...........X                ",
    "   X...........X                ",
    "    X.........X                 ",
    "    X.........X                 ",
    "     X.......X                  ",
    "     X.......X                  ",
    "     XXXXXXXXX                  ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "5,0",
};

// HOURGLASS
const char* const CURSOR_HOURGLASS[] = {
    "    32    32        3            1",
    "X c #000000",
    ". c #ffffff",
    "  c None",
    "XXXXXXXXXXXXX                   ",
    "X...........X                   ",
    "XXXXXXXXXXXXX                   ",
    " X.........X                    ",
    " X.........X                    ",
    " X.XXXXXXX.X                    ",
    " X..XXXXX..X                    ",
    "  X..XXX..X                     ",
    "   X..X..X                      ",
    "    X.X.X                       ",
    "     X.X                        ",
    "     X.X                        ",
    "    X.X.X                       ",
    "   X..X..X                      ",
    "  X...X...X                     ",
    " X....X....X                    ",
    " X...XXX...X                    ",
    " X..XXXXX..X                    ",
    " X.XXXXXXX.X                    ",
    "XXXXXXXXXXXXX                   ",
    "X...........X                   ",
    "XXXXXXXXXXXXX                   ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "0,0",
};

// SIZE_WE
const char* const CURSOR_SIZE_WE[] = {
    "    32    32        3            1",
    "X c #000000",
    ". c #ffffff",
    "  c None",
    "    X           X               ",
    "   XX           XX              ",
    "  X.X           X.X             ",
    " X..XXXXXXXXXXXXX..X            ",
    "X...................X           ",
    " X..XXXXXXXXXXXXX..X            ",
    "  X.X           X.X             ",
    "   XX           XX              ",
    "    X           X               ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "10,4",
};

// SIZE_NS
const char* const CURSOR_SIZE_NS[] = {
    "    32    32        3            1",
    "X c #000000",
    ". c #ffffff",
    "  c None",
    "      X                         ",
    "     X.X                        ",
    "    X...X                       ",
    "   X.....X                      ",
    "  X.......X                     ",
    " XXXX...XXXX                    ",
    "    X...X                       ",
    "    X...X                       ",
    "    X...X                       ",
    "    X...X                       ",
    "    X...X                       ",
    "    X...X                       ",
    "    X...X                       ",
    "    X...X                       ",
    "    X...X                       ",
    " XXXX...XXXX                    ",
    "  X.......X                     ",
    "   X.....X                      ",
    "    X...X                       ",
    "     X.X                        ",
    "      X                         ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "6,9",
};

// SIZE_NWSE
const char* const CURSOR_SIZE_NWSE[] = {
    "    32    32        3            1",
    "X c #000000",
    ". c #ffffff",
    "  c None",
    "XXXXXXX                         ",
    "X....X                          ",
    "X...X                           ",
    "X...X                           ",
    "X.XX.X                          ",
    "XX  X.X                         ",
    "X    X.X                        ",
    "      X.X                       ",
    "       X.X    X                 ",
    "        X.X  XX                 ",
    "         X.XX.X                 ",
    "          X...X                 ",
    "          X...X                 ",
    "         X....X                 ",
    "        XXXXXXX                 ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "6,7",
};

// SIZE_NESW
const char* const CURSOR_SIZE_NESW[] = {
    "    32    32        3            1",
    "X c #000000",
    ". c #ffffff",
    "  c None",
    "        XXXXXXX                 ",
    "         X....X                 ",
    "          X...X                 ",
    "          X...X                 ",
    "         X.XX.X                 ",
    "        X.X  XX                 ",
    "       X.X    X                 ",
    "      X.X                       ",
    "X    X.X                        ",
    "XX  X.X                         ",
    "X.XX.X                          ",
    "X...X                           ",
    "X...X                           ",
    "X....X                          ",
    "XXXXXXX                         ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "6,7",
};
const char* const* const PICTURES[CURSOR_TYPE_COUNT] = {
    nullptr,          CURSOR_ARROW,   CURSOR_CROSS,   CURSOR_TEXT,      CURSOR_HAND,
    CURSOR_HOURGLASS, CURSOR_SIZE_WE, CURSOR_SIZE_NS, CURSOR_SIZE_NWSE, CURSOR_SIZE_NESW,
};

enum class Paint { Black, White, Transparent };

}  // namespace

const char* const* GetPicture(int type) {
    if (type < 0 || type >= CURSOR_TYPE_COUNT) return nullptr;
    return PICTURES[type];
}

bool ParsePicture(const char* const* picture, CCursorBits& bits) {
    if (!picture) return false;
    int width = 0, height = 0, colours = 0, perPixel = 0;
    if (std::sscanf(picture[0], "%d %d %d %d", &width, &height, &colours, &perPixel) != 4 ||
        width != CURSOR_SIZE || height != CURSOR_SIZE || colours < 1 || colours > 3 ||
        perPixel != 1)
        return false;
    // Colour lines: a character, then " c " and the colour.
    Paint paints[256];
    for (Paint& paint : paints)
        paint = Paint::Transparent;
    for (int i = 0; i < colours; ++i) {
        const char* line = picture[1 + i];
        if (std::strlen(line) < 5 || std::strncmp(line + 1, " c ", 3) != 0) return false;
        const std::string value = line + 4;
        const unsigned char key = static_cast<unsigned char>(line[0]);
        if (value == "#000000")
            paints[key] = Paint::Black;
        else if (value == "#ffffff")
            paints[key] = Paint::White;
        else if (value == "None")
            paints[key] = Paint::Transparent;
        else
            return false;
    }
    // Rows, most significant bit first: black sets data and mask, white the
    // mask only, transparent neither.
    bits = CCursorBits();
    const char* const* rows = picture + 1 + colours;
    for (int y = 0; y < CURSOR_SIZE; ++y) {
        if (std::strlen(rows[y]) != static_cast<size_t>(CURSOR_SIZE)) return false;
        for (int x = 0; x < CURSOR_SIZE; ++x) {
            const Paint paint = paints[static_cast<unsigned char>(rows[y][x])];
            const int byte = y * (CURSOR_SIZE / 8) + x / 8;
            const uint8_t bit = static_cast<uint8_t>(0x80 >> (x % 8));
            if (paint == Paint::Black) {
                bits.data[byte] |= bit;
                bits.mask[byte] |= bit;
            } else if (paint == Paint::White) {
                bits.mask[byte] |= bit;
            }
        }
    }
    if (std::sscanf(rows[CURSOR_SIZE], "%d,%d", &bits.hotX, &bits.hotY) != 2 || bits.hotX < 0 ||
        bits.hotY < 0 || bits.hotX >= CURSOR_SIZE || bits.hotY >= CURSOR_SIZE)
        return false;
    return true;
}

SDL_Cursor* CreateCursor(int type) {
    CCursorBits bits;
    if (!ParsePicture(GetPicture(type), bits)) return nullptr;
    return SDL_CreateCursor(bits.data, bits.mask, CURSOR_SIZE, CURSOR_SIZE, bits.hotX, bits.hotY);
}

}  // namespace vorn::sdlcursors
