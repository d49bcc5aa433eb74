#include "vorn/gfx/CPixelSDL.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "vorn/console/CLog.h"
#include "vorn/gfx/Gfx.h"
#include "vorn/gfx/SdlPixels.h"

namespace vorn {

using namespace sdlpixels;

namespace {

uint32_t ourEngineValues[2] = {0, 0};

// The largest source (in pixels) whose buffer Rotate keeps between turns.
constexpr size_t KEPT_SOURCE_PIXELS = 512 * 512;

bool EndsWithNoCase(const std::string& text, const std::string& end) {
    if (text.size() < end.size()) return false;
    return std::equal(end.rbegin(), end.rend(), text.rbegin(),
                      [](char a, char b) { return std::tolower(a) == std::tolower(b); });
}

// Uncompressed 32-bit TGA, top row first.
bool WriteTga(SDL_Surface* surface, const std::string& fileName) {
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(fileName.c_str(), "wb"), &std::fclose);
    if (!file) return false;
    unsigned char header[18] = {};
    header[2] = 2;  // true colour, uncompressed
    header[12] = surface->w & 0xFF;
    header[13] = (surface->w >> 8) & 0xFF;
    header[14] = surface->h & 0xFF;
    header[15] = (surface->h >> 8) & 0xFF;
    header[16] = 32;
    header[17] = 0x28;  // 8 alpha bits, origin top-left
    if (std::fwrite(header, 1, sizeof(header), file.get()) != sizeof(header)) return false;
    CSurfaceLock lock(surface);
    if (!lock.Locked()) return false;
    std::vector<unsigned char> row(static_cast<size_t>(surface->w) * 4);
    for (int y = 0; y < surface->h; ++y) {
        for (int x = 0; x < surface->w; ++x) {
            const CColor c = RawToColor(surface->format, ReadRaw(surface, x, y));
            row[x * 4 + 0] = c.b;
            row[x * 4 + 1] = c.g;
            row[x * 4 + 2] = c.r;
            row[x * 4 + 3] = c.a;
        }
        if (std::fwrite(row.data(), 1, row.size(), file.get()) != row.size()) return false;
    }
    return true;
}

}  // namespace

uint64_t CPixelSDL::ourSharedWrites = 0;

CPixelSDL::CPixelSDL(SDL_Surface* surface, const std::string& fileName) : myFileName(fileName) {
    SetSurface(surface, false);
}

CPixelSDL::~CPixelSDL() {
    FreeClippedSurface();
    if (mySurface) CTextureManagerSDL::GetSingleton()->Release(mySurface);
}

void CPixelSDL::FreeClippedSurface() {
    if (myClippedSurface) SDL_FreeSurface(myClippedSurface);
    myClippedSurface = nullptr;
}

void CPixelSDL::SetSurface(SDL_Surface* surface, bool release) {
    if (release && mySurface && mySurface != surface)
        CTextureManagerSDL::GetSingleton()->Release(mySurface);
    FreeClippedSurface();
    mySurface = surface;
    mySourceRect = surface ? types_rect(0, 0, surface->w, surface->h) : types_rect();
    myZeroOutsideSource = false;
    myTurnSource.reset();
    // Without a texture manager no surface is shared.
    const CTextureManagerSDL* manager = CTextureManagerSDL::PeekSingleton();
    myShared = surface && manager && manager->IsManaged(surface);
    NoteWritten();
}

IPixel* CPixelSDL::Wrap(SDL_Surface* surface) {
    if (!surface) {
        CLog::GetSingleton()->Warning()
            << "CPixelSDL - SDL could not make a surface: " << SDL_GetError() << "\n";
        return Gfx::GetNullSurface();
    }
    return new CPixelSDL(surface);
}

void CPixelSDL::PutPixel(int x, int y, const CColor& color) {
    if (!mySurface || !types_rect(0, 0, mySourceRect.w, mySourceRect.h).IsPointInside(x, y)) return;
    CSurfaceLock lock(mySurface);
    if (!lock.Locked()) return;
    NoteWritten();
    const int sx = x + mySourceRect.x, sy = y + mySourceRect.y;
    CColor out = color;
    if (color.a < 255)
        out = BlendOver(color, RawToColor(mySurface->format, ReadRaw(mySurface, sx, sy)));
    WriteRaw(mySurface, sx, sy, ColorToRaw(mySurface->format, out));
}

CColor CPixelSDL::GetPixel(int x, int y) const {
    if (!mySurface || !types_rect(0, 0, mySourceRect.w, mySourceRect.h).IsPointInside(x, y))
        return CColor(0, 0, 0, 255);
    CSurfaceLock lock(mySurface);
    if (!lock.Locked()) return CColor(0, 0, 0, 255);
    return RawToColor(mySurface->format,
                      ReadRaw(mySurface, x + mySourceRect.x, y + mySourceRect.y));
}

void CPixelSDL::Clean(const types_rect& rect) {
    if (!mySurface || mySurface->format->BytesPerPixel != 4) return;
    const types_rect area = ClipToSource(rect);
    if (area.IsEmpty()) return;
    NoteWritten();
    SDL_Rect fill{static_cast<Sint16>(area.x), static_cast<Sint16>(area.y),
                  static_cast<Uint16>(area.w), static_cast<Uint16>(area.h)};
    SDL_FillRect(mySurface, &fill, ColorToRaw(mySurface->format, myClearColor));
}

resampling::CImage CPixelSDL::ReadSource(bool premultiply) const {
    resampling::CImage image;
    image.pixels = ReadArgb(mySurface, mySourceRect, premultiply);
    if (image.pixels.size() == static_cast<size_t>(mySourceRect.w) * mySourceRect.h) {
        image.width = mySourceRect.w;
        image.height = mySourceRect.h;
    }
    return image;
}

IPixel* CPixelSDL::WrapNew(int w, int h,
                           const std::function<void(const resampling::CTarget&)>& fill) {
    return Wrap(CreateAlphaSurface(w, h, fill));
}

IPixel* CPixelSDL::Resize(int w, int h) const {
    if (!mySurface || mySourceRect.IsEmpty()) return Gfx::GetNullSurface();
    if (!Gfx::IsSurfaceSizeAllowed(w, h)) {
        CLog::GetSingleton()->Warning() << "CPixelSDL::Resize() - refused to make a surface of "
                                        << w << " x " << h << " pixels\n";
        return Gfx::GetNullSurface();
    }
    // The same size is a plain copy: no premultiplying, no rounding.
    const bool same = w == mySourceRect.w && h == mySourceRect.h;
    const resampling::CImage source = ReadSource(!same);
    if (source.width < 1) return Gfx::GetNullSurface();
    return WrapNew(w, h, [&](const resampling::CTarget& target) {
        if (same)
            resampling::CopyInto(source, target);
        else
            resampling::ScaleInto(source, w, h, target);
    });
}

IPixel* CPixelSDL::Rotate(float degrees) const {
    if (!mySurface || mySourceRect.IsEmpty()) return Gfx::GetNullSurface();
    if (!std::isfinite(degrees)) {
        CLog::GetSingleton()->Warning()
            << "CPixelSDL::Rotate() - refused to rotate by " << degrees << " degrees\n";
        return Gfx::GetNullSurface();
    }
    int w = 0, h = 0;
    resampling::RotatedSize(mySourceRect.w, mySourceRect.h, degrees, w, h);
    if (!Gfx::IsSurfaceSizeAllowed(w, h)) return Gfx::GetNullSurface();
    // Right angles move the pixels as they are.
    const int quarters = resampling::QuarterTurns(degrees);
    if (quarters >= 0) {
        const resampling::CImage source = ReadSource(false);
        if (source.width < 1) return Gfx::GetNullSurface();
        const resampling::CImage turned = resampling::TurnQuarters(source, quarters);
        return WrapNew(
            w, h, [&](const resampling::CTarget& target) { resampling::CopyInto(turned, target); });
    }
    // Sprites turn every frame: their sources are read into one buffer kept
    // for the next turn, unless it grew unusually large.
    static thread_local resampling::CImage padded;
    if (!ReadPaddedPremultiplied(mySurface, mySourceRect, padded)) return Gfx::GetNullSurface();
    IPixel* turned = WrapNew(w, h, [&](const resampling::CTarget& target) {
        resampling::RotatePaddedInto(padded, degrees, target);
    });
    if (padded.pixels.capacity() > KEPT_SOURCE_PIXELS) padded = resampling::CImage();
    return turned;
}

const resampling::CImage* CPixelSDL::ReadTurnSource(resampling::CImage& scratch) const {
    // Kept from the second turn of the same pixels on (a surface turned
    // once, or a new one each time, keeps nothing), up to a size.
    const Uint32 flags = mySurface->flags & SDL_SRCCOLORKEY;
    const Uint32 key = mySurface->format->colorkey;
    CTurnSource* kept = myTurnSource.get();
    if (kept && kept->rect == mySourceRect && kept->stamp == WriteStamp() && kept->flags == flags &&
        kept->colorKey == key) {
        if (!kept->padded.pixels.empty()) return &kept->padded;
        if (ReadPaddedPremultiplied(mySurface, mySourceRect, kept->padded)) return &kept->padded;
        kept->padded = resampling::CImage();
        return nullptr;
    }
    if (!kept) {
        myTurnSource = std::make_unique<CTurnSource>();
        kept = myTurnSource.get();
    }
    kept->padded = resampling::CImage();
    kept->rect = mySourceRect;
    kept->flags = flags;
    kept->colorKey = key;
    kept->stamp = WriteStamp();
    if (size_t(mySourceRect.w) * size_t(mySourceRect.h) > KEPT_SOURCE_PIXELS) kept->stamp = ~0ull;
    return ReadPaddedPremultiplied(mySurface, mySourceRect, scratch) ? &scratch : nullptr;
}

void CPixelSDL::NoteWritten() {
    ++myWrites;
    if (myShared) ++ourSharedWrites;
}

IPixel* CPixelSDL::RotateReusing(float degrees, IPixel* spare) const {
    if (!spare || !mySurface || mySourceRect.IsEmpty() || !std::isfinite(degrees) ||
        resampling::QuarterTurns(degrees) >= 0)
        return Rotate(degrees);
    int w = 0, h = 0;
    resampling::RotatedSize(mySourceRect.w, mySourceRect.h, degrees, w, h);
    if (!Gfx::IsSurfaceSizeAllowed(w, h)) return Rotate(degrees);
    // A caller that turns again and again gets a surface that holds the
    // source turned by any angle: the next turns fit into it.
    const int full = int(std::ceil(std::hypot(double(mySourceRect.w), double(mySourceRect.h))));
    CPixelSDL* reuse = dynamic_cast<CPixelSDL*>(spare);
    std::unique_ptr<CPixelSDL> made;
    if (!reuse || reuse == this || !reuse->CanRefill(w, h, full)) {
        if (!Gfx::IsSurfaceSizeAllowed(full, full)) return Rotate(degrees);
        SDL_Surface* surface = CreateAlphaSurface(full, full);
        if (!surface) return Rotate(degrees);
        made = std::make_unique<CPixelSDL>(surface);
        // All transparent: Refill has nothing to clear.
        made->mySourceRect = types_rect();
        made->myZeroOutsideSource = true;
        reuse = made.get();
    }
    static thread_local resampling::CImage scratch;
    const resampling::CImage* padded = ReadTurnSource(scratch);
    if (scratch.pixels.capacity() > KEPT_SOURCE_PIXELS) scratch = resampling::CImage();
    if (!padded) return Gfx::GetNullSurface();
    reuse->Refill(w, h, [&](const resampling::CTarget& target) {
        resampling::RotatePaddedInto(*padded, degrees, target);
    });
    made.release();
    return reuse;
}

bool CPixelSDL::CanRefill(int w, int h, int full) const {
    if (!mySurface || w < 1 || h < 1 || mySurface->w < w || mySurface->h < h) return false;
    // Not a surface much larger than needed: its memory would stay taken.
    const int64_t area = int64_t(mySurface->w) * mySurface->h;
    if (area > std::max({4 * int64_t(w) * h, int64_t(full) * full, int64_t(128 * 128)}))
        return false;
    // A loaded image's surface may be shown by other objects too.
    const CTextureManagerSDL* manager = CTextureManagerSDL::PeekSingleton();
    if (manager && manager->IsManaged(mySurface)) return false;
    return IsPlainAlphaSurface(mySurface);
}

void CPixelSDL::Refill(int w, int h, const std::function<void(const resampling::CTarget&)>& fill) {
    FreeClippedSurface();
    // What may hold pixels of the earlier image beyond the new w x h: only
    // the old source rectangle when everything outside it is known clear.
    const types_rect inked = myZeroOutsideSource && mySourceRect.x == 0 && mySourceRect.y == 0
                                 ? mySourceRect
                                 : types_rect(0, 0, mySurface->w, mySurface->h);
    auto row = [this](int y) {
        return reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(mySurface->pixels) +
                                           size_t(y) * size_t(mySurface->pitch));
    };
    for (int y = 0; y < inked.h; ++y) {
        uint32_t* pixels = row(y);
        if (y >= h)
            std::fill(pixels, pixels + inked.w, 0u);
        else if (inked.w > w)
            std::fill(pixels + w, pixels + inked.w, 0u);
    }
    resampling::CTarget target;
    target.pixels = row(0);
    target.pitch = size_t(mySurface->pitch) / 4;
    target.layout = LayoutOf(mySurface->format);
    target.cleared = false;
    fill(target);
    NoteWritten();
    mySourceRect = types_rect(0, 0, w, h);
    myZeroOutsideSource = true;
    // Settings as a new surface has them.
    myFileName.clear();
    myClearColor = CColor(0, 0, 0, 0);
    myCopyMode = myBlendMode = myCopySource = false;
}

IPixel* CPixelSDL::SetAlpha(uint8_t alpha) const {
    IPixel* copy = Clone();
    CPixelSDL* clone = dynamic_cast<CPixelSDL*>(copy);
    if (!clone) return copy;
    SDL_Surface* surface = clone->mySurface;
    CSurfaceLock lock(surface);
    if (!lock.Locked()) return copy;
    clone->NoteWritten();
    const SDL_PixelFormat* f = surface->format;
    const float factor = alpha / 255.0f;
    for (int y = 0; y < surface->h; ++y) {
        uint32_t* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(surface->pixels) +
                                                    y * surface->pitch);
        for (int x = 0; x < surface->w; ++x) {
            if (row[x] == 0) continue;
            const uint32_t a = (row[x] & f->Amask) >> f->Ashift;
            const uint32_t scaled = static_cast<uint32_t>(a * factor + 0.5f);
            row[x] = (row[x] & ~f->Amask) | (scaled << f->Ashift);
        }
    }
    return copy;
}

IPixel* CPixelSDL::Clone() const {
    if (!mySurface) return Gfx::GetNullSurface();
    const types_rect whole(0, 0, mySurface->w, mySurface->h);
    const resampling::CImage pixels{mySurface->w, mySurface->h, ReadArgb(mySurface, whole, false)};
    SDL_Surface* copy = CreateAlphaSurface(
        mySurface->w, mySurface->h,
        [&](const resampling::CTarget& target) { resampling::CopyInto(pixels, target); });
    if (!copy) return Wrap(nullptr);
    CPixelSDL* clone = new CPixelSDL(copy);
    clone->mySourceRect = mySourceRect;
    return clone;
}

bool CPixelSDL::BlitTo(IPixel* target, const types_rect& source, const types_point& destination) {
    CPixelSDL* to = dynamic_cast<CPixelSDL*>(target);
    if (!mySurface || !to || !to->mySurface) return false;
    // The part of the source that exists, then the part of the target it meets.
    const types_rect wanted(source.x + mySourceRect.x, source.y + mySourceRect.y, source.w,
                            source.h);
    types_rect from = wanted.Intersection(mySourceRect);
    if (from.IsEmpty()) return true;
    const int toX = destination.x + (from.x - wanted.x) + to->mySourceRect.x;
    const int toY = destination.y + (from.y - wanted.y) + to->mySourceRect.y;
    const types_rect place = types_rect(toX, toY, from.w, from.h).Intersection(to->mySourceRect);
    if (place.IsEmpty()) return true;
    from = types_rect(from.x + place.x - toX, from.y + place.y - toY, place.w, place.h);
    to->NoteWritten();

    const bool fourBytes =
        mySurface->format->BytesPerPixel == 4 && to->mySurface->format->BytesPerPixel == 4;
    if (to->myCopyMode || to->myBlendMode || (myCopySource && fourBytes)) {
        if (!fourBytes) return false;
        CSurfaceLock lockFrom(mySurface);
        CSurfaceLock lockTo(to->mySurface);
        if (!lockFrom.Locked() || !lockTo.Locked()) return false;
        if (to->myCopyMode || myCopySource)
            CopyPixels(mySurface, from, to->mySurface, place.x, place.y);
        else
            BlendPixels(mySurface, from, to->mySurface, place.x, place.y);
        return true;
    }
    // Images with per-pixel alpha, the turned sprites above all: blended
    // here, a few pixels per step, rather than one by one in SDL.
    if (CanBlitAlpha(mySurface, to->mySurface)) {
        CSurfaceLock lockFrom(mySurface);
        CSurfaceLock lockTo(to->mySurface);
        if (!lockFrom.Locked() || !lockTo.Locked()) return false;
        BlitAlphaPixels(mySurface, from, to->mySurface, place.x, place.y);
        return true;
    }
    SDL_Rect s{static_cast<Sint16>(from.x), static_cast<Sint16>(from.y),
               static_cast<Uint16>(from.w), static_cast<Uint16>(from.h)};
    SDL_Rect d{static_cast<Sint16>(place.x), static_cast<Sint16>(place.y), 0, 0};
    return SDL_BlitSurface(mySurface, &s, to->mySurface, &d) == 0;
}

bool CPixelSDL::BlitTo(IPixel* target) {
    return BlitTo(target, types_rect(0, 0, mySourceRect.w, mySourceRect.h),
                  types_point(mySourceRect.x, mySourceRect.y));
}

void CPixelSDL::SetSourceRect(const types_rect& rect) {
    const types_rect whole(0, 0, GetSurfaceWidth(), GetSurfaceHeight());
    types_rect inside = rect.Intersection(whole);
    if (inside.IsEmpty()) inside = types_rect(inside.x, inside.y, 0, 0);
    // Pixels outside may be written now, and the rectangle moved back.
    if (inside != mySourceRect) myZeroOutsideSource = false;
    mySourceRect = inside;
}

bool CPixelSDL::IsClipped() const {
    return mySurface && mySourceRect != types_rect(0, 0, mySurface->w, mySurface->h);
}

void CPixelSDL::SetParameter(int which, uint32_t value) {
    switch (which) {
        case PARAM_COPY_MODE:
            myCopyMode = value != 0;
            break;
        case PARAM_BLEND_MODE:
            myBlendMode = value != 0;
            break;
        case PARAM_COPY_SOURCE:
            myCopySource = value != 0;
            break;
        case PARAM_ENGINE_VALUE_A:
        case PARAM_ENGINE_VALUE_B:
            ourEngineValues[which - PARAM_ENGINE_VALUE_A] = value;
            break;
        case PARAM_CLEAR_COLOR:
            myClearColor = CColor::FromARGB(value);
            break;
        default:
            break;
    }
}

uint32_t CPixelSDL::GetEngineValue(int which) {
    if (which == PARAM_ENGINE_VALUE_A || which == PARAM_ENGINE_VALUE_B)
        return ourEngineValues[which - PARAM_ENGINE_VALUE_A];
    return 0;
}

bool CPixelSDL::SaveTo(const std::string& fileName) {
    SDL_Surface* surface = GetClippedSurface();
    if (!surface || mySourceRect.IsEmpty()) return false;
    bool saved;
    if (EndsWithNoCase(fileName, "tga")) {
        saved = WriteTga(surface, fileName);
    } else {
        // BMP has no alpha: write the colours as they are, not blended onto
        // black, so switch alpha and colour key off while saving.
        const Uint32 flags = surface->flags;
        const Uint8 alpha = surface->format->alpha;
        const Uint32 key = surface->format->colorkey;
        SDL_SetAlpha(surface, 0, alpha);
        SDL_SetColorKey(surface, 0, key);
        saved = SDL_SaveBMP(surface, fileName.c_str()) == 0;
        SDL_SetAlpha(surface, flags & (SDL_SRCALPHA | SDL_RLEACCELOK), alpha);
        SDL_SetColorKey(surface, flags & (SDL_SRCCOLORKEY | SDL_RLEACCELOK), key);
    }
    if (!saved)
        CLog::GetSingleton()->Error()
            << "CPixelSDL::SaveTo() - could not write " << fileName << "\n";
    return saved;
}

types_rect CPixelSDL::ClipToSource(const types_rect& rect) const {
    const types_rect moved(rect.x + mySourceRect.x, rect.y + mySourceRect.y, rect.w, rect.h);
    return moved.Intersection(mySourceRect);
}

SDL_Surface* CPixelSDL::GetClippedSurface() {
    if (!mySurface || !IsClipped()) return mySurface;
    if (mySourceRect.IsEmpty()) return nullptr;
    if (!myClippedSurface || myClippedSurface->w != mySourceRect.w ||
        myClippedSurface->h != mySourceRect.h) {
        FreeClippedSurface();
        const SDL_PixelFormat* f = mySurface->format;
        myClippedSurface =
            SDL_CreateRGBSurface(SDL_SWSURFACE, mySourceRect.w, mySourceRect.h, f->BitsPerPixel,
                                 f->Rmask, f->Gmask, f->Bmask, f->Amask);
        if (!myClippedSurface) return nullptr;
        if (f->palette && myClippedSurface->format->palette)
            SDL_SetColors(myClippedSurface, f->palette->colors, 0, f->palette->ncolors);
        SDL_SetColorKey(myClippedSurface, mySurface->flags & SDL_SRCCOLORKEY, f->colorkey);
        SDL_SetAlpha(myClippedSurface, mySurface->flags & SDL_SRCALPHA, f->alpha);
    }
    // The pixels may have changed since the last call: copy them afresh.
    CSurfaceLock lockFrom(mySurface);
    CSurfaceLock lockTo(myClippedSurface);
    if (!lockFrom.Locked() || !lockTo.Locked()) return nullptr;
    const int bpp = mySurface->format->BytesPerPixel;
    for (int y = 0; y < mySourceRect.h; ++y)
        std::memcpy(static_cast<uint8_t*>(myClippedSurface->pixels) + y * myClippedSurface->pitch,
                    static_cast<const uint8_t*>(mySurface->pixels) +
                        (mySourceRect.y + y) * mySurface->pitch + mySourceRect.x * bpp,
                    static_cast<size_t>(mySourceRect.w) * bpp);
    return myClippedSurface;
}

}  // namespace vorn
