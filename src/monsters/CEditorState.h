#pragma once

#include <memory>
#include <string>
#include <vector>

#include "monsters/CMonster.h"

namespace vorn {
class CXmlArchive;
}

namespace monsters {

// The editor's saved state: every monster of the editor world, in world
// order (the floor first), as the file
//
//   <EditorRoot>
//     <Monster>
//       <MonsterBodyPart ...> ... </MonsterBodyPart>     as in a monster file
//     </Monster>
//     <Monster> ... </Monster>
//   </EditorRoot>
//
// Reading keeps the ids as written: they come from one world, where they were
// unique, so the world is recreated as it was.
class CEditorState {
public:
    // Writing: each monster as a "Monster" element, in order. Reading:
    // destroys the current monsters, then reads every child named "Monster"
    // in document order; other children are ignored.
    void Serialize(vorn::CXmlArchive& ar);

    // Reads the file; false, with the state unchanged, when it gave no element.
    bool LoadFromFile(const std::string& fileName);
    // Writes the state under the root "EditorRoot", replacing the previous
    // file only by a complete new one; false when the save failed.
    bool SaveToFile(const std::string& fileName);

    int GetMonsterCount() const { return static_cast<int>(myMonsters.size()); }
    // Null for an index out of range.
    CMonster* GetMonster(int index) const;
    // Appends a monster and takes it over; returns it (null for null).
    CMonster* AddMonster(std::unique_ptr<CMonster> monster);
    // Hands every monster, in order, to the caller and leaves the state empty.
    std::vector<std::unique_ptr<CMonster>> TakeMonsters();

private:
    std::vector<std::unique_ptr<CMonster>> myMonsters;
};

}  // namespace monsters
