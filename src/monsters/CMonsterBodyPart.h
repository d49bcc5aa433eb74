#pragma once

#include <string>

#include "vorn/utils/math/CRect.h"

// Body parts and monster files.
//
// A monster file is the XML text of one CMonster (root "Monster"): one
// "MonsterBodyPart" element per part, in list order, for example
//
//   <Monster>
//     <MonsterBodyPart object_id="1" physics_shape_type="1" unique_monster_part_id="4" >
//       <GameHP>            hit points (float)
//       <GameDamage>        damage factor (float)
//       <GameArmor>         armour (float)
//       <PhysLocalPosition x=".." y=".." >   position in the monster's frame
//       <PhysLocalRotation> radians
//       <IsHeadPart>        1 or 0
//       <PhysExtents x=".." y=".." >         box: half sizes; circle: x = radius
//       <PhysFriction> <PhysRestitution> <PhysDensity>
//       <GfxFilename>       sprite file
//       <PhysIsMrBigJoint>  pinned to the world in the editor (1 or 0)
//       <PhysHasJoint>      hinged to the part "PhysConnectedToBody" (1 or 0)
//       <PhysAnchorPoint x=".." y=".." >     hinge point in the part's frame
//       <PhysHasLimit> <PhysUpperLimit> <PhysLowerLimit>
//       <PhysMotorSpeed> <PhysMotorTorgue> <PhysHasMotor>
//       <PhysConnectedToBody>  object id of the hinge partner
//     </MonsterBodyPart>
//   </Monster>
//
// written in exactly that order (attributes sorted by name) and read in any
// order; a missing field keeps its value. Shape type 1 is a box, 0 a circle;
// any other value is kept and saved but gives no body.
//
// Identifiers: object ids tell the parts of one world apart; a hinge names
// its partner by object id. Files use small ids (0, 1, 2, ...); reading adds
// the part's id offset (10 per monster already in the world) to the object id
// and to the connected-to body, so monsters sharing a collision group keep
// distinct ids. Ids are written back as they stand, offset included.
namespace vorn {
class CXmlArchive;
}

namespace monsters {

class CMonster;

// Two floats, "x" and "y" in the files.
using types_vector = vorn::CPoint<float>;

// One body part of a monster: one rigid box or circle, its sprite, its game
// values and optionally a hinge to another part of the same monster.
class CMonsterBodyPart {
public:
    enum ShapeType { SHAPE_CIRCLE = 0, SHAPE_BOX = 1 };

    // Takes the next value of the process-wide object-id counter.
    CMonsterBodyPart();
    CMonsterBodyPart(const CMonsterBodyPart&) = delete;
    CMonsterBodyPart& operator=(const CMonsterBodyPart&) = delete;

    // Reads or writes the part's fields (see the file format above). After a
    // read the id offset is added to the connected-to body and the object id,
    // and the maximum hit points become the hit points read.
    void Serialize(vorn::CXmlArchive& ar);

    // The value the next new part takes as object id.
    static int PeekNextObjectId();

    // --- Identity --------------------------------------------------------------
    int GetObjectId() const { return myObjectId; }
    void SetObjectId(int id) { myObjectId = id; }
    // Added to the ids read by Serialize; set by the owning monster before a read.
    int GetIdOffset() const { return myIdOffset; }
    void SetIdOffset(int offset) { myIdOffset = offset; }
    // UID of the shop entry the part came from; -1 for none.
    int GetShopUid() const { return myShopUid; }
    void SetShopUid(int uid) { myShopUid = uid; }
    bool IsHead() const { return myIsHead; }
    // Tells the owning monster to look for its head again.
    void SetIsHead(bool isHead);
    // The monster holding the part, or null; kept by CMonster.
    CMonster* GetMonster() const { return myMonster; }
    // Box2D group index of the part's body; not stored in files.
    int GetCollisionGroup() const { return myCollisionGroup; }
    void SetCollisionGroup(int group) { myCollisionGroup = group; }

    // --- Shape and material ----------------------------------------------------
    const types_vector& GetLocalPosition() const { return myLocalPosition; }
    void SetLocalPosition(const types_vector& position) { myLocalPosition = position; }
    float GetLocalRotation() const { return myLocalRotation; }
    void SetLocalRotation(float radians) { myLocalRotation = radians; }
    int GetShapeType() const { return myShapeType; }
    void SetShapeType(int type) { myShapeType = type; }
    // Box: half-width and half-height; circle: x is the radius.
    const types_vector& GetExtents() const { return myExtents; }
    void SetExtents(const types_vector& extents) { myExtents = extents; }
    float GetFriction() const { return myFriction; }
    void SetFriction(float friction) { myFriction = friction; }
    float GetRestitution() const { return myRestitution; }
    void SetRestitution(float restitution) { myRestitution = restitution; }
    float GetDensity() const { return myDensity; }
    void SetDensity(float density) { myDensity = density; }
    const std::string& GetSpriteFile() const { return mySpriteFile; }
    void SetSpriteFile(const std::string& file) { mySpriteFile = file; }

    // --- Hinge -----------------------------------------------------------------
    bool HasJoint() const { return myHasJoint; }
    void SetHasJoint(bool hasJoint) { myHasJoint = hasJoint; }
    // Object id of the hinge partner.
    int GetConnectedToBody() const { return myConnectedToBody; }
    void SetConnectedToBody(int objectId) { myConnectedToBody = objectId; }
    // In the editor the part is pinned to the world instead of hinged.
    bool IsPinJoint() const { return myIsPinJoint; }
    void SetIsPinJoint(bool isPin) { myIsPinJoint = isPin; }
    const types_vector& GetAnchorPoint() const { return myAnchorPoint; }
    void SetAnchorPoint(const types_vector& anchor) { myAnchorPoint = anchor; }
    bool HasLimit() const { return myHasLimit; }
    void SetHasLimit(bool hasLimit) { myHasLimit = hasLimit; }
    float GetUpperLimit() const { return myUpperLimit; }
    void SetUpperLimit(float radians) { myUpperLimit = radians; }
    float GetLowerLimit() const { return myLowerLimit; }
    void SetLowerLimit(float radians) { myLowerLimit = radians; }
    bool HasMotor() const { return myHasMotor; }
    void SetHasMotor(bool hasMotor) { myHasMotor = hasMotor; }
    float GetMotorSpeed() const { return myMotorSpeed; }
    void SetMotorSpeed(float speed) { myMotorSpeed = speed; }
    float GetMotorTorque() const { return myMotorTorque; }
    void SetMotorTorque(float torque) { myMotorTorque = torque; }

    // --- Game values -----------------------------------------------------------
    // Below 0 the part is destroyed.
    float GetHitPoints() const { return myHitPoints; }
    void SetHitPoints(float hitPoints) { myHitPoints = hitPoints; }
    float GetMaxHitPoints() const { return myMaxHitPoints; }
    void SetMaxHitPoints(float hitPoints) { myMaxHitPoints = hitPoints; }
    float GetDamage() const { return myDamage; }
    void SetDamage(float damage) { myDamage = damage; }
    float GetArmor() const { return myArmor; }
    void SetArmor(float armor) { myArmor = armor; }

private:
    friend class CMonster;

    // id + myIdOffset, or id unchanged (with a warning) when the sum does not
    // fit an int.
    int WithIdOffset(int id, const char* what) const;

    types_vector myLocalPosition;
    float myLocalRotation = 0.0f;
    int myShapeType = 0;
    types_vector myExtents;
    float myFriction = 0.0f;
    float myRestitution = 0.0f;
    float myDensity = 0.0f;
    std::string mySpriteFile;
    bool myHasJoint = false;
    types_vector myAnchorPoint;
    float myMotorSpeed = 0.0f;
    float myMotorTorque = 0.0f;
    bool myHasMotor = false;
    int myConnectedToBody = 0;
    bool myIsPinJoint = false;
    bool myHasLimit = false;
    float myUpperLimit = 0.0f;
    float myLowerLimit = 0.0f;
    int myShopUid = -1;
    bool myIsHead = false;
    int myCollisionGroup = -1;
    int myObjectId;
    CMonster* myMonster = nullptr;
    float myMaxHitPoints = 1.0f;
    float myHitPoints = 1.0f;
    float myDamage = 1.0f;
    float myArmor = 1.0f;
    int myIdOffset = 0;
};

}  // namespace monsters
