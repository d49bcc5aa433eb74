/* Preloaded into the game by soak.sh: types the player's name into the name
 * dialog, the one screen mouse recordings cannot drive. SOAK_TYPE_AFTER_MS
 * milliseconds after the program started (default 2500), the text of
 * SOAK_TYPE is handed to the game through SDL_PollEvent as key presses and
 * releases, one event every 30 ms, then Return. Nothing else is changed. */
/* First: it sets _GNU_SOURCE before any system header. */
#include "preload_clock.h"

#include <stdlib.h>
#include <string.h>

/* Event n of the typing: a press and a release per character, then Return. */
static int typed_event(int n, SDL_Event* event) {
    const char* text = getenv("SOAK_TYPE");
    const int length = text ? (int)strlen(text) : 0;
    if (n >= 2 * (length + 1)) return 0;
    const int index = n / 2;
    const int press = n % 2 == 0;
    const char c = index < length ? text[index] : '\r';
    memset(event, 0, sizeof *event);
    event->type = press ? SDL_KEYDOWN : SDL_KEYUP;
    event->key.type = event->type;
    event->key.state = press ? SDL_PRESSED : SDL_RELEASED;
    if (c == '\r') {
        event->key.keysym.sym = SDLK_RETURN;
    } else if (c >= 'A' && c <= 'Z') {
        event->key.keysym.sym = (SDLKey)(c - 'A' + 'a');
        event->key.keysym.mod = KMOD_LSHIFT;
    } else {
        event->key.keysym.sym = (SDLKey)c;
    }
    event->key.keysym.unicode = press ? (Uint16)(unsigned char)c : 0;
    return 1;
}

int SDL_PollEvent(SDL_Event* event) {
    static int (*real)(SDL_Event*);
    static int next;
    static double last;
    if (!real) real = (int (*)(SDL_Event*))dlsym(RTLD_NEXT, "SDL_PollEvent");
    if (real(event)) return 1;
    const char* after = getenv("SOAK_TYPE_AFTER_MS");
    const double due = after ? atof(after) : 2500.0;
    const double now = elapsed_ms();
    if (now < due || now - last < 30.0 || !event) return 0;
    if (!typed_event(next, event)) return 0;
    ++next;
    last = now;
    return 1;
}
