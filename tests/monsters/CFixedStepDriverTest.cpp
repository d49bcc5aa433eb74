#include "monsters/CFixedStepDriver.h"

#include <gtest/gtest.h>

#include <box2d/box2d.h>

#include "ManualTime.h"
#include "PhysicsTestSupport.h"
#include "monsters/CFightWorld.h"
#include "monsters/CMonster.h"

using monsters::CFixedStepDriver;

namespace {

// The vertical speed of a body falling from rest after that many steps.
float FallSpeed(int steps) {
    return float(steps) * monsters::CFightWorld::GRAVITY_Y * monsters::CPhysicsWorld::TIME_STEP;
}

}  // namespace

TEST(CFixedStepDriverTest, FramesSixtyMillisecondsApartRunThreeStepsAndDropTheBacklog) {
    monsters_test::CGameFolder folder;
    testing_support::CScopedManualTime time(5000);
    CFixedStepDriver driver(nullptr, nullptr);
    driver.GetPhysics().SwitchToFight();
    monsters::CMonster* monster = driver.GetPhysics().LoadMonster(
        folder.Monster("m.xml", {monsters_test::HeadPart(0, -3)}), 0, 0);
    const b2Body* body = driver.GetPhysics().GetFightWorld()->GetBody(*monster->GetPart(0));
    int steps = 0;
    for (int frame = 0; frame < 5; ++frame) {
        time->now += 60;
        const int taken = driver.Update();
        EXPECT_EQ(taken, 3) << "frame " << frame;
        EXPECT_TRUE(driver.IsLagging());
        steps += taken;
    }
    // 15 steps of 16 ms ran in 300 ms: the game ran slow instead of catching up.
    EXPECT_NEAR(body->GetLinearVelocity().y, FallSpeed(steps), 1e-4f);
    time->now += 10;
    EXPECT_EQ(driver.Update(), 0) << "the backlog was dropped at the last reset";
}

TEST(CFixedStepDriverTest, FramesTenMillisecondsApartStepOnlyOnceMoreThan16MillisecondsPassed) {
    testing_support::CScopedManualTime time(5000);
    CFixedStepDriver driver(nullptr, nullptr);
    int steps = 0;
    int framesWithAStep = 0;
    for (int frame = 1; frame <= 100; ++frame) {
        time->now += 10;
        const int taken = driver.Update();
        EXPECT_LE(taken, 1) << "frame " << frame;
        EXPECT_FALSE(driver.IsLagging());
        steps += taken;
        framesWithAStep += taken;
        const int real = frame * 10;
        EXPECT_LE(steps * 16, real) << "simulated time ran ahead at frame " << frame;
        EXPECT_LE(real - steps * 16, 16) << "simulated time fell behind at frame " << frame;
    }
    EXPECT_EQ(steps, 62);
    EXPECT_GT(framesWithAStep, 50);
    EXPECT_LT(framesWithAStep, 70);
}

TEST(CFixedStepDriverTest, APausedDriverStepsNothing) {
    testing_support::CScopedManualTime time(5000);
    CFixedStepDriver driver(nullptr, nullptr);
    driver.Pause();
    time->now += 100;
    EXPECT_EQ(driver.Update(), 0);
    driver.Resume();
    time->now += 20;
    EXPECT_EQ(driver.Update(), 1) << "the paused time is not made up";
}
