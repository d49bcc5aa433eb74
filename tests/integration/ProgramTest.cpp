// Runs the real monsters program in a temporary folder with its own script.
#include <gtest/gtest.h>

#include "TestEnvironment.h"

using testing_support::CScopedTempDir;
using testing_support::ReadFile;
using testing_support::RunProgram;

namespace {

class ProgramTest : public ::testing::Test {
protected:
    // Runs the program with script as autoexec.txt; returns the exit code.
    int RunWith(const std::string& script) {
        if (!script.empty()) dir.WriteFile("autoexec.txt", script);
        return RunProgram(MONSTERS_BIN, dir.Path(), &errors, 60);
    }
    std::string Log() const { return ReadFile(dir.Path() / "log.txt"); }

    CScopedTempDir dir;
    std::string errors;
};

TEST_F(ProgramTest, RunsTheSelfTestsRegisteredInTheLinkedProgram) {
    EXPECT_EQ(RunWith("starttask(unittest)\n"), 0);
    const std::string log = Log();
    EXPECT_NE(log.find("( ) Registered test: CTimerTest"), std::string::npos);
    EXPECT_NE(log.find("( ) Registered test: CPathTest"), std::string::npos);
    EXPECT_NE(log.find("CFakeThreadTest [OK]"), std::string::npos);
    EXPECT_NE(log.find("All tests OK"), std::string::npos) << log;
    EXPECT_EQ(log.find("FAILED"), std::string::npos) << log;
}

TEST_F(ProgramTest, MissingScriptSaysWhereItLookedAndExits) {
    EXPECT_EQ(RunWith(""), 0);
    EXPECT_NE(errors.find("autoexec.txt"), std::string::npos) << errors;
    EXPECT_NE(errors.find(dir.Path().filename().string()), std::string::npos) << errors;
    EXPECT_NE(Log().find("[ERROR] Cannot read the start-up script autoexec.txt in"),
              std::string::npos);
}

TEST_F(ProgramTest, ReportsUnknownTasksNamespacesAndLibrariesAndKeepsGoing) {
    const std::string script =
        "starttask(nosuchtype, x, 5)\n"
        "ghost::hello()\n"
        "taskload(nolib)\n"
        "pausetask(ghost)\n"
        "stoptask(ghost)\n"
        "starttask(unittest, tests)\n"
        "resumetask(tests)\n"
        "quit\n";
    EXPECT_EQ(RunWith(script), 0);
    const std::string log = Log();
    EXPECT_NE(log.find("[ERROR] Trying to start a task nosuchtype that doesn't exist."),
              std::string::npos);
    EXPECT_NE(log.find("[ERROR] Sorry the namespace or task ghost doesn't exist."),
              std::string::npos);
    EXPECT_NE(log.find("<!> TaskLoad failed - Couldn't load task: nolib"), std::string::npos);
    EXPECT_NE(log.find("[ERROR] Trying to pause a task ghost that doesn't exist."),
              std::string::npos);
    EXPECT_NE(log.find("CTaskFactory::StopTask() called"), std::string::npos);
    EXPECT_NE(log.find("All tests OK"), std::string::npos);
}

TEST_F(ProgramTest, HostileScriptDoesNotCrash) {
    std::string deep;
    for (int i = 0; i < 100000; ++i)
        deep += "a(";
    const std::string script = "load(autoexec.txt)\n" + deep + "\n" + std::string(10000, '"') +
                               "\n)(\n((((\nstarttask(\"\n,,,,\nquit(\n";
    EXPECT_EQ(RunWith(script), 0);
    EXPECT_NE(Log().find("autoexec.txt is already being executed"), std::string::npos);
}

TEST_F(ProgramTest, SecondRunStartsTheLogAfresh) {
    RunWith("starttask(nosuchtype)\n");
    RunWith("quit\n");
    const std::string log = Log();
    EXPECT_EQ(log.find("nosuchtype"), std::string::npos);
    EXPECT_EQ(log.find("New log created"), log.rfind("New log created"));
}

}  // namespace
