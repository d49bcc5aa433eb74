#pragma once

#include <string>
#include <vector>

namespace monsters {

class CMonster;

// How a player builds a monster in the editor, written down so that a
// machine can repeat it: a text file with one part file per line, in the
// order the shop lists them, and where its pin is dropped.
//
//   # comment
//   part data/parts/head_light.xml                    a head stays where the tray puts it (0, 0)
//   part data/parts/chassis_small.xml at 0 0.5        drop the pin at world point (0, 0.5)
//   part data/parts/spike.xml at 0.9 0.5 turn -0.3    and swing the part round its pin
//
// Building loads every part into a real editor world as the tray does (a
// loose part at the placement cursor, a head at the origin), drags each
// placed part by its pin to its point, swings it by "turn" radians round
// the pin, and saves the player's monster through the editor's own save:
// every pin over another monster's body becomes a hinge to that body. The
// file written is therefore exactly what the editor would have written.
//
// Part files are named relative to the game folder, which must be the
// working directory while building (the editor writes its state file there).
class CMonsterRecipe {
public:
    struct CLine {
        std::string file;
        bool placed = false;
        float x = 0.0f;
        float y = 0.0f;
        float turn = 0.0f;
        int lineNumber = 0;
    };

    // False, with one line per fault in problems, for a text that is not a
    // recipe.
    bool Parse(const std::string& text, std::vector<std::string>& problems);
    bool LoadFromFile(const std::string& fileName, std::vector<std::string>& problems);

    const std::vector<CLine>& GetLines() const { return myLines; }

    // Builds the monster and writes it to outFile. False, with the reasons
    // in problems, when a part file gives no part, a placed part has no pin,
    // or a part did not end up hinged into the saved monster.
    bool Build(const std::string& outFile, std::vector<std::string>& problems) const;

private:
    std::vector<CLine> myLines;
};

// Opponents stand on the right and face left: the monster as it would be
// built facing left (x, rotations, anchors, motor speeds and limits
// mirrored), its sprites taken from "data/gfx/parts/opponents/NAME/" (the
// same picture mirrored, in the opponent's colours). False when the file
// cannot be read or written.
bool MirrorMonsterFile(const std::string& inFile, const std::string& outFile,
                       const std::string& opponentName);

// The parts of a saved monster that are not hinged, directly or through
// other parts, to its head (they would fall off at once in a fight), as
// lines naming them by object id; empty for a monster in one piece.
std::vector<std::string> FindLooseParts(const CMonster& monster);

}  // namespace monsters
