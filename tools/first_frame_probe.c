/* Preloaded into the game by measure-first-frame.sh: prints how many
 * milliseconds passed from the program's start (this library's loading) to
 * the first frame put on the screen (SDL_Flip or SDL_UpdateRects), then ends
 * the program. */
/* First: it sets _GNU_SOURCE before any system header. */
#include "preload_clock.h"

#include <stdio.h>
#include <unistd.h>

static void first_frame(void) {
    fprintf(stderr, "first frame after %.1f ms\n", elapsed_ms());
    _exit(0);
}

int SDL_Flip(SDL_Surface* screen) {
    int (*real)(SDL_Surface*) = (int (*)(SDL_Surface*))dlsym(RTLD_NEXT, "SDL_Flip");
    const int result = real(screen);
    first_frame();
    return result;
}

void SDL_UpdateRects(SDL_Surface* screen, int count, SDL_Rect* rects) {
    void (*real)(SDL_Surface*, int, SDL_Rect*) =
        (void (*)(SDL_Surface*, int, SDL_Rect*))dlsym(RTLD_NEXT, "SDL_UpdateRects");
    real(screen, count, rects);
    first_frame();
}
