// The art of the game screens shipped under game/data/gfx/, loaded through
// the real sprite factory onto a real 800 x 600 SDL screen (dummy driver):
// every sprite file loads cleanly, and the sizes, depths and sounds the game
// relies on hold.

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "LogCapture.h"
#include "vorn/gfx/CAnimatedSprite.h"
#include "vorn/gfx/CAnimationUpdator.h"
#include "vorn/gfx/CFont.h"
#include "vorn/gfx/CSpriteFactory.h"
#include "vorn/gfx/CTextSprite.h"
#include "vorn/gfx/SpriteTestSupport.h"
#include "vorn/tasks/CApplicationFactory.h"
#include "vorn/tasks/CKernel.h"
#include "vorn/tasks/CTask.h"
#include "vorn/tasks/CTaskFactory.h"
#include "vorn/ui/CButtonWidget.h"
#include "vorn/ui/CDesktopWidget.h"
#include "vorn/ui/CGfxHandler.h"
#include "vorn/ui/CTextInputWidget.h"

namespace fs = std::filesystem;
using namespace vorn;

// Readable rectangles and points in failure messages.
namespace vorn {
template <class T>
void PrintTo(const CRect<T>& r, std::ostream* out) {
    *out << "(" << r.x << ", " << r.y << ", " << r.w << ", " << r.h << ")";
}
template <class T>
void PrintTo(const CPoint<T>& p, std::ostream* out) {
    *out << "(" << p.x << ", " << p.y << ")";
}
}  // namespace vorn

namespace {

const fs::path GAME = fs::path(MONSTERS_SOURCE_DIR) / "game";

// Stands in for the audio task "Audio": records the lines sound frames send.
class CSoundRecorder : public CTask {
public:
    static std::vector<std::string>& Lines() {
        static std::vector<std::string> lines;
        return lines;
    }
    void Update() override {}
    bool ExecuteNamespaceLine(const std::string& text) override {
        Lines().push_back(text);
        return true;
    }
};

std::string PlayLine(const std::string& file) {
    return "PlayEffect( \"" + file + "\" )";
}

class GameArtTest : public sprite_test::CSpriteScreenTest {
protected:
    GameArtTest() : CSpriteScreenTest(800, 600) {}

    void SetUp() override {
        CSpriteScreenTest::SetUp();
        // Sprite files name their images relative to the runtime folder.
        fs::current_path(GAME);
        CSoundRecorder::Lines().clear();
        CTaskFactory::GetSingleton()->RegisterTaskType<CSoundRecorder>("soundrecorder");
        ASSERT_TRUE(CTaskFactory::GetSingleton()->StartTask("soundrecorder", "Audio", 10));
    }
    void TearDown() override {
        ui::CDesktopWidget::DeleteSingleton();
        CSpriteScreenTest::TearDown();
        CTaskFactory::DeleteSingleton();
        CKernel::DeleteSingleton();
        CApplicationFactory::DeleteSingleton();
    }

    // Loads a sprite and fails the test on any warning or error it logs.
    std::unique_ptr<CSprite> Load(const std::string& file) {
        testing_support::CLogCapture log;
        std::unique_ptr<CSprite> sprite(CSpriteFactory::GetSingleton()->LoadSprite(file));
        EXPECT_EQ(log.Count(), 0) << file << ":\n" << log.All();
        EXPECT_FALSE(log.Has("[WARNING]") || log.Has("[ERROR]")) << file << ":\n" << log.All();
        EXPECT_NE(sprite, nullptr) << file;
        return sprite;
    }

    // Steps the animation clock in 16 ms frames, as the graphics task does.
    void Run(int frames) {
        for (int i = 0; i < frames; ++i) {
            myNow += 16;
            CAnimationUpdator::GetSingleton()->Update(myNow);
        }
    }

    // Colour of a screen pixel as (r, g, b).
    CColor Pixel(int x, int y) const { return At(x, y); }

    uint32_t myNow = 1000;
};

types_rect Rect(int x, int y, int w, int h) {
    return types_rect(x, y, w, h);
}

}  // namespace

TEST_F(GameArtTest, EverySpriteFileAndScreenImageLoadsWithoutAWarning) {
    std::vector<std::string> files = {"data/gfx/blackdrop.png", "data/gfx/dialog_entername.png",
                                      "data/gfx/shop_selection_background.jpg"};
    for (const fs::directory_entry& entry : fs::directory_iterator(GAME / "data/gfx"))
        if (entry.path().extension() == ".xml")
            files.push_back("data/gfx/" + entry.path().filename().string());
    std::sort(files.begin(), files.end());
    ASSERT_GE(files.size(), 20u);
    for (const std::string& file : files) {
        std::unique_ptr<CSprite> sprite = Load(file);
        if (!sprite || sprite->GetSpriteType() == CSprite::TYPE_SLIDER) continue;
        EXPECT_FALSE(sprite->Empty()) << file;
        // Scene sprites stay behind every widget (the console window included).
        EXPECT_GT(sprite->GetZ(),
                  vorn::ui::CGfxHandler::GetSpriteZ(vorn::ui::CWidget::DEFAULT_DEPTH))
            << file;
        if (sprite->GetSpriteType() == CSprite::TYPE_TEXT) continue;
        IPixel* image = sprite->GetLoadedImage();
        ASSERT_NE(image, nullptr) << file;
        EXPECT_FALSE(image->IsNullSurface()) << file << " has no picture";
        EXPECT_GT(image->GetWidth(), 0) << file;
    }
}

TEST_F(GameArtTest, ScreensAndWindowsHaveTheSizesAndDepthsTheGameUses) {
    // Full-screen pictures: title in front of the black backdrop (default
    // depth 100); editor and arena backdrops behind every part (48..60).
    struct Screen {
        const char* file;
        types_rect rect;
    };
    for (const Screen& screen :
         {Screen{"data/gfx/blackdrop.png", Rect(0, 0, 800, 600)},
          Screen{"data/gfx/title_screen.xml", Rect(0, 0, 800, 600)},
          Screen{"data/gfx/shop_selection_background.jpg", Rect(0, 0, 800, 600)},
          Screen{"data/gfx/editor_background.xml", Rect(0, 0, 800, 600)},
          Screen{"data/gfx/background.xml", Rect(0, 0, 800, 600)},
          Screen{"data/gfx/dialog_entername.png", Rect(0, 0, 654, 330)}}) {
        std::unique_ptr<CSprite> sprite = Load(screen.file);
        ASSERT_NE(sprite, nullptr);
        EXPECT_EQ(sprite->GetRect(), screen.rect) << screen.file;
    }
    EXPECT_LT(Load("data/gfx/title_screen.xml")->GetZ(), 100);
    EXPECT_GT(Load("data/gfx/editor_background.xml")->GetZ(), 60);
    EXPECT_GT(Load("data/gfx/background.xml")->GetZ(), 60);

    // The rail stays below the floor's top (y 568) and in front of the parts.
    std::unique_ptr<CSprite> foreground = Load("data/gfx/foreground.xml");
    EXPECT_GE(foreground->GetRect().y, 568);
    EXPECT_EQ(foreground->GetRect().y + foreground->GetRect().h, 600);
    EXPECT_EQ(foreground->GetRect().w, 800);
    EXPECT_LT(foreground->GetZ(), 48);

    // Outcome bands in front of everything of the fight, the rail included.
    for (const char* file : {"data/gfx/victory.xml", "data/gfx/you_lose.xml"}) {
        std::unique_ptr<CSprite> band = Load(file);
        EXPECT_LT(band->GetZ(), foreground->GetZ()) << file;
        EXPECT_EQ(band->GetRect().w, 800) << file;
        EXPECT_LE(band->GetRect().y, 250) << file;
        EXPECT_GE(band->GetRect().y + band->GetRect().h, 350) << file;
    }

    // The prize panel behind the prizes (depth 5) and round their places.
    std::unique_ptr<CSprite> prizes = Load("data/gfx/new_parts_backdrop.xml");
    EXPECT_GT(prizes->GetZ(), 5);
    for (const types_point& centre :
         {types_point(296, 259), types_point(451, 259), types_point(376, 259)}) {
        const types_rect r = prizes->GetRect();
        EXPECT_GE(centre.x - 60, r.x);
        EXPECT_LE(centre.x + 60, r.x + r.w);
        EXPECT_GE(centre.y - 60, r.y);
        EXPECT_LE(centre.y + 60, r.y + r.h);
    }

    // The pin: small, an even size so that centring it puts the pin point
    // on its middle, and in front of the parts.
    std::unique_ptr<CSprite> pin = Load("data/gfx/pin.xml");
    EXPECT_EQ(pin->GetRect().w % 2, 0);
    EXPECT_EQ(pin->GetRect().h % 2, 0);
    EXPECT_GE(pin->GetRect().w, 10);
    EXPECT_LE(pin->GetRect().w, 16);
    EXPECT_LT(pin->GetZ(), 48);
    pin->MoveCenterTo(400, 300);
    EXPECT_EQ(pin->GetRect().x + pin->GetRect().w / 2, 400);
    EXPECT_EQ(pin->GetRect().y + pin->GetRect().h / 2, 300);
}

TEST_F(GameArtTest, ButtonsShowTheirFramesAtTheirWidgetSizeAndClickOnPress) {
    struct Button {
        const char* file;
        int w;
        int h;
    };
    const std::vector<Button> buttons = {{"data/gfx/editor_okbutton.xml", 146, 62},
                                         {"data/gfx/shop_toshopbutton.xml", 225, 121},
                                         {"data/gfx/shop_tofightbutton.xml", 173, 98},
                                         {"data/gfx/editor_quitbutton.xml", 145, 75},
                                         {"data/gfx/editor_testbutton.xml", 145, 75}};
    ASSERT_TRUE(fs::is_regular_file(GAME / "data/sound/click.wav"));
    for (const Button& button : buttons) {
        SCOPED_TRACE(button.file);
        std::unique_ptr<CSprite> sprite = Load(button.file);
        ASSERT_EQ(sprite->GetSpriteType(), CSprite::TYPE_ANIMATED);
        // A strip of four frames; the sprite is one frame large from the
        // start, so the widget's resize to its own size scales nothing.
        EXPECT_EQ(sprite->GetLoadedImage()->GetWidth(), 4 * button.w);
        EXPECT_EQ(sprite->GetLoadedImage()->GetHeight(), button.h);
        EXPECT_EQ(sprite->GetRect(), Rect(0, 0, button.w, button.h));
        sprite->Resize(button.w, button.h);
        EXPECT_EQ(sprite->GetImage()->GetWidth(), 4 * button.w);

        // Each animation ends on its frame: normal, hover, pressed.
        const std::map<std::string, int> frames = {
            {"mouse_over", 1}, {"mouse_button_down", 2}, {"mouse_button_up", 1}, {"mouse_out", 3}};
        for (const auto& [animation, frame] : frames) {
            CSoundRecorder::Lines().clear();
            sprite->PlayAnimation(animation);
            Run(10);
            EXPECT_FALSE(static_cast<CAnimatedSprite*>(sprite.get())->IsPlaying()) << animation;
            EXPECT_EQ(sprite->GetSourceRect(), Rect(frame * button.w, 0, button.w, button.h))
                << animation;
            EXPECT_EQ(sprite->GetRect().w, button.w);
            EXPECT_EQ(sprite->GetRect().h, button.h);
            const std::vector<std::string> expected =
                animation == "mouse_button_down"
                    ? std::vector<std::string>{PlayLine("data/sound/click.wav")}
                    : std::vector<std::string>{};
            EXPECT_EQ(CSoundRecorder::Lines(), expected) << animation;
        }
    }
}

TEST_F(GameArtTest, VictoryAndDefeatPlayTheirJingleOnceWhenShown) {
    for (const auto& [file, sound] :
         std::map<std::string, std::string>{{"data/gfx/victory.xml", "data/sound/victory.ogg"},
                                            {"data/gfx/you_lose.xml", "data/sound/defeat.ogg"}}) {
        SCOPED_TRACE(file);
        EXPECT_TRUE(fs::is_regular_file(GAME / sound));
        CSoundRecorder::Lines().clear();
        std::unique_ptr<CSprite> sprite = Load(file);
        Run(60);
        EXPECT_EQ(CSoundRecorder::Lines(), std::vector<std::string>{PlayLine(sound)});
        // The band stays whole while and after it plays.
        EXPECT_EQ(sprite->GetRect().w, 800);
        EXPECT_EQ(sprite->GetSourceRect().w, 800);
    }
    for (const char* music : {"data/music/menu.ogg", "data/music/fight.ogg"}) {
        ASSERT_TRUE(fs::is_regular_file(GAME / music)) << music;
        EXPECT_LT(fs::file_size(GAME / music), 400u * 1024u) << music;
    }
}

TEST_F(GameArtTest, TheNameFieldWritesReadableTextWhereTheCursorStands) {
    std::unique_ptr<CSprite> sprite = Load("data/gfx/text_input.xml");
    ASSERT_EQ(sprite->GetSpriteType(), CSprite::TYPE_TEXT);
    auto* field = static_cast<CTextSprite*>(sprite.get());
    ASSERT_NE(field->GetFont(), nullptr);
    ASSERT_NE(field->GetBackdrop(), nullptr);
    EXPECT_EQ(field->GetRect(), Rect(0, 0, 145, 75));
    EXPECT_EQ(field->GetBackdrop()->GetRect(), Rect(0, 0, 145, 75));

    // A font of about 22 px whose line sits in the field round the middle,
    // where the text input centres its 15 px cursor (y 30..45).
    const CFont& font = *field->GetFont();
    EXPECT_GE(font.GetLineHeight(), 24);
    EXPECT_LE(font.GetLineHeight(), 34);
    const types_rect box = field->GetFontRect();
    EXPECT_EQ(field->GetFontStartPosition(), types_point(box.x, box.y));
    EXPECT_LE(box.y, 30);
    EXPECT_GE(box.y + box.h, 45);
    EXPECT_GE(box.x, 6);
    EXPECT_LE(box.x + box.w, 145 - 6);
    const int width = font.GetTextWidth("Grendel");
    EXPECT_GT(width, 60) << "too small to read";
    EXPECT_LE(width, box.w);

    // Drawn on the screen, the glyphs' ink lies inside the text box, with
    // the capitals' middle near the cursor's middle.
    field->SetText("HHHH");
    Frame();
    const std::vector<uint32_t> with = CaptureScreen();
    field->SetText("");
    Frame();
    const std::vector<uint32_t> without = CaptureScreen();
    int top = 600, bottom = -1, left = 800, right = -1;
    for (int y = 0; y < 75; ++y)
        for (int x = 0; x < 145; ++x)
            if (with[size_t(y) * 800 + x] != without[size_t(y) * 800 + x]) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
                left = std::min(left, x);
                right = std::max(right, x);
            }
    ASSERT_GE(bottom, 0) << "the text was not drawn";
    EXPECT_GE(left, box.x - 1);
    EXPECT_NEAR((top + bottom) / 2.0, 37.5, 2.5);
}

TEST_F(GameArtTest, TheNameDialogBuiltFromRealWidgetsLinesUpFieldCursorAndButton) {
    // The dialog as the game builds it.
    using namespace vorn::ui;
    CDesktopWidget::DeleteSingleton();
    CDesktopWidget* desktop = CDesktopWidget::GetSingleton();
    desktop->Resize(800, 600);
    auto* dialog = new CWidget(desktop, Rect(75, 135, 654, 330), false, "Dialog Window",
                               "data/gfx/dialog_entername.png");
    auto* ok = new CButtonWidget(dialog, Rect(483, 241, 146, 62), true, "ok_button",
                                 "data/gfx/editor_okbutton.xml");
    auto* field = new CTextInputWidget(dialog, Rect(60, 156, 145, 75), true, "test_button",
                                       "data/gfx/text_input.xml", "", "data/gui/text_cursor.png");
    CFocusEvent focus(EVENT_FOCUS_REQUEST, 276, 304);
    desktop->HandleEvent(focus);
    ASSERT_TRUE(field->IsFocused());
    for (char c : std::string("Grendel")) {
        CKeyboardEvent key(EVENT_KEY_DOWN, static_cast<unsigned char>(c), static_cast<uint8_t>(c));
        desktop->HandleEvent(key);
    }
    ASSERT_EQ(field->GetText(), "Grendel");
    Run(1);
    Frame();

    // The light ink of the name inside the field, and the cursor after it.
    const types_rect place = field->GetRect();
    EXPECT_EQ(place, Rect(135, 291, 145, 75));
    int top = 600, bottom = -1, right = -1;
    for (int y = place.y; y < place.y + place.h; ++y)
        for (int x = place.x; x < place.x + place.w; ++x) {
            const CColor c = Pixel(x, y);
            if (c.r > 200 && c.g > 200 && c.b > 200) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
                right = std::max(right, x);
            }
        }
    ASSERT_GE(bottom, 0) << "no text drawn";
    const CSprite* cursor = field->GetCursorSprite();
    ASSERT_NE(cursor, nullptr);
    EXPECT_GE(cursor->GetX(), right - 3) << "the cursor stands after the name";
    EXPECT_LE(cursor->GetX(), right + 4);
    EXPECT_NEAR(cursor->GetY(), top, 2);
    EXPECT_NEAR(cursor->GetY() + cursor->GetRect().h - 1, bottom, 2);

    // The OK button shows its own normal frame, amber, unscaled; under the
    // pointer it lights up and stays the widget's size.
    const types_rect button = ok->GetRect();
    EXPECT_EQ(button, Rect(558, 376, 146, 62));
    CSprite* sprite = ok->GetSprite();
    EXPECT_EQ(sprite->GetRect(), button);
    const CColor normal = Pixel(button.x + 12, button.y + 40);
    EXPECT_GT(normal.r, 200);
    EXPECT_GT(normal.r, normal.b + 100) << "amber";
    CMouseEvent over(EVENT_MOUSE_MOVE, button.x + 20, button.y + 30, 0);
    desktop->HandleEvent(over);
    Run(5);
    Frame();
    EXPECT_EQ(sprite->GetSourceRect(), Rect(146, 0, 146, 62));
    EXPECT_EQ(sprite->GetRect(), button);
    const CColor hover = Pixel(button.x + 12, button.y + 40);
    EXPECT_GT(hover.r + hover.g + hover.b, normal.r + normal.g + normal.b) << "lighter";
    EXPECT_EQ(Difference(CaptureScreen(), DrawFromScratch()), "");
}
