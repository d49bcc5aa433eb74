// The sounds and music shipped under game/data/, played through the real
// audio task (SDL_mixer): they load without a warning, and what the mixer
// makes of the effects is audible and as long as intended.

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "EngineFixture.h"
#include "LogCapture.h"
#include "vorn/tasks/CTaskAudioSDLMixer.h"
#include "vorn/tasks/audio/AudioTestSupport.h"
#include "vorn/tasks/audio/CSDLMixerEffectData.h"
#include "vorn/tasks/audio/CSDLMixerMusicData.h"

namespace fs = std::filesystem;
using namespace vorn;
using testing_support::CScopedEnv;

namespace {

const fs::path GAME = fs::path(MONSTERS_SOURCE_DIR) / "game";
const int RATE = 22050;

const std::vector<std::string> EFFECTS = {"data/sound/click.wav", "data/sound/victory.ogg",
                                          "data/sound/defeat.ogg"};
const std::vector<std::string> MUSIC = {"data/music/menu.ogg", "data/music/fight.ogg"};

// Seconds between the first and the last sample above a twentieth of the
// peak, and the peak, of 16-bit mono samples.
struct Heard {
    int peak = 0;
    double seconds = 0;
};

Heard Listen(const std::string& bytes) {
    std::vector<int> samples(bytes.size() / 2);
    Heard heard;
    for (size_t i = 0; i < samples.size(); ++i) {
        samples[i] = static_cast<int16_t>(static_cast<uint8_t>(bytes[2 * i]) |
                                          (static_cast<uint8_t>(bytes[2 * i + 1]) << 8));
        heard.peak = std::max(heard.peak, std::abs(samples[i]));
    }
    if (heard.peak == 0) return heard;
    auto loud = [&](int s) { return std::abs(s) > heard.peak / 20; };
    const auto first = std::find_if(samples.begin(), samples.end(), loud);
    const auto last = std::find_if(samples.rbegin(), samples.rend(), loud);
    heard.seconds = double((samples.rend() - last) - (first - samples.begin())) / RATE;
    return heard;
}

class GameSoundTest : public testing_support::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        // The game's relative names, in a copy of its data.
        for (const char* folder : {"data/sound", "data/music"}) {
            fs::create_directories(Dir().Path() / folder);
            for (const fs::directory_entry& entry : fs::directory_iterator(GAME / folder))
                fs::copy_file(entry.path(), Dir().Path() / folder / entry.path().filename());
        }
        Run("taskload(sdl_mixer)");
    }
    void TearDown() override {
        EngineTest::TearDown();
        EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
    }

    CTaskAudioSDLMixer* Start(const std::string& name, const std::string& params) {
        EXPECT_EQ(Run("starttask(audio, " + name + ", 10, " + params + ")"), "audio started");
        return dynamic_cast<CTaskAudioSDLMixer*>(Factory()->FindTask(name));
    }
    void Stop(const std::string& name) {
        Run("stoptask(" + name + ")");
        Kernel()->RunPass();
    }

    // Plays one effect on SDL's "disk" driver (faster than real time) and
    // returns what the mixer wrote.
    Heard Record(const std::string& effect) {
        const std::string name = "Disk" + std::to_string(++myRecordings);
        const std::string file = (Dir().Path() / (name + ".raw")).string();
        {
            CScopedEnv driver("SDL_AUDIODRIVER", "disk");
            CScopedEnv output("SDL_DISKAUDIOFILE", file);
            CScopedEnv delay("SDL_DISKAUDIODELAY", "5");
            CTaskAudioSDLMixer* task = Start(name, std::to_string(RATE) + ", S16LSB, 1, 1024, 8");
            EXPECT_TRUE(task && task->IsDeviceOpen());
            EXPECT_EQ(Run(name + "::PlayEffect(\"" + effect + "\")"), "");
            const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            while (Mix_Playing(-1) != 0 && std::chrono::steady_clock::now() < end)
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            Stop(name);
        }
        return Listen(testing_support::ReadFile(file));
    }

    int myRecordings = 0;
};

}  // namespace

TEST_F(GameSoundTest, ShippedEffectsAndMusicLoadAndPlayWithoutAWarning) {
    testing_support::CLogCapture log;
    CTaskAudioSDLMixer* task = Start("Audio", "44100, S16LSB, 2, 1024, 8");
    ASSERT_TRUE(task && task->IsDeviceOpen());
    for (const std::string& effect : EFFECTS)
        EXPECT_EQ(Run("Audio::PlayEffect(\"" + effect + "\")"), "") << effect;
    EXPECT_EQ(CSDLMixerEffectData::Count(), EFFECTS.size());
    for (const std::string& music : MUSIC) {
        EXPECT_EQ(Run("Audio::PlayMusic(\"" + music + "\")"), "") << music;
        Kernel()->RunPass();
        EXPECT_EQ(Mix_PlayingMusic(), 1) << music;
        EXPECT_LT(fs::file_size(music), 400u * 1024u) << music;
    }
    Stop("Audio");
    EXPECT_EQ(log.Warnings() + log.Errors(), 0) << log.All();
    EXPECT_FALSE(log.Has("[WARNING]") || log.Has("[ERROR]")) << log.All();
}

TEST_F(GameSoundTest, TheClickIsShortAndTheJinglesLastOneToThreeSeconds) {
    const Heard click = Record("data/sound/click.wav");
    EXPECT_GT(click.peak, 4000);
    EXPECT_LT(click.seconds, 0.08);

    for (const char* jingle : {"data/sound/victory.ogg", "data/sound/defeat.ogg"}) {
        const Heard heard = Record(jingle);
        EXPECT_GT(heard.peak, 8000) << jingle;
        EXPECT_LT(heard.peak, 32000) << jingle << " clips";
        EXPECT_GT(heard.seconds, 1.0) << jingle;
        EXPECT_LT(heard.seconds, 3.0) << jingle;
    }
}
