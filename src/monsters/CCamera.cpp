#include "monsters/CCamera.h"

#include <climits>
#include <cmath>

#include "monsters/CCameraTransformer.h"
#include "vorn/physics/ICamera.h"

namespace monsters {

namespace {

// trunc, cut towards zero, without the undefined behaviour of converting a
// value the int cannot hold. The common case is one comparison and a cast.
int TruncToInt(double value) {
    if (value > -2.0e9 && value < 2.0e9) return int(value);
    if (!std::isfinite(value)) return 0;
    const double cut = std::trunc(value);
    if (cut <= double(INT_MIN)) return INT_MIN;
    if (cut >= double(INT_MAX)) return INT_MAX;
    return int(cut);
}

int AddSaturated(int a, int b) {
    const long long sum = static_cast<long long>(a) + b;
    if (sum < INT_MIN) return INT_MIN;
    if (sum > INT_MAX) return INT_MAX;
    return int(sum);
}

}  // namespace

CCamera::CCamera() : myTransformer(std::make_unique<CCameraTransformer>()) {
    vorn::SetGlobalCamera(myTransformer.get());
}

CCamera::~CCamera() {
    if (vorn::GetGlobalCamera() == myTransformer.get()) vorn::SetGlobalCamera(nullptr);
}

void CCamera::WorldToScreen(float worldX, float worldY, int& screenX, int& screenY) const {
    // Single-precision products, as the drawing has always rounded them.
    screenX = AddSaturated(TruncToInt(myScaleX * worldX + 0.5f), TruncToInt(myOffsetX));
    screenY = AddSaturated(TruncToInt(myScaleY * worldY + 0.5f), TruncToInt(myOffsetY));
}

void CCamera::ScreenToWorld(float screenX, float screenY, float& worldX, float& worldY) const {
    worldX = (screenX - myOffsetX) / myScaleX;
    worldY = (screenY - myOffsetY) / myScaleY;
}

}  // namespace monsters
