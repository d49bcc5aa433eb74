// Surfaces of the accelerated back end, checked against the SDL back end's.
#include <memory>

#include "../tasks/GlTaskFixture.h"
#include "GfxTestSupport.h"
#include "vorn/gfx/CFont.h"
#include "vorn/gfx/CGfxFactorySDL.h"
#include "vorn/gfx/CPixelD3D.h"
#include "vorn/gfx/CPixelScreenD3D.h"
#include "vorn/gfx/CSystemFontLoader.h"
#include "vorn/gfx/Resampling.h"

using namespace vorn;
using namespace gl_task_test;
using gfx_test::Near;
using testing_support::CLogCapture;

namespace {

class CPixelD3DTest : public GlTaskTest {
protected:
    void SetUp() override {
        GlTaskTest::SetUp();
        if (IsSkipped()) return;
        StartBackEnd("d3d", 64, 64);
    }

    static std::vector<CColor> Colors(int w, int h, uint32_t seed) {
        std::vector<CColor> colors;
        for (int i = 0; i < w * h; ++i) {
            const uint32_t v = (uint32_t(i) + seed) * 2654435761u;
            const uint8_t a = i % 5 == 0 ? 0 : (i % 3 == 0 ? uint8_t(128 + (v >> 25)) : 255);
            colors.push_back(a ? CColor(uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24), a)
                               : CColor(0, 0, 0, 0));
        }
        return colors;
    }

    // The same blit made with SDL surfaces and with ours: the target's
    // colours afterwards, SDL's first.
    std::pair<std::vector<CColor>, std::vector<CColor>> BothBlit(
        const std::function<void(IPixel* target)>& prepare, const types_rect& part,
        const types_point& at, uint8_t alpha = 255) {
        CGfxFactorySDL sdl;
        std::vector<CColor> result[2];
        for (int i = 0; i < 2; ++i) {
            CGfxFactory* factory = i == 0 ? static_cast<CGfxFactory*>(&sdl) : Gfx::GetFactory();
            IPixel* source = factory->NewBufferFromColors(7, 5, Colors(7, 5, 1));
            IPixel* target = factory->NewBufferFromColors(9, 8, Colors(9, 8, 2));
            prepare(target);
            IPixel* faded = alpha == 255 ? source : source->SetAlpha(alpha);
            faded->BlitTo(target, part, at);
            result[i] = factory->ReadColors(target);
            if (faded != source) factory->FreeImage(faded);
            factory->FreeImage(source);
            factory->FreeImage(target);
        }
        return {result[0], result[1]};
    }
};

TEST_F(CPixelD3DTest, WhatIsNotImplementedOnlyLogs) {
    IPixel* buffer = Gfx::NewBuffer(4, 4);
    CLogCapture log;
    buffer->PutPixel(1, 1, CColor(1, 2, 3));
    EXPECT_EQ(buffer->GetPixel(1, 1), CColor(0, 0, 0, 255));
    EXPECT_TRUE(buffer->Clone()->IsNullSurface());
    EXPECT_FALSE(buffer->SaveTo("x.bmp"));
    for (const char* name : {"PutPixel", "GetPixel", "Clone", "SaveTo"})
        EXPECT_TRUE(log.Has(std::string("CPixelD3D::") + name + "() : not implemented!\n")) << name;
    EXPECT_FALSE(std::filesystem::exists("x.bmp"));

    IPixel* screen = Gfx::GetScreenSurface();
    ASSERT_NE(dynamic_cast<CPixelScreenD3D*>(screen), nullptr);
    log.Clear();
    screen->PutPixel(0, 0, CColor());
    screen->GetPixel(0, 0);
    screen->Clean(types_rect(0, 0, 4, 4));
    EXPECT_TRUE(screen->Resize(2, 2)->IsNullSurface());
    EXPECT_TRUE(screen->Rotate(10)->IsNullSurface());
    EXPECT_TRUE(screen->SetAlpha(10)->IsNullSurface());
    EXPECT_TRUE(screen->Clone()->IsNullSurface());
    EXPECT_FALSE(screen->BlitTo(buffer));
    EXPECT_FALSE(screen->BlitTo(buffer, types_rect(0, 0, 2, 2), types_point(0, 0)));
    EXPECT_FALSE(screen->SaveTo("y.bmp"));
    for (const char* name :
         {"PutPixel", "GetPixel", "Clean", "Resize", "Rotate", "SetAlpha", "Clone", "SaveTo"})
        EXPECT_EQ(log.Count(std::string("CPixelScreenD3D::") + name + "() : not implemented!\n"), 1)
            << name;
    EXPECT_EQ(log.Count("CPixelScreenD3D::BlitTo() : not implemented!\n"), 2);

    // Drawing onto the null surface, or from a surface without pixels.
    log.Clear();
    EXPECT_FALSE(buffer->BlitTo(Gfx::GetNullSurface()));
    EXPECT_TRUE(
        log.Has("CPixelD3D::BlitTo() - failed because we tried to blit to a null surface.\n"));
    Gfx::FreeImage(buffer);
}

TEST_F(CPixelD3DTest, DerivedSurfacesTakeTheSizesOfTheSdlCopiesAndShareTheTexture) {
    IPixel* image = Gfx::NewBuffer(50, 30, Colors(50, 30, 3));
    IPixel* scaled = image->Resize(80, 12);
    EXPECT_EQ(scaled->GetSourceRect(), types_rect(0, 0, 80, 12));
    auto* view = dynamic_cast<CPixelD3D*>(scaled);
    ASSERT_NE(view, nullptr);
    EXPECT_FLOAT_EQ(view->GetScaleX(), 80.0f / 50.0f);
    EXPECT_FLOAT_EQ(view->GetScaleY(), 12.0f / 30.0f);
    for (float degrees : {30.0f, 90.0f, 200.0f}) {
        IPixel* turned = scaled->Rotate(degrees);
        int w = 0, h = 0;
        resampling::RotatedSize(80, 12, degrees, w, h);
        EXPECT_EQ(turned->GetWidth(), w) << degrees;
        EXPECT_EQ(turned->GetHeight(), h) << degrees;
        EXPECT_NEAR(dynamic_cast<CPixelD3D*>(turned)->GetRotation(),
                    (360.0f - degrees) * 3.14159265f / 180.0f, 1e-4);
        Gfx::FreeImage(turned);
    }
    IPixel* half = image->SetAlpha(128);
    IPixel* faded = half->SetAlpha(128);
    Gfx::FreeImage(half);
    EXPECT_EQ(dynamic_cast<CPixelD3D*>(faded)->GetDrawAlpha(), 64);
    EXPECT_EQ(faded->GetSourceRect(), image->GetSourceRect());
    EXPECT_EQ(CD3DTexture::GetAll().size(), 1u) << "derived surfaces copy no pixels";
    // A derived surface drawn into a buffer gives SDL's picture of it.
    const std::vector<CColor> turnedColors = Gfx::ReadColors(scaled);
    EXPECT_EQ(turnedColors.size(), size_t(80 * 12));
    Gfx::FreeImage(faded);
    Gfx::FreeImage(scaled);
    Gfx::FreeImage(image);
    EXPECT_EQ(CD3DTexture::GetAll().size(), 0u);

    CLogCapture log;
    IPixel* other = Gfx::NewBuffer(4, 4);
    EXPECT_TRUE(other->Resize(0, 3)->IsNullSurface());
    EXPECT_TRUE(other->Rotate(std::numeric_limits<float>::infinity())->IsNullSurface());
    EXPECT_EQ(log.Warnings(), 2) << log.All();
    Gfx::FreeImage(other);
}

TEST_F(CPixelD3DTest, BlitsIntoBuffersGiveTheSdlBackEndsPixels) {
    // Copy mode (buffers from NewBuffer), clipped at every side.
    for (const auto& [part, at] : {std::make_pair(types_rect(0, 0, 7, 5), types_point(1, 2)),
                                   std::make_pair(types_rect(2, 1, 9, 9), types_point(-1, 4)),
                                   std::make_pair(types_rect(-3, -2, 6, 6), types_point(5, -1))}) {
        const auto [sdl, gl] = BothBlit([](IPixel*) {}, part, at);
        ASSERT_EQ(sdl.size(), gl.size());
        for (size_t i = 0; i < sdl.size(); ++i)
            EXPECT_TRUE(Near(gl[i], sdl[i].a ? sdl[i] : CColor(0, 0, 0, 0), 1))
                << "copy, pixel " << i << " of part " << part.x << "," << part.y;
    }
    // A faded copy carries its alpha along, as a font drawn with alpha does
    // (colours of faint pixels are kept premultiplied: a few levels off).
    {
        const auto [sdl, gl] =
            BothBlit([](IPixel*) {}, types_rect(0, 0, 7, 5), types_point(0, 0), 100);
        for (size_t i = 0; i < sdl.size(); ++i)
            EXPECT_TRUE(Near(gl[i], sdl[i].a ? sdl[i] : CColor(0, 0, 0, 0), sdl[i].a < 128 ? 4 : 1))
                << "faded, pixel " << i;
    }
    // Blend mode: "over", alpha included.
    {
        const auto [sdl, gl] = BothBlit(
            [](IPixel* target) {
                target->SetParameter(IPixel::PARAM_COPY_MODE, 0);
                target->SetParameter(IPixel::PARAM_BLEND_MODE, 1);
            },
            types_rect(0, 0, 7, 5), types_point(1, 1));
        for (size_t i = 0; i < sdl.size(); ++i)
            EXPECT_TRUE(Near(gl[i], sdl[i].a ? sdl[i] : CColor(0, 0, 0, 0), 2))
                << "blend, pixel " << i;
    }
    // Text drawn into a buffer, as the console does.
    CGfxFactorySDL sdl;
    std::vector<CColor> text[2];
    for (int i = 0; i < 2; ++i) {
        CGfxFactory* factory = i == 0 ? static_cast<CGfxFactory*>(&sdl) : Gfx::GetFactory();
        CGfxFactory* current = Gfx::GetFactory();
        Gfx::SetFactory(factory);
        {
            CFont font;
            CSystemFontLoader(&font, "");
            IPixel* target = factory->NewAlphaBuffer(120, 20);
            font.SetDrawAlpha(200);
            font.DrawString(target, "Fps: 60 gl", 3, 2);
            text[i] = factory->ReadColors(target);
            factory->FreeImage(target);
        }
        Gfx::SetFactory(current);
    }
    ASSERT_EQ(text[0].size(), text[1].size());
    int lit = 0;
    for (size_t i = 0; i < text[0].size(); ++i) {
        lit += text[0][i].a != 0;
        EXPECT_TRUE(Near(text[1][i], text[0][i].a ? text[0][i] : CColor(0, 0, 0, 0), 1))
            << "text, pixel " << i;
    }
    EXPECT_GT(lit, 40) << "no text was drawn";
}

}  // namespace
