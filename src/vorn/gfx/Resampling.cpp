#include "vorn/gfx/Resampling.h"

#include <algorithm>
#include <cmath>

namespace vorn::resampling {

namespace {

constexpr double PI = 3.14159265358979323846;

// Sums colours weighted by weight and alpha (premultiplied).
struct CColorSum {
    float r = 0, g = 0, b = 0, a = 0;
    void Add(const CColor& c, float weight) {
        const float aw = c.a * weight;
        r += c.r * aw;
        g += c.g * aw;
        b += c.b * aw;
        a += aw;
    }
    CColor Result(float totalWeight) const {
        if (a <= 0.0f || totalWeight <= 0.0f) return CColor(0, 0, 0, 0);
        auto channel = [](float v) {
            return static_cast<uint8_t>(std::min(255.0f, std::max(0.0f, v + 0.5f)));
        };
        return CColor(channel(r / a), channel(g / a), channel(b / a), channel(a / totalWeight));
    }
};

// Cosine and sine of an angle in degrees, exact at right angles.
void CosSin(double degrees, double& c, double& s) {
    const double radians = std::fmod(degrees, 360.0) * PI / 180.0;
    c = std::cos(radians);
    s = std::sin(radians);
    if (std::fabs(c) < 1e-9) c = 0.0;
    if (std::fabs(s) < 1e-9) s = 0.0;
}

}  // namespace

CColorImage Scale(const CColorImage& source, int w, int h) {
    CColorImage out;
    const int sw = source.width, sh = source.height;
    if (w < 1 || h < 1 || sw < 1 || sh < 1 || source.pixels.size() < size_t(sw) * sh) return out;
    out.width = w;
    out.height = h;
    out.pixels.resize(size_t(w) * h);
    auto at = [&](int u, int v) { return source.pixels[size_t(v) * sw + u]; };
    const float scaleX = float(sw) / w, scaleY = float(sh) / h;
    const bool shrinking = scaleX > 2.0f || scaleY > 2.0f;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            CColorSum sum;
            float total = 0.0f;
            if (shrinking) {
                // Average every source pixel this pixel covers.
                const int x0 = int(x * scaleX), y0 = int(y * scaleY);
                const int x1 = std::max(x0 + 1, std::min(sw, int(std::ceil((x + 1) * scaleX))));
                const int y1 = std::max(y0 + 1, std::min(sh, int(std::ceil((y + 1) * scaleY))));
                for (int v = y0; v < y1; ++v)
                    for (int u = x0; u < x1; ++u, total += 1.0f)
                        sum.Add(at(u, v), 1.0f);
            } else {
                // Between the four nearest pixel centres, edges clamped.
                const float fx = std::min(std::max((x + 0.5f) * scaleX - 0.5f, 0.0f), sw - 1.0f);
                const float fy = std::min(std::max((y + 0.5f) * scaleY - 0.5f, 0.0f), sh - 1.0f);
                const int x0 = int(fx), y0 = int(fy);
                const int x1 = std::min(x0 + 1, sw - 1), y1 = std::min(y0 + 1, sh - 1);
                const float tx = fx - x0, ty = fy - y0;
                sum.Add(at(x0, y0), (1 - tx) * (1 - ty));
                sum.Add(at(x1, y0), tx * (1 - ty));
                sum.Add(at(x0, y1), (1 - tx) * ty);
                sum.Add(at(x1, y1), tx * ty);
                total = 1.0f;
            }
            out.pixels[size_t(y) * w + x] = sum.Result(total);
        }
    }
    return out;
}

void RotatedSize(int w, int h, double degrees, int& rotatedW, int& rotatedH) {
    double c, s;
    CosSin(degrees, c, s);
    rotatedW = int(std::ceil(std::fabs(w * c) + std::fabs(h * s) - 1e-6));
    rotatedH = int(std::ceil(std::fabs(w * s) + std::fabs(h * c) - 1e-6));
}

CColorImage Rotate(const CColorImage& source, double degrees) {
    CColorImage out;
    const int sw = source.width, sh = source.height;
    if (sw < 1 || sh < 1 || source.pixels.size() < size_t(sw) * sh || !std::isfinite(degrees))
        return out;
    double c, s;
    CosSin(degrees, c, s);
    RotatedSize(sw, sh, degrees, out.width, out.height);
    const int w = out.width, h = out.height;
    out.pixels.resize(size_t(w) * h);
    auto at = [&](int u, int v) {
        if (u < 0 || v < 0 || u >= sw || v >= sh) return CColor(0, 0, 0, 0);
        return source.pixels[size_t(v) * sw + u];
    };
    for (int y = 0; y < h; ++y) {
        const double dy = y + 0.5 - h / 2.0;
        for (int x = 0; x < w; ++x) {
            // Where this pixel's centre comes from: turned back by the angle.
            const double dx = x + 0.5 - w / 2.0;
            const double fx = dx * c - dy * s + sw / 2.0 - 0.5;
            const double fy = dx * s + dy * c + sh / 2.0 - 0.5;
            const int x0 = int(std::floor(fx)), y0 = int(std::floor(fy));
            const float tx = float(fx - x0), ty = float(fy - y0);
            CColorSum sum;
            sum.Add(at(x0, y0), (1 - tx) * (1 - ty));
            sum.Add(at(x0 + 1, y0), tx * (1 - ty));
            sum.Add(at(x0, y0 + 1), (1 - tx) * ty);
            sum.Add(at(x0 + 1, y0 + 1), tx * ty);
            out.pixels[size_t(y) * w + x] = sum.Result(1.0f);
        }
    }
    return out;
}

}  // namespace vorn::resampling
