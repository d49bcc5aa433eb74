#pragma once

#include <iosfwd>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "monsters/CFightRunner.h"

namespace monsters {

class CMonster;
class CMonsterBodyPart;

// The proof that the shipped ladder can be climbed, and that it climbs.
//
// For every level k of "data/monster_list.xml" a reference player monster
// REFERENCES/level_KK.xml (KK two digits) stands for what a player can build
// on reaching level k. The proof holds when
//   - each reference uses only parts the player owns then: the entries of
//     "data/standard_shoplist.xml" plus the prizes of levels 0 .. k-1, each
//     part file at most as often as it is owned;
//   - each opponent is made of catalogue parts (the shop's and the prizes'
//     part files, mirrored: opponents face left);
//   - reference k beats opponent k from the player's side;
//   - from level 3 on, reference 0 (starting parts only) does not;
//   - from level 2 on, opponent k beats reference k-2, or that fight lasts
//     more than twice as long as the fight with reference k;
//   - no fight is undecided after two minutes of simulated time, and every
//     fight, run twice, gives the same result.
//
// Fights run in this process, one after the other, in the game folder.
class CLadderProof {
public:
    enum Role { ROLE_CLIMB, ROLE_STARTER, ROLE_EARLIER };

    struct CFight {
        int level = 0;
        Role role = ROLE_CLIMB;
        std::string opponent;   // as the level list names it
        std::string reference;  // file name within the reference folder
        CFightOutcome outcome;
        bool deterministic = false;
    };

    // gameFolder holds data/ and temp/; referenceFolder the level_KK.xml files.
    CLadderProof(const std::string& gameFolder, const std::string& referenceFolder);
    ~CLadderProof();
    CLadderProof(const CLadderProof&) = delete;
    CLadderProof& operator=(const CLadderProof&) = delete;

    // Runs every check and fight; false when any rule fails (see failures).
    bool Run();

    const std::vector<CFight>& GetFights() const { return myFights; }
    const std::vector<std::string>& GetFailures() const { return myFailures; }
    double GetSeconds() const { return mySeconds; }

    // The table: level, opponent, reference, winner, steps, seconds, head
    // hit points left (player's / opponent's).
    void PrintTable(std::ostream& out) const;

    // "level_03.xml"
    static std::string ReferenceName(int level);

private:
    struct CCatalogueEntry {
        std::string file;
        CMonsterBodyPart* part = nullptr;
    };

    bool LoadLists();
    // The catalogue part file a part was built from, or "" for none.
    std::string MatchPart(const CMonsterBodyPart& part, bool mirrored) const;
    void CheckOwnership(int level);
    void CheckOpponent(int level);
    CFight Fight(int level, Role role, int referenceLevel);
    void Fail(const std::string& text) { myFailures.push_back(text); }

    std::string myGameFolder;
    std::string myReferenceFolder;
    std::vector<std::string> myOpponents;
    // Part files owned on reaching each level (index = level).
    std::vector<std::map<std::string, int>> myOwned;
    std::vector<CCatalogueEntry> myCatalogue;
    std::vector<std::unique_ptr<CMonster>> myCatalogueMonsters;
    std::vector<CFight> myFights;
    std::vector<std::string> myFailures;
    double mySeconds = 0.0;
};

const char* RoleName(CLadderProof::Role role);

}  // namespace monsters
