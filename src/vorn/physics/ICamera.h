#pragma once

namespace vorn {

// A view onto the screen: where a sprite drawn at a rectangle and angle
// really appears. Back ends that place sprites through a transform (the
// accelerated one) ask the global camera; without one, sprites stand where
// their rectangles say.
class ICamera {
public:
    virtual ~ICamera() = default;
    // Maps a sprite's rectangle (pixels) and angle (radians) in place.
    virtual void Transform(float& x, float& y, float& w, float& h, float& angle) const = 0;
    // True while the view itself moves, so that every sprite must be redrawn.
    virtual bool IsMoving() const = 0;
};

// The camera the back ends use (not owned; null for none).
void SetGlobalCamera(ICamera* camera);
ICamera* GetGlobalCamera();

}  // namespace vorn
