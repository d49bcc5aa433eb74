// The ladder's shipped data: the parts catalogue, the opponents, the shop
// list and the level list, each through the loader the game uses, with the
// log watched for warnings; and what the game does when a list names a file
// that is not there.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>

#include "LogCapture.h"
#include "monsters/CBodyShop.h"
#include "monsters/CEditorWorld.h"
#include "monsters/CFightWorld.h"
#include "monsters/CHeadlessGraphics.h"
#include "monsters/CLevelList.h"
#include "monsters/CMonster.h"
#include "monsters/CMonsterBodyPart.h"
#include "monsters/PartChecks.h"
#include "monsters/PlayerFiles.h"
#include "vorn/gfx/CSprite.h"
#include "vorn/gfx/CSpriteFactory.h"
#include "vorn/utils/xml/Xml.h"

namespace fs = std::filesystem;
using monsters::CMonster;
using monsters::CMonsterBodyPart;
using monsters::types_vector;

namespace {

const fs::path GAME = fs::path(MONSTERS_SOURCE_DIR) / "game";

// The game folder is the working directory, as when the game runs.
class CInGameFolder {
public:
    CInGameFolder() : myPrevious(fs::current_path()) { fs::current_path(GAME); }
    ~CInGameFolder() {
        std::error_code ignored;
        fs::current_path(myPrevious, ignored);
    }

private:
    fs::path myPrevious;
};

std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(GAME / folder))
        if (entry.path().extension() == ".xml")
            files.push_back(folder + "/" + entry.path().filename().string());
    std::sort(files.begin(), files.end());
    return files;
}

// Width and height from a PNG file's header; 0 x 0 when it is no PNG.
std::pair<int, int> PngSize(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    unsigned char header[24] = {};
    in.read(reinterpret_cast<char*>(header), sizeof(header));
    if (!in || header[1] != 'P' || header[2] != 'N' || header[3] != 'G') return {0, 0};
    auto word = [&](int at) {
        return int(header[at]) << 24 | int(header[at + 1]) << 16 | int(header[at + 2]) << 8 |
               int(header[at + 3]);
    };
    return {word(16), word(20)};
}

std::string ImageOf(const std::string& spriteFile) {
    std::unique_ptr<vorn::CXmlElement> root = vorn::ParseXmlFile(spriteFile);
    const vorn::CXmlElement* image = root ? root->FindChild("ImageFilename") : nullptr;
    return image ? image->GetValue() : "";
}

// The part's picture is its body at 32 pixels per metre.
void ExpectDrawnToSize(const CMonsterBodyPart& part) {
    const std::pair<int, int> size = PngSize(ImageOf(part.GetSpriteFile()));
    const float height = part.GetShapeType() == 1 ? part.GetExtents().y : part.GetExtents().x;
    EXPECT_EQ(size.first, int(std::lround(part.GetExtents().x * 64))) << part.GetSpriteFile();
    EXPECT_EQ(size.second, int(std::lround(height * 64))) << part.GetSpriteFile();
}

// Warning and error lines, whether written at those levels or marked so.
int Problems(const testing_support::CLogCapture& log) {
    return log.Count() + log.Count(vorn::CLog::LEVEL_NORMAL, "[WARNING]") +
           log.Count(vorn::CLog::LEVEL_NORMAL, "[ERROR]") +
           log.Count(vorn::CLog::LEVEL_DEBUG, "[WARNING]") +
           log.Count(vorn::CLog::LEVEL_DEBUG, "[ERROR]");
}

}  // namespace

TEST(LadderDataTest, EveryPartFileIsOnePinnedPartThatFitsTheTray) {
    CInGameFolder inGame;
    const std::vector<std::string> parts = FilesIn("data/parts");
    ASSERT_GE(parts.size(), 16u);
    int heads = 0;
    int motors = 0;
    for (const std::string& file : parts) {
        CMonster monster;
        ASSERT_TRUE(monster.LoadFromFile(file)) << file;
        ASSERT_EQ(monster.GetPartCount(), 1) << file;
        const CMonsterBodyPart& part = *monster.GetPart(0);
        EXPECT_TRUE(part.IsPinJoint() && part.HasJoint()) << file << " must hang on a pin";
        EXPECT_EQ(part.GetConnectedToBody(), part.GetObjectId()) << file;
        EXPECT_TRUE(monsters::IsHingedToNothing(part)) << file;
        EXPECT_EQ(part.GetShopUid(), -1) << file;
        EXPECT_FLOAT_EQ(part.GetLocalPosition().x, 0.0f) << file;
        EXPECT_FLOAT_EQ(part.GetLocalPosition().y, 0.0f) << file;
        if (part.IsHead()) {
            EXPECT_TRUE(monsters::CheckMonster(monster).empty()) << file;
        }
        // About 2 m wide at most, so the tray's 2 m steps stay readable.
        EXPECT_LE(part.GetExtents().x, 1.0f) << file;
        // The pin lies on the part, where the player grabs it.
        const types_vector& anchor = part.GetAnchorPoint();
        if (part.GetShapeType() == CMonsterBodyPart::SHAPE_BOX)
            EXPECT_TRUE(std::fabs(anchor.x) < part.GetExtents().x &&
                        std::fabs(anchor.y) < part.GetExtents().y)
                << file;
        else
            EXPECT_LT(std::hypot(anchor.x, anchor.y), part.GetExtents().x) << file;
        std::vector<std::string> problems;
        EXPECT_TRUE(monsters::CheckBodyValues(part, &problems).valid) << file;
        EXPECT_TRUE(monsters::CheckHingeValues(part, &problems).valid) << file;
        EXPECT_TRUE(problems.empty()) << file;
        heads += part.IsHead();
        motors += part.HasMotor();
        ExpectDrawnToSize(part);
    }
    EXPECT_GE(heads, 2) << "a light and a heavy head";
    EXPECT_GE(motors, 6) << "wheels, legs, arms and spinning weapons";
}

TEST(LadderDataTest, ListsPartsOpponentsAndSpritesLoadWithoutAWarning) {
    CInGameFolder inGame;
    monsters::CHeadlessGraphics graphics;
    testing_support::CLogCapture log;

    monsters::CBodyShop shop;
    ASSERT_TRUE(shop.LoadFromFile(monsters::STANDARD_SHOP_LIST_FILE));
    ASSERT_GE(shop.GetParts().size(), 4u);
    monsters::CLevelList levels("");
    ASSERT_TRUE(levels.LoadFromFile(monsters::STANDARD_LEVEL_LIST_FILE));
    ASSERT_GE(levels.GetLevelCount(), 10);
    EXPECT_EQ(levels.GetCurrentIndex(), 0);

    // Every file the two lists name exists, and every shipped part and
    // opponent is named by them (nothing shipped that no one can reach).
    std::set<std::string> named;
    for (const monsters::CShopPart& entry : shop.GetParts()) {
        EXPECT_TRUE(fs::is_regular_file(entry.myFileName)) << entry.myFileName;
        named.insert(entry.myFileName);
    }
    std::vector<std::string> sprites;
    for (int k = 0; k < levels.GetLevelCount(); ++k) {
        const monsters::CLevel& level = *levels.GetLevel(k);
        EXPECT_FALSE(level.myCompleted) << k;
        EXPECT_TRUE(fs::is_regular_file(level.myFileName)) << level.myFileName;
        named.insert(level.myFileName);
        EXPECT_FALSE(level.myPrize1.empty()) << "level " << k << " gives at least one prize";
        for (const auto& [prize, image] : {std::make_pair(level.myPrize1, level.myPrize1Image),
                                           std::make_pair(level.myPrize2, level.myPrize2Image)}) {
            EXPECT_EQ(prize.empty(), image.empty()) << "level " << k;
            if (prize.empty()) continue;
            EXPECT_TRUE(fs::is_regular_file(prize)) << prize;
            named.insert(prize);
            sprites.push_back(image);
            // Two prize cards stand 155 pixels apart on the new-parts screen.
            const std::pair<int, int> size = PngSize(ImageOf(image));
            EXPECT_TRUE(size.first > 0 && size.first <= 140 && size.second > 0 &&
                        size.second <= 140)
                << image;
        }
    }
    for (const std::string& file : FilesIn("data/parts"))
        EXPECT_TRUE(named.count(file)) << file << " is in no list";
    for (const std::string& file : FilesIn("data/opponents"))
        EXPECT_TRUE(named.count(file)) << file << " is in no list";

    // Each opponent and part as a fighter: bodies, hinges, sprites.
    int loaded = 0;
    for (const std::string& file : named) {
        monsters::CFightWorld world(nullptr);
        CMonster* monster = world.LoadMonster(file, 10.0f, 0.0f);
        ASSERT_NE(monster, nullptr);
        EXPECT_GT(monster->GetPartCount(), 0) << file;
        EXPECT_TRUE(monsters::CheckMonster(*monster).empty() || !monster->FindHeadPart()) << file;
        for (int i = 0; i < monster->GetPartCount(); ++i) {
            sprites.push_back(monster->GetPart(i)->GetSpriteFile());
            ExpectDrawnToSize(*monster->GetPart(i));
        }
        ++loaded;
    }
    EXPECT_GE(loaded, 26);
    for (const std::string& file : sprites) {
        std::unique_ptr<vorn::CSprite> sprite(
            vorn::CSpriteFactory::GetSingleton()->LoadSprite(file));
        EXPECT_NE(sprite, nullptr) << file;
        EXPECT_TRUE(fs::is_regular_file(ImageOf(file))) << file;
    }
    EXPECT_EQ(Problems(log), 0) << log.All();
}

TEST(LadderDataTest, OpponentsAreBuiltAndLookTheirOwn) {
    CInGameFolder inGame;
    monsters::CLevelList levels("");
    ASSERT_TRUE(levels.LoadFromFile(monsters::STANDARD_LEVEL_LIST_FILE));
    std::set<std::string> opponents;
    std::set<std::string> looks;
    for (int k = 0; k < levels.GetLevelCount(); ++k) {
        const std::string& file = levels.GetLevel(k)->myFileName;
        EXPECT_TRUE(opponents.insert(file).second) << file << " fights twice";
        CMonster monster;
        ASSERT_TRUE(monster.LoadFromFile(file)) << file;
        EXPECT_TRUE(monsters::CheckMonster(monster).empty()) << file;
        // A head at the origin, as the editor saves a monster.
        ASSERT_NE(monster.FindHeadPart(), nullptr) << file;
        EXPECT_FLOAT_EQ(monster.FindHeadPart()->GetLocalPosition().x, 0.0f) << file;
        // Sprites of its own (its colour), so two opponents never look alike.
        std::string look;
        for (int i = 0; i < monster.GetPartCount(); ++i) {
            const std::string& sprite = monster.GetPart(i)->GetSpriteFile();
            EXPECT_EQ(sprite.rfind("data/gfx/parts/opponents/", 0), 0u) << file << ": " << sprite;
            look += sprite.substr(0, sprite.find_last_of('/'));
        }
        EXPECT_TRUE(looks.insert(look).second) << file;
    }
}

TEST(LadderDataTest, AMissingOpponentOrPartFileCostsOneLogLineAndTheGameGoesOn) {
    CInGameFolder inGame;
    monsters::CHeadlessGraphics graphics;
    {
        // The level's opponent is missing: the standard monster fights.
        monsters::CFightWorld world(nullptr);
        world.LoadMonster(monsters::STANDARD_MONSTER_FILE, -10.0f, 0.0f);
        testing_support::CLogCapture log;
        CMonster* opponent = world.LoadMonster("data/opponents/no_such_opponent.xml", 10.0f, 0.0f);
        ASSERT_NE(opponent, nullptr);
        CMonster standard;
        ASSERT_TRUE(standard.LoadFromFile(monsters::STANDARD_MONSTER_FILE));
        EXPECT_EQ(opponent->GetPartCount(), standard.GetPartCount());
        EXPECT_NE(opponent->FindHeadPart(), nullptr);
        EXPECT_EQ(Problems(log), 1) << log.All();
        EXPECT_TRUE(log.Has("no_such_opponent.xml")) << log.All();
        for (int i = 0; i < 60; ++i)
            world.Step();
    }
    {
        // A shop entry whose part file is missing gives the tray nothing to
        // show: an empty monster, one line.
        monsters::CEditorWorld world;
        testing_support::CLogCapture log;
        CMonster* part = world.LoadMonster("data/parts/no_such_part.xml", -10.0f, -7.5f);
        ASSERT_NE(part, nullptr);
        EXPECT_EQ(part->GetPartCount(), 0);
        EXPECT_EQ(Problems(log), 1) << log.All();
        EXPECT_TRUE(log.Has("no_such_part.xml")) << log.All();
        world.Step();
    }
}
