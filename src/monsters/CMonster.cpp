#include "monsters/CMonster.h"

#include <algorithm>

#include "vorn/utils/xml/Xml.h"

namespace monsters {

namespace {

const char* const SOURCE = "monsters/cphysicstask";
const char* const PART_ELEMENT = "MonsterBodyPart";
const char* const ROOT_ELEMENT = "Monster";

}  // namespace

CMonster::~CMonster() {
    DestroyParts();
}

void CMonster::Serialize(vorn::CXmlArchive& ar) {
    ar.SetSource(SOURCE, __LINE__);
    vorn::CXmlElement* element = ar.GetCurrentElement();
    if (!element) return;
    if (ar.IsWriting()) {
        for (const auto& part : myParts)
            ar.AddChild(vorn::ObjectToXmlElement(*part, PART_ELEMENT));
        return;
    }

    DestroyParts();
    for (int i = 0; i < element->GetChildCount(); ++i) {
        vorn::CXmlElement* child = element->GetChild(i);
        if (child->GetName() != PART_ELEMENT) continue;
        auto part = std::make_unique<CMonsterBodyPart>();
        part->SetIdOffset(myIdOffset);
        vorn::ObjectFromXmlElement(child, *part);
        AddPart(std::move(part));
    }
    ar.SkipChildren(PART_ELEMENT);
}

bool CMonster::LoadFromFile(const std::string& fileName) {
    return vorn::LoadObjectFromXmlFile(*this, fileName);
}

bool CMonster::SaveToFile(const std::string& fileName) {
    return vorn::SaveObjectToXmlFile(*this, fileName, ROOT_ELEMENT);
}

CMonsterBodyPart* CMonster::GetPart(int index) const {
    if (index < 0 || index >= GetPartCount()) return nullptr;
    return myParts[static_cast<size_t>(index)].get();
}

CMonsterBodyPart* CMonster::AddPart(std::unique_ptr<CMonsterBodyPart> part) {
    if (!part) return nullptr;
    part->myMonster = this;
    // An appended part never stands before a cached head: the cache stays.
    myParts.push_back(std::move(part));
    return myParts.back().get();
}

std::unique_ptr<CMonsterBodyPart> CMonster::TakePart(const CMonsterBodyPart* part) {
    auto it = std::find_if(myParts.begin(), myParts.end(),
                           [part](const auto& owned) { return owned.get() == part; });
    if (!part || it == myParts.end()) return nullptr;
    std::unique_ptr<CMonsterBodyPart> taken = std::move(*it);
    myParts.erase(it);
    taken->myMonster = nullptr;
    myHeadPart = nullptr;
    return taken;
}

void CMonster::MovePartsTo(CMonster& other) {
    if (&other == this) return;
    std::vector<std::unique_ptr<CMonsterBodyPart>> parts;
    parts.swap(myParts);
    myHeadPart = nullptr;
    for (auto& part : parts)
        other.AddPart(std::move(part));
}

void CMonster::DestroyParts() {
    // The cache goes first: it must never point at a destroyed part.
    myHeadPart = nullptr;
    std::vector<std::unique_ptr<CMonsterBodyPart>> parts;
    parts.swap(myParts);
    for (auto& part : parts)
        part->myMonster = nullptr;
}

void CMonster::SetShopUid(int uid) {
    for (auto& part : myParts)
        part->SetShopUid(uid);
}

CMonsterBodyPart* CMonster::FindHeadPart() {
    if (myHeadPart) return myHeadPart;
    for (const auto& part : myParts) {
        if (part->IsHead()) {
            myHeadPart = part.get();
            break;
        }
    }
    return myHeadPart;
}

CMonsterBodyPart* CMonster::FindPart(int objectId) const {
    for (const auto& part : myParts) {
        if (part->GetObjectId() == objectId) return part.get();
    }
    return nullptr;
}

CMonsterBodyPart* CMonster::FindHingePartner(const CMonsterBodyPart& part) const {
    if (!part.HasJoint()) return nullptr;
    for (const auto& candidate : myParts) {
        if (candidate.get() != &part && candidate->GetObjectId() == part.GetConnectedToBody())
            return candidate.get();
    }
    return nullptr;
}

}  // namespace monsters
