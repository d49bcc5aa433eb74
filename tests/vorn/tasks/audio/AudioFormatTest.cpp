#include <gtest/gtest.h>

#include "vorn/tasks/audio/AudioFormat.h"

using namespace vorn;

namespace {

TEST(AudioFormatTest, NamesAndValuesMatchBothWays) {
    const std::pair<const char*, uint16_t> table[] = {
        {"U8", 0x0008},     {"S8", 0x8008},     {"U16LSB", 0x0010},
        {"S16LSB", 0x8010}, {"U16MSB", 0x1010}, {"S16MSB", 0x9010},
    };
    for (const auto& [name, value] : table) {
        EXPECT_EQ(AudioFormatName(value), name);
        uint16_t format = 0;
        EXPECT_TRUE(AudioFormatFromName(name, &format)) << name;
        EXPECT_EQ(format, value) << name;
    }
}

TEST(AudioFormatTest, UnknownNamesAndValuesAreRefused) {
    EXPECT_EQ(AudioFormatName(0x8020), "");  // 32-bit samples: not in the table
    EXPECT_EQ(AudioFormatName(0), "");
    for (const char* name : {"S24", "s16lsb", "", " S16LSB", "S16LSB "}) {
        uint16_t format = 0x1234;
        EXPECT_FALSE(AudioFormatFromName(name, &format)) << '"' << name << '"';
        EXPECT_EQ(format, 0x1234) << "left untouched for \"" << name << '"';
    }
}

}  // namespace
