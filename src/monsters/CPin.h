#pragma once

#include <box2d/b2_math.h>

#include <memory>

class b2Joint;

namespace vorn {
class CSprite;
}

namespace monsters {

class CEditorWorld;
class CMonsterBodyPart;

// A part of the editor pinned to the world at its hinge anchor: a revolute
// joint between the part's body and the ground body, and the pin's sprite.
// Dragging the pin takes the joint away (Unpin) and puts a new one where the
// anchor then is (Pin). The editor world owns its pins and destroys them
// before its monsters.
class CPin {
public:
    // "data/gfx/pin.xml"
    static const char* const SPRITE_FILE;

    // Pins part (which must have a body in world) at its world anchor.
    CPin(CEditorWorld& world, CMonsterBodyPart& part);
    // Destroys the sprite, then the joint if it is still there.
    ~CPin();
    CPin(const CPin&) = delete;
    CPin& operator=(const CPin&) = delete;

    CMonsterBodyPart& GetPart() const { return myPart; }
    CEditorWorld& GetWorld() const { return myWorld; }
    // Null while unpinned (or when the part's body was destroyed).
    b2Joint* GetJoint() const { return myJoint; }
    bool IsPinned() const { return myJoint != nullptr; }
    // The pinned part's world anchor.
    b2Vec2 GetWorldPoint() const;
    // The pin's sprite; it may be empty when its file could not be read.
    vorn::CSprite* GetSprite() const { return mySprite.get(); }

    // Destroys the joint now: the part hangs free. Not during a step.
    void Unpin();
    // Pins the part again at its current anchor; nothing when pinned.
    void Pin();
    // Centres the sprite on the pin's point on screen.
    void PlaceSprite();

private:
    CEditorWorld& myWorld;
    CMonsterBodyPart& myPart;
    b2Joint* myJoint = nullptr;
    std::unique_ptr<vorn::CSprite> mySprite;
};

}  // namespace monsters
