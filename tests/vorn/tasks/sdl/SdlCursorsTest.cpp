#include <gtest/gtest.h>

#include "vorn/tasks/sdl/SdlCursors.h"

using namespace vorn::sdlcursors;

namespace {

struct CExpected {
    int width, height, hotX, hotY;
};

// The extent of the pixels a picture shows (black or white).
void Extent(const CCursorBits& bits, int& width, int& height) {
    int left = CURSOR_SIZE, top = CURSOR_SIZE, right = -1, bottom = -1;
    for (int y = 0; y < CURSOR_SIZE; ++y)
        for (int x = 0; x < CURSOR_SIZE; ++x)
            if (bits.mask[y * 4 + x / 8] & (0x80 >> (x % 8))) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    width = right - left + 1;
    height = bottom - top + 1;
}

TEST(SdlCursorsTest, EveryPictureHasItsSizeAndAHotSpotOnTheShape) {
    const CExpected expected[CURSOR_TYPE_COUNT] = {
        {0, 0, 0, 0},   {10, 19, 0, 0}, {23, 23, 15, 15}, {7, 16, 3, 7},  {17, 21, 5, 0},
        {13, 22, 0, 0}, {21, 9, 10, 4}, {11, 21, 6, 9},   {15, 15, 6, 7}, {15, 15, 6, 7},
    };
    EXPECT_EQ(GetPicture(0), nullptr);
    EXPECT_EQ(GetPicture(10), nullptr);
    for (int type = 1; type < CURSOR_TYPE_COUNT; ++type) {
        CCursorBits bits;
        ASSERT_TRUE(ParsePicture(GetPicture(type), bits)) << "type " << type;
        int width = 0, height = 0;
        Extent(bits, width, height);
        EXPECT_EQ(width, expected[type].width) << "type " << type;
        EXPECT_EQ(height, expected[type].height) << "type " << type;
        EXPECT_EQ(bits.hotX, expected[type].hotX) << "type " << type;
        EXPECT_EQ(bits.hotY, expected[type].hotY) << "type " << type;
        const int hot = bits.hotY * 4 + bits.hotX / 8;
        EXPECT_TRUE(bits.mask[hot] & (0x80 >> (bits.hotX % 8)))
            << "the hot spot of type " << type << " is on a visible pixel";
    }
    // The cross is black at its centre.
    CCursorBits cross;
    ParsePicture(GetPicture(2), cross);
    EXPECT_TRUE(cross.data[15 * 4 + 1] & (0x80 >> 7));
}

TEST(SdlCursorsTest, MalformedPicturesAreRefused) {
    const char* shortRow[] = {"    32    32        3            1", "X c #000000", ". c #ffffff",
                              "  c None", "XX"};
    CCursorBits bits;
    EXPECT_FALSE(ParsePicture(shortRow, bits));
    const char* badHeader[] = {"    16    16        3            1"};
    EXPECT_FALSE(ParsePicture(badHeader, bits));
    const char* badColour[] = {"    32    32        1            1", "X c #123456"};
    EXPECT_FALSE(ParsePicture(badColour, bits));
    EXPECT_FALSE(ParsePicture(nullptr, bits));
}

}  // namespace
