#pragma once

#include <SDL.h>

#include "../gfx/GfxTestSupport.h"
#include "EngineFixture.h"
#include "ManualTime.h"
#include "vorn/gfx/CPixelSDL.h"
#include "vorn/gfx/Gfx.h"
#include "vorn/tasks/CTaskFactory.h"
#include "vorn/tasks/SdlTaskLibrary.h"
#include "vorn/utils/timer/CGlobalAppTimer.h"

namespace sdl_task_test {

// An engine with the task library "sdl" loaded, SDL's dummy video driver, a
// manual clock and a recording screen layer. Tasks are started through the
// main console as a script would.
class SdlTaskTest : public testing_support::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        // Application time is read from the manual clock from here on.
        vorn::CGlobalAppTimer::DeleteSingleton();
        myTime = std::make_unique<testing_support::CScopedManualTime>(10000000);
        vorn::Gfx::SetScreenLayerHook(&myScreenLayer);
        Factory()->RegisterTaskLibrary("sdl", &vorn::RegisterSdlTaskLibrary);
        Run("TaskLoad(sdl)");
    }
    void TearDown() override {
        EngineTest::TearDown();
        vorn::Gfx::SetScreenLayerHook(nullptr);
        vorn::CGlobalAppTimer::DeleteSingleton();
        myTime.reset();
        EXPECT_EQ(SDL_WasInit(SDL_INIT_EVERYTHING), 0u) << "the tasks left SDL running";
        EXPECT_EQ(vorn::CTextureManagerSDL::GetSingleton()->GetRecordCount(), 0u);
    }

    // Starts the window task with a 32-bit screen of that size.
    void StartWindow(int w = 320, int h = 200) {
        Run("starttask(window, window, 1, " + std::to_string(w) + ", " + std::to_string(h) +
            ", 32)");
        ASSERT_NE(SDL_GetVideoSurface(), nullptr);
    }
    template <class T>
    T* Task(const std::string& name) {
        return dynamic_cast<T*>(Factory()->FindTask(name));
    }
    void Advance(uint32_t ms) { (*myTime)->now += ms; }

    gfx_test::CRecordingScreenLayer myScreenLayer;
    std::unique_ptr<testing_support::CScopedManualTime> myTime;
};

}  // namespace sdl_task_test
