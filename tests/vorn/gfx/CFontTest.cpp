// Fonts: OGF files (good and lying), the system font, and the four
// alignments measured in pixels on a real SDL surface.
#include <set>

#include "SpriteTestSupport.h"
#include "vorn/gfx/CFont.h"
#include "vorn/gfx/COgfFontLoader.h"
#include "vorn/gfx/CSystemFontLoader.h"
#include "vorn/gfx/IPixel.h"

using namespace vorn;

namespace {

class CFontTest : public sprite_test::CSpriteScreenTest {
protected:
    void SetUp() override {
        CSpriteScreenTest::SetUp();
        mySurface = SDL_CreateRGBSurface(SDL_SWSURFACE, W, H, 32, 0xFF0000, 0xFF00, 0xFF, 0);
        myCanvas = new CPixelSDL(mySurface);
    }
    void TearDown() override {
        delete myCanvas;
        CSpriteScreenTest::TearDown();
    }

    // A glyph sheet of 4 x 2 cells of 16 x 16, every cell white on magenta
    // (the colour key) except a one-pixel magenta rim at the cell bottom.
    void WriteSheet(const std::string& name, int w = 64, int h = 32) {
        gfx_test::WriteBmp(name, w, h, [](int, int y) {
            return y % 16 == 15 ? CColor(255, 0, 255) : CColor(255, 255, 255);
        });
    }
    std::unique_ptr<CFont> LoadOgf(const std::string& line) {
        myDir->WriteFile("font.ogf", line + "\n");
        auto font = std::make_unique<CFont>();
        COgfFontLoader(font.get(), "font.ogf");
        return font;
    }
    std::unique_ptr<CFont> SystemFont(int alignment = CFont::ALIGN_NONE) {
        auto font = std::make_unique<CFont>();
        CSystemFontLoader(font.get(), "");
        font->SetAlignment(alignment);
        return font;
    }

    void Clear() { SDL_FillRect(mySurface, nullptr, 0); }
    bool Lit(int x, int y) { return myCanvas->GetPixel(x, y) != CColor(0, 0, 0, 255); }
    // Leftmost and rightmost lit column within rows [top, top + height).
    std::pair<int, int> LitColumns(int top, int height) {
        int left = -1, right = -1;
        for (int x = 0; x < W; ++x)
            for (int y = top; y < top + height; ++y)
                if (Lit(x, y)) {
                    if (left < 0) left = x;
                    right = x;
                    break;
                }
        return {left, right};
    }

    SDL_Surface* mySurface = nullptr;
    CPixelSDL* myCanvas = nullptr;
};

}  // namespace

TEST_F(CFontTest, OgfGlyphsComeFromTheGridWithTheirWidthsInSixtyFourths) {
    WriteSheet("sheet.bmp");
    gfx_test::CLogCapture log;
    // The character list "A;BCDE" holds a ";" itself.
    auto font = LoadOgf("OGF;4;2;16;16;6;888;A;BCDE;326432161608;sheet.bmp");
    ASSERT_NE(font->GetImage(), nullptr);
    EXPECT_EQ(font->GetGlyph('A'), types_rect(0, 0, 8, 16));
    EXPECT_EQ(font->GetGlyph(';'), types_rect(16, 0, 16, 16)) << "64: the whole cell";
    EXPECT_EQ(font->GetGlyph('B'), types_rect(32, 0, 8, 16));
    EXPECT_EQ(font->GetGlyph('C'), types_rect(48, 0, 4, 16));
    EXPECT_EQ(font->GetGlyph('D'), types_rect(0, 16, 4, 16)) << "the second row";
    EXPECT_EQ(font->GetGlyph('E'), types_rect(16, 16, 2, 16));
    EXPECT_FALSE(font->HasGlyph('Z'));
    EXPECT_EQ(font->GetLineHeight(), 16);
    EXPECT_EQ(font->GetSpaceWidth(), 0) << "no glyph for the blank";
    EXPECT_FALSE(log.Has("Red: ")) << "tint 888 leaves the image alone";

    // Drawn: A (8) ; (16) A (8), white blocks side by side; Z takes no room.
    Clear();
    const types_point end = font->DrawString(myCanvas, "A;ZA", 10, 5);
    EXPECT_EQ(end, types_point(42, 5));
    EXPECT_EQ(LitColumns(5, 16), std::make_pair(10, 41));
    EXPECT_TRUE(Lit(10, 5) && Lit(10, 19) && !Lit(10, 20)) << "the rim row is transparent";
}

TEST_F(CFontTest, OgfImagesAreScaledToTheGridAndTinted) {
    WriteSheet("small.bmp", 32, 16);  // half the grid's size
    gfx_test::CLogCapture log;
    auto font = LoadOgf("OGF;4;2;16;16;1;848;A;64;small.bmp");
    ASSERT_NE(font->GetImage(), nullptr);
    EXPECT_EQ(font->GetImage()->GetWidth(), 64);
    EXPECT_EQ(font->GetImage()->GetHeight(), 32);
    EXPECT_TRUE(log.Has("Red: 1Green: 0.5Blue: 1"));
    Clear();
    font->DrawString(myCanvas, "A", 0, 0);
    EXPECT_TRUE(gfx_test::Near(myCanvas->GetPixel(3, 3), CColor(255, 128, 255), 1));

    // The sheet's pixels are shared with every other font on it: a second
    // tinted font, and an untinted one, leave the first as it was.
    myDir->WriteFile("second.ogf", "OGF;2;1;16;16;1;848;A;64;sheet.bmp\n");
    myDir->WriteFile("plain.ogf", "OGF;2;1;16;16;1;888;A;64;sheet.bmp\n");
    WriteSheet("sheet.bmp", 32, 16);
    CFont first, second, plain;
    COgfFontLoader(&first, "second.ogf");
    COgfFontLoader(&second, "second.ogf");
    COgfFontLoader(&plain, "plain.ogf");
    for (CFont* each : {&first, &second}) {
        Clear();
        each->DrawString(myCanvas, "A", 0, 0);
        EXPECT_TRUE(gfx_test::Near(myCanvas->GetPixel(3, 3), CColor(255, 128, 255), 1));
    }
    Clear();
    plain.DrawString(myCanvas, "A", 0, 0);
    EXPECT_EQ(myCanvas->GetPixel(3, 3), CColor(255, 255, 255));
}

TEST_F(CFontTest, OgfFilesThatLieLeaveTheFontEmpty) {
    WriteSheet("sheet.bmp");
    gfx_test::CLogCapture log;
    struct Case {
        const char* line;
        const char* message;
    };
    const Case cases[] = {
        {"OGG;4;2;16;16;1;888;A;32;sheet.bmp", "font.ogf is probably not a ogf file"},
        {"OGF;4;2;16;16;7;888;A;BCDE;32643216160812;sheet.bmp",
         // Short of characters, the list takes in the fields after it.
         "font.ogfError, the char count (7) and numbers of charachters (21) don't match"},
        {"OGF;4;2;16;16;2;888;AB;321;sheet.bmp",
         "font.ogf Error, the number of character width's ( 3) doesn't match the number of "
         "characters (2) times two"},
        {"OGF;4;2;16;16;1;888;A;32;nothing.bmp", "Could not load image nothing.bmp"},
        {"OGF;0;2;16;16;1;888;A;32;sheet.bmp", "no image can hold a grid"},
        {"OGF;100000;100000;16;16;1;888;A;32;sheet.bmp", "no image can hold a grid"},
        {"OGF;4;2;-16;16;1;888;A;32;sheet.bmp", "no image can hold a grid"},
        {"OGF;4;2;16;16;-1;888;A;32;sheet.bmp", "grid numbers are missing or not numbers"},
        {"OGF;four;2;16;16;1;888;A;32;sheet.bmp", "grid numbers are missing or not numbers"},
        {"OGF;4;2", "grid numbers are missing or not numbers"},
        {"", "is probably not a ogf file"},
    };
    for (const Case& c : cases) {
        log.Clear();
        auto font = LoadOgf(c.line);
        EXPECT_EQ(font->GetImage(), nullptr) << c.line;
        EXPECT_EQ(font->GetTextWidth("A"), 0) << c.line;
        EXPECT_TRUE(log.Has(c.message)) << c.line << "\nlogged: " << log.All();
        Clear();
        font->SetAlignment(CFont::ALIGN_JUSTIFY);
        font->DrawText(myCanvas, "A A", types_rect(0, 0, 50, 50), types_point());
        EXPECT_EQ(LitColumns(0, H).first, -1) << c.line;
    }
    log.Clear();
    CFont font;
    COgfFontLoader(&font, "absent.ogf");
    EXPECT_TRUE(log.Has("Could not open ogf file: absent.ogf for loading"));
}

TEST_F(CFontTest, TheSystemFontHasADistinctGlyphForEveryCode) {
    auto font = SystemFont();
    ASSERT_EQ(font->GetImage()->GetWidth(), 1789);
    ASSERT_EQ(font->GetImage()->GetHeight(), 15);
    EXPECT_EQ(font->GetLineHeight(), 15);
    EXPECT_EQ(font->GetSpaceWidth(), 8);
    EXPECT_FALSE(font->HasGlyph(32));
    EXPECT_FALSE(font->HasGlyph(255));
    std::set<std::string> shapes;
    for (int code = 33; code <= 254; ++code) {
        const types_rect glyph = font->GetGlyph(static_cast<unsigned char>(code));
        ASSERT_EQ(glyph, types_rect(6 + 8 * (code - 33), 0, 8, 15));
        std::string shape;
        for (int y = 0; y < 15; ++y)
            for (int x = 0; x < 8; ++x)
                shape += font->GetImage()->GetPixel(glyph.x + x, y).a ? '#' : '.';
        if (code == 160) continue;  // the no-break space is blank
        // Codes without a character of their own share the box of 127.
        if (code == 129 || code == 141 || code == 143 || code == 144 || code == 157) continue;
        EXPECT_NE(shape.find('#'), std::string::npos) << "code " << code << " is blank";
        EXPECT_TRUE(shapes.insert(shape).second) << "code " << code << " looks like another";
    }
}

TEST_F(CFontTest, AlignmentsPlaceLinesWhereTheyBelong) {
    // "H" lights columns 0 and 5 of its 8-pixel cell.
    const types_rect box(10, 0, 100, 60);
    const std::pair<int, std::pair<int, int>> expected[] = {
        {CFont::ALIGN_LEFT, {10, 10 + 64 + 5}},
        {CFont::ALIGN_CENTER, {10 + (100 - 72 - 1) / 2, 23 + 64 + 5}},
        {CFont::ALIGN_RIGHT, {10 + 100 - 72, 38 + 64 + 5}},
    };
    for (const auto& [alignment, columns] : expected) {
        auto font = SystemFont(alignment);
        Clear();
        const types_point end = font->DrawText(myCanvas, "HHHH HHHH", box, types_point());
        EXPECT_EQ(LitColumns(0, 15), columns) << GetAlignmentName(alignment);
        EXPECT_EQ(end, types_point(10, 15)) << GetAlignmentName(alignment);
    }

    // Justified: the spare 20 pixels shared by the two blanks of the first
    // line; the last line of the paragraph stays left.
    auto font = SystemFont(CFont::ALIGN_JUSTIFY);
    Clear();
    font->DrawText(myCanvas, "HHHH HHHH HHHH", box, types_point());
    EXPECT_EQ(LitColumns(0, 15), std::make_pair(10, 60 + 24 + 5));
    EXPECT_EQ(LitColumns(15, 15), std::make_pair(10, 10 + 24 + 5));

    // Line feeds end paragraphs; a word wider than the box is never drawn
    // and the lines below it stay empty.
    Clear();
    auto left = SystemFont(CFont::ALIGN_LEFT);
    EXPECT_EQ(
        left->DrawText(myCanvas, "HHHHHHHHHHHHHHHHHHHH H", types_rect(0, 0, 40, 50), types_point())
            .y,
        60);
    EXPECT_EQ(LitColumns(0, H).first, -1);
    Clear();
    left->DrawText(myCanvas, "H\nHH", box, types_point());
    EXPECT_EQ(LitColumns(0, 15), std::make_pair(10, 15));
    EXPECT_EQ(LitColumns(15, 15), std::make_pair(10, 23));
}

TEST_F(CFontTest, PlainStringsSkipMissingGlyphsAndExpandTabs) {
    auto font = SystemFont();
    Clear();
    EXPECT_EQ(font->DrawString(myCanvas, "H\x01H", 0, 0), types_point(16, 0));
    EXPECT_TRUE(Lit(8, 5) && Lit(13, 5)) << "no gap for the missing glyph";
    Clear();
    EXPECT_EQ(font->DrawString(myCanvas, "\tH\nH", 0, 0), types_point(8, 15));
    EXPECT_EQ(LitColumns(0, 15), std::make_pair(32, 37));
    EXPECT_EQ(LitColumns(15, 15), std::make_pair(0, 5));
    EXPECT_EQ(font->GetTextWidth("H H\n"), 24);

    // UTF-8 text draws the Latin-1 glyphs; old Latin-1 bytes still draw
    // theirs; a character beyond Latin-1 is absent.
    Clear();
    EXPECT_EQ(font->DrawString(myCanvas, "\xC3\xA9", 0, 0), types_point(8, 0));
    const auto utf8 = LitColumns(0, 15);
    Clear();
    EXPECT_EQ(font->DrawString(myCanvas, "\xE9", 0, 0), types_point(8, 0));
    EXPECT_EQ(LitColumns(0, 15), utf8);
    EXPECT_NE(utf8.first, -1);
    EXPECT_EQ(font->GetTextWidth("caf\xC3\xA9"), 32);
    EXPECT_EQ(font->GetTextWidth("\xE2\x82\xAC"), 0);

    // Text far off the int range draws nothing and does not overflow.
    const types_point far = font->DrawString(myCanvas, "HH", 2147483640, 0);
    EXPECT_EQ(far.x, 2147483647);
}
