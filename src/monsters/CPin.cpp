#include "monsters/CPin.h"

#include <box2d/box2d.h>

#include "monsters/CCamera.h"
#include "monsters/CEditorWorld.h"
#include "vorn/gfx/CSprite.h"
#include "vorn/gfx/CSpriteFactory.h"

namespace monsters {

const char* const CPin::SPRITE_FILE = "data/gfx/pin.xml";

CPin::CPin(CEditorWorld& world, CMonsterBodyPart& part)
    : myWorld(world),
      myPart(part),
      mySprite(vorn::CSpriteFactory::GetSingleton()->LoadSprite(SPRITE_FILE)) {
    Pin();
    PlaceSprite();
}

CPin::~CPin() {
    mySprite.reset();
    Unpin();
}

b2Vec2 CPin::GetWorldPoint() const {
    return myWorld.GetWorldAnchor(myPart);
}

void CPin::Unpin() {
    if (!myJoint) return;
    myWorld.GetBox2DWorld()->DestroyJoint(myJoint);
    myJoint = nullptr;
}

void CPin::Pin() {
    if (myJoint) return;
    myJoint =
        myWorld.MakeRevoluteJoint(myWorld.GetBody(myPart), myWorld.GetGroundBody(), GetWorldPoint(),
                                  false, 0.0f, 0.0f, false, 0.0f, 0.0f, &myJoint);
}

void CPin::PlaceSprite() {
    if (!mySprite) return;
    const b2Vec2 point = GetWorldPoint();
    int x = 0;
    int y = 0;
    CCamera::GetSingleton()->WorldToScreen(point.x, point.y, x, y);
    mySprite->MoveCenterTo(x, y);
}

}  // namespace monsters
