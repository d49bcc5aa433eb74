#include <gtest/gtest.h>

#include <climits>
#include <set>

#include "vorn/utils/random/CRandom.h"
#include "vorn/utils/random/RandomSelfTests.h"

using namespace vorn;

namespace {

TEST(CRandomTest, SelfTestPasses) {
    EXPECT_EQ(selftests::RandomTest(), 0) << "the number is the line of the failed check";
    EXPECT_EQ(CRandom::GetSingleton(), CRandom::GetSingleton());
}

TEST(CRandomTest, SmallRangesAreCoveredAndBoundsHold) {
    CRandom random(3);
    std::set<int> values;
    for (int i = 0; i < 2000; ++i) {
        const int value = random.RangeInt(-2, 2);
        ASSERT_GE(value, -2);
        ASSERT_LE(value, 2);
        values.insert(value);
    }
    EXPECT_EQ(values.size(), 5u);
    bool sawNegative = false;
    bool sawPositive = false;
    for (int i = 0; i < 200; ++i) {
        const int value = random.RangeInt(INT_MIN, INT_MAX);
        sawNegative = sawNegative || value < 0;
        sawPositive = sawPositive || value > 0;
    }
    EXPECT_TRUE(sawNegative && sawPositive) << "the full range is used";
    for (int i = 0; i < 1000; ++i) {
        const double value = random.Range(1e300, -1e300);
        ASSERT_GE(value, -1e300);
        ASSERT_LT(value, 1e300);
    }
}

}  // namespace
