#include "monsters/CEditorState.h"

#include "vorn/utils/xml/Xml.h"

namespace monsters {

namespace {

const char* const SOURCE = "monsters/cphysicstask";
const char* const MONSTER_ELEMENT = "Monster";
const char* const ROOT_ELEMENT = "EditorRoot";

}  // namespace

void CEditorState::Serialize(vorn::CXmlArchive& ar) {
    ar.SetSource(SOURCE, __LINE__);
    vorn::CXmlElement* element = ar.GetCurrentElement();
    if (!element) return;
    if (ar.IsWriting()) {
        for (const auto& monster : myMonsters)
            ar.AddChild(vorn::ObjectToXmlElement(*monster, MONSTER_ELEMENT));
        return;
    }

    myMonsters.clear();
    for (int i = 0; i < element->GetChildCount(); ++i) {
        vorn::CXmlElement* child = element->GetChild(i);
        if (child->GetName() != MONSTER_ELEMENT) continue;
        // The ids were written from one world, where they were unique and
        // the hinges and pins pointed at them: they are read as they stand.
        // Raising them again by monster would make two parts share an id.
        auto monster = std::make_unique<CMonster>();
        vorn::ObjectFromXmlElement(child, *monster);
        myMonsters.push_back(std::move(monster));
    }
    ar.SkipChildren(MONSTER_ELEMENT);
}

bool CEditorState::LoadFromFile(const std::string& fileName) {
    return vorn::LoadObjectFromXmlFile(*this, fileName);
}

bool CEditorState::SaveToFile(const std::string& fileName) {
    return vorn::SaveObjectToXmlFile(*this, fileName, ROOT_ELEMENT);
}

CMonster* CEditorState::GetMonster(int index) const {
    if (index < 0 || index >= GetMonsterCount()) return nullptr;
    return myMonsters[static_cast<size_t>(index)].get();
}

CMonster* CEditorState::AddMonster(std::unique_ptr<CMonster> monster) {
    if (!monster) return nullptr;
    myMonsters.push_back(std::move(monster));
    return myMonsters.back().get();
}

std::vector<std::unique_ptr<CMonster>> CEditorState::TakeMonsters() {
    std::vector<std::unique_ptr<CMonster>> monsters;
    monsters.swap(myMonsters);
    return monsters;
}

}  // namespace monsters
