#include "vorn/utils/signalslot/SignalSlotSelfTests.h"

#include <gtest/gtest.h>

// The in-program self-tests must pass in the build that ships them.
TEST(SignalSlotSelfTestsTest, AllPass) {
    EXPECT_EQ(vorn::selftests::CSSObjectTest(), 0);
    EXPECT_EQ(vorn::selftests::CSSObjectSerializeTest(), 0);
    EXPECT_EQ(vorn::selftests::SignalSlotTest(), 0);
}
