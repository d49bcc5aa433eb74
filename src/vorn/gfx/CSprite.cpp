#include "vorn/gfx/CSprite.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "vorn/console/CLog.h"
#include "vorn/gfx/CAnimationUpdator.h"
#include "vorn/gfx/CSpriteFactory.h"
#include "vorn/gfx/CSpriteLayer.h"
#include "vorn/gfx/Gfx.h"
#include "vorn/gfx/IPixel.h"
#include "vorn/gfx/Resampling.h"
#include "vorn/utils/xml/CXmlArchive.h"

// Sprite file values, in file order:
//   root attribute "type"  the class (see CSpriteFactory.h); written, read by the factory
//   "ImageFilename"        image file (string); written only when there is one
//   "BackgroundUsage"      bool, default 1; read only: 0 turns the background buffer off
//   "ScrollRect"           clipping window (x, y, w, h); written only when there is one
//   "ImageRect"            placement (x, y, w, h); a missing attribute keeps its value
//   "Z"                    depth (int)
//   "Alpha"                opacity (int, clamped to 0..255)

namespace vorn {

namespace {

constexpr float DEGREES_PER_RADIAN = 57.29578f;
constexpr float MIN_ROTATION_CHANGE = 0.01f;    // degrees
constexpr float MIN_CENTER_ROTATION = 0.0075f;  // radians

int Half(int size) {
    return int(std::floor(size * 0.5 + 0.5));
}

}  // namespace

// Computed in 64 bits, so rectangles near the ends of the int range cannot
// overflow.
types_rect IntersectRects(const types_rect& a, const types_rect& b) {
    if (a.w <= 0 || a.h <= 0 || b.w <= 0 || b.h <= 0) return types_rect();
    const int64_t left = std::max<int64_t>(a.x, b.x);
    const int64_t top = std::max<int64_t>(a.y, b.y);
    const int64_t right = std::min<int64_t>(int64_t(a.x) + a.w, int64_t(b.x) + b.w);
    const int64_t bottom = std::min<int64_t>(int64_t(a.y) + a.h, int64_t(b.y) + b.h);
    if (right <= left || bottom <= top) return types_rect();
    return types_rect(int32_t(left), int32_t(top), int32_t(right - left), int32_t(bottom - top));
}

int RoundToInt(double value) {
    if (!std::isfinite(value)) return 0;
    const double rounded = std::floor(value + 0.5);
    if (rounded <= double(INT_MIN)) return INT_MIN;
    if (rounded >= double(INT_MAX)) return INT_MAX;
    return int(rounded);
}

CSprite::CSprite() = default;

CSprite::CSprite(IPixel* image) : myImage(image), myLoadedImage(image) {
    if (!image) return;
    myRect = image->GetSourceRect();
    myImageFilename = image->GetFilename();
    if (Gfx::GetBackgroundBuffers() && !image->IsNullSurface() && !IsScreen(image)) {
        myUseBackground = true;
        if (Gfx::IsSurfaceSizeAllowed(myRect.w, myRect.h))
            myBackground = NewBackground(myRect.w, myRect.h);
    }
}

CSprite::~CSprite() {
    if (CAnimationUpdator* updator = CAnimationUpdator::PeekSingleton())
        updator->RemoveAnimatorsOf(this);
    LeaveLayer();
    FreeDerivedImage();
    FreeSpareImage();
    FreeOwned(myLoadedImage);
    myImage = myLoadedImage = nullptr;
    FreeBackground();
}

void CSprite::LeaveLayer() {
    CSpriteLayer* layer = myLayer ? myLayer : myHiddenLayer;
    myLayer = myHiddenLayer = nullptr;
    if (layer) layer->RemoveChild(this);
}

bool CSprite::Empty() const {
    EnsureImage();
    return !myImage || myImage->Empty();
}

IPixel* CSprite::GetImage() const {
    EnsureImage();
    return myImage;
}

// --- Serialisation ------------------------------------------------------------

void CSprite::Serialize(CXmlArchive& archive) {
    if (archive.IsWriting()) {
        std::string type = GetSpriteTypeName(GetSpriteType());
        archive.Attribute("type", type);
        std::string file;
        if (myLoadedImage)
            file = myLoadedImage->GetFilename();
        else if (myImage)
            file = myImage->GetFilename();
        if (file.empty()) file = myImageFilename;
        if (!file.empty()) archive.Field("ImageFilename", file);
        if (myScrollRect) archive.Field("ScrollRect", *myScrollRect);
        archive.Field("ImageRect", myRect);
        archive.Field("Z", myZ);
        int alpha = myAlpha;
        archive.Field("Alpha", alpha);
        return;
    }

    MarkDirty();
    std::string file;
    archive.Field("ImageFilename", file);
    if (!file.empty()) {
        myImageFilename = file;
        FreeDerivedImage();
        FreeOwned(myLoadedImage);
        FreeBackground();
        myLoadedImage = myImage = Gfx::LoadImage(file, CPixelFormat());
        myResizeW = myResizeH = -1;
        myRect = myImage ? myImage->GetSourceRect() : types_rect();
    }

    bool useBackground = true;
    archive.Field("BackgroundUsage", useBackground);
    myUseBackground = useBackground && Gfx::GetBackgroundBuffers() && !IsScreen(myImage);
    if (!myUseBackground) {
        FreeBackground();
    } else if (!myBackground && myImage &&
               Gfx::IsSurfaceSizeAllowed(myImage->GetWidth(), myImage->GetHeight())) {
        myBackground = NewBackground(myImage->GetWidth(), myImage->GetHeight());
    }

    types_rect scroll;
    archive.Field("ScrollRect", scroll);
    if (scroll.w != 0 || scroll.h != 0) SetScrollRect(scroll);

    types_rect rect = myRect;
    archive.Field("ImageRect", rect);
    SetRect(rect);
    int z = myZ;
    archive.Field("Z", z);
    SetZ(z);
    int alpha = 255;
    archive.Field("Alpha", alpha);
    SetAlpha(uint8_t(std::clamp(alpha, 0, 255)));
}

// --- Placement ----------------------------------------------------------------

void CSprite::SetX(int x) {
    if (x == myRect.x) return;
    MarkDirty();
    myRect.x = x;
}

void CSprite::SetY(int y) {
    if (y == myRect.y) return;
    MarkDirty();
    myRect.y = y;
}

void CSprite::SetZ(int z) {
    if (z == myZ) return;
    if (!myLayer) {
        myZ = z;
        return;
    }
    MarkDirty();
    // Everything at or in front of both the old and the new depth may
    // change its place in the drawing order.
    const int level = std::max(myZ, z);
    CSpriteLayer* layer = myLayer;
    layer->OnZChanged(level);
    myZ = z;
    layer->SortByZ();
    layer->OnZChanged(level);
}

void CSprite::SetRect(const types_rect& rect) {
    if (rect == myRect) return;
    MarkDirty();
    myRect = rect;
}

void CSprite::MoveTo(int x, int y) {
    if (x == myRect.x && y == myRect.y) return;
    MarkDirty();
    myRect.x = x;
    myRect.y = y;
}

void CSprite::MoveCenterTo(int x, int y) {
    if (!myRotationCenter) {
        MoveTo(RoundToInt(double(x) - Half(myRect.w)), RoundToInt(double(y) - Half(myRect.h)));
        return;
    }
    const int newX = RoundToInt(double(x) - RoundToInt(myRotationCenter->centerX));
    const int newY = RoundToInt(double(y) - RoundToInt(myRotationCenter->centerY));
    const double dx = double(newX) - myRect.x;
    const double dy = double(newY) - myRect.y;
    MoveTo(newX, newY);
    myRotationCenter->positionX += float(dx);
    myRotationCenter->positionY += float(dy);
}

void CSprite::SetRotationCenter(float x, float y) {
    if (!myRotationCenter) myRotationCenter = std::make_unique<CRotationCenter>();
    myRotationCenter->centerX = x;
    myRotationCenter->centerY = y;
    myRotationCenter->positionX = float(myRect.x);
    myRotationCenter->positionY = float(myRect.y);
    myRotationCenter->angle = (360.0f - myRotation) / DEGREES_PER_RADIAN;
}

void CSprite::SetSourceRect(const types_rect& rect) {
    if (!myLoadedImage || IsScreen(myLoadedImage)) return;
    // Animations set the same rectangle on every step: only a real change
    // costs a redraw. The shown image always follows the loaded one's.
    if (rect == myLoadedImage->GetSourceRect()) return;
    MarkDirty();
    myLoadedImage->SetSourceRect(rect);
    RebuildImage(true);
}

types_rect CSprite::GetSourceRect() const {
    return myLoadedImage ? myLoadedImage->GetSourceRect() : types_rect();
}

void CSprite::SetScrollRect(const types_rect& rect) {
    if (myScrollRect && *myScrollRect == rect) return;
    MarkDirty();
    if (!myScrollRect) myScrollRect = std::make_unique<types_rect>();
    *myScrollRect = rect;
}

types_rect CSprite::GetScrollRect() const {
    return myScrollRect ? *myScrollRect : types_rect();
}

types_rect CSprite::GetVisibleRect(const CSprite* target, const types_rect& rect) const {
    types_rect visible = rect;
    if (target) visible = IntersectRects(visible, target->GetRect());
    if (myScrollRect) visible = IntersectRects(visible, *myScrollRect);
    return visible;
}

// --- Drawing --------------------------------------------------------------------

bool CSprite::IsDrawable() const {
    // A rectangle larger than any surface can be is a mistake, not a sprite.
    return myRect.w <= Gfx::MAX_SURFACE_SIDE && myRect.h <= Gfx::MAX_SURFACE_SIDE;
}

bool CSprite::DrawRegion(CSprite* target, const types_rect& region) {
    if (Empty() || !IsDrawable() || !target || !target->GetImage()) return false;
    const types_rect visible = GetVisibleRect(target, IntersectRects(myRect, region));
    if (visible.w <= 0 || visible.h <= 0) return false;
    const types_rect targetRect = target->GetRect();
    const types_rect source(visible.x - myRect.x, visible.y - myRect.y, visible.w, visible.h);
    OnDrawAlpha(myAlpha);
    const bool drawn =
        myImage->BlitTo(target->GetImage(), source,
                        types_point(visible.x - targetRect.x, visible.y - targetRect.y));
    OnDrawAlpha(255);
    return drawn;
}

bool CSprite::Draw(CSprite* target) {
    return DrawRegion(target, myRect);
}

bool CSprite::RestoreBackground(CSprite* target) {
    if (!myUseBackground || !myBackgroundSaved || !myBackground || !target || !target->GetImage())
        return false;
    myBackgroundSaved = false;
    const types_rect targetRect = target->GetRect();
    const types_rect source(mySavedRect.x - myLastRect.x, mySavedRect.y - myLastRect.y,
                            mySavedRect.w, mySavedRect.h);
    return myBackground->BlitTo(
        target->GetImage(), source,
        types_point(mySavedRect.x - targetRect.x, mySavedRect.y - targetRect.y));
}

bool CSprite::PrepareBackground() {
    const types_rect& need = myLastRect;
    if (myBackground && !myBackground->Empty()) {
        const int w = myBackground->GetWidth();
        const int h = myBackground->GetHeight();
        if (w >= need.w && h >= need.h && int64_t(w) <= int64_t(need.w) + BACKGROUND_SLACK &&
            int64_t(h) <= int64_t(need.h) + BACKGROUND_SLACK)
            return true;
    }
    FreeBackground();
    if (!Gfx::IsSurfaceSizeAllowed(need.w, need.h)) return false;
    myBackground = NewBackground(need.w, need.h);
    return myBackground && !myBackground->Empty();
}

bool CSprite::SaveBackground(CSprite* target) {
    if (Empty() || !myUseBackground) return false;
    myLastRect = myRect;
    myBackgroundSaved = false;
    if (!target || !target->GetImage()) return false;
    const types_rect visible = GetVisibleRect(target, myLastRect);
    if (visible.w <= 0 || visible.h <= 0) return false;
    if (!PrepareBackground()) return false;
    const types_rect targetRect = target->GetRect();
    const types_rect source(visible.x - targetRect.x, visible.y - targetRect.y, visible.w,
                            visible.h);
    myBackgroundSaved = target->GetImage()->BlitTo(
        myBackground, source, types_point(visible.x - myLastRect.x, visible.y - myLastRect.y));
    mySavedRect = visible;
    return myBackgroundSaved;
}

bool CSprite::Erase(CSprite* target) {
    if (myDrawState == STATE_ERASED) return true;
    myDrawState = STATE_ERASED;
    // Whatever the sprite shows now, the pixels it covered when drawn are
    // the ones saved then.
    RestoreBackground(target);
    return true;
}

bool CSprite::Redraw(CSprite* target) {
    if (myDrawState != 1 && myDrawState != STATE_ERASED) return false;
    const bool saved = SaveBackground(target);
    // A sprite whose background could not be kept would leave its pixels
    // behind when erased: it is better not drawn at all.
    const bool needsSave = myUseBackground && !Empty() && target && target->GetImage() &&
                           GetVisibleRect(target, myRect).w > 0;
    if (saved || !needsSave) Draw(target);
    myLastRect = myRect;
    myDrawState = STATE_DRAWN;
    myDirty = false;
    return true;
}

// --- Visibility and layers --------------------------------------------------------

void CSprite::SetVisible(bool visible) {
    if (!visible) {
        if (!myLayer) return;
        CSpriteLayer* layer = myLayer;
        layer->HideSprite(this);
        myHiddenLayer = layer;
        myLayer = nullptr;
        return;
    }
    if (!myHiddenLayer) return;
    CSpriteLayer* layer = myHiddenLayer;
    myHiddenLayer = nullptr;
    myLayer = layer;
    // Shown again: its place must reach the screen even if nothing else
    // about it changed.
    myDirty = true;
    myLastRect = myRect;
    layer->ShowSprite(this);
}

void CSprite::SetLayer(CSpriteLayer* layer) {
    if (layer && layer == myLayer) return;
    LeaveLayer();
    if (!layer) return;
    myLayer = layer;
    myDrawState = STATE_ERASED;
    myBackgroundSaved = false;
    // New in the layer: its whole place is to be shown.
    myDirty = true;
    myLastRect = myRect;
    layer->AddChild(this);
}

void CSprite::OnLayerDestroyed(CSpriteLayer* layer) {
    if (myLayer == layer) myLayer = nullptr;
    if (myHiddenLayer == layer) myHiddenLayer = nullptr;
    myDrawState = STATE_ERASED;
    myBackgroundSaved = false;
}

void CSprite::ResetDrawState() {
    myDrawState = STATE_ERASED;
    myBackgroundSaved = false;
    myDirty = true;
    myLastRect = myRect;
}

void CSprite::SetBackgroundUsage(bool use) {
    myUseBackground = use;
    if (!use) FreeBackground();
}

void CSprite::MarkDirty() {
    if (!myLayer || myDirty) return;
    myLayer->OnSpriteDirty(this);
    myDirty = true;
}

int CSprite::GetDirtyRectCount() const {
    if (!myDirty) return 0;
    return myRect != myLastRect ? 2 : 1;
}

types_rect CSprite::GetDirtyRect(int index) const {
    return index == 1 ? myLastRect : myRect;
}

// --- Images ---------------------------------------------------------------------

bool CSprite::IsScreen(const IPixel* image) const {
    return image && image == Gfx::GetScreenSurface();
}

void CSprite::FreeOwned(IPixel* image) const {
    if (image && myImageOwned && !IsScreen(image)) Gfx::FreeImage(image);
}

void CSprite::FreeDerivedImage() {
    if (myImage && myImage != myLoadedImage) {
        if (myImageTurned && myImageOwned && !IsScreen(myImage)) {
            FreeSpareImage();
            mySpareImage = myImage;
        } else {
            FreeOwned(myImage);
        }
    }
    myImage = myLoadedImage;
    myImageStale = false;
    myImageTurned = false;
}

void CSprite::FreeSpareImage() const {
    if (mySpareImage) Gfx::FreeImage(mySpareImage);
    mySpareImage = nullptr;
}

IPixel* CSprite::NewBackground(int w, int h) {
    IPixel* buffer = Gfx::NewBuffer(w, h);
    // It holds exactly what was under the sprite: put back as it is.
    if (buffer) buffer->SetParameter(IPixel::PARAM_COPY_SOURCE, 1);
    return buffer;
}

void CSprite::FreeBackground() {
    if (myBackground) Gfx::FreeImage(myBackground);
    myBackground = nullptr;
    myBackgroundSaved = false;
}

void CSprite::RebuildImage(bool adoptSize) {
    FreeDerivedImage();
    if (!myLoadedImage || IsScreen(myLoadedImage) || myLoadedImage->IsNullSurface()) {
        if (adoptSize && myImage) {
            myRect.w = myImage->GetWidth();
            myRect.h = myImage->GetHeight();
        }
        return;
    }
    const bool derived = !std::isfinite(myRotation) || myResizeW >= 0 ||
                         std::fmod(myRotation, 360.0f) != 0.0f || myAlpha != 255;
    myImageStale = derived;
    if (adoptSize) DerivedSize(myRect.w, myRect.h);
}

void CSprite::DerivedSize(int& w, int& h) const {
    w = myLoadedImage->GetWidth();
    h = myLoadedImage->GetHeight();
    // Each step the image cannot take gives the null surface, of no size.
    auto refuse = [&]() { w = h = 0; };
    if (!std::isfinite(myRotation)) return refuse();
    if (myResizeW >= 0) {
        if (w <= 0 || h <= 0 || !Gfx::IsSurfaceSizeAllowed(myResizeW, myResizeH)) return refuse();
        w = myResizeW;
        h = myResizeH;
    }
    const float degrees = std::fmod(myRotation, 360.0f);
    if (degrees != 0.0f && w > 0 && h > 0) {
        int turnedW = 0, turnedH = 0;
        resampling::RotatedSize(w, h, degrees, turnedW, turnedH);
        if (!Gfx::IsSurfaceSizeAllowed(turnedW, turnedH)) return refuse();
        w = turnedW;
        h = turnedH;
    }
}

void CSprite::EnsureImage() const {
    if (!myImageStale) return;
    myImageStale = false;
    IPixel* current = myLoadedImage;
    // Each step makes a new surface from the previous one; intermediate
    // surfaces are freed as soon as the next exists.
    auto step = [&](IPixel* next) {
        if (current != myLoadedImage) Gfx::FreeImage(current);
        current = next ? next : Gfx::GetNullSurface();
    };
    bool turned = false;
    if (!std::isfinite(myRotation)) {
        step(Gfx::GetNullSurface());
    } else {
        if (myResizeW >= 0) step(current->Resize(myResizeW, myResizeH));
        const float degrees = std::fmod(myRotation, 360.0f);
        if (degrees != 0.0f && myAlpha == 255) {
            // The last step: the previous turn's image can take this one.
            IPixel* next = current->RotateReusing(degrees, mySpareImage);
            if (next == mySpareImage) mySpareImage = nullptr;
            step(next);
            turned = current != myLoadedImage && !current->IsNullSurface();
        } else if (degrees != 0.0f) {
            step(current->Rotate(degrees));
        }
        if (myAlpha != 255) step(current->SetAlpha(myAlpha));
    }
    FreeSpareImage();
    myImage = current;
    myImageTurned = turned;
}

// Resize, rotation and a new source rectangle keep the background buffer:
// the sprite was erased before the change, and SaveBackground makes a new
// buffer only when the old one does not fit the new size.
void CSprite::Resize(int w, int h) {
    if (w == myRect.w && h == myRect.h) return;
    if (!myLoadedImage) return;
    MarkDirty();
    myResizeW = std::max(w, 0);
    myResizeH = std::max(h, 0);
    RebuildImage(true);
}

void CSprite::SetRotation(float degrees) {
    const bool wasFinite = std::isfinite(myRotation);
    if (std::isfinite(degrees)) {
        if (wasFinite && std::fabs(degrees - myRotation) < MIN_ROTATION_CHANGE) return;
    } else {
        if (!wasFinite) return;
        CLog::GetSingleton()->Printf(
            "[WARNING] CSprite::SetRotation() - %s: the rotation is not a finite number, the "
            "sprite is not drawn\n",
            myName.c_str());
    }
    MarkDirty();
    myRotation = degrees;
    if (!myLoadedImage) return;
    RebuildImage(true);
}

void CSprite::RotateAroundCenter(float radians) {
    if (!myLoadedImage || myLoadedImage->Empty()) return;
    if (!myRotationCenter) SetRotationCenter(float(Half(myRect.w)), float(Half(myRect.h)));
    CRotationCenter& center = *myRotationCenter;
    if (std::fabs(center.angle - radians) < MIN_CENTER_ROTATION) return;
    MarkDirty();
    const float absoluteX = center.positionX + center.centerX;
    const float absoluteY = center.positionY + center.centerY;
    SetRotation(360.0f - radians * DEGREES_PER_RADIAN);
    center.angle = radians;
    // The turned image is larger or smaller: place it so that the centre
    // stays where it was.
    center.positionX = absoluteX - myRect.w * 0.5f;
    center.positionY = absoluteY - myRect.h * 0.5f;
    MoveTo(RoundToInt(center.positionX), RoundToInt(center.positionY));
    center.centerX = absoluteX - center.positionX;
    center.centerY = absoluteY - center.positionY;
}

void CSprite::SetAlpha(uint8_t alpha) {
    if (alpha == myAlpha) return;
    MarkDirty();
    myAlpha = alpha;
    if (myLoadedImage) RebuildImage(false);
}

void CSprite::SetImage(IPixel* image) {
    if (image == myImage && !myImageStale) return;
    MarkDirty();
    if (image && image == myLoadedImage) {
        FreeDerivedImage();
        return;
    }
    FreeDerivedImage();
    FreeOwned(myLoadedImage);
    const bool screen = IsScreen(image);
    if (myUseBackground) {
        FreeBackground();
        if (screen) myUseBackground = false;
    }
    myLoadedImage = myImage = image;
    myResizeW = myResizeH = -1;
    myImageFilename = image ? image->GetFilename() : "";
    myRect.w = image ? image->GetWidth() : 0;
    myRect.h = image ? image->GetHeight() : 0;
    if (image && !screen) RebuildImage(true);
}

}  // namespace vorn
