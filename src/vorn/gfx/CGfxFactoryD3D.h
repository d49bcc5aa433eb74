#pragma once

#include "vorn/gfx/CGfxFactory.h"

namespace vorn {

class CPixelD3D;

// The graphics factory of the accelerated back end: surfaces on textures of
// the device in CGlobalD3D (see CPixelD3D).
//
//  - NewBuffer / NewAlphaBuffer (w, h): a texture of w x h cleaned to its
//    clear colour (opaque black for NewBuffer, transparent for NewAlphaBuffer,
//    which sets copy mode as under SDL). Failure (no device, a size beyond
//    Gfx's limits or the device's) logs "D3D_NewBuffer() - Couldn't create new
//    buffer (w, h), because D3DXCreateTexture failed." and gives the null
//    surface.
//  - LoadImage: BMP, PNG and JPEG files decoded as the SDL back end decodes
//    them (the format's colour key turns transparent), shared through the
//    texture registry (CTextureManagerD3D). Failures give the null surface
//    and "Couldn't load image (file), because ..." with the reason: the
//    device "wasn't initialized", "D3DXGetImageInfoFromFile failed" (missing,
//    unknown or damaged file) or "D3DXCreateTextureFromFileEx failed" (too
//    large, undecodable, or refused by the device), a second line saying more.
//  - NewReference: file textures are shared (the registry counts); buffers
//    are copied on the device.
//  - NewBufferFromColors uploads the colours; ReadColors reads the texture
//    back.
class CGfxFactoryD3D : public CGfxFactory {
public:
    IPixel* NewBuffer(int w, int h) override;
    IPixel* NewAlphaBuffer(int w, int h) override;
    IPixel* LoadImage(const std::string& fileName, const CPixelFormat& format) override;
    IPixel* NewReference(IPixel* surface) override;
    void FreeImage(IPixel* surface) override;
    IPixel* NewBufferFromColors(int w, int h, const std::vector<CColor>& colors) override;
    std::vector<CColor> ReadColors(IPixel* surface) override;

private:
    // A new buffer surface of w x h on a new texture, or null (logged).
    static CPixelD3D* MakeBuffer(int w, int h);
};

}  // namespace vorn
