// The fight step of the engine, as the headless fight runner runs it: two
// monsters of 8 parts each with running motors in the fight world (Box2D
// step, world box, sprites, outcome, health bars, contact damage). Compare
// with BM_FightStepPlainBox2D (PlainBox2DFightBench.cpp), the same fight in
// plain Box2D; run both in one go with
//   vorn_bench --benchmark_filter='Fight'
// BM_FightRunnerPeakMemory runs the program monsters-fight on this fight
// (two simulated minutes) and reports its peak resident memory.
#include <benchmark/benchmark.h>

#include <box2d/box2d.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "FightBenchMonsters.h"
#include "monsters/CFightWorld.h"
#include "monsters/CHeadlessGraphics.h"
#include "monsters/CMonster.h"
#include "monsters/CMonsterBodyPart.h"
#include "monsters/CPhysicsTask.h"

extern char** environ;

namespace fs = std::filesystem;

namespace {

using fightbench::CPartDef;

void WriteMonster(const CPartDef* parts, int count, const fs::path& file) {
    monsters::CMonster monster;
    for (int i = 0; i < count; ++i) {
        const CPartDef& def = parts[i];
        auto part = std::make_unique<monsters::CMonsterBodyPart>();
        part->SetObjectId(i);
        part->SetShapeType(def.shape);
        part->SetLocalPosition(monsters::types_vector(def.x, def.y));
        part->SetExtents(monsters::types_vector(def.extentX, def.extentY));
        part->SetDensity(def.density);
        part->SetFriction(def.friction);
        part->SetRestitution(0.0f);
        part->SetHitPoints(fightbench::HIT_POINTS);
        part->SetIsHead(def.head);
        part->SetHasJoint(def.hingedTo >= 0);
        part->SetConnectedToBody(def.hingedTo);
        part->SetAnchorPoint(monsters::types_vector(def.anchorX, def.anchorY));
        part->SetHasMotor(def.motor);
        part->SetMotorSpeed(def.speed);
        part->SetMotorTorque(def.torque);
        part->SetHasLimit(def.limit);
        part->SetLowerLimit(def.lower);
        part->SetUpperLimit(def.upper);
        monster.AddPart(std::move(part));
    }
    monster.SaveToFile(file.string());
}

// A game folder with the fight's floor and fighters, made once and removed
// when the program ends.
class CBenchFolder {
public:
    CBenchFolder() {
        std::random_device random;
        myPath = fs::temp_directory_path() / ("vorn_fight_bench_" + std::to_string(random()));
        fs::create_directories(myPath / "temp");
        fs::create_directories(myPath / "data");
        WriteMonster(fightbench::FLOOR, fightbench::FLOOR_PART_COUNT, myPath / "temp/floor.xml");
        WriteMonster(fightbench::MONSTER, fightbench::PART_COUNT, myPath / "player.xml");
        WriteMonster(fightbench::MONSTER, fightbench::PART_COUNT,
                     myPath / "data/standard_monster.xml");
        CPartDef mirrored[fightbench::PART_COUNT];
        for (int i = 0; i < fightbench::PART_COUNT; ++i)
            mirrored[i] = fightbench::Mirrored(fightbench::MONSTER[i]);
        WriteMonster(mirrored, fightbench::PART_COUNT, myPath / "opponent.xml");
    }
    ~CBenchFolder() {
        std::error_code ignored;
        fs::remove_all(myPath, ignored);
    }
    const fs::path& Path() const { return myPath; }

private:
    fs::path myPath;
};

const fs::path& GameFolder() {
    static const CBenchFolder folder;
    return folder.Path();
}

// The working directory is the game folder while a benchmark runs.
class CInGameFolder {
public:
    CInGameFolder() : myPrevious(fs::current_path()) { fs::current_path(GameFolder()); }
    ~CInGameFolder() { fs::current_path(myPrevious); }

private:
    fs::path myPrevious;
};

double Checksum(b2World& world) {
    double sum = 0.0;
    for (b2Body* body = world.GetBodyList(); body; body = body->GetNext())
        sum += double(body->GetPosition().x) + double(body->GetPosition().y);
    return sum;
}

// One fight of STEPS_PER_FIGHT steps per iteration; loading is not timed.
void BM_FightStepEngine(benchmark::State& state) {
    CInGameFolder inFolder;
    monsters::CHeadlessGraphics graphics;  // as the runner has it
    double checksum = 0.0;
    for (auto _ : state) {
        state.PauseTiming();
        auto physics = std::make_unique<monsters::CPhysicsTask>();
        monsters::CFightWorld* world = physics->SwitchToFight();
        physics->LoadMonster("player.xml", fightbench::PLAYER_X, 0.0f);
        physics->LoadMonster("opponent.xml", fightbench::OPPONENT_X, 0.0f);
        state.ResumeTiming();
        for (int step = 0; step < fightbench::STEPS_PER_FIGHT; ++step)
            physics->Step();
        state.PauseTiming();
        checksum = Checksum(*world->GetBox2DWorld());
        physics.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * fightbench::STEPS_PER_FIGHT);
    state.counters["checksum"] = checksum;
}
BENCHMARK(BM_FightStepEngine)->Unit(benchmark::kMillisecond);

// The runner program beside this benchmark binary, for two simulated minutes.
void BM_FightRunnerPeakMemory(benchmark::State& state) {
    const fs::path program = fs::read_symlink("/proc/self/exe").parent_path() / "monsters-fight";
    if (!fs::exists(program)) {
        state.SkipWithError("monsters-fight was not built beside vorn_bench");
        for (auto _ : state) {
        }
        return;
    }
    const std::string data = GameFolder().string();
    const std::string player = (GameFolder() / "player.xml").string();
    const std::string opponent = (GameFolder() / "opponent.xml").string();
    std::vector<std::string> args = {program.string(), "--data", data, "--json", player, opponent};
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    long peakKb = 0;
    int status = 0;
    for (auto _ : state) {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        pid_t child = 0;
        if (posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), environ) != 0) {
            posix_spawn_file_actions_destroy(&actions);
            state.SkipWithError("monsters-fight could not be started");
            break;
        }
        posix_spawn_file_actions_destroy(&actions);
        rusage usage{};
        wait4(child, &status, 0, &usage);
        peakKb = usage.ru_maxrss;
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        state.SkipWithError("monsters-fight failed");
    state.counters["peak_rss_MB"] = double(peakKb) / 1024.0;
}
BENCHMARK(BM_FightRunnerPeakMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
