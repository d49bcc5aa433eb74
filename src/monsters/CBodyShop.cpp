#include "monsters/CBodyShop.h"

#include <algorithm>
#include <unordered_set>

#include "monsters/PlayerFiles.h"
#include "vorn/console/CLog.h"
#include "vorn/utils/xml/Xml.h"
#include "vorn/utils/xml/XmlText.h"

namespace monsters {

namespace {

const char* const SOURCE = "monsters/cmonsterbodyshop";
const char* const PART_ELEMENT = "ShopPart";
const char* const ROOT_ELEMENT = "ShopList";

}  // namespace

void CShopPart::Serialize(vorn::CXmlArchive& ar) {
    ar.Field("Filename", myFileName, SOURCE, __LINE__);
    ar.Field("UID", myUid, SOURCE, __LINE__);
}

void CBodyShop::Serialize(vorn::CXmlArchive& ar) {
    if (ar.IsReading()) myParts.clear();
    ar.Field(PART_ELEMENT, myParts, SOURCE, __LINE__);
    if (ar.IsReading()) RepairUids();
}

void CBodyShop::RepairUids() {
    int largest = 0;
    for (const CShopPart& part : myParts) {
        if (part.myUid <= MAX_UID) largest = std::max(largest, part.myUid);
    }
    myUidCounter = largest + 1;

    std::unordered_set<int> taken;
    int repaired = 0;
    std::string firstFile;
    for (CShopPart& part : myParts) {
        const bool usable = part.myUid >= 0 && part.myUid <= MAX_UID;
        if (usable && taken.insert(part.myUid).second) continue;
        if (repaired++ == 0) firstFile = part.myFileName;
        part.myUid = ++myUidCounter;
        taken.insert(part.myUid);
    }
    if (repaired > 0) {
        vorn::CLog::GetSingleton()->Warning()
            << "[WARNING] Shop list: " << repaired
            << " part(s) had a missing, invalid or repeated UID and got a new one (first: \""
            << vorn::XmlPrintable(firstFile) << "\")\n";
    }
}

bool CBodyShop::LoadFromFile(const std::string& fileName) {
    return vorn::LoadObjectFromXmlFile(*this, fileName);
}

bool CBodyShop::SaveToFile(const std::string& fileName) {
    return vorn::SaveObjectToXmlFile(*this, fileName, ROOT_ELEMENT);
}

void CBodyShop::LoadForPlayer(const std::string& playerName) {
    LoadFromFile(PlayerShopListFile(playerName));
    if (myParts.empty()) LoadFromFile(STANDARD_SHOP_LIST_FILE);
}

bool CBodyShop::SaveForPlayer(const std::string& playerName) {
    return SaveToFile(PlayerShopListFile(playerName));
}

int CBodyShop::AddPart(const std::string& fileName) {
    CShopPart part;
    part.myFileName = fileName;
    part.myUid = ++myUidCounter;
    myParts.push_back(part);
    return part.myUid;
}

}  // namespace monsters
