// Text sprites on the screen: their text fades with the sprite and never
// leaves the sprite's rectangle.
#include "SpriteTestSupport.h"
#include "vorn/gfx/CFont.h"
#include "vorn/gfx/CLotsATextSprite.h"
#include "vorn/gfx/CSystemFontLoader.h"
#include "vorn/gfx/CTextSprite.h"
#include "vorn/gfx/IPixel.h"

using namespace vorn;

namespace {

// A text of totalHeight pixels: draws a bar for each request and remembers
// the part asked for.
class CBarDrawer : public ILotsATextDrawer {
public:
    int totalHeight = 0;
    bool changed = true;
    std::vector<types_rect>* asked;
    explicit CBarDrawer(std::vector<types_rect>* log) : asked(log) {}
    int GetTotalHeight() const override { return totalHeight; }
    bool Draw(IPixel* surface, const types_rect& rect) override {
        asked->push_back(rect);
        surface->PutPixel(0, 0, CColor(255, 255, 255));
        return changed;
    }
};

class CTextSpriteTest : public sprite_test::CSpriteScreenTest {
protected:
    std::unique_ptr<CTextSprite> Label(const std::string& text, const types_rect& rect,
                                       int alignment = CFont::ALIGN_NONE) {
        auto sprite = std::make_unique<CTextSprite>();
        auto* font = new CFont;
        CSystemFontLoader(font, "");
        font->SetAlignment(alignment);
        sprite->SetFont(font);
        sprite->SetRect(rect);
        sprite->SetFontRect(types_rect(0, 0, rect.w, rect.h));
        sprite->SetText(text);
        sprite->SetLayer(Layer());
        return sprite;
    }
    int Brightest() {
        int brightest = 0;
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x)
                brightest = std::max<int>(brightest, At(x, y).r);
        return brightest;
    }
};

}  // namespace

TEST_F(CTextSpriteTest, TextFollowsTheSpritesAlpha) {
    auto label = Label("HHHH", types_rect(10, 10, 60, 20));
    Frame();
    EXPECT_EQ(Brightest(), 255);
    label->SetAlpha(128);
    Frame();
    EXPECT_NEAR(Brightest(), 128, 2);
    label->SetAlpha(0);
    Frame();
    EXPECT_EQ(Brightest(), 0);
    EXPECT_EQ(Difference(CaptureScreen(), DrawFromScratch()), "");
}

TEST_F(CTextSpriteTest, TextStaysInsideTheSprite) {
    // No alignment: one string from the start position, longer than the sprite.
    auto label = Label("HHHHHHHHHHHHHHHHHHHH", types_rect(20, 30, 40, 10));
    label->SetFontStartPosition(types_point(-4, -3));
    Frame();
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            if (At(x, y).r != 0) {
                ASSERT_TRUE(types_rect(20, 30, 40, 10).IsPointInside(x, y)) << x << ", " << y;
            }
    EXPECT_EQ(Brightest(), 255);

    // Changing the text leaves nothing of the old one behind.
    label->SetText("H");
    Frame();
    EXPECT_EQ(Difference(CaptureScreen(), DrawFromScratch()), "");
    label->SetText("");
    Frame();
    EXPECT_EQ(Brightest(), 0);
}

TEST_F(CTextSpriteTest, ResizingKeepsAFullWidthTextBoxFullWidth) {
    auto label = Label("H H H H H H", types_rect(0, 0, 40, 30), CFont::ALIGN_LEFT);
    label->Resize(80, 30);
    EXPECT_EQ(label->GetFontRect(), types_rect(0, 0, 80, 30));
    label->SetFontRect(types_rect(2, 2, 20, 10));
    label->Resize(60, 60);
    EXPECT_EQ(label->GetFontRect(), types_rect(2, 2, 20, 10)) << "a smaller box keeps its size";
    EXPECT_EQ(label->GetRect(), types_rect(0, 0, 60, 60));
    label->Resize(0, 0);
    Frame();
    EXPECT_EQ(Brightest(), 0);
}

TEST_F(CTextSpriteTest, ALongTextScrollsAndRedrawsOnlyWhenItChanged) {
    std::vector<types_rect> asked;
    auto console = std::make_unique<CLotsATextSprite>(40, 30);
    auto* drawer = new CBarDrawer(&asked);
    console->SetDrawer(drawer);
    console->SetLayer(Layer());
    Frame();

    drawer->totalHeight = 100;
    console->Run();
    EXPECT_EQ(asked.back(), types_rect(0, 70, 40, 30)) << "scrolled to the end";
    EXPECT_TRUE(console->IsDirty());
    Frame();
    EXPECT_EQ(At(0, 0), CColor(255, 255, 255));
    console->SetScrollFactor(0.5f);
    console->Run();
    EXPECT_EQ(asked.back(), types_rect(0, 35, 40, 30));
    drawer->totalHeight = 10;
    console->Run();
    EXPECT_EQ(asked.back(), types_rect(0, -20, 40, 30)) << "shorter than the sprite";
    Frame();

    drawer->changed = false;
    console->Run();
    EXPECT_FALSE(console->IsDirty()) << "nothing new: no redraw";
    console->Resize(60, 10);
    console->Run();
    EXPECT_EQ(asked.back().w, 60);
    Frame();
    EXPECT_EQ(Difference(CaptureScreen(), DrawFromScratch()), "");
}
