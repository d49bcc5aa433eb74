#pragma once

#include <string>
#include <vector>

#include "vorn/designpatterns/singleton/CSingleton.h"

namespace vorn {
class CXmlArchive;
}

// The body shop: the parts the player owns, as the file
//
//   <ShopList>
//     <ShopPart>
//       <Filename>  a monster file holding the part (usually one part)
//       <UID>       the entry's unique id (int)
//     </ShopPart>
//     ...
//   </ShopList>
//
// UIDs tell the entries apart, and the parts of a monster carry the UID of
// the entry they came from, so the editor can move each bought part as a
// unit. UIDs are never below 0 and never repeat within one shop.
namespace monsters {

// One owned part.
struct CShopPart {
    std::string myFileName;
    int myUid = -1;

    void Serialize(vorn::CXmlArchive& ar);
};

// The catalogue of owned parts. The game uses the singleton; other
// instances are independent (each has its own UID counter).
class CBodyShop : public vorn::CSingleton<CBodyShop> {
public:
    // UIDs above this are refused when read, so the counter can never overflow.
    static constexpr int MAX_UID = 1000000000;

    // Writing: every entry as a "ShopPart" element, in order. Reading: empties
    // the list and reads every "ShopPart" in document order; then the UID
    // counter becomes the largest UID read (0 if none) plus one. An entry
    // whose UID is missing, negative, above MAX_UID or already taken gets a
    // new one as if added, and the load writes one warning line for them all.
    void Serialize(vorn::CXmlArchive& ar);

    // Reads a shop list file; false, with the shop unchanged, when the file
    // gave no element.
    bool LoadFromFile(const std::string& fileName);
    // Writes the shop under the root "ShopList"; the previous file is replaced
    // only by a complete new one. False (and one error line) on failure.
    bool SaveToFile(const std::string& fileName);

    // Start of a game: the player's shop list, or the standard shop list when
    // the player's gives no entries.
    void LoadForPlayer(const std::string& playerName);
    // End of a game: writes the shop to the player's shop list file.
    bool SaveForPlayer(const std::string& playerName);

    // Appends an entry for the part file; the counter is increased first and
    // the entry takes its new value. Returns the UID.
    int AddPart(const std::string& fileName);

    // The entries in order (the editor's tray shows them).
    const std::vector<CShopPart>& GetParts() const { return myParts; }
    int GetUidCounter() const { return myUidCounter; }

private:
    // Gives a fresh UID to entries whose UID is unusable or repeated.
    void RepairUids();

    std::vector<CShopPart> myParts;
    int myUidCounter = 0;
};

}  // namespace monsters
