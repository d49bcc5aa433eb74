#include <filesystem>

#include "LogCapture.h"
#include "SdlTaskFixture.h"
#include "vorn/tasks/CTestTaskGfx.h"

using namespace vorn;

namespace {

class CTestTaskGfxTest : public sdl_task_test::SdlTaskTest {
protected:
    // Runs passes until the kernel has nothing left or the limit is reached;
    // returns the passes run.
    int RunPasses(int limit) {
        int passes = 0;
        while (passes < limit) {
            ++passes;
            Advance(20);
            if (!Kernel()->RunPass()) break;
        }
        return passes;
    }
    CTask* Showcase() { return Factory()->FindTask("gfxtest"); }
    static constexpr const char* NO_GFX = "gfxtest: no graphics task is running";
};

TEST_F(CTestTaskGfxTest, WithoutAGraphicsTaskAScriptedShowcaseQuits) {
    testing_support::CLogCapture log;
    StartWindow();
    Run("starttask(gfxtest, gfxtest, 500, 3, \"shot.bmp\")");
    EXPECT_LT(RunPasses(100), 100) << "the program ends instead of waiting for frames";
    EXPECT_EQ(log.Count(NO_GFX), 1) << log.All();
    EXPECT_EQ(log.Count("quitting without a screenshot"), 1);
    EXPECT_FALSE(std::filesystem::exists("shot.bmp"));
}

TEST_F(CTestTaskGfxTest, AShowcaseWhoseGraphicsTaskStopsStopsToo) {
    testing_support::CLogCapture log;
    testing_support::CRecordingTask keeper;  // something else keeps running
    Kernel()->AddTask(&keeper);
    StartWindow();
    Run("starttask(gfx, gfx, 900)");
    Run("starttask(gfxtest, gfxtest, 500)");
    RunPasses(5);
    ASSERT_FALSE(Showcase()->IsStopped()) << "it runs while something draws";
    EXPECT_EQ(log.Count(NO_GFX), 0);
    Run("stoptask(gfx)");
    RunPasses(5);
    EXPECT_TRUE(Showcase()->IsStopped());
    EXPECT_EQ(log.Count(NO_GFX), 1) << log.All();
    EXPECT_FALSE(keeper.IsStopped()) << "only a scripted showcase quits";

    // With a frame count it quits the program as it would after its frames.
    Run("starttask(gfxtest, scripted, 500, 30, \"shot.bmp\")");
    EXPECT_LT(RunPasses(100), 100);
    EXPECT_TRUE(keeper.IsStopped());
    EXPECT_EQ(log.Count(NO_GFX), 2);
}

}  // namespace
