#pragma once

#include <string>
#include <vector>

#include "monsters/PlayerFiles.h"
#include "vorn/designpatterns/singleton/CSingleton.h"

namespace vorn {
class CXmlArchive;
}

// The ladder of opponents, as the file
//
//   <LevelList>
//     <Level completed="0" filename="data/monsters/first.xml" position="0" >
//       <Price1>       part file won with the level (may be empty)
//       <Price1Image>  its image on the prize screen
//       <Price2>
//       <Price2Image>
//     </Level>
//     ...
//   </LevelList>
//
// "position" is the level's index in the list. A level is read only when it
// has both "position" and "filename" and its position lies in 0..MAX_POSITION;
// it replaces the entry at that position, and the list grows to hold it.
namespace monsters {

class CBodyShop;

// One level: the opponent's monster file, whether it has been beaten, and up
// to two prizes (part files added to the shop when it is won).
struct CLevel {
    std::string myFileName;
    bool myCompleted = false;
    std::string myPrize1;
    std::string myPrize2;
    std::string myPrize1Image;
    std::string myPrize2Image;

    // The attributes "filename" and "completed" and the prize elements; the
    // position belongs to the list.
    void Serialize(vorn::CXmlArchive& ar);
};

// The player's progress through the levels. The game uses the singleton,
// which starts from the standard list; other instances are independent.
class CLevelList : public vorn::CSingleton<CLevelList> {
public:
    static constexpr int MAX_POSITION = 9999;

    // Loads fileName, which becomes the list's file name; "" loads nothing.
    explicit CLevelList(const std::string& fileName = STANDARD_LEVEL_LIST_FILE);
    // Writes the list to its file name, except when that is empty or the
    // standard list, which is game data and never written.
    ~CLevelList();
    CLevelList(const CLevelList&) = delete;
    CLevelList& operator=(const CLevelList&) = delete;

    // Writing: every level as a "Level" element with its position, in index
    // order. Reading: the rule in the header comment; entries are never
    // removed. Levels skipped for a missing, bad or out-of-range position or a
    // missing file name cost one warning line per read. Afterwards the current
    // index is the first level not completed, or stays when all are.
    void Serialize(vorn::CXmlArchive& ar);

    // Sets the file name, then reads the file over the list. False, with the
    // list unchanged, when the file gave no element.
    bool LoadFromFile(const std::string& fileName);
    // Start of a game: the player's level list file over the current list.
    bool LoadForPlayer(const std::string& playerName);
    // Writes the list under the root "LevelList" to the file name (or to
    // fileName), replacing the previous file only by a complete new one.
    // False (and one error line) on failure.
    bool Save();
    bool SaveToFile(const std::string& fileName);
    const std::string& GetFileName() const { return myFileName; }

    int GetLevelCount() const { return static_cast<int>(myLevels.size()); }
    // Null for an index outside the list.
    const CLevel* GetLevel(int index) const;
    // Puts level at position, growing the list; false for a position outside
    // 0..MAX_POSITION.
    bool SetLevel(int position, const CLevel& level);
    // False for an index outside the list.
    bool IsCompleted(int index) const;

    int GetCurrentIndex() const { return myCurrentIndex; }
    void SetCurrentIndex(int index) { myCurrentIndex = index; }
    // The current level, or null when the index is outside the list (after
    // the last level has been won).
    const CLevel* GetCurrentLevel() const { return GetLevel(myCurrentIndex); }
    // The current level's opponent file; "" when the index is outside the list.
    std::string GetCurrentOpponentFile() const;
    // Marks the current level completed and moves to the next; returns the
    // next level's opponent file ("" if none). Does nothing outside the list.
    std::string CompleteCurrentLevel();
    // Winning the current level: its prizes that are not empty join the shop,
    // the first prize first; then the level is completed as above.
    std::string WinCurrentLevel(CBodyShop& shop);

private:
    std::vector<CLevel> myLevels;
    int myCurrentIndex = 0;
    std::string myFileName;
};

}  // namespace monsters
