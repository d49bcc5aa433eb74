#include <SDL.h>

#include <random>

#include "GfxTestSupport.h"
#include "ImageFixtures.h"
#include "vorn/gfx/ImageInfo.h"

using namespace vorn;
using namespace gfx_test;

namespace {

using CGfxFactorySDLTest = SdlVideoTest;

const CColor MAGENTA(255, 0, 255), BLUE(0, 0, 255), RED(255, 0, 0);

std::string Bytes(const unsigned char* data, size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}
const std::string PNG = Bytes(TINY_PNG, sizeof(TINY_PNG));
const std::string JPEG = Bytes(TINY_JPEG, sizeof(TINY_JPEG));

void PutLe32(std::string& bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}
void PutBe32(std::string& bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>((value >> (8 * (3 - i))) & 0xFF);
}
void PutBe16(std::string& bytes, size_t at, uint32_t value) {
    bytes[at] = static_cast<char>((value >> 8) & 0xFF);
    bytes[at + 1] = static_cast<char>(value & 0xFF);
}
// Offset of the first frame header (FF C0) of a JPEG.
size_t FrameHeader(const std::string& jpeg) {
    return jpeg.find("\xFF\xC0");
}

TEST_F(CGfxFactorySDLTest, AnImageLoadedTwiceIsLoadedOnceAndFreedWithItsLastSurface) {
    WriteBmp("two.bmp", 2, 1, [](int x, int) { return x == 0 ? MAGENTA : BLUE; });
    CTextureManagerSDL* manager = CTextureManagerSDL::GetSingleton();
    IPixel* first = Gfx::LoadImage("two.bmp");
    IPixel* second = Gfx::LoadImage("two.bmp");
    ASSERT_FALSE(first->IsNullSurface());
    EXPECT_EQ(manager->GetReferenceCount("two.bmp"), 2);
    EXPECT_EQ(dynamic_cast<CPixelSDL*>(first)->GetSurface(),
              dynamic_cast<CPixelSDL*>(second)->GetSurface());
    EXPECT_EQ(second->GetFilename(), "two.bmp");
    EXPECT_EQ(first->GetWidth(), 2);

    // The colour key (magenta by default) turned transparent in the load.
    EXPECT_EQ(first->GetPixel(0, 0).a, 0);
    EXPECT_TRUE(Near(first->GetPixel(1, 0), BLUE));

    // A reference shares the pixels and copies copy mode and source rectangle.
    first->SetParameter(IPixel::PARAM_COPY_MODE, 1);
    first->SetSourceRect(types_rect(1, 0, 1, 1));
    IPixel* reference = Gfx::NewBuffer(first);
    EXPECT_EQ(manager->GetReferenceCount("two.bmp"), 3);
    EXPECT_EQ(reference->GetSourceRect(), types_rect(1, 0, 1, 1));
    EXPECT_TRUE(dynamic_cast<CPixelSDL*>(reference)->GetCopyMode());

    Gfx::FreeImage(first);
    Gfx::FreeImage(reference);
    EXPECT_TRUE(manager->IsLoaded("two.bmp"));
    EXPECT_TRUE(Near(second->GetPixel(1, 0), BLUE)) << "the pixels outlive the other surfaces";
    Gfx::FreeImage(second);
    EXPECT_FALSE(manager->IsLoaded("two.bmp"));

    // With a different key the magenta pixel stays.
    CPixelFormat noKey;
    noKey.colorKey = CColor(1, 2, 3);
    SurfacePtr opaque(Gfx::LoadImage("two.bmp", noKey));
    EXPECT_TRUE(Near(opaque->GetPixel(0, 0), MAGENTA));
}

TEST_F(CGfxFactorySDLTest, PngAndJpegImagesLoadWithTheirPixels) {
    SurfacePtr png(Gfx::LoadImage(WriteBytes("tiny.png", PNG)));
    ASSERT_EQ(png->GetWidth(), 4);
    ASSERT_EQ(png->GetHeight(), 2);
    EXPECT_TRUE(Near(png->GetPixel(0, 0), RED));
    EXPECT_TRUE(Near(png->GetPixel(2, 0), BLUE));
    EXPECT_TRUE(Near(png->GetPixel(3, 0), CColor(255, 255, 255, 128)));
    EXPECT_EQ(png->GetPixel(0, 1).a, 0);
    EXPECT_EQ(png->GetPixel(2, 1).a, 0) << "magenta is the colour key in PNG files too";
    EXPECT_TRUE(Near(png->GetPixel(3, 1), CColor(255, 255, 0)));

    SurfacePtr jpeg(Gfx::LoadImage(WriteBytes("tiny.jpg", JPEG)));
    ASSERT_EQ(jpeg->GetWidth(), 16);
    ASSERT_EQ(jpeg->GetHeight(), 8);
    EXPECT_TRUE(Near(jpeg->GetPixel(2, 3), CColor(200, 40, 40), 8));
    EXPECT_TRUE(Near(jpeg->GetPixel(13, 4), CColor(40, 40, 200), 8));
}

TEST_F(CGfxFactorySDLTest, BadImageFilesYieldTheNullSurfaceWithTheLoadErrorLine) {
    std::string bmp = ReadBytes(WriteBmp("good.bmp", 8, 8, [](int, int) { return RED; }));
    std::string zeroWide = bmp, hugeBmp = bmp, noDepth = bmp;
    PutLe32(zeroWide, 18, 0);
    PutLe32(hugeBmp, 18, 20000);
    PutLe32(hugeBmp, 22, 20000);
    noDepth[28] = 0;
    std::string hugePng = PNG, zeroPng = PNG, badCrcPng = PNG;
    PutBe32(hugePng, 16, 20000);
    PutBe32(hugePng, 20, 20000);
    PutBe32(zeroPng, 16, 0);
    badCrcPng[PNG.find("IDAT") + 6] ^= 0x55;
    std::string hugeJpeg = JPEG, badPrecision = JPEG;
    PutBe16(hugeJpeg, FrameHeader(JPEG) + 5, 20000);
    PutBe16(hugeJpeg, FrameHeader(JPEG) + 7, 20000);
    badPrecision[FrameHeader(JPEG) + 4] = 3;
    std::string garbage(600, '\0');
    std::mt19937 random(7);
    for (char& c : garbage)
        c = static_cast<char>(random());

    const std::vector<std::pair<std::string, std::string>> files = {
        {"truncated.bmp", bmp.substr(0, 100)},
        {"zero-wide.bmp", zeroWide},
        {"huge.bmp", hugeBmp},
        {"no-depth.bmp", noDepth},
        {"garbage.bmp", "BM" + garbage},
        {"truncated.png", PNG.substr(0, 60)},
        {"huge.png", hugePng},
        {"zero.png", zeroPng},
        {"bad-crc.png", badCrcPng},
        {"garbage.png", PNG.substr(0, 8) + garbage},
        {"truncated.jpg", JPEG.substr(0, 400)},
        {"huge.jpg", hugeJpeg},
        {"bad-precision.jpg", badPrecision},
        {"garbage.jpg", "\xFF\xD8\xFF" + garbage},
        {"text.png", "not an image at all, just some words"},
        {"empty.bmp", ""},
    };
    for (const auto& file : files) {
        WriteBytes(file.first, file.second);
        CLogCapture log;
        IPixel* image = Gfx::LoadImage(file.first);
        EXPECT_TRUE(image->IsNullSurface()) << file.first;
        EXPECT_TRUE(log.Has("CGfxFactorySDL::LoadImage() - Couldn't load image file: " + file.first,
                            CLog::LEVEL_ERROR))
            << file.first << " logged:\n"
            << log.All();
        Gfx::FreeImage(image);
    }
    CLogCapture log;
    EXPECT_TRUE(Gfx::LoadImage("huge.png")->IsNullSurface());
    EXPECT_TRUE(log.Has("20000 x 20000")) << log.All();
    EXPECT_TRUE(Gfx::LoadImage("missing.bmp")->IsNullSurface());
    EXPECT_TRUE(log.Has("Couldn't load image file: missing.bmp", CLog::LEVEL_ERROR));
}

TEST_F(CGfxFactorySDLTest, BuffersAreMadeWithinTheSizeLimitsOnly) {
    SurfacePtr alpha(Gfx::NewBuffer(3, 2));
    EXPECT_TRUE(dynamic_cast<CPixelSDL*>(alpha.get())->GetCopyMode());
    EXPECT_EQ(dynamic_cast<CPixelSDL*>(alpha.get())->GetSurface()->format->BytesPerPixel, 4);
    SurfacePtr opaque(Gfx::NewOpaqueBuffer(3, 2));
    EXPECT_EQ(dynamic_cast<CPixelSDL*>(opaque.get())->GetSurface()->format->Amask, 0u);

    // An opaque buffer keys out magenta when blitted.
    opaque->PutPixel(0, 0, MAGENTA);
    opaque->PutPixel(1, 0, RED);
    SurfacePtr target(Gfx::NewOpaqueBuffer(3, 2));
    target->PutPixel(0, 0, BLUE);
    ASSERT_TRUE(opaque->BlitTo(target.get()));
    EXPECT_TRUE(Near(target->GetPixel(0, 0), BLUE));
    EXPECT_TRUE(Near(target->GetPixel(1, 0), RED));

    // A reference to a buffer is a copy of its pixels.
    SurfacePtr copy(Gfx::NewBuffer(opaque.get()));
    opaque->PutPixel(1, 0, BLUE);
    EXPECT_TRUE(Near(copy->GetPixel(1, 0), RED));

    CLogCapture log;
    for (auto size : {std::make_pair(0, 0), std::make_pair(-1, 5), std::make_pair(20000, 20000),
                      std::make_pair(8193, 1)}) {
        EXPECT_TRUE(Gfx::NewBuffer(size.first, size.second)->IsNullSurface());
        EXPECT_TRUE(Gfx::NewOpaqueBuffer(size.first, size.second)->IsNullSurface());
    }
    EXPECT_EQ(log.Count("refused to make a buffer", CLog::LEVEL_WARNING), 8);
    EXPECT_TRUE(Gfx::NewBuffer(Gfx::GetNullSurface())->IsNullSurface());
    EXPECT_TRUE(Gfx::NewBuffer(static_cast<IPixel*>(nullptr))->IsNullSurface());
}

TEST(ImageInfoTest, ReadsFormatAndSizeWithoutDecoding) {
    testing_support::CScopedTempDir dir;
    CImageInfo info;
    std::string problem;
    ASSERT_TRUE(ReadImageInfo(WriteBytes("a.png", PNG), info, problem)) << problem;
    EXPECT_EQ(info.format, CImageInfo::FORMAT_PNG);
    EXPECT_EQ(info.width, 4);
    EXPECT_EQ(info.height, 2);
    ASSERT_TRUE(ReadImageInfo(WriteBytes("a.jpg", JPEG), info, problem)) << problem;
    EXPECT_EQ(info.format, CImageInfo::FORMAT_JPEG);
    EXPECT_EQ(info.width, 16);
    EXPECT_EQ(info.height, 8);
    ASSERT_TRUE(ReadImageInfo(WriteBmp("a.bmp", 5, 3, [](int, int) { return RED; }), info, problem))
        << problem;
    EXPECT_EQ(info.format, CImageInfo::FORMAT_BMP);
    EXPECT_EQ(info.width, 5);
    EXPECT_EQ(info.height, 3);

    EXPECT_FALSE(
        ReadImageInfo(WriteBytes("cut.jpg", JPEG.substr(0, JPEG.size() - 2)), info, problem));
    EXPECT_NE(problem.find("no end marker"), std::string::npos) << problem;
    EXPECT_FALSE(
        ReadImageInfo(WriteBytes("cut.png", PNG.substr(0, PNG.size() - 12)), info, problem));
    EXPECT_NE(problem.find("IEND"), std::string::npos) << problem;
    EXPECT_FALSE(ReadImageInfo("nothing-here.bmp", info, problem));
}

}  // namespace
