#include "monsters/CPhysicsTask.h"

#include <gtest/gtest.h>

#include "PhysicsTestSupport.h"
#include "monsters/CEditorWorld.h"
#include "monsters/CFightWorld.h"
#include "monsters/CMonster.h"

using monsters::CPhysicsTask;

TEST(CPhysicsTaskTest, OneWorldAtATimeAndNothingWithoutOne) {
    monsters_test::CGameFolder folder;
    const std::string file = folder.Monster("m.xml", {monsters_test::HeadPart()});
    monsters_test::CRecordingReceiver receiver;
    CPhysicsTask physics(&receiver);
    EXPECT_EQ(physics.LoadMonster(file, 0, 0), nullptr);
    physics.Step();
    EXPECT_FALSE(physics.SavePlayerMonster("me.xml"));
    EXPECT_FALSE(physics.SaveEditorWorld("state.xml"));

    physics.SwitchToEditor();
    ASSERT_NE(physics.GetEditorWorld(), nullptr);
    monsters::CMonster* edited = physics.LoadMonster(file, 1.0f, 0.0f);
    ASSERT_NE(edited, nullptr);
    EXPECT_EQ(edited->GetCollisionGroup(), monsters::CEditorWorld::MONSTER_GROUP);
    physics.Step();
    EXPECT_TRUE(physics.SaveEditorWorld("state.xml"));
    EXPECT_TRUE(physics.SavePlayerMonster("me.xml"));

    monsters::CFightWorld* fight = physics.SwitchToFight();
    EXPECT_EQ(physics.GetEditorWorld(), nullptr) << "switching destroys the other world";
    EXPECT_EQ(fight->GetWinOrLoseReceiver(), &receiver);
    EXPECT_FALSE(physics.LoadEditorWorld("state.xml"));
    EXPECT_EQ(physics.LoadMonster("me.xml", 0, 0)->GetCollisionGroup(), -1);
    physics.Step();

    physics.SwitchToEditor();
    EXPECT_EQ(physics.GetFightWorld(), nullptr);
    EXPECT_TRUE(physics.LoadEditorWorld("state.xml"));
    EXPECT_EQ(physics.GetEditorWorld()->GetMonsterCount(), 2);
    physics.DestroyWorlds();
    EXPECT_EQ(physics.GetEditorWorld(), nullptr);
}
