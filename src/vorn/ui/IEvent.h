#pragma once

#include <cstdint>
#include <string>

namespace vorn::ui {

class IMouse;

// The type codes every user-interface event carries. A widget ignores the
// types in its ignore list (CWidget::SetEventIgnored).
enum EventType {
    EVENT_MOUSE_MOVE = 1,
    EVENT_MOUSE_OUT = 2,
    EVENT_MOUSE_OVER = 3,
    EVENT_MOUSE_BUTTON_DOWN = 4,
    EVENT_MOUSE_BUTTON_UP = 5,
    EVENT_KEY_DOWN = 6,
    EVENT_KEY_UP = 7,
    EVENT_FOCUS_REQUEST = 8,
    EVENT_FOCUS_LOST = 9
};

// Mouse buttons as bits of a mask.
enum MouseButton {
    BUTTON_LEFT = 1,
    BUTTON_MIDDLE = 2,
    BUTTON_RIGHT = 4,
    BUTTON_WHEEL_UP = 8,
    BUTTON_WHEEL_DOWN = 16
};

// An event handed down the widget tree; the derived classes carry the payload.
class IEvent {
public:
    explicit IEvent(int eventType) : type(eventType) {}
    virtual ~IEvent() = default;

    int type;
};

// Types 1 to 5. buttons: the held buttons for a move (1), the button that
// went down or up for 4 and 5; copied from the triggering event for 2 and 3.
// mouse may be null (events made by code rather than by the UI task).
class CMouseEvent : public IEvent {
public:
    CMouseEvent(int eventType, int px, int py, unsigned buttonMask, IMouse* view = nullptr)
        : IEvent(eventType), x(px), y(py), buttons(buttonMask), mouse(view) {}

    int x;
    int y;
    unsigned buttons;
    IMouse* mouse;
};

// Types 6 and 7. character: the ASCII character the key types (0 when it types
// none, and for key releases). text: what the key types as UTF-8, any
// character (empty when it types none; events made without it carry only the
// character, which then stands for its Latin-1 character).
class CKeyboardEvent : public IEvent {
public:
    CKeyboardEvent(int eventType, int keyCode, uint8_t typed = 0)
        : IEvent(eventType), key(keyCode), character(typed) {}
    CKeyboardEvent(int eventType, int keyCode, uint8_t typed, const std::string& typedText)
        : IEvent(eventType), key(keyCode), character(typed), text(typedText) {}

    int key;
    uint8_t character;
    std::string text;
};

// Type 8 (a click at x, y asks for the focus) and 9 (the focus went away).
// handled is set by whoever took the focus.
class CFocusEvent : public IEvent {
public:
    CFocusEvent(int eventType, int px = 0, int py = 0)
        : IEvent(eventType), handled(false), x(px), y(py) {}

    bool handled;
    int x;
    int y;
};

}  // namespace vorn::ui
