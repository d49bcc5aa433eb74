#include "monsters/CMonsterBodyPart.h"

#include <climits>
#include <cstdint>

#include "monsters/CMonster.h"
#include "vorn/console/CLog.h"
#include "vorn/utils/xml/CXmlArchive.h"

namespace monsters {

namespace {

// Source named by the XML layer's warnings about monster files.
const char* const SOURCE = "monsters/cphysicstask";

// Process-wide; every new part takes the current value.
int ourNextObjectId = 0;

}  // namespace

CMonsterBodyPart::CMonsterBodyPart() : myObjectId(ourNextObjectId) {
    // Wrap to 0 rather than overflow after two billion parts.
    ourNextObjectId = ourNextObjectId == INT_MAX ? 0 : ourNextObjectId + 1;
}

int CMonsterBodyPart::PeekNextObjectId() {
    return ourNextObjectId;
}

void CMonsterBodyPart::SetIsHead(bool isHead) {
    myIsHead = isHead;
    if (myMonster) myMonster->ForgetHeadPart();
}

void CMonsterBodyPart::Serialize(vorn::CXmlArchive& ar) {
    ar.Attribute("unique_monster_part_id", myShopUid, SOURCE, __LINE__);
    ar.Attribute("object_id", myObjectId, SOURCE, __LINE__);
    ar.Attribute("physics_shape_type", myShapeType, SOURCE, __LINE__);

    ar.Field("GameHP", myHitPoints, SOURCE, __LINE__);
    ar.Field("GameDamage", myDamage, SOURCE, __LINE__);
    ar.Field("GameArmor", myArmor, SOURCE, __LINE__);
    ar.Field("PhysLocalPosition", myLocalPosition, SOURCE, __LINE__);
    ar.Field("PhysLocalRotation", myLocalRotation, SOURCE, __LINE__);
    ar.Field("IsHeadPart", myIsHead, SOURCE, __LINE__);
    ar.Field("PhysExtents", myExtents, SOURCE, __LINE__);
    ar.Field("PhysFriction", myFriction, SOURCE, __LINE__);
    ar.Field("PhysRestitution", myRestitution, SOURCE, __LINE__);
    ar.Field("PhysDensity", myDensity, SOURCE, __LINE__);
    ar.Field("GfxFilename", mySpriteFile, SOURCE, __LINE__);
    ar.Field("PhysIsMrBigJoint", myIsPinJoint, SOURCE, __LINE__);
    ar.Field("PhysHasJoint", myHasJoint, SOURCE, __LINE__);
    ar.Field("PhysAnchorPoint", myAnchorPoint, SOURCE, __LINE__);
    ar.Field("PhysHasLimit", myHasLimit, SOURCE, __LINE__);
    ar.Field("PhysUpperLimit", myUpperLimit, SOURCE, __LINE__);
    ar.Field("PhysLowerLimit", myLowerLimit, SOURCE, __LINE__);
    ar.Field("PhysMotorSpeed", myMotorSpeed, SOURCE, __LINE__);
    ar.Field("PhysMotorTorgue", myMotorTorque, SOURCE, __LINE__);
    ar.Field("PhysHasMotor", myHasMotor, SOURCE, __LINE__);
    ar.Field("PhysConnectedToBody", myConnectedToBody, SOURCE, __LINE__);

    if (ar.IsReading()) {
        // A part read in place may have changed its head flag.
        if (myMonster) myMonster->ForgetHeadPart();
        // File ids are small; the offset keeps monsters sharing a group apart.
        myConnectedToBody = WithIdOffset(myConnectedToBody, "PhysConnectedToBody");
        myMaxHitPoints = myHitPoints;
        myObjectId = WithIdOffset(myObjectId, "object_id");
    }
}

int CMonsterBodyPart::WithIdOffset(int id, const char* what) const {
    const int64_t sum = static_cast<int64_t>(id) + myIdOffset;
    if (sum >= INT_MIN && sum <= INT_MAX) return static_cast<int>(sum);
    vorn::CLog::GetSingleton()->Warning()
        << "[WARNING] Monster part: " << what << " " << id << " plus the id offset " << myIdOffset
        << " is out of range, the offset is not added\n";
    return id;
}

}  // namespace monsters
