#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "vorn/physics/IGraphicsBridge.h"
#include "vorn/utils/math/CRect.h"

class b2Body;

namespace vorn {
class CSprite;
}

namespace monsters {

// Keeps one body part's sprite on top of its rigid body. After every step the
// world tells the bridge where the body is; the sprite is moved and turned
// only when the body moved or turned, so resting bodies cost no drawing.
// While the option "show collision shapes" is on, and from the 501st
// millisecond of the bridge's life, each update also adds the outlines of
// the body's shapes to the engine's line list (drawn only by back ends that
// draw lines).
class CMonstersGraphicsBridge : public vorn::physics::IGraphicsBridge {
public:
    // Outlines start this long after the bridge was made (milliseconds).
    static constexpr uint32_t OUTLINE_DELAY_MS = 500;
    static constexpr int CIRCLE_OUTLINE_POINTS = 16;
    static constexpr uint32_t OUTLINE_COLOR = 0xFFFFFFFF;

    // Takes the sprite (may be null: nothing is drawn); body is not owned and
    // must outlive the bridge (null: no outlines). shapeType: 1 box, 0 circle.
    CMonstersGraphicsBridge(vorn::CSprite* sprite, const b2Body* body, int shapeType);
    ~CMonstersGraphicsBridge() override;
    CMonstersGraphicsBridge(const CMonstersGraphicsBridge&) = delete;
    CMonstersGraphicsBridge& operator=(const CMonstersGraphicsBridge&) = delete;

    // A bridge with the sprite loaded by the sprite factory from spriteFile.
    static std::unique_ptr<CMonstersGraphicsBridge> Create(const std::string& spriteFile,
                                                           const b2Body* body, int shapeType);

    void Update(float x, float y, float rotation, float velocityX, float velocityY) override;

    vorn::CSprite* GetSprite() const { return mySprite.get(); }
    int GetShapeType() const { return myShapeType; }
    // Without rotation the sprite only follows the body's position.
    void SetRotate(bool rotate) { myRotate = rotate; }
    bool GetRotate() const { return myRotate; }
    const std::string& GetName() const { return myName; }
    void SetName(const std::string& name) { myName = name; }

private:
    void PlaceSprite();
    void DrawOutlines() const;

    std::unique_ptr<vorn::CSprite> mySprite;
    float myLastX = 0.0f;
    float myLastY = 0.0f;
    float myLastRotation = 1.0f;
    float myLastVelocityX = 0.0f;
    float myLastVelocityY = 0.0f;
    bool myRotate = true;
    float myRotationAtCreation = 0.0f;
    int myShapeType;
    uint32_t myCreationTime;
    std::string myName;
    const b2Body* myBody;
    // The first update always places the sprite, wherever the body stands.
    bool myPlaced = false;
    // Where the sprite was last centred, and its rectangle after that.
    bool myPlacedSprite = false;
    int myPlacedX = 0;
    int myPlacedY = 0;
    vorn::types_rect myPlacedRect;
};

}  // namespace monsters
