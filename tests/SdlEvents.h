#pragma once

// Real input for tests: SDL events pushed onto SDL's queue, where the event
// task finds them as it finds a player's (video must be running).
#include <SDL.h>
#include <gtest/gtest.h>

namespace testing_support {

inline void PushEvent(SDL_Event& event) {
    ASSERT_EQ(SDL_PushEvent(&event), 0);
}

inline void PushMove(int x, int y) {
    SDL_Event event{};
    event.type = event.motion.type = SDL_MOUSEMOTION;
    event.motion.x = Uint16(x);
    event.motion.y = Uint16(y);
    PushEvent(event);
}

// type: SDL_MOUSEBUTTONDOWN or SDL_MOUSEBUTTONUP, at (x, y).
inline void PushButton(Uint8 type, int x, int y, Uint8 button = SDL_BUTTON_LEFT) {
    SDL_Event event{};
    event.type = event.button.type = type;
    event.button.button = button;
    event.button.x = Uint16(x);
    event.button.y = Uint16(y);
    PushEvent(event);
}

// A move there, a press and a release, all in one frame.
inline void PushClick(int x, int y) {
    PushMove(x, y);
    PushButton(SDL_MOUSEBUTTONDOWN, x, y);
    PushButton(SDL_MOUSEBUTTONUP, x, y);
}

// A press and release, with what the key types (SDL's UTF-16 unit).
inline void PushKey(SDLKey key, Uint16 unicode = 0, bool down = true, bool up = true) {
    for (Uint8 type : {Uint8(SDL_KEYDOWN), Uint8(SDL_KEYUP)}) {
        if ((type == SDL_KEYDOWN && !down) || (type == SDL_KEYUP && !up)) continue;
        SDL_Event event{};
        event.type = event.key.type = type;
        event.key.keysym.sym = key;
        event.key.keysym.unicode = type == SDL_KEYDOWN ? unicode : 0;
        PushEvent(event);
    }
}

}  // namespace testing_support
