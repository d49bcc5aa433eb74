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
    // The log may start its file here when this is the first test to log.
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        EXPECT_EQ(entry.path().filename(), "log.txt") << "the self-tests wrote a file";
}
