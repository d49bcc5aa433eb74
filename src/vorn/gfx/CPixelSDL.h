#pragma once

#include <SDL.h>

#include <functional>
#include <memory>
#include <string>

#include "vorn/gfx/CTextureManager.h"
#include "vorn/gfx/IPixel.h"
#include "vorn/gfx/Resampling.h"

namespace vorn {

// SDL surfaces are freed with SDL_FreeSurface when the texture manager lets go.
template <>
struct CTextureReleaser<SDL_Surface*> {
    static void Release(SDL_Surface* surface) { SDL_FreeSurface(surface); }
};
using CTextureManagerSDL = CTextureManager<SDL_Surface*>;

// A surface of the SDL back end: an SDL software surface with a source
// rectangle. The SDL surface is handed back to the texture manager when this
// object dies (which frees it unless other surfaces still share it).
//
// Blits into a surface in copy mode, and blits from a copy source, copy the
// source pixels with their alpha; blits into a surface in blend mode blend
// them in floating point; otherwise images with per-pixel alpha are blended
// by sdlpixels::BlitAlphaPixels (the picture SDL's blit gives, faster) and
// everything else by SDL's own blit.
class CPixelSDL : public IPixel {
public:
    CPixelSDL() = default;
    // Takes over surface (may be null).
    explicit CPixelSDL(SDL_Surface* surface, const std::string& fileName = "");
    ~CPixelSDL() override;
    CPixelSDL(const CPixelSDL&) = delete;
    CPixelSDL& operator=(const CPixelSDL&) = delete;

    bool IsNullSurface() const override { return false; }
    int GetPixelType() const override { return PIXEL_SDL; }
    bool Empty() const override { return mySurface == nullptr; }
    void PutPixel(int x, int y, const CColor& color) override;
    CColor GetPixel(int x, int y) const override;
    void Clean(const types_rect& rect) override;
    int GetWidth() const override { return mySourceRect.w; }
    int GetHeight() const override { return mySourceRect.h; }
    IPixel* Resize(int w, int h) const override;
    IPixel* Rotate(float degrees) const override;
    // Turns into spare's own surface when spare is a surface of this back
    // end that no other object shares, made as Rotate makes them, at least
    // as large as the turn and not much larger: no new surface to make and
    // clear. Its settings become a new surface's; its pixels outside the
    // turn become transparent. Otherwise the turn gets a new surface large
    // enough for any angle (its source rectangle the turn's size), so that
    // the turns after it fit.
    IPixel* RotateReusing(float degrees, IPixel* spare) const override;
    IPixel* SetAlpha(uint8_t alpha) const override;
    IPixel* Clone() const override;
    bool BlitTo(IPixel* target, const types_rect& source, const types_point& destination) override;
    bool BlitTo(IPixel* target) override;
    void SetSourceRect(const types_rect& rect) override;
    types_rect GetSourceRect() const override { return mySourceRect; }
    bool IsClipped() const override;
    int GetSurfaceWidth() const override { return mySurface ? mySurface->w : 0; }
    int GetSurfaceHeight() const override { return mySurface ? mySurface->h : 0; }
    int GetSourceX() const override { return mySourceRect.x; }
    int GetSourceY() const override { return mySourceRect.y; }
    void SetParameter(int which, uint32_t value) override;
    bool SaveTo(const std::string& fileName) override;
    std::string GetFilename() const override { return myFileName; }
    void Flip() override {}
    void AddUpdateRect(const types_rect&) override {}

    // rect (relative to the source rectangle) moved into surface coordinates
    // and clipped to the source rectangle.
    types_rect ClipToSource(const types_rect& rect) const;
    // An SDL surface holding exactly the source rectangle: the surface itself
    // when it is not clipped, else a copy kept until the size changes.
    SDL_Surface* GetClippedSurface();
    SDL_Surface* GetSurface() const { return mySurface; }
    // To be called by code that wrote into GetSurface()'s pixels itself:
    // what was read from them before (for turning) is read afresh.
    void NoteWritten();
    // Takes over surface; the source rectangle becomes all of it. The old
    // surface goes back to the texture manager when release is set.
    void SetSurface(SDL_Surface* surface, bool release = true);

    bool GetCopyMode() const { return myCopyMode; }
    bool GetBlendMode() const { return myBlendMode; }
    bool GetCopySource() const { return myCopySource; }
    CColor GetClearColor() const { return myClearColor; }
    // The engine-wide values set through PARAM_ENGINE_VALUE_A and _B.
    static uint32_t GetEngineValue(int which);

private:
    // A new surface object on an SDL surface made here, or the null surface.
    static IPixel* Wrap(SDL_Surface* surface);
    // A new alpha surface of w x h whose pixels fill writes, or the null surface.
    static IPixel* WrapNew(int w, int h,
                           const std::function<void(const resampling::CTarget&)>& fill);
    // The source rectangle packed 0xAARRGGBB, the colour key made transparent.
    resampling::CImage ReadSource(bool premultiply) const;
    // The source rectangle read for turning (premultiplied, padded): the
    // copy kept from the last turn when the pixels are unchanged since,
    // else read into scratch. Null when it cannot be read.
    const resampling::CImage* ReadTurnSource(resampling::CImage& scratch) const;
    // True when the surface can take a new image of w x h in place (see
    // RotateReusing) and is no larger than needed for it, or than full x
    // full.
    bool CanRefill(int w, int h, int full) const;
    // The surface made to show a new image of w x h at its top-left, written
    // by fill (every pixel of the w x h; the target is not cleared), as a
    // new surface from CreateAlphaSurface would show it.
    void Refill(int w, int h, const std::function<void(const resampling::CTarget&)>& fill);
    void FreeClippedSurface();

    SDL_Surface* mySurface = nullptr;
    types_rect mySourceRect;
    std::string myFileName;
    CColor myClearColor = CColor(0, 0, 0, 0);
    bool myCopyMode = false;
    bool myBlendMode = false;
    bool myCopySource = false;
    SDL_Surface* myClippedSurface = nullptr;
    // Every pixel of the surface outside the source rectangle is 0 (set by
    // Refill, which keeps it so).
    bool myZeroOutsideSource = false;

    // What turning read last (see ReadTurnSource): the source of a sprite
    // that turns every frame is premultiplied once, not at every turn.
    struct CTurnSource {
        resampling::CImage padded;  // empty until the second turn
        types_rect rect;
        uint64_t stamp = 0;
        Uint32 flags = 0;
        Uint32 colorKey = 0;
    };
    // Counts the writes into the surface. A surface shown by several
    // objects (a loaded image) counts in ourSharedWrites, which every
    // object on a shared surface writing anything moves on.
    uint64_t WriteStamp() const { return myShared ? ourSharedWrites : myWrites; }
    static uint64_t ourSharedWrites;
    uint64_t myWrites = 0;
    bool myShared = false;
    mutable std::unique_ptr<CTurnSource> myTurnSource;
};

}  // namespace vorn
