#include "vorn/utils/calculator/CalculatorSelfTests.h"

#include <gtest/gtest.h>

// The in-program self-tests must pass in the build that ships them.
TEST(CalculatorSelfTestsTest, AllPass) {
    EXPECT_EQ(vorn::selftests::CCalculatorTest(), 0);
    EXPECT_EQ(vorn::selftests::CInfixToPostfixTest(), 0);
    EXPECT_EQ(vorn::selftests::CPostfixTest(), 0);
    EXPECT_EQ(vorn::selftests::CPostfixAndInfixToPostfix(), 0);
    EXPECT_EQ(vorn::selftests::CPostfixSinCosinTest(), 0);
}
