#pragma once

// Helpers for the audio tests and benchmarks: generated WAV files and scoped
// environment variables (SDL reads its driver choice from them).

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

namespace testing_support {

// A PCM WAV file (RIFF header written by hand): a sine tone of toneHz with
// the given peak amplitude, 16-bit signed little-endian samples.
inline std::string MakeWav(int sampleRate, int channels, int milliseconds, int toneHz = 440,
                           int amplitude = 12000) {
    const uint32_t frames =
        static_cast<uint32_t>(static_cast<int64_t>(sampleRate) * milliseconds / 1000);
    const uint32_t dataSize = frames * static_cast<uint32_t>(channels) * 2;
    std::string out;
    auto put16 = [&out](uint32_t value) {
        out += static_cast<char>(value & 0xFF);
        out += static_cast<char>((value >> 8) & 0xFF);
    };
    auto put32 = [&](uint32_t value) {
        put16(value & 0xFFFF);
        put16(value >> 16);
    };
    out += "RIFF";
    put32(36 + dataSize);
    out += "WAVEfmt ";
    put32(16);  // fmt chunk size
    put16(1);   // PCM
    put16(static_cast<uint32_t>(channels));
    put32(static_cast<uint32_t>(sampleRate));
    put32(static_cast<uint32_t>(sampleRate * channels * 2));  // bytes per second
    put16(static_cast<uint32_t>(channels * 2));               // block align
    put16(16);                                                // bits per sample
    out += "data";
    put32(dataSize);
    const double step = 2.0 * M_PI * toneHz / sampleRate;
    for (uint32_t i = 0; i < frames; ++i) {
        const int sample = static_cast<int>(std::lround(amplitude * std::sin(step * i)));
        for (int c = 0; c < channels; ++c)
            put16(static_cast<uint16_t>(static_cast<int16_t>(sample)));
    }
    return out;
}

// Sets (or, with no value, unsets) an environment variable for the life of
// the object, then restores the previous state.
class CScopedEnv {
public:
    CScopedEnv(const char* name, std::optional<std::string> value) : myName(name) {
        if (const char* previous = std::getenv(name)) myPrevious = previous;
        if (value) {
            setenv(name, value->c_str(), 1);
        } else {
            unsetenv(name);
        }
    }
    ~CScopedEnv() {
        if (myPrevious) {
            setenv(myName.c_str(), myPrevious->c_str(), 1);
        } else {
            unsetenv(myName.c_str());
        }
    }
    CScopedEnv(const CScopedEnv&) = delete;
    CScopedEnv& operator=(const CScopedEnv&) = delete;

private:
    std::string myName;
    std::optional<std::string> myPrevious;
};

}  // namespace testing_support
