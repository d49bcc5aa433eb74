#include "vorn/gfx/CPixelScreenD3D.h"

#include "vorn/console/CLog.h"
#include "vorn/gfx/CGlobalD3D.h"
#include "vorn/gfx/Gfx.h"

namespace vorn {

namespace {

void NotImplemented(const char* what) {
    CLog::GetSingleton()->Write(std::string("CPixelScreenD3D::") + what +
                                "() : not implemented!\n");
}

}  // namespace

CPixelScreenD3D::CPixelScreenD3D() = default;

void CPixelScreenD3D::SetSize(int width, int height) {
    SetScreenRect(types_rect(0, 0, width > 0 ? width : 0, height > 0 ? height : 0));
}

void CPixelScreenD3D::PutPixel(int, int, const CColor&) {
    NotImplemented("PutPixel");
}

CColor CPixelScreenD3D::GetPixel(int, int) const {
    NotImplemented("GetPixel");
    return CColor(0, 0, 0, 255);
}

void CPixelScreenD3D::Clean(const types_rect&) {
    NotImplemented("Clean");
}

IPixel* CPixelScreenD3D::Resize(int, int) const {
    NotImplemented("Resize");
    return Gfx::GetNullSurface();
}

IPixel* CPixelScreenD3D::Rotate(float) const {
    NotImplemented("Rotate");
    return Gfx::GetNullSurface();
}

IPixel* CPixelScreenD3D::SetAlpha(uint8_t) const {
    NotImplemented("SetAlpha");
    return Gfx::GetNullSurface();
}

IPixel* CPixelScreenD3D::Clone() const {
    NotImplemented("Clone");
    return Gfx::GetNullSurface();
}

bool CPixelScreenD3D::BlitTo(IPixel*, const types_rect&, const types_point&) {
    NotImplemented("BlitTo");
    return false;
}

bool CPixelScreenD3D::BlitTo(IPixel*) {
    NotImplemented("BlitTo");
    return false;
}

bool CPixelScreenD3D::SaveTo(const std::string&) {
    NotImplemented("SaveTo");
    return false;
}

void CPixelScreenD3D::Flip() {
    if (CGlobalD3D* global = CGlobalD3D::PeekSingleton()) global->EndFrame();
}

}  // namespace vorn
