#include "EngineFixture.h"
#include "ManualTime.h"
#include "vorn/tasks/CTaskTimedTasks.h"

using namespace vorn;
using testing_support::CRecordingTask;
using testing_support::Events;

namespace {

class TimedTasksTest : public testing_support::EngineTest {
protected:
    void SetUp() override {
        myScopedTime = std::make_unique<testing_support::CScopedManualTime>(1000);
        myTime = myScopedTime->Get();
        EngineTest::SetUp();
        Events().clear();
    }
    void TearDown() override {
        myTasks.clear();
        EngineTest::TearDown();
        myScopedTime.reset();
    }
    CRecordingTask* MakeTimed(const std::string& name, uint32_t interval) {
        myTasks.push_back(std::make_unique<CRecordingTask>());
        myTasks.back()->SetName(name);
        myTasks.back()->SetInterval(interval);
        return myTasks.back().get();
    }

    std::unique_ptr<testing_support::CScopedManualTime> myScopedTime;
    testing_support::CManualTime* myTime = nullptr;
    std::vector<std::unique_ptr<CRecordingTask>> myTasks;
};

TEST_F(TimedTasksTest, CatchesUpMissedIntervalsAndWaitsWhenDueEqualsNow) {
    CRecordingTask* task = MakeTimed("tick", 100);
    // The runner is parked until something is scheduled.
    const auto& paused = Kernel()->GetPausedList();
    EXPECT_NE(std::find(paused.begin(), paused.end(), Kernel()->GetTimedTasks()), paused.end());
    Kernel()->AddTask(task);
    EXPECT_EQ(Kernel()->GetRunningList().front(), Kernel()->GetTimedTasks());

    myTime->now = 1100;
    Kernel()->RunPass();
    EXPECT_EQ(task->updates, 0) << "due time equal to now waits";
    myTime->now = 1101;
    Kernel()->RunPass();
    EXPECT_EQ(task->updates, 1);
    myTime->now = 1350;
    Kernel()->RunPass();
    EXPECT_EQ(task->updates, 3) << "due 1200 and 1300 caught up";
    myTime->now = 1400;
    Kernel()->RunPass();
    EXPECT_EQ(task->updates, 3);
    myTime->now = 1401;
    Kernel()->RunPass();
    EXPECT_EQ(task->updates, 4);
}

TEST_F(TimedTasksTest, EqualDueTimesRunInSchedulingOrderAndPauseReschedules) {
    CRecordingTask* a = MakeTimed("a", 50);
    CRecordingTask* b = MakeTimed("b", 50);
    Kernel()->AddTask(a);
    Kernel()->AddTask(b);
    Events().clear();
    myTime->now = 1060;
    Kernel()->RunPass();
    EXPECT_EQ(Events(), (std::vector<std::string>{"a:Update", "b:Update"}));

    Kernel()->PauseTask(a);
    myTime->now = 1500;
    Kernel()->ResumeTask(a);  // due 1550 now
    Events().clear();
    myTime->now = 1540;
    Kernel()->RunPass();
    EXPECT_EQ(a->updates, 1);
    myTime->now = 1551;
    Kernel()->RunPass();
    EXPECT_EQ(a->updates, 2);

    Kernel()->StopTask(b);
    const int before = b->updates;
    myTime->now = 3000;
    Kernel()->RunPass();
    EXPECT_EQ(b->updates, before);
    EXPECT_EQ(b->exits, 1);
}

// The rescheduled first task must not stay ahead of the other: the order
// holds on every pass, and when several intervals are caught up in one.
TEST_F(TimedTasksTest, EqualDueTimesKeepTheirOrderOnEveryPass) {
    CRecordingTask* x = MakeTimed("x", 50);
    CRecordingTask* y = MakeTimed("y", 50);
    Kernel()->AddTask(x);
    Kernel()->AddTask(y);  // both due at 1050
    myTime->now += 1;
    for (int pass = 0; pass < 5; ++pass) {
        Events().clear();
        myTime->now += 50;
        Kernel()->RunPass();
        EXPECT_EQ(Events(), (std::vector<std::string>{"x:Update", "y:Update"})) << pass;
    }
    Events().clear();
    myTime->now += 150;
    Kernel()->RunPass();
    EXPECT_EQ(Events(), (std::vector<std::string>{"x:Update", "y:Update", "x:Update", "y:Update",
                                                  "x:Update", "y:Update"}));
}

TEST_F(TimedTasksTest, TimedTaskStartedFromTheConsoleRunsInTheLoop) {
    // A timed type registered with the factory, started by the script.
    struct Ticker : CRecordingTask {
        Ticker() { SetInterval(10); }
    };
    Factory()->RegisterTaskType<Ticker>("ticker");
    Run("starttask(ticker, tick)");
    auto* tick = static_cast<CRecordingTask*>(Factory()->FindTask("tick"));
    ASSERT_NE(tick, nullptr);
    tick->onUpdate = [](CRecordingTask& self) {
        if (self.updates == 3) CKernel::GetSingleton()->Quit();
    };
    // Every pass advances the clock by 5 ms.
    struct Clock : CRecordingTask {
        testing_support::CManualTime* time = nullptr;
        void Update() override { time->now += 5; }
    } clock;
    clock.time = myTime;
    Kernel()->AddTask(&clock);
    EXPECT_EQ(Kernel()->Run(), 0);
    EXPECT_EQ(tick->updates, 3);
    EXPECT_EQ(tick->exits, 1) << "the runner stops its tasks when the loop ends";
}

TEST_F(TimedTasksTest, TheRunnerTellsTheKernelWhenItsFirstTaskIsDue) {
    CTaskTimedTasks* runner = Kernel()->GetTimedTasks();
    EXPECT_EQ(runner->GetMillisecondsToDue(), CTask::NO_DEADLINE) << "nothing scheduled";
    Kernel()->AddTask(MakeTimed("slow", 100));  // due 1100, runs after it
    CRecordingTask* fast = MakeTimed("fast", 30);
    Kernel()->AddTask(fast);  // due 1030
    EXPECT_EQ(runner->GetMillisecondsToDue(), 31);
    myTime->now = 1030;
    EXPECT_EQ(runner->GetMillisecondsToDue(), 1);
    myTime->now = 1031;
    EXPECT_EQ(runner->GetMillisecondsToDue(), 0);
    Kernel()->RunPass();
    EXPECT_EQ(runner->GetMillisecondsToDue(), 30) << "fast is next due at 1060";
    Kernel()->StopTask(fast);
    EXPECT_EQ(runner->GetMillisecondsToDue(), 70) << "a stopped task no longer counts";
}

}  // namespace
