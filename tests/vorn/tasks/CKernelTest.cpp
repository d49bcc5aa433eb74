#include <time.h>

#include <chrono>

#include "EngineFixture.h"
#include "vorn/input/CEventBridge.h"

using namespace vorn;
using testing_support::CRecordingTask;
using testing_support::Events;

namespace {

class KernelTest : public testing_support::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        Events().clear();
    }

    // A recording task owned by the test (the kernel only orders tasks).
    CRecordingTask* Make(const std::string& name, int priority) {
        myTasks.push_back(std::make_unique<CRecordingTask>());
        myTasks.back()->SetName(name);
        myTasks.back()->SetPriority(priority);
        return myTasks.back().get();
    }

    void TearDown() override {
        myTasks.clear();
        EngineTest::TearDown();
    }

    std::vector<std::unique_ptr<CRecordingTask>> myTasks;
};

TEST_F(KernelTest, UpdatesInAscendingPriorityWithNewcomersFirstAmongEquals) {
    Kernel()->AddTask(Make("a", 5));
    Kernel()->AddTask(Make("b", -5));
    Kernel()->AddTask(Make("c", 5));
    Kernel()->AddTask(Make("d", 0));
    Events().clear();
    Kernel()->RunPass();
    EXPECT_EQ(Events(), (std::vector<std::string>{"b:Update", "d:Update", "c:Update", "a:Update"}));
}

TEST_F(KernelTest, QuitFinishesThePassThenExitsRunningTasksOnce) {
    CRecordingTask* first = Make("first", 1);
    CRecordingTask* last = Make("last", 2);
    CRecordingTask* parked = Make("parked", 3);
    first->onUpdate = [](CRecordingTask&) { CKernel::GetSingleton()->Quit(); };
    Kernel()->AddTask(first);
    Kernel()->AddTask(last);
    Kernel()->AddTask(parked);
    Kernel()->PauseTask(parked);
    Events().clear();
    EXPECT_EQ(Kernel()->Run(), 0);
    EXPECT_EQ(Events(),
              (std::vector<std::string>{"first:Update", "last:Update", "first:Exit", "last:Exit"}));
    EXPECT_EQ(parked->exits, 0);
    EXPECT_TRUE(Kernel()->GetRunningList().empty());
}

TEST_F(KernelTest, StoppedTaskExitsOnceAndLeavesAtTheNextPass) {
    CRecordingTask* task = Make("t", 1);
    CRecordingTask* other = Make("o", 2);
    Kernel()->AddTask(task);
    Kernel()->AddTask(other);
    Kernel()->StopTask(task);
    Kernel()->StopTask(task);
    EXPECT_EQ(task->exits, 1);
    EXPECT_EQ(Kernel()->GetRunningList().size(), 2u);  // only marked so far
    Kernel()->RunPass();
    EXPECT_EQ(task->updates, 0);
    EXPECT_EQ(Kernel()->GetRunningList().size(), 1u);
}

TEST_F(KernelTest, FailedInitParksTaskAndResumeRunsItWithoutInit) {
    CRecordingTask* task = Make("lazy", 1);
    task->initResult = false;
    Kernel()->AddTask(task);
    EXPECT_TRUE(Kernel()->GetRunningList().empty());
    Events().clear();
    Kernel()->ResumeTask(task);
    Kernel()->RunPass();
    EXPECT_EQ(Events(), (std::vector<std::string>{"lazy:Resume", "lazy:Update"}));
}

TEST_F(KernelTest, FocusLossPausesOnlyTasksThatAskAndResumesExactlyThose) {
    CRecordingTask* game = Make("game", 1);
    CRecordingTask* audio = Make("audio", 2);
    CRecordingTask* plain = Make("plain", 3);
    CRecordingTask* manual = Make("manual", 4);
    game->focusSensitive = audio->focusSensitive = manual->focusSensitive = true;
    for (CRecordingTask* t : {game, audio, plain, manual})
        Kernel()->AddTask(t);
    Kernel()->PauseTask(manual);
    Events().clear();

    CEventBridge::GetSingleton()->OnFocus(false);
    EXPECT_EQ(Events(), (std::vector<std::string>{"game:Pause", "audio:Pause"}));
    EXPECT_FALSE(Kernel()->IsFocused());
    const unsigned long yieldsBefore = Kernel()->GetYieldCount();
    Kernel()->RunPass();
    Kernel()->RunPass();
    EXPECT_EQ(Kernel()->GetYieldCount(), yieldsBefore + 2) << "one yield per unfocused pass";
    EXPECT_EQ(game->updates, 0);
    EXPECT_EQ(plain->updates, 2);

    Events().clear();
    CEventBridge::GetSingleton()->OnFocus(true);
    EXPECT_EQ(Events(), (std::vector<std::string>{"game:Resume", "audio:Resume"}));
    const unsigned long yieldsFocused = Kernel()->GetYieldCount();
    Kernel()->RunPass();
    EXPECT_EQ(Kernel()->GetYieldCount(), yieldsFocused) << "no yield while focused";
    EXPECT_EQ(game->updates, 1);
    EXPECT_EQ(manual->updates, 0) << "a task paused by hand stays paused";
}

TEST_F(KernelTest, TasksMayPauseThemselvesAndAddTasksDuringAPass) {
    CRecordingTask* pauser = Make("pauser", 1);
    CRecordingTask* adder = Make("adder", 2);
    CRecordingTask* late = Make("late", 3);
    CRecordingTask* early = Make("early", 0);
    CRecordingTask* tail = Make("tail", 9);
    pauser->onUpdate = [](CRecordingTask& self) { CKernel::GetSingleton()->PauseTask(&self); };
    adder->onUpdate = [late, early](CRecordingTask& self) {
        if (self.updates == 1) {
            CKernel::GetSingleton()->AddTask(late);
            CKernel::GetSingleton()->AddTask(early);
        }
    };
    for (CRecordingTask* t : {pauser, adder, tail})
        Kernel()->AddTask(t);
    Events().clear();
    Kernel()->RunPass();
    // late lands behind the current position and runs in this pass; early
    // lands before it and waits for the next pass.
    EXPECT_EQ(Events(),
              (std::vector<std::string>{"pauser:Update", "pauser:Pause", "adder:Update",
                                        "late:Init", "early:Init", "late:Update", "tail:Update"}));
    Events().clear();
    Kernel()->RunPass();
    EXPECT_EQ(Events(), (std::vector<std::string>{"early:Update", "adder:Update", "late:Update",
                                                  "tail:Update"}));
}

TEST_F(KernelTest, PassCapSleepsInsteadOfSpinningAndZeroMeansNoCap) {
    CRecordingTask* task = Make("t", 1);
    Kernel()->AddTask(task);
    using Clock = std::chrono::steady_clock;

    Run("kernel_max_passes_per_second = 200");
    EXPECT_EQ(*Kernel()->GetMaxPassesPerSecondPtr(), 200);
    auto start = Clock::now();
    for (int i = 0; i < 20; ++i)
        Kernel()->RunPass();
    const double capped = std::chrono::duration<double>(Clock::now() - start).count();
    EXPECT_GE(capped, 0.09) << "20 passes at 200 per second take about 100 ms";
    EXPECT_GE(Kernel()->GetYieldCount(), 15u) << "the passes slept";

    Run("kernel_max_passes_per_second = 0");
    const unsigned long yields = Kernel()->GetYieldCount();
    start = Clock::now();
    for (int i = 0; i < 1000; ++i)
        Kernel()->RunPass();
    const double free = std::chrono::duration<double>(Clock::now() - start).count();
    EXPECT_LT(free, 0.05);
    EXPECT_EQ(Kernel()->GetYieldCount(), yields);
}

TEST_F(KernelTest, RunReturnsAtOnceWithoutRunningTasks) {
    CRecordingTask* task = Make("lazy", 1);
    task->initResult = false;
    Kernel()->AddTask(task);
    EXPECT_EQ(Kernel()->Run(), 0);
    EXPECT_EQ(task->updates, 0);
}

TEST_F(KernelTest, DeletedTaskIsForgottenEverywhere) {
    auto* doomed = new CRecordingTask;
    doomed->SetName("doomed");
    Kernel()->AddTask(doomed);
    CRecordingTask* other = Make("other", 20);
    Kernel()->AddTask(other);
    Kernel()->PauseTask(other);
    delete doomed;
    EXPECT_TRUE(Kernel()->GetRunningList().empty());
    Kernel()->ResumeTask(other);
    Kernel()->RunPass();
    EXPECT_EQ(other->updates, 1);
}

// A task with its own (real) clock that has work every 10 ms.
class CPacedTask : public CTask {
public:
    using Clock = std::chrono::steady_clock;
    CPacedTask() : CTask(1, "paced"), myNext(Clock::now()) {}
    void Update() override {
        if (Clock::now() < myNext) return;
        ++frames;
        myNext += std::chrono::milliseconds(10);
    }
    int GetMillisecondsToDue() const override {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(myNext - Clock::now());
        return left.count() > 0 ? int(left.count()) : 0;
    }
    int frames = 0;

private:
    Clock::time_point myNext;
};

double ThreadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec + now.tv_nsec / 1e9;
}

TEST_F(KernelTest, RunSleepsUntilTheNextTaskIsDueInsteadOfSpinning) {
    // A task without times of its own runs on every pass; the paced one sets
    // the pace. A quarter of a second of real time.
    CPacedTask paced;
    CRecordingTask* poller = Make("poller", 2);
    const auto end = CPacedTask::Clock::now() + std::chrono::milliseconds(250);
    poller->onUpdate = [&](CRecordingTask&) {
        if (CPacedTask::Clock::now() >= end) Kernel()->Quit();
    };
    Kernel()->AddTask(&paced);
    Kernel()->AddTask(poller);
    const double cpuBefore = ThreadCpuSeconds();
    EXPECT_EQ(Kernel()->Run(), 0);
    const double cpu = ThreadCpuSeconds() - cpuBefore;
    EXPECT_GE(paced.frames, 12) << "about 25 steps of 10 ms (fewer only on a busy machine)";
    EXPECT_LE(paced.frames, 27);
    EXPECT_LE(poller->updates, 2 * paced.frames + 5) << "passes follow the due times, no spinning";
    EXPECT_LT(cpu, 0.1) << "the kernel slept between passes";

    // The cap still holds for whoever sets it, and the due times still count.
    Run("kernel_max_passes_per_second = 50");
    CPacedTask capped;
    CRecordingTask* second = Make("second", 2);
    const auto end2 = CPacedTask::Clock::now() + std::chrono::milliseconds(200);
    second->onUpdate = [&](CRecordingTask&) {
        if (CPacedTask::Clock::now() >= end2) Kernel()->Quit();
    };
    Kernel()->AddTask(&capped);
    Kernel()->AddTask(second);
    Kernel()->Run();
    EXPECT_LE(second->updates, 12) << "at most 50 passes a second";
    Run("kernel_max_passes_per_second = 0");
}

}  // namespace
