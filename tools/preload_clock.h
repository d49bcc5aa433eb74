/* Shared by the libraries preloaded into the game by tools/ scripts: the
 * milliseconds since the program started (since this library was loaded). */
#ifndef PRELOAD_CLOCK_H
#define PRELOAD_CLOCK_H
#ifndef _GNU_SOURCE
#define _GNU_SOURCE
#endif
#include <SDL.h>
#include <dlfcn.h>
#include <time.h>

static struct timespec preload_start;

__attribute__((constructor)) static void preload_remember_start(void) {
    clock_gettime(CLOCK_MONOTONIC, &preload_start);
}

static double elapsed_ms(void) {
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (now.tv_sec - preload_start.tv_sec) * 1e3 +
           (now.tv_nsec - preload_start.tv_nsec) / 1e6;
}
#endif
