#include <gtest/gtest.h>

#include "ManualTime.h"
#include "vorn/tasks/CFakeThread.h"

using namespace vorn;

namespace {

std::vector<std::string> steps;

class CStepper : public CFakeThread {
public:
    CStepper(std::string name, int stopAfter = -1)
        : myName(std::move(name)), myStopAfter(stopAfter) {}
    void Run() override {
        steps.push_back(myName);
        if (++myRuns == myStopAfter) Kill();
    }

private:
    std::string myName;
    int myStopAfter;
    int myRuns = 0;
};

TEST(CFakeThreadTest, StepsDueThreadsOncePerPassUntilTheFirstSleeper) {
    testing_support::CScopedManualTime time(5000);
    steps.clear();

    auto* a = new CStepper("a", 2);
    auto* b = new CStepper("b");
    auto* c = new CStepper("c");
    RunFakeThreads(0);
    EXPECT_TRUE(steps.empty()) << "new threads sleep until started";
    a->Start();
    b->Start();
    RunFakeThreads(0);
    EXPECT_EQ(steps, (std::vector<std::string>{"a", "b"})) << "c sleeps and ends the walk";
    time->now += 9;
    RunFakeThreads(0);
    EXPECT_EQ(steps.size(), 2u) << "next step is 10 ms later";
    time->now += 1;
    RunFakeThreads(0);
    EXPECT_EQ(steps, (std::vector<std::string>{"a", "b", "a", "b"}));
    // a killed itself on its second step and is gone.
    const auto* list = CFakeThread::GetList();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->size(), 2u);
    b->Pause();
    time->now += 50;
    RunFakeThreads(0);
    EXPECT_EQ(steps.size(), 4u);
    EXPECT_TRUE(b->IsLess(*c) == false || c->IsSleeping());
    b->Kill();
    c->Kill();
    RunFakeThreads(0);
    EXPECT_EQ(CFakeThread::GetList(), nullptr) << "the list goes with the last thread";
}

TEST(CFakeThreadTest, TheKernelLearnsWhenTheNextStepIsDue) {
    testing_support::CScopedManualTime time(5000);
    steps.clear();
    EXPECT_EQ(MillisecondsToNextFakeThread(), -1) << "no thread";
    auto* a = new CStepper("a", 2);
    auto* b = new CStepper("b", 1);
    EXPECT_EQ(MillisecondsToNextFakeThread(), -1) << "the first thread sleeps: nothing will run";
    a->Start();
    b->Start();
    EXPECT_EQ(MillisecondsToNextFakeThread(), 0);
    RunFakeThreads(0);
    EXPECT_EQ(MillisecondsToNextFakeThread(), 10) << "a steps every 10 ms; b is finished";
    time->now += 4;
    EXPECT_EQ(MillisecondsToNextFakeThread(), 6);
    time->now += 6;
    RunFakeThreads(0);  // a's second step finishes it
    RunFakeThreads(0);  // the finished ones are deleted
    EXPECT_EQ(MillisecondsToNextFakeThread(), -1);
}

}  // namespace
