#include "monsters/CFightRunner.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <system_error>

#include "monsters/CFightWorld.h"
#include "monsters/CHeadlessGraphics.h"
#include "monsters/CMonster.h"
#include "monsters/CMonsterBodyPart.h"
#include "monsters/CPhysicsTask.h"
#include "monsters/PartChecks.h"
#include "monsters/PlayerFiles.h"
#include "vorn/utils/xml/Xml.h"

namespace fs = std::filesystem;

namespace monsters {

const int64_t CFightRunner::DEFAULT_MAX_STEPS =
    static_cast<int64_t>(std::ceil(120.0 / double(CPhysicsWorld::TIME_STEP)));

namespace {

const char* const PROGRAM = "monsters-fight";

const char* const USAGE =
    "usage: monsters-fight [--data DIR] [--json] [--max-steps N] [--trace FILE] PLAYER OPPONENT\n"
    "  PLAYER, OPPONENT  monster files (XML, root element \"Monster\")\n"
    "  --data DIR        the game folder holding data/ and temp/ (default: the current folder)\n"
    "  --json            print the outcome as one JSON object\n"
    "  --max-steps N     stop after N steps (default: 2 minutes of simulated time)\n"
    "  --trace FILE      write one line per step with both heads' hit points\n";

struct COptions {
    std::string dataDir = ".";
    std::string playerFile;
    std::string opponentFile;
    std::string traceFile;
    bool json = false;
    bool help = false;
    int64_t maxSteps = CFightRunner::DEFAULT_MAX_STEPS;
};

// Shortest text that reads back as the same float.
std::string FloatText(float value) {
    char text[32];
    std::snprintf(text, sizeof(text), "%.9g", double(value));
    return text;
}

bool ParseSteps(const std::string& text, int64_t& steps) {
    if (text.empty() || text.size() > 10) return false;
    int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    if (value < 1 || value > CFightRunner::MAX_STEPS_LIMIT) return false;
    steps = value;
    return true;
}

// False with a message in problem for a command line that cannot be run.
bool ParseArguments(const std::vector<std::string>& args, COptions& options, std::string& problem) {
    std::vector<std::string> files;
    for (size_t i = 0; i < args.size(); ++i) {
        std::string arg = args[i];
        std::string value;
        bool hasValue = false;
        const size_t equals = arg.find('=');
        if (arg.rfind("--", 0) == 0 && equals != std::string::npos) {
            value = arg.substr(equals + 1);
            arg = arg.substr(0, equals);
            hasValue = true;
        }
        auto takeValue = [&](const char* name) {
            if (hasValue) return true;
            if (i + 1 >= args.size()) {
                problem = std::string(name) + " needs a value";
                return false;
            }
            value = args[++i];
            return true;
        };
        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--json") {
            options.json = true;
        } else if (arg == "--data") {
            if (!takeValue("--data")) return false;
            options.dataDir = value;
        } else if (arg == "--trace") {
            if (!takeValue("--trace")) return false;
            options.traceFile = value;
        } else if (arg == "--max-steps") {
            if (!takeValue("--max-steps")) return false;
            if (!ParseSteps(value, options.maxSteps)) {
                problem = "--max-steps takes a whole number from 1 to " +
                          std::to_string(CFightRunner::MAX_STEPS_LIMIT) + ", not \"" + value + "\"";
                return false;
            }
        } else if (arg.size() > 1 && arg[0] == '-') {
            problem = "unknown option " + arg;
            return false;
        } else {
            files.push_back(args[i]);
        }
    }
    if (options.help) return true;
    if (files.size() != 2) {
        problem =
            "expected two monster files (player and opponent), got " + std::to_string(files.size());
        return false;
    }
    options.playerFile = files[0];
    options.opponentFile = files[1];
    return true;
}

// The game folder: dir itself, or its parent when dir is the "data" folder.
bool FindGameFolder(const std::string& dir, fs::path& folder, std::string& problem) {
    std::error_code error;
    fs::path given = fs::absolute(dir, error).lexically_normal();
    if (error || !fs::is_directory(given, error)) {
        problem = "the data folder \"" + dir + "\" does not exist";
        return false;
    }
    if (!given.has_filename()) given = given.parent_path();
    folder = given;
    if (!fs::exists(folder / STANDARD_MONSTER_FILE, error) &&
        fs::exists(folder / "standard_monster.xml", error))
        folder = folder.parent_path();
    return true;
}

// Run inside the game folder, so that the engine's log stays there.
bool CheckGameFolder(const std::string& dir, std::string& problem) {
    for (const char* required : {STANDARD_MONSTER_FILE, FLOOR_FILE}) {
        if (!vorn::ParseXmlFile(required)) {
            problem =
                "\"" + dir + "\" is not a game folder: " + required + " is missing or unreadable";
            return false;
        }
    }
    return true;
}

// Errors for a monster file the fight cannot use; warnings for faults the
// game would live with.
bool CheckMonsterFile(const std::string& role, const fs::path& file, std::ostream& err) {
    std::error_code error;
    if (!fs::exists(file, error)) {
        err << PROGRAM << ": error: " << role << " file \"" << file.string()
            << "\": no such file\n";
        return false;
    }
    if (!fs::is_regular_file(file, error)) {
        // A folder, a device such as /dev/null, a pipe...
        err << PROGRAM << ": error: " << role << " file \"" << file.string()
            << "\": not a monster file ("
            << (fs::is_directory(file, error) ? "a folder" : "not a regular file") << ")\n";
        return false;
    }
    std::unique_ptr<vorn::CXmlElement> root = vorn::ParseXmlFile(file.string());
    if (!root) {
        err << PROGRAM << ": error: " << role << " file \"" << file.string()
            << "\": not an XML file (no element in it)\n";
        return false;
    }
    if (root->GetName() != "Monster") {
        err << PROGRAM << ": error: " << role << " file \"" << file.string()
            << "\": the root element is \"" << root->GetName() << "\", not \"Monster\"\n";
        return false;
    }
    CMonster monster;
    vorn::ObjectFromXmlElement(root.get(), monster);
    if (monster.GetPartCount() == 0)
        err << PROGRAM << ": warning: " << role << " file \"" << file.string()
            << "\" has no parts; the standard monster fights in its place\n";
    for (const std::string& problem : CheckMonster(monster))
        err << PROGRAM << ": warning: " << role << " file \"" << file.string() << "\": " << problem
            << "\n";
    return true;
}

void ReadHead(CFightWorld& world, int index, bool& hasHead, float& hitPoints, float& maxHitPoints) {
    CMonster* monster = world.GetMonster(index);
    const CMonsterBodyPart* head = monster ? monster->FindHeadPart() : nullptr;
    hasHead = head != nullptr;
    hitPoints = head ? head->GetHitPoints() : 0.0f;
    maxHitPoints = head ? head->GetMaxHitPoints() : 0.0f;
}

std::string JsonNumber(bool present, float value) {
    return present && std::isfinite(value) ? FloatText(value) : "null";
}

std::string JsonString(const std::string& text) {
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') quoted += '\\';
        quoted += c;
    }
    return quoted + "\"";
}

void PrintOutcome(const CFightOutcome& outcome, bool json, std::ostream& out) {
    char seconds[32];
    std::snprintf(seconds, sizeof(seconds), "%.3f", outcome.seconds);
    if (json) {
        out << "{\"winner\": " << JsonString(WinnerName(outcome.winner))
            << ", \"steps\": " << outcome.steps << ", \"seconds\": " << seconds
            << ", \"player_head_hp\": "
            << JsonNumber(outcome.playerHasHead, outcome.playerHitPoints)
            << ", \"player_head_max_hp\": "
            << JsonNumber(outcome.playerHasHead, outcome.playerMaxHitPoints)
            << ", \"opponent_head_hp\": "
            << JsonNumber(outcome.opponentHasHead, outcome.opponentHitPoints)
            << ", \"opponent_head_max_hp\": "
            << JsonNumber(outcome.opponentHasHead, outcome.opponentMaxHitPoints) << "}\n";
        return;
    }
    auto head = [](bool present, float hitPoints, float maxHitPoints) {
        return present ? FloatText(hitPoints) + " of " + FloatText(maxHitPoints)
                       : std::string("(no head)");
    };
    out << "winner: " << WinnerName(outcome.winner) << "\n"
        << "steps: " << outcome.steps << "\n"
        << "simulated seconds: " << seconds << "\n"
        << "player head hit points: "
        << head(outcome.playerHasHead, outcome.playerHitPoints, outcome.playerMaxHitPoints) << "\n"
        << "opponent head hit points: "
        << head(outcome.opponentHasHead, outcome.opponentHitPoints, outcome.opponentMaxHitPoints)
        << "\n";
}

// True when the two paths name the same file, however they are spelled
// (links, "..", "./").
bool IsSameFile(const fs::path& path, const fs::path& existing) {
    std::error_code error;
    if (fs::equivalent(path, existing, error)) return true;
    // Files that do not exist cannot be compared on disk: compare spellings.
    const fs::path a = fs::weakly_canonical(path, error);
    if (error) return false;
    const fs::path b = fs::weakly_canonical(existing, error);
    return !error && a == b;
}

// Puts the working directory back however the run ends.
class CScopedWorkingDirectory {
public:
    explicit CScopedWorkingDirectory(const fs::path& folder, std::error_code& error)
        : myPrevious(fs::current_path(error)) {
        if (!error) fs::current_path(folder, error);
        myChanged = !error;
    }
    ~CScopedWorkingDirectory() {
        std::error_code ignored;
        if (myChanged) fs::current_path(myPrevious, ignored);
    }

private:
    fs::path myPrevious;
    bool myChanged = false;
};

}  // namespace

const char* WinnerName(CFightOutcome::Winner winner) {
    switch (winner) {
        case CFightOutcome::WINNER_PLAYER:
            return "player";
        case CFightOutcome::WINNER_OPPONENT:
            return "opponent";
        default:
            return "none";
    }
}

CFightOutcome CFightRunner::Run(const std::string& playerFile, const std::string& opponentFile,
                                int64_t maxSteps, std::ostream* trace) {
    myWinner = CFightOutcome::WINNER_NONE;
    CHeadlessGraphics graphics;
    CPhysicsTask physics(this);
    CFightWorld* world = physics.SwitchToFight();
    physics.LoadMonster(playerFile, PLAYER_X, 0.0f);
    physics.LoadMonster(opponentFile, OPPONENT_X, 0.0f);

    CFightOutcome outcome;
    if (trace) *trace << "# step player_head_hp opponent_head_hp\n";
    while (outcome.steps < maxSteps && myWinner == CFightOutcome::WINNER_NONE) {
        physics.Step();
        ++outcome.steps;
        if (trace) {
            bool hasHead = false;
            float player = 0.0f;
            float opponent = 0.0f;
            float ignored = 0.0f;
            ReadHead(*world, CFightWorld::PLAYER_INDEX, hasHead, player, ignored);
            ReadHead(*world, CFightWorld::OPPONENT_INDEX, hasHead, opponent, ignored);
            *trace << outcome.steps << ' ' << FloatText(player) << ' ' << FloatText(opponent)
                   << '\n';
        }
    }
    outcome.winner = myWinner;
    outcome.seconds = double(outcome.steps) * double(CPhysicsWorld::TIME_STEP);
    ReadHead(*world, CFightWorld::PLAYER_INDEX, outcome.playerHasHead, outcome.playerHitPoints,
             outcome.playerMaxHitPoints);
    ReadHead(*world, CFightWorld::OPPONENT_INDEX, outcome.opponentHasHead,
             outcome.opponentHitPoints, outcome.opponentMaxHitPoints);
    return outcome;
}

int RunFightProgram(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    COptions options;
    std::string problem;
    if (!ParseArguments(args, options, problem)) {
        err << PROGRAM << ": " << problem << "\n" << USAGE;
        return 2;
    }
    if (options.help) {
        out << USAGE;
        return 0;
    }

    // Paths on the command line are relative to where the program was started.
    std::error_code error;
    const fs::path player = fs::absolute(options.playerFile, error);
    const fs::path opponent = fs::absolute(options.opponentFile, error);
    const fs::path trace =
        options.traceFile.empty() ? fs::path() : fs::absolute(options.traceFile, error);
    // The trace would replace the file it names: never one of the inputs.
    if (!trace.empty()) {
        for (const fs::path& input : {player, opponent}) {
            if (IsSameFile(trace, input)) {
                err << PROGRAM << ": the trace file \"" << options.traceFile
                    << "\" is one of the monster files; it would be overwritten\n"
                    << USAGE;
                return 2;
            }
        }
    }
    fs::path folder;
    if (!FindGameFolder(options.dataDir, folder, problem)) {
        err << PROGRAM << ": error: " << problem << "\n";
        return 1;
    }
    CScopedWorkingDirectory inFolder(folder, error);
    if (error) {
        err << PROGRAM << ": error: cannot enter the data folder \"" << folder.string()
            << "\": " << error.message() << "\n";
        return 1;
    }
    if (!CheckGameFolder(options.dataDir, problem)) {
        err << PROGRAM << ": error: " << problem << "\n";
        return 1;
    }
    if (!CheckMonsterFile("player", player, err) || !CheckMonsterFile("opponent", opponent, err))
        return 1;
    std::ofstream traceStream;
    if (!trace.empty()) {
        traceStream.open(trace);
        if (!traceStream) {
            err << PROGRAM << ": error: cannot write the trace file \"" << options.traceFile
                << "\": " << std::strerror(errno) << "\n";
            return 1;
        }
    }
    CFightRunner runner;
    const CFightOutcome outcome = runner.Run(player.string(), opponent.string(), options.maxSteps,
                                             traceStream.is_open() ? &traceStream : nullptr);
    if (traceStream.is_open()) {
        traceStream.flush();
        if (!traceStream) {
            err << PROGRAM << ": error: writing the trace file \"" << options.traceFile
                << "\" failed\n";
            return 1;
        }
    }
    PrintOutcome(outcome, options.json, out);
    return 0;
}

}  // namespace monsters
