#pragma once

#include "vorn/gfx/IPixel.h"

namespace vorn {

// The surface that stands in wherever an image cannot be made: no pixels, size
// 0 x 0, draws nothing. One shared instance (Gfx::GetNullSurface) lives for the
// whole process and is never deleted.
class CPixelNull : public IPixel {
public:
    bool IsNullSurface() const override { return true; }
    int GetPixelType() const override { return PIXEL_NULL; }
    bool Empty() const override { return true; }
    void PutPixel(int, int, const CColor&) override {}
    CColor GetPixel(int, int) const override { return CColor(0, 0, 0, 255); }
    void Clean(const types_rect&) override {}
    int GetWidth() const override { return 0; }
    int GetHeight() const override { return 0; }
    IPixel* Resize(int, int) const override;
    IPixel* Rotate(float) const override;
    IPixel* SetAlpha(uint8_t) const override;
    IPixel* Clone() const override;
    bool BlitTo(IPixel*, const types_rect&, const types_point&) override { return false; }
    bool BlitTo(IPixel*) override { return false; }
    void SetSourceRect(const types_rect&) override {}
    types_rect GetSourceRect() const override { return types_rect(); }
    bool IsClipped() const override { return false; }
    int GetSurfaceWidth() const override { return 0; }
    int GetSurfaceHeight() const override { return 0; }
    int GetSourceX() const override { return 0; }
    int GetSourceY() const override { return 0; }
    void SetParameter(int, uint32_t) override {}
    bool SaveTo(const std::string&) override { return false; }
    std::string GetFilename() const override { return ""; }
    void Flip() override {}
    void AddUpdateRect(const types_rect&) override {}
};

}  // namespace vorn
