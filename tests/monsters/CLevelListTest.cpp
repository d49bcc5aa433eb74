#include "monsters/CLevelList.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "MonstersTestSupport.h"
#include "TestEnvironment.h"
#include "monsters/CBodyShop.h"
#include "monsters/PlayerFiles.h"
#include "vorn/utils/xml/Xml.h"

using monsters::CBodyShop;
using monsters::CLevel;
using monsters::CLevelList;
using monsters_test::CLogCapture;
using monsters_test::SampleFile;
using testing_support::ReadFile;
namespace fs = std::filesystem;

namespace {

std::string Level(int position, const std::string& file) {
    return "<Level position=\"" + std::to_string(position) + "\" filename=\"" + file +
           "\"></Level>";
}

// A working folder with the standard level list in place.
class CLevelListTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories("data");
        fs::copy_file(SampleFile("monster_list.xml"), monsters::STANDARD_LEVEL_LIST_FILE);
    }
    testing_support::CScopedTempDir myDir;
};

}  // namespace

TEST_F(CLevelListTest, TheStandardListIsLoadedAtCreationAndNeverWritten) {
    const std::string standard = ReadFile(monsters::STANDARD_LEVEL_LIST_FILE);
    {
        CLevelList list;
        ASSERT_EQ(list.GetLevelCount(), 2);
        const CLevel& first = *list.GetLevel(0);
        EXPECT_EQ(first.myFileName, "data/monsters/blob.xml");
        EXPECT_EQ(first.myPrize1Image, "data/gfx/prize_claw.png");
        EXPECT_EQ(list.GetLevel(1)->myPrize2, "data/parts/eye.xml");
        EXPECT_EQ(list.GetCurrentOpponentFile(), "data/monsters/blob.xml");

        // The writer gives the standard file back byte for byte.
        ASSERT_TRUE(list.SaveToFile("copy.xml"));
        EXPECT_EQ(ReadFile("copy.xml"), standard);
        CBodyShop shop;
        EXPECT_EQ(list.WinCurrentLevel(shop), "data/monsters/spider.xml");
    }
    EXPECT_EQ(ReadFile(monsters::STANDARD_LEVEL_LIST_FILE), standard);
}

TEST_F(CLevelListTest, ProgressIsPlayedThroughAndKeptInThePlayersFile) {
    CBodyShop shop;
    {
        CLevelList list;
        EXPECT_FALSE(list.LoadForPlayer("Ann"));  // a new player
        EXPECT_EQ(list.GetFileName(), "My Monsters/profile_stuff/Ann_levellist.xml");
        // Level 0 has one prize, level 1 two; the first prize goes in first.
        EXPECT_EQ(list.WinCurrentLevel(shop), "data/monsters/spider.xml");
        EXPECT_EQ(list.WinCurrentLevel(shop), "");
        EXPECT_EQ(list.GetCurrentLevel(), nullptr);
        EXPECT_TRUE(list.IsCompleted(1));
        EXPECT_FALSE(list.IsCompleted(2));
        EXPECT_FALSE(list.IsCompleted(-1));
        EXPECT_EQ(list.WinCurrentLevel(shop), "");  // past the end: nothing
        EXPECT_EQ(list.GetCurrentIndex(), 2);
    }
    ASSERT_EQ(shop.GetParts().size(), 3u);
    EXPECT_EQ(shop.GetParts()[0].myFileName, "data/parts/claw.xml");
    EXPECT_EQ(shop.GetParts()[1].myFileName, "data/parts/leg.xml");
    EXPECT_EQ(shop.GetParts()[2].myFileName, "data/parts/eye.xml");

    // The destroyed list wrote the player's file; the next game reads it.
    EXPECT_NE(ReadFile(monsters::PlayerLevelListFile("Ann"))
                  .find("<Level completed=\"1\" filename=\"data/monsters/spider.xml\" "
                        "position=\"1\" >"),
              std::string::npos);
    CLevelList list;
    list.SetCurrentIndex(1);
    EXPECT_TRUE(list.LoadForPlayer("Ann"));
    EXPECT_TRUE(list.IsCompleted(0) && list.IsCompleted(1));
    EXPECT_EQ(list.GetCurrentIndex(), 1);  // all completed: the index stays
}

TEST_F(CLevelListTest, PositionsPlaceLevelsAndBadOnesAreSkippedWithOneWarning) {
    // A copy: the list writes itself back to the file it read last.
    fs::copy_file(SampleFile("hand_written_levellist.xml"), "levels.xml");
    CLevelList list("");
    CLogCapture log;
    ASSERT_TRUE(list.LoadFromFile("levels.xml"));
    ASSERT_EQ(list.GetLevelCount(), 3);
    EXPECT_TRUE(list.GetLevel(0)->myCompleted);
    EXPECT_EQ(list.GetLevel(1)->myFileName, "");  // the gap
    EXPECT_EQ(list.GetLevel(2)->myFileName, "data/monsters/boss.xml");
    EXPECT_EQ(list.GetLevel(2)->myPrize2Image, "data/gfx/crown.png");
    EXPECT_EQ(list.GetCurrentIndex(), 1);
    EXPECT_EQ(log.Count(-1, "[WARNING] Level list: 6 level(s) skipped"), 1) << log.All();
    EXPECT_EQ(log.Count(-1, "in file: monsters/clevellist"), log.Warnings() - 1) << log.All();

    // A later read replaces levels by position and removes none.
    ASSERT_TRUE(vorn::LoadObjectFromXmlText(
        list, "<LevelList>" + Level(1, "new.xml") + Level(9999, "last.xml") + "</LevelList>"));
    EXPECT_EQ(list.GetLevelCount(), 10000);
    EXPECT_EQ(list.GetLevel(1)->myFileName, "new.xml");
    EXPECT_EQ(list.GetLevel(2)->myFileName, "data/monsters/boss.xml");

    CLevelList none("");
    ASSERT_TRUE(vorn::LoadObjectFromXmlText(none, "<LevelList><Level filename=\"a.xml\"></Level>" +
                                                      Level(10000, "b.xml") + Level(-3, "c.xml") +
                                                      "</LevelList>"));
    EXPECT_EQ(none.GetLevelCount(), 0);
    EXPECT_FALSE(none.SetLevel(-1, CLevel()));
    EXPECT_FALSE(none.SetLevel(10000, CLevel()));
}

TEST_F(CLevelListTest, BrokenAndEmptyFilesLeaveTheListPlayable) {
    myDir.WriteFile(monsters::PlayerLevelListFile("Cid"), "");
    CLevelList list;
    CLogCapture log;
    EXPECT_FALSE(list.LoadForPlayer("Cid"));
    EXPECT_EQ(log.Warnings(), 1) << log.All();
    EXPECT_EQ(list.GetCurrentOpponentFile(), "data/monsters/blob.xml");

    for (unsigned seed = 1; seed <= 10; ++seed) {
        myDir.WriteFile("garbage.xml", monsters_test::Garbage(5000, seed));
        CLevelList broken("garbage.xml");
        broken.CompleteCurrentLevel();
        EXPECT_TRUE(broken.Save());
    }
    const std::string whole = ReadFile(monsters::STANDARD_LEVEL_LIST_FILE);
    for (size_t cut = 0; cut < whole.size(); cut += 23) {
        myDir.WriteFile("cut.xml", whole.substr(0, cut));
        CLevelList cutList("cut.xml");
        EXPECT_LE(cutList.GetLevelCount(), 2) << "cut at " << cut;
        cutList.CompleteCurrentLevel();
    }
}
