// The shipped game from a copy of its runtime folder: the shipped start-up
// script, SDL's dummy drivers, and nothing but real input events, through
// every screen. Screenshots are compared with the shipped pictures in a few
// regions.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_image.h>

#include <box2d/box2d.h>

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "EngineFixture.h"
#include "ManualTime.h"
#include "SdlEvents.h"
#include "monsters/CBodyShop.h"
#include "monsters/CCamera.h"
#include "monsters/CEditorWorld.h"
#include "monsters/CLevelList.h"
#include "monsters/CMonster.h"
#include "monsters/CMonstersTask.h"
#include "monsters/CMonstersTaskImpl.h"
#include "monsters/CPin.h"
#include "monsters/PlayerFiles.h"
#include "monsters/Registration.h"
#include "vorn/input/CKeyboard.h"
#include "vorn/input/CMouse.h"
#include "vorn/ui/CDesktopWidget.h"
#include "vorn/utils/timer/CGlobalAppTimer.h"

namespace fs = std::filesystem;

namespace {

class GameEndToEndTest : public testing_support::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        ResetSingletons();
        monsters::RegisterGame();
        vorn::CGlobalAppTimer::DeleteSingleton();
        myTime = std::make_unique<testing_support::CScopedManualTime>(5000);
        const fs::path shipped = fs::path(MONSTERS_SOURCE_DIR) / "game";
        for (const char* item : {"autoexec.txt", "data", "temp"})
            fs::copy(shipped / item, Dir().Path() / item, fs::copy_options::recursive);
        fs::remove_all(Dir().Path() / "data" / "editor");
    }
    void TearDown() override {
        EngineTest::TearDown();
        ResetSingletons();
        vorn::CGlobalAppTimer::DeleteSingleton();
        myTime.reset();
    }
    static void ResetSingletons() {
        vorn::ui::CDesktopWidget::DeleteSingleton();
        vorn::CKeyboard::DeleteSingleton();
        vorn::CMouse::DeleteSingleton();
        monsters::CLevelList::DeleteSingleton();
        monsters::CBodyShop::DeleteSingleton();
    }

    // One frame of the game: 17 ms of the manual clock, one kernel pass.
    bool Frame() {
        (*myTime)->now += 17;
        return Kernel()->RunPass();
    }
    void Frames(int count) {
        for (int i = 0; i < count; ++i)
            Frame();
    }
    // Frames until the condition holds (at most limit frames).
    bool FramesUntil(const std::function<bool()>& condition, int limit) {
        for (int i = 0; i < limit; ++i) {
            if (condition()) return true;
            Frame();
        }
        return condition();
    }

    static void Move(int x, int y) { testing_support::PushMove(x, y); }
    static void Button(Uint8 type, int x, int y) { testing_support::PushButton(type, x, y); }
    void Click(int x, int y) {
        Move(x, y);
        Frame();
        Button(SDL_MOUSEBUTTONDOWN, x, y);
        Frame();
        Button(SDL_MOUSEBUTTONUP, x, y);
        Frames(2);
    }
    void Drag(int fromX, int fromY, int toX, int toY) {
        Move(fromX, fromY);
        Frame();
        Button(SDL_MOUSEBUTTONDOWN, fromX, fromY);
        Frame();
        for (int i = 1; i <= 10; ++i) {
            Move(fromX + (toX - fromX) * i / 10, fromY + (toY - fromY) * i / 10);
            Frame();
        }
        Button(SDL_MOUSEBUTTONUP, toX, toY);
        Frames(2);
    }
    static void Key(SDLKey key, Uint16 unicode) { testing_support::PushKey(key, unicode); }

    monsters::CMonstersTaskImpl* Game() {
        auto* task = dynamic_cast<monsters::CMonstersTask*>(Factory()->FindTask("game"));
        return task ? task->GetGame() : nullptr;
    }

    // Takes a screenshot through the window's command and checks that the
    // region looks like the same region of the shipped picture.
    void ExpectScreenLike(const std::string& shotName, const std::string& picture,
                          const SDL_Rect& region) {
        SCOPED_TRACE(shotName + " against " + picture);
        Frame();
        Run("window::Screenshot(" + shotName + ")");
        SDL_Surface* shot = SDL_LoadBMP(shotName.c_str());
        SDL_Surface* expected = IMG_Load(picture.c_str());
        ASSERT_NE(shot, nullptr);
        ASSERT_NE(expected, nullptr);
        EXPECT_EQ(shot->w, 800);
        EXPECT_EQ(shot->h, 600);
        EXPECT_LE(MeanDifference(shot, expected, region), 6.0) << "region differs";
        SDL_FreeSurface(shot);
        SDL_FreeSurface(expected);
    }
    static Uint32 Pixel(SDL_Surface* surface, int x, int y) {
        const Uint8* row = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch;
        const int bytes = surface->format->BytesPerPixel;
        Uint32 value = 0;
        std::memcpy(&value, row + x * bytes, size_t(bytes));
        return value;
    }
    // Mean absolute difference per channel over the region.
    static double MeanDifference(SDL_Surface* a, SDL_Surface* b, const SDL_Rect& region) {
        SDL_LockSurface(a);
        SDL_LockSurface(b);
        double sum = 0;
        for (int y = region.y; y < region.y + region.h; ++y)
            for (int x = region.x; x < region.x + region.w; ++x) {
                Uint8 ar, ag, ab, br, bg, bb;
                SDL_GetRGB(Pixel(a, x, y), a->format, &ar, &ag, &ab);
                SDL_GetRGB(Pixel(b, x, y), b->format, &br, &bg, &bb);
                sum += std::abs(ar - br) + std::abs(ag - bg) + std::abs(ab - bb);
            }
        SDL_UnlockSurface(a);
        SDL_UnlockSurface(b);
        return sum / (3.0 * region.w * region.h);
    }

    std::unique_ptr<testing_support::CScopedManualTime> myTime;
};

TEST_F(GameEndToEndTest, APlayerGoesThroughEveryScreenWithRealInput) {
    Run("load(autoexec.txt)");
    // Passes back to back: the manual clock decides the frames.
    Run("kernel_max_passes_per_second = 0");
    ASSERT_NE(Factory()->FindTask("game"), nullptr);

    // Title: fully visible in the middle of its three seconds.
    Frames(90);
    ExpectScreenLike("title.bmp", "data/gfx/title_screen.png", {20, 220, 40, 40});
    Click(400, 300);
    ASSERT_EQ(Game(), nullptr);

    // Name dialog over the shop backdrop.
    for (char c : std::string("Tester"))
        Key(SDLKey(std::tolower(c)), Uint16(c));
    Frame();
    ExpectScreenLike("name.bmp", "data/gfx/shop_selection_background.jpg", {20, 500, 40, 40});
    Key(SDLK_RETURN, '\r');
    ASSERT_TRUE(FramesUntil([&] { return Game() != nullptr; }, 10));
    EXPECT_EQ(Game()->GetPlayerName(), "Tester");

    // Shop selection, then the workshop.
    Frames(3);
    ExpectScreenLike("shop.bmp", "data/gfx/shop_selection_background.jpg", {600, 20, 40, 40});
    Click(217, 394);
    ASSERT_TRUE(Game()->IsEditorMode());
    monsters::CEditorWorld* world = Game()->GetPhysics().GetEditorWorld();
    ASSERT_NE(world, nullptr);
    Frames(30);
    ExpectScreenLike("editor.bmp", "data/gfx/editor_background.png", {200, 380, 40, 40});

    // Build the starting monster of the ladder proof by dropping each loose
    // part's pin where that recipe drops it (the head stands at the origin):
    // chassis onto the head, wheels onto the chassis, the spike onto the head.
    const b2Vec2 drops[] = {{0.0f, 0.3125f}, {-0.45f, 0.7f}, {0.45f, 0.7f}, {0.2f, 0.0f}};
    int dropped = 0;
    for (int i = 0; i < world->GetPinCount() && dropped < 4; ++i) {
        const monsters::CPin* pin = world->GetPin(i);
        if (pin->GetPart().GetMonster()->FindHeadPart()) continue;
        int fromX = 0, fromY = 0, toX = 0, toY = 0;
        monsters::CCamera* camera = monsters::CCamera::GetSingleton();
        camera->WorldToScreen(pin->GetWorldPoint().x, pin->GetWorldPoint().y, fromX, fromY);
        camera->WorldToScreen(drops[dropped].x, drops[dropped].y, toX, toY);
        Drag(fromX, fromY, toX, toY);
        const b2Vec2 at = world->GetPin(i)->GetWorldPoint();
        EXPECT_LT((at - drops[dropped]).Length(), 0.05f)
            << "pin " << i << " went where it was dropped";
        ++dropped;
    }
    ASSERT_EQ(dropped, 4);

    // Test fight and back.
    Click(720, 541);
    EXPECT_FALSE(Game()->IsInEditor());
    Frames(60);
    Click(75, 40);
    EXPECT_TRUE(Game()->IsInEditor());
    Frames(30);

    // Quit the editor: the monster is saved with the part built in.
    Click(75, 541);
    ASSERT_TRUE(FramesUntil([&] { return Game()->GetShopSelection() != nullptr; }, 10));
    monsters::CMonster saved;
    ASSERT_TRUE(saved.LoadFromFile(monsters::PlayerMonsterFile("Tester")));
    EXPECT_EQ(saved.GetPartCount(), 5) << "every part built in";

    // The fight against the first opponent, to its end.
    Click(624, 395);
    ASSERT_NE(Game()->GetPhysics().GetFightWorld(), nullptr);
    Frames(20);
    ExpectScreenLike("fight.bmp", "data/gfx/background.png", {380, 60, 40, 40});
    ASSERT_TRUE(FramesUntil([&] { return Game()->GetResultState() != 0; }, 6000))
        << "the fight ended";
    Frames(40);
    Run("window::Screenshot(outcome.bmp)");
    EXPECT_TRUE(fs::exists("outcome.bmp"));
    const bool won = Game()->GetResultState() == monsters::CMonstersTaskImpl::RESULT_WON;
    EXPECT_TRUE(won) << "the ladder's starting monster beats the first opponent";
    Click(400, 300);
    if (won) {
        EXPECT_FALSE(Game()->GetPrizeSprites().empty());
        Click(400, 300);
    }
    ASSERT_TRUE(FramesUntil([&] { return Game()->GetShopSelection() != nullptr; }, 10));
    ExpectScreenLike("back.bmp", "data/gfx/shop_selection_background.jpg", {600, 20, 40, 40});

    // Escape quits; the player's files are written.
    Key(SDLK_ESCAPE, 27);
    EXPECT_TRUE(FramesUntil([&] { return Kernel()->GetRunningList().empty(); }, 10));
    monsters::CBodyShop shop;
    ASSERT_TRUE(shop.LoadFromFile(monsters::PlayerShopListFile("Tester")));
    if (won)
        EXPECT_GT(shop.GetParts().size(), 5u) << "the prizes joined the shop";
    else
        EXPECT_EQ(shop.GetParts().size(), 5u);
    monsters::CLevelList levels("");
    ASSERT_TRUE(levels.LoadFromFile(monsters::PlayerLevelListFile("Tester")));
    EXPECT_EQ(levels.IsCompleted(0), won);
}

}  // namespace
