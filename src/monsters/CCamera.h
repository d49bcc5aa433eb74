#pragma once

#include <memory>

#include "vorn/designpatterns/singleton/CSingleton.h"

namespace monsters {

class CCameraTransformer;

// The one mapping between the physics (metres, y down) and the 800 x 600
// screen: 32 pixels per metre, the world origin at pixel (400, 300).
//   screen = trunc(scale * world + 0.5) + trunc(offset), per axis;
//   world  = (screen - offset) / scale, per axis (for the mouse).
// Creating the camera installs its transformer as the engine's global
// camera; deleting it removes it.
class CCamera : public vorn::CSingleton<CCamera> {
public:
    float GetOffsetX() const { return myOffsetX; }
    float GetOffsetY() const { return myOffsetY; }
    float GetScaleX() const { return myScaleX; }
    float GetScaleY() const { return myScaleY; }

    // Screen pixel of a world point. Values beyond the int range saturate;
    // a value that is not a number gives the offset.
    void WorldToScreen(float worldX, float worldY, int& screenX, int& screenY) const;
    // World point of a screen pixel.
    void ScreenToWorld(float screenX, float screenY, float& worldX, float& worldY) const;

    CCameraTransformer* GetTransformer() const { return myTransformer.get(); }

private:
    friend class vorn::CStaticSingleton<CCamera>;
    CCamera();
    ~CCamera();

    float myOffsetX = 400.0f;
    float myOffsetY = 300.0f;
    float myScaleX = 32.0f;
    float myScaleY = 32.0f;
    std::unique_ptr<CCameraTransformer> myTransformer;
};

}  // namespace monsters
