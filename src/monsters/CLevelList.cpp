#include "monsters/CLevelList.h"

#include "monsters/CBodyShop.h"
#include "vorn/console/CLog.h"
#include "vorn/utils/xml/Xml.h"
#include "vorn/utils/xml/XmlText.h"

namespace monsters {

namespace {

const char* const SOURCE = "monsters/clevellist";
const char* const LEVEL_ELEMENT = "Level";
const char* const ROOT_ELEMENT = "LevelList";

// Reads the position of a "Level" element; false when it has no usable
// position or no file name, with the reason.
bool ReadPosition(const vorn::CXmlElement& element, int& position, std::string& reason) {
    if (!element.HasAttribute("position") || !element.HasAttribute("filename")) {
        reason = "a level without \"position\" or \"filename\"";
        return false;
    }
    const std::string text = element.GetAttribute("position").GetString();
    if (!vorn::CXmlValue<int>::FromText(text, position) || position < 0 ||
        position > CLevelList::MAX_POSITION) {
        reason = "the position \"" + vorn::XmlPrintable(text) + "\" (not 0 to " +
                 std::to_string(CLevelList::MAX_POSITION) + ")";
        return false;
    }
    return true;
}

}  // namespace

void CLevel::Serialize(vorn::CXmlArchive& ar) {
    ar.Attribute("filename", myFileName, SOURCE, __LINE__);
    ar.Attribute("completed", myCompleted, SOURCE, __LINE__);
    ar.Field("Price1", myPrize1, SOURCE, __LINE__);
    ar.Field("Price1Image", myPrize1Image, SOURCE, __LINE__);
    ar.Field("Price2", myPrize2, SOURCE, __LINE__);
    ar.Field("Price2Image", myPrize2Image, SOURCE, __LINE__);
}

CLevelList::CLevelList(const std::string& fileName) {
    if (!fileName.empty()) LoadFromFile(fileName);
}

CLevelList::~CLevelList() {
    if (!myFileName.empty() && myFileName != STANDARD_LEVEL_LIST_FILE) Save();
}

void CLevelList::Serialize(vorn::CXmlArchive& ar) {
    ar.SetSource(SOURCE, __LINE__);
    vorn::CXmlElement* element = ar.GetCurrentElement();
    if (!element) return;
    if (ar.IsWriting()) {
        for (int i = 0; i < GetLevelCount(); ++i) {
            auto child = vorn::ObjectToXmlElement(myLevels[static_cast<size_t>(i)], LEVEL_ELEMENT);
            child->AddAttribute("position", vorn::CAnyContainer(i));
            ar.AddChild(std::move(child));
        }
        return;
    }

    int skipped = 0;
    std::string firstReason;
    for (int i = 0; i < element->GetChildCount(); ++i) {
        const vorn::CXmlElement* child = element->GetChild(i);
        if (child->GetName() != LEVEL_ELEMENT) continue;
        int position = -1;
        std::string reason;
        if (!ReadPosition(*child, position, reason)) {
            if (skipped++ == 0) firstReason = reason;
            continue;
        }
        CLevel level;
        vorn::ObjectFromXmlElement(element->GetChild(i), level);
        SetLevel(position, level);
    }
    ar.SkipChildren(LEVEL_ELEMENT);
    if (skipped > 0) {
        vorn::CLog::GetSingleton()->Warning()
            << "[WARNING] Level list: " << skipped << " level(s) skipped, the first for "
            << firstReason << "\n";
    }

    for (int i = 0; i < GetLevelCount(); ++i) {
        if (!myLevels[static_cast<size_t>(i)].myCompleted) {
            myCurrentIndex = i;
            break;
        }
    }
}

bool CLevelList::LoadFromFile(const std::string& fileName) {
    myFileName = fileName;
    return vorn::LoadObjectFromXmlFile(*this, fileName);
}

bool CLevelList::LoadForPlayer(const std::string& playerName) {
    return LoadFromFile(PlayerLevelListFile(playerName));
}

bool CLevelList::Save() {
    return SaveToFile(myFileName);
}

bool CLevelList::SaveToFile(const std::string& fileName) {
    return vorn::SaveObjectToXmlFile(*this, fileName, ROOT_ELEMENT);
}

const CLevel* CLevelList::GetLevel(int index) const {
    if (index < 0 || index >= GetLevelCount()) return nullptr;
    return &myLevels[static_cast<size_t>(index)];
}

bool CLevelList::SetLevel(int position, const CLevel& level) {
    if (position < 0 || position > MAX_POSITION) return false;
    if (position >= GetLevelCount()) myLevels.resize(static_cast<size_t>(position) + 1);
    myLevels[static_cast<size_t>(position)] = level;
    return true;
}

bool CLevelList::IsCompleted(int index) const {
    const CLevel* level = GetLevel(index);
    return level && level->myCompleted;
}

std::string CLevelList::GetCurrentOpponentFile() const {
    const CLevel* level = GetCurrentLevel();
    return level ? level->myFileName : std::string();
}

std::string CLevelList::CompleteCurrentLevel() {
    if (!GetCurrentLevel()) return std::string();
    myLevels[static_cast<size_t>(myCurrentIndex)].myCompleted = true;
    ++myCurrentIndex;
    return GetCurrentOpponentFile();
}

std::string CLevelList::WinCurrentLevel(CBodyShop& shop) {
    const CLevel* level = GetCurrentLevel();
    if (!level) return std::string();
    if (!level->myPrize1.empty()) shop.AddPart(level->myPrize1);
    if (!level->myPrize2.empty()) shop.AddPart(level->myPrize2);
    return CompleteCurrentLevel();
}

}  // namespace monsters
