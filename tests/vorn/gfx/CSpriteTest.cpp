// Sprites on a real SDL screen: sprite files, background buffers, rotation,
// alpha, resize and the bad input each must survive.
#include <cmath>
#include <limits>
#include <memory>

#include "SpriteTestSupport.h"
#include "vorn/gfx/CAnimatedSprite.h"
#include "vorn/gfx/CSliderSprite.h"
#include "vorn/gfx/CSpriteFactory.h"
#include "vorn/gfx/CTextSprite.h"
#include "vorn/gfx/IPixel.h"
#include "vorn/utils/xml/Xml.h"

using namespace vorn;
using sprite_test::CSpriteScreenTest;

namespace {

class CSpriteTest : public CSpriteScreenTest {
protected:
    std::unique_ptr<CSprite> Load(const std::string& file) {
        return std::unique_ptr<CSprite>(CSpriteFactory::GetSingleton()->LoadSprite(file));
    }
    std::string Write(const std::string& name, const std::string& text) {
        return myDir->WriteFile(name, text);
    }
    // A 20 x 10 BMP: red left half, blue right half.
    void WriteImage(const std::string& name = "part.bmp") {
        gfx_test::WriteBmp(name, 20, 10, [](int x, int) {
            return x < 10 ? CColor(200, 0, 0) : CColor(0, 0, 200);
        });
    }
    // The sprite drawn alone onto a black surface shows something.
    bool DrawsAnything(CSprite* sprite) {
        SDL_Surface* surface =
            SDL_CreateRGBSurface(SDL_SWSURFACE, W, H, 32, 0xFF0000, 0xFF00, 0xFF, 0);
        SDL_FillRect(surface, nullptr, 0);
        auto* image = new CPixelSDL(surface);
        CSprite target;
        target.SetImageOwned(false);
        target.SetImage(image);
        sprite->Draw(&target);
        bool any = false;
        for (uint32_t pixel : Capture(surface))
            any = any || pixel != 0;
        target.SetImage(nullptr);
        delete image;
        return any;
    }
    std::string SaveText(CSprite& sprite) { return SaveObjectToXmlText(sprite, "sprite"); }
};

}  // namespace

TEST_F(CSpriteTest, SpriteFilesChooseTheClassByTypeAndReadTheirValues) {
    WriteImage();
    Write("plain.xml", "<sprite>\n<ImageFilename>\npart.bmp\n</ImageFilename>\n</sprite>\n");
    Write("odd.xml", "<sprite type=\"sprite_teapot\">\n<Z>\n7\n</Z>\n</sprite>\n");
    Write("values.xml",
          "<sprite type=\"sprite_base\">\n<ImageFilename>\npart.bmp\n</ImageFilename>\n"
          "<ScrollRect h=\"0\" w=\"0\" x=\"3\" y=\"3\">\n</ScrollRect>\n"
          "<ImageRect h=\"10\" w=\"20\" x=\"30\" y=\"40\">\n</ImageRect>\n"
          "<Z>\n55\n</Z>\n<Alpha>\n-5\n</Alpha>\n</sprite>\n");
    Write("bright.xml",
          "<sprite>\n<Alpha>\n300\n</Alpha>\n<ImageRect x=\"9\">\n</ImageRect>\n"
          "</sprite>\n");

    auto plain = Load("plain.xml");
    EXPECT_EQ(plain->GetSpriteType(), CSprite::TYPE_BASE);
    EXPECT_EQ(plain->GetRect(), types_rect(0, 0, 20, 10));
    EXPECT_EQ(plain->GetName(), "plain.xml");
    EXPECT_EQ(plain->GetLayer(), Layer());
    EXPECT_EQ(Load("odd.xml")->GetSpriteType(), CSprite::TYPE_BASE)
        << "unknown type: a base sprite";
    EXPECT_EQ(Load("odd.xml")->GetZ(), 7);

    auto values = Load("values.xml");
    EXPECT_EQ(values->GetRect(), types_rect(30, 40, 20, 10));
    EXPECT_EQ(values->GetZ(), 55);
    EXPECT_EQ(values->GetAlpha(), 0);
    EXPECT_EQ(values->GetScrollRect(), types_rect()) << "an empty scroll rect makes no window";
    EXPECT_EQ(SaveText(*values).find("ScrollRect"), std::string::npos);
    auto bright = Load("bright.xml");
    EXPECT_EQ(bright->GetAlpha(), 255);
    EXPECT_EQ(bright->GetRect(), types_rect(9, 0, 0, 0)) << "a missing attribute keeps its value";

    // An image file name is a plain sprite of the image's size at (0, 0).
    auto image = Load("part.bmp");
    EXPECT_EQ(image->GetSpriteType(), CSprite::TYPE_BASE);
    EXPECT_EQ(image->GetRect(), types_rect(0, 0, 20, 10));
    EXPECT_EQ(image->GetLayer(), Layer());
    EXPECT_EQ(image->GetName(), "part.bmp");
}

TEST_F(CSpriteTest, SpriteFilesWrittenBackReadTheSame) {
    WriteImage();
    WriteImage("bar.bmp");
    Write("top.xml", "<sprite>\n<ImageFilename>\nbar.bmp\n</ImageFilename>\n</sprite>\n");
    Write("base.xml",
          "<sprite type=\"sprite_base\">\n<ImageFilename>\npart.bmp\n</ImageFilename>\n"
          "<ScrollRect h=\"5\" w=\"6\" x=\"1\" y=\"2\">\n</ScrollRect>\n"
          "<ImageRect h=\"10\" w=\"20\" x=\"3\" y=\"4\">\n</ImageRect>\n"
          "<Z>\n12\n</Z>\n<Alpha>\n99\n</Alpha>\n</sprite>\n");
    Write("slider.xml",
          "<sprite type=\"sprite_slider\">\n<BottomRect h=\"10\" w=\"101\" x=\"5\" y=\"6\">\n"
          "</BottomRect>\n<TopRect h=\"8\" w=\"101\" x=\"7\" y=\"7\">\n</TopRect>\n"
          "<TopSprite>\ntop.xml\n</TopSprite>\n<BottomSprite>\npart.bmp\n</BottomSprite>\n"
          "<Value>\n0.5\n</Value>\n</sprite>\n");
    Write("anim.xml",
          "<sprite type=\"sprite_animated\">\n<ImageFilename>\npart.bmp\n</ImageFilename>\n"
          "<CurrentAnimation>\nwalk\n</CurrentAnimation>\n<TimeMultiply>\n2\n</TimeMultiply>\n"
          "<Animation loop=\"0\" name=\"walk\">\n"
          "<Frame type=\"frame_rect\">\n<Rect h=\"10\" w=\"10\" x=\"0\" y=\"0\">\n</Rect>\n"
          "<FrameLength>\n100\n</FrameLength>\n<Wrapped sound_file=\"step.wav\" "
          "type=\"frame_sound\">\n</Wrapped>\n</Frame>\n"
          "<Frame sound_file=\"x.wav\" type=\"frame_sound\">\n</Frame>\n"
          "<Frame>\n</Frame>\n</Animation>\n</sprite>\n");
    Write("text.xml",
          "<sprite type=\"sprite_text\">\n<ImageRect h=\"30\" w=\"120\" x=\"2\" y=\"3\">\n"
          "</ImageRect>\n<FontStartPosition x=\"1\" y=\"2\">\n</FontStartPosition>\n"
          "<FontRect h=\"30\" w=\"120\" x=\"0\" y=\"0\">\n</FontRect>\n<Text>\nHi &amp; bye\n"
          "</Text>\n<BackdropFile>\nbase.xml\n</BackdropFile>\n<FontFile>\nnothing\n</FontFile>\n"
          "</sprite>\n");

    for (const char* file : {"base.xml", "slider.xml", "anim.xml", "text.xml"}) {
        auto first = Load(file);
        const std::string once = SaveText(*first);
        Write("again.xml", once);
        auto second = Load("again.xml");
        EXPECT_EQ(SaveText(*second), once) << file;
        EXPECT_EQ(second->GetSpriteType(), first->GetSpriteType()) << file;
    }

    auto slider = Load("slider.xml");
    auto* bar = static_cast<CSliderSprite*>(slider.get());
    EXPECT_EQ(bar->GetLayer(), nullptr) << "a slider is never in a layer";
    EXPECT_EQ(bar->GetTopSprite()->GetRect(), types_rect(7, 7, 50, 8));
    EXPECT_EQ(bar->GetBottomSprite()->GetRect(), types_rect(5, 6, 101, 10));
    bar->SetZ(40);
    EXPECT_EQ(bar->GetTopSprite()->GetZ(), 39);
    bar->MoveTo(105, 106);
    EXPECT_EQ(bar->GetTopSprite()->GetRect(), types_rect(107, 107, 50, 8));

    auto animated = Load("anim.xml");
    auto* walker = static_cast<CAnimatedSprite*>(animated.get());
    ASSERT_EQ(walker->GetAnimations().size(), 1u);
    EXPECT_EQ(walker->GetAnimations()[0]->frames.size(), 2u) << "a frame without a type is skipped";
    EXPECT_FALSE(walker->GetAnimations()[0]->loop);
    EXPECT_TRUE(walker->IsPlaying());

    auto text = Load("text.xml");
    auto* label = static_cast<CTextSprite*>(text.get());
    EXPECT_EQ(label->GetText(), "Hi & bye");
    EXPECT_EQ(label->GetRect(), types_rect(2, 3, 120, 30)) << "the file's width is kept";
    ASSERT_NE(label->GetBackdrop(), nullptr);
    EXPECT_EQ(label->GetBackdrop()->GetRect(), types_rect(2, 3, 120, 30));
}

TEST_F(CSpriteTest, BadSpriteFilesGiveSpritesThatDrawNothing) {
    WriteImage();
    gfx_test::CLogCapture log;
    Write("negative.xml",
          "<sprite>\n<ImageFilename>\npart.bmp\n</ImageFilename>\n"
          "<ImageRect h=\"-10\" w=\"-20\" x=\"5\" y=\"5\">\n</ImageRect>\n</sprite>\n");
    Write("absurd.xml",
          "<sprite>\n<ImageFilename>\npart.bmp\n</ImageFilename>\n"
          "<ImageRect h=\"2000000000\" w=\"2000000000\" x=\"-1000000000\" "
          "y=\"2147483000\">\n</ImageRect>\n</sprite>\n");
    Write("huge.xml",
          "<sprite>\n<ImageFilename>\npart.bmp\n</ImageFilename>\n"
          "<ImageRect h=\"100000\" w=\"100000\" x=\"0\" y=\"0\">\n</ImageRect>\n"
          "</sprite>\n");
    Write("screen.xml", "<sprite type=\"sprite_screenlayer\">\n</sprite>\n");
    Write("loop.xml",
          "<sprite type=\"sprite_slider\">\n<TopSprite>\nloop.xml\n</TopSprite>\n"
          "<BottomSprite>\nloop.xml\n</BottomSprite>\n</sprite>\n");
    Write("broken.xml", "<sprite type=\"sprite_text\"><FontFile>nothing</Font");

    for (const char* file : {"negative.xml", "absurd.xml", "huge.xml", "screen.xml", "missing.xml",
                             "broken.xml", "missing.bmp"}) {
        auto sprite = Load(file);
        ASSERT_NE(sprite, nullptr) << file;
        EXPECT_NE(sprite.get(), static_cast<CSprite*>(Layer())) << file;
        if (std::string(file) != "broken.xml") {
            EXPECT_FALSE(DrawsAnything(sprite.get())) << file;
        }
        Frame();
        EXPECT_EQ(Difference(CaptureScreen(), DrawFromScratch()), "") << file;
    }
    EXPECT_TRUE(log.Has("a sprite file cannot be the screen layer"));
    EXPECT_TRUE(log.Has("could not read sprite file missing.xml"));
    EXPECT_TRUE(log.Has("Couldn't load image file: missing.bmp"));

    // A slider naming itself: nesting stops, with a warning.
    auto loop = Load("loop.xml");
    EXPECT_TRUE(log.Has("sprite files nest too deep"));
}

TEST_F(CSpriteTest, RotationIgnoresTinyChangesAndSurvivesValuesThatAreNotNumbers) {
    auto sprite = std::make_unique<CSprite>(Pattern(20, 10, 1, false));
    sprite->SetLayer(Layer());
    sprite->MoveTo(40, 40);
    Frame();

    sprite->SetRotation(0.005f);
    EXPECT_EQ(sprite->GetImage(), sprite->GetLoadedImage()) << "0.005 degrees: no new image";
    sprite->SetRotation(90.0f);
    EXPECT_EQ(sprite->GetRect().w, 10);
    EXPECT_EQ(sprite->GetRect().h, 20);
    Frame();
    EXPECT_EQ(Difference(CaptureScreen(), DrawFromScratch()), "");

    gfx_test::CLogCapture log;
    for (float bad :
         {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
          -std::numeric_limits<float>::infinity()}) {
        sprite->SetRotation(90.0f);
        sprite->SetRotation(bad);
        EXPECT_FALSE(DrawsAnything(sprite.get()));
        Frame();
        EXPECT_EQ(Difference(CaptureScreen(), DrawFromScratch()), "");
    }
    EXPECT_TRUE(log.Has("the rotation is not a finite number"));
    sprite->SetRotation(45.0f);
    EXPECT_TRUE(DrawsAnything(sprite.get())) << "a finite rotation brings it back";

    // Turning about the centre: tiny changes ignored, the centre stays put.
    auto wheel = std::make_unique<CSprite>(Pattern(30, 30, 2, true));
    wheel->SetLayer(Layer());
    wheel->MoveTo(50, 50);
    wheel->RotateAroundCenter(1.0f);
    const IPixel* turned = wheel->GetImage();
    wheel->RotateAroundCenter(1.007f);
    EXPECT_EQ(wheel->GetImage(), turned);
    const types_rect r = wheel->GetRect();
    EXPECT_NEAR(r.x + r.w / 2.0, 65.0, 1.0);
    EXPECT_NEAR(r.y + r.h / 2.0, 65.0, 1.0);
    wheel->RotateAroundCenter(std::numeric_limits<float>::quiet_NaN());
    wheel->RotateAroundCenter(1e30f);
    wheel->RotateAroundCenter(2.0f);
    EXPECT_TRUE(DrawsAnything(wheel.get()));
    Frame();
    EXPECT_EQ(Difference(CaptureScreen(), DrawFromScratch()), "");
}

TEST_F(CSpriteTest, AlphaResizeAndRotationCombineOnTheLoadedImage) {
    auto sprite = std::make_unique<CSprite>(Pattern(10, 10, 3, false));
    const CColor original = sprite->GetLoadedImage()->GetPixel(0, 0);
    sprite->SetAlpha(128);
    EXPECT_EQ(sprite->GetImage()->GetPixel(0, 0).a, 128);
    sprite->Resize(20, 30);
    EXPECT_EQ(sprite->GetRect().w, 20);
    EXPECT_EQ(sprite->GetRect().h, 30);
    EXPECT_EQ(sprite->GetImage()->GetPixel(0, 0).a, 128) << "the fade survives a resize";
    sprite->SetRotation(90.0f);
    EXPECT_EQ(sprite->GetRect().w, 30);
    sprite->SetAlpha(255);
    sprite->SetRotation(0.0f);
    EXPECT_EQ(sprite->GetRect().w, 20) << "the resize survives the rotation going";
    EXPECT_EQ(sprite->GetLoadedImage()->GetPixel(0, 0), original) << "the loaded image is kept";

    // Resize to nothing, then back.
    sprite->Resize(0, 0);
    EXPECT_FALSE(DrawsAnything(sprite.get()));
    sprite->Resize(-5, 7);
    EXPECT_FALSE(DrawsAnything(sprite.get()));
    sprite->Resize(10, 10);
    EXPECT_TRUE(DrawsAnything(sprite.get()));

    // Half alpha over black halves the colour.
    auto red = std::make_unique<CSprite>(Pattern(4, 4, 4, false));
    const CColor full = red->GetLoadedImage()->GetPixel(1, 1);
    red->SetAlpha(128);
    red->SetLayer(Layer());
    Frame();
    EXPECT_TRUE(gfx_test::Near(At(1, 1), CColor(full.r / 2, full.g / 2, full.b / 2), 2));
}

TEST_F(CSpriteTest, BackgroundBuffersUpToTwentyPixelsLargerAreReused) {
    auto sprite = std::make_unique<CSprite>(Pattern(40, 40, 5, false));
    sprite->SetLayer(Layer());
    Frame();
    const IPixel* buffer = sprite->GetBackground();
    ASSERT_NE(buffer, nullptr);
    EXPECT_EQ(buffer->GetWidth(), 40);

    sprite->SetRect(types_rect(0, 0, 20, 20));
    Frame();
    EXPECT_EQ(sprite->GetBackground(), buffer) << "20 pixels larger: kept";
    EXPECT_EQ(sprite->GetBackground()->GetWidth(), 40);
    sprite->SetRect(types_rect(0, 0, 19, 20));
    Frame();
    EXPECT_EQ(sprite->GetBackground()->GetWidth(), 19) << "21 pixels wider: made anew";
    sprite->SetRect(types_rect(0, 0, 25, 25));
    Frame();
    EXPECT_EQ(sprite->GetBackground()->GetWidth(), 25) << "too small: made anew";
    EXPECT_EQ(Difference(CaptureScreen(), DrawFromScratch()), "");
}

TEST_F(CSpriteTest, ZOutsideALayerIsOnlyStoredAndHiddenSpritesCanDie) {
    CSprite loose;
    loose.SetZ(3);
    EXPECT_EQ(loose.GetZ(), 3);

    auto hidden = std::make_unique<CSprite>(Pattern(10, 10, 6, false));
    hidden->SetLayer(Layer());
    Frame();
    hidden->SetVisible(false);
    EXPECT_FALSE(hidden->IsVisible());
    Frame();
    EXPECT_EQ(Difference(CaptureScreen(), std::vector<uint32_t>(size_t(W) * H, 0)), "");
    hidden.reset();  // leaves the hidden list too
    std::vector<CSprite*> visible, stillHidden;
    Layer()->GetSprites(visible, stillHidden);
    EXPECT_TRUE(visible.empty());
    EXPECT_TRUE(stillHidden.empty());
}

namespace {
// Shows the image the sprite holds right now, without making a waiting one.
struct CPeekSprite : CSprite {
    using CSprite::CSprite;
    const IPixel* Held() const { return myImage; }
};
}  // namespace

TEST_F(CSpriteTest, ResizesAndTurnsAreMadeWhenTheSpriteIsNextDrawn) {
    auto sprite = std::make_unique<CPeekSprite>(Pattern(40, 20, 6, true));
    sprite->SetLayer(Layer());
    sprite->MoveTo(5, 5);
    Frame();
    // A relayout resizes many times between two frames: the size follows at
    // once, the pixels wait.
    for (int w = 10; w <= 50; w += 10)
        sprite->Resize(w, w / 2);
    EXPECT_EQ(sprite->GetRect(), types_rect(5, 5, 50, 25));
    EXPECT_EQ(sprite->Held(), sprite->GetLoadedImage()) << "nothing scaled yet";
    sprite->SetRotation(90.0f);
    EXPECT_EQ(sprite->GetRect().w, 25) << "the turned size is known before the turn is made";
    EXPECT_EQ(sprite->GetRect().h, 50);
    Frame();
    ASSERT_NE(sprite->Held(), sprite->GetLoadedImage()) << "drawing made the image";
    EXPECT_EQ(sprite->Held()->GetWidth(), 25);
    EXPECT_EQ(sprite->Held()->GetHeight(), 50);
    EXPECT_EQ(Difference(CaptureScreen(), DrawFromScratch()), "");

    // Asking for the image makes it too, the same as a scale and a turn made
    // one after the other at once.
    sprite->SetRotation(30.0f);
    sprite->Resize(33, 17);
    const types_rect rect = sprite->GetRect();
    IPixel* scaled = sprite->GetLoadedImage()->Resize(33, 17);
    IPixel* direct = scaled->Rotate(30.0f);
    const IPixel* made = sprite->GetImage();
    ASSERT_EQ(made->GetWidth(), direct->GetWidth());
    EXPECT_EQ(rect.w, made->GetWidth());
    EXPECT_EQ(rect.h, made->GetHeight());
    for (int y = 0; y < made->GetHeight(); ++y)
        for (int x = 0; x < made->GetWidth(); ++x)
            ASSERT_EQ(made->GetPixel(x, y), direct->GetPixel(x, y)) << x << "," << y;
    Gfx::FreeImage(scaled);
    Gfx::FreeImage(direct);
    Frame();
    EXPECT_EQ(Difference(CaptureScreen(), DrawFromScratch()), "");
}

TEST_F(CSpriteTest, ATurnDrawsIntoThePreviousTurnsImageAndShowsNothingOfIt) {
    auto sprite = std::make_unique<CPeekSprite>(Pattern(40, 30, 8, true));
    sprite->SetLayer(Layer());
    sprite->MoveTo(20, 20);
    sprite->SetRotation(10.0f);
    Frame();
    const IPixel* exact = sprite->Held();
    // The first turn has an image of its own size; the next, larger, gets
    // one that holds every angle, and all later turns are made in it. Every
    // one shows exactly what a new turn shows, and the screen what a redraw
    // from scratch shows.
    const float angles[] = {45.0f, 40.0f, 200.0f, 50.0f, 130.0f, 10.0f};
    const IPixel* first = nullptr;
    for (float degrees : angles) {
        // The loaded image changes too: each turn shows it as it is now.
        sprite->GetLoadedImage()->PutPixel(int(degrees) % 40, 15, CColor(255, 0, 0));
        sprite->SetRotation(degrees);
        Frame();
        const IPixel* made = sprite->Held();
        if (!first) {
            first = made;
            EXPECT_NE(made, exact);
        }
        EXPECT_EQ(made, first) << degrees << " degrees: image reused";
        IPixel* direct = sprite->GetLoadedImage()->Rotate(degrees);
        ASSERT_EQ(made->GetWidth(), direct->GetWidth()) << degrees;
        ASSERT_EQ(made->GetHeight(), direct->GetHeight()) << degrees;
        for (int y = 0; y < made->GetHeight(); ++y)
            for (int x = 0; x < made->GetWidth(); ++x)
                ASSERT_EQ(made->GetPixel(x, y), direct->GetPixel(x, y))
                    << degrees << " degrees, at " << x << "," << y;
        Gfx::FreeImage(direct);
        EXPECT_EQ(Difference(CaptureScreen(), DrawFromScratch()), "") << degrees;
    }
    // A faded sprite turns through its own steps, and back.
    sprite->SetAlpha(100);
    sprite->SetRotation(30.0f);
    Frame();
    sprite->SetAlpha(255);
    Frame();
    EXPECT_EQ(Difference(CaptureScreen(), DrawFromScratch()), "");
}
