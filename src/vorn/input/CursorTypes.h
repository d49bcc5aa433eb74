#pragma once

#include <string>

namespace vorn {

// Mouse cursor shapes; the back end draws them (IMouseHardware::SetCursor).
enum CursorType {
    CURSOR_NONE = 0,
    CURSOR_ARROW = 1,
    CURSOR_CROSS = 2,
    CURSOR_TEXT = 3,
    CURSOR_HAND = 4,
    CURSOR_BUSY = 5,
    CURSOR_RESIZE_HORIZONTAL = 6,
    CURSOR_RESIZE_VERTICAL = 7,
    CURSOR_RESIZE_DIAGONAL1 = 8,  // top-left to bottom-right
    CURSOR_RESIZE_DIAGONAL2 = 9,  // top-right to bottom-left
    CURSOR_TYPE_COUNT = 10
};

// "cursor_none", "cursor_arrow", ... "cursor_resize_diagonal2" (exact match);
// any other name gives CURSOR_NONE.
int GetCursorType(const std::string& name);
// The name of a type; "" outside 0..9.
std::string GetCursorName(int type);

}  // namespace vorn
