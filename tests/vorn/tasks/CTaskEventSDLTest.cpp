#include <SDL.h>

#include <cstring>

#include "SdlTaskFixture.h"
#include "vorn/input/CEventBridge.h"
#include "vorn/input/IKeyboardListener.h"
#include "vorn/input/IMouseHardware.h"
#include "vorn/input/IMouseListener.h"
#include "vorn/input/IWindowListener.h"
#include "vorn/tasks/CTaskEventSDL.h"
#include "vorn/tasks/sdl/SdlCursors.h"

using namespace vorn;
using namespace gfx_test;

namespace {

// Records every event of the bridge as text.
struct CListener : IWindowListener, IKeyboardListener, IMouseListener {
    std::vector<std::string> events;
    std::vector<std::string> typed;  // the UTF-8 text of each key press
    CListener() {
        CEventBridge* bridge = CEventBridge::GetSingleton();
        bridge->AddWindowListener(this);
        bridge->AddKeyboardListener(this);
        bridge->AddMouseListener(this);
    }
    void OnResize(int w, int h) override {
        events.push_back("resize " + std::to_string(w) + "x" + std::to_string(h));
    }
    void OnFocus(bool gained) override { events.push_back(gained ? "focus" : "blur"); }
    void OnKeyDown(int key) override {
        events.push_back("down " + std::to_string(key) + " " + std::to_string(GetCharacter()));
        typed.push_back(GetTypedText());
    }
    void OnKeyUp(int key) override {
        events.push_back("up " + std::to_string(key) + " " + std::to_string(GetCharacter()));
    }
    void OnMouseMove(int x, int y) override {
        events.push_back("move " + std::to_string(x) + "," + std::to_string(y));
    }
    void OnMouseMoveRelative(int dx, int dy) override {
        events.push_back("rel " + std::to_string(dx) + "," + std::to_string(dy));
    }
    void OnMouseButtonDown(int button) override {
        events.push_back("press " + std::to_string(button));
    }
    void OnMouseButtonUp(int button) override {
        events.push_back("release " + std::to_string(button));
    }
};

class CTaskEventSDLTest : public sdl_task_test::SdlTaskTest {
protected:
    void SetUp() override {
        SdlTaskTest::SetUp();
        StartWindow(320, 200);
        Run("starttask(event, event, 2)");
        // Drop whatever the mode change queued.
        Kernel()->RunPass();
    }
    CTaskEventSDL* Events() { return Task<CTaskEventSDL>("event"); }

    static void PushKey(Uint8 type, SDLKey key, Uint16 unicode) {
        SDL_Event event{};
        event.type = type;
        event.key.type = type;
        event.key.keysym.sym = key;
        event.key.keysym.unicode = unicode;
        ASSERT_EQ(SDL_PushEvent(&event), 0);
    }
    static void PushButton(Uint8 type, Uint8 button, Uint16 x = 120, Uint16 y = 80) {
        SDL_Event event{};
        event.type = type;
        event.button.type = type;
        event.button.button = button;
        event.button.x = x;
        event.button.y = y;
        ASSERT_EQ(SDL_PushEvent(&event), 0);
    }
    static void PushActive(Uint8 state, Uint8 gain) {
        SDL_Event event{};
        event.type = SDL_ACTIVEEVENT;
        event.active.type = SDL_ACTIVEEVENT;
        event.active.state = state;
        event.active.gain = gain;
        ASSERT_EQ(SDL_PushEvent(&event), 0);
    }
};

TEST_F(CTaskEventSDLTest, KeysAndFocusReachTheBridgeWithTheCharacterRule) {
    CListener listener;
    PushKey(SDL_KEYDOWN, SDLK_a, 'a');
    PushKey(SDL_KEYUP, SDLK_a, 'a');
    PushKey(SDL_KEYDOWN, SDLK_WORLD_0, 200);  // a key typing a character above 127
    PushKey(SDL_KEYDOWN, SDLK_F1, 0);
    PushKey(SDL_KEYDOWN, SDLK_DELETE, 127);
    PushKey(SDL_KEYDOWN, SDLK_e, 0x20AC);  // a euro sign
    PushKey(SDL_KEYDOWN, SDLK_x, 0xD800);  // half a surrogate pair types nothing
    PushActive(SDL_APPMOUSEFOCUS, 0);      // not the input focus: ignored
    PushActive(SDL_APPINPUTFOCUS, 0);
    PushActive(SDL_APPINPUTFOCUS | SDL_APPACTIVE, 1);
    Kernel()->RunPass();
    EXPECT_EQ(listener.events, (std::vector<std::string>{"down 97 97", "up 97 97", "down 160 0",
                                                         "down 282 0", "down 127 127", "down 101 0",
                                                         "down 120 0", "blur", "focus"}));
    // What the keys type, as UTF-8, any character.
    EXPECT_EQ(listener.typed,
              (std::vector<std::string>{"a", "\xC3\x88", "", "\x7F", "\xE2\x82\xAC", ""}));
}

TEST_F(CTaskEventSDLTest, MouseMotionAndButtonsArriveAsPositionsAndButtonBits) {
    CListener listener;
    SDL_Event motion{};
    motion.type = SDL_MOUSEMOTION;
    motion.motion.type = SDL_MOUSEMOTION;
    motion.motion.x = 120;
    motion.motion.y = 80;
    motion.motion.xrel = -3;
    motion.motion.yrel = 4;
    ASSERT_EQ(SDL_PushEvent(&motion), 0);
    for (Uint8 button = 1; button <= 6; ++button)
        PushButton(SDL_MOUSEBUTTONDOWN, button);
    PushButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT);
    // A press where no motion put the pointer: the move comes first.
    PushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 130, 70);
    Kernel()->RunPass();
    EXPECT_EQ(listener.events,
              (std::vector<std::string>{"move 120,80", "rel -3,4", "press 1", "press 2", "press 4",
                                        "press 8", "press 16", "press 0", "release 4",
                                        "move 130,70", "rel 10,-10", "press 1"}));
}

TEST_F(CTaskEventSDLTest, ResizeEventsSetTheVideoModeAndQuitEndsTheLoop) {
    CListener listener;
    SDL_Event resize{};
    resize.type = SDL_VIDEORESIZE;
    resize.resize.type = SDL_VIDEORESIZE;
    resize.resize.w = 500;
    resize.resize.h = 300;
    ASSERT_EQ(SDL_PushEvent(&resize), 0);
    Kernel()->RunPass();
    EXPECT_EQ(listener.events, (std::vector<std::string>{"resize 500x300"}));
    EXPECT_EQ(SDL_GetVideoSurface()->w, 500);
    EXPECT_EQ(SDL_GetVideoSurface()->h, 300);

    SDL_Event quit{};
    quit.type = SDL_QUIT;
    ASSERT_EQ(SDL_PushEvent(&quit), 0);
    EXPECT_FALSE(Kernel()->RunPass()) << "no task is left running after the quit";
}

TEST_F(CTaskEventSDLTest, CursorsAreBuiltFromThePicturesAndTypeZeroKeepsTheLastOne) {
    EXPECT_EQ(GetMouseHardware(), static_cast<IMouseHardware*>(Events()));
    SDL_Cursor* standard = SDL_GetCursor();
    Events()->SetCursor(1);
    SDL_Cursor* arrow = SDL_GetCursor();
    ASSERT_NE(arrow, standard);
    sdlcursors::CCursorBits bits;
    ASSERT_TRUE(sdlcursors::ParsePicture(sdlcursors::GetPicture(1), bits));
    EXPECT_EQ(arrow->hot_x, 0);
    EXPECT_EQ(arrow->hot_y, 0);
    EXPECT_EQ(std::memcmp(arrow->data, bits.data, sizeof(bits.data)), 0);
    EXPECT_EQ(std::memcmp(arrow->mask, bits.mask, sizeof(bits.mask)), 0);

    Events()->SetCursor(0);
    EXPECT_EQ(SDL_GetCursor(), arrow) << "type 0 keeps the arrow on screen";
    EXPECT_EQ(Events()->GetCursorType(), 0);
    Events()->SetCursor(4);
    EXPECT_EQ(SDL_GetCursor()->hot_x, 5);
    EXPECT_EQ(SDL_GetCursor()->hot_y, 0);
    SDL_Cursor* hand = SDL_GetCursor();
    Events()->SetCursor(4);
    EXPECT_EQ(SDL_GetCursor(), hand) << "the same type again changes nothing";

    CLogCapture log;
    Events()->SetCursor(10);
    Events()->SetCursor(-1);
    EXPECT_EQ(Events()->GetCursorType(), 4);
    EXPECT_EQ(log.Count("[WARNING] SetCursor: there is no cursor type"), 2);

    Events()->HideCursor();
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
    Events()->ShowCursor();
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
    Events()->GrabInput(true);
    Events()->GrabInput(false);
    EXPECT_EQ(SDL_WM_GrabInput(SDL_GRAB_QUERY), SDL_GRAB_OFF);

    // The window's video ends first here; the event task must not free the
    // cursor SDL already freed with it.
    Run("stoptask(window)");
    Run("stoptask(event)");
    EXPECT_FALSE(HasMouseHardware());
}

}  // namespace
