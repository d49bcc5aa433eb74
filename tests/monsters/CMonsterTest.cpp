#include "monsters/CMonster.h"

#include <gtest/gtest.h>

#include <string>

#include "MonstersTestSupport.h"
#include "TestEnvironment.h"
#include "monsters/PlayerFiles.h"
#include "vorn/utils/xml/Xml.h"

using monsters::CMonster;
using monsters::CMonsterBodyPart;
using monsters_test::CLogCapture;
using testing_support::CScopedTempDir;
using testing_support::ReadFile;

namespace {

// count parts: part i has object id i and is hinged to part i - 1; part head
// (if any) is the head.
void Build(CMonster& monster, int count, int head = 0) {
    for (int i = 0; i < count; ++i) {
        auto part = std::make_unique<CMonsterBodyPart>();
        part->SetObjectId(i);
        part->SetShopUid(100 + i / 2);
        part->SetHitPoints(10.0f + static_cast<float>(i));
        part->SetSpriteFile("data/gfx/part" + std::to_string(i) + ".xml");
        part->SetIsHead(i == head);
        part->SetHasJoint(i > 0);
        part->SetConnectedToBody(i - 1);
        monster.AddPart(std::move(part));
    }
}

std::string PartText(int objectId, bool isHead) {
    return "<MonsterBodyPart object_id=\"" + std::to_string(objectId) + "\"><IsHeadPart>" +
           (isHead ? "1" : "0") + "</IsHeadPart></MonsterBodyPart>";
}

}  // namespace

TEST(CMonsterTest, AMonsterSurvivesAFileRoundTripInPartOrder) {
    CScopedTempDir dir;
    CMonster saved;
    Build(saved, 5, 2);
    const std::string file = monsters::PlayerMonsterFile("Zed");
    ASSERT_TRUE(saved.SaveToFile(file));
    EXPECT_EQ(ReadFile(file).rfind("<Monster>\n  <MonsterBodyPart object_id=\"0\" "
                                   "physics_shape_type=\"0\" unique_monster_part_id=\"100\" >\n",
                                   0),
              0u);

    CMonster loaded;
    ASSERT_TRUE(loaded.LoadFromFile(file));
    ASSERT_EQ(loaded.GetPartCount(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(loaded.GetPart(i)->GetObjectId(), i);
        EXPECT_EQ(loaded.GetPart(i)->GetSpriteFile(), "data/gfx/part" + std::to_string(i) + ".xml");
        EXPECT_EQ(loaded.GetPart(i)->GetMonster(), &loaded);
    }
    EXPECT_EQ(loaded.FindHeadPart(), loaded.GetPart(2));
    EXPECT_EQ(loaded.FindHingePartner(*loaded.GetPart(3)), loaded.GetPart(2));
    ASSERT_TRUE(loaded.SaveToFile("copy.xml"));
    EXPECT_EQ(ReadFile("copy.xml"), ReadFile(file));
}

TEST(CMonsterTest, ReadingReplacesThePartsAndTheFirstOfTwoHeadsWins) {
    CMonster monster;
    Build(monster, 3);
    ASSERT_NE(monster.FindHeadPart(), nullptr);  // cached, then destroyed by the read

    ASSERT_TRUE(vorn::LoadObjectFromXmlText(
        monster, "<Whatever><Note>x</Note>" + PartText(5, false) +
                     "<MonsterBodyPartX object_id=\"9\"></MonsterBodyPartX>" + PartText(6, true) +
                     PartText(7, true) + "</Whatever>"));
    ASSERT_EQ(monster.GetPartCount(), 3);
    EXPECT_EQ(monster.GetPart(2)->GetObjectId(), 7);
    EXPECT_EQ(monster.FindHeadPart(), monster.GetPart(1));

    CLogCapture log;
    ASSERT_TRUE(vorn::LoadObjectFromXmlText(monster, "<Monster></Monster>"));
    EXPECT_EQ(monster.GetPartCount(), 0);
    EXPECT_EQ(monster.FindHeadPart(), nullptr);  // a monster without a head
    Build(monster, 2);
    EXPECT_FALSE(monster.LoadFromFile("no such file.xml"));
    EXPECT_EQ(monster.GetPartCount(), 2);
    EXPECT_EQ(log.Lines(), 0) << log.All();
}

TEST(CMonsterTest, TheHeadFollowsEveryChangeOfThePartsAndTheirFlags) {
    CMonster monster;
    Build(monster, 3, -1);
    monster.GetPart(2)->SetIsHead(true);
    EXPECT_EQ(monster.FindHeadPart(), monster.GetPart(2));
    monster.GetPart(1)->SetIsHead(true);
    EXPECT_EQ(monster.FindHeadPart(), monster.GetPart(1));

    std::unique_ptr<CMonsterBodyPart> taken = monster.TakePart(monster.GetPart(1));
    ASSERT_NE(taken, nullptr);
    EXPECT_EQ(taken->GetMonster(), nullptr);
    EXPECT_EQ(monster.FindHeadPart(), monster.GetPart(1));  // the former third part
    EXPECT_EQ(monster.TakePart(taken.get()), nullptr);

    CMonster other;
    Build(other, 1, -1);
    monster.MovePartsTo(other);
    EXPECT_EQ(monster.GetPartCount(), 0);
    EXPECT_EQ(monster.FindHeadPart(), nullptr);
    ASSERT_EQ(other.GetPartCount(), 3);
    EXPECT_EQ(other.GetPart(2)->GetMonster(), &other);
    EXPECT_EQ(other.FindHeadPart(), other.GetPart(2));

    // A part read again in place may become the head.
    auto element = vorn::ObjectToXmlElement(*other.GetPart(0), "MonsterBodyPart");
    element->FindChild("IsHeadPart")->SetValue("1");
    vorn::ObjectFromXmlElement(element.get(), *other.GetPart(0));
    EXPECT_EQ(other.FindHeadPart(), other.GetPart(0));

    other.SetShopUid(55);
    EXPECT_EQ(other.GetPart(2)->GetShopUid(), 55);
    other.DestroyParts();
    EXPECT_EQ(other.FindHeadPart(), nullptr);
}

TEST(CMonsterTest, AHingeToAMissingPartnerOrToItselfFindsNoPartnerAndIsKept) {
    CMonster monster;
    CLogCapture log;
    ASSERT_TRUE(vorn::LoadObjectFromXmlText(
        monster, "<Monster>" + PartText(0, true) +
                     "<MonsterBodyPart object_id=\"1\"><PhysHasJoint>1</PhysHasJoint>"
                     "<PhysConnectedToBody>8</PhysConnectedToBody></MonsterBodyPart>"
                     "<MonsterBodyPart object_id=\"2\"><PhysHasJoint>1</PhysHasJoint>"
                     "<PhysConnectedToBody>2</PhysConnectedToBody></MonsterBodyPart>" +
                     PartText(3, false) + "</Monster>"));
    ASSERT_EQ(monster.GetPartCount(), 4);
    EXPECT_EQ(monster.FindHingePartner(*monster.GetPart(1)), nullptr);  // no part 8
    EXPECT_EQ(monster.FindHingePartner(*monster.GetPart(2)), nullptr);  // itself
    EXPECT_EQ(monster.FindHingePartner(*monster.GetPart(3)), nullptr);  // no joint
    EXPECT_EQ(log.Lines(), 0) << log.All();

    CMonster again;
    ASSERT_TRUE(vorn::LoadObjectFromXmlText(again, vorn::SaveObjectToXmlText(monster, "Monster")));
    EXPECT_TRUE(again.GetPart(1)->HasJoint());
    EXPECT_EQ(again.GetPart(1)->GetConnectedToBody(), 8);
}

TEST(CMonsterTest, BrokenFilesLoadWhatTheyCanAndLeaveAUsableMonster) {
    CScopedTempDir dir;
    CMonster source;
    Build(source, 4);
    ASSERT_TRUE(source.SaveToFile("whole.xml"));
    const std::string whole = ReadFile("whole.xml");

    for (size_t cut = 0; cut < whole.size(); cut += 37) {
        dir.WriteFile("cut.xml", whole.substr(0, cut));
        CMonster monster;
        monster.LoadFromFile("cut.xml");
        EXPECT_LE(monster.GetPartCount(), 4) << "cut at " << cut;
        monster.AddPart(std::make_unique<CMonsterBodyPart>());
        EXPECT_NE(vorn::SaveObjectToXmlText(monster, "Monster"), "");
    }
    // Cut inside the third part: two whole parts and the start of the third.
    dir.WriteFile("cut.xml", whole.substr(0, whole.find("GfxFilename", whole.find("id=\"2\""))));
    CMonster cut;
    cut.LoadFromFile("cut.xml");
    ASSERT_EQ(cut.GetPartCount(), 3);
    EXPECT_EQ(cut.GetPart(2)->GetHitPoints(), 12.0f);
    EXPECT_EQ(cut.GetPart(2)->GetSpriteFile(), "");

    for (unsigned seed = 1; seed <= 20; ++seed) {
        dir.WriteFile("garbage.xml", monsters_test::Garbage(4096, seed));
        CMonster monster;
        monster.LoadFromFile("garbage.xml");
        EXPECT_EQ(monster.GetPartCount(), 0) << "seed " << seed;
        EXPECT_NE(vorn::SaveObjectToXmlText(monster, "Monster"), "");
    }

    // An empty player file changes nothing and costs one warning.
    dir.WriteFile(monsters::PlayerMonsterFile("Empty"), "");
    CMonster monster;
    Build(monster, 2);
    CLogCapture log;
    EXPECT_FALSE(monster.LoadFromFile(monsters::PlayerMonsterFile("Empty")));
    EXPECT_EQ(monster.GetPartCount(), 2);
    EXPECT_EQ(log.Warnings(), 1) << log.All();
}
