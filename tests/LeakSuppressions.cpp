// What the leak checker of the sanitizer build is not to report: memory that
// the X and OpenGL libraries keep for good (SDL 1.2's X11 driver never frees
// a visual list; Mesa's driver keeps one-time allocations). The OpenGL tests
// keep the libraries loaded (PinLoadedLibraries), so that what they keep
// stays reachable; these are the rest. Unused without the sanitizers.
#include "LeakSuppressions.h"

extern "C" const char* __lsan_default_suppressions() {
    return testing_support::LEAK_SUPPRESSIONS;
}
