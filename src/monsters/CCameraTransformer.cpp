#include "monsters/CCameraTransformer.h"

#include <cmath>

namespace monsters {

CCameraTransformer::CCameraTransformer() {
    SetRotation(0.0f);
}

void CCameraTransformer::SetRotation(float angle) {
    myRotation = angle;
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    myMatrix[0][0] = c;
    myMatrix[0][1] = -s;
    myMatrix[1][0] = s;
    myMatrix[1][1] = c;
}

void CCameraTransformer::Transform(float& x, float& y, float& w, float& h, float& angle) const {
    // The rectangle's centre, relative to the screen centre, turns and scales.
    const float px = (x - myCenterX) * myScaleX + w * 0.5f;
    const float py = (y - myCenterY) * myScaleY + h * 0.5f;
    const float rx = myMatrix[0][0] * px + myMatrix[0][1] * py;
    const float ry = myMatrix[1][0] * px + myMatrix[1][1] * py;
    x = rx - w * 0.5f + myOffsetX;
    y = ry - h * 0.5f + myOffsetY;
    w *= myScaleX;
    h *= myScaleY;
    angle += myRotation;
}

}  // namespace monsters
