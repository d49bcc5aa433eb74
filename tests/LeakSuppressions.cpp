// What the leak checker of the sanitizer build is not to report: memory that
// the X library keeps for good (SDL 1.2's X11 driver never frees the visual
// list it asks for). Mesa's driver keeps one-time allocations too; the OpenGL
// tests keep its libraries loaded (PinLoadedLibraries in GlTaskFixture.h), so
// that those stay reachable. Unused without the sanitizers.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libX11.so\n";
}
