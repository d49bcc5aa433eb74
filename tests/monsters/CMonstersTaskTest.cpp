// The game task driven like a player drives it: real SDL events through the
// event and UI tasks, real files in a temporary game folder.
#include <gtest/gtest.h>

#include <box2d/box2d.h>

#include <filesystem>

#include "GameTestSupport.h"
#include "monsters/CEditorToolbar.h"
#include "monsters/CEditorWorld.h"
#include "monsters/CFightWorld.h"
#include "monsters/CGetMonsterNameDialog.h"
#include "monsters/CMonster.h"
#include "monsters/CMonsterBodyPart.h"
#include "monsters/CMonstersTaskImpl.h"
#include "monsters/CPin.h"
#include "monsters/CShopSelectionThing.h"
#include "monsters/CUglySlashScreen.h"
#include "monsters/PlayerFiles.h"
#include "vorn/gfx/CSprite.h"
#include "vorn/ui/CTextInputWidget.h"

using monsters::CEditorToolbar;
using monsters::CGetMonsterNameDialog;
using monsters::CMonstersTaskImpl;
using monsters::CShopSelectionThing;
using monsters::CSlidingWindow;
namespace fs = std::filesystem;

namespace {

class CMonstersTaskTest : public monsters_test::GameTest {
protected:
    // Title skipped by a click, the name typed and confirmed with Return.
    CMonstersTaskImpl* StartAs(const std::string& name) {
        StartGame();
        Click(400, 300);
        Pass();
        Type(name);
        PushKey(SDLK_RETURN, '\r');
        Pass(2);
        return Game() ? Game()->GetGame() : nullptr;
    }
    // Presses the shop selection's workshop or fight button.
    void Choose(bool fight) {
        if (fight)
            Click(538 + 86, 346 + 49);
        else
            Click(105 + 112, 334 + 60);
        Pass();
    }
};

TEST_F(CMonstersTaskTest, TheTitleEndsAfterThreeSecondsOrAtAClickAndOpensTheNameDialog) {
    StartGame();
    ASSERT_NE(Game()->GetTitleScreen(), nullptr);
    Advance(2900);
    Pass();
    EXPECT_NE(Game()->GetTitleScreen(), nullptr) << "still within the 3000 ms";
    EXPECT_EQ(Game()->GetNameDialog(), nullptr);
    Advance(200);
    Pass(2);
    EXPECT_EQ(Game()->GetTitleScreen(), nullptr);
    ASSERT_NE(Game()->GetNameDialog(), nullptr);
    EXPECT_TRUE(Game()->GetNameDialog()->GetTextField()->IsFocused())
        << "typing goes to the name field at once";
    Run("stoptask(game)");
    Pass();

    Run("starttask(game, game2, 10)");
    Pass();
    auto* second = Task<monsters::CMonstersTask>("game2");
    ASSERT_NE(second->GetTitleScreen(), nullptr);
    Click(10, 10);
    Pass();
    EXPECT_EQ(second->GetTitleScreen(), nullptr) << "a click skips the title";
    EXPECT_NE(second->GetNameDialog(), nullptr);
}

TEST_F(CMonstersTaskTest, ABadNameKeepsTheDialogAndAGoodOneStartsTheGame) {
    for (const char* bad : {"", "a/b", "x:y", "..", ".hidden", "tab\there", " lead",
                            "012345678901234567890123456789012"})
        EXPECT_FALSE(CGetMonsterNameDialog::IsValidName(bad)) << bad;
    for (const char* good : {"Bob", "caf\xc3\xa9", "R2 D2", "a.b"})
        EXPECT_TRUE(CGetMonsterNameDialog::IsValidName(good)) << good;

    StartGame();
    Click(400, 300);
    Pass();
    Type("a/b");
    PushKey(SDLK_RETURN, '\r');
    Pass(2);
    ASSERT_NE(Game()->GetNameDialog(), nullptr) << "refused";
    EXPECT_EQ(Game()->GetGame(), nullptr);
    CGetMonsterNameDialog* dialog = Game()->GetNameDialog();
    EXPECT_TRUE(dialog->GetTextField()->IsFocused()) << "the field has the focus again";

    dialog->GetTextField()->SetText("");
    Type("Zed");
    Click(75 + 483 + 70, 135 + 241 + 30);  // OK
    Pass();
    EXPECT_EQ(Game()->GetNameDialog(), nullptr);
    ASSERT_NE(Game()->GetGame(), nullptr);
    EXPECT_EQ(Game()->GetGame()->GetPlayerName(), "Zed");
    EXPECT_NE(Game()->GetGame()->GetShopSelection(), nullptr);
    EXPECT_EQ(monsters::CBodyShop::GetSingleton()->GetParts().size(), 2u)
        << "a new player starts from the standard shop";
}

TEST_F(CMonstersTaskTest, TheEditorBuildsAPartInAndQuittingSavesTheMonster) {
    CMonstersTaskImpl* game = StartAs("Ann");
    ASSERT_NE(game, nullptr);
    Choose(false);
    ASSERT_EQ(game->GetShopSelection(), nullptr);
    ASSERT_TRUE(game->IsEditorMode());
    monsters::CEditorWorld* world = game->GetPhysics().GetEditorWorld();
    ASSERT_NE(world, nullptr);
    ASSERT_EQ(world->GetMonsterCount(), 3) << "floor, the shop's head at the origin, the bar";
    ASSERT_EQ(world->GetPinCount(), 1);
    // The menu slides up to its place.
    Pass(40);
    CSlidingWindow* menu = game->GetToolbar()->GetMenuWindow();
    EXPECT_EQ(menu->GetRect().y, 506);
    EXPECT_FALSE(menu->IsSliding());

    // Drag the bar's pin onto the head and quit the editor.
    const b2Vec2 pin = world->GetPin(0)->GetWorldPoint();
    int fromX = 0, fromY = 0, toX = 0, toY = 0;
    WorldToScreen(pin.x, pin.y, fromX, fromY);
    WorldToScreen(0.2f, 0.1f, toX, toY);
    Drag(fromX, fromY, toX, toY);
    EXPECT_EQ(game->GetDragged(), nullptr);
    EXPECT_LT((world->GetPin(0)->GetWorldPoint() - b2Vec2(0.2f, 0.1f)).Length(), 0.1f);
    Click(5 + 70, 506 + 35);  // quit
    Pass(3);
    EXPECT_NE(game->GetShopSelection(), nullptr);
    monsters::CMonster saved;
    ASSERT_TRUE(saved.LoadFromFile(monsters::PlayerMonsterFile("Ann")));
    ASSERT_EQ(saved.GetPartCount(), 2);
    EXPECT_TRUE(saved.GetPart(1)->HasJoint());
    EXPECT_EQ(saved.GetPart(1)->GetConnectedToBody(), saved.GetPart(0)->GetObjectId())
        << "the bar is hinged to the head now";

    // Back in the editor the built bar stands on the head, not in the tray again.
    Choose(false);
    world = game->GetPhysics().GetEditorWorld();
    ASSERT_NE(world, nullptr);
    int bars = 0;
    for (int i = 1; i < world->GetMonsterCount(); ++i) {
        const monsters::CMonster& monster = *world->GetMonster(i);
        if (monster.GetPartCount() == 0 || monster.GetPart(0)->GetShopUid() != 2) continue;
        ++bars;
        EXPECT_GT(world->GetBody(*monster.GetPart(0))->GetPosition().y, -1.0f)
            << "the bar is on the monster, not up in the tray";
    }
    EXPECT_EQ(bars, 1);
}

TEST_F(CMonstersTaskTest, ATestFightAndBackAndTheToolbarSlides) {
    CMonstersTaskImpl* game = StartAs("Tess");
    ASSERT_NE(game, nullptr);
    Choose(false);
    Pass(40);
    Click(650 + 70, 506 + 35);  // test
    Pass();
    EXPECT_FALSE(game->IsInEditor());
    ASSERT_NE(game->GetPhysics().GetFightWorld(), nullptr);
    EXPECT_EQ(game->GetPhysics().GetFightWorld()->GetMonsterCount(), 2) << "no opponent";
    EXPECT_TRUE(fs::exists(monsters::EDITOR_MONSTER_FILE));
    EXPECT_TRUE(fs::exists(monsters::EDITOR_STATE_FILE));
    Pass(40);
    CEditorToolbar* toolbar = game->GetToolbar();
    EXPECT_EQ(toolbar->GetMenuWindow()->GetRect().y, 600) << "the menu slid away";
    EXPECT_EQ(toolbar->GetExitWindow()->GetRect().y, 5) << "the exit bar slid in";

    // A console line swaps too, and the exit bar's quit comes back as well.
    Run("game::SwapEditorAndPlay()");
    EXPECT_TRUE(game->IsInEditor());
    Run("game::SwapEditorAndPlay()");
    EXPECT_FALSE(game->IsInEditor());
    Click(5 + 70, 5 + 35);
    Pass();
    EXPECT_TRUE(game->IsInEditor());
    EXPECT_NE(game->GetPhysics().GetEditorWorld(), nullptr);

    // Out of the editor and into a real fight: the same toolbar shows only
    // its exit bar.
    Pass(40);
    Click(5 + 70, 506 + 35);
    Pass();
    ASSERT_NE(game->GetShopSelection(), nullptr);
    Choose(true);
    Pass(40);
    ASSERT_EQ(game->GetToolbar(), toolbar);
    EXPECT_EQ(toolbar->GetExitWindow()->GetRect().y, 5);
    EXPECT_EQ(toolbar->GetMenuWindow()->GetRect().y, 600);
}

TEST_F(CMonstersTaskTest, AVictoryShowsThePrizesAtTheirPlacesAndAddsThemToTheShop) {
    CMonstersTaskImpl* game = StartAs("Vic");
    ASSERT_NE(game, nullptr);
    Choose(true);
    ASSERT_FALSE(game->IsEditorMode());
    monsters::CFightWorld* fight = game->GetPhysics().GetFightWorld();
    ASSERT_NE(fight, nullptr);
    ASSERT_EQ(fight->GetMonsterCount(), 3);
    // "SwapEditorAndPlay()" has no business in a real fight.
    Run("game::SwapEditorAndPlay()");
    EXPECT_EQ(game->GetPhysics().GetFightWorld(), fight);

    game->Win();
    EXPECT_EQ(game->GetResultState(), CMonstersTaskImpl::RESULT_WON);
    EXPECT_EQ(game->GetToolbar(), nullptr);
    Click(400, 300);
    EXPECT_EQ(game->GetResultState(), CMonstersTaskImpl::RESULT_LEAVING);
    ASSERT_EQ(game->GetPrizeSprites().size(), 2u);
    const vorn::types_rect first = game->GetPrizeSprites()[0]->GetRect();
    const vorn::types_rect second = game->GetPrizeSprites()[1]->GetRect();
    EXPECT_EQ(first.x + first.w / 2, 296);
    EXPECT_EQ(first.y + first.h / 2, 259);
    EXPECT_EQ(second.x + second.w / 2, 451);
    EXPECT_EQ(game->GetPrizeSprites()[0]->GetZ(), 5);
    const auto& parts = monsters::CBodyShop::GetSingleton()->GetParts();
    ASSERT_EQ(parts.size(), 4u);
    EXPECT_EQ(parts[2].myFileName, "data/parts/bar.xml");
    EXPECT_EQ(parts[3].myFileName, "data/parts/head.xml");
    EXPECT_EQ(monsters::CLevelList::GetSingleton()->GetCurrentIndex(), 1);
    Click(400, 300);
    EXPECT_NE(game->GetShopSelection(), nullptr);
    EXPECT_EQ(game->GetPhysics().GetFightWorld(), nullptr);

    // The second level has one prize: it stands in the middle.
    Choose(true);
    game->Win();
    Click(400, 300);
    ASSERT_EQ(game->GetPrizeSprites().size(), 1u);
    const vorn::types_rect alone = game->GetPrizeSprites()[0]->GetRect();
    EXPECT_EQ(alone.x + alone.w / 2, 376);
    Click(400, 300);

    // After the last level the opponent is the standard monster.
    Choose(true);
    fight = game->GetPhysics().GetFightWorld();
    ASSERT_NE(fight, nullptr);
    ASSERT_EQ(fight->GetMonsterCount(), 3);
    EXPECT_EQ(fight->GetMonster(2)->GetPart(0)->GetHitPoints(), 7.0f);

    // Quitting writes the shop and the level list.
    Run("stoptask(game)");
    Pass();
    monsters::CBodyShop shop;
    ASSERT_TRUE(shop.LoadFromFile(monsters::PlayerShopListFile("Vic")));
    EXPECT_EQ(shop.GetParts().size(), 5u);
    monsters::CLevelList levels("");
    ASSERT_TRUE(levels.LoadFromFile(monsters::PlayerLevelListFile("Vic")));
    EXPECT_TRUE(levels.IsCompleted(0));
    EXPECT_TRUE(levels.IsCompleted(1));
}

TEST_F(CMonstersTaskTest, ADefeatGoesStraightBackToTheShopSelection) {
    CMonstersTaskImpl* game = StartAs("Lou");
    ASSERT_NE(game, nullptr);
    Choose(true);
    game->Lose();
    EXPECT_EQ(game->GetResultState(), CMonstersTaskImpl::RESULT_LEAVING);
    Click(400, 300);
    EXPECT_TRUE(game->GetPrizeSprites().empty());
    EXPECT_NE(game->GetShopSelection(), nullptr);
    EXPECT_EQ(monsters::CLevelList::GetSingleton()->GetCurrentIndex(), 0);
}

TEST_F(CMonstersTaskTest, BrokenPlayerFilesFallBackAndClicksAtAnyMomentAreSafe) {
    Dir().WriteFile("My Monsters/Bad.xml", "<Monster><MonsterBodyPart");
    Dir().WriteFile("My Monsters/profile_stuff/Bad_shoplist.xml", "\x01\x02 not xml");
    Dir().WriteFile("My Monsters/profile_stuff/Bad_levellist.xml", "");
    CMonstersTaskImpl* game = StartAs("Bad");
    ASSERT_NE(game, nullptr);
    EXPECT_EQ(monsters::CBodyShop::GetSingleton()->GetParts().size(), 2u) << "standard shop";
    // Both buttons in one frame, twice: one screen, one window.
    PushMove(200, 390);
    PushButton(SDL_MOUSEBUTTONDOWN, 200, 390);
    PushButton(SDL_MOUSEBUTTONUP, 200, 390);
    PushMove(620, 390);
    PushButton(SDL_MOUSEBUTTONDOWN, 620, 390);
    PushButton(SDL_MOUSEBUTTONUP, 620, 390);
    Pass(3);
    EXPECT_EQ(game->GetShopSelection(), nullptr);
    int windows = 0;
    for (auto* child : vorn::ui::CDesktopWidget::GetSingleton()->GetChildren())
        windows += child->GetName() == "Dialog Window";
    EXPECT_EQ(windows, 0);
    // Console lines at odd moments.
    Run("game::Edit()");
    Run("game::Edit()");
    Run("game::Fight()");
    Run("game::SaveMonsterToFile()");
    Run("game::Edit()");
    monsters::CEditorWorld* world = game->GetPhysics().GetEditorWorld();
    ASSERT_NE(world, nullptr);
    int parts = 0;
    for (int i = 1; i < world->GetMonsterCount(); ++i)
        parts += world->GetMonster(i)->GetPartCount();
    EXPECT_EQ(parts, 2) << "the broken monster file gives an empty editor with the tray";
    // A corrupt editor state: the way back from a test fight still works.
    Run("game::SwapEditorAndPlay()");
    Dir().WriteFile(monsters::EDITOR_STATE_FILE, "garbage");
    Run("game::SwapEditorAndPlay()");
    EXPECT_TRUE(game->IsInEditor());
    EXPECT_NE(game->GetPhysics().GetEditorWorld(), nullptr);
    Run("quit");
    Pass();
}

}  // namespace
