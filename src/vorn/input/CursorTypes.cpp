#include "vorn/input/CursorTypes.h"

namespace vorn {

namespace {

const char* const CURSOR_NAMES[CURSOR_TYPE_COUNT] = {
    "cursor_none",
    "cursor_arrow",
    "cursor_cross",
    "cursor_text",
    "cursor_hand",
    "cursor_busy",
    "cursor_resize_horizontal",
    "cursor_resize_vertical",
    "cursor_resize_diagonal1",
    "cursor_resize_diagonal2",
};

}  // namespace

int GetCursorType(const std::string& name) {
    for (int type = 0; type < CURSOR_TYPE_COUNT; ++type) {
        if (name == CURSOR_NAMES[type]) return type;
    }
    return CURSOR_NONE;
}

std::string GetCursorName(int type) {
    return type >= 0 && type < CURSOR_TYPE_COUNT ? CURSOR_NAMES[type] : "";
}

}  // namespace vorn
