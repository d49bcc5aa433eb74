#include "monsters/CMonsterBodyPart.h"

#include <gtest/gtest.h>

#include <string>

#include "MonstersTestSupport.h"
#include "TestEnvironment.h"
#include "monsters/CMonster.h"
#include "vorn/utils/xml/Xml.h"

using monsters::CMonster;
using monsters::CMonsterBodyPart;
using monsters::types_vector;
using monsters_test::CLogCapture;
using testing_support::ReadFile;

namespace {

// The first part of a monster read from text with the given id offset.
const CMonsterBodyPart& Load(CMonster& monster, const std::string& text, int idOffset = 0) {
    monster.SetIdOffset(idOffset);
    EXPECT_TRUE(vorn::LoadObjectFromXmlText(monster, text)) << text;
    if (monster.GetPartCount() == 0) monster.AddPart(std::make_unique<CMonsterBodyPart>());
    return *monster.GetPart(0);
}

std::string OnePart(const std::string& attributes, const std::string& children) {
    return "<Monster><MonsterBodyPart " + attributes + ">" + children +
           "</MonsterBodyPart></Monster>";
}

}  // namespace

TEST(CMonsterBodyPartTest, ANewPartTakesTheNextObjectIdAndTheDocumentedDefaults) {
    const int next = CMonsterBodyPart::PeekNextObjectId();
    CMonsterBodyPart part;
    CMonsterBodyPart second;
    EXPECT_EQ(part.GetObjectId(), next);
    EXPECT_EQ(second.GetObjectId(), next + 1);
    EXPECT_EQ(part.GetShapeType(), 0);
    EXPECT_EQ(part.GetLocalRotation() + part.GetFriction() + part.GetRestitution() +
                  part.GetDensity() + part.GetMotorSpeed() + part.GetMotorTorque(),
              0.0f);
    EXPECT_EQ(part.GetExtents(), types_vector(0, 0));
    EXPECT_FALSE(part.HasJoint() || part.HasMotor() || part.HasLimit() || part.IsPinJoint() ||
                 part.IsHead());
    EXPECT_EQ(part.GetShopUid(), -1);
    EXPECT_EQ(part.GetCollisionGroup(), -1);
    EXPECT_EQ(part.GetHitPoints(), 1.0f);
    EXPECT_EQ(part.GetMaxHitPoints(), 1.0f);
    EXPECT_EQ(part.GetDamage(), 1.0f);
    EXPECT_EQ(part.GetArmor(), 1.0f);
}

// Every field of the sample differs from a new part's default, so writing
// what was read gives the same bytes only if every field went both ways.
TEST(CMonsterBodyPartTest, EveryFieldIsReadAndWrittenInTheFileShape) {
    testing_support::CScopedTempDir dir;
    const std::string sample = monsters_test::SampleFile("one_part_monster.xml");
    CMonster monster;
    CLogCapture log;
    ASSERT_TRUE(monster.LoadFromFile(sample));
    ASSERT_EQ(monster.GetPartCount(), 1);
    const CMonsterBodyPart& part = *monster.GetPart(0);
    EXPECT_EQ(part.GetObjectId(), 7);
    EXPECT_EQ(part.GetMaxHitPoints(), 12.5f);
    EXPECT_EQ(part.GetMotorTorque(), 400.0f);  // from "PhysMotorTorgue"
    EXPECT_EQ(log.Lines(), 0) << log.All();

    ASSERT_TRUE(monster.SaveToFile("again.xml"));
    EXPECT_EQ(ReadFile("again.xml"), ReadFile(sample));
}

TEST(CMonsterBodyPartTest, MissingFieldsStayAndTheIdOffsetRaisesBothIds) {
    CMonster monster;
    const CMonsterBodyPart& sparse = Load(monster, OnePart("", "<GameDamage>5</GameDamage>"));
    EXPECT_EQ(sparse.GetHitPoints(), 1.0f);
    EXPECT_EQ(sparse.GetMaxHitPoints(), 1.0f);
    EXPECT_EQ(sparse.GetDamage(), 5.0f);
    EXPECT_EQ(sparse.GetShopUid(), -1);
    EXPECT_EQ(sparse.GetObjectId(), CMonsterBodyPart::PeekNextObjectId() - 1);

    // The third monster of a world: offset 20.
    const std::string text = OnePart("object_id=\"2\"",
                                     "<PhysHasJoint>1</PhysHasJoint>"
                                     "<PhysConnectedToBody>0</PhysConnectedToBody>");
    const CMonsterBodyPart& part = Load(monster, text, 20);
    EXPECT_EQ(part.GetObjectId(), 22);
    EXPECT_EQ(part.GetConnectedToBody(), 20);
    const std::string written = vorn::SaveObjectToXmlText(monster, "Monster");
    EXPECT_NE(written.find("object_id=\"22\""), std::string::npos) << written;
    EXPECT_NE(written.find("<PhysConnectedToBody>\n      20\n"), std::string::npos) << written;

    // Every further load through the offset raises them again.
    CMonster again;
    EXPECT_EQ(Load(again, written, 20).GetObjectId(), 42);
    EXPECT_EQ(again.GetPart(0)->GetConnectedToBody(), 40);

    // An unknown shape type is kept.
    EXPECT_EQ(Load(again, OnePart("physics_shape_type=\"2\"", "")).GetShapeType(), 2);
    EXPECT_NE(vorn::SaveObjectToXmlText(again, "M").find("physics_shape_type=\"2\""),
              std::string::npos);
}

TEST(CMonsterBodyPartTest, ValuesOutOfRangeKeepTheFieldWithOneWarningEach) {
    CMonster monster;
    {
        CLogCapture log;
        const CMonsterBodyPart& part = Load(monster, OnePart("", "<GameHP>1e999</GameHP>"));
        EXPECT_EQ(part.GetHitPoints(), 1.0f);
        EXPECT_EQ(part.GetMaxHitPoints(), 1.0f);
        EXPECT_EQ(log.Warnings(), 1) << log.All();
        EXPECT_EQ(log.Count(-1, "GameHP"), 1) << log.All();
        EXPECT_EQ(log.Count(-1, "in file: monsters/cphysicstask"), 1) << log.All();
    }
    {
        const int next = CMonsterBodyPart::PeekNextObjectId();
        CLogCapture log;
        EXPECT_EQ(Load(monster, OnePart("object_id=\"99999999999\"", ""), 10).GetObjectId(),
                  next + 10);
        EXPECT_EQ(log.Warnings(), 1) << log.All();
        EXPECT_EQ(log.Count(-1, "object_id"), 1) << log.All();
    }
    {
        // Ids that fit an int but not with the offset added stay as read.
        CLogCapture log;
        const CMonsterBodyPart& part =
            Load(monster,
                 OnePart("object_id=\"2147483640\"",
                         "<PhysConnectedToBody>-2147483648</PhysConnectedToBody>"),
                 20);
        EXPECT_EQ(part.GetObjectId(), 2147483640);
        EXPECT_EQ(part.GetConnectedToBody(), -2147483628);
        EXPECT_EQ(log.Count(-1, "[WARNING] Monster part: object_id 2147483640"), 1) << log.All();
        EXPECT_EQ(Load(monster, OnePart("object_id=\"-5\"", ""), -2147483647).GetObjectId(), -5);
        EXPECT_EQ(log.Warnings(), 2) << log.All();
    }
}

TEST(CMonsterBodyPartTest, AHandWrittenFileIsReadInAnyOrderWithOrderWarnings) {
    CMonster monster;
    CLogCapture log;
    ASSERT_TRUE(monster.LoadFromFile(monsters_test::SampleFile("hand_written_monster.xml")));
    ASSERT_EQ(monster.GetPartCount(), 2) << log.All();

    const CMonsterBodyPart& head = *monster.GetPart(0);
    EXPECT_EQ(head.GetShapeType(), 1);
    EXPECT_TRUE(head.IsHead());
    EXPECT_EQ(head.GetSpriteFile(), "data/gfx/body parts/head.xml");
    EXPECT_EQ(head.GetExtents(), types_vector(1.0f, 0.75f));
    EXPECT_EQ(head.GetMaxHitPoints(), 40.0f);
    EXPECT_EQ(head.GetFriction(), 0.5f);

    const CMonsterBodyPart& arm = *monster.GetPart(1);
    EXPECT_EQ(arm.GetShopUid(), 12);
    EXPECT_EQ(arm.GetAnchorPoint(), types_vector(-0.25f, 0.5f));
    EXPECT_EQ(arm.GetExtents(), types_vector(0.4f, 0.0f));
    EXPECT_EQ(arm.GetMotorSpeed(), -2.5f);
    EXPECT_EQ(arm.GetMotorTorque(), 250.0f);
    EXPECT_EQ(arm.GetDamage(), 3.0f);
    EXPECT_EQ(monster.FindHingePartner(arm), &head);

    EXPECT_GT(log.Count(-1, "order fucked up in node: MonsterBodyPart"), 0) << log.All();
    EXPECT_EQ(log.Count(-1, "in file: monsters/cphysicstask at line"), log.Warnings()) << log.All();
}
