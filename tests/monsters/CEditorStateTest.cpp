#include "monsters/CEditorState.h"

#include <gtest/gtest.h>

#include <string>

#include "MonstersTestSupport.h"
#include "TestEnvironment.h"
#include "monsters/PlayerFiles.h"

using monsters::CEditorState;
using monsters::CMonster;
using monsters::CMonsterBodyPart;
using testing_support::CScopedTempDir;
using testing_support::ReadFile;

namespace {

// count parts with ids firstId, firstId + 1, ...; each part after the first
// hinged to the first.
std::unique_ptr<CMonster> MonsterOf(int count, int uid, int firstId = 0) {
    auto monster = std::make_unique<CMonster>();
    for (int i = 0; i < count; ++i) {
        auto part = std::make_unique<CMonsterBodyPart>();
        part->SetObjectId(firstId + i);
        part->SetConnectedToBody(firstId);
        part->SetShopUid(uid);
        part->SetHasJoint(i > 0);
        monster->AddPart(std::move(part));
    }
    return monster;
}

}  // namespace

TEST(CEditorStateTest, TheStateHasItsShapeAndReadingKeepsTheIdsAsWritten) {
    CScopedTempDir dir;
    CEditorState state;
    state.AddMonster(MonsterOf(1, 0));  // the floor
    // Ids as a world hands them out, the first monster's raised by an earlier save.
    state.AddMonster(MonsterOf(2, 3, 20));
    state.AddMonster(std::make_unique<CMonster>());  // emptied by an attachment
    state.AddMonster(MonsterOf(1, 4, 30));
    ASSERT_TRUE(state.SaveToFile(monsters::EDITOR_STATE_FILE));

    const std::string text = ReadFile(monsters::EDITOR_STATE_FILE);
    EXPECT_EQ(
        text.rfind("<EditorRoot>\n  <Monster>\n    <MonsterBodyPart object_id=\"0\" "
                   "physics_shape_type=\"0\" unique_monster_part_id=\"0\" >\n      <GameHP>\n",
                   0),
        0u)
        << text;
    EXPECT_NE(text.find("  </Monster>\n  <Monster>\n  </Monster>\n"), std::string::npos) << text;
    EXPECT_NE(text.find("  </Monster>\n</EditorRoot>\n"), std::string::npos) << text;

    CEditorState loaded;
    ASSERT_TRUE(loaded.LoadFromFile(monsters::EDITOR_STATE_FILE));
    ASSERT_EQ(loaded.GetMonsterCount(), 4);
    const CMonster& second = *loaded.GetMonster(1);
    ASSERT_EQ(second.GetPartCount(), 2);
    // Read back as written: raising them by monster (10, 20, ...) would give
    // the fourth monster's part the id 60 and the second's 30 and 31.
    EXPECT_EQ(second.GetPart(0)->GetObjectId(), 20);
    EXPECT_EQ(second.GetPart(1)->GetObjectId(), 21);
    EXPECT_EQ(second.GetPart(1)->GetConnectedToBody(), 20);
    EXPECT_EQ(second.FindHingePartner(*second.GetPart(1)), second.GetPart(0));
    EXPECT_EQ(loaded.GetMonster(2)->GetPartCount(), 0);
    EXPECT_EQ(loaded.GetMonster(3)->GetPart(0)->GetObjectId(), 30);
    EXPECT_EQ(loaded.GetMonster(3)->GetPart(0)->GetShopUid(), 4);

    std::vector<std::unique_ptr<CMonster>> monsters = loaded.TakeMonsters();
    EXPECT_EQ(loaded.GetMonsterCount(), 0);
    EXPECT_EQ(monsters.size(), 4u);
}

TEST(CEditorStateTest, AHandWrittenStateReadsMonstersOnlyAndBadFilesChangeNothing) {
    CEditorState state;
    ASSERT_TRUE(state.LoadFromFile(monsters_test::SampleFile("hand_written_editor_state.xml")));
    ASSERT_EQ(state.GetMonsterCount(), 3);
    EXPECT_EQ(state.GetMonster(0)->FindHeadPart(), nullptr);  // the floor has no head
    const CMonster& player = *state.GetMonster(1);
    ASSERT_EQ(player.GetPartCount(), 2);
    EXPECT_EQ(player.GetPart(0)->GetObjectId(), 10);  // as in the file
    EXPECT_EQ(player.GetPart(1)->GetConnectedToBody(), 10);
    EXPECT_TRUE(player.GetPart(1)->IsPinJoint());
    EXPECT_EQ(state.GetMonster(2)->GetPartCount(), 0);

    CScopedTempDir dir;
    dir.WriteFile("empty.tmp", "");
    EXPECT_FALSE(state.LoadFromFile("empty.tmp"));
    EXPECT_FALSE(state.LoadFromFile("missing.tmp"));
    EXPECT_EQ(state.GetMonsterCount(), 3);
    dir.WriteFile("garbage.tmp", monsters_test::Garbage(10000, 7));
    state.LoadFromFile("garbage.tmp");
    EXPECT_TRUE(state.SaveToFile("after.tmp"));
}
