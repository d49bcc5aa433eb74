#include "vorn/gfx/CPixelScreenSDL.h"

#include <typeinfo>

#include "vorn/console/CConsole.h"
#include "vorn/tasks/CApplicationFactory.h"
#include "vorn/utils/containers/CVarRef.h"

namespace vorn {

namespace {

// Bound by address into the console, so they outlive every screen surface.
int ourFlipRectsSize = CPixelScreenSDL::DEFAULT_FLIP_RECTS_SIZE;
bool ourFlipDebugRects = false;

template <class T>
void Bind(CConsole* console, const std::string& name, T* value, T defaultValue) {
    CVarRefBase* existing = console->FindVariable(name);
    if (existing && existing->GetTypeName() == typeid(T).name()) return;  // bound already
    // A new console starts from the defaults, or from what a script assigned.
    *value = existing ? CastFromString<T>(existing->GetValue()) : defaultValue;
    console->AddVariable(name, new CVarRef<T>(value, name));
}

}  // namespace

CPixelScreenSDL::CPixelScreenSDL() {
    RegisterVariables();
    AdoptVideoSurface();
}

CPixelScreenSDL::~CPixelScreenSDL() {
    // SDL owns the video surface: never hand it to the texture manager.
    SetSurface(nullptr, false);
}

void CPixelScreenSDL::RegisterVariables() {
    CApplicationFactory* application = CApplicationFactory::PeekSingleton();
    if (!application) return;
    CConsole* console = application->GetConsole();
    Bind(console, "gfx_flip_rects_size", &ourFlipRectsSize, int(DEFAULT_FLIP_RECTS_SIZE));
    Bind(console, "gfx_flip_debug_rects", &ourFlipDebugRects, false);
}

int CPixelScreenSDL::GetFlipRectsSize() {
    return ourFlipRectsSize;
}

void CPixelScreenSDL::SetFlipRectsSize(int size) {
    ourFlipRectsSize = size;
}

bool CPixelScreenSDL::GetFlipDebugRects() {
    return ourFlipDebugRects;
}

void CPixelScreenSDL::AdoptVideoSurface() {
    SetSurface(SDL_GetVideoSurface(), false);
    myScreenRect = GetSourceRect();
    myUpdateRects.clear();
    myWholeScreen = true;
}

void CPixelScreenSDL::ReleaseVideoSurface() {
    SetSurface(nullptr, false);
    myScreenRect = GetSourceRect();
    myUpdateRects.clear();
    myWholeScreen = true;
}

void CPixelScreenSDL::AddUpdateRect(const types_rect& rect) {
    if (myWholeScreen) return;
    if (rect == myScreenRect) {
        myWholeScreen = true;
        myUpdateRects.clear();
        return;
    }
    const types_rect clipped = rect.Intersection(myScreenRect);
    if (clipped.IsEmpty()) return;
    const int limit = ourFlipRectsSize;
    if (limit > 0 && static_cast<int>(myUpdateRects.size()) >= limit) {
        myWholeScreen = true;
        myUpdateRects.clear();
        return;
    }
    myUpdateRects.push_back(clipped);
}

void CPixelScreenSDL::Flip() {
    if (SDL_Surface* screen = GetSurface()) SDL_Flip(screen);
    myUpdateRects.clear();
    myWholeScreen = false;
}

}  // namespace vorn
