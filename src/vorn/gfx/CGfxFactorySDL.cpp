#include "vorn/gfx/CGfxFactorySDL.h"

#include <SDL_image.h>

#include "vorn/console/CLog.h"
#include "vorn/gfx/CPixelSDL.h"
#include "vorn/gfx/Gfx.h"
#include "vorn/gfx/ImageInfo.h"
#include "vorn/gfx/SdlPixels.h"

namespace vorn {

namespace {

uint32_t ourSurfaceFlags = 0;
int ourScreenBitsPerPixel = 0;

bool CheckBufferSize(const char* who, int w, int h) {
    if (Gfx::IsSurfaceSizeAllowed(w, h)) return true;
    CLog::GetSingleton()->Warning()
        << who << " - refused to make a buffer of " << w << " x " << h << " pixels\n";
    return false;
}

void LogLoadFailure(const std::string& fileName, const std::string& reason) {
    CLog::GetSingleton()->Error() << "CGfxFactorySDL::LoadImage() - Couldn't load image file: "
                                  << fileName << "\n";
    CLog::GetSingleton()->Warning() << "  " << reason << "\n";
}

}  // namespace

void CGfxFactorySDL::SetScreenFormat(uint32_t surfaceFlags, int bitsPerPixel) {
    ourSurfaceFlags = surfaceFlags;
    ourScreenBitsPerPixel = bitsPerPixel;
}

uint32_t CGfxFactorySDL::GetSurfaceFlags() {
    return ourSurfaceFlags;
}

int CGfxFactorySDL::GetScreenBitsPerPixel() {
    return ourScreenBitsPerPixel;
}

IPixel* CGfxFactorySDL::NewBuffer(int w, int h) {
    if (!CheckBufferSize("CGfxFactorySDL::NewBuffer()", w, h)) return Gfx::GetNullSurface();
    SDL_Surface* surface = nullptr;
    if (const SDL_Surface* screen = SDL_GetVideoSurface()) {
        const SDL_PixelFormat* f = screen->format;
        if (SDL_Surface* made = SDL_CreateRGBSurface(ourSurfaceFlags, w, h, f->BitsPerPixel,
                                                     f->Rmask, f->Gmask, f->Bmask, f->Amask)) {
            surface = SDL_DisplayFormat(made);
            SDL_FreeSurface(made);
        }
    } else {
        surface =
            SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0);
    }
    if (!surface) {
        CLog::GetSingleton()->Warning()
            << "CGfxFactorySDL::NewBuffer() - SDL could not make a buffer: " << SDL_GetError()
            << "\n";
        return Gfx::GetNullSurface();
    }
    const CColor key = CPixelFormat().colorKey;
    SDL_SetColorKey(surface, SDL_SRCCOLORKEY, SDL_MapRGB(surface->format, key.r, key.g, key.b));
    return new CPixelSDL(surface);
}

IPixel* CGfxFactorySDL::NewAlphaBuffer(int w, int h) {
    if (!CheckBufferSize("CGfxFactorySDL::NewAlphaBuffer()", w, h)) return Gfx::GetNullSurface();
    // Made directly in the display's alpha layout, transparent black.
    SDL_Surface* surface = sdlpixels::CreateAlphaSurface(w, h);
    if (!surface) {
        CLog::GetSingleton()->Warning()
            << "CGfxFactorySDL::NewAlphaBuffer() - SDL could not make a buffer: " << SDL_GetError()
            << "\n";
        return Gfx::GetNullSurface();
    }
    CPixelSDL* buffer = new CPixelSDL(surface);
    buffer->SetParameter(IPixel::PARAM_COPY_MODE, 1);
    return buffer;
}

SDL_Surface* CGfxFactorySDL::Decode(const std::string& fileName, int format) {
    SDL_RWops* file = SDL_RWFromFile(fileName.c_str(), "rb");
    if (!file) return nullptr;
    switch (format) {
        case CImageInfo::FORMAT_BMP:
            return SDL_LoadBMP_RW(file, 1);
        case CImageInfo::FORMAT_PNG:
            return IMG_LoadTyped_RW(file, 1, const_cast<char*>("PNG"));
        case CImageInfo::FORMAT_JPEG:
            return IMG_LoadTyped_RW(file, 1, const_cast<char*>("JPG"));
        default:
            SDL_RWclose(file);
            return nullptr;
    }
}

IPixel* CGfxFactorySDL::LoadImage(const std::string& fileName, const CPixelFormat& format) {
    CTextureManagerSDL* manager = CTextureManagerSDL::GetSingleton();
    if (manager->IsLoaded(fileName)) {
        CPixelSDL* shared = new CPixelSDL(manager->GetPointer(fileName), fileName);
        return shared;
    }

    // Check the file before decoding: a truncated file or a header claiming a
    // huge size must not reach the decoders.
    CImageInfo info;
    std::string problem;
    if (!ReadImageInfo(fileName, info, problem)) {
        LogLoadFailure(fileName, problem);
        return Gfx::GetNullSurface();
    }
    if (!Gfx::IsSurfaceSizeAllowed(info.width, info.height)) {
        LogLoadFailure(fileName, std::string("the ") + ImageFormatName(info.format) + " image is " +
                                     std::to_string(info.width) + " x " +
                                     std::to_string(info.height) +
                                     " pixels, outside the sizes a surface may have");
        return Gfx::GetNullSurface();
    }
    SDL_Surface* loaded = Decode(fileName, info.format);
    if (!loaded) {
        LogLoadFailure(fileName, SDL_GetError());
        return Gfx::GetNullSurface();
    }
    if (loaded->w != info.width || loaded->h != info.height || loaded->w <= 0 || loaded->h <= 0) {
        SDL_FreeSurface(loaded);
        LogLoadFailure(fileName, "the decoded image does not match its header");
        return Gfx::GetNullSurface();
    }

    // Pixels of the colour key turn transparent in the conversion.
    const CColor key = format.colorKey;
    SDL_SetColorKey(loaded, SDL_SRCCOLORKEY, SDL_MapRGB(loaded->format, key.r, key.g, key.b));
    SDL_Surface* converted = nullptr;
    if (SDL_GetVideoSurface()) {
        converted =
            loaded->format->alpha == 0 ? SDL_DisplayFormat(loaded) : SDL_DisplayFormatAlpha(loaded);
    } else if (SDL_Surface* target = sdlpixels::CreateAlphaSurface(loaded->w, loaded->h)) {
        // No video mode: convert to 32-bit ARGB by hand.
        converted = SDL_ConvertSurface(loaded, target->format, SDL_SWSURFACE | SDL_SRCALPHA);
        SDL_FreeSurface(target);
    }
    SDL_FreeSurface(loaded);
    if (!converted) {
        LogLoadFailure(fileName, SDL_GetError());
        return Gfx::GetNullSurface();
    }
    manager->AddNew(fileName, converted, false);
    return new CPixelSDL(converted, fileName);
}

IPixel* CGfxFactorySDL::NewReference(IPixel* surface) {
    CPixelSDL* original = dynamic_cast<CPixelSDL*>(surface);
    if (!original || original->Empty()) return Gfx::GetNullSurface();
    CTextureManagerSDL* manager = CTextureManagerSDL::GetSingleton();
    IPixel* reference;
    if (manager->IsManaged(original->GetSurface()) &&
        manager->AddReference(original->GetSurface())) {
        reference = new CPixelSDL(original->GetSurface(), original->GetFilename());
    } else {
        reference = original->Clone();
    }
    reference->SetParameter(IPixel::PARAM_COPY_MODE, original->GetCopyMode() ? 1 : 0);
    reference->SetSourceRect(original->GetSourceRect());
    return reference;
}

void CGfxFactorySDL::FreeImage(IPixel* surface) {
    if (!surface || surface->IsNullSurface()) return;
    delete surface;
}

IPixel* CGfxFactorySDL::NewBufferFromColors(int w, int h, const std::vector<CColor>& colors) {
    if (colors.size() != size_t(w) * size_t(h)) return Gfx::GetNullSurface();
    IPixel* buffer = NewAlphaBuffer(w, h);
    if (CPixelSDL* pixels = dynamic_cast<CPixelSDL*>(buffer)) {
        sdlpixels::WriteColors(pixels->GetSurface(), colors);
        pixels->NoteWritten();
    }
    return buffer;
}

}  // namespace vorn
