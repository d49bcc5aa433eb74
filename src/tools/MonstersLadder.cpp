// monsters-ladder: builds monsters from recipes through the real editor and
// proves the ladder of opponents (see tools/CMonsterRecipe.h and
// tools/CLadderProof.h).
//
//   monsters-ladder build [--data DIR] RECIPE OUT          a player's monster
//   monsters-ladder opponent [--data DIR] RECIPE NAME OUT  built, then mirrored to face left
//   monsters-ladder proof [--data DIR] [--references DIR]  the balance proof and its table
//
// DIR is the game folder (default "game"); references default to
// tests/data/ladder. Exit codes: 0 done (proof holds), 1 failed, 2 bad command line.

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include <box2d/box2d.h>

#include "monsters/CFightWorld.h"
#include "monsters/CHeadlessGraphics.h"
#include "monsters/CMonster.h"
#include "monsters/CMonsterBodyPart.h"
#include "monsters/CPhysicsTask.h"
#include "tools/CLadderProof.h"
#include "tools/CMonsterRecipe.h"

namespace fs = std::filesystem;

namespace {

const char* const USAGE =
    "usage: monsters-ladder build [--data DIR] RECIPE OUT\n"
    "       monsters-ladder opponent [--data DIR] RECIPE NAME OUT\n"
    "       monsters-ladder proof [--data DIR] [--references DIR]\n"
    "       monsters-ladder watch [--data DIR] PLAYER OPPONENT EVERY\n";

// Every EVERY steps of a fight, one line per part of both fighters: step,
// monster index, sprite file, x, y, angle, hit points (for drawing the fight).
int Watch(const std::string& dataDir, const std::vector<std::string>& files) {
    if (files.size() != 3) {
        std::cerr << USAGE;
        return 2;
    }
    const std::string player = fs::absolute(files[0]).string();
    const std::string opponent = fs::absolute(files[1]).string();
    const int every = std::max(1, std::atoi(files[2].c_str()));
    fs::current_path(dataDir);
    monsters::CHeadlessGraphics graphics;
    struct CReceiver : monsters::IWinOrLoseInterface {
        int winner = 0;
        void Win() override { winner = 1; }
        void Lose() override { winner = 2; }
    } receiver;
    monsters::CPhysicsTask physics(&receiver);
    monsters::CFightWorld* world = physics.SwitchToFight();
    physics.LoadMonster(player, monsters::CFightRunner::PLAYER_X, 0.0f);
    physics.LoadMonster(opponent, monsters::CFightRunner::OPPONENT_X, 0.0f);
    for (int64_t step = 0; step <= monsters::CFightRunner::DEFAULT_MAX_STEPS; ++step) {
        if (step % every == 0 || receiver.winner)
            for (int m = 1; m <= 2; ++m) {
                monsters::CMonster* monster = world->GetMonster(m);
                for (int i = 0; monster && i < monster->GetPartCount(); ++i) {
                    monsters::CMonsterBodyPart& part = *monster->GetPart(i);
                    b2Body* body = world->GetBody(part);
                    if (!body) continue;
                    std::cout << step << ' ' << m << ' ' << part.GetSpriteFile() << ' '
                              << body->GetPosition().x << ' ' << body->GetPosition().y << ' '
                              << body->GetAngle() << ' ' << part.GetHitPoints() << '\n';
                }
            }
        if (receiver.winner) {
            std::cout << "# winner " << (receiver.winner == 1 ? "player" : "opponent") << " at "
                      << step << "\n";
            break;
        }
        physics.Step();
    }
    return 0;
}

int Build(const std::string& dataDir, const std::vector<std::string>& files, bool opponent) {
    if (files.size() != (opponent ? 3u : 2u)) {
        std::cerr << USAGE;
        return 2;
    }
    const std::string recipeFile = fs::absolute(files[0]).string();
    const std::string outFile = fs::absolute(files.back()).string();
    std::vector<std::string> problems;
    monsters::CMonsterRecipe recipe;
    const fs::path previous = fs::current_path();
    std::error_code error;
    fs::current_path(dataDir, error);
    if (error) {
        std::cerr << "monsters-ladder: no game folder " << dataDir << "\n";
        return 1;
    }
    bool ok = recipe.LoadFromFile(recipeFile, problems) && recipe.Build(outFile, problems);
    if (ok && opponent) ok = monsters::MirrorMonsterFile(outFile, outFile, files[1]);
    fs::current_path(previous, error);
    for (const std::string& problem : problems)
        std::cerr << "monsters-ladder: " << files[0] << ": " << problem << "\n";
    if (!ok) std::cerr << "monsters-ladder: " << files[0] << ": not built\n";
    return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        std::cerr << USAGE;
        return 2;
    }
    const std::string command = args[0];
    std::string dataDir = "game";
    std::string references = "tests/data/ladder";
    std::vector<std::string> files;
    for (size_t i = 1; i < args.size(); ++i) {
        if ((args[i] == "--data" || args[i] == "--references") && i + 1 < args.size()) {
            (args[i] == "--data" ? dataDir : references) = args[i + 1];
            ++i;
        } else if (args[i].rfind("--", 0) == 0) {
            std::cerr << "monsters-ladder: unknown option " << args[i] << "\n" << USAGE;
            return 2;
        } else {
            files.push_back(args[i]);
        }
    }
    if (command == "build" || command == "opponent")
        return Build(dataDir, files, command == "opponent");
    if (command == "watch") return Watch(dataDir, files);
    if (command == "proof" && files.empty()) {
        monsters::CLadderProof proof(dataDir, references);
        const bool holds = proof.Run();
        proof.PrintTable(std::cout);
        for (const std::string& failure : proof.GetFailures())
            std::cout << "FAILED: " << failure << "\n";
        std::cout << (holds ? "The ladder proof holds" : "The ladder proof fails") << " ("
                  << proof.GetFights().size() << " fights, each run twice, " << proof.GetSeconds()
                  << " s)\n";
        return holds ? 0 : 1;
    }
    std::cerr << USAGE;
    return 2;
}
