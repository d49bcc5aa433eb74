#include "monsters/CBodyShop.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "MonstersTestSupport.h"
#include "TestEnvironment.h"
#include "monsters/PlayerFiles.h"
#include "vorn/utils/xml/Xml.h"

using monsters::CBodyShop;
using monsters::CShopPart;
using monsters_test::CLogCapture;
using monsters_test::SampleFile;
using testing_support::CScopedTempDir;
using testing_support::ReadFile;
namespace fs = std::filesystem;

namespace {

std::string Entry(const std::string& file, const std::string& uid) {
    return "<ShopPart><Filename>" + file + "</Filename><UID>" + uid + "</UID></ShopPart>";
}

void Load(CBodyShop& shop, const std::string& entries) {
    ASSERT_TRUE(vorn::LoadObjectFromXmlText(shop, "<ShopList>" + entries + "</ShopList>"));
}

// "file:uid " for every entry, in order.
std::string Describe(const CBodyShop& shop) {
    std::string text;
    for (const CShopPart& part : shop.GetParts())
        text += part.myFileName + ":" + std::to_string(part.myUid) + " ";
    return text;
}

}  // namespace

TEST(CBodyShopTest, TheShopListHasItsShapeAndSurvivesARoundTrip) {
    CScopedTempDir dir;
    CBodyShop shop;
    EXPECT_EQ(shop.AddPart("data/parts/head.xml"), 1);
    EXPECT_EQ(shop.AddPart("data/parts/arm.xml"), 2);
    ASSERT_TRUE(shop.SaveToFile("shop.xml"));
    EXPECT_EQ(ReadFile("shop.xml"), ReadFile(SampleFile("standard_shoplist.xml")));

    shop.AddPart("data/parts/a <strange> & odd name.xml");
    ASSERT_TRUE(shop.SaveToFile("shop.xml"));
    CBodyShop loaded;
    ASSERT_TRUE(loaded.LoadFromFile("shop.xml"));
    EXPECT_EQ(Describe(loaded), Describe(shop));
    EXPECT_EQ(loaded.GetUidCounter(), 4);
}

TEST(CBodyShopTest, TheCounterIsTheLargestUidPlusOneAndAddingIncrementsFirst) {
    CBodyShop shop;
    Load(shop, Entry("a", "3") + Entry("b", "7"));
    EXPECT_EQ(shop.GetUidCounter(), 8);
    EXPECT_EQ(shop.AddPart("c"), 9);
    EXPECT_EQ(Describe(shop), "a:3 b:7 c:9 ");

    Load(shop, "<Other/>");  // reading empties the list first
    EXPECT_EQ(Describe(shop), "");
    EXPECT_EQ(shop.GetUidCounter(), 1);
    EXPECT_EQ(shop.AddPart("d"), 2);

    CScopedTempDir dir;
    dir.WriteFile("empty.xml", "");
    EXPECT_FALSE(shop.LoadFromFile("empty.xml"));
    EXPECT_FALSE(shop.LoadFromFile("missing.xml"));
    EXPECT_EQ(Describe(shop), "d:2 ");
    EXPECT_EQ(shop.GetUidCounter(), 2);
}

TEST(CBodyShopTest, RepeatedOrUnusableUidsGetNewOnesWithOneWarning) {
    CBodyShop shop;
    {
        CLogCapture log;
        Load(shop, Entry("a", "4") + Entry("b", "4") + Entry("c", "-1") + Entry("d", "4") +
                       Entry("e", "1000000001") + Entry("f", "2"));
        // The counter is 5 after the read; the repairs take 6, 7, 8, 9 in order.
        EXPECT_EQ(Describe(shop), "a:4 b:6 c:7 d:8 e:9 f:2 ");
        EXPECT_EQ(shop.GetUidCounter(), 9);
        EXPECT_EQ(log.Warnings(), 1) << log.All();
        EXPECT_EQ(log.Count(-1, "[WARNING] Shop list: 4 part(s)"), 1) << log.All();
    }
    {
        // Not an int at all: the XML layer warns, the shop repairs.
        CLogCapture log;
        Load(shop, Entry("a", "99999999999") + "<ShopPart><Filename>b</Filename></ShopPart>" +
                       Entry("c", "2147483647"));
        EXPECT_EQ(Describe(shop), "a:2 b:3 c:4 ");
        EXPECT_EQ(log.Warnings(), 2) << log.All();
        EXPECT_EQ(log.Count(-1, "in file: monsters/cmonsterbodyshop"), 1) << log.All();
    }
    CLogCapture log;
    CBodyShop copy;
    ASSERT_TRUE(vorn::LoadObjectFromXmlText(copy, vorn::SaveObjectToXmlText(shop, "ShopList")));
    EXPECT_EQ(Describe(copy), "a:2 b:3 c:4 ");
    EXPECT_EQ(log.Lines(), 0) << log.All();
}

TEST(CBodyShopTest, AHandWrittenShopListIsReadInAnyOrder) {
    CBodyShop shop;
    CLogCapture log;
    ASSERT_TRUE(shop.LoadFromFile(SampleFile("hand_written_shoplist.xml")));
    EXPECT_EQ(Describe(shop),
              "data/parts/big claw.xml:5 data/parts/leg.xml:2 data/parts/leg.xml:7 "
              "data/parts/eye & stalk.xml:8 ");
    EXPECT_EQ(log.Count(-1, "[WARNING] Shop list: 2 part(s)"), 1) << log.All();
    EXPECT_GT(log.Count(-1, "order fucked up in node: ShopPart in file: monsters/cmonsterbodyshop"),
              0)
        << log.All();
}

TEST(CBodyShopTest, APlayerStartsFromTheirOwnListOrTheStandardOne) {
    CScopedTempDir dir;
    fs::create_directories("data");
    fs::copy_file(SampleFile("standard_shoplist.xml"), monsters::STANDARD_SHOP_LIST_FILE);
    {
        CBodyShop shop;
        shop.LoadForPlayer("Ann");  // a new player
        EXPECT_EQ(Describe(shop), "data/parts/head.xml:1 data/parts/arm.xml:2 ");
        EXPECT_EQ(shop.AddPart("data/parts/won.xml"), 4);
        ASSERT_TRUE(shop.SaveForPlayer("Ann"));
    }
    CBodyShop shop;
    shop.LoadForPlayer("Ann");
    EXPECT_EQ(Describe(shop), "data/parts/head.xml:1 data/parts/arm.xml:2 data/parts/won.xml:4 ");

    // An empty or broken player's file falls back on the standard list.
    for (const std::string& text : {std::string(), monsters_test::Garbage(3000, 3)}) {
        dir.WriteFile(monsters::PlayerShopListFile("Bob"), text);
        CBodyShop fresh;
        fresh.LoadForPlayer("Bob");
        EXPECT_EQ(fresh.GetParts().size(), 2u);
    }
}

TEST(CBodyShopTest, ATruncatedShopListKeepsUidsUnique) {
    CScopedTempDir dir;
    CBodyShop shop;
    for (int i = 0; i < 6; ++i)
        shop.AddPart("data/parts/part" + std::to_string(i) + ".xml");
    ASSERT_TRUE(shop.SaveToFile("shop.xml"));
    const std::string whole = ReadFile("shop.xml");
    for (size_t cut = 0; cut < whole.size(); cut += 11) {
        dir.WriteFile("cut.xml", whole.substr(0, cut));
        CBodyShop loaded;
        loaded.LoadFromFile("cut.xml");
        ASSERT_LE(loaded.GetParts().size(), 6u);
        std::set<int> uids;
        for (const CShopPart& part : loaded.GetParts())
            EXPECT_TRUE(uids.insert(part.myUid).second) << "cut at " << cut;
        EXPECT_EQ(uids.count(loaded.AddPart("new.xml")), 0u) << "cut at " << cut;
    }
}
