#include "vorn/gfx/CPixelD3D.h"

#include <cmath>
#include <vector>

#include "vorn/console/CLog.h"
#include "vorn/gfx/CD3DTexture.h"
#include "vorn/gfx/CGLSpriteBatch.h"
#include "vorn/gfx/CGlobalD3D.h"
#include "vorn/gfx/CPixelScreenD3D.h"
#include "vorn/gfx/Gfx.h"
#include "vorn/gfx/Resampling.h"

namespace vorn {

namespace {

constexpr float PI = 3.14159265358979f;

uint32_t ourEngineValues[2] = {0, 0};

void NotImplemented(const char* what) {
    CLog::GetSingleton()->Write(std::string("CPixelD3D::") + what + "() : not implemented!\n");
}

CGlobalD3D* Global() {
    return CGlobalD3D::GetSingleton();
}

}  // namespace

CPixelD3D::CPixelD3D() = default;

CPixelD3D::CPixelD3D(CD3DTexture* texture, bool managed) : myTexture(texture), myManaged(managed) {
    if (!texture) return;
    texture->Grab();
    mySourceRect = types_rect(0, 0, texture->GetWidth(), texture->GetHeight());
}

CPixelD3D::~CPixelD3D() {
    if (!myTexture) return;
    CD3DTexture* texture = myTexture;
    myTexture = nullptr;
    if (myManaged) CTextureManagerD3D::GetSingleton()->Release(texture);
    texture->Drop();
}

CPixelD3D* CPixelD3D::Derive() const {
    CPixelD3D* copy = new CPixelD3D(myTexture, false);
    copy->mySourceRect = mySourceRect;
    copy->myTransformed = myTransformed;
    copy->myTexels = myTexels;
    copy->myBoxWidth = myBoxWidth;
    copy->myBoxHeight = myBoxHeight;
    copy->myScaleX = myScaleX;
    copy->myScaleY = myScaleY;
    copy->myDegrees = myDegrees;
    copy->myRotation = myRotation;
    copy->myDrawAlpha = myDrawAlpha;
    copy->myClearColor = myClearColor;
    copy->myOpaque = myOpaque;
    return copy;
}

void CPixelD3D::PutPixel(int, int, const CColor&) {
    NotImplemented("PutPixel");
}

CColor CPixelD3D::GetPixel(int, int) const {
    NotImplemented("GetPixel");
    return CColor(0, 0, 0, 255);
}

IPixel* CPixelD3D::Clone() const {
    NotImplemented("Clone");
    return Gfx::GetNullSurface();
}

bool CPixelD3D::SaveTo(const std::string&) {
    NotImplemented("SaveTo");
    return false;
}

std::string CPixelD3D::GetFilename() const {
    return myTexture && myManaged ? myTexture->GetFilename() : "";
}

void CPixelD3D::Clean(const types_rect& rect) {
    // A turned or scaled surface shows its texels elsewhere: nothing to fill.
    if (!myTexture || myTransformed) return;
    const types_rect area =
        types_rect(rect.x + mySourceRect.x, rect.y + mySourceRect.y, rect.w, rect.h)
            .Intersection(mySourceRect);
    if (area.IsEmpty()) return;
    CColor color = myClearColor;
    if (myOpaque) color.a = 255;
    CGLDevice* device = Global()->GetDevice();
    Global()->FlushSprites();
    if (!device || !myTexture->HasTexture() ||
        !device->Fill(myTexture->GetHandle(), area, CGLDevice::Premultiply(color)))
        CLog::GetSingleton()->Error() << "CPixelD3D::Clean() - LockRect failed\n";
}

IPixel* CPixelD3D::Resize(int w, int h) const {
    if (!myTexture || mySourceRect.IsEmpty()) return Gfx::GetNullSurface();
    if (!Gfx::IsSurfaceSizeAllowed(w, h)) {
        CLog::GetSingleton()->Warning() << "CPixelD3D::Resize() - refused to make a surface of "
                                        << w << " x " << h << " pixels\n";
        return Gfx::GetNullSurface();
    }
    CPixelD3D* view = Derive();
    if (!myTransformed) {
        view->myTransformed = true;
        view->myTexels = mySourceRect;
        view->myScaleX = float(w) / float(mySourceRect.w);
        view->myScaleY = float(h) / float(mySourceRect.h);
    } else {
        // Scaling a turned image: the image inside scales with its box.
        view->myScaleX = myScaleX * float(w) / float(mySourceRect.w);
        view->myScaleY = myScaleY * float(h) / float(mySourceRect.h);
    }
    view->myBoxWidth = w;
    view->myBoxHeight = h;
    view->mySourceRect = types_rect(0, 0, w, h);
    return view;
}

IPixel* CPixelD3D::Rotate(float degrees) const {
    if (!myTexture || mySourceRect.IsEmpty()) return Gfx::GetNullSurface();
    if (!std::isfinite(degrees)) {
        CLog::GetSingleton()->Warning()
            << "CPixelD3D::Rotate() - refused to rotate by " << degrees << " degrees\n";
        return Gfx::GetNullSurface();
    }
    int w = 0, h = 0;
    resampling::RotatedSize(mySourceRect.w, mySourceRect.h, degrees, w, h);
    if (!Gfx::IsSurfaceSizeAllowed(w, h)) return Gfx::GetNullSurface();
    CPixelD3D* view = Derive();
    if (!myTransformed) {
        view->myTransformed = true;
        view->myTexels = mySourceRect;
    }
    view->myDegrees = std::fmod(myDegrees + degrees, 360.0f);
    view->myRotation = (360.0f - view->myDegrees) * PI / 180.0f;
    view->myBoxWidth = w;
    view->myBoxHeight = h;
    view->mySourceRect = types_rect(0, 0, w, h);
    return view;
}

IPixel* CPixelD3D::SetAlpha(uint8_t alpha) const {
    if (!myTexture) return Gfx::GetNullSurface();
    CPixelD3D* view = Derive();
    view->myDrawAlpha = uint8_t((unsigned(myDrawAlpha) * alpha + 127) / 255);
    return view;
}

bool CPixelD3D::BlitTo(IPixel* target) {
    return BlitTo(target, types_rect(0, 0, mySourceRect.w, mySourceRect.h),
                  types_point(mySourceRect.x, mySourceRect.y));
}

bool CPixelD3D::BlitTo(IPixel* target, const types_rect& source, const types_point& destination) {
    if (!myTexture || !myTexture->HasTexture()) {
        CLog::GetSingleton()->Write(
            "CPixelD3D::BlitTo() failed because source didn't have a texture set.\n");
        return false;
    }
    if (!target || target->IsNullSurface()) {
        CLog::GetSingleton()->Write(
            "CPixelD3D::BlitTo() - failed because we tried to blit to a null surface.\n");
        return false;
    }
    CPixelD3D* to = dynamic_cast<CPixelD3D*>(target);
    if (!to) return false;
    const bool screen = dynamic_cast<CPixelScreenD3D*>(to) != nullptr;
    if (!screen && (!to->myTexture || !to->myTexture->HasTexture())) {
        CLog::GetSingleton()->Write(
            "CPixelD3D::BlitTo() failed because destination didn't have a texture set.\n");
        return false;
    }
    // A turned or scaled surface is something to show, not to draw into.
    if (to->myTransformed) return false;

    // The part of the source that exists, then the part of the target it
    // meets, as an SDL blit clips.
    const types_rect wanted(source.x + mySourceRect.x, source.y + mySourceRect.y, source.w,
                            source.h);
    types_rect from = wanted.Intersection(mySourceRect);
    if (from.IsEmpty()) return true;
    const int toX = destination.x + (from.x - wanted.x) + to->mySourceRect.x;
    const int toY = destination.y + (from.y - wanted.y) + to->mySourceRect.y;
    const types_rect place = types_rect(toX, toY, from.w, from.h).Intersection(to->mySourceRect);
    if (place.IsEmpty()) return true;
    from = types_rect(from.x + place.x - toX, from.y + place.y - toY, place.w, place.h);
    return Draw(to, screen, from, place.x, place.y);
}

bool CPixelD3D::Draw(CPixelD3D* target, bool screen, const types_rect& from, int x, int y) {
    CGlobalD3D* global = Global();
    CGLDevice* device = global->GetDevice();
    CGLSpriteBatch* sprite = global->GetSprite();
    if (!device || !sprite) return false;
    if (screen && !global->BeginFrame()) return false;

    CGLSpriteBatch::CQuad quad;
    quad.texture = myTexture->GetHandle();
    quad.textureWidth = myTexture->GetWidth();
    quad.textureHeight = myTexture->GetHeight();
    quad.alpha = myDrawAlpha;
    if (screen) {
        quad.target = 0;
        quad.blend = CGLDevice::BLEND_OVER;
    } else {
        quad.target = target->myTexture->GetHandle();
        quad.targetWidth = target->myTexture->GetWidth();
        quad.targetHeight = target->myTexture->GetHeight();
        quad.blend = target->myCopyMode    ? CGLDevice::BLEND_COPY
                     : target->myBlendMode ? CGLDevice::BLEND_OVER
                                           : CGLDevice::BLEND_OVER_KEEP_ALPHA;
    }

    // Drawing a texture into itself: go through a copy of the part.
    std::unique_ptr<CD3DTexture> copy;
    if (!screen && target->myTexture == myTexture) {
        std::vector<uint32_t> pixels;
        global->FlushSprites();
        if (!device->ReadTexture(myTexture->GetHandle(), myTexture->GetWidth(),
                                 myTexture->GetHeight(), pixels))
            return false;
        copy = std::make_unique<CD3DTexture>(myTexture->GetWidth(), myTexture->GetHeight());
        if (!copy->Create() ||
            !device->Upload(copy->GetHandle(),
                            types_rect(0, 0, copy->GetWidth(), copy->GetHeight()), pixels.data()))
            return false;
        quad.texture = copy->GetHandle();
    }

    if (!myTransformed) {
        quad.texels = from;
        quad.transform.dx = float(x);
        quad.transform.dy = float(y);
        quad.sampling = CGLDevice::SAMPLE_NEAREST;
    } else {
        // The whole image, turned about its centre in the middle of its box,
        // shown only where the part asked for lies.
        quad.texels = myTexels;
        const float scaledW = myTexels.w * myScaleX, scaledH = myTexels.h * myScaleY;
        const float boxX = float(x - from.x), boxY = float(y - from.y);
        quad.transform = CTransform2D::Transformation2D(
            myScaleX, myScaleY, scaledW * 0.5f, scaledH * 0.5f, myRotation,
            boxX + (myBoxWidth - scaledW) * 0.5f, boxY + (myBoxHeight - scaledH) * 0.5f);
        const bool turned = myDegrees != 0.0f;
        quad.sampling = turned                                   ? CGLDevice::SAMPLE_LINEAR_BORDER
                        : (myScaleX != 1.0f || myScaleY != 1.0f) ? CGLDevice::SAMPLE_LINEAR_EDGE
                                                                 : CGLDevice::SAMPLE_NEAREST;
        quad.softEdges =
            turned && myTexels == types_rect(0, 0, quad.textureWidth, quad.textureHeight);
        quad.hasClip = true;
        quad.clip = types_rect(x, y, from.w, from.h);
    }
    sprite->Draw(quad);
    // The copy must outlive its quad.
    if (copy) global->FlushSprites();
    return true;
}

void CPixelD3D::SetSourceRect(const types_rect& rect) {
    const types_rect whole(0, 0, GetSurfaceWidth(), GetSurfaceHeight());
    types_rect inside = rect.Intersection(whole);
    if (inside.IsEmpty()) inside = types_rect(inside.x, inside.y, 0, 0);
    mySourceRect = inside;
}

bool CPixelD3D::IsClipped() const {
    return myTexture && mySourceRect != types_rect(0, 0, GetSurfaceWidth(), GetSurfaceHeight());
}

int CPixelD3D::GetSurfaceWidth() const {
    if (myTransformed) return myBoxWidth;
    return myTexture ? myTexture->GetWidth() : 0;
}

int CPixelD3D::GetSurfaceHeight() const {
    if (myTransformed) return myBoxHeight;
    return myTexture ? myTexture->GetHeight() : 0;
}

void CPixelD3D::SetParameter(int which, uint32_t value) {
    switch (which) {
        case PARAM_COPY_MODE:
            myCopyMode = value != 0;
            break;
        case PARAM_BLEND_MODE:
            myBlendMode = value != 0;
            break;
        case PARAM_ENGINE_VALUE_A:
        case PARAM_ENGINE_VALUE_B:
            ourEngineValues[which - PARAM_ENGINE_VALUE_A] = value;
            break;
        case PARAM_CLEAR_COLOR:
            myClearColor = CColor::FromARGB(value);
            break;
        default:
            break;
    }
}

}  // namespace vorn
