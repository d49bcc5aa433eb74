#pragma once

#include <cstdint>
#include <string>

#include "vorn/gfx/CGLDevice.h"
#include "vorn/gfx/IPixel.h"

namespace vorn {

class CD3DTexture;

// A surface of the accelerated back end: a texture record (CD3DTexture) with a
// source rectangle, drawn through the device in CGlobalD3D.
//
// What is drawn is worked out when drawing, not by copying pixels: Resize,
// Rotate and SetAlpha give a new surface on the same texture that carries a
// scale, an angle and a draw alpha. Its size is the size the SDL back end's
// copy would have (the scaled size; for a turn, the box holding the turned
// image) and it is drawn at that place, turned about the image's centre, so
// sprites are placed alike under both back ends.
//
// Drawing onto the screen goes through the sprite interface (blended by
// alpha; the first draw of a frame opens it, see CGlobalD3D); drawing onto
// another texture renders into it, in copy mode (buffers from
// NewAlphaBuffer), blend mode or, with neither, blending that keeps the
// target's alpha, as blits do under SDL.
//
// PutPixel, GetPixel, Clone and SaveTo are not implemented (each call logs a
// line); Gfx::ReadColors and Gfx::NewBuffer(w, h, colours) read and make
// pixels. Clean, SetParameter (copy and blend mode, clear colour, the two
// engine values) work as under SDL. Surfaces derived by Resize, Rotate or
// SetAlpha share the texture: Clean on one changes all of them.
class CPixelD3D : public IPixel {
public:
    // Holds one reference on texture (may be null); when managed, the
    // texture registry's count is released too when the surface dies.
    CPixelD3D(CD3DTexture* texture, bool managed);
    ~CPixelD3D() override;
    CPixelD3D(const CPixelD3D&) = delete;
    CPixelD3D& operator=(const CPixelD3D&) = delete;

    bool IsNullSurface() const override { return false; }
    int GetPixelType() const override { return PIXEL_D3D; }
    bool Empty() const override { return myTexture == nullptr; }
    void PutPixel(int x, int y, const CColor& color) override;
    CColor GetPixel(int x, int y) const override;
    void Clean(const types_rect& rect) override;
    int GetWidth() const override { return mySourceRect.w; }
    int GetHeight() const override { return mySourceRect.h; }
    IPixel* Resize(int w, int h) const override;
    IPixel* Rotate(float degrees) const override;
    IPixel* SetAlpha(uint8_t alpha) const override;
    IPixel* Clone() const override;
    bool BlitTo(IPixel* target, const types_rect& source, const types_point& destination) override;
    bool BlitTo(IPixel* target) override;
    void SetSourceRect(const types_rect& rect) override;
    types_rect GetSourceRect() const override { return mySourceRect; }
    bool IsClipped() const override;
    int GetSurfaceWidth() const override;
    int GetSurfaceHeight() const override;
    int GetSourceX() const override { return mySourceRect.x; }
    int GetSourceY() const override { return mySourceRect.y; }
    void SetParameter(int which, uint32_t value) override;
    bool SaveTo(const std::string& fileName) override;
    std::string GetFilename() const override;
    void Flip() override {}
    void AddUpdateRect(const types_rect&) override {}

    CD3DTexture* GetTexture() const { return myTexture; }
    bool IsManaged() const { return myManaged; }
    // What drawing applies: the scale of the shown texels, the angle
    // (radians, (360 - degrees) x pi / 180 as Rotate stores it) and alpha.
    float GetScaleX() const { return myScaleX; }
    float GetScaleY() const { return myScaleY; }
    float GetRotation() const { return myRotation; }
    uint8_t GetDrawAlpha() const { return myDrawAlpha; }
    bool IsTransformed() const { return myTransformed; }
    bool GetCopyMode() const { return myCopyMode; }
    bool GetBlendMode() const { return myBlendMode; }
    CColor GetClearColor() const { return myClearColor; }
    // An opaque buffer: its alpha stays 255 whatever is drawn or cleaned.
    void SetOpaque(bool opaque) { myOpaque = opaque; }
    bool IsOpaque() const { return myOpaque; }

protected:
    // The screen: no texture, a size of its own.
    CPixelD3D();
    void SetScreenRect(const types_rect& rect) { mySourceRect = rect; }

private:
    // A new surface on the same texture with the same drawing values.
    CPixelD3D* Derive() const;
    // Draws the part from (this surface's coordinates, inside its source
    // rectangle) with its top-left at (x, y) of the target.
    bool Draw(CPixelD3D* target, bool screen, const types_rect& from, int x, int y);

    CD3DTexture* myTexture = nullptr;
    bool myManaged = false;
    types_rect mySourceRect;
    // Transformed surfaces: the texels shown, the box they are turned in.
    bool myTransformed = false;
    types_rect myTexels;
    int myBoxWidth = 0;
    int myBoxHeight = 0;
    float myScaleX = 1.0f;
    float myScaleY = 1.0f;
    float myDegrees = 0.0f;
    float myRotation = 0.0f;
    uint8_t myDrawAlpha = 255;
    bool myCopyMode = false;
    bool myBlendMode = false;
    bool myOpaque = false;
    CColor myClearColor = CColor(0, 0, 0, 0);
};

}  // namespace vorn
