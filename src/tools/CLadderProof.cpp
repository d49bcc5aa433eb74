#include "tools/CLadderProof.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <ostream>

#include "monsters/CBodyShop.h"
#include "monsters/CLevelList.h"
#include "monsters/CMonster.h"
#include "monsters/CMonsterBodyPart.h"
#include "monsters/PartChecks.h"
#include "monsters/PlayerFiles.h"

namespace fs = std::filesystem;

namespace monsters {

namespace {

// The game folder is the working directory while the proof runs.
class CInFolder {
public:
    explicit CInFolder(const fs::path& folder) : myPrevious(fs::current_path()) {
        fs::current_path(folder);
    }
    ~CInFolder() {
        std::error_code ignored;
        fs::current_path(myPrevious, ignored);
    }

private:
    fs::path myPrevious;
};

bool Near(float a, float b) {
    return std::fabs(a - b) <= 1e-4f * std::max(1.0f, std::fabs(a));
}

std::string BaseName(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A part as built from a catalogue part: everything but place, ids and
// sprite folder is the catalogue's; mirrored parts face the other way.
bool SamePart(const CMonsterBodyPart& built, const CMonsterBodyPart& catalogue, bool mirrored) {
    const float side = mirrored ? -1.0f : 1.0f;
    const float lower = mirrored ? -catalogue.GetUpperLimit() : catalogue.GetLowerLimit();
    const float upper = mirrored ? -catalogue.GetLowerLimit() : catalogue.GetUpperLimit();
    return built.GetShapeType() == catalogue.GetShapeType() &&
           Near(built.GetExtents().x, catalogue.GetExtents().x) &&
           Near(built.GetExtents().y, catalogue.GetExtents().y) &&
           Near(built.GetMaxHitPoints(), catalogue.GetMaxHitPoints()) &&
           Near(built.GetDamage(), catalogue.GetDamage()) &&
           Near(built.GetArmor(), catalogue.GetArmor()) &&
           Near(built.GetDensity(), catalogue.GetDensity()) &&
           Near(built.GetFriction(), catalogue.GetFriction()) &&
           Near(built.GetRestitution(), catalogue.GetRestitution()) &&
           built.IsHead() == catalogue.IsHead() && built.HasJoint() == catalogue.HasJoint() &&
           Near(built.GetAnchorPoint().x, side * catalogue.GetAnchorPoint().x) &&
           Near(built.GetAnchorPoint().y, catalogue.GetAnchorPoint().y) &&
           built.HasMotor() == catalogue.HasMotor() &&
           Near(built.GetMotorSpeed(), side * catalogue.GetMotorSpeed()) &&
           Near(built.GetMotorTorque(), catalogue.GetMotorTorque()) &&
           built.HasLimit() == catalogue.HasLimit() && Near(built.GetLowerLimit(), lower) &&
           Near(built.GetUpperLimit(), upper) &&
           BaseName(built.GetSpriteFile()) == BaseName(catalogue.GetSpriteFile());
}

std::string Hp(bool hasHead, float hitPoints) {
    if (!hasHead) return "-";
    char text[32];
    std::snprintf(text, sizeof(text), "%.2f", double(std::max(hitPoints, 0.0f)));
    return text;
}

}  // namespace

const char* RoleName(CLadderProof::Role role) {
    switch (role) {
        case CLadderProof::ROLE_STARTER:
            return "starter";
        case CLadderProof::ROLE_EARLIER:
            return "k-2";
        default:
            return "climb";
    }
}

CLadderProof::CLadderProof(const std::string& gameFolder, const std::string& referenceFolder)
    : myGameFolder(fs::absolute(gameFolder).string()),
      myReferenceFolder(fs::absolute(referenceFolder).string()) {}

CLadderProof::~CLadderProof() = default;

std::string CLadderProof::ReferenceName(int level) {
    char name[32];
    std::snprintf(name, sizeof(name), "level_%02d.xml", level);
    return name;
}

bool CLadderProof::LoadLists() {
    CLevelList levels("");
    if (!levels.LoadFromFile(STANDARD_LEVEL_LIST_FILE) || levels.GetLevelCount() == 0) {
        Fail(std::string("cannot read the level list ") + STANDARD_LEVEL_LIST_FILE);
        return false;
    }
    CBodyShop shop;
    if (!shop.LoadFromFile(STANDARD_SHOP_LIST_FILE) || shop.GetParts().empty()) {
        Fail(std::string("cannot read the shop list ") + STANDARD_SHOP_LIST_FILE);
        return false;
    }
    std::map<std::string, int> owned;
    for (const CShopPart& entry : shop.GetParts())
        ++owned[entry.myFileName];
    for (int k = 0; k < levels.GetLevelCount(); ++k) {
        const CLevel& level = *levels.GetLevel(k);
        myOpponents.push_back(level.myFileName);
        myOwned.push_back(owned);
        for (const std::string* prize : {&level.myPrize1, &level.myPrize2})
            if (!prize->empty()) ++owned[*prize];
    }
    for (const auto& entry : owned) {
        auto monster = std::make_unique<CMonster>();
        if (!monster->LoadFromFile(entry.first) || monster->GetPartCount() != 1) {
            Fail("the part file " + entry.first + " does not hold exactly one part");
            continue;
        }
        myCatalogue.push_back({entry.first, monster->GetPart(0)});
        myCatalogueMonsters.push_back(std::move(monster));
    }
    return true;
}

std::string CLadderProof::MatchPart(const CMonsterBodyPart& part, bool mirrored) const {
    for (const CCatalogueEntry& entry : myCatalogue)
        if (SamePart(part, *entry.part, mirrored)) return entry.file;
    return "";
}

void CLadderProof::CheckOwnership(int level) {
    const std::string name = ReferenceName(level);
    CMonster monster;
    if (!monster.LoadFromFile((fs::path(myReferenceFolder) / name).string()) ||
        monster.GetPartCount() == 0) {
        Fail(name + ": missing or empty");
        return;
    }
    for (const std::string& problem : CheckMonster(monster))
        Fail(name + ": " + problem);
    std::map<std::string, int> used;
    for (int i = 0; i < monster.GetPartCount(); ++i) {
        const std::string file = MatchPart(*monster.GetPart(i), false);
        if (file.empty())
            Fail(name + ": part " + std::to_string(monster.GetPart(i)->GetObjectId()) +
                 " is no catalogue part");
        else
            ++used[file];
    }
    const std::map<std::string, int>& owned = myOwned[size_t(level)];
    for (const auto& entry : used) {
        const auto have = owned.find(entry.first);
        const int count = have == owned.end() ? 0 : have->second;
        if (entry.second > count)
            Fail(name + ": uses " + entry.first + " " + std::to_string(entry.second) +
                 " times, but the player owns it " + std::to_string(count) + " times at level " +
                 std::to_string(level));
    }
}

void CLadderProof::CheckOpponent(int level) {
    const std::string& file = myOpponents[size_t(level)];
    CMonster monster;
    if (!monster.LoadFromFile(file) || monster.GetPartCount() == 0) {
        Fail("level " + std::to_string(level) + ": the opponent " + file + " is missing or empty");
        return;
    }
    for (const std::string& problem : CheckMonster(monster))
        Fail(file + ": " + problem);
    for (int i = 0; i < monster.GetPartCount(); ++i)
        if (MatchPart(*monster.GetPart(i), true).empty())
            Fail(file + ": part " + std::to_string(monster.GetPart(i)->GetObjectId()) +
                 " is no catalogue part");
}

CLadderProof::CFight CLadderProof::Fight(int level, Role role, int referenceLevel) {
    CFight fight;
    fight.level = level;
    fight.role = role;
    fight.opponent = myOpponents[size_t(level)];
    fight.reference = ReferenceName(referenceLevel);
    const std::string player = (fs::path(myReferenceFolder) / fight.reference).string();
    CFightRunner first;
    fight.outcome = first.Run(player, fight.opponent, CFightRunner::DEFAULT_MAX_STEPS, nullptr);
    CFightRunner second;
    const CFightOutcome again =
        second.Run(player, fight.opponent, CFightRunner::DEFAULT_MAX_STEPS, nullptr);
    fight.deterministic = again.winner == fight.outcome.winner &&
                          again.steps == fight.outcome.steps &&
                          again.playerHitPoints == fight.outcome.playerHitPoints &&
                          again.opponentHitPoints == fight.outcome.opponentHitPoints;
    return fight;
}

bool CLadderProof::Run() {
    const auto start = std::chrono::steady_clock::now();
    myFights.clear();
    myFailures.clear();
    std::error_code error;
    if (!fs::is_directory(myGameFolder, error)) {
        Fail("no game folder " + myGameFolder);
        return false;
    }
    CInFolder inGame(myGameFolder);
    if (!LoadLists()) return false;

    const int levels = static_cast<int>(myOpponents.size());
    for (int k = 0; k < levels; ++k) {
        CheckOwnership(k);
        CheckOpponent(k);
    }
    if (!myFailures.empty()) return false;

    for (int k = 0; k < levels; ++k) {
        const std::string at = "level " + std::to_string(k) + ": ";
        const CFight climb = Fight(k, ROLE_CLIMB, k);
        myFights.push_back(climb);
        if (climb.outcome.winner != CFightOutcome::WINNER_PLAYER)
            Fail(at + climb.reference + " does not beat " + climb.opponent);
        if (k >= 3) {
            const CFight starter = Fight(k, ROLE_STARTER, 0);
            myFights.push_back(starter);
            if (starter.outcome.winner == CFightOutcome::WINNER_PLAYER)
                Fail(at + "the starting parts (" + starter.reference + ") beat " +
                     starter.opponent);
        }
        if (k >= 2) {
            const CFight earlier = Fight(k, ROLE_EARLIER, k - 2);
            myFights.push_back(earlier);
            if (earlier.outcome.winner != CFightOutcome::WINNER_OPPONENT &&
                earlier.outcome.steps <= 2 * climb.outcome.steps)
                Fail(at + earlier.reference + " beats " + earlier.opponent + " in " +
                     std::to_string(earlier.outcome.steps) + " steps, not more than twice the " +
                     std::to_string(climb.outcome.steps) + " of " + climb.reference);
        }
    }
    for (const CFight& fight : myFights) {
        const std::string what = "level " + std::to_string(fight.level) + ", " + fight.reference +
                                 " against " + fight.opponent + ": ";
        if (fight.outcome.winner == CFightOutcome::WINNER_NONE)
            Fail(what + "no winner after two minutes");
        if (!fight.deterministic) Fail(what + "a second run gave another result");
    }
    mySeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return myFailures.empty();
}

void CLadderProof::PrintTable(std::ostream& out) const {
    char line[256];
    std::snprintf(line, sizeof(line),
                  "| %-5s | %-30s | %-12s | %-7s | %-8s | %6s | %7s | %-13s |\n", "level",
                  "opponent", "reference", "fight", "winner", "steps", "seconds", "head hp p / o");
    out << line;
    out << "|-------|--------------------------------|--------------|---------|----------|"
           "--------|---------|---------------|\n";
    for (const CFight& fight : myFights) {
        const std::string hp = Hp(fight.outcome.playerHasHead, fight.outcome.playerHitPoints) +
                               " / " +
                               Hp(fight.outcome.opponentHasHead, fight.outcome.opponentHitPoints);
        std::snprintf(
            line, sizeof(line), "| %5d | %-30s | %-12s | %-7s | %-8s | %6lld | %7.2f | %-13s |\n",
            fight.level, fight.opponent.c_str(), fight.reference.c_str(), RoleName(fight.role),
            WinnerName(fight.outcome.winner), static_cast<long long>(fight.outcome.steps),
            fight.outcome.seconds, hp.c_str());
        out << line;
    }
}

}  // namespace monsters
