/* Preloaded into the game by measure-first-frame.sh: prints how many
 * milliseconds passed from the program's start (this library's loading) to
 * the first frame put on the screen (SDL_Flip or SDL_UpdateRects), then ends
 * the program. */
#ifndef _GNU_SOURCE
#define _GNU_SOURCE
#endif
#include <SDL.h>
#include <dlfcn.h>
#include <stdio.h>
#include <time.h>
#include <unistd.h>

static struct timespec start;

__attribute__((constructor)) static void remember_start(void) {
    clock_gettime(CLOCK_MONOTONIC, &start);
}

static void first_frame(void) {
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    const double ms = (now.tv_sec - start.tv_sec) * 1e3 + (now.tv_nsec - start.tv_nsec) / 1e6;
    fprintf(stderr, "first frame after %.1f ms\n", ms);
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
