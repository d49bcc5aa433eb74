#include "monsters/CEditorWorld.h"

#include <gtest/gtest.h>

#include <box2d/box2d.h>

#include <set>
#include <string>

#include "LogCapture.h"
#include "MonstersTestSupport.h"
#include "PhysicsTestSupport.h"
#include "monsters/CFightWorld.h"
#include "monsters/CMonster.h"
#include "monsters/CMonsterBodyPart.h"
#include "monsters/CPin.h"
#include "monsters/PlayerFiles.h"

using monsters::CEditorWorld;
using monsters::CMonster;
using monsters::CMonsterBodyPart;
using monsters_test::CGameFolder;
using monsters_test::CPartXml;

namespace {

CPartXml Part(int id, int uid, float x) {
    CPartXml part;
    part.id = id;
    part.shopUid = uid;
    part.x = x;
    return part;
}

// A loose part pinned at its left end.
CPartXml PinnedPart(int uid) {
    CPartXml part = Part(0, uid, 0.0f);
    part.extentX = 0.5f;
    part.extentY = 0.1f;
    part.joint = true;
    part.pin = true;
    part.anchorX = -0.5f;
    part.motor = true;
    part.speed = 4.0f;
    part.torque = 100.0f;
    return part;
}

}  // namespace

TEST(CEditorWorldTest, ALoadedMonsterIsSplitByShopUidInOrderOfFirstOccurrence) {
    CGameFolder folder;
    CEditorWorld world;
    ASSERT_EQ(world.GetMonsterCount(), 1) << "the floor";
    EXPECT_EQ(world.GetMonster(0)->GetCollisionGroup(), CEditorWorld::FLOOR_GROUP);
    CMonster* loaded = world.LoadMonster(
        folder.Monster("m.xml",
                       {Part(0, 5, 0), Part(1, 5, 1), Part(2, 9, 2), Part(3, 7, 3), Part(4, 9, 4)}),
        0.0f, 0.0f);
    ASSERT_EQ(world.GetMonsterCount(), 4);
    EXPECT_EQ(world.GetMonster(1), loaded);
    const int expected[3][3] = {{5, 0, 1}, {9, 2, 4}, {7, 3, -1}};
    for (int m = 0; m < 3; ++m) {
        CMonster& monster = *world.GetMonster(m + 1);
        EXPECT_EQ(monster.GetCollisionGroup(), CEditorWorld::MONSTER_GROUP);
        const int count = expected[m][2] < 0 ? 1 : 2;
        ASSERT_EQ(monster.GetPartCount(), count) << "monster " << m + 1;
        for (int p = 0; p < count; ++p) {
            CMonsterBodyPart& part = *monster.GetPart(p);
            EXPECT_EQ(part.GetShopUid(), expected[m][0]);
            EXPECT_EQ(part.GetMonster(), &monster);
            EXPECT_FLOAT_EQ(part.GetLocalPosition().x, float(expected[m][1 + p]));
            ASSERT_NE(world.GetBody(part), nullptr);
            EXPECT_FALSE(world.GetBody(part)->IsAwake());
        }
    }
}

TEST(CEditorWorldTest, APinnedPartIsPinnedInTheEditorButHingedWithItsMotorInAFight) {
    CGameFolder folder;
    CPartXml base = Part(0, 1, 0.0f);
    base.head = true;
    CPartXml arm = PinnedPart(1);
    arm.id = 1;
    arm.x = 1.0f;
    arm.connectedTo = 0;
    const std::string file = folder.Monster("m.xml", {base, arm});
    {
        CEditorWorld world;
        CMonster& monster = *world.LoadMonster(file, 0.0f, 0.0f);
        ASSERT_EQ(world.GetPinCount(), 1);
        monsters::CPin& pin = *world.GetPin(0);
        EXPECT_EQ(&pin.GetPart(), monster.GetPart(1));
        ASSERT_NE(pin.GetJoint(), nullptr);
        EXPECT_EQ(pin.GetJoint()->GetBodyB(), world.GetGroundBody());
        EXPECT_EQ(world.GetJoint(*monster.GetPart(1)), nullptr) << "no hinge in the editor";
        EXPECT_FLOAT_EQ(pin.GetWorldPoint().x, 0.5f);
        pin.Unpin();
        EXPECT_FALSE(pin.IsPinned());
        world.MovePart(*monster.GetPart(1), b2Vec2(1.0f, 0.0f));
        pin.Pin();
        EXPECT_FLOAT_EQ(pin.GetJoint()->GetAnchorA().x, 1.5f);
        world.Step();
    }
    monsters::CFightWorld fight(nullptr);
    CMonster& fighter = *fight.LoadMonster(file, 0.0f, 0.0f);
    auto* hinge = static_cast<b2RevoluteJoint*>(fight.GetJoint(*fighter.GetPart(1)));
    ASSERT_NE(hinge, nullptr);
    EXPECT_EQ(hinge->GetBodyB(), fight.GetBody(*fighter.GetPart(0)));
    EXPECT_TRUE(hinge->IsMotorEnabled());
    EXPECT_FLOAT_EQ(hinge->GetMotorSpeed(), 4.0f);
}

TEST(CEditorWorldTest, SavingAttachesAPinnedPartToTheBodyUnderItsPinAndRestoresTheEditor) {
    CGameFolder folder;
    CPartXml head = Part(0, 1, 0.0f);
    head.head = true;
    CEditorWorld world;
    CMonster& player = *world.LoadMonster(folder.Monster("player.xml", {head}), 3.0f, 0.0f);
    CMonster& loose = *world.LoadMonster(folder.Monster("part.xml", {PinnedPart(2)}), -8.0f, 0.0f);
    ASSERT_EQ(world.GetPinCount(), 1);
    // Drop the pin onto the head: the pin point goes to (3.2, 0.1).
    const b2Vec2 pinPoint = world.GetPin(0)->GetWorldPoint();
    world.GetPin(0)->Unpin();
    world.MoveMonster(loose, b2Vec2(3.2f, 0.1f) - pinPoint);
    world.GetPin(0)->Pin();
    world.GetBody(*player.GetPart(0))->SetTransform(b2Vec2(3.0f, 0.0f), 0.25f);
    const int headId = player.GetPart(0)->GetObjectId();

    ASSERT_TRUE(world.SavePlayerMonster("My Monsters/me.xml"));

    CMonster saved;
    ASSERT_TRUE(saved.LoadFromFile("My Monsters/me.xml"));
    ASSERT_EQ(saved.GetPartCount(), 2);
    const CMonsterBodyPart& savedHead = *saved.GetPart(0);
    const CMonsterBodyPart& savedArm = *saved.GetPart(1);
    EXPECT_TRUE(savedHead.IsHead());
    EXPECT_FLOAT_EQ(savedHead.GetLocalPosition().x, 0.0f) << "the head's body at the origin";
    EXPECT_FLOAT_EQ(savedHead.GetLocalPosition().y, 0.0f);
    EXPECT_FLOAT_EQ(savedHead.GetLocalRotation(), 0.25f);
    EXPECT_NEAR(savedArm.GetLocalPosition().x, 3.2f + 0.5f - 3.0f, 1e-5f);
    EXPECT_NEAR(savedArm.GetLocalPosition().y, 0.1f, 1e-5f);
    EXPECT_EQ(savedArm.GetConnectedToBody(), headId);
    EXPECT_TRUE(savedArm.IsPinJoint()) << "keeps its pin flag for the next editor load";

    // The editor is as it was: the part is still loose and pinned.
    ASSERT_EQ(world.GetMonsterCount(), 3);
    EXPECT_EQ(world.GetMonster(1)->GetPartCount(), 1);
    EXPECT_EQ(world.GetMonster(2)->GetPartCount(), 1);
    EXPECT_EQ(world.GetPinCount(), 1);
    EXPECT_NE(world.GetBody(*world.GetMonster(2)->GetPart(0)), nullptr);
    EXPECT_NE(testing_support::ReadFile(monsters::EDITOR_STATE_FILE).find("EditorRoot"),
              std::string::npos);

    // In a fight the part hangs on the head by its motorised hinge.
    monsters::CFightWorld fight(nullptr);
    CMonster& fighter = *fight.LoadMonster("My Monsters/me.xml", 0.0f, 0.0f);
    ASSERT_NE(fight.GetJoint(*fighter.GetPart(1)), nullptr);
    EXPECT_EQ(fight.GetJoint(*fighter.GetPart(1))->GetBodyB(), fight.GetBody(*fighter.GetPart(0)));
}

TEST(CEditorWorldTest, APinOverTheFloorAttachesToTheFloorAndNoHeadLeavesTheFileAlone) {
    CGameFolder folder;
    CPartXml head = Part(0, 1, 0.0f);
    head.head = true;
    CEditorWorld world;
    world.LoadMonster(folder.Monster("player.xml", {head}), 0.0f, 0.0f);
    CMonster& loose = *world.LoadMonster(folder.Monster("part.xml", {PinnedPart(2)}), 0.0f, 0.0f);
    world.MoveMonster(loose, b2Vec2(0.0f, 5.2f) - world.GetPin(0)->GetWorldPoint());
    ASSERT_TRUE(world.SavePlayerMonster("me.xml"));
    CMonster saved;
    saved.LoadFromFile("me.xml");
    EXPECT_EQ(saved.GetPartCount(), 1) << "the part went to the floor, not the player";

    CEditorWorld headless;
    headless.LoadMonster(folder.Monster("part.xml", {PinnedPart(2)}), 0.0f, 0.0f);
    folder.WriteFile("kept.xml", "old");
    EXPECT_FALSE(headless.SavePlayerMonster("kept.xml"));
    EXPECT_EQ(testing_support::ReadFile(folder.Path() / "kept.xml"), "old");
    EXPECT_EQ(headless.GetMonsterCount(), 2);
    EXPECT_EQ(headless.GetPinCount(), 1);
}

TEST(CEditorWorldTest, TheWorldSavesAndLoadsAsAnEditorRootFile) {
    CGameFolder folder;
    CEditorWorld world;
    world.LoadMonster(folder.Monster("m.xml", {Part(0, 1, 0), Part(1, 2, 2)}), 1.0f, -1.0f);
    ASSERT_TRUE(world.SaveToFile("state.xml"));

    CEditorWorld restored("no_floor.xml");
    EXPECT_EQ(restored.GetMonsterCount(), 1);
    EXPECT_EQ(restored.GetMonster(0)->GetPartCount(), 0) << "the editor has no floor fallback";
    monsters_test::CLogCapture log;
    EXPECT_FALSE(restored.LoadFromFile("missing.xml"));
    EXPECT_EQ(restored.GetMonsterCount(), 1);
    ASSERT_TRUE(restored.LoadFromFile("state.xml"));
    ASSERT_EQ(restored.GetMonsterCount(), 3);
    EXPECT_EQ(restored.GetMonster(0)->GetCollisionGroup(), CEditorWorld::FLOOR_GROUP);
    EXPECT_EQ(restored.GetMonster(2)->GetCollisionGroup(), CEditorWorld::MONSTER_GROUP);
    const b2Body* body = restored.GetBody(*restored.GetMonster(2)->GetPart(0));
    ASSERT_NE(body, nullptr);
    EXPECT_FLOAT_EQ(body->GetPosition().x, 3.0f);
    EXPECT_FLOAT_EQ(body->GetPosition().y, -1.0f);
}

TEST(CEditorWorldTest, AMouseJointPullsALoosePartAtFiveHertz) {
    CGameFolder folder;
    CEditorWorld world;
    CMonster& loose = *world.LoadMonster(folder.Monster("part.xml", {Part(0, 1, 0)}), 0, 0);
    b2Body* body = world.GetBody(*loose.GetPart(0));
    // Grabbed at its centre, then dragged 2 m to the right.
    b2MouseJoint* joint = world.CreateMouseJoint(body, b2Vec2(0.0f, 0.0f));
    ASSERT_NE(joint, nullptr);
    joint->SetTarget(b2Vec2(2.0f, 0.0f));
    EXPECT_TRUE(body->IsAwake());
    float stiffness = 0.0f;
    float damping = 0.0f;
    b2LinearStiffness(stiffness, damping, 5.0f, 0.7f, world.GetGroundBody(), body);
    EXPECT_FLOAT_EQ(joint->GetStiffness(), stiffness);
    EXPECT_FLOAT_EQ(joint->GetDamping(), damping);
    EXPECT_FLOAT_EQ(joint->GetMaxForce(), 1000.0f * body->GetMass());
    for (int i = 0; i < 120; ++i)
        world.Step();
    EXPECT_NEAR(body->GetPosition().x, 2.0f, 0.05f);
    world.DestroyMouseJoint(joint);
    EXPECT_EQ(world.CreateMouseJoint(world.GetBody(*world.GetMonster(0)->GetPart(0)), b2Vec2(0, 0)),
              nullptr)
        << "the static floor cannot be dragged";
}

// The game's round: the saved monster and a shelf part into the editor, test
// fights (save, then the editor read back from its state file), Quit (save),
// and again. The saved ids grow by the offset each round; they must stay
// unique, or a hinge finds the wrong partner or none in the fight.
TEST(CEditorWorldTest, EditorRoundsKeepTheSavedMonstersIdsUniqueAndItsHingesWhole) {
    CGameFolder folder;
    // A monster as the editor saves it: ids raised to 10, 20, ..., every part
    // bought separately and pinned, the first part a bar that the head, a
    // second bar and (through the head) a spike hang on.
    CPartXml bar = PinnedPart(2);
    bar.id = 20;
    bar.anchorX = 0.0f;
    bar.connectedTo = 20;  // itself: no hinge
    CPartXml head = PinnedPart(1);
    head.id = 10;
    head.head = true;
    head.shape = 0;
    head.extentX = 0.5f;
    head.y = -0.6f;
    head.anchorX = 0.0f;
    head.anchorY = 0.55f;
    head.connectedTo = 20;
    CPartXml outer = PinnedPart(3);
    outer.id = 30;
    outer.x = 0.8f;
    outer.anchorX = -0.4f;
    outer.connectedTo = 20;
    CPartXml spike = PinnedPart(4);
    spike.id = 40;
    spike.y = -1.2f;
    spike.anchorX = 0.0f;
    spike.anchorY = 0.3f;
    spike.connectedTo = 10;
    const std::string playerFile = folder.Monster("My Monsters/me.xml", {bar, head, outer, spike});
    const std::string shelfPart = folder.Monster("data/parts/blade.xml", {PinnedPart(5)});

    testing_support::CLogCapture log;
    for (int round = 0; round < 4; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        CEditorWorld world;
        world.LoadMonster(playerFile, 0.0f, 0.0f);
        CMonster& shelf = *world.LoadMonster(shelfPart, -8.0f, 3.0f);
        // A test fight and back.
        ASSERT_TRUE(world.SavePlayerMonster(monsters::EDITOR_MONSTER_FILE));
        ASSERT_TRUE(world.LoadFromFile(monsters::EDITOR_STATE_FILE));
        if (round == 1) {
            // The shelf part is built in: its pin dropped on the second bar.
            // Its id must not be one the monster already uses.
            CMonster& loose = *world.GetMonster(world.GetMonsterCount() - 1);
            ASSERT_NE(&loose, &shelf) << "the editor was read back";
            monsters::CPin& pin = *world.GetPin(world.GetPinCount() - 1);
            ASSERT_EQ(&pin.GetPart(), loose.GetPart(0));
            const CMonsterBodyPart* second = nullptr;
            for (int m = 0; m < world.GetMonsterCount(); ++m)
                for (int p = 0; p < world.GetMonster(m)->GetPartCount(); ++p)
                    if (world.GetMonster(m)->GetPart(p)->GetShopUid() == 3)
                        second = world.GetMonster(m)->GetPart(p);
            ASSERT_NE(second, nullptr);
            const b2Vec2 onto = world.GetBody(*second)->GetPosition() + b2Vec2(0.2f, 0.0f);
            const b2Vec2 from = pin.GetWorldPoint();
            pin.Unpin();
            world.MoveMonster(loose, onto - from);
            pin.Pin();
        }
        ASSERT_TRUE(world.SavePlayerMonster(playerFile));

        const int parts = round < 1 ? 4 : 5;
        CMonster saved;
        ASSERT_TRUE(saved.LoadFromFile(playerFile));
        ASSERT_EQ(saved.GetPartCount(), parts);
        std::set<int> ids;
        for (int i = 0; i < saved.GetPartCount(); ++i)
            EXPECT_TRUE(ids.insert(saved.GetPart(i)->GetObjectId()).second)
                << "id " << saved.GetPart(i)->GetObjectId() << " given twice";

        // In a fight every pinned part hangs on the part it was pinned to.
        monsters::CFightWorld fight(nullptr);
        CMonster& fighter = *fight.LoadMonster(playerFile, 0.0f, 0.0f);
        ASSERT_EQ(fighter.GetPartCount(), parts);
        EXPECT_EQ(fight.GetJoint(*fighter.GetPart(0)), nullptr);
        const int expectedPartner[] = {-1, 0, 0, 1, 2};
        for (int i = 1; i < parts; ++i) {
            b2Joint* joint = fight.GetJoint(*fighter.GetPart(i));
            ASSERT_NE(joint, nullptr) << "part " << i << " lost its hinge";
            EXPECT_EQ(joint->GetBodyB(), fight.GetBody(*fighter.GetPart(expectedPartner[i])))
                << "part " << i << " hinged to the wrong part";
        }
    }
    EXPECT_EQ(log.Count("no body in its group"), 0);
}
