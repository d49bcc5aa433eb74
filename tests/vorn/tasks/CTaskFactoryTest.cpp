#include "EngineFixture.h"
#include "LogCapture.h"
#include "vorn/tasks/CTaskFactory.h"

using namespace vorn;
using testing_support::CRecordingTask;

namespace {

class TaskFactoryTest : public testing_support::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        Factory()->RegisterTaskType<CRecordingTask>("probe");
    }
    bool IsPaused(CTask* task) {
        const auto& paused = Kernel()->GetPausedList();
        return std::find(paused.begin(), paused.end(), task) != paused.end();
    }
    static constexpr const char* TAKEN_OVER = "belonged to a stopped task";
};

// Start, stop, start again and stop again under one name: every command by
// name reaches the task that is not stopped, so the program can end.
TEST_F(TaskFactoryTest, ANameReachesTheTaskStartedAfterTheStoppedOne) {
    testing_support::CLogCapture log;
    Run("starttask(keyboard, k, 5)");
    CTask* first = Factory()->FindTask("k");
    ASSERT_NE(first, nullptr);
    Run("stoptask(k)");
    EXPECT_TRUE(first->IsStopped());
    EXPECT_EQ(Factory()->FindTask("k"), first) << "a stopped task keeps its name";
    EXPECT_EQ(log.Count(TAKEN_OVER), 0);

    Run("starttask(keyboard, k, 5)");
    CTask* second = Factory()->FindTask("k");
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, first);
    EXPECT_EQ(
        log.Count("Task name k belonged to a stopped task; it now names the new keyboard task."),
        1);
    Run("pausetask(k)");
    EXPECT_TRUE(IsPaused(second));
    Run("resumetask(k)");
    EXPECT_FALSE(IsPaused(second));
    EXPECT_EQ(Run("k::unknown()"), "");
    EXPECT_EQ(log.Count("doesn't exist"), 0);

    Run("stoptask(k)");
    EXPECT_TRUE(second->IsStopped());
    Kernel()->RunPass();
    ASSERT_TRUE(Kernel()->GetRunningList().empty()) << "nothing is left running: the run ends";
    EXPECT_EQ(Kernel()->Run(), 0);

    // A third start logs again: each start under a stopped name says so once.
    Run("starttask(keyboard, k, 5)");
    EXPECT_EQ(log.Count(TAKEN_OVER), 2);
}

TEST_F(TaskFactoryTest, ASecondRunningTaskUnderANameIsReachedOnlyOnceTheFirstStops) {
    testing_support::CLogCapture log;
    Run("starttask(probe, p, 5)");
    CTask* first = Factory()->FindTask("p");
    Run("starttask(probe, p, 6)");
    EXPECT_EQ(Factory()->FindTask("p"), first) << "the first running task keeps the name";
    EXPECT_EQ(log.Count(TAKEN_OVER), 0) << "the name was not free: nothing to say";
    Run("pausetask(p)");
    EXPECT_TRUE(IsPaused(first));
    Run("stoptask(p)");
    EXPECT_TRUE(first->IsStopped());
    CTask* second = Factory()->FindTask("p");
    ASSERT_NE(second, first);
    EXPECT_EQ(second->GetPriority(), 6);
    Run("stoptask(p)");
    EXPECT_TRUE(second->IsStopped());
    Kernel()->RunPass();
    EXPECT_TRUE(Kernel()->GetRunningList().empty());
    Run("stoptask(p)");  // all stopped: harmless
    EXPECT_EQ(log.Count("doesn't exist"), 0);
}

}  // namespace
