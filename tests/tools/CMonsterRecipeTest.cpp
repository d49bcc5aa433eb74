// Monsters built from recipes through the real editor, and the shipped
// monsters that were built that way.

#include "tools/CMonsterRecipe.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "TestEnvironment.h"
#include "monsters/CMonster.h"
#include "monsters/CMonsterBodyPart.h"
#include "monsters/PartChecks.h"

namespace fs = std::filesystem;
using monsters::CMonster;
using monsters::CMonsterBodyPart;
using monsters::CMonsterRecipe;

namespace {

const fs::path SOURCE = fs::path(MONSTERS_SOURCE_DIR);
const fs::path GAME = SOURCE / "game";

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

const CMonsterBodyPart* FindBySprite(const CMonster& monster, const std::string& name) {
    for (int i = 0; i < monster.GetPartCount(); ++i)
        if (monster.GetPart(i)->GetSpriteFile().find(name) != std::string::npos)
            return monster.GetPart(i);
    return nullptr;
}

struct CBuilt {
    bool ok = false;
    std::vector<std::string> problems;
    CMonster monster;
};

// Builds recipe text in the game folder into a file of the temp folder.
void Build(const std::string& text, const fs::path& out, CBuilt& built) {
    CMonsterRecipe recipe;
    ASSERT_TRUE(recipe.Parse(text, built.problems));
    CInGameFolder inGame;
    built.ok = recipe.Build(out.string(), built.problems);
    if (built.ok) built.monster.LoadFromFile(out.string());
}

}  // namespace

TEST(CMonsterRecipeTest, BadLinesAreReportedWithTheirLineNumbers) {
    CMonsterRecipe recipe;
    std::vector<std::string> problems;
    EXPECT_FALSE(recipe.Parse("# nothing\n\n", problems));
    EXPECT_EQ(problems, std::vector<std::string>{"the recipe names no part"});

    problems.clear();
    EXPECT_FALSE(recipe.Parse(
        "part a.xml\nwheel b.xml\npart\npart c.xml at 1\n"
        "part d.xml at 1 x\npart e.xml at 1 2 turn nan\npart f.xml at 1 2 turn 0.5 # ok\n",
        problems));
    ASSERT_EQ(problems.size(), 5u);
    EXPECT_EQ(problems[0].rfind("line 2: ", 0), 0u);
    EXPECT_EQ(problems[1], "line 3: \"part\" needs a part file");
    EXPECT_EQ(problems[2].rfind("line 4: ", 0), 0u);
    EXPECT_EQ(problems[3].rfind("line 5: ", 0), 0u);
    EXPECT_EQ(problems[4].rfind("line 6: ", 0), 0u);
    ASSERT_EQ(recipe.GetLines().size(), 2u);
    EXPECT_FALSE(recipe.GetLines()[0].placed);
    EXPECT_TRUE(recipe.GetLines()[1].placed);
    EXPECT_FLOAT_EQ(recipe.GetLines()[1].turn, 0.5f);
    EXPECT_EQ(recipe.GetLines()[1].lineNumber, 7);
}

TEST(CMonsterRecipeTest, PinsDroppedOnTheMonsterBecomeHingesAsTheEditorSavesThem) {
    testing_support::CScopedTempDir temp;
    CBuilt built;
    Build(
        "part data/parts/head_light.xml\n"
        "part data/parts/chassis_small.xml at 0 0.3125\n"
        "part data/parts/wheel_medium.xml at -0.45 0.72\n"
        "part data/parts/wheel_medium.xml at 0.45 0.72\n"
        "part data/parts/spike.xml at 0.2 0 turn -0.2\n",
        temp.Path() / "built.xml", built);
    ASSERT_TRUE(built.ok) << (built.problems.empty() ? "" : built.problems.front());
    CMonster& monster = built.monster;
    ASSERT_EQ(monster.GetPartCount(), 5);
    EXPECT_TRUE(monsters::CheckMonster(monster).empty());
    EXPECT_TRUE(monsters::FindLooseParts(monster).empty());

    const CMonsterBodyPart* head = monster.FindHeadPart();
    const CMonsterBodyPart* chassis = FindBySprite(monster, "chassis_small");
    const CMonsterBodyPart* spike = FindBySprite(monster, "spike");
    ASSERT_TRUE(head && chassis && spike);
    // The head's body at the origin; the chassis hangs by its pin 0.3125 below.
    EXPECT_NEAR(head->GetLocalPosition().x, 0.0f, 1e-4f);
    EXPECT_NEAR(head->GetLocalPosition().y, 0.0f, 1e-4f);
    EXPECT_NEAR(chassis->GetLocalPosition().y, 0.5f, 1e-3f);
    // Hinges name the part under each pin; the part the others were dropped
    // on keeps its own id (hinged to nothing).
    EXPECT_EQ(head->GetConnectedToBody(), chassis->GetObjectId());
    EXPECT_TRUE(monsters::IsHingedToNothing(*chassis));
    EXPECT_EQ(spike->GetConnectedToBody(), head->GetObjectId());
    // Swung by -0.2 round its pin at (0.2, 0).
    EXPECT_NEAR(spike->GetLocalRotation(), -0.2f, 1e-4f);
    const float reach = std::hypot(spike->GetLocalPosition().x - 0.2f, spike->GetLocalPosition().y);
    EXPECT_NEAR(reach, -spike->GetAnchorPoint().x, 1e-3f);
    EXPECT_LT(spike->GetLocalPosition().y, 0.0f);
    int wheels = 0;
    for (int i = 0; i < monster.GetPartCount(); ++i) {
        const CMonsterBodyPart& part = *monster.GetPart(i);
        // Pin flags and motor values stay as the part files have them.
        EXPECT_TRUE(part.IsPinJoint());
        EXPECT_GT(part.GetShopUid(), 0);
        if (part.GetSpriteFile().find("wheel_medium") == std::string::npos) continue;
        ++wheels;
        EXPECT_EQ(part.GetConnectedToBody(), chassis->GetObjectId());
        EXPECT_TRUE(part.HasMotor());
        EXPECT_LT(part.GetMotorSpeed(), 0.0f) << "the player's wheels drive to the right";
    }
    EXPECT_EQ(wheels, 2);
}

TEST(CMonsterRecipeTest, PinsOverNothingOrOverTwoPartsAreRefused) {
    testing_support::CScopedTempDir temp;
    CBuilt astray;
    Build(
        "part data/parts/head_light.xml\n"
        "part data/parts/chassis_small.xml at 0 0.3125\n"
        "part data/parts/spike.xml at 3 -2\n",
        temp.Path() / "astray.xml", astray);
    EXPECT_FALSE(astray.ok);
    ASSERT_FALSE(astray.problems.empty());
    EXPECT_NE(astray.problems.front().find("1 of 3 parts were not built in"), std::string::npos)
        << astray.problems.front();

    CBuilt unclear;
    Build(
        "part data/parts/head_light.xml\n"
        "part data/parts/chassis_small.xml at 0 0.3125\n"
        "part data/parts/wheel_medium.xml at 0.45 0.72\n"
        "part data/parts/spike.xml at 0.5 0.4\n",
        temp.Path() / "unclear.xml", unclear);
    EXPECT_FALSE(unclear.ok);
    ASSERT_FALSE(unclear.problems.empty());
    EXPECT_NE(unclear.problems.front().find("line 4: the pin of data/parts/spike.xml lies over"),
              std::string::npos)
        << unclear.problems.front();

    CBuilt missing;
    Build("part data/parts/head_light.xml\npart data/parts/no_such_part.xml at 0 0.3\n",
          temp.Path() / "missing.xml", missing);
    EXPECT_FALSE(missing.ok);
    EXPECT_FALSE(fs::exists(temp.Path() / "missing.xml"));
}

TEST(CMonsterRecipeTest, AMirroredOpponentFacesLeftInItsOwnColours) {
    testing_support::CScopedTempDir temp;
    CBuilt built;
    Build(
        "part data/parts/head_light.xml\n"
        "part data/parts/chassis_small.xml at 0 0.3125\n"
        "part data/parts/hammer.xml at 0.25 -0.2\n",
        temp.Path() / "right.xml", built);
    ASSERT_TRUE(built.ok);
    const fs::path left = temp.Path() / "left.xml";
    ASSERT_TRUE(monsters::MirrorMonsterFile((temp.Path() / "right.xml").string(), left.string(),
                                            "somebody"));
    CMonster mirrored;
    ASSERT_TRUE(mirrored.LoadFromFile(left.string()));
    ASSERT_EQ(mirrored.GetPartCount(), built.monster.GetPartCount());
    for (int i = 0; i < mirrored.GetPartCount(); ++i) {
        const CMonsterBodyPart& a = *built.monster.GetPart(i);
        const CMonsterBodyPart& b = *mirrored.GetPart(i);
        EXPECT_FLOAT_EQ(b.GetLocalPosition().x, -a.GetLocalPosition().x);
        EXPECT_FLOAT_EQ(b.GetLocalPosition().y, a.GetLocalPosition().y);
        EXPECT_FLOAT_EQ(b.GetAnchorPoint().x, -a.GetAnchorPoint().x);
        EXPECT_FLOAT_EQ(b.GetMotorSpeed(), -a.GetMotorSpeed());
        EXPECT_FLOAT_EQ(b.GetLowerLimit(), -a.GetUpperLimit());
        EXPECT_FLOAT_EQ(b.GetUpperLimit(), -a.GetLowerLimit());
        EXPECT_EQ(b.GetConnectedToBody(), a.GetConnectedToBody());
        EXPECT_EQ(b.GetSpriteFile(),
                  "data/gfx/parts/opponents/somebody/" +
                      a.GetSpriteFile().substr(std::string("data/gfx/parts/").size()));
    }
    EXPECT_FALSE(
        monsters::MirrorMonsterFile((temp.Path() / "none.xml").string(), left.string(), "x"));
}

TEST(CMonsterRecipeTest, TheShippedMonstersAreWhatTheirRecipesBuild) {
    // Every reference monster of the ladder proof and every opponent comes
    // from a recipe; rebuilding it through the editor gives the same file, so
    // none was edited by hand into something a player could not build.
    testing_support::CScopedTempDir temp;
    int checked = 0;
    auto rebuild = [&](const fs::path& recipeFile, const fs::path& shipped,
                       const std::string& opponent) {
        CMonsterRecipe recipe;
        std::vector<std::string> problems;
        ASSERT_TRUE(recipe.LoadFromFile(recipeFile.string(), problems)) << recipeFile;
        const fs::path out = temp.Path() / shipped.filename();
        {
            CInGameFolder inGame;
            ASSERT_TRUE(recipe.Build(out.string(), problems))
                << recipeFile << ": " << (problems.empty() ? "" : problems.front());
        }
        if (!opponent.empty()) {
            ASSERT_TRUE(monsters::MirrorMonsterFile(out.string(), out.string(), opponent));
        }
        EXPECT_TRUE(testing_support::ReadFile(out) == testing_support::ReadFile(shipped))
            << shipped << " differs from what " << recipeFile << " builds";
        ++checked;
    };
    for (const auto& entry : fs::directory_iterator(SOURCE / "tests/data/ladder"))
        if (entry.path().extension() == ".txt") {
            rebuild(entry.path(), fs::path(entry.path()).replace_extension(".xml"), "");
        }
    for (const auto& entry : fs::directory_iterator(SOURCE / "tools/ladder")) {
        const std::string stem = entry.path().stem().string();
        if (entry.path().extension() != ".txt" || stem.find('_') == std::string::npos) continue;
        const std::string name = stem.substr(stem.find('_') + 1);
        rebuild(entry.path(), GAME / "data/opponents" / (name + ".xml"), name);
    }
    EXPECT_GE(checked, 20);
}
