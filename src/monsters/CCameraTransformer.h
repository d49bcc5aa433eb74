#pragma once

#include "vorn/physics/ICamera.h"
#include "vorn/utils/timer/CTimer.h"

namespace monsters {

// The engine camera of the game: a fixed view. Sprite rectangles are turned
// about the screen centre by the rotation angle and scaled about it; with the
// values it starts with (no turn, scale 1) every rectangle stays as it is.
class CCameraTransformer : public vorn::ICamera {
public:
    CCameraTransformer();

    void Transform(float& x, float& y, float& w, float& h, float& angle) const override;
    bool IsMoving() const override { return false; }

    // Radians; the rotation matrix follows.
    void SetRotation(float angle);
    float GetRotation() const { return myRotation; }

private:
    vorn::CTimer myTimer;
    float myRotation = 0.0f;
    float myMatrix[2][2] = {{1.0f, 0.0f}, {0.0f, 1.0f}};
    float myScaleX = 1.0f;
    float myScaleY = 1.0f;
    float myCenterX = 400.0f;
    float myCenterY = 300.0f;
    float myOffsetX = 400.0f;
    float myOffsetY = 300.0f;
};

}  // namespace monsters
