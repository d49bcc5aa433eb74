#include "vorn/tasks/CTaskEventSDL.h"

#include "vorn/console/CLog.h"
#include "vorn/input/CEventBridge.h"
#include "vorn/tasks/CKernel.h"
#include "vorn/tasks/sdl/SdlCursors.h"
#include "vorn/utils/string/Utf8.h"

namespace vorn {

CTaskEventSDL::~CTaskEventSDL() {
    // CTask's destructor would stop the task too late to reach this Exit.
    if (!IsStopped()) {
        Exit();
        SetStopped(true);
    }
}

bool CTaskEventSDL::Init() {
    SetMouseHardware(this);
    SDL_EnableUNICODE(1);
    return true;
}

void CTaskEventSDL::Exit() {
    ReleaseMouseHardware(this);
    FreeCursor();
    myCursorType = 0;
}

int CTaskEventSDL::ButtonBit(int sdlButton) {
    switch (sdlButton) {
        case SDL_BUTTON_LEFT:
            return 1;
        case SDL_BUTTON_MIDDLE:
            return 2;
        case SDL_BUTTON_RIGHT:
            return 4;
        case SDL_BUTTON_WHEELUP:
            return 8;
        case SDL_BUTTON_WHEELDOWN:
            return 16;
        default:
            return 0;
    }
}

uint8_t CTaskEventSDL::KeyCharacter(const SDL_keysym& key) {
    return key.unicode >= 1 && key.unicode <= 127 ? static_cast<uint8_t>(key.unicode) : 0;
}

std::string CTaskEventSDL::KeyText(const SDL_keysym& key) {
    return key.unicode != 0 ? utf8::Encode(key.unicode) : std::string();
}

void CTaskEventSDL::Update() {
    if (!SDL_WasInit(SDL_INIT_VIDEO)) return;
    SDL_Event event;
    while (SDL_PollEvent(&event))
        Dispatch(event);
}

void CTaskEventSDL::FollowPointer(int x, int y) {
    // A button event may come at a place no motion event reported (a warped
    // or synthetic pointer): listeners learn the place before the button.
    if (x == myPointerX && y == myPointerY) return;
    const int dx = x - myPointerX;
    const int dy = y - myPointerY;
    myPointerX = x;
    myPointerY = y;
    CEventBridge::GetSingleton()->OnMouseMove(x, y, dx, dy);
}

void CTaskEventSDL::Dispatch(const SDL_Event& event) {
    CEventBridge* bridge = CEventBridge::GetSingleton();
    switch (event.type) {
        case SDL_ACTIVEEVENT:
            if (event.active.state & SDL_APPINPUTFOCUS) bridge->OnFocus(event.active.gain != 0);
            break;
        case SDL_KEYDOWN:
            bridge->OnKeyDown(event.key.keysym.sym, KeyCharacter(event.key.keysym),
                              KeyText(event.key.keysym));
            break;
        case SDL_KEYUP:
            bridge->OnKeyUp(event.key.keysym.sym, KeyCharacter(event.key.keysym));
            break;
        case SDL_MOUSEMOTION:
            myPointerX = event.motion.x;
            myPointerY = event.motion.y;
            bridge->OnMouseMove(event.motion.x, event.motion.y, event.motion.xrel,
                                event.motion.yrel);
            break;
        case SDL_MOUSEBUTTONDOWN:
            FollowPointer(event.button.x, event.button.y);
            bridge->OnMouseButtonDown(ButtonBit(event.button.button));
            break;
        case SDL_MOUSEBUTTONUP:
            FollowPointer(event.button.x, event.button.y);
            bridge->OnMouseButtonUp(ButtonBit(event.button.button));
            break;
        case SDL_QUIT:
            CKernel::GetSingleton()->Quit();
            break;
        case SDL_VIDEORESIZE:
            bridge->OnResize(event.resize.w, event.resize.h);
            break;
        default:
            break;
    }
}

void CTaskEventSDL::ShowCursor() {
    SDL_ShowCursor(SDL_ENABLE);
}

void CTaskEventSDL::HideCursor() {
    SDL_ShowCursor(SDL_DISABLE);
}

void CTaskEventSDL::GrabInput(bool grab) {
    SDL_WM_GrabInput(grab ? SDL_GRAB_ON : SDL_GRAB_OFF);
}

void CTaskEventSDL::SetCursor(int type) {
    if (type == myCursorType) return;
    if (type < 0 || type >= sdlcursors::CURSOR_TYPE_COUNT) {
        CLog::GetSingleton()->Printf("[WARNING] SetCursor: there is no cursor type %d\n", type);
        return;
    }
    myCursorType = type;
    // Type 0 keeps whatever picture is shown.
    if (type == 0 || !SDL_WasInit(SDL_INIT_VIDEO)) return;
    SDL_Cursor* cursor = sdlcursors::CreateCursor(type);
    if (!cursor) {
        CLog::GetSingleton()->Printf("[WARNING] SetCursor: SDL could not make cursor %d: %s\n",
                                     type, SDL_GetError());
        return;
    }
    // The previous cursor is freed only if SDL still shows it (see FreeCursor).
    SDL_Cursor* previous = myCursor && SDL_GetCursor() == myCursor ? myCursor : nullptr;
    SDL_SetCursor(cursor);
    if (previous) SDL_FreeCursor(previous);
    myCursor = cursor;
}

void CTaskEventSDL::FreeCursor() {
    // SDL frees the current cursor itself when its video ends, and a cursor
    // from before such an end is gone: free only the one SDL still shows.
    if (myCursor && SDL_WasInit(SDL_INIT_VIDEO) && SDL_GetCursor() == myCursor)
        SDL_FreeCursor(myCursor);
    myCursor = nullptr;
}

}  // namespace vorn
