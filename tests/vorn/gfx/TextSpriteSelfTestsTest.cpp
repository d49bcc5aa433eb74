#include <gtest/gtest.h>

#include "vorn/gfx/TextSpriteSelfTests.h"

// The self-test runs inside the program without a window; so it does here.
TEST(TextSpriteSelfTestsTest, CTextSpriteTestPasses) {
    EXPECT_EQ(vorn::selftests::CTextSpriteTest(), 0);
}
