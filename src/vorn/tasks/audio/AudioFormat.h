#pragma once

#include <cstdint>
#include <string>

namespace vorn {

// Names of the sample formats the audio task accepts as its second start-up
// parameter and writes to the log: "U8", "S8", "U16LSB", "S16LSB", "U16MSB",
// "S16MSB", with SDL's AUDIO_* values.

// The name of an SDL sample format; "" for a value outside the table.
std::string AudioFormatName(uint16_t format);
// The SDL value for a name of the table (exact, case-sensitive); false and
// format untouched for any other name.
bool AudioFormatFromName(const std::string& name, uint16_t* format);

}  // namespace vorn
