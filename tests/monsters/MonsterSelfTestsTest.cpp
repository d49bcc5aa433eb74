#include "monsters/MonsterSelfTests.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "MonstersTestSupport.h"
#include "TestEnvironment.h"

TEST(MonsterSelfTestsTest, TheRecordSelfTestsPassQuietlyAndWriteNoFiles) {
    testing_support::CScopedTempDir dir;
    monsters_test::CLogCapture log;
    EXPECT_EQ(monsters::selftests::CMonsterTest(), 0);
    EXPECT_EQ(monsters::selftests::CBodyShopTest(), 0);
    EXPECT_EQ(monsters::selftests::CLevelListTest(), 0);
    EXPECT_EQ(log.Lines(), 0) << log.All();
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}
