#pragma once

#include <memory>
#include <string>
#include <vector>

#include "monsters/CMonsterBodyPart.h"

namespace vorn {
class CXmlArchive;
}

namespace monsters {

// One monster: an ordered list of body parts it owns (file order), the head
// part that decides its fights, and the id offset and collision group it has
// in its world. The file format is described in CMonsterBodyPart.h.
class CMonster {
public:
    CMonster() = default;
    ~CMonster();
    CMonster(const CMonster&) = delete;
    CMonster& operator=(const CMonster&) = delete;

    // Writing: every part as a "MonsterBodyPart" element, in list order.
    // Reading: destroys the current parts, then reads every child named
    // "MonsterBodyPart" in document order into a new part carrying this
    // monster's id offset; other children are ignored.
    void Serialize(vorn::CXmlArchive& ar);

    // Reads a monster file, whatever its root's name. False, with the
    // monster unchanged, when the file gave no element.
    bool LoadFromFile(const std::string& fileName);
    // Writes the monster under the root "Monster". The previous file is
    // replaced only by a complete new one; false (and one error line in the
    // log) when the save failed.
    bool SaveToFile(const std::string& fileName);

    // --- Parts -----------------------------------------------------------------
    int GetPartCount() const { return static_cast<int>(myParts.size()); }
    // Null for an index out of range.
    CMonsterBodyPart* GetPart(int index) const;
    // Appends a part and takes it over; returns it (null for a null part).
    CMonsterBodyPart* AddPart(std::unique_ptr<CMonsterBodyPart> part);
    // Removes a part from the list and hands it to the caller; null when
    // the part is not one of this monster's.
    std::unique_ptr<CMonsterBodyPart> TakePart(const CMonsterBodyPart* part);
    // Moves every part, in order, to the end of other's list.
    void MovePartsTo(CMonster& other);
    // Destroys every part.
    void DestroyParts();
    // Gives every part this shop UID.
    void SetShopUid(int uid);

    // The first part in list order marked as head, or null. The answer is
    // kept until the parts or a head flag change.
    CMonsterBodyPart* FindHeadPart();
    // The first part with that object id, or null.
    CMonsterBodyPart* FindPart(int objectId) const;
    // The part this part is hinged to: another part of this monster whose
    // object id is the part's connected-to body. Null when the part has no
    // joint or the partner is missing; a part is never its own partner.
    CMonsterBodyPart* FindHingePartner(const CMonsterBodyPart& part) const;

    // Called by a part whose head flag changed.
    void ForgetHeadPart() { myHeadPart = nullptr; }

    // --- World state -----------------------------------------------------------
    bool IsDead() const { return myIsDead; }
    void SetDead(bool dead) { myIsDead = dead; }
    // 10 times the number of monsters already in the world; given to each
    // part read from a file.
    int GetIdOffset() const { return myIdOffset; }
    void SetIdOffset(int offset) { myIdOffset = offset; }
    int GetCollisionGroup() const { return myCollisionGroup; }
    void SetCollisionGroup(int group) { myCollisionGroup = group; }

private:
    bool myIsDead = false;
    std::vector<std::unique_ptr<CMonsterBodyPart>> myParts;
    CMonsterBodyPart* myHeadPart = nullptr;
    int myIdOffset = 0;
    int myCollisionGroup = -1;
};

}  // namespace monsters
