#include "monsters/MonsterSelfTests.h"

#include <string>

#include "monsters/CBodyShop.h"
#include "monsters/CLevelList.h"
#include "monsters/CMonster.h"
#include "vorn/console/CLog.h"
#include "vorn/utils/xml/Xml.h"

namespace monsters::selftests {

namespace {

// Counts failed checks and names each in the log.
class CChecker {
public:
    explicit CChecker(const char* test) : myTest(test) {}
    void Check(bool ok, const char* what) {
        if (ok) return;
        ++myFailures;
        vorn::CLog::GetSingleton()->Error() << "[ERROR] " << myTest << " failed: " << what << "\n";
    }
    int GetFailures() const { return myFailures; }

private:
    const char* myTest;
    int myFailures = 0;
};

}  // namespace

int CMonsterTest() {
    CChecker check("CMonsterTest");
    const std::string text =
        "<Monster>\n"
        "<MonsterBodyPart object_id=\"0\" physics_shape_type=\"1\" unique_monster_part_id=\"3\">\n"
        "<GameHP>50</GameHP><IsHeadPart>0</IsHeadPart>\n"
        "</MonsterBodyPart>\n"
        "<Note>ignored</Note>\n"
        "<MonsterBodyPart object_id=\"2\" physics_shape_type=\"0\">\n"
        "<GameHP>20</GameHP><IsHeadPart>1</IsHeadPart>\n"
        "<PhysHasJoint>1</PhysHasJoint><PhysConnectedToBody>0</PhysConnectedToBody>\n"
        "</MonsterBodyPart>\n"
        "<MonsterBodyPart object_id=\"4\"><IsHeadPart>1</IsHeadPart></MonsterBodyPart>\n"
        "</Monster>\n";

    CMonster monster;
    monster.SetIdOffset(20);
    check.Check(vorn::LoadObjectFromXmlText(monster, text), "the text gave no element");
    check.Check(monster.GetPartCount() == 3, "three parts are read, other children ignored");
    if (monster.GetPartCount() != 3) return check.GetFailures();

    const CMonsterBodyPart* second = monster.GetPart(1);
    check.Check(second->GetObjectId() == 22, "the id offset is added to the object id");
    check.Check(second->GetConnectedToBody() == 20, "the id offset is added to the partner");
    check.Check(second->GetMaxHitPoints() == 20.0f, "maximum hit points follow the hit points");
    check.Check(monster.GetPart(0)->GetShopUid() == 3, "the shop UID is read");
    check.Check(monster.GetPart(1)->GetShopUid() == -1, "a missing shop UID stays -1");
    check.Check(monster.FindHeadPart() == second, "the first part marked as head is the head");
    check.Check(monster.FindHingePartner(*second) == monster.GetPart(0), "the partner is found");

    const std::string written = vorn::SaveObjectToXmlText(monster, "Monster");
    check.Check(written.find("<MonsterBodyPart object_id=\"22\" physics_shape_type=\"0\" "
                             "unique_monster_part_id=\"-1\" >\n    <GameHP>\n      20\n") !=
                    std::string::npos,
                "the part is written in its shape, ids as they stand");

    CMonster copy;
    check.Check(vorn::LoadObjectFromXmlText(copy, written), "the written text reads back");
    check.Check(copy.GetPartCount() == 3 && copy.GetPart(1)->GetObjectId() == 22 &&
                    copy.GetPart(1)->GetConnectedToBody() == 20 &&
                    copy.GetPart(2)->GetShapeType() == 0 &&
                    copy.GetPart(0)->GetHitPoints() == 50.0f,
                "a round trip keeps the parts");
    return check.GetFailures();
}

int CBodyShopTest() {
    CChecker check("CBodyShopTest");
    CBodyShop shop;
    check.Check(
        vorn::LoadObjectFromXmlText(shop,
                                    "<ShopList>"
                                    "<ShopPart><Filename>a.xml</Filename><UID>3</UID></ShopPart>"
                                    "<ShopPart><Filename>b.xml</Filename><UID>7</UID></ShopPart>"
                                    "</ShopList>"),
        "the text gave no element");
    check.Check(shop.GetParts().size() == 2, "two entries are read");
    check.Check(shop.GetUidCounter() == 8, "the counter is the largest UID plus one");
    check.Check(shop.AddPart("c.xml") == 9, "adding increments the counter before use");

    CBodyShop copy;
    vorn::LoadObjectFromXmlText(copy, vorn::SaveObjectToXmlText(shop, "ShopList"));
    check.Check(copy.GetParts().size() == 3 && copy.GetParts()[2].myFileName == "c.xml" &&
                    copy.GetParts()[2].myUid == 9 && copy.GetUidCounter() == 10,
                "a round trip keeps the entries");
    return check.GetFailures();
}

int CLevelListTest() {
    CChecker check("CLevelListTest");
    CLevelList list("");
    check.Check(vorn::LoadObjectFromXmlText(
                    list,
                    "<LevelList>"
                    "<Level position=\"2\" filename=\"c.xml\" completed=\"0\"></Level>"
                    "<Level completed=\"1\" filename=\"a.xml\" position=\"0\">"
                    "<Price1>p.xml</Price1><Price2></Price2></Level>"
                    "</LevelList>"),
                "the text gave no element");
    check.Check(list.GetLevelCount() == 3, "levels at 0 and 2 give three levels");
    check.Check(list.GetLevel(1) && list.GetLevel(1)->myFileName.empty(), "the gap is empty");
    check.Check(list.GetCurrentIndex() == 1, "the current level is the first not completed");
    check.Check(list.IsCompleted(0) && !list.IsCompleted(2) && !list.IsCompleted(3),
                "completion by index");

    list.SetCurrentIndex(0);
    CBodyShop shop;
    check.Check(list.WinCurrentLevel(shop).empty(), "the next level has no opponent file");
    check.Check(shop.GetParts().size() == 1 && shop.GetParts()[0].myFileName == "p.xml",
                "only the prize that is not empty joins the shop");
    check.Check(list.GetCurrentIndex() == 1, "winning moves to the next level");

    CLevelList copy("");
    vorn::LoadObjectFromXmlText(copy, vorn::SaveObjectToXmlText(list, "LevelList"));
    check.Check(copy.GetLevelCount() == 3 && copy.GetCurrentOpponentFile().empty() &&
                    copy.GetLevel(2)->myFileName == "c.xml" &&
                    copy.GetLevel(0)->myPrize1 == "p.xml",
                "a round trip keeps the levels");
    return check.GetFailures();
}

}  // namespace monsters::selftests
