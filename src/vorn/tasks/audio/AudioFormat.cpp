#include "vorn/tasks/audio/AudioFormat.h"

#include <SDL_audio.h>

namespace vorn {

namespace {

struct FormatEntry {
    const char* name;
    uint16_t format;
};

const FormatEntry FORMATS[] = {
    {"U8", AUDIO_U8},         {"S8", AUDIO_S8},         {"U16LSB", AUDIO_U16LSB},
    {"S16LSB", AUDIO_S16LSB}, {"U16MSB", AUDIO_U16MSB}, {"S16MSB", AUDIO_S16MSB},
};

}  // namespace

std::string AudioFormatName(uint16_t format) {
    for (const FormatEntry& entry : FORMATS) {
        if (entry.format == format) return entry.name;
    }
    return "";
}

bool AudioFormatFromName(const std::string& name, uint16_t* format) {
    for (const FormatEntry& entry : FORMATS) {
        if (name == entry.name) {
            if (format) *format = entry.format;
            return true;
        }
    }
    return false;
}

}  // namespace vorn
