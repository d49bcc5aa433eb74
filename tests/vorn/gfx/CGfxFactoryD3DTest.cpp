// The accelerated back end's factory: loading, sharing, buffers, failures.
#include <fstream>
#include <memory>

#include "../tasks/GlTaskFixture.h"
#include "GfxTestSupport.h"
#include "vorn/gfx/CGfxFactoryD3D.h"
#include "vorn/gfx/CGfxFactorySDL.h"
#include "vorn/gfx/CPixelD3D.h"

using namespace vorn;
using namespace gl_task_test;
using gfx_test::Near;
using testing_support::CLogCapture;

namespace {

class CGfxFactoryD3DTest : public GlTaskTest {
protected:
    void SetUp() override {
        GlTaskTest::SetUp();
        if (IsSkipped()) return;
        StartBackEnd("d3d", 64, 64);
    }
};

// A whole 24-bit BMP claiming width x 1 pixels.
void WriteWideBmp(const std::string& name, int width) {
    const int row = (width * 3 + 3) & ~3;
    std::string bytes(54 + size_t(row), '\0');
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            bytes[at + i] = char((v >> (8 * i)) & 0xFF);
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(2, uint32_t(bytes.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, uint32_t(width));
    put32(22, 1);
    bytes[26] = 1;
    bytes[28] = 24;
    put32(34, uint32_t(row));
    gfx_test::WriteBytes(name, bytes);
}

TEST_F(CGfxFactoryD3DTest, BadImagesAndHugeBuffersGiveTheNullSurfaceWithTheirLine) {
    CLogCapture log;
    EXPECT_TRUE(Gfx::LoadImage("missing.png")->IsNullSurface());
    EXPECT_TRUE(
        log.Has("Couldn't load image (missing.png), because D3DXGetImageInfoFromFile "
                "failed.\n",
                CLog::LEVEL_ERROR));
    gfx_test::WriteBytes("bad.png", "\x89PNG\r\n\x1a\n but then nothing of an image");
    EXPECT_TRUE(Gfx::LoadImage("bad.png")->IsNullSurface());
    EXPECT_TRUE(log.Has("Couldn't load image (bad.png), because D3DXGetImageInfoFromFile failed."));
    // A whole file of a size no surface may have.
    WriteWideBmp("wide.bmp", 9000);
    EXPECT_TRUE(Gfx::LoadImage("wide.bmp")->IsNullSurface());
    EXPECT_TRUE(
        log.Has("Couldn't load image (wide.bmp), because D3DXCreateTextureFromFileEx failed."));
    EXPECT_TRUE(log.Has("9000 x 1 pixels"));

    for (auto size :
         {std::make_pair(100000, 100000), std::make_pair(0, 5), std::make_pair(9000, 2)}) {
        log.Clear();
        EXPECT_TRUE(Gfx::NewBuffer(size.first, size.second)->IsNullSurface());
        EXPECT_TRUE(log.Has("D3D_NewBuffer() - Couldn't create new buffer (" +
                            std::to_string(size.first) + ", " + std::to_string(size.second) +
                            "), because D3DXCreateTexture failed.\n"))
            << log.All();
    }
    EXPECT_EQ(CTextureManagerD3D::GetSingleton()->GetRecordCount(), 0u);
    EXPECT_EQ(CD3DTexture::GetAll().size(), 0u);

    // A sprite of a failed image draws nothing and frames go on.
    auto sprite = std::make_unique<CSprite>(Gfx::LoadImage("missing.png"));
    sprite->SetLayer(CScreenLayer::GetSingleton());
    Passes(3);
    sprite.reset();

    // Without a device nothing can be made, and says so.
    Run("stoptask(gfx)");
    CGfxFactoryD3D factory;
    log.Clear();
    EXPECT_TRUE(factory.LoadImage("any.png", CPixelFormat())->IsNullSurface());
    EXPECT_TRUE(
        log.Has("Couldn't load image (any.png), because Direct3D device wasn't initialized.\n"));
    EXPECT_TRUE(factory.NewAlphaBuffer(4, 4)->IsNullSurface());
    EXPECT_TRUE(log.Has("D3D_NewBuffer() - Couldn't create new buffer (4, 4)"));
}

TEST_F(CGfxFactoryD3DTest, FilesAreSharedThroughTheRegistryAndDecodedAsUnderSdl) {
    // Magenta is the colour key: those pixels turn transparent.
    gfx_test::WriteBmp("keyed.bmp", 8, 4, [](int x, int y) {
        return x == y ? CColor(255, 0, 255) : CColor(uint8_t(30 * x), uint8_t(60 * y), 7);
    });
    CTextureManagerD3D* registry = CTextureManagerD3D::GetSingleton();
    IPixel* first = Gfx::LoadImage("keyed.bmp");
    IPixel* second = Gfx::LoadImage("keyed.bmp");
    ASSERT_EQ(first->GetWidth(), 8);
    EXPECT_EQ(first->GetPixelType(), IPixel::PIXEL_D3D);
    EXPECT_EQ(first->GetFilename(), "keyed.bmp");
    EXPECT_EQ(registry->GetRecordCount(), 1u);
    EXPECT_EQ(registry->GetReferenceCount("keyed.bmp"), 2);
    EXPECT_EQ(dynamic_cast<CPixelD3D*>(first)->GetTexture(),
              dynamic_cast<CPixelD3D*>(second)->GetTexture());
    IPixel* reference = Gfx::NewBuffer(second);
    EXPECT_EQ(registry->GetReferenceCount("keyed.bmp"), 3);

    // The same pixels as the SDL back end decodes.
    CGfxFactorySDL sdl;
    IPixel* expected = sdl.LoadImage("keyed.bmp", CPixelFormat());
    const std::vector<CColor> colors = Gfx::ReadColors(first);
    ASSERT_EQ(colors.size(), 32u);
    for (int i = 0; i < 32; ++i)
        EXPECT_TRUE(Near(colors[i], expected->GetPixel(i % 8, i / 8))) << "pixel " << i;
    EXPECT_EQ(colors[9].a, 0) << "the colour key is transparent";
    sdl.FreeImage(expected);

    Gfx::FreeImage(first);
    Gfx::FreeImage(reference);
    EXPECT_EQ(registry->GetReferenceCount("keyed.bmp"), 1);
    Gfx::FreeImage(second);
    EXPECT_EQ(registry->GetRecordCount(), 0u);
    EXPECT_EQ(CD3DTexture::GetAll().size(), 0u);

    CLogCapture log;
    EXPECT_FALSE(registry->UnloadFile("keyed.bmp"));
    EXPECT_TRUE(
        log.Has("CTextureManager::UnloadFile() - trying to unload a file that doesn't "
                "exist: keyed.bmp"));
}

TEST_F(CGfxFactoryD3DTest, BuffersHoldTheirColoursAndReferencesToBuffersAreCopies) {
    std::vector<CColor> colors;
    for (int i = 0; i < 6 * 5; ++i)
        colors.push_back(CColor(uint8_t(40 * (i % 6)), uint8_t(50 * (i / 6)), 200,
                                i % 7 == 0 ? 0 : (i % 2 ? 255 : 180)));
    IPixel* buffer = Gfx::NewBuffer(6, 5, colors);
    ASSERT_EQ(buffer->GetWidth(), 6);
    std::vector<CColor> read = Gfx::ReadColors(buffer);
    ASSERT_EQ(read.size(), colors.size());
    for (size_t i = 0; i < colors.size(); ++i) {
        // Transparent pixels keep no colour; others within a level.
        const CColor want = colors[i].a == 0 ? CColor(0, 0, 0, 0) : colors[i];
        EXPECT_TRUE(Near(read[i], want, 1)) << "pixel " << i;
    }

    // A reference to a buffer is a copy: cleaning the original leaves it.
    IPixel* copy = Gfx::NewBuffer(buffer);
    ASSERT_FALSE(copy->IsNullSurface());
    buffer->SetParameter(IPixel::PARAM_CLEAR_COLOR, CColor(1, 2, 3, 255).ToARGB());
    buffer->Clean(types_rect(0, 0, 6, 5));
    EXPECT_EQ(Gfx::ReadColors(buffer)[0], CColor(1, 2, 3, 255));
    EXPECT_EQ(Gfx::ReadColors(copy), read);

    // An opaque buffer starts black and stays opaque whatever it is cleaned with.
    IPixel* opaque = Gfx::NewOpaqueBuffer(3, 3);
    EXPECT_EQ(Gfx::ReadColors(opaque)[4], CColor(0, 0, 0, 255));
    opaque->SetParameter(IPixel::PARAM_CLEAR_COLOR, CColor(90, 80, 70, 10).ToARGB());
    opaque->Clean(types_rect(1, 1, 5, 5));
    EXPECT_EQ(Gfx::ReadColors(opaque)[4], CColor(90, 80, 70, 255));
    EXPECT_EQ(Gfx::ReadColors(opaque)[0], CColor(0, 0, 0, 255));

    // A wrong number of colours makes nothing.
    CLogCapture log;
    EXPECT_TRUE(Gfx::NewBuffer(2, 2, colors)->IsNullSurface());
    EXPECT_TRUE(log.Has("do not make a buffer of 2 x 2"));
    for (IPixel* surface : {buffer, copy, opaque})
        Gfx::FreeImage(surface);
}

}  // namespace
