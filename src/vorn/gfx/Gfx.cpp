#include "vorn/gfx/Gfx.h"

#include "vorn/console/CLog.h"
#include "vorn/gfx/CGfxFactory.h"
#include "vorn/gfx/CPixelNull.h"
#include "vorn/gfx/IScreenLayerHook.h"

namespace vorn::Gfx {

namespace {

// Stands in while no screen layer is registered: draws nothing, but keeps the
// strategy last asked for, so that a screen layer registered later (after
// the graphics task started) still gets it.
class CPendingScreenLayer : public CScreenLayerHookNull {
public:
    void InstallStrategy(Strategy strategy) override { myStrategy = strategy; }
    Strategy TakeStrategy() {
        const Strategy strategy = myStrategy;
        myStrategy = STRATEGY_NULL;
        return strategy;
    }

private:
    Strategy myStrategy = STRATEGY_NULL;
};

struct GfxState {
    CGfxFactory* factory = nullptr;
    IPixel* screen = nullptr;
    IScreenLayerHook* screenLayer = nullptr;
    CPendingScreenLayer pendingScreenLayer;
    bool backgroundBuffers = false;
};

GfxState& State() {
    static GfxState state;
    return state;
}

}  // namespace

bool IsSurfaceSizeAllowed(int64_t w, int64_t h) {
    return w >= 1 && h >= 1 && w <= MAX_SURFACE_SIDE && h <= MAX_SURFACE_SIDE &&
           w * h <= MAX_SURFACE_PIXELS;
}

void SetFactory(CGfxFactory* factory) {
    State().factory = factory;
}

CGfxFactory* GetFactory() {
    return State().factory;
}

IPixel* NewBuffer(int w, int h) {
    if (CGfxFactory* factory = State().factory) return factory->NewAlphaBuffer(w, h);
    CLog::GetSingleton()->Warning()
        << "Gfx::NewBuffer() - no GFXFactory given, cannot create graphics surface.\n";
    return GetNullSurface();
}

IPixel* NewBuffer(IPixel* surface) {
    if (CGfxFactory* factory = State().factory) return factory->NewReference(surface);
    CLog::GetSingleton()->Warning()
        << "Gfx::NewBuffer() - no GFXFactory given, cannot create graphics surface.\n";
    return GetNullSurface();
}

IPixel* NewOpaqueBuffer(int w, int h) {
    if (CGfxFactory* factory = State().factory) return factory->NewBuffer(w, h);
    return GetNullSurface();
}

IPixel* LoadImage(const std::string& fileName, const CPixelFormat& format) {
    if (CGfxFactory* factory = State().factory) return factory->LoadImage(fileName, format);
    CLog::GetSingleton()->Warning()
        << "Gfx::LoadImage() - no GFXFactory given, cannot create graphics surface.\n";
    return GetNullSurface();
}

IPixel* NewBuffer(int w, int h, const std::vector<CColor>& colors) {
    CGfxFactory* factory = State().factory;
    if (!factory) {
        CLog::GetSingleton()->Warning()
            << "Gfx::NewBuffer() - no GFXFactory given, cannot create graphics surface.\n";
        return GetNullSurface();
    }
    if (!IsSurfaceSizeAllowed(w, h) || colors.size() != size_t(w) * size_t(h)) {
        CLog::GetSingleton()->Warning()
            << "Gfx::NewBuffer() - " << colors.size() << " colours do not make a buffer of " << w
            << " x " << h << " pixels\n";
        return GetNullSurface();
    }
    return factory->NewBufferFromColors(w, h, colors);
}

std::vector<CColor> ReadColors(IPixel* surface) {
    CGfxFactory* factory = State().factory;
    if (!factory || !surface || surface->IsNullSurface()) return {};
    return factory->ReadColors(surface);
}

void FreeImage(IPixel* surface) {
    // Nothing to free: no message either, so that sprites outliving the
    // graphics task end quietly.
    if (!surface || surface->IsNullSurface()) return;
    // The graphics task owns the screen surface; freeing it here would leave
    // the task with a dangling pointer.
    if (surface == State().screen) {
        CLog::GetSingleton()->Warning()
            << "Gfx::FreeImage() - the screen surface is not freed here.\n";
        return;
    }
    if (CGfxFactory* factory = State().factory) {
        factory->FreeImage(surface);
        return;
    }
    CLog::GetSingleton()->Warning()
        << "Gfx::FreeImage() - no GFXFactory given, cannot free graphics surface.\n";
}

IPixel* GetNullSurface() {
    static CPixelNull* const nullSurface = new CPixelNull;  // lives to process end
    return nullSurface;
}

void SetScreenSurface(IPixel* screen) {
    State().screen = screen;
}

IPixel* GetScreenSurface() {
    return State().screen;
}

void SetBackgroundBuffers(bool use) {
    State().backgroundBuffers = use;
}

bool GetBackgroundBuffers() {
    return State().backgroundBuffers;
}

void SetScreenLayerHook(IScreenLayerHook* hook) {
    State().screenLayer = hook;
    if (!hook) return;
    const IScreenLayerHook::Strategy pending = State().pendingScreenLayer.TakeStrategy();
    if (pending != IScreenLayerHook::STRATEGY_NULL) hook->InstallStrategy(pending);
}

IScreenLayerHook* GetScreenLayerHook() {
    GfxState& state = State();
    return state.screenLayer ? state.screenLayer : &state.pendingScreenLayer;
}

}  // namespace vorn::Gfx
