// The fight data shipped with the game: the floor, the standard monster and
// the health bars, with their sprite files and images.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>

#include "monsters/CFightWorld.h"
#include "monsters/CMonster.h"
#include "monsters/CMonsterBodyPart.h"
#include "monsters/PartChecks.h"
#include "monsters/PlayerFiles.h"
#include "vorn/utils/xml/Xml.h"

namespace fs = std::filesystem;
using monsters::CMonster;
using monsters::CMonsterBodyPart;

namespace {

const fs::path GAME = fs::path(MONSTERS_SOURCE_DIR) / "game";

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

// The image a sprite file names.
std::string ImageOf(const std::string& spriteFile) {
    std::unique_ptr<vorn::CXmlElement> root = vorn::ParseXmlFile((GAME / spriteFile).string());
    if (!root) return "";
    const vorn::CXmlElement* image = root->FindChild("ImageFilename");
    return image ? image->GetValue() : "";
}

void ExpectPartsDrawnToSize(const CMonster& monster) {
    for (int i = 0; i < monster.GetPartCount(); ++i) {
        const CMonsterBodyPart& part = *monster.GetPart(i);
        const std::string image = ImageOf(part.GetSpriteFile());
        ASSERT_FALSE(image.empty()) << part.GetSpriteFile();
        const std::pair<int, int> size = PngSize(GAME / image);
        const float height = part.GetShapeType() == 1 ? part.GetExtents().y : part.GetExtents().x;
        EXPECT_EQ(size.first, int(std::lround(part.GetExtents().x * 64))) << image;
        EXPECT_EQ(size.second, int(std::lround(height * 64))) << image;
    }
}

}  // namespace

TEST(FightDataTest, TheFloorIsStaticHeadlessAndSpansTheScreenWithLowWalls) {
    CMonster floor;
    ASSERT_TRUE(floor.LoadFromFile((GAME / monsters::FLOOR_FILE).string()));
    ASSERT_EQ(floor.GetPartCount(), 3);
    EXPECT_EQ(floor.FindHeadPart(), nullptr);
    EXPECT_EQ(monsters::CheckMonster(floor),
              std::vector<std::string>{"the monster has no head part; it cannot lose"});
    float left = 1e9f, right = -1e9f;
    for (int i = 0; i < floor.GetPartCount(); ++i) {
        const CMonsterBodyPart& part = *floor.GetPart(i);
        EXPECT_EQ(part.GetDensity(), 0.0f) << "the floor must not move";
        left = std::min(left, part.GetLocalPosition().x - part.GetExtents().x);
        right = std::max(right, part.GetLocalPosition().x + part.GetExtents().x);
        // Everything lies in the lower part of the visible 18.75 m.
        EXPECT_LE(part.GetLocalPosition().y + part.GetExtents().y, 9.375f);
        EXPECT_GT(part.GetLocalPosition().y - part.GetExtents().y, 5.0f);
    }
    EXPECT_FLOAT_EQ(left, -12.5f);
    EXPECT_FLOAT_EQ(right, 12.5f);
    ExpectPartsDrawnToSize(floor);
}

TEST(FightDataTest, TheStandardMonsterIsCompleteWithAHeadAtItsOrigin) {
    CMonster standard;
    ASSERT_TRUE(standard.LoadFromFile((GAME / monsters::STANDARD_MONSTER_FILE).string()));
    ASSERT_GE(standard.GetPartCount(), 3);
    EXPECT_TRUE(monsters::CheckMonster(standard).empty());
    const CMonsterBodyPart* head = standard.FindHeadPart();
    ASSERT_NE(head, nullptr);
    EXPECT_FLOAT_EQ(head->GetLocalPosition().x, 0.0f);
    EXPECT_FLOAT_EQ(head->GetLocalPosition().y, 0.0f);
    int hinged = 0;
    int motors = 0;
    for (int i = 0; i < standard.GetPartCount(); ++i) {
        const CMonsterBodyPart& part = *standard.GetPart(i);
        hinged += part.HasJoint();
        motors += part.HasMotor();
    }
    EXPECT_EQ(hinged, standard.GetPartCount() - 1) << "every part but one hangs on another";
    EXPECT_GE(motors, 1);
    ExpectPartsDrawnToSize(standard);
}

TEST(FightDataTest, TheHealthBarsAreSlidersWhoseFillFitsItsFrame) {
    for (const char* file : monsters::CFightWorld::HEALTH_BAR_FILES) {
        std::unique_ptr<vorn::CXmlElement> root = vorn::ParseXmlFile((GAME / file).string());
        ASSERT_NE(root, nullptr) << file;
        EXPECT_EQ(root->GetAttribute("type").GetString(), "sprite_slider") << file;
        std::string top;
        std::string bottom;
        int topW = 0, topH = 0, bottomW = 0, bottomH = 0;
        for (int i = 0; i < root->GetChildCount(); ++i) {
            vorn::CXmlElement& child = *root->GetChild(i);
            if (child.GetName() == "TopSprite") top = child.GetValue();
            if (child.GetName() == "BottomSprite") bottom = child.GetValue();
            if (child.GetName() == "TopRect") {
                topW = std::stoi(child.GetAttribute("w").GetString());
                topH = std::stoi(child.GetAttribute("h").GetString());
            }
            if (child.GetName() == "BottomRect") {
                bottomW = std::stoi(child.GetAttribute("w").GetString());
                bottomH = std::stoi(child.GetAttribute("h").GetString());
            }
        }
        EXPECT_EQ(PngSize(GAME / ImageOf(top)), std::make_pair(topW, topH)) << file;
        EXPECT_EQ(PngSize(GAME / ImageOf(bottom)), std::make_pair(bottomW, bottomH)) << file;
    }
}
