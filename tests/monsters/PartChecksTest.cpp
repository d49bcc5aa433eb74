#include "monsters/PartChecks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "monsters/CMonster.h"
#include "monsters/CMonsterBodyPart.h"

using monsters::CMonster;
using monsters::CMonsterBodyPart;

namespace {

constexpr float NaN = std::numeric_limits<float>::quiet_NaN();
constexpr float INF = std::numeric_limits<float>::infinity();

CMonsterBodyPart& AddBox(CMonster& monster, int id) {
    auto part = std::make_unique<CMonsterBodyPart>();
    part->SetObjectId(id);
    part->SetShapeType(CMonsterBodyPart::SHAPE_BOX);
    part->SetExtents(monsters::types_vector(0.5f, 0.5f));
    part->SetDensity(1.0f);
    return *monster.AddPart(std::move(part));
}

}  // namespace

TEST(PartChecksTest, ValuesBox2DCannotTakeGiveNoBody) {
    struct Case {
        const char* what;
        void (*spoil)(CMonsterBodyPart&);
    };
    const Case cases[] = {
        {"shape 2", [](CMonsterBodyPart& p) { p.SetShapeType(2); }},
        {"shape -1", [](CMonsterBodyPart& p) { p.SetShapeType(-1); }},
        {"zero extents",
         [](CMonsterBodyPart& p) {
             p.SetExtents({0.0f, 0.0f});
         }},
        {"negative height",
         [](CMonsterBodyPart& p) {
             p.SetExtents({0.5f, -0.5f});
         }},
        {"nan width",
         [](CMonsterBodyPart& p) {
             p.SetExtents({NaN, 0.5f});
         }},
        {"huge",
         [](CMonsterBodyPart& p) {
             p.SetExtents({0.5f, 5000.0f});
         }},
        {"nan radius",
         [](CMonsterBodyPart& p) {
             p.SetShapeType(0);
             p.SetExtents({NaN, 1.0f});
         }},
        {"negative density", [](CMonsterBodyPart& p) { p.SetDensity(-1.0f); }},
        {"nan density", [](CMonsterBodyPart& p) { p.SetDensity(NaN); }},
        {"infinite density", [](CMonsterBodyPart& p) { p.SetDensity(INF); }},
        {"nan position",
         [](CMonsterBodyPart& p) {
             p.SetLocalPosition({NaN, 0.0f});
         }},
        {"infinite rotation", [](CMonsterBodyPart& p) { p.SetLocalRotation(INF); }},
    };
    for (const Case& c : cases) {
        CMonster monster;
        CMonsterBodyPart& part = AddBox(monster, 3);
        ASSERT_TRUE(monsters::CheckBodyValues(part, nullptr).valid) << c.what;
        c.spoil(part);
        std::vector<std::string> problems;
        EXPECT_FALSE(monsters::CheckBodyValues(part, &problems).valid) << c.what;
        ASSERT_EQ(problems.size(), 1u) << c.what;
        EXPECT_EQ(problems[0].rfind("part 3: ", 0), 0u) << problems[0];
    }
}

TEST(PartChecksTest, SmallerFaultsAreMendedAndReported) {
    CMonster monster;
    CMonsterBodyPart& part = AddBox(monster, 1);
    part.SetShapeType(CMonsterBodyPart::SHAPE_CIRCLE);
    part.SetExtents({0.25f, NaN});  // a circle ignores y
    part.SetFriction(NaN);
    part.SetRestitution(-1.0f);
    part.SetHasJoint(true);
    part.SetHasLimit(true);
    part.SetLowerLimit(1.0f);
    part.SetUpperLimit(-1.0f);
    part.SetHasMotor(true);
    part.SetMotorSpeed(INF);
    part.SetMotorTorque(-5.0f);
    part.SetHitPoints(NaN);
    part.SetArmor(INF);
    std::vector<std::string> problems;
    const monsters::CBodyValues body = monsters::CheckBodyValues(part, &problems);
    EXPECT_TRUE(body.valid);
    EXPECT_FLOAT_EQ(body.extents.x, 0.25f);
    EXPECT_FLOAT_EQ(body.friction, 0.0f);
    EXPECT_FLOAT_EQ(body.restitution, 0.0f);
    const monsters::CHingeValues hinge = monsters::CheckHingeValues(part, &problems);
    EXPECT_TRUE(hinge.valid);
    EXPECT_TRUE(hinge.hasLimit);
    EXPECT_FLOAT_EQ(hinge.lowerLimit, -1.0f);
    EXPECT_FLOAT_EQ(hinge.upperLimit, 1.0f);
    EXPECT_FLOAT_EQ(hinge.motorSpeed, 0.0f);
    EXPECT_FLOAT_EQ(hinge.motorTorque, 0.0f);
    monsters::RepairGameValues(part, &problems);
    EXPECT_FLOAT_EQ(part.GetHitPoints(), 1.0f);
    EXPECT_FLOAT_EQ(part.GetMaxHitPoints(), 1.0f);
    EXPECT_FLOAT_EQ(part.GetArmor(), 1.0f);
    EXPECT_EQ(problems.size(), 7u);

    part.SetAnchorPoint({NaN, 0.0f});
    EXPECT_FALSE(monsters::CheckHingeValues(part, nullptr).valid);
}

TEST(PartChecksTest, CheckMonsterFindsMissingPartnersAndAMissingHead) {
    CMonster monster;
    CMonsterBodyPart& base = AddBox(monster, 0);
    CMonsterBodyPart& arm = AddBox(monster, 1);
    arm.SetHasJoint(true);
    arm.SetConnectedToBody(5);
    std::vector<std::string> problems = monsters::CheckMonster(monster);
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_NE(problems[0].find("hinged to part 5, which the monster does not have"),
              std::string::npos);
    EXPECT_EQ(problems[1], "the monster has no head part; it cannot lose");

    arm.SetConnectedToBody(0);
    base.SetShapeType(7);
    base.SetIsHead(true);
    problems = monsters::CheckMonster(monster);
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_NE(problems[0].find("neither box"), std::string::npos);
    EXPECT_NE(problems[1].find("hinged to part 0, which has no body"), std::string::npos);

    EXPECT_TRUE(monsters::CheckMonster(CMonster()).empty()) << "no parts: nothing to say";

    // A part hinged to its own id is hinged to itself, not to a missing part.
    base.SetShapeType(1);
    arm.SetConnectedToBody(1);
    problems = monsters::CheckMonster(monster);
    EXPECT_LE(problems.size(), 1u);
    for (const std::string& problem : problems) {
        EXPECT_EQ(problem.find("does not have"), std::string::npos) << problem;
        EXPECT_NE(problem.find("part 1: hinged to itself; the part gets no hinge"),
                  std::string::npos)
            << problem;
    }
}
