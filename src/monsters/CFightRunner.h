#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "monsters/IWinOrLoseInterface.h"

namespace monsters {

// The headless fight runner behind the program "monsters-fight":
//
//   monsters-fight [--data DIR] [--json] [--max-steps N] [--trace FILE] PLAYER OPPONENT
//
// loads two monster files into a fight world exactly as the game does (the
// player at (-10, 0), the opponent at (10, 0), the floor and the fallbacks
// of the game's data folder DIR), steps it without a window until a head is
// destroyed or N steps have run (default: 2 minutes of simulated time), and
// prints the winner ("player", "opponent", or "none" at the step limit), the
// steps, the simulated seconds and both heads' hit points; --json prints the
// same as one JSON object; --trace writes one line per step with both heads'
// hit points (a trace path naming one of the two monster files, however
// spelled, is refused as a bad command line before anything is written).
// The same inputs give the same result on every run.
//
// DIR is the game's folder (holding "data/" and "temp/"), or its "data/"
// folder itself; it becomes the working directory during the fight, so the
// engine's log.txt lands there as the game's does. Monster files that are
// missing, are not XML, or are not "Monster" files are errors; faults inside
// a monster (a part without a valid shape, a hinge to a missing part, no head)
// are warnings, and the fight runs as the game would run it.
//
// Exit codes: 0 fight run, 1 a file could not be used, 2 bad command line.

struct CFightOutcome {
    enum Winner { WINNER_NONE = 0, WINNER_PLAYER = 1, WINNER_OPPONENT = 2 };
    Winner winner = WINNER_NONE;
    int64_t steps = 0;
    double seconds = 0.0;
    // A monster without a head has no hit points to show.
    bool playerHasHead = false;
    float playerHitPoints = 0.0f;
    float playerMaxHitPoints = 0.0f;
    bool opponentHasHead = false;
    float opponentHitPoints = 0.0f;
    float opponentMaxHitPoints = 0.0f;
};

// "player", "opponent" or "none".
const char* WinnerName(CFightOutcome::Winner winner);

// Runs one fight in the current working directory (the game folder).
class CFightRunner : public IWinOrLoseInterface {
public:
    // ceil(120 s / 0.0167 s): two minutes of simulated time.
    static const int64_t DEFAULT_MAX_STEPS;
    static constexpr int64_t MAX_STEPS_LIMIT = 1000000000;
    static constexpr float PLAYER_X = -10.0f;
    static constexpr float OPPONENT_X = 10.0f;

    // trace (may be null) receives a line per step: step, then the player's
    // and the opponent's head hit points.
    CFightOutcome Run(const std::string& playerFile, const std::string& opponentFile,
                      int64_t maxSteps, std::ostream* trace);

    void Win() override { myWinner = CFightOutcome::WINNER_PLAYER; }
    void Lose() override { myWinner = CFightOutcome::WINNER_OPPONENT; }

private:
    CFightOutcome::Winner myWinner = CFightOutcome::WINNER_NONE;
};

// The whole program: arguments (without the program name), output and error
// streams; returns the exit code. The working directory is restored after.
int RunFightProgram(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace monsters
