#include "monsters/CMonstersGraphicsBridge.h"

#include <box2d/box2d.h>

#include <vector>

#include "monsters/CCamera.h"
#include "monsters/CGlobalOptions.h"
#include "vorn/gfx/CSprite.h"
#include "vorn/gfx/CSpriteFactory.h"
#include "vorn/physics/CLineList.h"
#include "vorn/utils/timer/CGlobalAppTimer.h"

namespace monsters {

namespace {

constexpr float OUTLINE_ANGLE_STEP = 0.39269909f;  // pi / 8

vorn::physics::CLineList::CPoint ToScreen(const b2Vec2& world) {
    int x = 0;
    int y = 0;
    CCamera::GetSingleton()->WorldToScreen(world.x, world.y, x, y);
    return {float(x), float(y)};
}

}  // namespace

CMonstersGraphicsBridge::CMonstersGraphicsBridge(vorn::CSprite* sprite, const b2Body* body,
                                                 int shapeType)
    : mySprite(sprite),
      myShapeType(shapeType),
      myCreationTime(vorn::CGlobalAppTimer::GetSingleton()->GetTime()),
      myBody(body) {}

CMonstersGraphicsBridge::~CMonstersGraphicsBridge() = default;

std::unique_ptr<CMonstersGraphicsBridge> CMonstersGraphicsBridge::Create(
    const std::string& spriteFile, const b2Body* body, int shapeType) {
    vorn::CSprite* sprite = vorn::CSpriteFactory::GetSingleton()->LoadSprite(spriteFile);
    return std::make_unique<CMonstersGraphicsBridge>(sprite, body, shapeType);
}

void CMonstersGraphicsBridge::Update(float x, float y, float rotation, float velocityX,
                                     float velocityY) {
    // The option is looked at first: reading the clock costs more.
    if (mySprite && CGlobalOptions::GetSingleton()->GetShowCollisionShapes()) {
        const uint32_t elapsed = vorn::CGlobalAppTimer::GetSingleton()->GetTime() - myCreationTime;
        if (elapsed > OUTLINE_DELAY_MS) DrawOutlines();
    }
    const bool unchanged =
        x == myLastX && y == myLastY && (!myRotate || rotation == myLastRotation);
    if (myPlaced && unchanged) return;
    myPlaced = true;
    myLastX = x;
    myLastY = y;
    if (myRotate) myLastRotation = rotation;
    myLastVelocityX = velocityX;
    myLastVelocityY = velocityY;
    PlaceSprite();
}

void CMonstersGraphicsBridge::PlaceSprite() {
    if (!mySprite) return;
    int screenX = 0;
    int screenY = 0;
    CCamera::GetSingleton()->WorldToScreen(myLastX, myLastY, screenX, screenY);
    const float turnedBefore = mySprite->GetRotation();
    if (myRotate) mySprite->RotateAroundCenter(myLastRotation - myRotationAtCreation);
    // Most steps move a body by less than a pixel: when neither the pixel nor
    // the sprite changed since the last placement, centring it again would
    // change nothing.
    if (myPlacedSprite && screenX == myPlacedX && screenY == myPlacedY &&
        mySprite->GetRotation() == turnedBefore && mySprite->GetRect() == myPlacedRect)
        return;
    mySprite->MoveCenterTo(screenX, screenY);
    myPlacedSprite = true;
    myPlacedX = screenX;
    myPlacedY = screenY;
    myPlacedRect = mySprite->GetRect();
}

void CMonstersGraphicsBridge::DrawOutlines() const {
    vorn::physics::CLineList* lines = vorn::physics::CLineList::GetSingleton();
    if (!myBody || !lines->IsAccepting()) return;
    const b2Transform& transform = myBody->GetTransform();
    for (const b2Fixture* fixture = myBody->GetFixtureList(); fixture;
         fixture = fixture->GetNext()) {
        std::vector<vorn::physics::CLineList::CPoint> points;
        const b2Shape* shape = fixture->GetShape();
        if (shape->GetType() == b2Shape::e_circle) {
            const auto* circle = static_cast<const b2CircleShape*>(shape);
            const b2Vec2 center = b2Mul(transform, circle->m_p);
            for (int k = 0; k < CIRCLE_OUTLINE_POINTS; ++k) {
                const float angle = float(k) * OUTLINE_ANGLE_STEP;
                points.push_back(
                    ToScreen(center + circle->m_radius * b2Vec2(std::cos(angle), std::sin(angle))));
            }
        } else if (shape->GetType() == b2Shape::e_polygon) {
            const auto* polygon = static_cast<const b2PolygonShape*>(shape);
            for (int i = 0; i < polygon->m_count; ++i)
                points.push_back(ToScreen(b2Mul(transform, polygon->m_vertices[i])));
        } else {
            continue;
        }
        points.push_back(points.front());
        lines->AddStrip(points, OUTLINE_COLOR);
    }
}

}  // namespace monsters
