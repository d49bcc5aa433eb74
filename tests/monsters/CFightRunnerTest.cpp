#include "monsters/CFightRunner.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <cstdio>
#include <filesystem>
#include <sstream>

#include "MonstersTestSupport.h"
#include "PhysicsTestSupport.h"
#include "vorn/gfx/Gfx.h"

namespace fs = std::filesystem;
using monsters_test::CGameFolder;
using monsters_test::CPartXml;

namespace {

struct CRun {
    int code = -1;
    std::string out;
    std::string err;
};

CRun RunFight(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    CRun run;
    run.code = monsters::RunFightProgram(args, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

// A head on two motorised wheels that drives to the right.
std::vector<CPartXml> Racer() {
    CPartXml head = monsters_test::HeadPart();
    head.extentX = 1.0f;
    head.extentY = 0.25f;
    head.hitPoints = 5.0f;
    std::vector<CPartXml> parts = {head};
    for (int i = 0; i < 2; ++i) {
        CPartXml wheel;
        wheel.id = 1 + i;
        wheel.shape = 0;
        wheel.x = i == 0 ? -0.8f : 0.8f;
        wheel.y = 0.5f;
        wheel.extentX = 0.4f;
        wheel.friction = 1.0f;
        wheel.joint = true;
        wheel.connectedTo = 0;
        wheel.motor = true;
        wheel.speed = -5.0f;
        wheel.torque = 50.0f;
        parts.push_back(wheel);
    }
    return parts;
}

// A fragile head standing still on the floor.
std::vector<CPartXml> Target() {
    CPartXml head = monsters_test::HeadPart(0.0f, 4.5f);
    head.density = 0.0f;
    head.hitPoints = 0.0001f;
    return {head};
}

// The runner program next to the game's binary, when it was built.
fs::path ProgramPath() {
    return fs::path(MONSTERS_BIN).parent_path() / "monsters-fight";
}

CRun RunBinary(const std::string& arguments, const fs::path& folder) {
    const std::string command = "cd '" + folder.string() + "' && '" + ProgramPath().string() +
                                "' " + arguments + " 2> program_stderr.txt";
    CRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    size_t read = 0;
    while ((read = fread(buffer, 1, sizeof(buffer), pipe)) > 0)
        run.out.append(buffer, read);
    const int status = pclose(pipe);
    run.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.err = testing_support::ReadFile(folder / "program_stderr.txt");
    return run;
}

}  // namespace

TEST(CFightRunnerTest, AFightEndsWithTheWinnerStepsSecondsAndHeadHitPoints) {
    CGameFolder folder;
    folder.Monster("racer.xml", Racer());
    folder.Monster("target.xml", Target());
    monsters_test::CLogCapture log;
    const CRun run = RunFight({"racer.xml", "target.xml"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(log.Count(-1, "GFXFactory"), 0) << "images are null surfaces, made quietly";
    EXPECT_EQ(vorn::Gfx::GetFactory(), nullptr) << "the null graphics are gone after the fight";
    EXPECT_EQ(run.err, "");
    EXPECT_NE(run.out.find("winner: player\n"), std::string::npos) << run.out;
    long long steps = 0;
    ASSERT_EQ(std::sscanf(run.out.c_str() + run.out.find("steps: "), "steps: %lld", &steps), 1);
    EXPECT_GT(steps, 100);
    EXPECT_LT(steps, 2000);
    char seconds[32];
    std::snprintf(seconds, sizeof(seconds), "simulated seconds: %.3f\n", steps * double(0.0167f));
    EXPECT_NE(run.out.find(seconds), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("player head hit points: 5 of 5\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("opponent head hit points: -"), std::string::npos) << run.out;

    // The roles swapped: a racer driving left is the opponent and wins.
    std::vector<CPartXml> leftRacer = Racer();
    leftRacer[1].speed = leftRacer[2].speed = 5.0f;
    folder.Monster("left_racer.xml", leftRacer);
    const CRun swapped = RunFight({"--json", "target.xml", "left_racer.xml"});
    ASSERT_EQ(swapped.code, 0) << swapped.err;
    EXPECT_EQ(swapped.out.rfind("{\"winner\": \"opponent\", \"steps\": ", 0), 0u) << swapped.out;
}

TEST(CFightRunnerTest, TheSameInputsGiveTheSameResultAndTrace) {
    CGameFolder folder;
    folder.Monster("racer.xml", Racer());
    std::vector<CPartXml> other = Racer();
    other[1].speed = other[2].speed = 5.0f;  // drives left, into the racer
    folder.Monster("other.xml", other);
    const CRun first = RunFight({"--json", "--trace", "first.txt", "racer.xml", "other.xml"});
    const CRun second = RunFight({"--json", "--trace", "second.txt", "racer.xml", "other.xml"});
    ASSERT_EQ(first.code, 0) << first.err;
    EXPECT_EQ(first.out, second.out);
    const std::string trace = testing_support::ReadFile(folder.Path() / "first.txt");
    EXPECT_EQ(trace, testing_support::ReadFile(folder.Path() / "second.txt"));
    long long steps = 0;
    std::sscanf(first.out.c_str() + first.out.find("\"steps\": "), "\"steps\": %lld", &steps);
    EXPECT_EQ(std::count(trace.begin(), trace.end(), '\n'), steps + 1)
        << "a header and a line a step";
    EXPECT_EQ(trace.rfind("# step player_head_hp opponent_head_hp\n1 5 5\n", 0), 0u)
        << trace.substr(0, 80);
}

TEST(CFightRunnerTest, TheStepLimitEndsAFightWithoutWinner) {
    CGameFolder folder;
    folder.Monster("a.xml", {monsters_test::HeadPart()});
    const CRun run = RunFight({"--max-steps", "50", "--json", "a.xml", "a.xml"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out,
              "{\"winner\": \"none\", \"steps\": 50, \"seconds\": 0.835, \"player_head_hp\": 1, "
              "\"player_head_max_hp\": 1, \"opponent_head_hp\": 1, \"opponent_head_max_hp\": 1}\n");
    const CRun byDefault = RunFight({"--max-steps=7186", "a.xml", "a.xml"});
    EXPECT_EQ(monsters::CFightRunner::DEFAULT_MAX_STEPS, 7186) << "two minutes of 0.0167 s steps";
    EXPECT_NE(byDefault.out.find("steps: 7186\n"), std::string::npos);
}

TEST(CFightRunnerTest, BadCommandLinesAndFilesGiveClearErrorsAndNonZeroExits) {
    CGameFolder folder;
    folder.Monster("good.xml", {monsters_test::HeadPart()});
    folder.WriteFile("empty.xml", "");
    folder.WriteFile("garbage.xml", monsters_test::Garbage(2000, 7));
    folder.WriteFile("levels.xml", "<LevelList></LevelList>");
    folder.WriteFile("broken/data/standard_monster.xml", monsters_test::MonsterXml({}));
    struct Case {
        std::vector<std::string> args;
        int code;
        const char* message;
    };
    const Case cases[] = {
        {{}, 2, "expected two monster files"},
        {{"good.xml"}, 2, "expected two monster files"},
        {{"--frobnicate", "good.xml", "good.xml"}, 2, "unknown option --frobnicate"},
        {{"--max-steps", "0", "good.xml", "good.xml"}, 2, "--max-steps takes a whole number"},
        {{"--max-steps", "-5", "good.xml", "good.xml"}, 2, "--max-steps takes"},
        {{"--max-steps", "12x", "good.xml", "good.xml"}, 2, "--max-steps takes"},
        {{"good.xml", "good.xml", "--trace"}, 2, "--trace needs a value"},
        {{"missing.xml", "good.xml"}, 1, "player file"},
        {{"good.xml", "missing.xml"}, 1, "opponent file"},
        {{"empty.xml", "good.xml"}, 1, "not an XML file"},
        {{"garbage.xml", "good.xml"}, 1, "player file"},
        {{"good.xml", "levels.xml"}, 1, "the root element is \"LevelList\", not \"Monster\""},
        {{"--data", "nowhere", "good.xml", "good.xml"},
         1,
         "the data folder \"nowhere\" does not exist"},
        {{"--data", "broken", "good.xml", "good.xml"}, 1, "is not a game folder: temp/floor.xml"},
        {{"--trace", "no/such/folder/t.txt", "good.xml", "good.xml"}, 1, "cannot write the trace"},
    };
    for (const Case& c : cases) {
        const CRun run = RunFight(c.args);
        std::string line;
        for (const std::string& arg : c.args)
            line += arg + " ";
        EXPECT_EQ(run.code, c.code) << line << "\n" << run.err;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << line << "\n" << run.err;
        EXPECT_EQ(run.out, "") << line;
    }
    EXPECT_EQ(fs::current_path(), folder.Path()) << "the working directory is put back";
    const CRun help = RunFight({"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_EQ(help.out.rfind("usage: monsters-fight", 0), 0u);
}

TEST(CFightRunnerTest, ATracePathNamingAnInputFileIsRefusedBeforeAnythingIsWritten) {
    CGameFolder folder;
    folder.Monster("me.xml", {monsters_test::HeadPart()});
    folder.Monster("foe.xml", {monsters_test::HeadPart()});
    const std::string me = testing_support::ReadFile(folder.Path() / "me.xml");
    const std::string foe = testing_support::ReadFile(folder.Path() / "foe.xml");
    fs::create_directories(folder.Path() / "sub");
    fs::create_symlink(folder.Path() / "me.xml", folder.Path() / "link.xml");
    fs::create_hard_link(folder.Path() / "foe.xml", folder.Path() / "hard.xml");
    // The same file however spelled: as given, "./", "sub/..", absolute,
    // through a symbolic link and through a hard link.
    const std::vector<std::string> traces = {
        "me.xml",   "./me.xml", "sub/../me.xml", (folder.Path() / "me.xml").string(),
        "link.xml", "foe.xml",  "hard.xml"};
    for (const std::string& trace : traces) {
        const CRun run = RunFight({"--max-steps", "3", "--trace", trace, "me.xml", "foe.xml"});
        EXPECT_EQ(run.code, 2) << trace << "\n" << run.err;
        EXPECT_NE(run.err.find("is one of the monster files"), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(testing_support::ReadFile(folder.Path() / "me.xml"), me) << trace;
        EXPECT_EQ(testing_support::ReadFile(folder.Path() / "foe.xml"), foe) << trace;
    }
    // Through the data folder option too, where the runner changes folders.
    fs::create_directories(folder.Path() / "elsewhere");
    fs::current_path(folder.Path() / "elsewhere");
    EXPECT_EQ(RunFight({"--data", "..", "--trace", "../me.xml", "../me.xml", "../foe.xml"}).code,
              2);
    fs::current_path(folder.Path());
    EXPECT_EQ(testing_support::ReadFile(folder.Path() / "me.xml"), me);

    // A trace beside the inputs is written as before.
    const CRun traced = RunFight({"--max-steps", "3", "--trace", "t.txt", "me.xml", "foe.xml"});
    EXPECT_EQ(traced.code, 0) << traced.err;
    EXPECT_NE(testing_support::ReadFile(folder.Path() / "t.txt").find("\n3 "), std::string::npos);
}

TEST(CFightRunnerTest, SomethingThatIsNoRegularFileIsNotAMonsterFile) {
    CGameFolder folder;
    folder.Monster("good.xml", {monsters_test::HeadPart()});
    fs::create_directories(folder.Path() / "folder.xml");
    const CRun device = RunFight({"/dev/null", "good.xml"});
    EXPECT_EQ(device.code, 1);
    EXPECT_NE(device.err.find("player file \"/dev/null\": not a monster file"), std::string::npos)
        << device.err;
    EXPECT_EQ(device.err.find("no such file"), std::string::npos) << device.err;
    const CRun directory = RunFight({"good.xml", "folder.xml"});
    EXPECT_EQ(directory.code, 1);
    EXPECT_NE(directory.err.find("not a monster file (a folder)"), std::string::npos)
        << directory.err;
    EXPECT_NE(RunFight({"good.xml", "gone.xml"}).err.find("no such file"), std::string::npos);
}

TEST(CFightRunnerTest, FaultsInsideAMonsterAreWarningsAndTheFightRunsAsTheGameWould) {
    CGameFolder folder;
    CPartXml odd = monsters_test::HeadPart();
    odd.head = false;
    odd.shape = 3;
    CPartXml hinged;
    hinged.id = 1;
    hinged.joint = true;
    hinged.connectedTo = 9;
    folder.Monster("odd.xml", {odd, hinged});
    folder.WriteFile("nothing.xml", "<Monster></Monster>");
    const CRun run = RunFight({"--max-steps", "10", "odd.xml", "nothing.xml"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.err.find("warning: player file"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("part 0: shape type 3 is neither box (1) nor circle (0)"),
              std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find("part 1: hinged to part 9"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("no head part; it cannot lose"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("has no parts; the standard monster fights in its place"),
              std::string::npos)
        << run.err;
    EXPECT_NE(run.out.find("player head hit points: (no head)"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("opponent head hit points: 7 of 7"), std::string::npos)
        << "the standard monster of the data folder: " << run.out;
}

TEST(CFightRunnerTest, FilesAreFoundFromAnyWorkingDirectoryGivenTheDataFolder) {
    CGameFolder folder;
    folder.Monster("fighters/a.xml", {monsters_test::HeadPart()});
    fs::create_directories(folder.Path() / "elsewhere");
    fs::current_path(folder.Path() / "elsewhere");
    const CRun run =
        RunFight({"--data", "..", "--max-steps", "5", "../fighters/a.xml", "../fighters/a.xml"});
    EXPECT_EQ(run.code, 0) << run.err;
    const CRun viaData = RunFight(
        {"--data", "../data", "--max-steps", "5", "../fighters/a.xml", "../fighters/a.xml"});
    EXPECT_EQ(viaData.code, 0) << "the data folder itself names its game folder: " << viaData.err;
    EXPECT_EQ(fs::current_path(), folder.Path() / "elsewhere");
    EXPECT_FALSE(fs::exists(folder.Path() / "elsewhere" / "log.txt"));
}

TEST(CFightRunnerTest, TheProgramPrintsWhatTheRunnerPrints) {
    if (!fs::exists(ProgramPath())) GTEST_SKIP() << ProgramPath() << " was not built";
    CGameFolder folder;
    folder.Monster("racer.xml", Racer());
    folder.Monster("target.xml", Target());
    const CRun inProcess = RunFight({"--json", "racer.xml", "target.xml"});
    const CRun program = RunBinary("--json racer.xml target.xml", folder.Path());
    EXPECT_EQ(program.code, 0) << program.err;
    EXPECT_EQ(program.out, inProcess.out);
    const CRun missing = RunBinary("racer.xml missing.xml", folder.Path());
    EXPECT_EQ(missing.code, 1);
    EXPECT_NE(missing.err.find("monsters-fight: error: opponent file"), std::string::npos);
    const CRun garbage = RunBinary("--max-steps x racer.xml target.xml", folder.Path());
    EXPECT_EQ(garbage.code, 2);
}
