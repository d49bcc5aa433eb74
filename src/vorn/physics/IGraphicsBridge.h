#pragma once

namespace vorn::physics {

// Keeps a drawing on top of one rigid body. Whoever owns the body calls
// Update once after making it and after every step of its world; the bridge
// decides what to redraw.
class IGraphicsBridge {
public:
    virtual ~IGraphicsBridge() = default;
    // The body's position (metres), rotation (radians) and linear velocity
    // (metres per second), as the physics has them now.
    virtual void Update(float x, float y, float rotation, float velocityX, float velocityY) = 0;
};

}  // namespace vorn::physics
