#include "vorn/gfx/SdlPixels.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vorn::sdlpixels {

CSurfaceLock::CSurfaceLock(SDL_Surface* surface) : mySurface(surface) {
    if (!surface) return;
    if (SDL_MUSTLOCK(surface)) {
        myLocked = SDL_LockSurface(surface) == 0;
        myNeedsUnlock = myLocked;
    } else {
        myLocked = true;
    }
}

CSurfaceLock::~CSurfaceLock() {
    if (myNeedsUnlock) SDL_UnlockSurface(mySurface);
}

uint32_t ReadRaw(const SDL_Surface* surface, int x, int y) {
    const int bpp = surface->format->BytesPerPixel;
    const uint8_t* p = static_cast<const uint8_t*>(surface->pixels) + y * surface->pitch + x * bpp;
    switch (bpp) {
        case 1:
            return *p;
        case 2:
            return *reinterpret_cast<const uint16_t*>(p);
        case 3:
            if (SDL_BYTEORDER == SDL_BIG_ENDIAN) return (p[0] << 16) | (p[1] << 8) | p[2];
            return p[0] | (p[1] << 8) | (p[2] << 16);
        default:
            return *reinterpret_cast<const uint32_t*>(p);
    }
}

void WriteRaw(SDL_Surface* surface, int x, int y, uint32_t raw) {
    const int bpp = surface->format->BytesPerPixel;
    uint8_t* p = static_cast<uint8_t*>(surface->pixels) + y * surface->pitch + x * bpp;
    switch (bpp) {
        case 1:
            *p = static_cast<uint8_t>(raw);
            break;
        case 2:
            *reinterpret_cast<uint16_t*>(p) = static_cast<uint16_t>(raw);
            break;
        case 3:
            if (SDL_BYTEORDER == SDL_BIG_ENDIAN) {
                p[0] = (raw >> 16) & 0xFF;
                p[1] = (raw >> 8) & 0xFF;
                p[2] = raw & 0xFF;
            } else {
                p[0] = raw & 0xFF;
                p[1] = (raw >> 8) & 0xFF;
                p[2] = (raw >> 16) & 0xFF;
            }
            break;
        default:
            *reinterpret_cast<uint32_t*>(p) = raw;
            break;
    }
}

CColor RawToColor(const SDL_PixelFormat* format, uint32_t raw) {
    CColor color;
    SDL_GetRGBA(raw, const_cast<SDL_PixelFormat*>(format), &color.r, &color.g, &color.b, &color.a);
    return color;
}

uint32_t ColorToRaw(const SDL_PixelFormat* format, const CColor& color) {
    return SDL_MapRGBA(const_cast<SDL_PixelFormat*>(format), color.r, color.g, color.b, color.a);
}

CColor BlendOver(const CColor& src, const CColor& dst) {
    // Porter-Duff "over" on straight (not premultiplied) alpha: over an opaque
    // pixel the usual mix, over a transparent one the source unchanged.
    const float sa = src.a / 255.0f;
    const float da = dst.a / 255.0f * (1.0f - sa);
    const float alpha = sa + da;
    if (alpha <= 0.0f) return CColor(0, 0, 0, 0);
    auto mix = [&](uint8_t s, uint8_t d) {
        return static_cast<uint8_t>(std::min(255.0f, (s * sa + d * da) / alpha + 0.5f));
    };
    return CColor(mix(src.r, dst.r), mix(src.g, dst.g), mix(src.b, dst.b),
                  static_cast<uint8_t>(std::min(255.0f, alpha * 255.0f + 0.5f)));
}

namespace {

// The 32-bit pixel at (x, y) of a locked surface.
uint32_t* PixelAt(SDL_Surface* surface, int x, int y) {
    return reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(surface->pixels) +
                                       y * surface->pitch) +
           x;
}

// The layout SDL_DisplayFormatAlpha picks: ABGR for a 32-bit screen that
// keeps red in the low byte, ARGB for everything else.
void AlphaSurfaceMasks(uint32_t& r, uint32_t& g, uint32_t& b, uint32_t& a) {
    r = 0x00FF0000;
    g = 0x0000FF00;
    b = 0x000000FF;
    a = 0xFF000000;
    if (const SDL_Surface* screen = SDL_GetVideoSurface()) {
        const SDL_PixelFormat* f = screen->format;
        if (f->BytesPerPixel == 4 && f->Rmask == 0x000000FF && f->Bmask == 0x00FF0000) {
            r = 0x000000FF;
            b = 0x00FF0000;
        }
    }
}

}  // namespace

SDL_Surface* CreateAlphaSurface(int w, int h) {
    uint32_t r, g, b, a;
    AlphaSurfaceMasks(r, g, b, a);
    SDL_Surface* surface = SDL_CreateRGBSurface(SDL_SWSURFACE | SDL_SRCALPHA, w, h, 32, r, g, b, a);
    if (surface) SDL_SetAlpha(surface, SDL_SRCALPHA, SDL_ALPHA_OPAQUE);
    return surface;
}

bool IsPlainAlphaSurface(const SDL_Surface* surface) {
    if (!surface || !surface->pixels || SDL_MUSTLOCK(surface)) return false;
    const SDL_PixelFormat* f = surface->format;
    uint32_t r, g, b, a;
    AlphaSurfaceMasks(r, g, b, a);
    return f->BytesPerPixel == 4 && f->Rmask == r && f->Gmask == g && f->Bmask == b &&
           f->Amask == a && f->alpha == SDL_ALPHA_OPAQUE && surface->pitch % 4 == 0 &&
           (surface->flags & (SDL_SRCALPHA | SDL_SRCCOLORKEY | SDL_RLEACCEL | SDL_RLEACCELOK |
                              SDL_HWSURFACE)) == SDL_SRCALPHA;
}

std::vector<CColor> ReadColors(SDL_Surface* surface, const types_rect& rect) {
    std::vector<CColor> colors;
    CSurfaceLock lock(surface);
    if (!lock.Locked() || rect.IsEmpty()) return colors;
    colors.reserve(static_cast<size_t>(rect.w) * rect.h);
    for (int y = rect.y; y < rect.y + rect.h; ++y)
        for (int x = rect.x; x < rect.x + rect.w; ++x)
            colors.push_back(RawToColor(surface->format, ReadRaw(surface, x, y)));
    return colors;
}

void WriteColors(SDL_Surface* surface, const std::vector<CColor>& colors) {
    CSurfaceLock lock(surface);
    if (!lock.Locked() || colors.size() < static_cast<size_t>(surface->w) * surface->h) return;
    const SDL_PixelFormat* f = surface->format;
    size_t i = 0;
    for (int y = 0; y < surface->h; ++y) {
        uint32_t* row = PixelAt(surface, 0, y);
        for (int x = 0; x < surface->w; ++x, ++i) {
            const CColor& c = colors[i];
            row[x] = (uint32_t(c.r) << f->Rshift) | (uint32_t(c.g) << f->Gshift) |
                     (uint32_t(c.b) << f->Bshift) | (uint32_t(c.a) << f->Ashift);
        }
    }
}

resampling::CLayout LayoutOf(const SDL_PixelFormat* format) {
    resampling::CLayout layout;
    layout.a = format->Ashift;
    layout.r = format->Rshift;
    layout.g = format->Gshift;
    layout.b = format->Bshift;
    return layout;
}

std::vector<uint32_t> ReadArgb(SDL_Surface* surface, const types_rect& rect, bool premultiply) {
    std::vector<uint32_t> pixels;
    CSurfaceLock lock(surface);
    if (!lock.Locked() || rect.IsEmpty()) return pixels;
    const SDL_PixelFormat* f = surface->format;
    const bool keyed = (surface->flags & SDL_SRCCOLORKEY) != 0;
    const uint32_t rgbMask = f->Rmask | f->Gmask | f->Bmask;
    pixels.resize(static_cast<size_t>(rect.w) * rect.h);
    uint32_t* to = pixels.data();
    const bool plain32 = f->BytesPerPixel == 4 && f->Rloss == 0 && f->Gloss == 0 && f->Bloss == 0 &&
                         (f->Amask == 0 || f->Aloss == 0);
    if (plain32) {
        // 8 bits a channel: shifts and masks, no SDL call per pixel.
        const resampling::CLayout layout = LayoutOf(f);
        const bool argb = f->Amask == 0xFF000000u && layout.IsArgb();
        const uint32_t opaque = f->Amask ? 0 : 0xFF000000u;
        const uint32_t key = f->colorkey & rgbMask;
        for (int y = rect.y; y < rect.y + rect.h; ++y) {
            const uint32_t* row = PixelAt(surface, rect.x, y);
            for (int x = 0; x < rect.w; ++x) {
                const uint32_t raw = row[x];
                if (keyed && (raw & rgbMask) == key) {
                    *to++ = 0;
                    continue;
                }
                uint32_t value = argb ? raw : (resampling::FromLayout(raw, layout) & 0x00FFFFFFu);
                if (!argb) value |= opaque ? opaque : ((raw >> layout.a) & 0xFF) << 24;
                *to++ = premultiply ? resampling::Premultiply(value) : value;
            }
        }
        return pixels;
    }
    const CColor key = RawToColor(f, f->colorkey);
    for (int y = rect.y; y < rect.y + rect.h; ++y)
        for (int x = rect.x; x < rect.x + rect.w; ++x) {
            const CColor c = RawToColor(f, ReadRaw(surface, x, y));
            if (keyed && c.r == key.r && c.g == key.g && c.b == key.b) {
                *to++ = 0;
                continue;
            }
            *to++ = premultiply ? resampling::Premultiply(c.ToARGB()) : c.ToARGB();
        }
    return pixels;
}

bool ReadPaddedPremultiplied(SDL_Surface* surface, const types_rect& rect,
                             resampling::CImage& padded) {
    const SDL_PixelFormat* f = surface->format;
    const bool argb = f->BytesPerPixel == 4 && f->Amask == 0xFF000000u && f->Rmask == 0x00FF0000u &&
                      f->Gmask == 0x0000FF00u && f->Bmask == 0x000000FFu &&
                      !(surface->flags & SDL_SRCCOLORKEY);
    if (!argb) {
        resampling::CImage plain{rect.w, rect.h, ReadArgb(surface, rect, true)};
        padded = plain.pixels.empty() ? resampling::CImage() : resampling::Padded(plain);
        return padded.width > 0;
    }
    CSurfaceLock lock(surface);
    if (!lock.Locked() || rect.IsEmpty()) {
        padded = resampling::CImage();
        return false;
    }
    // The usual case, the layout of the rotated sprites' sources: rows
    // premultiplied straight into place, only the border cleared.
    const int pw = rect.w + 2, ph = rect.h + 2;
    padded.width = pw;
    padded.height = ph;
    padded.pixels.resize(size_t(pw) * ph);
    uint32_t* pixels = padded.pixels.data();
    std::fill(pixels, pixels + pw, 0u);
    std::fill(pixels + size_t(ph - 1) * pw, pixels + size_t(ph) * pw, 0u);
    for (int y = 0; y < rect.h; ++y) {
        uint32_t* row = pixels + size_t(y + 1) * pw;
        row[0] = row[pw - 1] = 0;
        resampling::PremultiplyRow(PixelAt(surface, rect.x, rect.y + y), row + 1, size_t(rect.w));
    }
    return true;
}

SDL_Surface* CreateAlphaSurface(int w, int h,
                                const std::function<void(const resampling::CTarget&)>& fill) {
    SDL_Surface* surface = CreateAlphaSurface(w, h);
    if (!surface) return nullptr;
    CSurfaceLock lock(surface);
    if (!lock.Locked()) return surface;
    resampling::CTarget target;
    target.pixels = static_cast<uint32_t*>(surface->pixels);
    target.pitch = static_cast<size_t>(surface->pitch) / 4;
    target.layout = LayoutOf(surface->format);
    fill(target);
    return surface;
}

void CopyPixels(SDL_Surface* src, const types_rect& rect, SDL_Surface* dst, int x, int y) {
    const SDL_PixelFormat* sf = src->format;
    const SDL_PixelFormat* df = dst->format;
    const bool sameRgb = sf->Rmask == df->Rmask && sf->Gmask == df->Gmask && sf->Bmask == df->Bmask;
    for (int row = 0; row < rect.h; ++row) {
        const uint32_t* from = PixelAt(src, rect.x, rect.y + row);
        uint32_t* to = PixelAt(dst, x, y + row);
        if (sameRgb && sf->Amask == df->Amask) {
            std::memmove(to, from, static_cast<size_t>(rect.w) * 4);
        } else if (sameRgb && (sf->Amask == 0 || df->Amask == 0)) {
            // An opaque source (the screen) into an alpha surface: opaque
            // pixels; into an opaque surface the alpha is dropped. The masks
            // are copied first, so the loop needs no reloads and vectorises.
            const uint32_t rgb = sf->Rmask | sf->Gmask | sf->Bmask;
            const uint32_t alpha = sf->Amask == 0 ? df->Amask : 0;
            const int n = rect.w;
            for (int i = 0; i < n; ++i)
                to[i] = (from[i] & rgb) | alpha;
        } else {
            for (int i = 0; i < rect.w; ++i)
                to[i] = ColorToRaw(df, RawToColor(sf, from[i]));
        }
    }
}

void BlendPixels(SDL_Surface* src, const types_rect& rect, SDL_Surface* dst, int x, int y) {
    const SDL_PixelFormat* sf = src->format;
    const SDL_PixelFormat* df = dst->format;
    for (int row = 0; row < rect.h; ++row) {
        const uint32_t* from = PixelAt(src, rect.x, rect.y + row);
        uint32_t* to = PixelAt(dst, x, y + row);
        for (int i = 0; i < rect.w; ++i) {
            if (from[i] == 0) continue;
            const CColor s = RawToColor(sf, from[i]);
            if (s.a == 255) {
                to[i] = ColorToRaw(df, s);
                continue;
            }
            to[i] = ColorToRaw(df, BlendOver(s, RawToColor(df, to[i])));
        }
    }
}

bool CanBlitAlpha(const SDL_Surface* src, const SDL_Surface* dst) {
    if (!src || !dst || src == dst || !src->pixels || !dst->pixels) return false;
    const SDL_PixelFormat* sf = src->format;
    const SDL_PixelFormat* df = dst->format;
    if (sf->BytesPerPixel != 4 || df->BytesPerPixel != 4) return false;
    if ((src->flags & (SDL_SRCALPHA | SDL_SRCCOLORKEY | SDL_RLEACCEL)) != SDL_SRCALPHA ||
        (dst->flags & SDL_RLEACCEL))
        return false;
    if (sf->Aloss != 0 || sf->Amask != (0xFFu << sf->Ashift) || sf->Rloss != 0 || sf->Gloss != 0 ||
        sf->Bloss != 0)
        return false;
    if (sf->Rmask != df->Rmask || sf->Gmask != df->Gmask || sf->Bmask != df->Bmask) return false;
    const SDL_Rect& clip = dst->clip_rect;
    return clip.x == 0 && clip.y == 0 && clip.w == dst->w && clip.h == dst->h;
}

namespace {

// s * a + d * (255 - a), divided by 255 and rounded, in every byte of the
// pixels at once (two bytes per step of 16-bit lanes).
inline uint32_t MixPixel(uint32_t s, uint32_t d, uint32_t a) {
    constexpr uint32_t LANES = 0x00FF00FF, HALF = 0x00800080;
    auto mix = [a](uint32_t sl, uint32_t dl) {
        uint32_t t = sl * a + dl * (255 - a) + HALF;
        return ((t + ((t >> 8) & LANES)) >> 8) & LANES;
    };
    return mix(s & LANES, d & LANES) | (mix((s >> 8) & LANES, (d >> 8) & LANES) << 8);
}

}  // namespace

void BlitAlphaPixels(SDL_Surface* src, const types_rect& rect, SDL_Surface* dst, int x, int y) {
    const uint32_t rgb = src->format->Rmask | src->format->Gmask | src->format->Bmask;
    const uint32_t amask = src->format->Amask;
    const int ashift = src->format->Ashift;
    const int n = rect.w;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i alphaBits = _mm_set1_epi32(int(amask));
    const __m128i colourBits = _mm_set1_epi32(int(rgb));
    const __m128i full = _mm_set1_epi16(255);
    const __m128i half = _mm_set1_epi16(128);
    const __m128i shift = _mm_cvtsi32_si128(ashift);
    // Eight 16-bit channels (two pixels) of source and target mixed by their
    // alphas: (s * a + d * (255 - a) + 128) / 255 rounded, no lane above
    // 65535.
    auto mix = [&](__m128i s, __m128i d, __m128i a) {
        __m128i t =
            _mm_add_epi16(_mm_mullo_epi16(s, a), _mm_mullo_epi16(d, _mm_sub_epi16(full, a)));
        t = _mm_add_epi16(t, half);
        return _mm_srli_epi16(_mm_add_epi16(t, _mm_srli_epi16(t, 8)), 8);
    };
#endif
    for (int row = 0; row < rect.h; ++row) {
        const uint32_t* from = PixelAt(src, rect.x, rect.y + row);
        uint32_t* to = PixelAt(dst, x, y + row);
        int i = 0;
#if defined(__SSE2__)
        for (; i + 4 <= n; i += 4) {
            const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i));
            const __m128i a = _mm_and_si128(s, alphaBits);
            if (_mm_movemask_epi8(_mm_cmpeq_epi32(a, zero)) == 0xFFFF) continue;
            __m128i* at = reinterpret_cast<__m128i*>(to + i);
            const __m128i d = _mm_loadu_si128(at);
            __m128i out = s;
            if (_mm_movemask_epi8(_mm_cmpeq_epi32(a, alphaBits)) != 0xFFFF) {
                // Each pixel's alpha in all four of its bytes, then widened.
                __m128i spread = _mm_srl_epi32(a, shift);
                spread = _mm_or_si128(spread, _mm_slli_epi32(spread, 8));
                spread = _mm_or_si128(spread, _mm_slli_epi32(spread, 16));
                const __m128i low = mix(_mm_unpacklo_epi8(s, zero), _mm_unpacklo_epi8(d, zero),
                                        _mm_unpacklo_epi8(spread, zero));
                const __m128i high = mix(_mm_unpackhi_epi8(s, zero), _mm_unpackhi_epi8(d, zero),
                                         _mm_unpackhi_epi8(spread, zero));
                out = _mm_packus_epi16(low, high);
            }
            _mm_storeu_si128(
                at, _mm_or_si128(_mm_and_si128(out, colourBits), _mm_andnot_si128(colourBits, d)));
        }
#endif
        for (; i < n; ++i) {
            const uint32_t s = from[i];
            const uint32_t a = (s & amask) >> ashift;
            if (a == 0) continue;
            const uint32_t mixed = a == 255 ? s : MixPixel(s, to[i], a);
            to[i] = (mixed & rgb) | (to[i] & ~rgb);
        }
    }
}

}  // namespace vorn::sdlpixels
