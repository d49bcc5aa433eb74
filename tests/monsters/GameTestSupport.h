#pragma once

#include <SDL.h>

#include <string>

#include "../vorn/tasks/SdlTaskFixture.h"
#include "PhysicsTestSupport.h"
#include "SdlEvents.h"
#include "monsters/CBodyShop.h"
#include "monsters/CCamera.h"
#include "monsters/CLevelList.h"
#include "monsters/CMonstersTask.h"
#include "monsters/Registration.h"
#include "vorn/input/CKeyboard.h"
#include "vorn/input/CMouse.h"
#include "vorn/input/InputTaskTypes.h"
#include "vorn/ui/CDesktopWidget.h"
#include "vorn/ui/UiTaskTypes.h"

namespace monsters_test {

// The game task in a real engine: SDL's dummy video, the event, UI and game
// tasks started through the console, a manual clock, and a game folder in a
// temporary working directory with a floor, a standard monster, a level list
// and a shop list. Input arrives as real SDL events.
class GameTest : public sdl_task_test::SdlTaskTest {
protected:
    void SetUp() override {
        SdlTaskTest::SetUp();
        ResetSingletons();
        vorn::RegisterInputTaskTypes(*Factory());
        vorn::RegisterUiTaskTypes(*Factory());
        monsters::RegisterGame();
        WriteGameFolder();
    }
    void TearDown() override {
        SdlTaskTest::TearDown();
        ResetSingletons();
    }
    static void ResetSingletons() {
        vorn::ui::CDesktopWidget::DeleteSingleton();
        vorn::CKeyboard::DeleteSingleton();
        vorn::CMouse::DeleteSingleton();
        monsters::CLevelList::DeleteSingleton();
        monsters::CBodyShop::DeleteSingleton();
    }

    // A head of 1 x 1 m (hit points 7 in the standard monster), a pinned
    // loose bar, two levels with prizes.
    void WriteGameFolder() {
        Dir().WriteFile("temp/floor.xml", MonsterXml({FloorPart()}));
        CPartXml standard = HeadPart();
        standard.hitPoints = 7.0f;
        Dir().WriteFile("data/standard_monster.xml", MonsterXml({standard}));
        Dir().WriteFile("data/parts/head.xml", MonsterXml({HeadPart()}));
        CPartXml bar;
        bar.extentX = 0.5f;
        bar.extentY = 0.1f;
        bar.joint = true;
        bar.pin = true;
        bar.anchorX = -0.5f;
        Dir().WriteFile("data/parts/bar.xml", MonsterXml({bar}));
        CPartXml foe = HeadPart();
        foe.hitPoints = 3.0f;
        Dir().WriteFile("data/foe.xml", MonsterXml({foe}));
        Dir().WriteFile("data/standard_shoplist.xml",
                        "<ShopList><ShopPart><Filename>data/parts/head.xml</Filename><UID>1</UID>"
                        "</ShopPart><ShopPart><Filename>data/parts/bar.xml</Filename><UID>2</UID>"
                        "</ShopPart></ShopList>");
        Dir().WriteFile("data/monster_list.xml",
                        "<LevelList>"
                        "<Level position=\"0\" filename=\"data/foe.xml\" completed=\"0\">"
                        "<Price1>data/parts/bar.xml</Price1><Price1Image>p1.png</Price1Image>"
                        "<Price2>data/parts/head.xml</Price2><Price2Image>p2.png</Price2Image>"
                        "</Level>"
                        "<Level position=\"1\" filename=\"data/foe.xml\" completed=\"0\">"
                        "<Price1>data/parts/bar.xml</Price1><Price1Image>p1.png</Price1Image>"
                        "<Price2></Price2><Price2Image></Price2Image>"
                        "</Level></LevelList>");
        WriteBmp("p1.png", 40, 30);
        WriteBmp("p2.png", 60, 20);
    }
    // An image of that size (BMP data under the given name).
    void WriteBmp(const std::string& name, int w, int h) {
        SDL_Surface* surface =
            SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0xFF0000, 0xFF00, 0xFF, 0);
        SDL_FillRect(surface, nullptr, 0x00FF8040);
        SDL_SaveBMP(surface, (Dir().Path() / name).c_str());
        SDL_FreeSurface(surface);
    }

    // Window 800 x 600, event, UI and game tasks, as the shipped script does.
    void StartGame() {
        StartWindow(800, 600);
        Run("starttask(event, event, 0)");
        Run("starttask(ui, ui, 7)");
        ASSERT_EQ(Run("starttask(game, game, 10)"), "game started");
        Pass();
    }
    monsters::CMonstersTask* Game() { return Task<monsters::CMonstersTask>("game"); }
    void Pass(int count = 1) {
        for (int i = 0; i < count; ++i) {
            Advance(17);
            Kernel()->RunPass();
        }
    }

    static void PushMove(int x, int y) { testing_support::PushMove(x, y); }
    static void PushButton(Uint8 type, int x, int y) { testing_support::PushButton(type, x, y); }
    // A click as a player makes it: move there, press, release, with frames
    // in between.
    void Click(int x, int y) {
        PushMove(x, y);
        PushButton(SDL_MOUSEBUTTONDOWN, x, y);
        Pass();
        PushButton(SDL_MOUSEBUTTONUP, x, y);
        Pass();
    }
    void Drag(int fromX, int fromY, int toX, int toY) {
        PushMove(fromX, fromY);
        PushButton(SDL_MOUSEBUTTONDOWN, fromX, fromY);
        Pass();
        for (int i = 1; i <= 8; ++i) {
            PushMove(fromX + (toX - fromX) * i / 8, fromY + (toY - fromY) * i / 8);
            Pass();
        }
        PushButton(SDL_MOUSEBUTTONUP, toX, toY);
        Pass();
    }
    static void PushKey(SDLKey key, Uint16 unicode) { testing_support::PushKey(key, unicode); }
    void Type(const std::string& text) {
        for (char c : text)
            PushKey(SDLKey(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c), Uint16(c));
        Pass();
    }
    static void WorldToScreen(float x, float y, int& sx, int& sy) {
        monsters::CCamera::GetSingleton()->WorldToScreen(x, y, sx, sy);
    }
};

}  // namespace monsters_test
