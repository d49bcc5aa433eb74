#pragma once

#include <string>
#include <vector>

#include "LogCapture.h"
#include "vorn/console/CLog.h"

namespace monsters_test {

using CLogCapture = testing_support::CLogCapture;

// A hand-written sample of tests/data/monsters/.
inline std::string SampleFile(const std::string& name) {
    return std::string(MONSTERS_SOURCE_DIR) + "/tests/data/monsters/" + name;
}

// Bytes that are not XML, the same on every run.
inline std::string Garbage(size_t size, unsigned seed) {
    std::string bytes(size, '\0');
    for (char& c : bytes) {
        seed = seed * 1103515245u + 12345u;
        c = static_cast<char>(seed >> 16);
    }
    return bytes;
}

}  // namespace monsters_test
