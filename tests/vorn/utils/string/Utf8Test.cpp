#include <gtest/gtest.h>

#include <string>

#include "vorn/utils/string/Utf8.h"

using namespace vorn;

namespace {

// "é" (2 bytes), "€" (3 bytes) and a 4-byte character among ASCII letters.
const std::string MIXED =
    "a\xC3\xA9"
    "b\xE2\x82\xAC"
    "c\xF0\x9F\x98\x80";

TEST(Utf8Test, DecodesWellFormedTextAndTakesAnythingElseAsLatin1) {
    size_t length = 0;
    EXPECT_EQ(utf8::Decode(MIXED, 1, &length), 0xE9u);
    EXPECT_EQ(length, 2u);
    EXPECT_EQ(utf8::Decode(MIXED, 4, &length), 0x20ACu);
    EXPECT_EQ(length, 3u);
    EXPECT_EQ(utf8::Decode(MIXED, 8, &length), 0x1F600u);
    EXPECT_EQ(length, 4u);
    EXPECT_EQ(utf8::Length(MIXED), 6u);

    // Old Latin-1 text, a lone continuation byte, a cut sequence, an overlong
    // form and an encoded surrogate: each byte stands for itself.
    for (const std::string& bad :
         {std::string("caf\xE9"), std::string("\xA9x"), std::string("\xE2\x82"),
          std::string("\xC0\xAF"), std::string("\xED\xA0\x80")}) {
        const size_t at = bad == "caf\xE9" ? 3 : 0;
        EXPECT_EQ(utf8::Decode(bad, at, &length), static_cast<unsigned char>(bad[at])) << bad;
        EXPECT_EQ(length, 1u) << bad;
    }

    for (uint32_t code : {0x41u, 0xE9u, 0x7FFu, 0x800u, 0x20ACu, 0xFFFDu, 0x10000u, 0x10FFFFu}) {
        const std::string bytes = utf8::Encode(code);
        EXPECT_EQ(utf8::Decode(bytes, 0, &length), code);
        EXPECT_EQ(length, bytes.size());
    }
    EXPECT_EQ(utf8::Encode(0xD800), "") << "a surrogate is no character";
    EXPECT_EQ(utf8::Encode(0x110000), "");
}

TEST(Utf8Test, StepsAndCutsOnlyBetweenCharacters) {
    // The starts of the six characters.
    const size_t starts[] = {0, 1, 3, 4, 7, 8, 12};
    for (size_t i = 0; i + 1 < std::size(starts); ++i) {
        EXPECT_EQ(utf8::Next(MIXED, starts[i]), starts[i + 1]);
        EXPECT_EQ(utf8::Previous(MIXED, starts[i + 1]), starts[i]);
        for (size_t at = starts[i]; at < starts[i + 1]; ++at)
            EXPECT_EQ(utf8::Boundary(MIXED, at), starts[i]) << at;
    }
    EXPECT_EQ(utf8::Previous(MIXED, 0), 0u);
    EXPECT_EQ(utf8::Next(MIXED, 99), MIXED.size());
    EXPECT_EQ(utf8::Boundary(MIXED, 99), MIXED.size());

    EXPECT_EQ(utf8::Truncate(MIXED, 6),
              "a\xC3\xA9"
              "b")
        << "the euro sign is not split";
    EXPECT_EQ(utf8::Truncate(MIXED, 2), "a");
    EXPECT_EQ(utf8::Truncate(MIXED, 100), MIXED);

    // Stray continuation bytes are characters of their own.
    const std::string stray = "\xA9\xA9\xC3\xA9";
    EXPECT_EQ(utf8::Boundary(stray, 1), 1u);
    EXPECT_EQ(utf8::Boundary(stray, 3), 2u);
    EXPECT_EQ(utf8::Length(stray), 3u);

    EXPECT_TRUE(utf8::IsControl(27));
    EXPECT_TRUE(utf8::IsControl(0x85));
    EXPECT_FALSE(utf8::IsControl(0xE9));
    EXPECT_FALSE(utf8::IsControl(' '));
}

}  // namespace
