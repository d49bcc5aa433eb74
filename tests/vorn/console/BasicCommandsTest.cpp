#include "EngineFixture.h"
#include "vorn/console/CCommandFactory.h"
#include "vorn/console/CConsoleCommand.h"
#include "vorn/console/CVariable.h"

using namespace vorn;
using testing_support::CRecordingTask;

namespace {

// Remembers the parameters handed to Init.
struct CParamTask : CRecordingTask {
    static inline std::vector<std::string> lastParams;
    bool Init(CVariableList* params) override {
        lastParams.clear();
        for (size_t i = 0; params && i < params->Size(); ++i)
            lastParams.push_back(params->GetString(i));
        return CRecordingTask::Init();
    }
};

// Accepts namespace lines and remembers the last one.
struct CListener : CRecordingTask {
    static inline std::string lastLine;
    bool ExecuteNamespaceLine(const std::string& text) override {
        lastLine = text;
        return true;
    }
};

class BasicCommandsTest : public testing_support::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        Factory()->RegisterTaskType<CParamTask>("probe");
    }
    CTask* Find(const std::string& name) { return Factory()->FindTask(name); }
};

TEST_F(BasicCommandsTest, StartTaskNamesPrioritiesAndParameters) {
    EXPECT_EQ(Run("starttask(probe)"), "probe started");
    ASSERT_NE(Find("probe"), nullptr);
    EXPECT_EQ(Find("probe")->GetPriority(), 100);
    EXPECT_EQ(Run("STARTTASK(probe, renderer, 900)"), "probe started");
    EXPECT_EQ(Find("renderer")->GetPriority(), 900);
    Run("starttask(probe, p1, 2.9)");
    EXPECT_EQ(Find("p1")->GetPriority(), 2);
    Run("starttask(probe, p2, -1.5)");
    EXPECT_EQ(Find("p2")->GetPriority(), -1);
    Run("starttask(probe, p3, 10, extra, 7)");
    EXPECT_EQ(CParamTask::lastParams, (std::vector<std::string>{"extra", "7"}));
    Run("starttask(probe, p4, 99999999999)");
    EXPECT_EQ(Find("p4")->GetPriority(), std::numeric_limits<int>::max()) << "clamped, not UB";
}

TEST_F(BasicCommandsTest, UsageMessagesAndFailures) {
    EXPECT_EQ(Run("starttask"),
              "Error: StartTask( tasktype, taskname, priority ) requires atleast one parameter.");
    EXPECT_EQ(Run("starttask(5)"),
              "Error: StartTask( tasktype, taskname, priority ) requires atleast one parameter.");
    EXPECT_EQ(Run("load()"), "Error: Load() You need to give a filename as a parameter.");
    EXPECT_EQ(Run("load"), "Error: Load() You need to give a filename as a parameter.");
    EXPECT_EQ(Run("load(5)"), "Error: Load() You need to give a filename as a parameter.");
    EXPECT_EQ(Run("taskload()"),
              "Error: TaskLoad() You need to give a task library name as a parameter.");
    EXPECT_EQ(Run("pausetask"), "Error: PauseTask( taskname ) requires atleast one parameter.");
    EXPECT_EQ(Run("resumetask()"), "Error: ResumeTask( taskname ) requires atleast one parameter.");
    EXPECT_EQ(Run("stoptask(1)"), "Error: StopTask( taskname ) requires atleast one parameter.");
    EXPECT_EQ(Run("starttask(nosuchtype)"), "failed to start nosuchtype");

    EXPECT_EQ(Run("pausetask(ghost)"), "");
    EXPECT_EQ(Run("resumetask(ghost)"), "");
    EXPECT_EQ(Run("stoptask(ghost)"), "");
    Run("taskload(SDL)");
    Run("taskload(sdl_mixer)");
    const std::string log = Log();
    EXPECT_NE(log.find("Trying to start a task nosuchtype that doesn't exist."), std::string::npos);
    EXPECT_NE(log.find("Trying to pause a task ghost that doesn't exist."), std::string::npos);
    EXPECT_NE(log.find("Trying to resume a task ghost that doesn't exist."), std::string::npos);
    EXPECT_NE(
        log.find("( ) CTaskFactory::StopTask() called\n( ) [ERROR] Trying to stop a task ghost"),
        std::string::npos);
    EXPECT_NE(log.find("<!> TaskLoad failed - Couldn't load task: SDL"), std::string::npos);
    EXPECT_EQ(log.find("Couldn't load task: sdl_mixer"), std::string::npos);
}

TEST_F(BasicCommandsTest, PauseResumeStopAndQuitByName) {
    Run("starttask(probe, a, 1)");
    Run("starttask(probe, a, 2)");  // same name: runs, but is not reachable by name
    EXPECT_EQ(Kernel()->GetRunningList().size(), 2u);
    Run("pausetask(a)");
    EXPECT_EQ(Kernel()->GetRunningList().size(), 1u);
    EXPECT_EQ(Kernel()->GetRunningList().front()->GetPriority(), 2);
    Run("resumetask(a)");
    Run("stoptask(a)");
    Kernel()->RunPass();
    EXPECT_EQ(Kernel()->GetRunningList().size(), 1u);
    EXPECT_EQ(Run("quit"), "bye bye");
    EXPECT_EQ(Run("quit(1)"), "bye bye");
    EXPECT_EQ(Kernel()->Run(), 0);
    EXPECT_TRUE(Kernel()->GetRunningList().empty());
}

TEST_F(BasicCommandsTest, NamespaceLinesReachTasksThatAcceptThem) {
    Factory()->RegisterTaskType<CListener>("listener");
    Run("starttask(listener, keyboard)");
    EXPECT_EQ(Run("keyboard::bind(a, quit)"), "");
    EXPECT_EQ(CListener::lastLine, "bind(a, quit)");
    Run("starttask(probe, deaf)");
    EXPECT_EQ(Run("deaf::anything"), "No namespace named space\n");
    EXPECT_EQ(Run("nobody::anything"), "No namespace named space\n");
    EXPECT_NE(Log().find("[ERROR] Sorry the namespace or task nobody doesn't exist."),
              std::string::npos);
}

TEST_F(BasicCommandsTest, LoadRunsScriptsOnTheMainConsoleAndRefusesRecursion) {
    Dir().WriteFile("inner.txt", "starttask(probe, fromscript)\nload(inner.txt)\n");
    Dir().WriteFile("outer.txt", "load(inner.txt)\n");
    EXPECT_EQ(Run("load(outer.txt)"), "");
    EXPECT_NE(Find("fromscript"), nullptr);
    EXPECT_NE(Log().find("inner.txt is already being executed"), std::string::npos);
}

TEST_F(BasicCommandsTest, LibrariesAttachOnceAndKeepTheFirstCommand) {
    struct CFake : CConsoleCommand {
        std::string Execute() override { return "fake"; }
    };
    CCommandFactory::GetSingleton()->RegisterCommand("basic", "quit", new CFake);
    CConsole other;
    CCommandFactory::GetSingleton()->AttachLibrary("basic", &other);
    CCommandFactory::GetSingleton()->AttachLibrary("basic", &other);
    EXPECT_EQ(other.GetCommands().size(), 7u);
    EXPECT_EQ(other.ExecuteLine("quit"), "bye bye");
    CCommandFactory::GetSingleton()->AttachLibrary("no such library", &other);
    CCommandFactory::GetSingleton()->DetachLibrary("basic", &other);
    EXPECT_TRUE(other.GetCommands().empty());
}

}  // namespace
