#include <gtest/gtest.h>

#include <cmath>

#include "vorn/utils/color/ColorUtils.h"

using namespace vorn;

TEST(ColorUtilsTest, ChannelsScaleRoundedAndKeptToTheByteRange) {
    const CColor grey(100, 200, 250, 128);
    EXPECT_EQ(ScaleChannels(grey, 1.0, 1.0, 1.0), grey);
    EXPECT_EQ(ScaleChannels(grey, 1.0, 0.0, 1.0), CColor(100, 0, 250, 128));
    // 9 eighths would pass 255: it saturates instead of wrapping to a dark value.
    EXPECT_EQ(ScaleChannels(grey, 0.5, 0.5, 1.125), CColor(50, 100, 255, 128));
    EXPECT_EQ(ScaleChannels(grey, std::nan(""), -1.0, INFINITY), CColor(0, 0, 255, 128));
    EXPECT_EQ(ScaleChannel(3, 0.5), 2) << "halves round up";
}

TEST(ColorUtilsTest, AlphaMultipliesAndColoursMix) {
    EXPECT_EQ(MultiplyAlpha(CColor(1, 2, 3, 255), 128), CColor(1, 2, 3, 128));
    EXPECT_EQ(MultiplyAlpha(CColor(1, 2, 3, 128), 0).a, 0);
    const CColor black(0, 0, 0, 0), white(255, 255, 255, 255);
    EXPECT_EQ(Mix(black, white, 0.5), CColor(128, 128, 128, 128));
    EXPECT_EQ(Mix(black, white, 7.0), white);
    EXPECT_EQ(Mix(white, black, std::nan("")), white);
}
