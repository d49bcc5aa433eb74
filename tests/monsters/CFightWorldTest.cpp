#include "monsters/CFightWorld.h"

#include <gtest/gtest.h>

#include <box2d/box2d.h>

#include "MonstersTestSupport.h"
#include "PhysicsTestSupport.h"
#include "monsters/CMonster.h"
#include "monsters/CMonsterBodyPart.h"
#include "monsters/Combat.h"
#include "vorn/gfx/CSliderSprite.h"

using monsters::CFightWorld;
using monsters::CMonster;
using monsters::CMonsterBodyPart;
using monsters_test::CGameFolder;
using monsters_test::CPartXml;
using monsters_test::CRecordingReceiver;

namespace {

// A slider sprite file whose two parts have no images.
const char* const SLIDER_FILE =
    "<sprite type=\"sprite_slider\" ><BottomRect h=\"20\" w=\"100\" x=\"0\" y=\"0\" "
    "></BottomRect><TopRect h=\"10\" w=\"100\" x=\"0\" y=\"0\" ></TopRect><TopSprite>none.bmp"
    "</TopSprite><BottomSprite>none.bmp</BottomSprite><Value>1</Value></sprite>";

}  // namespace

TEST(CFightWorldTest, FightersGetTheirGroupsAndIdOffsetsAndCollideOnlyWithOtherMonsters) {
    CGameFolder folder;
    // The player's two boxes overlap each other; the opponent's overlaps the player's.
    CPartXml first;
    CPartXml second;
    second.id = 1;
    second.y = 0.2f;
    CPartXml other;
    other.x = 0.6f;
    CRecordingReceiver receiver;
    CFightWorld world(&receiver);
    world.LoadMonster(folder.Monster("player.xml", {first, second}), 0.0f, 0.0f);
    world.LoadMonster(folder.Monster("opponent.xml", {other}), 0.0f, 0.0f);
    ASSERT_EQ(world.GetMonsterCount(), 3);

    EXPECT_EQ(world.GetMonster(0)->GetCollisionGroup(), CFightWorld::FLOOR_GROUP);
    EXPECT_EQ(world.GetMonster(1)->GetCollisionGroup(), -1);
    EXPECT_EQ(world.GetMonster(2)->GetCollisionGroup(), -2);
    CMonsterBodyPart* playerA = world.GetMonster(1)->GetPart(0);
    CMonsterBodyPart* playerB = world.GetMonster(1)->GetPart(1);
    CMonsterBodyPart* opponent = world.GetMonster(2)->GetPart(0);
    EXPECT_EQ(playerA->GetObjectId(), 10);
    EXPECT_EQ(playerB->GetObjectId(), 11);
    EXPECT_EQ(opponent->GetObjectId(), 20);
    EXPECT_EQ(world.GetBody(*opponent)->GetFixtureList()->GetFilterData().groupIndex, -2);

    world.Step();
    b2World& box2d = *world.GetBox2DWorld();
    EXPECT_FALSE(monsters_test::Touching(box2d, world.GetBody(*playerA), world.GetBody(*playerB)))
        << "parts of one monster must never collide";
    EXPECT_TRUE(monsters_test::Touching(box2d, world.GetBody(*playerA), world.GetBody(*opponent)))
        << "parts of different monsters collide";

    for (int i = 0; i < 300; ++i)
        world.Step();
    const b2Body* floor = world.GetBody(*world.GetMonster(0)->GetPart(0));
    for (CMonsterBodyPart* part : {playerA, playerB, opponent}) {
        EXPECT_TRUE(monsters_test::Touching(box2d, world.GetBody(*part), floor))
            << "part " << part->GetObjectId() << " does not rest on the floor";
        EXPECT_NEAR(world.GetBody(*part)->GetPosition().y, 4.5f, 0.05f);
    }
    // Resting on the floor costs nothing; the collisions between the fighters did.
    EXPECT_LT(opponent->GetHitPoints(), 1.0f);
}

TEST(CFightWorldTest, AnEmptyOrMissingFighterFileFightsWithTheStandardMonster) {
    CGameFolder folder;
    folder.WriteFile("empty.xml", "");
    folder.WriteFile("no_parts.xml", "<Monster></Monster>");
    for (const char* file : {"empty.xml", "no_parts.xml", "missing.xml"}) {
        CFightWorld world(nullptr);
        CMonster* monster = world.LoadMonster(file, -10.0f, 0.0f);
        ASSERT_EQ(monster->GetPartCount(), 1) << file;
        EXPECT_FLOAT_EQ(monster->GetPart(0)->GetHitPoints(), 7.0f) << file;
        EXPECT_EQ(monster->GetPart(0)->GetCollisionGroup(), -1) << file;
        EXPECT_FLOAT_EQ(world.GetBody(*monster->GetPart(0))->GetPosition().x, -10.0f) << file;
    }
}

TEST(CFightWorldTest, AMissingFloorIsReplacedByTheStandardMonsterThatNeitherDealsNorTakesDamage) {
    CGameFolder folder;
    std::filesystem::remove(folder.Path() / "temp/floor.xml");
    CFightWorld world(nullptr);
    ASSERT_EQ(world.GetMonsterCount(), 1);
    CMonster* floor = world.GetMonster(0);
    ASSERT_EQ(floor->GetPartCount(), 1);
    EXPECT_FLOAT_EQ(floor->GetPart(0)->GetHitPoints(), 7.0f);
    EXPECT_EQ(floor->GetPart(0)->GetCollisionGroup(), CFightWorld::FLOOR_GROUP);
    // A fighter thrown onto it (both fall): the two touch, nobody loses hit points.
    world.LoadMonster(folder.Monster("player.xml", {monsters_test::HeadPart(0.0f, -1.5f)}), 0, 0);
    world.GetBody(*world.GetMonster(1)->GetPart(0))->SetLinearVelocity(b2Vec2(0.0f, 20.0f));
    for (int i = 0; i < 5; ++i)
        world.Step();
    EXPECT_TRUE(monsters_test::Touching(*world.GetBox2DWorld(),
                                        world.GetBody(*world.GetMonster(1)->GetPart(0)),
                                        world.GetBody(*floor->GetPart(0))));
    EXPECT_FLOAT_EQ(floor->GetPart(0)->GetHitPoints(), 7.0f);
    EXPECT_FLOAT_EQ(world.GetMonster(1)->GetPart(0)->GetHitPoints(), 1.0f);
}

TEST(CFightWorldTest, HitsFollowTheDamageArithmetic) {
    // The examples: impulse 100 between default parts takes 0.055 from each.
    EXPECT_FLOAT_EQ(monsters::combat::HitPointLoss(1.0f, monsters::combat::AttackDamage(1, 1, 100)),
                    0.055f);
    CGameFolder folder;
    CPartXml victim;
    CPartXml armoured;
    armoured.id = 1;
    armoured.x = 3.0f;
    armoured.armor = 2.1f;
    CPartXml attacker;
    attacker.damage = 2.0f;
    CFightWorld world(nullptr);
    world.LoadMonster(folder.Monster("player.xml", {victim, armoured}), -5.0f, 0.0f);
    world.LoadMonster(folder.Monster("opponent.xml", {attacker}), 5.0f, 0.0f);
    CMonsterBodyPart& plain = *world.GetMonster(1)->GetPart(0);
    CMonsterBodyPart& shielded = *world.GetMonster(1)->GetPart(1);
    CMonsterBodyPart& hitter = *world.GetMonster(2)->GetPart(0);

    world.ApplyHit(plain, hitter, 100.0f);  // d = 2 x 0.001 x 100 = 0.2; armour 1 takes 55 %
    EXPECT_FLOAT_EQ(plain.GetHitPoints(), 1.0f - 0.11f);
    world.ApplyHit(shielded, hitter, 1.0e6f);  // armour 2.1 takes nothing
    EXPECT_FLOAT_EQ(shielded.GetHitPoints(), 1.0f);
    // A negative tangent impulse larger than the normal one heals.
    world.ApplyHit(plain, hitter, 50.0f - 80.0f);
    EXPECT_FLOAT_EQ(plain.GetHitPoints(), 0.89f + 0.033f);
    // A destroyed attacker deals nothing.
    hitter.SetHitPoints(-0.5f);
    world.ApplyHit(plain, hitter, 1000.0f);
    EXPECT_FLOAT_EQ(plain.GetHitPoints(), 0.923f);
}

TEST(CFightWorldTest, APartBelowZeroHitPointsLosesItsHingeAndFallsOff) {
    CGameFolder folder;
    CPartXml base = monsters_test::HeadPart();
    base.density = 0.0f;  // hangs in the air
    CPartXml arm;
    arm.id = 1;
    arm.x = 1.5f;
    arm.joint = true;
    arm.connectedTo = 0;
    arm.anchorX = -1.0f;
    CFightWorld world(nullptr);
    world.LoadMonster(folder.Monster("player.xml", {base, arm}), 0.0f, -2.0f);
    CMonsterBodyPart& part = *world.GetMonster(1)->GetPart(1);
    ASSERT_NE(world.GetJoint(part), nullptr);
    for (int i = 0; i < 30; ++i)
        world.Step();
    const float hangingY = world.GetBody(part)->GetPosition().y;
    EXPECT_LT(hangingY, 0.0f) << "the hinged arm should swing, not fall";

    part.SetHitPoints(0.01f);
    world.LoadMonster(folder.Monster("opponent.xml", {monsters_test::HeadPart(8, 0)}), 0, 0);
    world.ApplyHit(part, *world.GetMonster(2)->GetPart(0), 100.0f);
    EXPECT_LT(part.GetHitPoints(), 0.0f);
    EXPECT_EQ(world.GetJoint(part), nullptr);
    for (int i = 0; i < 30; ++i)
        world.Step();
    EXPECT_GT(world.GetBody(part)->GetPosition().y, hangingY + 1.0f) << "the arm should fall";
    EXPECT_FALSE(world.GetMonster(1)->IsDead()) << "an arm is not a head";
}

TEST(CFightWorldTest, AHeadKilledByAContactEndsTheFightInThatStep) {
    CGameFolder folder;
    // The player's static hammer; the opponent's fragile head falls onto it,
    // with an arm hinged to it.
    CPartXml hammer = monsters_test::HeadPart();
    hammer.density = 0.0f;
    hammer.damage = 5.0f;
    CPartXml head = monsters_test::HeadPart(0.0f, -2.0f);
    head.hitPoints = 0.001f;
    CPartXml arm;
    arm.id = 1;
    arm.x = 1.2f;
    arm.y = -2.0f;
    arm.extentY = 0.2f;
    arm.joint = true;
    arm.anchorX = -0.6f;
    CRecordingReceiver receiver;
    CFightWorld world(&receiver);
    world.LoadMonster(folder.Monster("player.xml", {hammer}), 0.0f, 0.0f);
    world.LoadMonster(folder.Monster("opponent.xml", {head, arm}), 0.0f, 0.0f);
    CMonster& opponent = *world.GetMonster(2);
    ASSERT_NE(world.GetJoint(*opponent.GetPart(1)), nullptr);

    int step = 0;
    while (opponent.GetPart(0)->GetHitPoints() >= 0.0f && step < 200) {
        EXPECT_EQ(receiver.wins, 0);
        world.Step();
        ++step;
    }
    ASSERT_LT(step, 200) << "the head never got hit";
    EXPECT_EQ(receiver.wins, 1) << "the win must be reported in the step that killed the head";
    EXPECT_EQ(receiver.losses, 0);
    EXPECT_EQ(world.GetWinOrLoseReceiver(), nullptr);
    EXPECT_TRUE(opponent.IsDead());
    EXPECT_LT(opponent.GetPart(1)->GetHitPoints(), 0.0f) << "the head takes its monster along";
    EXPECT_EQ(world.GetJoint(*opponent.GetPart(1)), nullptr);
    for (int i = 0; i < 20; ++i)
        world.Step();
    EXPECT_EQ(receiver.wins, 1) << "reported once";
}

TEST(CFightWorldTest, ThePlayerIsLookedAtFirstAndTheOutcomeIsReportedOnce) {
    CGameFolder folder;
    CRecordingReceiver receiver;
    CFightWorld world(&receiver);
    world.LoadMonster(folder.Monster("player.xml", {monsters_test::HeadPart(-5, 0)}), 0, 0);
    world.LoadMonster(folder.Monster("opponent.xml", {monsters_test::HeadPart(5, 0)}), 0, 0);
    world.KillMonster(*world.GetMonster(2));
    world.KillMonster(*world.GetMonster(1));
    world.Step();
    world.Step();
    EXPECT_EQ(receiver.losses, 1);
    EXPECT_EQ(receiver.wins, 0);
    // A head destroyed with exactly 0 hit points counts as destroyed.
    CMonsterBodyPart& head = *world.GetMonster(1)->GetPart(0);
    EXPECT_LT(head.GetHitPoints(), 0.0f);
}

TEST(CFightWorldTest, HealthBarsAppearWithTwoFightersAndShowTheHeads) {
    CGameFolder folder;
    folder.WriteFile(CFightWorld::HEALTH_BAR_FILES[0], SLIDER_FILE);
    folder.WriteFile(CFightWorld::HEALTH_BAR_FILES[1], SLIDER_FILE);
    CPartXml headless;
    headless.x = 5.0f;
    CPartXml head = monsters_test::HeadPart(-5, 0);
    head.hitPoints = 4.0f;
    CFightWorld world(nullptr);
    world.LoadMonster(folder.Monster("player.xml", {head}), 0, 0);
    EXPECT_EQ(world.GetHealthBar(1), nullptr) << "a test fight has no health bars";
    world.LoadMonster(folder.Monster("opponent.xml", {headless}), 0, 0);
    ASSERT_NE(world.GetHealthBar(1), nullptr);
    ASSERT_NE(world.GetHealthBar(2), nullptr);
    world.GetMonster(1)->GetPart(0)->SetHitPoints(1.0f);
    world.Step();
    EXPECT_FLOAT_EQ(world.GetHealthBar(1)->GetValue(), 0.25f);
    EXPECT_FLOAT_EQ(world.GetHealthBar(2)->GetValue(), 0.0f) << "no head shows 0";
    world.GetMonster(1)->GetPart(0)->SetHitPoints(9.0f);
    world.Step();
    EXPECT_FLOAT_EQ(world.GetHealthBar(1)->GetValue(), 1.0f) << "the bar is clamped";
}

TEST(CFightWorldTest, AHealthBarFileThatIsNoSliderGivesNoBar) {
    CGameFolder folder;
    folder.WriteFile(CFightWorld::HEALTH_BAR_FILES[0], "<sprite type=\"sprite_base\" ></sprite>");
    folder.WriteFile(CFightWorld::HEALTH_BAR_FILES[1], SLIDER_FILE);
    monsters_test::CLogCapture log;
    CFightWorld world(nullptr);
    world.LoadMonster(folder.Monster("player.xml", {monsters_test::HeadPart(-5, 0)}), 0, 0);
    world.LoadMonster(folder.Monster("opponent.xml", {monsters_test::HeadPart(5, 0)}), 0, 0);
    EXPECT_EQ(world.GetHealthBar(1), nullptr);
    EXPECT_NE(world.GetHealthBar(2), nullptr);
    EXPECT_EQ(log.Count(-1, "not a slider sprite"), 1);
    world.Step();
}

TEST(CFightWorldTest, AMonsterWithoutAHeadNeverDies) {
    CGameFolder folder;
    CRecordingReceiver receiver;
    CFightWorld world(&receiver);
    CPartXml part;
    world.LoadMonster(folder.Monster("player.xml", {part}), 0, 0);
    CMonsterBodyPart& only = *world.GetMonster(1)->GetPart(0);
    world.DestroyPart(only);
    world.Step();
    EXPECT_LT(only.GetHitPoints(), 0.0f);
    EXPECT_FALSE(world.GetMonster(1)->IsDead());
    EXPECT_EQ(receiver.losses + receiver.wins, 0);
}
