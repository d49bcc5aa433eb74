#pragma once

namespace testing_support {

// Leak checker suppressions, one per line (see LeakSuppressions.cpp); the
// test binary uses them itself and hands them to programs it runs.
inline constexpr const char* LEAK_SUPPRESSIONS =
    "leak:libX11.so\n"
    "leak:libGLX_mesa.so\n"
    "leak:swrast_dri.so\n"
    "leak:libgallium\n"
    "leak:libLLVM\n";

}  // namespace testing_support
