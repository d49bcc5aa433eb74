#include "vorn/gfx/CLotsATextSprite.h"

#include <cmath>

#include "vorn/gfx/Gfx.h"
#include "vorn/gfx/IPixel.h"

namespace vorn {

CLotsATextSprite::CLotsATextSprite(int w, int h) {
    myUseBackground = Gfx::GetBackgroundBuffers();
    SetImage(Gfx::NewBuffer(w, h));
    myRect.w = w;
    myRect.h = h;
    SetStepInterval(STEP_INTERVAL);
    Start();
}

CLotsATextSprite::~CLotsATextSprite() {
    LeaveLayer();
}

types_rect CLotsATextSprite::GetVisiblePart() const {
    const int w = myLoadedImage ? myLoadedImage->GetWidth() : 0;
    const int h = myLoadedImage ? myLoadedImage->GetHeight() : 0;
    const int64_t spare = int64_t(myDrawer ? myDrawer->GetTotalHeight() : 0) - h;
    int64_t offset = spare;
    if (spare > 0) {
        const double scrolled = std::isfinite(myScrollFactor) ? myScrollFactor * double(spare) : 0;
        offset = int64_t(std::floor(std::fmax(std::fmin(scrolled, 2e9), -2e9)));
    }
    return types_rect(0, int(std::fmax(std::fmin(double(offset), 2e9), -2e9)), w, h);
}

void CLotsATextSprite::Run() {
    if (!myDrawer || !myLoadedImage || myLoadedImage->Empty()) return;
    if (!myDrawer->Draw(myLoadedImage, GetVisiblePart())) return;
    MarkDirty();
    if (myImage != myLoadedImage) RebuildImage(false);
}

void CLotsATextSprite::Resize(int w, int h) {
    if (w == myRect.w && h == myRect.h) return;
    MarkDirty();
    SetImage(Gfx::NewBuffer(w, h));
    myRect.w = w;
    myRect.h = h;
}

}  // namespace vorn
