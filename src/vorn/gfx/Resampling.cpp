#include "vorn/gfx/Resampling.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <type_traits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vorn::resampling {

namespace {

constexpr double PI = 3.14159265358979323846;
constexpr uint32_t LOW_LANES = 0x00FF00FF;  // blue and red
constexpr uint32_t HIGH_LANES = 0xFF00FF00;
constexpr uint32_t LANE_HALF = 0x00800080;  // rounding in both lanes

// a + (b - a) * u / 256 in all four channels at once, two per operation; u
// in 0..256. No lane can overflow: 255 * 256 + 128 < 65536.
inline uint32_t Lerp(uint32_t a, uint32_t b, uint32_t u) {
    const uint32_t v = 256 - u;
    const uint32_t low = (((a & LOW_LANES) * v + (b & LOW_LANES) * u + LANE_HALF) >> 8) & LOW_LANES;
    const uint32_t high =
        (((a >> 8) & LOW_LANES) * v + ((b >> 8) & LOW_LANES) * u + LANE_HALF) & HIGH_LANES;
    return low | high;
}

// Between four neighbours p00 p01 (upper row) and p10 p11, weights ux and uy
// in 0..256 (columns blended first, then the two results).
inline uint32_t Bilinear(uint32_t p00, uint32_t p01, uint32_t p10, uint32_t p11, uint32_t ux,
                         uint32_t uy) {
    // Inside a flat area all four agree: nothing to blend.
    if (p00 == p01 && p00 == p10 && p00 == p11) return p00;
    return Lerp(Lerp(p00, p10, uy), Lerp(p01, p11, uy), ux);
}

// Bilinear for the four pixels at p and p + pitch: the same arithmetic, with
// all eight channels of two pixels in one register where SSE2 is there. With
// STRAIGHT the result is un-premultiplied as Unpremultiply does it, while its
// channels are still in the register.
template <bool STRAIGHT = false>
inline uint32_t BilinearAt(const uint32_t* p, size_t pitch, uint32_t ux, uint32_t uy) {
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i half = _mm_set1_epi16(128);
    const __m128i top =
        _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p)), zero);
    const __m128i bottom =
        _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p + pitch)), zero);
    // Down the two columns: top * (256 - uy) + bottom * uy, at most 255 * 256.
    __m128i columns = _mm_add_epi16(_mm_mullo_epi16(top, _mm_set1_epi16(short(256 - uy))),
                                    _mm_mullo_epi16(bottom, _mm_set1_epi16(short(uy))));
    columns = _mm_srli_epi16(_mm_add_epi16(columns, half), 8);
    // Across: the left column by 256 - ux, the right one by ux.
    const __m128i weights =
        _mm_unpacklo_epi64(_mm_set1_epi16(short(256 - ux)), _mm_set1_epi16(short(ux)));
    __m128i blended = _mm_mullo_epi16(columns, weights);
    blended = _mm_add_epi16(blended, _mm_srli_si128(blended, 8));
    blended = _mm_srli_epi16(_mm_add_epi16(blended, half), 8);
    if constexpr (STRAIGHT) {
        // Lanes 0..3 hold blue, green, red, alpha. Each colour c becomes
        // (c * k + 0x8000) >> 16 with k = RECIPROCALS[alpha] split in 16-bit
        // halves: c * high + the rounded top half of c * low, at most 65281,
        // then held to 255.
        const int alpha = _mm_extract_epi16(blended, 3);
        if (alpha != 255 && alpha != 0) {
            const uint32_t k = detail::RECIPROCALS[size_t(alpha)];
            const __m128i low = _mm_set1_epi16(short(k & 0xFFFF));
            const __m128i part = _mm_mullo_epi16(blended, low);
            __m128i straight =
                _mm_add_epi16(_mm_mullo_epi16(blended, _mm_set1_epi16(short(k >> 16))),
                              _mm_mulhi_epu16(blended, low));
            straight = _mm_add_epi16(straight, _mm_srli_epi16(part, 15));
            const __m128i cap = _mm_set1_epi16(short(0xFF00));
            straight = _mm_subs_epu16(_mm_adds_epu16(straight, cap), cap);
            blended = _mm_insert_epi16(straight, alpha, 3);
        }
    }
    return uint32_t(_mm_cvtsi128_si32(_mm_packus_epi16(blended, blended)));
#else
    const uint32_t sample = Bilinear(p[0], p[1], p[pitch], p[pitch + 1], ux, uy);
    if constexpr (STRAIGHT) return Unpremultiply(sample);
    return sample;
#endif
}

// How a premultiplied result is written: kept premultiplied, made straight
// in the 0xAARRGGBB layout, or made straight in another layout.
struct CStorePremultiplied {
    uint32_t operator()(uint32_t p) const { return p; }
};
struct CStoreArgb {
    uint32_t operator()(uint32_t p) const { return p >= 0xFF000000u ? p : Unpremultiply(p); }
};
struct CStoreLayout {
    CLayout layout;
    uint32_t operator()(uint32_t p) const { return ToLayout(Unpremultiply(p), layout); }
};

// Calls body with the store that suits target.
template <class Body>
void WithStore(const CTarget& target, Body body) {
    if (target.premultiplied && target.layout.IsArgb()) {
        body(CStorePremultiplied());
    } else if (target.layout.IsArgb()) {
        body(CStoreArgb());
    } else if (target.premultiplied) {
        const CLayout layout = target.layout;
        body([layout](uint32_t p) { return ToLayout(p, layout); });
    } else {
        body(CStoreLayout{target.layout});
    }
}

// Cosine and sine of an angle in degrees, exact at right angles.
void CosSin(double degrees, double& c, double& s) {
    const double radians = std::fmod(degrees, 360.0) * PI / 180.0;
    c = std::cos(radians);
    s = std::sin(radians);
    if (std::fabs(c) < 1e-9) c = 0.0;
    if (std::fabs(s) < 1e-9) s = 0.0;
}

bool Valid(const CImage& image) {
    return image.width > 0 && image.height > 0 &&
           image.pixels.size() >= size_t(image.width) * image.height;
}

// Narrows [first, last) to the x for which lo <= start + x * step < hi could
// hold, with a pixel or two to spare on each side (the caller trims the
// ends exactly); inverse is 1 / step. Called for every row: multiplies and
// truncations only.
void NarrowSpan(double start, double step, double inverse, double lo, double hi, int& first,
                int& last) {
    if (step == 0.0) {
        if (start < lo - 1.0 || start >= hi + 1.0) last = first;
        return;
    }
    double a = (lo - start) * inverse, b = (hi - start) * inverse;
    if (a > b) std::swap(a, b);
    // Clamped to the span, the casts cannot overflow; truncation is at most
    // one off the floor or ceiling, covered by the spare pixels.
    const double low = first - 2.0, high = last + 2.0;
    first = std::max(first, int(std::clamp(a, low, high)) - 2);
    last = std::min(last, int(std::clamp(b, low, high)) + 2);
}

template <class Store>
void ShrinkByAveraging(const CImage& source, int w, int h, const CTarget& target, Store store) {
    const int sw = source.width, sh = source.height;
    const float scaleX = float(sw) / w, scaleY = float(sh) / h;
    for (int y = 0; y < h; ++y) {
        const int y0 = int(y * scaleY);
        const int y1 = std::max(y0 + 1, std::min(sh, int(std::ceil((y + 1) * scaleY))));
        uint32_t* to = target.pixels + size_t(y) * target.pitch;
        for (int x = 0; x < w; ++x) {
            const int x0 = int(x * scaleX);
            const int x1 = std::max(x0 + 1, std::min(sw, int(std::ceil((x + 1) * scaleX))));
            uint64_t a = 0, r = 0, g = 0, b = 0;
            for (int v = y0; v < y1; ++v) {
                const uint32_t* row = &source.pixels[size_t(v) * sw];
                for (int u = x0; u < x1; ++u) {
                    const uint32_t p = row[u];
                    a += p >> 24;
                    r += (p >> 16) & 0xFF;
                    g += (p >> 8) & 0xFF;
                    b += p & 0xFF;
                }
            }
            const uint64_t n = uint64_t(x1 - x0) * uint64_t(y1 - y0);
            auto mean = [n](uint64_t sum) { return uint32_t((sum + n / 2) / n); };
            to[x] = store((mean(a) << 24) | (mean(r) << 16) | (mean(g) << 8) | mean(b));
        }
    }
}

// Where each new pixel's centre falls between two old ones: the lower index,
// the next (clamped to the edge) and the weight of the next in 0..256.
struct CTap {
    int first;
    int second;
    uint32_t weight;
};

std::vector<CTap> Taps(int from, int to) {
    std::vector<CTap> taps(static_cast<size_t>(to));
    const double scale = double(from) / to;
    for (int i = 0; i < to; ++i) {
        const double f = std::min(std::max((i + 0.5) * scale - 0.5, 0.0), from - 1.0);
        const int first = int(f);
        taps[size_t(i)] =
            CTap{first, std::min(first + 1, from - 1), uint32_t(std::lround((f - first) * 256.0))};
    }
    return taps;
}

template <class Store>
void ScaleBilinear(const CImage& source, int w, int h, const CTarget& target, Store store) {
    const int sw = source.width;
    const std::vector<CTap> columns = Taps(sw, w);
    const std::vector<CTap> rows = Taps(source.height, h);
    for (int y = 0; y < h; ++y) {
        const CTap& row = rows[size_t(y)];
        const uint32_t* top = &source.pixels[size_t(row.first) * sw];
        const uint32_t* bottom = &source.pixels[size_t(row.second) * sw];
        uint32_t* to = target.pixels + size_t(y) * target.pitch;
        for (int x = 0; x < w; ++x) {
            const CTap& column = columns[size_t(x)];
            to[x] = store(Bilinear(top[column.first], top[column.second], bottom[column.first],
                                   bottom[column.second], column.weight, row.weight));
        }
    }
}

// padded is the source inside a transparent border of one pixel: every
// sample may read its four neighbours without bounds checks.
template <class Store>
void RotateRows(const CImage& padded, double c, double s, int w, int h, const CTarget& target,
                Store store) {
    const int pw = padded.width;
    const int sw = padded.width - 2, sh = padded.height - 2;
    const uint32_t* pixels = padded.pixels.data();

    constexpr double ONE = 65536.0;  // 16.16 fixed point
    const int64_t stepX = std::llround(c * ONE), stepY = std::llround(s * ONE);
    const double inverseC = c != 0.0 ? 1.0 / c : 0.0, inverseS = s != 0.0 ? 1.0 / s : 0.0;
    const bool clear = !target.cleared;
    for (int y = 0; y < h; ++y) {
        uint32_t* to = target.pixels + size_t(y) * target.pitch;
        // Where this row's pixel centres come from (turned back by the
        // angle), in padded coordinates: start + x * (c, s).
        const double dy = y + 0.5 - h / 2.0;
        const double dx0 = 0.5 - w / 2.0;
        const double startX = dx0 * c - dy * s + sw / 2.0 + 0.5;
        const double startY = dx0 * s + dy * c + sh / 2.0 + 0.5;
        int first = 0, last = w;
        NarrowSpan(startX, c, inverseC, 0.0, sw + 1.0, first, last);
        NarrowSpan(startY, s, inverseS, 0.0, sh + 1.0, first, last);
        if (first >= last) {
            if (clear) std::fill(to, to + w, 0u);
            continue;
        }
        int64_t fx = std::llround((startX + first * c) * ONE);
        int64_t fy = std::llround((startY + first * s) * ONE);
        // The samples inside the padded image form one run (the positions
        // are linear in x): trim the spare pixels off both ends, and the
        // loop needs no checks.
        auto inside = [&](int x) {
            const int64_t ix = (fx + (x - first) * stepX) >> 16;
            const int64_t iy = (fy + (x - first) * stepY) >> 16;
            return uint64_t(ix) <= uint64_t(sw) && uint64_t(iy) <= uint64_t(sh);
        };
        int begin = first;
        while (begin < last && !inside(begin))
            ++begin;
        while (last > begin && !inside(last - 1))
            --last;
        fx += (begin - first) * stepX;
        fy += (begin - first) * stepY;
        if (clear) {
            std::fill(to, to + begin, 0u);
            std::fill(to + last, to + w, 0u);
        }
        // Every store gives 0 for 0: transparent samples are written as 0.
        for (int x = begin; x < last; ++x, fx += stepX, fy += stepY) {
            const int64_t ix = fx >> 16, iy = fy >> 16;
            const uint32_t* p = pixels + size_t(iy) * pw + size_t(ix);
            // Inside a flat area (or outside the image) all four neighbours
            // agree: nothing to blend.
            const uint32_t p00 = p[0];
            if (p00 == p[1] && p00 == p[pw] && p00 == p[pw + 1]) {
                to[x] = p00 ? store(p00) : 0u;
                continue;
            }
            const uint32_t ux = uint32_t(fx >> 8) & 0xFF, uy = uint32_t(fy >> 8) & 0xFF;
            if constexpr (std::is_same_v<Store, CStoreArgb>) {
                // Made straight on the way (0 stays 0).
                to[x] = BilinearAt<true>(p, size_t(pw), ux, uy);
            } else {
                to[x] = store(BilinearAt(p, size_t(pw), ux, uy));
            }
        }
    }
}

CImage NewImage(int w, int h) {
    CImage image;
    image.width = w;
    image.height = h;
    image.pixels.assign(size_t(w) * h, 0);
    return image;
}

CTarget TargetOf(CImage& image) {
    CTarget target;
    target.pixels = image.pixels.data();
    target.pitch = size_t(image.width);
    target.premultiplied = true;
    return target;
}

}  // namespace

void CopyInto(const CImage& source, const CTarget& target) {
    if (!Valid(source) || !target.pixels) return;
    for (int y = 0; y < source.height; ++y) {
        const uint32_t* from = &source.pixels[size_t(y) * source.width];
        uint32_t* to = target.pixels + size_t(y) * target.pitch;
        if (target.layout.IsArgb()) {
            std::memcpy(to, from, size_t(source.width) * 4);
        } else {
            for (int x = 0; x < source.width; ++x)
                to[x] = ToLayout(from[x], target.layout);
        }
    }
}

void ScaleInto(const CImage& source, int w, int h, const CTarget& target) {
    if (w < 1 || h < 1 || !Valid(source) || !target.pixels) return;
    const int sw = source.width, sh = source.height;
    WithStore(target, [&](auto store) {
        if (w == sw && h == sh) {
            for (int y = 0; y < h; ++y) {
                const uint32_t* from = &source.pixels[size_t(y) * sw];
                uint32_t* to = target.pixels + size_t(y) * target.pitch;
                for (int x = 0; x < w; ++x)
                    to[x] = store(from[x]);
            }
        } else if (float(sw) / w > 2.0f || float(sh) / h > 2.0f) {
            ShrinkByAveraging(source, w, h, target, store);
        } else {
            ScaleBilinear(source, w, h, target, store);
        }
    });
}

CImage Scale(const CImage& source, int w, int h) {
    if (w < 1 || h < 1 || !Valid(source)) return CImage();
    CImage out = NewImage(w, h);
    ScaleInto(source, w, h, TargetOf(out));
    return out;
}

void RotatedSize(int w, int h, double degrees, int& rotatedW, int& rotatedH) {
    double c, s;
    CosSin(degrees, c, s);
    rotatedW = int(std::ceil(std::fabs(w * c) + std::fabs(h * s) - 1e-6));
    rotatedH = int(std::ceil(std::fabs(w * s) + std::fabs(h * c) - 1e-6));
}

int QuarterTurns(double degrees) {
    if (!std::isfinite(degrees)) return -1;
    double c, s;
    CosSin(degrees, c, s);
    if (s == 0.0) return c > 0.0 ? 0 : 2;
    if (c == 0.0) return s > 0.0 ? 1 : 3;
    return -1;
}

CImage TurnQuarters(const CImage& source, int quarters) {
    if (!Valid(source)) return CImage();
    const int sw = source.width, sh = source.height;
    quarters &= 3;
    CImage out = NewImage(quarters % 2 ? sh : sw, quarters % 2 ? sw : sh);
    const uint32_t* from = source.pixels.data();
    const int w = out.width, h = out.height;
    for (int y = 0; y < h; ++y) {
        uint32_t* row = out.pixels.data() + size_t(y) * w;
        switch (quarters) {
            case 0:
                std::memcpy(row, from + size_t(y) * sw, size_t(w) * 4);
                break;
            case 1:  // a quarter turn left brings the right edge to the top
                for (int x = 0; x < w; ++x)
                    row[x] = from[size_t(x) * sw + (sw - 1 - y)];
                break;
            case 2:
                for (int x = 0; x < w; ++x)
                    row[x] = from[size_t(sh - 1 - y) * sw + (sw - 1 - x)];
                break;
            default:
                for (int x = 0; x < w; ++x)
                    row[x] = from[size_t(sh - 1 - x) * sw + y];
                break;
        }
    }
    return out;
}

CImage Padded(const CImage& source) {
    if (!Valid(source)) return CImage();
    const int sw = source.width, pw = sw + 2;
    CImage padded = NewImage(pw, source.height + 2);
    for (int y = 0; y < source.height; ++y)
        std::memcpy(&padded.pixels[size_t(y + 1) * pw + 1], &source.pixels[size_t(y) * sw],
                    size_t(sw) * 4);
    return padded;
}

void PremultiplyRow(const uint32_t* from, uint32_t* to, size_t n) {
    size_t i = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i alphaBits = _mm_set1_epi32(int(0xFF000000u));
    const __m128i half = _mm_set1_epi16(128);
    // c * a / 255 rounded, as MulDiv255, in eight 16-bit lanes.
    auto scale = [&](__m128i c, __m128i a) {
        const __m128i t = _mm_add_epi16(_mm_mullo_epi16(c, a), half);
        return _mm_srli_epi16(_mm_add_epi16(t, _mm_srli_epi16(t, 8)), 8);
    };
    for (; i + 4 <= n; i += 4) {
        const __m128i p = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i));
        const __m128i a = _mm_and_si128(p, alphaBits);
        __m128i out = p;
        // Runs of opaque pixels stay as they are.
        if (_mm_movemask_epi8(_mm_cmpeq_epi32(a, alphaBits)) != 0xFFFF) {
            __m128i spread = _mm_srli_epi32(p, 24);
            spread = _mm_or_si128(spread, _mm_slli_epi32(spread, 8));
            spread = _mm_or_si128(spread, _mm_slli_epi32(spread, 16));
            const __m128i low = scale(_mm_unpacklo_epi8(p, zero), _mm_unpacklo_epi8(spread, zero));
            const __m128i high = scale(_mm_unpackhi_epi8(p, zero), _mm_unpackhi_epi8(spread, zero));
            // Alpha times alpha is not alpha: put it back. (Transparent
            // pixels come out 0, whatever colour they held.)
            out = _mm_or_si128(_mm_andnot_si128(alphaBits, _mm_packus_epi16(low, high)), a);
        }
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + i), out);
    }
#endif
    for (; i < n; ++i)
        to[i] = Premultiply(from[i]);
}

void RotatePaddedInto(const CImage& padded, double degrees, const CTarget& target) {
    if (!Valid(padded) || padded.width < 3 || padded.height < 3 || !std::isfinite(degrees) ||
        !target.pixels)
        return;
    double c, s;
    CosSin(degrees, c, s);
    int w = 0, h = 0;
    RotatedSize(padded.width - 2, padded.height - 2, degrees, w, h);
    WithStore(target, [&](auto store) { RotateRows(padded, c, s, w, h, target, store); });
}

void RotateInto(const CImage& source, double degrees, const CTarget& target) {
    if (!Valid(source)) return;
    RotatePaddedInto(Padded(source), degrees, target);
}

CImage Rotate(const CImage& source, double degrees) {
    if (!Valid(source) || !std::isfinite(degrees)) return CImage();
    const int quarters = QuarterTurns(degrees);
    if (quarters >= 0) return TurnQuarters(source, quarters);
    int w = 0, h = 0;
    RotatedSize(source.width, source.height, degrees, w, h);
    CImage out = NewImage(w, h);
    RotateInto(source, degrees, TargetOf(out));
    return out;
}

}  // namespace vorn::resampling
