#pragma once

#include "vorn/gfx/CPixelD3D.h"

namespace vorn {

// The accelerated back end's screen: stands for the device's back buffer. It
// is only drawn onto: surfaces drawn onto it go through the sprite interface
// (see CGlobalD3D), and Flip ends the frame and presents it. Reading or
// changing it pixel by pixel is not implemented: PutPixel, GetPixel, Clean,
// Resize, Rotate, SetAlpha, Clone, both BlitTo and SaveTo only log
// "CPixelScreenD3D::<name>() : not implemented!". Screenshots read the back
// buffer through CGlobalD3D::ReadBackBuffer.
class CPixelScreenD3D : public CPixelD3D {
public:
    // Of 0 x 0 pixels until SetSize.
    CPixelScreenD3D();

    // The back buffer's size; the source rectangle becomes all of it.
    void SetSize(int width, int height);

    bool Empty() const override { return GetWidth() <= 0 || GetHeight() <= 0; }
    void PutPixel(int x, int y, const CColor& color) override;
    CColor GetPixel(int x, int y) const override;
    void Clean(const types_rect& rect) override;
    IPixel* Resize(int w, int h) const override;
    IPixel* Rotate(float degrees) const override;
    IPixel* SetAlpha(uint8_t alpha) const override;
    IPixel* Clone() const override;
    bool BlitTo(IPixel* target, const types_rect& source, const types_point& destination) override;
    bool BlitTo(IPixel* target) override;
    void SetSourceRect(const types_rect&) override {}
    bool IsClipped() const override { return false; }
    int GetSurfaceWidth() const override { return GetWidth(); }
    int GetSurfaceHeight() const override { return GetHeight(); }
    void SetParameter(int, uint32_t) override {}
    bool SaveTo(const std::string& fileName) override;
    // Ends the frame when one is open: lines, end of scene, present.
    void Flip() override;
};

}  // namespace vorn
