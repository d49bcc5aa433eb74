#pragma once

#include <SDL.h>

#include <string>

#include "vorn/input/IMouseHardware.h"
#include "vorn/tasks/CTask.h"

namespace vorn {

// Task type "event" of the task library "sdl": each frame drains SDL's event
// queue into the event bridge (focus, keys with what they type, mouse motion
// and buttons, window resizes) and turns SDL's quit into the kernel's quit.
// While it runs it is the back end's mouse hardware (SetMouseHardware):
// cursor pictures, visibility and input grab. Needs the window task's video
// to receive anything.
class CTaskEventSDL : public CTask, public IMouseHardware {
public:
    CTaskEventSDL() = default;
    ~CTaskEventSDL() override;

    bool Init() override;
    void Update() override;
    void Exit() override;

    // Cursor types as in vorn/input/CursorTypes.h; 0 keeps the picture shown.
    void ShowCursor() override;
    void HideCursor() override;
    void SetCursor(int type) override;
    void GrabInput(bool grab) override;
    int GetCursorType() const { return myCursorType; }

    // Engine button bits of SDL's buttons 1..5: 1 left, 2 middle, 4 right,
    // 8 wheel up, 16 wheel down; 0 for any other.
    static int ButtonBit(int sdlButton);
    // The character of a key event: its unicode value when 1..127, else 0.
    static uint8_t KeyCharacter(const SDL_keysym& key);
    // What a key event types, as UTF-8: SDL's unicode translation (one
    // UTF-16 unit; a lone surrogate types nothing). Empty when none.
    static std::string KeyText(const SDL_keysym& key);

private:
    void Dispatch(const SDL_Event& event);
    // Reports a move to (x, y) when the pointer was last seen elsewhere.
    void FollowPointer(int x, int y);
    // Frees the cursor made here while SDL still has it.
    void FreeCursor();

    int myCursorType = 0;
    SDL_Cursor* myCursor = nullptr;
    // Where the last mouse event put the pointer.
    int myPointerX = -1;
    int myPointerY = -1;
};

}  // namespace vorn
