#include "monsters/CPhysicsWorld.h"

#include <gtest/gtest.h>

#include <box2d/box2d.h>

#include <cmath>

#include "MonstersTestSupport.h"
#include "PhysicsTestSupport.h"
#include "monsters/CEditorWorld.h"
#include "monsters/CFightWorld.h"
#include "monsters/CMonster.h"
#include "monsters/CMonsterBodyPart.h"
#include "monsters/PartChecks.h"
#include "vorn/utils/xml/Xml.h"

using monsters::CEditorWorld;
using monsters::CFightWorld;
using monsters::CMonster;
using monsters::CMonsterBodyPart;
using monsters_test::CGameFolder;
using monsters_test::CPartXml;

namespace {

b2Vec2 Extents(const b2Body* body) {
    const auto* box = static_cast<const b2PolygonShape*>(body->GetFixtureList()->GetShape());
    b2Vec2 high(-1e9f, -1e9f);
    for (int i = 0; i < box->m_count; ++i)
        high = b2Max(high, box->m_vertices[i]);
    return high;
}

// A static base with an arm hinged to it at the base's centre.
std::vector<CPartXml> BaseAndArm(float armRotation = 0.0f) {
    CPartXml base;
    base.density = 0.0f;
    base.extentX = base.extentY = 0.2f;
    CPartXml arm;
    arm.id = 1;
    arm.x = 1.0f;
    arm.extentX = 1.0f;
    arm.extentY = 0.1f;
    arm.rotation = armRotation;
    arm.joint = true;
    arm.connectedTo = 0;
    arm.anchorX = -1.0f;
    return {base, arm};
}

}  // namespace

TEST(CPhysicsWorldTest, PartsBecomeBoxesOfHalfSizesCirclesAndStaticBodiesForDensityZero) {
    CGameFolder folder;
    CPartXml box;
    box.extentX = 0.5f;
    box.extentY = 0.25f;
    box.friction = 0.3f;
    box.restitution = 0.2f;
    CPartXml circle;
    circle.id = 1;
    circle.shape = 0;
    circle.x = 3.0f;
    circle.extentX = 0.75f;
    circle.extentY = 99.0f;
    CPartXml fixed;
    fixed.id = 2;
    fixed.x = -3.0f;
    fixed.density = 0.0f;
    CFightWorld world(nullptr);
    CMonster& monster =
        *world.LoadMonster(folder.Monster("m.xml", {box, circle, fixed}), 1.0f, -2.0f);
    const b2Body* boxBody = world.GetBody(*monster.GetPart(0));
    ASSERT_NE(boxBody, nullptr);
    const b2Vec2 half = Extents(boxBody);
    EXPECT_FLOAT_EQ(half.x, 0.5f) << "1.0 wide";
    EXPECT_FLOAT_EQ(half.y, 0.25f) << "0.5 high";
    EXPECT_FLOAT_EQ(boxBody->GetFixtureList()->GetFriction(), 0.3f);
    EXPECT_FLOAT_EQ(boxBody->GetFixtureList()->GetRestitution(), 0.2f);
    EXPECT_EQ(boxBody->GetType(), b2_dynamicBody);
    EXPECT_EQ(monsters::CPhysicsWorld::GetPartOfBody(boxBody), monster.GetPart(0));
    // Moved by the load position, together with the part's own position.
    EXPECT_FLOAT_EQ(boxBody->GetPosition().x, 1.0f);
    EXPECT_FLOAT_EQ(boxBody->GetPosition().y, -2.0f);
    EXPECT_FLOAT_EQ(monster.GetPart(0)->GetLocalPosition().y, -2.0f);

    const b2Body* circleBody = world.GetBody(*monster.GetPart(1));
    ASSERT_EQ(circleBody->GetFixtureList()->GetType(), b2Shape::e_circle);
    EXPECT_FLOAT_EQ(circleBody->GetFixtureList()->GetShape()->m_radius, 0.75f);

    const b2Body* fixedBody = world.GetBody(*monster.GetPart(2));
    EXPECT_EQ(fixedBody->GetType(), b2_staticBody);
    for (int i = 0; i < 30; ++i)
        world.Step();
    EXPECT_FLOAT_EQ(fixedBody->GetPosition().y, -2.0f) << "density 0 does not fall";
    EXPECT_GT(boxBody->GetPosition().y, -1.0f) << "the others fall";
}

TEST(CPhysicsWorldTest, HingeMotorsTurnAtTheirSpeedAndLimitsHold) {
    CGameFolder folder;
    std::vector<CPartXml> motorised = BaseAndArm();
    motorised[1].motor = true;
    motorised[1].speed = 2.0f;
    motorised[1].torque = 1000.0f;
    std::vector<CPartXml> limited = BaseAndArm();
    limited[1].limit = true;
    limited[1].lower = -0.5f;
    limited[1].upper = 0.3f;
    limited[1].motor = true;
    limited[1].speed = -3.0f;  // drives the arm down, towards +angle
    limited[1].torque = 1000.0f;
    CFightWorld world(nullptr);
    CMonster& free = *world.LoadMonster(folder.Monster("a.xml", motorised), -5.0f, -3.0f);
    CMonster& stopped = *world.LoadMonster(folder.Monster("b.xml", limited), 5.0f, -3.0f);
    for (int i = 0; i < 120; ++i)
        world.Step();
    auto* spinning = static_cast<b2RevoluteJoint*>(world.GetJoint(*free.GetPart(1)));
    ASSERT_NE(spinning, nullptr);
    EXPECT_TRUE(spinning->IsMotorEnabled());
    EXPECT_NEAR(spinning->GetJointSpeed(), 2.0f, 0.01f);
    // The joint angle is the partner's rotation minus the part's.
    EXPECT_NEAR(world.GetBody(*free.GetPart(1))->GetAngularVelocity(), -2.0f, 0.01f);

    auto* held = static_cast<b2RevoluteJoint*>(world.GetJoint(*stopped.GetPart(1)));
    ASSERT_NE(held, nullptr);
    EXPECT_NEAR(held->GetJointAngle(), -0.5f, 0.02f);
    EXPECT_NEAR(world.GetBody(*stopped.GetPart(1))->GetAngle(), 0.5f, 0.02f);
}

TEST(CPhysicsWorldTest, JointAnglesAreMeasuredFromZeroNotFromThePoseAtLoading) {
    CGameFolder folder;
    CFightWorld world(nullptr);
    CMonster& monster = *world.LoadMonster(folder.Monster("m.xml", BaseAndArm(0.3f)), 0, -3);
    auto* joint = static_cast<b2RevoluteJoint*>(world.GetJoint(*monster.GetPart(1)));
    ASSERT_NE(joint, nullptr);
    EXPECT_NEAR(joint->GetJointAngle(), -0.3f, 1e-5f);
    EXPECT_FLOAT_EQ(joint->GetReferenceAngle(), 0.0f);
}

TEST(CPhysicsWorldTest, AHingeToAMissingPartnerGivesNoJointAndThePartFallsFreely) {
    CGameFolder folder;
    std::vector<CPartXml> parts = BaseAndArm();
    parts[1].connectedTo = 7;
    monsters_test::CLogCapture log;
    CFightWorld world(nullptr);
    CMonster& monster = *world.LoadMonster(folder.Monster("m.xml", parts), 0.0f, -3.0f);
    EXPECT_EQ(world.GetJoint(*monster.GetPart(1)), nullptr);
    EXPECT_EQ(world.FindHingePartner(*monster.GetPart(1)), nullptr);
    EXPECT_EQ(log.Count(-1, "Monster part 11 is hinged to part 17, which has no body"), 1);
    for (int i = 0; i < 30; ++i)
        world.Step();
    EXPECT_GT(world.GetBody(*monster.GetPart(1))->GetPosition().y, -2.0f);
}

TEST(CPhysicsWorldTest, AHingeNamingItsOwnPartIsNoHingeAndNoWarning) {
    // What the editor saves for the part every other part was pinned onto.
    CGameFolder folder;
    std::vector<CPartXml> parts = BaseAndArm();
    parts[1].connectedTo = 1;
    monsters_test::CLogCapture log;
    CFightWorld world(nullptr);
    CMonster& monster = *world.LoadMonster(folder.Monster("m.xml", parts), 0.0f, -3.0f);
    EXPECT_EQ(world.GetJoint(*monster.GetPart(1)), nullptr);
    EXPECT_EQ(log.Count(-1, "hinged to part"), 0) << log.All();
    EXPECT_TRUE(monsters::CheckMonster(monster).size() == 1u) << "only the missing head";
}

TEST(CPhysicsWorldTest, AMonsterFileThatCannotBeReadCostsOneWarningLine) {
    CGameFolder folder;
    monsters_test::CLogCapture log;
    CEditorWorld world("no_floor.xml");
    log.Clear();
    CMonster* monster = world.LoadMonster("nowhere/missing.xml", 0.0f, 0.0f);
    ASSERT_NE(monster, nullptr);
    EXPECT_EQ(monster->GetPartCount(), 0);
    EXPECT_EQ(log.Count(-1, "[WARNING] Monster file nowhere/missing.xml could not be read"), 1)
        << log.All();
    EXPECT_EQ(log.Count(-1, "[WARNING]"), 1) << log.All();
}

TEST(CPhysicsWorldTest, PartsWithShapesBox2DCannotMakeGetNoBodyAndTheRestLoads) {
    CGameFolder folder;
    std::vector<CPartXml> parts;
    auto add = [&](auto change) {
        CPartXml part;
        part.id = int(parts.size());
        part.x = float(parts.size()) * 2.0f - 10.0f;
        change(part);
        parts.push_back(part);
    };
    add([](CPartXml& p) { p.shape = 2; });
    add([](CPartXml& p) { p.extentX = 0.0f; });
    add([](CPartXml& p) { p.extentY = -1.0f; });
    add([](CPartXml& p) { p.extentText = "nan"; });
    add([](CPartXml& p) {
        p.shape = 0;
        p.extentX = -0.5f;
    });
    add([](CPartXml& p) { p.density = -1.0f; });
    add([](CPartXml& p) { p.density = 2.0e6f; });
    add([](CPartXml& p) { p.extentX = 1.0e4f; });
    add([](CPartXml& p) { p.head = true; });  // the one good part
    add([](CPartXml& p) {                     // limits the wrong way round are swapped
        p.joint = true;
        p.connectedTo = 8;
        p.limit = true;
        p.lower = 0.5f;
        p.upper = -0.5f;
        p.friction = -2.0f;
    });
    monsters_test::CLogCapture log;
    CFightWorld world(nullptr);
    CMonster& monster = *world.LoadMonster(folder.Monster("bad.xml", parts), 0.0f, 0.0f);
    ASSERT_EQ(monster.GetPartCount(), int(parts.size())) << "bad parts stay in the monster";
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(world.GetBody(*monster.GetPart(i)), nullptr) << "part " << i;
    EXPECT_NE(world.GetBody(*monster.GetPart(8)), nullptr);
    const b2Body* mended = world.GetBody(*monster.GetPart(9));
    ASSERT_NE(mended, nullptr);
    EXPECT_FLOAT_EQ(mended->GetFixtureList()->GetFriction(), 0.0f);
    auto* joint = static_cast<b2RevoluteJoint*>(world.GetJoint(*monster.GetPart(9)));
    ASSERT_NE(joint, nullptr);
    EXPECT_FLOAT_EQ(joint->GetLowerLimit(), -0.5f);
    EXPECT_FLOAT_EQ(joint->GetUpperLimit(), 0.5f);
    EXPECT_GE(log.Count(-1, "[WARNING] Monster file bad.xml"), 10);
    EXPECT_EQ(log.Count(-1, "neither box (1) nor circle (0)"), 1);
    for (int i = 0; i < 60; ++i)
        world.Step();
    // The shape-2 part is saved again unchanged.
    EXPECT_NE(vorn::SaveObjectToXmlText(monster, "Monster").find("physics_shape_type=\"2\""),
              std::string::npos);
}

TEST(CPhysicsWorldTest, ABodyThatLeavesTheWorldBoxStopsAndCanNoLongerBeHitOrFound) {
    CGameFolder folder;
    CPartXml inside;
    CPartXml outside;
    outside.id = 1;
    outside.x = 60.0f;
    CFightWorld world(nullptr);
    CMonster& monster = *world.LoadMonster(folder.Monster("m.xml", {inside, outside}), 0, -2);
    b2Body* flung = world.GetBody(*monster.GetPart(0));
    EXPECT_FALSE(world.GetBody(*monster.GetPart(1))->IsEnabled()) << "made outside the box";
    EXPECT_TRUE(flung->IsEnabled());
    EXPECT_EQ(world.QueryBodiesAt(b2Vec2(0.0f, -2.0f)).size(), 1u);

    flung->SetLinearVelocity(b2Vec2(0.0f, -100.0f));
    flung->SetGravityScale(0.0f);
    int steps = 0;
    while (flung->IsEnabled() && steps < 100) {
        world.Step();
        ++steps;
    }
    EXPECT_LT(steps, 100);
    const b2Vec2 frozen = flung->GetPosition();
    EXPECT_LT(frozen.y, -50.0f);
    for (int i = 0; i < 10; ++i)
        world.Step();
    EXPECT_EQ(flung->GetPosition(), frozen) << "a frozen body stays where it left";
    EXPECT_TRUE(world.QueryBodiesAt(frozen).empty());
    EXPECT_EQ(flung->GetContactList(), nullptr);
}

TEST(CPhysicsWorldTest, MovingAMonsterMovesItsBodiesAndPartsAndSleepingStopsThem) {
    CGameFolder folder;
    CEditorWorld world;
    CMonster& monster = *world.LoadMonster(folder.Monster("m.xml", BaseAndArm()), 1.0f, 1.0f);
    b2Body* arm = world.GetBody(*monster.GetPart(1));
    EXPECT_FALSE(arm->IsAwake()) << "editor bodies start asleep";
    EXPECT_FLOAT_EQ(arm->GetLinearDamping(), 0.1f);
    EXPECT_FALSE(
        static_cast<b2RevoluteJoint*>(world.GetJoint(*monster.GetPart(1)))->IsMotorEnabled());
    world.MoveMonster(monster, b2Vec2(2.0f, -1.0f));
    EXPECT_FLOAT_EQ(arm->GetPosition().x, 4.0f);
    EXPECT_FLOAT_EQ(arm->GetPosition().y, 0.0f);
    EXPECT_FLOAT_EQ(monster.GetPart(1)->GetLocalPosition().x, 4.0f);
    EXPECT_FLOAT_EQ(world.GetWorldAnchor(*monster.GetPart(1)).x, 3.0f);

    world.WakeUp(monster);
    arm->SetAngularVelocity(1.0f);
    world.Step();
    EXPECT_TRUE(arm->IsAwake());
    world.PutToSleep(monster);
    EXPECT_FALSE(arm->IsAwake());
    EXPECT_FLOAT_EQ(arm->GetAngularVelocity(), 0.0f);

    world.DestroyMonsterPhysics(monster);
    EXPECT_EQ(world.GetBody(*monster.GetPart(1)), nullptr);
    EXPECT_EQ(world.GetBox2DWorld()->GetJointCount(), 0);
}
