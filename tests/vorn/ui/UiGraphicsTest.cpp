// The widgets on a real SDL screen (dummy driver) with the shipped art from
// game/data/gui: what loads, what is drawn in front of what, and the text
// input measured with its real font.
#include <filesystem>

#include "../gfx/SpriteTestSupport.h"
#include "ManualTime.h"
#include "vorn/gfx/CAnimatedSprite.h"
#include "vorn/gfx/CFont.h"
#include "vorn/gfx/CTextSprite.h"
#include "vorn/ui/CButtonWidget.h"
#include "vorn/ui/CConsoleWindow.h"
#include "vorn/ui/CDesktopWidget.h"
#include "vorn/ui/CGfxHandler.h"
#include "vorn/ui/CTextInputWidget.h"
#include "vorn/ui/CWindowWidget.h"

using namespace vorn;
using namespace vorn::ui;

namespace {

class CUiGraphicsTest : public sprite_test::CSpriteScreenTest {
protected:
    CUiGraphicsTest() : CSpriteScreenTest(480, 320) {}
    void SetUp() override {
        CSpriteScreenTest::SetUp();
        std::filesystem::create_directories("data");
        std::filesystem::copy(std::string(MONSTERS_SOURCE_DIR) + "/game/data/gui", "data/gui",
                              std::filesystem::copy_options::recursive);
        CDesktopWidget::DeleteSingleton();
        Desktop()->Resize(W, H);
    }
    void TearDown() override {
        myConsole.reset();
        CDesktopWidget::DeleteSingleton();
        CSpriteScreenTest::TearDown();
    }
    static CDesktopWidget* Desktop() { return CDesktopWidget::GetSingleton(); }
    void Send(int type, int x, int y, unsigned buttons = 0) {
        CMouseEvent event(type, x, y, buttons);
        Desktop()->HandleEvent(event);
    }
    void Key(int key, uint8_t character) {
        CKeyboardEvent event(EVENT_KEY_DOWN, key, character);
        Desktop()->HandleEvent(event);
    }
    // Steps the animations as the graphics task does, then draws.
    void Animate(uint32_t ms) {
        myAnimationTime += ms;
        CAnimationUpdator::GetSingleton()->Update(myAnimationTime);
        Frame();
    }
    int LightPixels(const types_rect& area) const {
        int count = 0;
        for (int y = area.y; y < area.y + area.h; ++y)
            for (int x = area.x; x < area.x + area.w; ++x) {
                const CColor c = At(x, y);
                count += c.r > 150 && c.g > 150 && c.b > 150;
            }
        return count;
    }
    CTextInputWidget* OpenConsole() {
        myConsole = std::make_unique<CConsoleWindow>("");
        myConsole->Toggle();
        return myConsole->GetInput();
    }

    std::unique_ptr<CConsoleWindow> myConsole;
    uint32_t myAnimationTime = 1000;
};

TEST_F(CUiGraphicsTest, TheShippedArtLoadsAsTheWidgetsExpect) {
    CGfxHandler* gfx = CGfxHandler::GetSingleton();
    for (const auto& [file, w, h] :
         std::vector<std::tuple<std::string, int, int>>{{"data/gui/background.png", 400, 200},
                                                        {"data/gui/titlebar.png", 64, 20},
                                                        {"data/gui/text_cursor.png", 2, 15}}) {
        CSmartPtr<CSprite> sprite = gfx->LoadSprite(file);
        ASSERT_TRUE(sprite) << file;
        EXPECT_FALSE(sprite->Empty()) << file;
        EXPECT_EQ(sprite->GetRect(), types_rect(0, 0, w, h)) << file;
    }
    for (const char* file : {CWindowWidget::MAXIMIZE_SPRITE, CWindowWidget::CLOSE_SPRITE}) {
        CSmartPtr<CSprite> sprite = gfx->LoadSprite(file);
        auto* animated = dynamic_cast<CAnimatedSprite*>(sprite.Get());
        ASSERT_NE(animated, nullptr) << file;
        std::vector<std::string> names;
        for (const CAnimation* animation : animated->GetAnimations())
            names.push_back(animation->name);
        EXPECT_EQ(names, (std::vector<std::string>{"mouse_over", "mouse_out", "mouse_button_down",
                                                   "mouse_button_up"}));
    }
    CSmartPtr<CSprite> input = gfx->LoadSprite(CConsoleWindow::INPUT_SPRITE);
    auto* text = dynamic_cast<CTextSprite*>(input.Get());
    ASSERT_NE(text, nullptr);
    ASSERT_NE(text->GetFont(), nullptr);
    ASSERT_NE(text->GetBackdrop(), nullptr);
    EXPECT_EQ(text->GetBackdrop()->GetRect().w, 400);
    const CFont* font = text->GetFont();
    EXPECT_EQ(font->GetLineHeight(), 15);
    for (unsigned char c : std::string("Az09;:()\"\xE9\xFE"))
        EXPECT_TRUE(font->HasGlyph(c)) << int(c);
    EXPECT_FALSE(font->HasGlyph(0xFF)) << "the system font ends at 254";
    EXPECT_EQ(font->GetSpaceWidth(), 5);
    EXPECT_LT(font->GetTextWidth("iiii"), font->GetTextWidth("WWWW")) << "proportional";
}

TEST_F(CUiGraphicsTest, WidgetsAreDrawnInTheOrderTheyAreHit) {
    CTextInputWidget* input = OpenConsole();
    ASSERT_NE(input, nullptr);
    CWindowWidget* window = myConsole->GetWindow();
    Animate(0);
    Animate(100);
    EXPECT_EQ(window->GetSprite()->GetZ(), CGfxHandler::GetSpriteZ(window->GetDepth()));
    const types_rect title = window->GetTitleBar()->GetRect();
    const types_rect close = window->GetCloseButton()->GetRect();
    const CColor bar = At(title.x + 40, title.y + 10);
    EXPECT_GT(bar.b, bar.r + 60) << "the blue title bar";
    EXPECT_LT(At(close.x + 1, close.y + 10).r, 35) << "the button's dark edge, over the bar";
    const CColor client = At(window->GetRect().x + 200, window->GetRect().y + 100);
    EXPECT_LT(client.r + client.g + client.b, 200) << "the dark window background";

    // The close button lights up red under the pointer and darkens when pressed.
    Send(EVENT_MOUSE_MOVE, close.x + 10, close.y + 10);
    for (int step = 0; step < 5; ++step)
        Animate(20);
    CSprite* closeSprite = window->GetCloseButton()->GetSprite();
    EXPECT_EQ(closeSprite->GetSourceRect(), types_rect(40, 0, 20, 20));
    const CColor lit = At(close.x + 3, close.y + 10);
    EXPECT_GT(lit.r, lit.b + 80);
    Send(EVENT_MOUSE_BUTTON_DOWN, close.x + 10, close.y + 10, BUTTON_LEFT);
    Animate(20);
    EXPECT_EQ(closeSprite->GetSourceRect(), types_rect(60, 0, 20, 20));

    // Whatever changed, the screen is what a full redraw would give.
    EXPECT_EQ(Difference(CaptureScreen(), DrawFromScratch()), "");
    window->MoveBy(30, 40);
    window->Resize(300, 150);
    Animate(20);
    EXPECT_EQ(Difference(CaptureScreen(), DrawFromScratch()), "");
}

TEST_F(CUiGraphicsTest, TheTextInputMeasuresItsFontForTheCursor) {
    CTextInputWidget* input = OpenConsole();
    ASSERT_NE(input, nullptr);
    ASSERT_TRUE(input->IsFocused());
    CSprite* cursor = input->GetCursorSprite();
    ASSERT_NE(cursor, nullptr);
    EXPECT_EQ(cursor->GetZ(), CGfxHandler::GetOverlayZ(input->GetDepth()));
    Frame();
    const int before = LightPixels(input->GetRect());

    for (char c : std::string("Hi there"))
        Key(static_cast<unsigned char>(c), static_cast<uint8_t>(c));
    Frame();
    EXPECT_GT(LightPixels(input->GetRect()), before + 20) << "the text is drawn";
    CGfxHandler* gfx = CGfxHandler::GetSingleton();
    const int origin = input->GetRect().x + gfx->GetTextStart(input->GetSprite()).x;
    EXPECT_EQ(cursor->GetX(), origin + gfx->GetTextWidth(input->GetSprite(), "Hi there"));

    // A click between characters puts the cursor there.
    const int x = origin + gfx->GetTextWidth(input->GetSprite(), "Hi t") - 1;
    Send(EVENT_MOUSE_BUTTON_DOWN, x, input->GetRect().y + 5, BUTTON_LEFT);
    EXPECT_EQ(input->GetCursor(), 3u);
    EXPECT_EQ(cursor->GetX(), origin + gfx->GetTextWidth(input->GetSprite(), "Hi "));

    // A line longer than the field scrolls so that the cursor stays in view.
    input->SetText(std::string(120, 'W'));
    input->CursorEnd();
    EXPECT_GT(input->GetScroll(), 0);
    EXPECT_LE(input->GetCursorSprite()->GetX(), input->GetRect().x + input->GetRect().w);
    EXPECT_GE(input->GetCursorSprite()->GetX(), input->GetRect().x);
    input->CursorHome();
    EXPECT_EQ(input->GetScroll(), 0);
    Frame();
    EXPECT_EQ(Difference(CaptureScreen(), DrawFromScratch()), "");
}

}  // namespace
