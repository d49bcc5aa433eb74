#include "vorn/gfx/CD3DTexture.h"

#include <SDL.h>

#include "vorn/console/CLog.h"
#include "vorn/gfx/CGLDevice.h"
#include "vorn/gfx/CGfxFactorySDL.h"
#include "vorn/gfx/CGlobalD3D.h"
#include "vorn/gfx/Gfx.h"
#include "vorn/gfx/ImageInfo.h"

namespace vorn {

namespace {

CGLDevice* Device() {
    CGlobalD3D* global = CGlobalD3D::PeekSingleton();
    return global ? global->GetDevice() : nullptr;
}

// The window's context is gone (video stopped): its textures went with it.
bool ContextGone(const CGLDevice* device) {
    return device->TestCooperativeLevel() == CGLDevice::DEVICE_LOST;
}

// Pending quads may use the texture about to change.
void Flush() {
    if (CGlobalD3D* global = CGlobalD3D::PeekSingleton()) global->FlushSprites();
}

// The image as the SDL back end converts it: 32-bit ARGB, the colour key's
// pixels transparent; then premultiplied. Null surface reasons in problem.
bool DecodeArgb(const std::string& fileName, const CColor& key, int format,
                std::vector<uint32_t>& pixels, std::string& problem) {
    SDL_Surface* loaded = CGfxFactorySDL::Decode(fileName, format);
    if (!loaded) {
        problem = SDL_GetError();
        return false;
    }
    SDL_SetColorKey(loaded, SDL_SRCCOLORKEY, SDL_MapRGB(loaded->format, key.r, key.g, key.b));
    SDL_Surface* target = SDL_CreateRGBSurface(SDL_SWSURFACE, 1, 1, 32, 0x00FF0000, 0x0000FF00,
                                               0x000000FF, 0xFF000000);
    SDL_Surface* converted =
        target ? SDL_ConvertSurface(loaded, target->format, SDL_SWSURFACE | SDL_SRCALPHA) : nullptr;
    if (target) SDL_FreeSurface(target);
    SDL_FreeSurface(loaded);
    if (!converted) {
        problem = SDL_GetError();
        return false;
    }
    pixels.resize(size_t(converted->w) * converted->h);
    bool ok = SDL_LockSurface(converted) == 0;
    if (ok) {
        for (int y = 0; y < converted->h; ++y) {
            const uint32_t* row = reinterpret_cast<const uint32_t*>(
                static_cast<const uint8_t*>(converted->pixels) + y * converted->pitch);
            for (int x = 0; x < converted->w; ++x)
                pixels[size_t(y) * converted->w + x] =
                    CGLDevice::Premultiply(CColor::FromARGB(row[x]));
        }
        SDL_UnlockSurface(converted);
    } else {
        problem = SDL_GetError();
    }
    SDL_FreeSurface(converted);
    return ok;
}

}  // namespace

CD3DTexture::CD3DTexture(int width, int height, const std::string& fileName, const CColor& colorKey)
    : myWidth(width), myHeight(height), myFileName(fileName), myColorKey(colorKey) {}

CD3DTexture::~CD3DTexture() {
    if (myHandle && !ReleaseTexture())
        CLog::GetSingleton()->Error() << "D3DTexture release failed\n";
}

void CD3DTexture::Drop() {
    if (--myReferences <= 0) delete this;
}

bool CD3DTexture::Create(const uint32_t* pixels) {
    CGLDevice* device = Device();
    if (!device) return false;
    if (myHandle) ReleaseTexture();
    myHandle = device->CreateTexture(myWidth, myHeight, pixels);
    return myHandle != 0;
}

CD3DTexture::LoadResult CD3DTexture::Load(std::string& problem) {
    if (!Device()) return LOAD_NO_DEVICE;
    // Look at the file before decoding: a truncated file or a header
    // claiming a huge size must not reach the decoders.
    CImageInfo info;
    if (!ReadImageInfo(myFileName, info, problem)) return LOAD_NO_INFO;
    if (!Gfx::IsSurfaceSizeAllowed(info.width, info.height)) {
        problem = std::string("the ") + ImageFormatName(info.format) + " image is " +
                  std::to_string(info.width) + " x " + std::to_string(info.height) +
                  " pixels, outside the sizes a surface may have";
        return LOAD_FAILED;
    }
    std::vector<uint32_t> pixels;
    if (!DecodeArgb(myFileName, myColorKey, info.format, pixels, problem)) return LOAD_FAILED;
    if (pixels.size() != size_t(info.width) * size_t(info.height)) {
        problem = "the decoded image does not match its header";
        return LOAD_FAILED;
    }
    myWidth = int(info.width);
    myHeight = int(info.height);
    // Made with its pixels: one upload.
    if (!Create(pixels.data())) {
        problem = "the device could not make a texture of " + std::to_string(myWidth) + " x " +
                  std::to_string(myHeight) + " pixels";
        return LOAD_FAILED;
    }
    return LOAD_OK;
}

bool CD3DTexture::ReleaseTexture() {
    if (!myHandle) return true;
    const unsigned handle = myHandle;
    myHandle = 0;
    CGLDevice* device = Device();
    if (!device) return false;
    if (ContextGone(device)) return true;
    Flush();
    return device->DeleteTexture(handle);
}

bool CD3DTexture::SavePixels() {
    CGLDevice* device = Device();
    if (!device || !myHandle) return false;
    Flush();
    return device->ReadTexture(myHandle, myWidth, myHeight, mySavedPixels);
}

bool CD3DTexture::RestorePixels() {
    CGLDevice* device = Device();
    if (!device || !myHandle) return false;
    if (mySavedPixels.size() != size_t(myWidth) * myHeight) return false;
    const bool ok =
        device->Upload(myHandle, types_rect(0, 0, myWidth, myHeight), mySavedPixels.data());
    if (ok) std::vector<uint32_t>().swap(mySavedPixels);
    return ok;
}

std::vector<CD3DTexture*> CD3DTexture::GetAll() {
    std::vector<CD3DTexture*> all;
    if (Entries* list = GetList())
        for (CAutoList<CD3DTexture>* entry : *list)
            all.push_back(Instance(entry));
    return all;
}

bool CD3DTexture::PrepareForReset() {
    // Without the window's context the pixels went with it: nothing to save.
    CGLDevice* device = Device();
    if (!device || ContextGone(device)) return true;
    bool ok = true;
    for (CD3DTexture* texture : GetAll()) {
        // Saved already (before the window changed its mode): those pixels
        // are the ones to keep.
        if (!texture->IsBuffer() || !texture->HasTexture() || !texture->mySavedPixels.empty())
            continue;
        if (!texture->SavePixels()) {
            CLog::GetSingleton()->Error() << "D3D_PrepareForReset() - LockRect failed\n";
            ok = false;
        }
    }
    return ok;
}

bool CD3DTexture::ReleaseAllTextures() {
    bool ok = true;
    for (CD3DTexture* texture : GetAll()) {
        if (!texture->ReleaseTexture()) {
            CLog::GetSingleton()->Error() << "D3D_ReleaseAllTextures - D3DTexture release failed\n";
            ok = false;
        }
    }
    return ok;
}

bool CD3DTexture::RecreateAllTextures() {
    bool ok = true;
    CLog& log = *CLog::GetSingleton();
    for (CD3DTexture* texture : GetAll()) {
        if (texture->HasTexture()) continue;
        if (texture->IsBuffer()) {
            if (!texture->Create()) {
                log.Error() << "D3D_RecreateAllTextures() - Failed at returning a buffer: Couldn't "
                               "create new buffer ("
                            << texture->myWidth << ", " << texture->myHeight
                            << "), because D3DXCreateTexture failed.\n";
                ok = false;
            } else if (!texture->mySavedPixels.empty() && !texture->RestorePixels()) {
                log.Error() << "D3D_RecreateAllTextures() - Failed at returning a buffer: LockRect "
                               "failed\n";
                ok = false;
            }
            continue;
        }
        std::string problem;
        if (texture->Load(problem) != LOAD_OK) {
            log.Error() << "D3D_RecreateAllTextures() - Failed at reloading a texture - "
                        << texture->myFileName << "\n";
            if (!problem.empty()) log.Warning() << "  " << problem << "\n";
            ok = false;
        }
    }
    return ok;
}

}  // namespace vorn
