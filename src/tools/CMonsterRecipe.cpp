#include "tools/CMonsterRecipe.h"

#include <box2d/box2d.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "monsters/CEditorWorld.h"
#include "monsters/CHeadlessGraphics.h"
#include "monsters/CMonster.h"
#include "monsters/CMonsterBodyPart.h"
#include "monsters/CPin.h"
#include "monsters/PartChecks.h"
#include "monsters/PlayerFiles.h"

namespace fs = std::filesystem;

namespace monsters {

namespace {

const char* const PART_SPRITES = "data/gfx/parts/";
const char* const OPPONENT_SPRITES = "data/gfx/parts/opponents/";

bool ReadNumber(std::istringstream& words, float& value) {
    std::string word;
    if (!(words >> word)) return false;
    char* end = nullptr;
    value = std::strtof(word.c_str(), &end);
    return end && *end == '\0' && IsSaneCoordinate(value);
}

std::string At(int lineNumber) {
    return "line " + std::to_string(lineNumber) + ": ";
}

// -value, without the "-0" a plain negation writes for 0.
float Mirrored(float value) {
    return value == 0.0f ? 0.0f : -value;
}

CPin* FindPin(CEditorWorld& world, const CMonster& monster) {
    for (int i = 0; i < world.GetPinCount(); ++i)
        if (world.GetPin(i)->GetPart().GetMonster() == &monster) return world.GetPin(i);
    return nullptr;
}

}  // namespace

bool CMonsterRecipe::Parse(const std::string& text, std::vector<std::string>& problems) {
    myLines.clear();
    const size_t before = problems.size();
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        const size_t hash = line.find('#');
        if (hash != std::string::npos) line.erase(hash);
        std::istringstream words(line);
        std::string word;
        if (!(words >> word)) continue;
        if (word != "part") {
            problems.push_back(At(number) + "expected \"part FILE [at X Y] [turn A]\"");
            continue;
        }
        CLine entry;
        entry.lineNumber = number;
        if (!(words >> entry.file)) {
            problems.push_back(At(number) + "\"part\" needs a part file");
            continue;
        }
        bool ok = true;
        while (ok && words >> word) {
            if (word == "at") {
                ok = ReadNumber(words, entry.x) && ReadNumber(words, entry.y);
                entry.placed = true;
            } else if (word == "turn") {
                ok = ReadNumber(words, entry.turn);
            } else {
                ok = false;
            }
        }
        if (!ok) {
            problems.push_back(At(number) + "expected \"part FILE [at X Y] [turn A]\"");
            continue;
        }
        myLines.push_back(entry);
    }
    if (myLines.empty() && problems.size() == before)
        problems.push_back("the recipe names no part");
    return problems.size() == before;
}

bool CMonsterRecipe::LoadFromFile(const std::string& fileName, std::vector<std::string>& problems) {
    std::ifstream in(fileName);
    if (!in) {
        problems.push_back("cannot read the recipe " + fileName);
        return false;
    }
    std::stringstream text;
    text << in.rdbuf();
    return Parse(text.str(), problems);
}

bool CMonsterRecipe::Build(const std::string& outFile, std::vector<std::string>& problems) const {
    const size_t before = problems.size();
    std::error_code error;
    fs::create_directories(fs::path(EDITOR_STATE_FILE).parent_path(), error);

    CHeadlessGraphics graphics;
    CEditorWorld world;
    std::vector<CMonster*> loaded;
    int partCount = 0;

    // The tray, as the editor fills it: shop order, heads at the origin.
    for (size_t i = 0; i < myLines.size(); ++i) {
        const CLine& line = myLines[i];
        const b2Vec2 cursor = world.GetPlacementCursor();
        CMonster* monster = world.LoadMonster(line.file, cursor.x, cursor.y);
        loaded.push_back(monster);
        if (monster->GetPartCount() == 0) {
            problems.push_back(At(line.lineNumber) + line.file + " gives no part");
            continue;
        }
        partCount += monster->GetPartCount();
        monster->SetShopUid(static_cast<int>(i) + 1);
        if (monster->FindHeadPart())
            world.MoveMonster(*monster, -cursor);
        else
            world.SetPlacementCursor(cursor + world.GetPlacementStep());
    }

    // Dragging pins: the part follows its pin; then it swings round it.
    for (size_t i = 0; i < myLines.size(); ++i) {
        const CLine& line = myLines[i];
        if (!line.placed || loaded[i]->GetPartCount() == 0) continue;
        CPin* pin = FindPin(world, *loaded[i]);
        if (!pin) {
            problems.push_back(At(line.lineNumber) + line.file + " has no pin to drag");
            continue;
        }
        pin->Unpin();
        const b2Vec2 target(line.x, line.y);
        world.MoveMonster(*loaded[i], target - pin->GetWorldPoint());
        if (line.turn != 0.0f) {
            const b2Rot turn(line.turn);
            for (int p = 0; p < loaded[i]->GetPartCount(); ++p) {
                b2Body* body = world.GetBody(*loaded[i]->GetPart(p));
                if (!body) continue;
                const b2Vec2 position = target + b2Mul(turn, body->GetPosition() - target);
                body->SetTransform(position, body->GetAngle() + line.turn);
            }
        }
        pin->Pin();
    }
    if (problems.size() != before) return false;

    // A pin over two parts hinges to whichever the query finds first, and
    // that decides what turns against what: a recipe must not leave it to
    // chance.
    for (size_t i = 0; i < myLines.size(); ++i) {
        CPin* pin = FindPin(world, *loaded[i]);
        if (!pin) continue;
        std::vector<std::string> under;
        for (b2Body* body : world.QueryBodiesAt(pin->GetWorldPoint())) {
            const CMonsterBodyPart* part = CPhysicsWorld::GetPartOfBody(body);
            if (!part || part->GetMonster() == loaded[i] ||
                part->GetMonster() == world.GetMonster(0))
                continue;
            under.push_back(part->GetSpriteFile());
        }
        if (under.size() > 1)
            problems.push_back(At(myLines[i].lineNumber) + "the pin of " + myLines[i].file +
                               " lies over " + under[0] + " and " + under[1]);
    }
    if (problems.size() != before) return false;

    if (!world.SavePlayerMonster(outFile)) {
        problems.push_back("the editor saved nothing to " + outFile + " (no head, or unwritable)");
        return false;
    }
    CMonster saved;
    if (!saved.LoadFromFile(outFile)) {
        problems.push_back("cannot read back " + outFile);
        return false;
    }
    if (saved.GetPartCount() != partCount)
        problems.push_back(std::to_string(partCount - saved.GetPartCount()) + " of " +
                           std::to_string(partCount) +
                           " parts were not built in: their pins lie over no part of the monster");
    for (const std::string& loose : FindLooseParts(saved))
        problems.push_back(loose);
    for (const std::string& problem : CheckMonster(saved))
        problems.push_back(problem);
    return problems.size() == before;
}

bool MirrorMonsterFile(const std::string& inFile, const std::string& outFile,
                       const std::string& opponentName) {
    CMonster monster;
    if (!monster.LoadFromFile(inFile) || monster.GetPartCount() == 0) return false;
    for (int i = 0; i < monster.GetPartCount(); ++i) {
        CMonsterBodyPart& part = *monster.GetPart(i);
        part.SetLocalPosition(
            types_vector(Mirrored(part.GetLocalPosition().x), part.GetLocalPosition().y));
        part.SetLocalRotation(Mirrored(part.GetLocalRotation()));
        part.SetAnchorPoint(
            types_vector(Mirrored(part.GetAnchorPoint().x), part.GetAnchorPoint().y));
        part.SetMotorSpeed(Mirrored(part.GetMotorSpeed()));
        const float lower = part.GetLowerLimit();
        part.SetLowerLimit(Mirrored(part.GetUpperLimit()));
        part.SetUpperLimit(Mirrored(lower));
        const std::string& sprite = part.GetSpriteFile();
        if (sprite.rfind(PART_SPRITES, 0) == 0 && sprite.rfind(OPPONENT_SPRITES, 0) != 0)
            part.SetSpriteFile(OPPONENT_SPRITES + opponentName + "/" +
                               sprite.substr(std::string(PART_SPRITES).size()));
    }
    return monster.SaveToFile(outFile);
}

std::vector<std::string> FindLooseParts(const CMonster& monster) {
    const int count = monster.GetPartCount();
    std::map<const CMonsterBodyPart*, int> index;
    for (int i = 0; i < count; ++i)
        index[monster.GetPart(i)] = i;
    // Hinges join two parts whichever of them holds the hinge.
    std::vector<std::vector<int>> neighbours(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        const CMonsterBodyPart& part = *monster.GetPart(i);
        if (!part.HasJoint()) continue;
        const CMonsterBodyPart* partner = monster.FindHingePartner(part);
        if (!partner || partner == &part) continue;
        neighbours[size_t(i)].push_back(index[partner]);
        neighbours[size_t(index[partner])].push_back(i);
    }
    std::vector<bool> reached(static_cast<size_t>(count), false);
    std::vector<int> open;
    for (int i = 0; i < count; ++i)
        if (monster.GetPart(i)->IsHead()) {
            open.push_back(i);
            reached[size_t(i)] = true;
            break;
        }
    while (!open.empty()) {
        const int at = open.back();
        open.pop_back();
        for (int next : neighbours[size_t(at)])
            if (!reached[size_t(next)]) {
                reached[size_t(next)] = true;
                open.push_back(next);
            }
    }
    std::vector<std::string> loose;
    for (int i = 0; i < count; ++i)
        if (!reached[size_t(i)])
            loose.push_back("part " + std::to_string(monster.GetPart(i)->GetObjectId()) + " (" +
                            monster.GetPart(i)->GetSpriteFile() +
                            ") is not hinged to the head, directly or through other parts");
    return loose;
}

}  // namespace monsters
