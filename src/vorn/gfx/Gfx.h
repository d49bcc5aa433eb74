#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "vorn/gfx/CColor.h"
#include "vorn/gfx/CPixelFormat.h"

namespace vorn {

class CGfxFactory;
class IPixel;
class IScreenLayerHook;

// The engine's graphics switchboard: the current graphics factory, the shared
// null surface, the screen surface and the screen layer hook. All code makes
// and frees surfaces here, without knowing which back end is active.
//
// At start there is no factory: surfaces cannot be made and every request
// yields the null surface, with a warning in the log. The graphics task of a
// back end installs its factory and its screen surface when it starts and
// clears both when it stops. Engine thread only.
namespace Gfx {

// Largest surface the engine makes or loads: each side at most
// MAX_SURFACE_SIDE pixels and at most MAX_SURFACE_PIXELS pixels in all
// (64 MB at 4 bytes a pixel). Larger requests yield the null surface.
constexpr int MAX_SURFACE_SIDE = 8192;
constexpr int64_t MAX_SURFACE_PIXELS = 16 * 1024 * 1024;
// True when w x h is at least 1 x 1 and within the limits above.
bool IsSurfaceSizeAllowed(int64_t w, int64_t h);

// Makes factory current (not owned; null clears it).
void SetFactory(CGfxFactory* factory);
CGfxFactory* GetFactory();

// A buffer with an alpha channel (the factory's NewAlphaBuffer).
IPixel* NewBuffer(int w, int h);
// A second surface on the pixels of surface (the factory's NewReference).
IPixel* NewBuffer(IPixel* surface);
// An opaque buffer (the factory's NewBuffer); without a factory the null
// surface, silently.
IPixel* NewOpaqueBuffer(int w, int h);
IPixel* LoadImage(const std::string& fileName, const CPixelFormat& format = CPixelFormat());
// A buffer with an alpha channel holding colors, w x h of them row by row
// (the factory's NewBufferFromColors); the null surface, with a warning, when
// there is no factory or the count does not match.
IPixel* NewBuffer(int w, int h, const std::vector<CColor>& colors);
// The colours of a surface's source rectangle, row by row (the factory's
// ReadColors); empty without a factory.
std::vector<CColor> ReadColors(IPixel* surface);
// Deletes a surface made by the factory; null, the null surface and the
// screen surface are left alone.
void FreeImage(IPixel* surface);

// The one shared null surface, made on first use and never freed.
IPixel* GetNullSurface();

// The screen surface of the running graphics task (not owned); null when none.
void SetScreenSurface(IPixel* screen);
IPixel* GetScreenSurface();

// Whether sprites keep a copy of the pixels under them (on under SDL, whose
// screen is redrawn only where something changed; off under Direct3D).
void SetBackgroundBuffers(bool use);
bool GetBackgroundBuffers();

// The screen layer as the graphics task sees it (not owned; null restores the
// built-in hook that draws nothing). Never returns null. A strategy installed
// while no screen layer is registered is handed to the next one registered.
void SetScreenLayerHook(IScreenLayerHook* hook);
IScreenLayerHook* GetScreenLayerHook();

}  // namespace Gfx

}  // namespace vorn
