// Inputs that once made the OGF or sprite-file fuzz targets fault are kept
// under tests/data/fuzz/ogf and tests/data/fuzz/sprite; each goes through
// the same steps as in its fuzz target and must now pass them.
#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>

#include "SpriteTestSupport.h"
#include "vorn/gfx/CFont.h"
#include "vorn/gfx/COgfFontLoader.h"
#include "vorn/gfx/CSpriteFactory.h"
#include "vorn/utils/xml/Xml.h"

using namespace vorn;
namespace fs = std::filesystem;

namespace {

std::vector<fs::path> KeptInputs(const std::string& kind) {
    const fs::path folder = fs::path(MONSTERS_SOURCE_DIR) / "tests/data/fuzz" / kind;
    std::vector<fs::path> inputs;
    if (fs::is_directory(folder))
        for (const auto& entry : fs::directory_iterator(folder))
            if (entry.is_regular_file()) inputs.push_back(entry.path());
    return inputs;
}

class GfxFuzzReplayTest : public sprite_test::CSpriteScreenTest {
protected:
    GfxFuzzReplayTest() : CSpriteScreenTest(64, 48) {}

    void SetUp() override {
        CSpriteScreenTest::SetUp();
        // The files the fuzz targets put beside their input.
        gfx_test::WriteBmp("a.bmp", 20, 12, [](int x, int y) {
            return (x + y) % 5 == 0 ? CColor(255, 0, 255)
                                    : CColor(uint8_t(x * 20), uint8_t(y * 20), 99);
        });
        gfx_test::WriteBmp("sheet.bmp", 64, 32, [](int x, int y) {
            return x % 4 < 2 && y < 31 ? CColor(250, 250, 250) : CColor(255, 0, 255);
        });
        gfx_test::WriteBmp("s.bmp", 8, 8, [](int, int) { return CColor(250, 250, 250); });
        std::ofstream("f.ogf") << "OGF;4;2;16;16;6;848;AB;C D;326432161608;sheet.bmp\n";
        std::ofstream("b.xml")
            << "<s type=\"sprite_animated\"><ImageFilename>a.bmp</ImageFilename>"
               "<CurrentAnimation>x</CurrentAnimation><Animation name=\"x\">"
               "<Frame type=\"frame_rect\"><Rect x=\"2\" y=\"0\" w=\"5\" h=\"5\"/>"
               "<FrameLength>20</FrameLength></Frame></Animation></s>\n";
    }

    void CheckedFrame(const fs::path& input, const char* step) {
        myNow += 16;
        CAnimationUpdator::GetSingleton()->Update(myNow);
        Frame();
        EXPECT_EQ(Difference(CaptureScreen(), DrawFromScratch()), "") << input << " after " << step;
    }

    uint32_t myNow = 1000;
};

}  // namespace

TEST_F(GfxFuzzReplayTest, KeptOgfInputsLoadAndDraw) {
    SDL_Surface* surface =
        SDL_CreateRGBSurface(SDL_SWSURFACE, 96, 64, 32, 0xFF0000, 0xFF00, 0xFF, 0);
    auto* canvas = new CPixelSDL(surface);
    int replayed = 0;
    for (const fs::path& input : KeptInputs("ogf")) {
        fs::copy_file(input, "f.ogf", fs::copy_options::overwrite_existing);
        CFont font;
        COgfFontLoader(&font, "f.ogf");
        const std::string text = testing_support::ReadFile(input).substr(0, 200);
        const types_rect clip(3, 2, 80, 50);
        for (int alignment = -1; alignment < 4; ++alignment) {
            font.SetAlignment(alignment);
            font.SetDrawAlpha(uint8_t(alignment * 60 + 70));
            font.SetClipRect(alignment % 2 ? &clip : nullptr);
            font.DrawText(canvas, text, types_rect(-5, -5, 70 + alignment * 9, 60),
                          types_point(2, 3));
        }
        std::unique_ptr<CFont> copy(font.Clone());
        copy->DrawString(canvas, text, 1, 1);
        ++replayed;
    }
    delete canvas;
    EXPECT_GT(replayed, 0);
}

TEST_F(GfxFuzzReplayTest, KeptSpriteFilesSurviveTheirPacesAndDrawRight) {
    int replayed = 0;
    for (const fs::path& input : KeptInputs("sprite")) {
        fs::copy_file(input, "f.xml", fs::copy_options::overwrite_existing);
        std::unique_ptr<CSprite> sprite(CSpriteFactory::GetSingleton()->LoadSprite("f.xml"));
        ASSERT_NE(sprite, nullptr) << input;
        CheckedFrame(input, "loading");

        const std::string once = SaveObjectToXmlText(*sprite, "sprite");
        std::ofstream("g.xml") << once;
        std::unique_ptr<CSprite> again(CSpriteFactory::GetSingleton()->LoadSprite("g.xml"));
        EXPECT_EQ(SaveObjectToXmlText(*again, "sprite"), once) << input;
        again.reset();
        CheckedFrame(input, "reading back");

        const std::string bytes = testing_support::ReadFile(input);
        const uint8_t knob = bytes.empty() ? 0 : uint8_t(bytes.back());
        sprite->MoveTo(int(knob % 70) - 10, int(knob / 5) - 10);
        sprite->PlayAnimation("x");
        CheckedFrame(input, "moving");
        sprite->RotateAroundCenter(float(knob) / 40.0f);
        sprite->SetAlpha(uint8_t(knob * 3));
        CheckedFrame(input, "turning");
        sprite->SetRotation(std::nanf(""));
        sprite->SetZ(int(knob) - 128);
        CheckedFrame(input, "turning by NaN");
        sprite->Resize(0, 0);
        sprite->SetVisible(false);
        CheckedFrame(input, "hiding");
        sprite->SetVisible(true);
        sprite->SetText("Hello");
        sprite->Resize(knob % 40, knob % 30);
        CheckedFrame(input, "showing");
        sprite.reset();
        CheckedFrame(input, "deleting");
        ++replayed;
    }
    EXPECT_GT(replayed, 0);
}
