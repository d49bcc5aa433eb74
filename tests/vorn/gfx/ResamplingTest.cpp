#include "vorn/gfx/Resampling.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "GfxTestSupport.h"

using namespace vorn;
using namespace vorn::resampling;

namespace {

uint32_t Pack(const CColor& c) {
    return c.ToARGB();
}
CColor Unpack(uint32_t argb) {
    return CColor::FromARGB(argb);
}

// The reference: bilinear sampling in floating point, each colour weighed by
// its alpha, transparent outside the image (what the resampler computes
// with fixed-point numbers). Returns straight colours.
CColor ReferenceRotated(const CImage& straight, double degrees, int x, int y, int w, int h) {
    const double radians = std::fmod(degrees, 360.0) * 3.14159265358979323846 / 180.0;
    const double c = std::cos(radians), s = std::sin(radians);
    const int sw = straight.width, sh = straight.height;
    const double dx = x + 0.5 - w / 2.0, dy = y + 0.5 - h / 2.0;
    const double fx = dx * c - dy * s + sw / 2.0 - 0.5;
    const double fy = dx * s + dy * c + sh / 2.0 - 0.5;
    const int x0 = int(std::floor(fx)), y0 = int(std::floor(fy));
    const double tx = fx - x0, ty = fy - y0;
    double r = 0, g = 0, b = 0, a = 0;
    auto add = [&](int u, int v, double weight) {
        if (u < 0 || v < 0 || u >= sw || v >= sh) return;
        const CColor p = Unpack(straight.pixels[size_t(v) * sw + u]);
        const double aw = p.a * weight;
        r += p.r * aw;
        g += p.g * aw;
        b += p.b * aw;
        a += aw;
    };
    add(x0, y0, (1 - tx) * (1 - ty));
    add(x0 + 1, y0, tx * (1 - ty));
    add(x0, y0 + 1, (1 - tx) * ty);
    add(x0 + 1, y0 + 1, tx * ty);
    if (a <= 0) return CColor(0, 0, 0, 0);
    auto channel = [](double v) { return uint8_t(std::lround(std::min(255.0, v))); };
    return CColor(channel(r / a), channel(g / a), channel(b / a), channel(a));
}

// A blob of soft-edged colour stripes on transparent ground.
CImage Blob(int w, int h, uint32_t seed) {
    std::mt19937 random(seed);
    CImage image;
    image.width = w;
    image.height = h;
    image.pixels.resize(size_t(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const double dx = (x + 0.5 - w / 2.0) / (w / 2.0), dy = (y + 0.5 - h / 2.0) / (h / 2.0);
            const double d = dx * dx + dy * dy;
            const uint8_t alpha = d >= 1.0 ? 0 : d < 0.6 ? 255 : uint8_t(255 * (1.0 - d) / 0.4);
            image.pixels[size_t(y) * w + x] =
                alpha ? Pack(CColor(uint8_t(random()), uint8_t(x * 7), 200, alpha)) : 0;
        }
    return image;
}

CImage Premultiplied(CImage image) {
    for (uint32_t& p : image.pixels)
        p = Premultiply(p);
    return image;
}

// Straight colours differ by what shows on screen: the colour difference
// weighed by alpha, and the alpha difference.
int ShownDifference(const CColor& a, const CColor& b) {
    const int alpha = std::abs(a.a - b.a);
    int colour = 0;
    for (auto [x, y] : {std::pair<int, int>{a.r, b.r}, {a.g, b.g}, {a.b, b.b}})
        colour = std::max(colour, std::abs(x - y) * std::min(a.a, b.a) / 255);
    return std::max(alpha, colour);
}

TEST(ResamplingTest, PremultiplyingRoundsExactlyAndOpaqueColoursSurviveTheRoundTrip) {
    EXPECT_EQ(Premultiply(0x80FF4020u), 0x80802010u);
    EXPECT_EQ(Premultiply(0x00FFFFFFu), 0u) << "fully transparent is transparent black";
    EXPECT_EQ(Premultiply(0xFF123456u), 0xFF123456u);
    for (uint32_t c = 0; c < 256; c += 5)
        EXPECT_EQ(Unpremultiply(Premultiply(0xFF000000u | c << 16 | c)), 0xFF000000u | c << 16 | c);
    // Half transparent colours come back within a level.
    const CColor back = Unpack(Unpremultiply(Premultiply(Pack(CColor(201, 99, 3, 128)))));
    EXPECT_TRUE(gfx_test::Near(back, CColor(201, 99, 3, 128), 1)) << back;

    // A row premultiplied in steps of several pixels gives each pixel what
    // Premultiply gives: every alpha, opaque runs, a length that leaves an end.
    std::vector<uint32_t> row;
    std::mt19937 random(11);
    for (uint32_t a = 0; a < 256; ++a)
        row.push_back(a << 24 | (uint32_t(random()) & 0xFFFFFFu));
    for (int i = 0; i < 9; ++i)
        row.push_back(0xFF000000u | (uint32_t(random()) & 0xFFFFFFu));
    std::vector<uint32_t> out(row.size(), 1);
    PremultiplyRow(row.data(), out.data(), row.size());
    for (size_t i = 0; i < row.size(); ++i)
        ASSERT_EQ(out[i], Premultiply(row[i])) << "pixel " << i << " " << std::hex << row[i];
    PremultiplyRow(row.data(), row.data(), row.size());
    EXPECT_EQ(row, out) << "in place";
}

TEST(ResamplingTest, TurnedImagesMatchAlphaWeightedSamplingWithoutDarkEdges) {
    const CImage blob = Blob(37, 24, 7);
    const CImage premultiplied = Premultiplied(blob);
    for (double degrees : {3.0, 30.0, 45.0, 100.5, 217.0, 333.3, -61.0}) {
        const CImage turned = Rotate(premultiplied, degrees);
        int w = 0, h = 0;
        RotatedSize(blob.width, blob.height, degrees, w, h);
        ASSERT_EQ(turned.width, w);
        ASSERT_EQ(turned.height, h);
        int worst = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const CColor got = Unpack(Unpremultiply(turned.pixels[size_t(y) * w + x]));
                worst = std::max(worst,
                                 ShownDifference(got, ReferenceRotated(blob, degrees, x, y, w, h)));
            }
        EXPECT_LE(worst, 3) << "at " << degrees << " degrees";
    }

    // One colour with soft edges keeps its colour to the very edge.
    CImage plain = Blob(40, 40, 1);
    for (uint32_t& p : plain.pixels)
        if (p) p = (p & 0xFF000000u) | 0x00C87828u;
    const CImage turned = Rotate(Premultiplied(plain), 37.0);
    int darkest = 0;
    for (uint32_t p : turned.pixels) {
        const CColor c = Unpack(Unpremultiply(p));
        if (c.a == 0) continue;
        darkest = std::max(darkest, (0xC8 - c.r) * c.a / 255);
    }
    EXPECT_LE(darkest, 1) << "transparent neighbours lend no black to the edge";
}

TEST(ResamplingTest, TurningIntoStraightPixelsUnpremultipliesEachSampleExactly) {
    // Straight 0xAARRGGBB targets (SDL surfaces) are made straight inside the
    // sampling; the result is exactly the premultiplied turn un-premultiplied.
    // Random colours and alphas: every alpha meets the arithmetic.
    std::mt19937 random(5);
    CImage noisy;
    noisy.width = 23;
    noisy.height = 17;
    for (int i = 0; i < noisy.width * noisy.height; ++i)
        noisy.pixels.push_back(uint32_t(random()));
    for (const CImage& straight : {Blob(37, 24, 3), noisy}) {
        const CImage premultiplied = Premultiplied(straight);
        for (double degrees : {7.0, 45.0, 123.4, -200.0}) {
            const CImage expected = Rotate(premultiplied, degrees);
            std::vector<uint32_t> pixels(expected.pixels.size(), 0);
            CTarget target;
            target.pixels = pixels.data();
            target.pitch = size_t(expected.width);
            RotateInto(premultiplied, degrees, target);
            for (size_t i = 0; i < pixels.size(); ++i)
                ASSERT_EQ(pixels[i], Unpremultiply(expected.pixels[i]))
                    << "pixel " << i << " at " << degrees << " degrees";
        }
    }
}

TEST(ResamplingTest, RightAnglesMoveThePixelsExactly) {
    const CImage blob = Blob(5, 3, 2);  // straight colours, partly transparent
    EXPECT_EQ(QuarterTurns(90.0), 1);
    EXPECT_EQ(QuarterTurns(-90.0), 3);
    EXPECT_EQ(QuarterTurns(540.0), 2);
    EXPECT_EQ(QuarterTurns(90.5), -1);
    const CImage quarter = Rotate(blob, 90.0);
    const CImage half = Rotate(blob, 180.0);
    const CImage threeQuarters = Rotate(blob, 270.0);
    ASSERT_EQ(quarter.width, 3);
    ASSERT_EQ(quarter.height, 5);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) {
            const uint32_t p = blob.pixels[size_t(y) * 5 + x];
            EXPECT_EQ(quarter.pixels[size_t(4 - x) * 3 + y], p) << x << "," << y;
            EXPECT_EQ(half.pixels[size_t(2 - y) * 5 + (4 - x)], p);
            EXPECT_EQ(threeQuarters.pixels[size_t(x) * 3 + (2 - y)], p);
        }
    EXPECT_EQ(Rotate(blob, 360.0).pixels, blob.pixels);
    EXPECT_TRUE(Rotate(blob, std::nan("")).pixels.empty());
}

TEST(ResamplingTest, ScalingBlendsNeighboursAndAveragesWhenShrinkingBelowHalf) {
    // Two opaque pixels, red and blue: stretched, the ends keep their colour
    // and the middle mixes them.
    CImage pair;
    pair.width = 2;
    pair.height = 1;
    pair.pixels = {0xFFFF0000u, 0xFF0000FFu};
    const CImage wide = Scale(pair, 8, 1);
    EXPECT_EQ(wide.pixels.front(), 0xFFFF0000u);
    EXPECT_EQ(wide.pixels.back(), 0xFF0000FFu);
    const CColor middle = Unpack(wide.pixels[4]);
    EXPECT_NEAR(middle.r, 96, 2);
    EXPECT_NEAR(middle.b, 159, 2);
    // Next to a transparent pixel an opaque one keeps its colour.
    pair.pixels = {0xFF00FF00u, 0};
    const CColor edge = Unpack(Unpremultiply(Scale(pair, 8, 1).pixels[4]));
    EXPECT_EQ(edge.g, 255);
    EXPECT_EQ(edge.r, 0);
    EXPECT_GT(edge.a, 0);
    EXPECT_LT(edge.a, 255);

    // Shrinking a 10-pixel row of 5 red and 5 blue to 2 averages each half.
    CImage row;
    row.width = 10;
    row.height = 1;
    for (int i = 0; i < 10; ++i)
        row.pixels.push_back(i < 5 ? 0xFFFF0000u : 0xFF0000FFu);
    const CImage two = Scale(row, 2, 1);
    EXPECT_EQ(two.pixels, (std::vector<uint32_t>{0xFFFF0000u, 0xFF0000FFu}));
    EXPECT_TRUE(Scale(row, 0, 1).pixels.empty());

    // Into another channel layout (red in the low byte), straight colours.
    std::vector<uint32_t> target(2 * 1, 0);
    CTarget abgr;
    abgr.pixels = target.data();
    abgr.pitch = 2;
    abgr.layout.r = 0;
    abgr.layout.b = 16;
    ScaleInto(Premultiplied(row), 2, 1, abgr);
    EXPECT_EQ(target, (std::vector<uint32_t>{0xFF0000FFu, 0xFFFF0000u}));
}

}  // namespace
