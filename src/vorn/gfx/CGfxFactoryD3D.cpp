#include "vorn/gfx/CGfxFactoryD3D.h"

#include <memory>

#include "vorn/console/CLog.h"
#include "vorn/gfx/CD3DTexture.h"
#include "vorn/gfx/CGLDevice.h"
#include "vorn/gfx/CGlobalD3D.h"
#include "vorn/gfx/CPixelD3D.h"
#include "vorn/gfx/Gfx.h"

namespace vorn {

namespace {

CGLDevice* Device() {
    return CGlobalD3D::GetSingleton()->GetDevice();
}

void LogLoadFailure(const std::string& fileName, const char* because, const std::string& detail) {
    CLog::GetSingleton()->Error() << "Couldn't load image (" << fileName << "), because " << because
                                  << "\n";
    if (!detail.empty()) CLog::GetSingleton()->Warning() << "  " << detail << "\n";
}

}  // namespace

CPixelD3D* CGfxFactoryD3D::MakeBuffer(int w, int h) {
    std::unique_ptr<CD3DTexture> texture;
    if (Device() && Gfx::IsSurfaceSizeAllowed(w, h)) {
        texture = std::make_unique<CD3DTexture>(w, h);
        if (!texture->Create()) texture.reset();
    }
    if (!texture) {
        CLog::GetSingleton()->Error() << "D3D_NewBuffer() - Couldn't create new buffer (" << w
                                      << ", " << h << "), because D3DXCreateTexture failed.\n";
        return nullptr;
    }
    return new CPixelD3D(texture.release(), false);
}

IPixel* CGfxFactoryD3D::NewBuffer(int w, int h) {
    CPixelD3D* buffer = MakeBuffer(w, h);
    if (!buffer) return Gfx::GetNullSurface();
    buffer->SetOpaque(true);
    buffer->SetParameter(IPixel::PARAM_CLEAR_COLOR, 0xFF000000);
    buffer->Clean(types_rect(0, 0, w, h));
    return buffer;
}

IPixel* CGfxFactoryD3D::NewAlphaBuffer(int w, int h) {
    CPixelD3D* buffer = MakeBuffer(w, h);
    if (!buffer) return Gfx::GetNullSurface();
    // A new texture is transparent black: cleaned already.
    buffer->SetParameter(IPixel::PARAM_COPY_MODE, 1);
    return buffer;
}

IPixel* CGfxFactoryD3D::LoadImage(const std::string& fileName, const CPixelFormat& format) {
    if (!Device()) {
        LogLoadFailure(fileName, "Direct3D device wasn't initialized.", "");
        return Gfx::GetNullSurface();
    }
    CTextureManagerD3D* registry = CTextureManagerD3D::GetSingleton();
    if (registry->IsLoaded(fileName)) return new CPixelD3D(registry->GetPointer(fileName), true);

    auto texture = std::make_unique<CD3DTexture>(0, 0, fileName, format.colorKey);
    std::string problem;
    switch (texture->Load(problem)) {
        case CD3DTexture::LOAD_OK:
            break;
        case CD3DTexture::LOAD_NO_DEVICE:
            LogLoadFailure(fileName, "Direct3D device wasn't initialized.", "");
            return Gfx::GetNullSurface();
        case CD3DTexture::LOAD_NO_INFO:
            LogLoadFailure(fileName, "D3DXGetImageInfoFromFile failed.", problem);
            return Gfx::GetNullSurface();
        default:
            LogLoadFailure(fileName, "D3DXCreateTextureFromFileEx failed.", problem);
            return Gfx::GetNullSurface();
    }
    CD3DTexture* shared = texture.release();
    shared->Grab();  // the registry's reference
    registry->AddNew(fileName, shared, false);
    return new CPixelD3D(shared, true);
}

IPixel* CGfxFactoryD3D::NewReference(IPixel* surface) {
    CPixelD3D* original = dynamic_cast<CPixelD3D*>(surface);
    if (!original || original->Empty()) return Gfx::GetNullSurface();
    CD3DTexture* texture = original->GetTexture();
    CTextureManagerD3D* registry = CTextureManagerD3D::GetSingleton();
    CPixelD3D* reference = nullptr;
    if (original->IsManaged() && registry->IsManaged(texture) && registry->AddReference(texture)) {
        reference = new CPixelD3D(texture, true);
    } else {
        // A buffer: a copy of its pixels on a texture of its own.
        CGLDevice* device = Device();
        std::vector<uint32_t> pixels;
        CGlobalD3D::GetSingleton()->FlushSprites();
        if (!device || !texture->HasTexture() ||
            !device->ReadTexture(texture->GetHandle(), texture->GetWidth(), texture->GetHeight(),
                                 pixels))
            return Gfx::GetNullSurface();
        reference = MakeBuffer(texture->GetWidth(), texture->GetHeight());
        if (!reference) return Gfx::GetNullSurface();
        device->Upload(reference->GetTexture()->GetHandle(),
                       types_rect(0, 0, texture->GetWidth(), texture->GetHeight()), pixels.data());
        reference->SetOpaque(original->IsOpaque());
        reference->SetParameter(IPixel::PARAM_CLEAR_COLOR, original->GetClearColor().ToARGB());
    }
    reference->SetParameter(IPixel::PARAM_COPY_MODE, original->GetCopyMode() ? 1 : 0);
    reference->SetSourceRect(original->GetSourceRect());
    return reference;
}

void CGfxFactoryD3D::FreeImage(IPixel* surface) {
    if (!surface || surface->IsNullSurface()) return;
    delete surface;
}

IPixel* CGfxFactoryD3D::NewBufferFromColors(int w, int h, const std::vector<CColor>& colors) {
    if (colors.size() != size_t(w) * size_t(h)) return Gfx::GetNullSurface();
    CPixelD3D* buffer = MakeBuffer(w, h);
    if (!buffer) return Gfx::GetNullSurface();
    buffer->SetParameter(IPixel::PARAM_COPY_MODE, 1);
    std::vector<uint32_t> pixels(colors.size());
    for (size_t i = 0; i < colors.size(); ++i)
        pixels[i] = CGLDevice::Premultiply(colors[i]);
    if (!Device()->Upload(buffer->GetTexture()->GetHandle(), types_rect(0, 0, w, h), pixels.data()))
        CLog::GetSingleton()->Error() << "D3D_NewBuffer() - LockRect failed\n";
    return buffer;
}

std::vector<CColor> CGfxFactoryD3D::ReadColors(IPixel* surface) {
    std::vector<CColor> colors;
    CPixelD3D* pixels = dynamic_cast<CPixelD3D*>(surface);
    CGLDevice* device = Device();
    if (!pixels || pixels->Empty() || !device) return colors;
    if (pixels->IsTransformed()) {
        // Scaled or turned when drawn: draw it into a buffer and read that.
        std::unique_ptr<IPixel> drawn(NewAlphaBuffer(pixels->GetWidth(), pixels->GetHeight()));
        if (drawn->IsNullSurface()) {
            drawn.release();
            return colors;
        }
        if (pixels->BlitTo(drawn.get(), types_rect(0, 0, pixels->GetWidth(), pixels->GetHeight()),
                           types_point(0, 0)))
            colors = ReadColors(drawn.get());
        return colors;
    }
    CD3DTexture* texture = pixels->GetTexture();
    std::vector<uint32_t> all;
    CGlobalD3D::GetSingleton()->FlushSprites();
    if (!texture->HasTexture() ||
        !device->ReadTexture(texture->GetHandle(), texture->GetWidth(), texture->GetHeight(), all))
        return colors;
    const types_rect r = pixels->GetSourceRect();
    colors.reserve(size_t(r.w) * r.h);
    for (int y = r.y; y < r.y + r.h; ++y)
        for (int x = r.x; x < r.x + r.w; ++x)
            colors.push_back(CGLDevice::Unpremultiply(all[size_t(y) * texture->GetWidth() + x]));
    return colors;
}

}  // namespace vorn
