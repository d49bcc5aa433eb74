#include "monsters/PlayerFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "MonstersTestSupport.h"
#include "TestEnvironment.h"
#include "monsters/CBodyShop.h"
#include "monsters/CEditorState.h"
#include "monsters/CLevelList.h"
#include "monsters/CMonster.h"

using namespace monsters;
using testing_support::ReadFile;
namespace fs = std::filesystem;

TEST(PlayerFilesTest, PlayerFilesAreNamedAfterThePlayerAndStayInTheirFolder) {
    EXPECT_EQ(PlayerMonsterFile("Big Bob"), "My Monsters/Big Bob.xml");
    EXPECT_EQ(PlayerShopListFile("Ann"), "My Monsters/profile_stuff/Ann_shoplist.xml");
    EXPECT_EQ(PlayerLevelListFile("Ann"), "My Monsters/profile_stuff/Ann_levellist.xml");
    EXPECT_EQ(PlayerMonsterFile("../../etc/passwd"), "My Monsters/.._.._etc_passwd.xml");
    EXPECT_EQ(PlayerShopListFile("a\\b:c*d?e\"f<g>h|i"),
              "My Monsters/profile_stuff/a_b_c_d_e_f_g_h_i_shoplist.xml");
    EXPECT_EQ(PlayerLevelListFile(std::string("x\ny\0z", 5)),
              "My Monsters/profile_stuff/x_y_z_levellist.xml");
    EXPECT_EQ(PlayerMonsterFile(""), "My Monsters/_.xml");
    // A name typed with accents (UTF-8 from the text input) keeps them.
    EXPECT_EQ(PlayerMonsterFile("Zo\xC3\xAB"), "My Monsters/Zo\xC3\xAB.xml");
}

// Every player file is written beside its place and renamed over it, so a
// save that fails (here: the temporary file cannot be made) keeps the old file.
TEST(PlayerFilesTest, AFailedSaveOfAnyPlayerFileKeepsThePreviousFile) {
    testing_support::CScopedTempDir dir;
    CMonster monster;
    monster.AddPart(std::make_unique<CMonsterBodyPart>());
    CEditorState state;
    CBodyShop shop;
    shop.AddPart("data/parts/head.xml");
    CLevelList levels("");
    levels.SetLevel(0, CLevel());

    const std::pair<std::string, std::function<bool(const std::string&)>> saves[] = {
        {PlayerMonsterFile("Ann"), [&](const std::string& f) { return monster.SaveToFile(f); }},
        {EDITOR_STATE_FILE, [&](const std::string& f) { return state.SaveToFile(f); }},
        {PlayerShopListFile("Ann"), [&](const std::string& f) { return shop.SaveToFile(f); }},
        {PlayerLevelListFile("Ann"), [&](const std::string& f) { return levels.SaveToFile(f); }},
    };
    for (const auto& [file, save] : saves) {
        ASSERT_TRUE(save(file)) << file;  // creates the missing folders
        const std::string before = ReadFile(file);
        ASSERT_FALSE(before.empty()) << file;
        state.AddMonster(std::make_unique<CMonster>());
        monster.AddPart(std::make_unique<CMonsterBodyPart>());
        shop.AddPart("data/parts/arm.xml");
        levels.SetLevel(levels.GetLevelCount(), CLevel());

        fs::create_directory(file + ".tmp");
        monsters_test::CLogCapture log;
        EXPECT_FALSE(save(file)) << file;
        EXPECT_EQ(ReadFile(file), before) << file;
        EXPECT_EQ(log.Errors(), 1) << log.All();
        fs::remove(file + ".tmp");
        EXPECT_TRUE(save(file)) << file;
        EXPECT_NE(ReadFile(file), before) << file;
    }
}
