#include <SDL.h>
#include <SDL_image.h>

#include <cmath>
#include <functional>
#include <limits>

#include "GfxTestSupport.h"
#include "vorn/gfx/CPixelScreenSDL.h"

using namespace vorn;
using namespace gfx_test;

namespace {

const CColor RED(255, 0, 0), GREEN(0, 255, 0), BLUE(0, 0, 255), WHITE(255, 255, 255);
const CColor CLEAR(0, 0, 0, 0), BLACK(0, 0, 0);

using CPixelSDLTest = SdlVideoTest;

// A surface of 4 bytes per pixel in a layout other than the display's, or of 3.
CPixelSDL* RawSurface(int w, int h, int bpp) {
    SDL_Surface* surface =
        bpp == 24 ? SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 24, 0x0000FF, 0x00FF00, 0xFF0000, 0)
                  : SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0x000000FF, 0x0000FF00,
                                         0x00FF0000, 0xFF000000);
    return new CPixelSDL(surface);
}

TEST_F(CPixelSDLTest, PixelsAreAddressedThroughTheSourceRectangleAndBlendBelowFullAlpha) {
    SurfacePtr buffer(Gfx::NewBuffer(8, 6));
    ASSERT_FALSE(buffer->Empty());
    EXPECT_EQ(buffer->GetPixelType(), IPixel::PIXEL_SDL);
    EXPECT_TRUE(Near(buffer->GetPixel(0, 0), CLEAR)) << "a new alpha buffer is transparent";

    buffer->PutPixel(1, 1, RED);
    EXPECT_TRUE(Near(buffer->GetPixel(1, 1), RED));
    buffer->PutPixel(1, 1, CColor(0, 0, 255, 128));
    EXPECT_TRUE(Near(buffer->GetPixel(1, 1), CColor(127, 0, 128, 255), 1));

    // Outside: writes are dropped, reads give opaque black.
    buffer->PutPixel(-1, 0, RED);
    buffer->PutPixel(8, 0, RED);
    EXPECT_TRUE(Near(buffer->GetPixel(8, 0), BLACK));
    EXPECT_TRUE(Near(buffer->GetPixel(0, -1), BLACK));

    buffer->SetSourceRect(types_rect(2, 2, 4, 3));
    EXPECT_TRUE(buffer->IsClipped());
    EXPECT_EQ(buffer->GetWidth(), 4);
    EXPECT_EQ(buffer->GetHeight(), 3);
    EXPECT_EQ(buffer->GetSurfaceWidth(), 8);
    EXPECT_EQ(buffer->GetSourceX(), 2);
    buffer->PutPixel(0, 0, GREEN);
    buffer->PutPixel(4, 0, GREEN);  // outside the source rectangle
    EXPECT_TRUE(Near(buffer->GetPixel(4, 0), BLACK));

    buffer->SetSourceRect(types_rect(0, 0, 8, 6));
    EXPECT_FALSE(buffer->IsClipped());
    EXPECT_TRUE(Near(buffer->GetPixel(2, 2), GREEN));
    EXPECT_TRUE(Near(buffer->GetPixel(6, 2), CLEAR));

    // A source rectangle reaching past the surface is cut to it.
    buffer->SetSourceRect(types_rect(6, 4, 10, 10));
    EXPECT_EQ(buffer->GetSourceRect(), types_rect(6, 4, 2, 2));
    buffer->SetSourceRect(types_rect(-50, -50, 10, 10));
    EXPECT_EQ(buffer->GetWidth(), 0);
}

TEST_F(CPixelSDLTest, CleanFillsTheClippedRectangleWithTheClearColourOnFourBytePixelsOnly) {
    SurfacePtr buffer(Filled(6, 4, RED));
    buffer->SetParameter(IPixel::PARAM_CLEAR_COLOR, CColor(1, 2, 3, 4).ToARGB());
    buffer->SetSourceRect(types_rect(1, 1, 4, 3));
    buffer->Clean(types_rect(2, -5, 10, 6));  // meets source columns 2..3, row 0
    buffer->SetSourceRect(types_rect(0, 0, 6, 4));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x) {
            const bool cleaned = x >= 3 && x <= 4 && y == 1;
            EXPECT_TRUE(Near(buffer->GetPixel(x, y), cleaned ? CColor(1, 2, 3, 4) : RED))
                << "at " << x << "," << y;
        }

    SurfacePtr threeBytes(RawSurface(4, 4, 24));
    threeBytes->PutPixel(0, 0, RED);
    threeBytes->SetParameter(IPixel::PARAM_CLEAR_COLOR, GREEN.ToARGB());
    threeBytes->Clean(types_rect(0, 0, 4, 4));
    EXPECT_TRUE(Near(threeBytes->GetPixel(0, 0), RED));
}

TEST_F(CPixelSDLTest, BlitsAreClippedOnBothSidesAndFollowTheTargetsMode) {
    // A 4 x 4 source with a distinct colour per pixel.
    SurfacePtr source(Gfx::NewBuffer(4, 4));
    auto colourAt = [](int x, int y) { return CColor(x * 60, y * 60, 200); };
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            source->PutPixel(x, y, colourAt(x, y));
    SurfacePtr target(Gfx::NewOpaqueBuffer(5, 5));
    target->SetParameter(IPixel::PARAM_CLEAR_COLOR, WHITE.ToARGB());
    target->Clean(types_rect(0, 0, 5, 5));
    EXPECT_TRUE(Near(target->GetPixel(0, 0), WHITE));

    // Source columns -1..2 (column -1 does not exist) of rows 1..3, placed so
    // that the target cuts off one more column on the left and a row below.
    ASSERT_TRUE(source->BlitTo(target.get(), types_rect(-1, 1, 4, 3), types_point(-2, 3)));
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x) {
            const bool covered = x <= 1 && y >= 3;
            EXPECT_TRUE(Near(target->GetPixel(x, y), covered ? colourAt(x + 1, y - 2) : WHITE))
                << "at " << x << "," << y;
        }

    // Blending onto an opaque target; copying into an alpha buffer keeps alpha.
    SurfacePtr halfRed(Filled(1, 1, CColor(255, 0, 0, 128)));
    SurfacePtr blue(Gfx::NewOpaqueBuffer(1, 1));
    blue->PutPixel(0, 0, BLUE);
    ASSERT_TRUE(halfRed->BlitTo(blue.get()));
    EXPECT_TRUE(Near(blue->GetPixel(0, 0), CColor(128, 0, 127), 2));
    SurfacePtr copy(Filled(1, 1, GREEN));
    ASSERT_TRUE(halfRed->BlitTo(copy.get()));
    EXPECT_TRUE(Near(copy->GetPixel(0, 0), CColor(255, 0, 0, 128)));

    // Blend mode blends in floating point; transparent black is skipped.
    SurfacePtr blended(Filled(2, 1, CColor(0, 0, 255, 255)));
    blended->SetParameter(IPixel::PARAM_COPY_MODE, 0);
    blended->SetParameter(IPixel::PARAM_BLEND_MODE, 1);
    SurfacePtr pair(Gfx::NewBuffer(2, 1));
    pair->PutPixel(0, 0, CColor(255, 0, 0, 64));
    ASSERT_TRUE(pair->BlitTo(blended.get()));
    EXPECT_TRUE(Near(blended->GetPixel(0, 0), CColor(64, 0, 191, 255), 1));
    EXPECT_TRUE(Near(blended->GetPixel(1, 0), BLUE));

    // Copy or blend mode needs 4 bytes per pixel on both sides.
    SurfacePtr threeBytes(RawSurface(2, 2, 24));
    threeBytes->PutPixel(0, 0, GREEN);
    threeBytes->SetParameter(IPixel::PARAM_COPY_MODE, 1);
    EXPECT_FALSE(halfRed->BlitTo(threeBytes.get()));
    EXPECT_TRUE(Near(threeBytes->GetPixel(0, 0), GREEN));
    threeBytes->SetParameter(IPixel::PARAM_COPY_MODE, 0);
    EXPECT_TRUE(halfRed->BlitTo(threeBytes.get())) << "the ordinary blit takes any depth";

    EXPECT_FALSE(source->BlitTo(nullptr));
    EXPECT_FALSE(source->BlitTo(Gfx::GetNullSurface()));
    EXPECT_FALSE(Gfx::GetNullSurface()->BlitTo(target.get()));
}

TEST_F(CPixelSDLTest, SavingTheScreenIntoAnAlphaBufferGivesOpaquePixelsThatRestoreIt) {
    // What a sprite's background buffer does: copy from the screen (no alpha
    // channel) and later blit back.
    CPixelScreenSDL screen;
    ASSERT_EQ(screen.GetWidth(), SCREEN_W);
    screen.PutPixel(3, 2, GREEN);
    SurfacePtr background(Gfx::NewBuffer(4, 4));
    ASSERT_TRUE(screen.BlitTo(background.get(), types_rect(2, 1, 4, 4), types_point(0, 0)));
    EXPECT_TRUE(Near(background->GetPixel(1, 1), GREEN));
    EXPECT_EQ(background->GetPixel(0, 0).a, 255);
    screen.PutPixel(3, 2, RED);
    ASSERT_TRUE(background->BlitTo(&screen, types_rect(0, 0, 4, 4), types_point(2, 1)));
    EXPECT_TRUE(Near(screen.GetPixel(3, 2), GREEN));
}

TEST_F(CPixelSDLTest, CloneAndSetAlphaCopyThePixelsWithTheirSourceRectangle) {
    SurfacePtr original(Filled(4, 2, RED));
    original->Clean(types_rect(3, 1, 1, 1));  // the clear colour: transparent black
    original->SetSourceRect(types_rect(1, 0, 3, 2));
    SurfacePtr clone(original->Clone());
    EXPECT_EQ(clone->GetSourceRect(), types_rect(1, 0, 3, 2));
    EXPECT_EQ(clone->GetSurfaceWidth(), 4);
    original->PutPixel(0, 0, GREEN);
    EXPECT_TRUE(Near(clone->GetPixel(0, 0), RED)) << "the clone has pixels of its own";

    SurfacePtr faded(original->SetAlpha(128));
    EXPECT_TRUE(Near(faded->GetPixel(0, 0), CColor(0, 255, 0, 128)));
    EXPECT_TRUE(Near(faded->GetPixel(2, 1), CLEAR)) << "transparent pixels stay transparent";
    EXPECT_TRUE(Near(original->GetPixel(0, 0), GREEN)) << "the original keeps its alpha";
    SurfacePtr twice(faded->SetAlpha(128));
    EXPECT_TRUE(Near(twice->GetPixel(0, 0), CColor(0, 255, 0, 64), 1));

    // Colour-keyed buffers clone with the key colour transparent.
    SurfacePtr keyed(Gfx::NewOpaqueBuffer(2, 1));
    keyed->PutPixel(0, 0, CColor(255, 0, 255));
    keyed->PutPixel(1, 0, BLUE);
    SurfacePtr keyedClone(keyed->Clone());
    EXPECT_EQ(keyedClone->GetPixel(0, 0).a, 0);
    EXPECT_TRUE(Near(keyedClone->GetPixel(1, 0), BLUE));
}

TEST_F(CPixelSDLTest, ResizeScalesAndRefusesSizesNoSurfaceMayHave) {
    SurfacePtr green(Filled(4, 4, GREEN));
    SurfacePtr larger(green->Resize(9, 7));
    ASSERT_EQ(larger->GetWidth(), 9);
    ASSERT_EQ(larger->GetHeight(), 7);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 9; ++x)
            ASSERT_TRUE(Near(larger->GetPixel(x, y), GREEN)) << "at " << x << "," << y;

    // Halves of two colours keep their colours at the far ends when shrunk.
    SurfacePtr halves(Filled(40, 2, RED));
    for (int x = 20; x < 40; ++x)
        for (int y = 0; y < 2; ++y)
            halves->PutPixel(x, y, BLUE);
    SurfacePtr small(halves->Resize(4, 1));
    EXPECT_TRUE(Near(small->GetPixel(0, 0), RED));
    EXPECT_TRUE(Near(small->GetPixel(3, 0), BLUE));

    CLogCapture log;
    EXPECT_TRUE(green->Resize(0, 0)->IsNullSurface());
    EXPECT_TRUE(green->Resize(-3, 5)->IsNullSurface());
    EXPECT_TRUE(green->Resize(20000, 20000)->IsNullSurface());
    EXPECT_EQ(log.Count("CPixelSDL::Resize() - refused", CLog::LEVEL_WARNING), 3);
}

TEST_F(CPixelSDLTest, RotateTurnsCounterClockwiseAboutTheCentreAndGrowsToHoldTheImage) {
    // 3 x 2: each pixel its own colour.
    SurfacePtr image(Gfx::NewBuffer(3, 2));
    auto colourAt = [](int x, int y) { return CColor(50 + x * 80, 50 + y * 150, 10); };
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            image->PutPixel(x, y, colourAt(x, y));

    SurfacePtr same(image->Rotate(0.0f));
    ASSERT_EQ(same->GetWidth(), 3);
    ASSERT_EQ(same->GetHeight(), 2);
    SurfacePtr quarter(image->Rotate(90.0f));
    ASSERT_EQ(quarter->GetWidth(), 2);
    ASSERT_EQ(quarter->GetHeight(), 3);
    SurfacePtr half(image->Rotate(-180.0f));
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) {
            EXPECT_TRUE(Near(same->GetPixel(x, y), colourAt(x, y)));
            // A quarter turn left brings the right edge to the top.
            EXPECT_TRUE(Near(quarter->GetPixel(y, 2 - x), colourAt(x, y)))
                << "source " << x << "," << y;
            EXPECT_TRUE(Near(half->GetPixel(2 - x, 1 - y), colourAt(x, y)));
        }

    SurfacePtr square(Filled(10, 10, RED));
    SurfacePtr diagonal(square->Rotate(45.0f));
    EXPECT_EQ(diagonal->GetWidth(), 15);
    EXPECT_EQ(diagonal->GetHeight(), 15);
    EXPECT_TRUE(Near(diagonal->GetPixel(7, 7), RED));
    EXPECT_EQ(diagonal->GetPixel(0, 0).a, 0) << "the corners of the grown image are empty";
    SurfacePtr full(square->Rotate(720.0f));
    EXPECT_EQ(full->GetWidth(), 10);

    // Turns one after another share a source buffer: a small image turned
    // after a large opaque one, and a clipped one, show nothing of the earlier.
    SurfacePtr large(Filled(30, 20, GREEN));
    SurfacePtr spot(Gfx::NewBuffer(6, 5));
    spot->PutPixel(2, 2, BLUE);
    SurfacePtr before(spot->Rotate(33.0f));
    SurfacePtr largeTurned(large->Rotate(21.0f));
    SurfacePtr after(spot->Rotate(33.0f));
    large->SetSourceRect(types_rect(5, 5, 4, 3));
    SurfacePtr clipped(large->Rotate(33.0f));
    ASSERT_EQ(after->GetWidth(), before->GetWidth());
    for (int y = 0; y < after->GetHeight(); ++y)
        for (int x = 0; x < after->GetWidth(); ++x)
            EXPECT_EQ(after->GetPixel(x, y), before->GetPixel(x, y)) << "at " << x << "," << y;
    EXPECT_EQ(clipped->GetPixel(0, 0).a, 0) << "a corner outside the turned 4 x 3";
    EXPECT_TRUE(Near(clipped->GetPixel(clipped->GetWidth() / 2, clipped->GetHeight() / 2), GREEN));

    CLogCapture log;
    EXPECT_TRUE(square->Rotate(std::numeric_limits<float>::quiet_NaN())->IsNullSurface());
    EXPECT_TRUE(square->Rotate(std::numeric_limits<float>::infinity())->IsNullSurface());
    EXPECT_EQ(log.Count("CPixelSDL::Rotate() - refused", CLog::LEVEL_WARNING), 2);
}

TEST_F(CPixelSDLTest, SaveToWritesTheSourceRectangleAsBmpOrTga) {
    SurfacePtr image(Gfx::NewBuffer(4, 3));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            image->PutPixel(x, y, CColor(x * 60, y * 100, 30, 100 + x * 40));
    image->SetSourceRect(types_rect(1, 1, 3, 2));

    ASSERT_TRUE(image->SaveTo("part.bmp"));
    SDL_Surface* bmp = SDL_LoadBMP("part.bmp");
    ASSERT_NE(bmp, nullptr);
    EXPECT_EQ(bmp->w, 3);
    EXPECT_EQ(bmp->h, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_TRUE(Near(PixelOf(bmp, x, y), CColor((x + 1) * 60, (y + 1) * 100, 30)))
                << "BMP keeps colours unblended at " << x << "," << y;
    SDL_FreeSurface(bmp);

    ASSERT_TRUE(image->SaveTo("part.TGA"));
    SDL_Surface* tga = IMG_LoadTyped_RW(SDL_RWFromFile("part.TGA", "rb"), 1, (char*)"TGA");
    ASSERT_NE(tga, nullptr) << IMG_GetError();
    EXPECT_EQ(tga->w, 3);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_TRUE(Near(PixelOf(tga, x, y),
                             CColor((x + 1) * 60, (y + 1) * 100, 30, 100 + (x + 1) * 40)))
                << "TGA keeps alpha at " << x << "," << y;
    SDL_FreeSurface(tga);

    EXPECT_FALSE(image->SaveTo("no/such/folder/x.bmp"));
    EXPECT_FALSE(Gfx::GetNullSurface()->SaveTo("null.bmp"));
}

// Every pixel of two images equal.
::testing::AssertionResult SamePixels(const IPixel* actual, const IPixel* expected) {
    if (actual->GetWidth() != expected->GetWidth() || actual->GetHeight() != expected->GetHeight())
        return ::testing::AssertionFailure()
               << actual->GetWidth() << " x " << actual->GetHeight() << " instead of "
               << expected->GetWidth() << " x " << expected->GetHeight();
    for (int y = 0; y < actual->GetHeight(); ++y)
        for (int x = 0; x < actual->GetWidth(); ++x)
            if (actual->GetPixel(x, y) != expected->GetPixel(x, y))
                return ::testing::AssertionFailure() << "differ at " << x << "," << y;
    return ::testing::AssertionSuccess();
}

TEST_F(CPixelSDLTest, TurnsReuseASpareSurfaceAndSeeEveryChangeOfTheSource) {
    SurfacePtr image(Gfx::NewBuffer(20, 14));
    for (int y = 0; y < 14; ++y)
        for (int x = 0; x < 20; ++x)
            image->PutPixel(x, y, CColor(x * 12, y * 18, 200, (x + y) % 5 ? 255 : 90));
    auto* source = static_cast<CPixelSDL*>(image.get());

    // A spare full of opaque green, in copy mode: the turn fills it, as a new
    // surface would be, and nothing of the green is left, not even outside
    // the source rectangle.
    IPixel* spare = Filled(40, 40, GREEN);
    IPixel* turned = image->RotateReusing(30.0f, spare);
    ASSERT_EQ(turned, spare);
    SurfacePtr holder(turned);
    SurfacePtr direct(image->Rotate(30.0f));
    EXPECT_TRUE(SamePixels(turned, direct.get()));
    auto* reused = static_cast<CPixelSDL*>(turned);
    EXPECT_FALSE(reused->GetCopyMode()) << "the settings of a new surface";
    SDL_Surface* raw = reused->GetSurface();
    for (int y = 0; y < raw->h; ++y)
        for (int x = 0; x < raw->w; ++x)
            if (x >= turned->GetWidth() || y >= turned->GetHeight()) {
                ASSERT_EQ(PixelOf(raw, x, y).a, 0) << "left of the spare at " << x << "," << y;
            }

    // Turned again and again into its own result; every change of the
    // source (a pixel, a fill, a blit into it, another source rectangle,
    // another surface) shows in the next turn.
    const std::function<void()> changes[] = {
        [&] { image->PutPixel(3, 4, RED); },
        [&] {
            image->SetParameter(IPixel::PARAM_CLEAR_COLOR, CColor(9, 9, 9, 200).ToARGB());
            image->Clean(types_rect(10, 2, 5, 5));
        },
        [&] {
            SurfacePtr blue(Filled(4, 4, BLUE));
            blue->BlitTo(image.get(), types_rect(0, 0, 4, 4), types_point(12, 8));
        },
        [&] { image->SetSourceRect(types_rect(2, 1, 16, 12)); },
        [&] {
            source->SetSurface(
                SDL_ConvertSurface(source->GetSurface(), source->GetSurface()->format, 0));
        },
        [&] {
            SDL_FillRect(source->GetSurface(), nullptr, 0x80FF0000);
            source->NoteWritten();
        },
    };
    float degrees = 31.0f;
    for (const auto& change : changes) {
        for (int i = 0; i < 3; ++i, degrees += 7.0f) {
            IPixel* again = image->RotateReusing(degrees, holder.get());
            if (again != holder.get()) holder.reset(again);
            SurfacePtr expected(image->Rotate(degrees));
            ASSERT_TRUE(SamePixels(again, expected.get())) << degrees << " degrees";
        }
        change();
    }

    // Nor is a surface of another layout, or with a colour key: the turn
    // gets a new surface, and the spare stays as it was.
    SurfacePtr otherLayout(RawSurface(40, 40, 32));
    SurfacePtr keyed(Filled(40, 40, GREEN));
    SDL_SetColorKey(static_cast<CPixelSDL*>(keyed.get())->GetSurface(), SDL_SRCCOLORKEY, 0);
    for (IPixel* unfit : {otherLayout.get(), keyed.get()}) {
        const CColor before = unfit->GetPixel(0, 0);
        SurfacePtr made(image->RotateReusing(25.0f, unfit));
        EXPECT_NE(made.get(), unfit);
        EXPECT_EQ(unfit->GetPixel(0, 0), before);
        SurfacePtr expectedTurn(image->Rotate(25.0f));
        EXPECT_TRUE(SamePixels(made.get(), expectedTurn.get()));
    }

    // A loaded image's surface is never reused: other objects show it.
    WriteBmp("shared.bmp", 30, 30, [](int, int) { return CColor(10, 200, 10); });
    IPixel* loaded = Gfx::LoadImage("shared.bmp");
    IPixel* fresh = image->RotateReusing(45.0f, loaded);
    EXPECT_NE(fresh, loaded);
    EXPECT_EQ(loaded->GetPixel(0, 0), CColor(10, 200, 10)) << "left untouched";
    Gfx::FreeImage(fresh);

    // Two objects on one loaded image: a change through either shows in the
    // turns of the other.
    IPixel* other = Gfx::NewBuffer(loaded);
    SurfacePtr first(loaded->RotateReusing(20.0f, holder.get()));
    holder.release();
    for (int i = 0; i < 2; ++i) {
        IPixel* again = loaded->RotateReusing(20.0f, first.get());
        if (again != first.get()) first.reset(again);
    }
    other->PutPixel(15, 15, RED);
    IPixel* seen = loaded->RotateReusing(20.0f, first.get());
    if (seen != first.get()) first.reset(seen);
    SurfacePtr expected(loaded->Rotate(20.0f));
    EXPECT_TRUE(SamePixels(seen, expected.get()));
    Gfx::FreeImage(other);
    Gfx::FreeImage(loaded);
}

}  // namespace
