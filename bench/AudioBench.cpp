// Sound effects per second through the console: the line an animation's sound
// frame runs, Audio::PlayEffect( "file" );, for an effect already cached. The
// audio task runs on SDL's dummy driver, so mixing costs nothing here and the
// figure is the cost of the command path: main console, task namespace,
// private console, cache lookup, Mix_PlayChannelTimed.
#include <SDL.h>
#include <SDL_mixer.h>
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "../tests/vorn/tasks/audio/AudioTestSupport.h"
#include "vorn/Builtins.h"
#include "vorn/console/CConsole.h"
#include "vorn/tasks/CApplicationFactory.h"
#include "vorn/tasks/CKernel.h"
#include "vorn/tasks/CTaskAudioSDLMixer.h"
#include "vorn/tasks/CTaskFactory.h"

namespace {

// An engine with the audio task started as "Audio", in a temporary folder
// (log.txt goes there), with effect.wav preloaded.
class CAudioEngine {
public:
    CAudioEngine()
        : myDriver("SDL_AUDIODRIVER", "dummy"),
          myPrevious(std::filesystem::current_path()),
          myFolder(std::filesystem::temp_directory_path() / "vorn_audio_bench") {
        std::filesystem::create_directories(myFolder);
        std::filesystem::current_path(myFolder);
        std::ofstream(myFolder / "effect.wav", std::ios::binary)
            << testing_support::MakeWav(22050, 2, 50);
        vorn::RegisterBuiltins();
        vorn::CTaskFactory::GetSingleton()->RegisterTaskLibrary("sdl_mixer",
                                                                &vorn::RegisterSdlMixerTaskLibrary);
        Console()->ExecuteLine("taskload(sdl_mixer)");
        Console()->ExecuteLine("starttask(audio, Audio, 10, 22050, S16LSB, 2, 1024, 8)");
        Console()->ExecuteLine("Audio::PreloadEffect(effect.wav)");
    }
    ~CAudioEngine() {
        vorn::CTaskFactory::DeleteSingleton();
        vorn::CKernel::DeleteSingleton();
        vorn::CApplicationFactory::DeleteSingleton();
        std::filesystem::current_path(myPrevious);
        std::error_code error;
        std::filesystem::remove_all(myFolder, error);
    }
    vorn::CConsole* Console() { return vorn::CApplicationFactory::GetSingleton()->GetConsole(); }
    bool IsReady() {
        auto* task = dynamic_cast<vorn::CTaskAudioSDLMixer*>(
            vorn::CTaskFactory::GetSingleton()->FindTask("Audio"));
        return task && task->IsDeviceOpen();
    }

    bool LogHas(const std::string& text) const {
        std::ifstream log(myFolder / "log.txt");
        const std::string content((std::istreambuf_iterator<char>(log)),
                                  std::istreambuf_iterator<char>());
        return content.find(text) != std::string::npos;
    }

private:
    testing_support::CScopedEnv myDriver;
    std::filesystem::path myPrevious;
    std::filesystem::path myFolder;
};

const char* const SOUND_FRAME_LINE = "Audio::PlayEffect( \"effect.wav\" );";

// Channels are freed every 8 calls, as finished effects would be, so that
// every call finds a channel and starts the effect.
void BM_PlayEffectThroughConsole(benchmark::State& state) {
    CAudioEngine engine;
    if (!engine.IsReady()) {
        state.SkipWithError("the audio task did not open the dummy device");
        return;
    }
    vorn::CConsole* console = engine.Console();
    int calls = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(console->ExecuteLine(SOUND_FRAME_LINE));
        if (++calls % 8 == 0) Mix_HaltChannel(-1);
    }
    state.counters["commands_per_s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    if (engine.LogHas("Could not play the effect"))
        state.SkipWithError("some effects found no free channel: not the path meant here");
}
BENCHMARK(BM_PlayEffectThroughConsole);

// Every channel busy: each call fails and writes two warning lines to the log.
void BM_PlayEffectAllChannelsBusy(benchmark::State& state) {
    CAudioEngine engine;
    if (!engine.IsReady()) {
        state.SkipWithError("the audio task did not open the dummy device");
        return;
    }
    vorn::CConsole* console = engine.Console();
    // Eight paused effects hold the eight channels for as long as this runs.
    for (int i = 0; i < 8; ++i)
        console->ExecuteLine(SOUND_FRAME_LINE);
    Mix_Pause(-1);
    for (auto _ : state)
        benchmark::DoNotOptimize(console->ExecuteLine(SOUND_FRAME_LINE));
    state.counters["commands_per_s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PlayEffectAllChannelsBusy);

}  // namespace
