#include <SDL.h>
#include <gtest/gtest.h>

#include "ManualTime.h"
#include "TestEnvironment.h"
#include "vorn/input/CEventBridge.h"
#include "vorn/utils/timer/CGlobalAppTimer.h"
#include "vorn/utils/timer/CTimer.h"
#include "vorn/utils/timer/GlobalTime.h"
#include "vorn/utils/xml/Xml.h"

using namespace vorn;

namespace {

class TimerTest : public ::testing::Test {
protected:
    testing_support::CScopedManualTime time{10000};
};

TEST_F(TimerTest, PausesResumesSetsAndClampsAtZero) {
    CTimer timer;
    time->now += 300;
    EXPECT_EQ(timer.GetTime(), 300u);
    timer.Pause();
    time->now += 1000;
    EXPECT_EQ(timer.GetTime(), 300u);
    timer.Resume();
    time->now += 50;
    EXPECT_EQ(timer.GetTime(), 350u);
    timer.SetTime(500);
    EXPECT_EQ(timer.GetTime(), 500u);
    time->now += 10;
    EXPECT_EQ(timer.GetTime(), 510u);
    EXPECT_EQ(timer.UpdateMark(), 510u);
    time->now += 25;
    EXPECT_EQ(timer.GetDelta(), 25u);
    EXPECT_FLOAT_EQ(timer.GetDeltaSeconds(), 0.025f);
    EXPECT_EQ((timer - 35u).GetTime(), 500u);
    timer -= 10000;
    EXPECT_EQ(timer.GetTime(), 0u) << "set back past zero reads 0";
    timer.Pause();
    timer.Reset();
    time->now += 100;
    EXPECT_EQ(timer.GetTime(), 0u);
    EXPECT_TRUE(timer.IsPaused());
}

TEST_F(TimerTest, SurvivesTheTickCounterWrapping) {
    time->now = 0xFFFFFF00u;
    CTimer timer;
    time->now += 0x200;  // wraps past zero
    EXPECT_EQ(timer.GetTime(), 0x200u);
}

TEST_F(TimerTest, ReadingsGoOnPastTwoToTheThirtyOneAndOwedTimeIsMadeUp) {
    CGlobalAppTimer* app = CGlobalAppTimer::GetSingleton();
    app->Reset();
    CTimer child(app);
    time->now += 0x7FFFFFF0u;
    EXPECT_EQ(child.GetTime(), 0x7FFFFFF0u);
    time->now += 0x20;
    EXPECT_EQ(app->GetTime(), 0x80000010u) << "past 2^31 the clock keeps counting";
    EXPECT_EQ(child.GetTime(), 0x80000010u);
    CTimer frame(&child);
    time->now += 16;
    EXPECT_EQ(frame.GetTime(), 16u);

    // Pausing (the window loses the focus) keeps a reading above 2^31.
    app->Pause();
    time->now += 5000;
    EXPECT_EQ(app->GetTime(), 0x80000020u);
    app->Resume();
    time->now += 1;
    EXPECT_EQ(app->GetTime(), 0x80000021u);
    app->Reset();

    // A running timer set back 100 ms below zero reads 0 for 100 ms, then counts.
    CTimer owing;
    owing.SetTime(30);
    owing -= 130;
    EXPECT_EQ(owing.GetTime(), 0u);
    time->now += 99;
    EXPECT_EQ(owing.GetTime(), 0u);
    time->now += 11;
    EXPECT_EQ(owing.GetTime(), 10u);
    owing -= 4;
    EXPECT_EQ(owing.GetTime(), 6u) << "set back within the reading";

    // So does one set back while paused, once it runs again.
    owing.SetTime(30);
    owing.Pause();
    owing -= 100;
    owing.Resume();
    time->now += 69;
    EXPECT_EQ(owing.GetTime(), 0u);
    time->now += 5;
    EXPECT_EQ(owing.GetTime(), 4u);
}

TEST_F(TimerTest, AppClockStopsWithoutFocusAndItsChildrenWithIt) {
    CGlobalAppTimer* app = CGlobalAppTimer::GetSingleton();
    app->Reset();
    CTimer child(app);
    CTimer free;
    time->now += 100;
    CEventBridge::GetSingleton()->OnFocus(false);
    time->now += 1000;
    EXPECT_EQ(app->GetTime(), 100u);
    EXPECT_EQ(child.GetTime(), 100u);
    EXPECT_EQ(free.GetTime(), 1100u);
    CEventBridge::GetSingleton()->OnFocus(true);
    time->now += 5;
    EXPECT_EQ(child.GetTime(), 105u);
    CGlobalAppTimer::DeleteSingleton();
}

TEST_F(TimerTest, PausedReadingSurvivesAnXmlFileRoundTrip) {
    testing_support::CScopedTempDir dir;
    CTimer paused;
    paused.SetTime(1234);
    paused.Pause();
    time->now += 500;
    ASSERT_TRUE(SaveObjectToXmlFile(paused, "timer.xml", "Timer"));
    const std::string text = testing_support::ReadFile("timer.xml");
    EXPECT_NE(text.find("<time>"), std::string::npos) << text;
    EXPECT_NE(text.find("<pause>"), std::string::npos) << text;

    CTimer loaded;
    ASSERT_TRUE(LoadObjectFromXmlFile(loaded, "timer.xml"));
    time->now += 500;
    EXPECT_TRUE(loaded.IsPaused());
    EXPECT_EQ(loaded.GetTime(), 1234u);

    CTimer running;
    running.SetTime(40);
    ASSERT_TRUE(SaveObjectToXmlFile(running, "running.xml", "Timer"));
    EXPECT_EQ(testing_support::ReadFile("running.xml").find("<pause>"), std::string::npos);
    CTimer reloaded;
    reloaded.Pause();
    ASSERT_TRUE(LoadObjectFromXmlFile(reloaded, "running.xml"));
    EXPECT_FALSE(reloaded.IsPaused());
    time->now += 10;
    EXPECT_EQ(reloaded.GetTime(), 50u);
}

// Set back past zero while paused, the timer owes the difference after
// Resume as a running one does: it reads 0 until the debt is paid.
TEST_F(TimerTest, ATimerSetBackPastZeroWhilePausedKeepsItsDebt) {
    CTimer timer;
    timer.SetTime(30);
    timer.Pause();
    timer -= 100;
    EXPECT_EQ(timer.GetTime(), 0u);
    timer.Resume();
    time->now += 20;
    EXPECT_EQ(timer.GetTime(), 0u);
    time->now += 50;
    EXPECT_EQ(timer.GetTime(), 0u) << "70 ms owed";
    time->now += 15;
    EXPECT_EQ(timer.GetTime(), 15u);

    // The same as a running timer set back just as far.
    CTimer running;
    running.SetTime(30);
    running -= 100;
    time->now += 85;
    EXPECT_EQ(running.GetTime(), 15u);
}

TEST(GlobalTimeTest, SdlTicksAreSaneBeforeAnyWindow) {
    CGlobalTimerImplTimeH source;
    const uint32_t first = source.GetTicks();
    EXPECT_LT(first, 60u * 60u * 1000u) << "counts from process start, not from the epoch";
    SDL_Delay(20);
    EXPECT_GE(source.GetTicks() - first, 15u);
}

}  // namespace
