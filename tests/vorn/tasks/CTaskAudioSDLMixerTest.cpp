#include "vorn/tasks/CTaskAudioSDLMixer.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "EngineFixture.h"
#include "vorn/input/CEventBridge.h"
#include "vorn/tasks/audio/AudioTestSupport.h"
#include "vorn/tasks/audio/CSDLMixerEffectData.h"
#include "vorn/tasks/audio/CSDLMixerEffectManager.h"
#include "vorn/tasks/audio/CSDLMixerMusicData.h"
#include "vorn/tasks/audio/CSDLMixerMusicManager.h"

using namespace vorn;
using testing_support::CScopedEnv;
using testing_support::MakeWav;

namespace {

using Clock = std::chrono::steady_clock;

size_t CountOf(const std::string& text, const std::string& needle) {
    size_t count = 0;
    for (size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1))
        ++count;
    return count;
}

// Open file descriptors of this process.
size_t OpenFileCount() {
    size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd"))
        ++count;
    return count;
}

// Polls until done() or the time is up; true when done.
template <class Done>
bool WaitFor(Done done, int milliseconds = 2000) {
    const auto end = Clock::now() + std::chrono::milliseconds(milliseconds);
    while (!done()) {
        if (Clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

// What a recording of the "disk" driver holds.
struct Recording {
    size_t samples = 0;
    int peak = 0;
    // Sign changes per second between the first and the last loud sample.
    double crossingsPerSecond = 0;
};

Recording Analyse(const std::string& bytes, int sampleRate) {
    Recording result;
    result.samples = bytes.size() / 2;
    std::vector<int> samples(result.samples);
    for (size_t i = 0; i < result.samples; ++i) {
        samples[i] = static_cast<int16_t>(static_cast<uint8_t>(bytes[2 * i]) |
                                          (static_cast<uint8_t>(bytes[2 * i + 1]) << 8));
        result.peak = std::max(result.peak, std::abs(samples[i]));
    }
    const int loud = result.peak / 4;
    auto first =
        std::find_if(samples.begin(), samples.end(), [&](int s) { return std::abs(s) > loud; });
    auto last =
        std::find_if(samples.rbegin(), samples.rend(), [&](int s) { return std::abs(s) > loud; });
    if (result.peak == 0 || first == samples.end()) return result;
    const size_t from = first - samples.begin();
    const size_t to = samples.size() - 1 - (last - samples.rbegin());
    int crossings = 0;
    for (size_t i = from + 1; i <= to; ++i) {
        if ((samples[i - 1] < 0) != (samples[i] < 0)) ++crossings;
    }
    if (to > from)
        result.crossingsPerSecond = crossings * static_cast<double>(sampleRate) / (to - from);
    return result;
}

class AudioTaskTest : public testing_support::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        ASSERT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u) << "an earlier test left SDL audio running";
        Factory()->RegisterTaskLibrary("sdl_mixer", &RegisterSdlMixerTaskLibrary);
        Run("taskload(sdl_mixer)");
        Dir().WriteFile("tone.wav", MakeWav(22050, 1, 300));
        Dir().WriteFile("long.wav", MakeWav(22050, 1, 3000));
    }
    void TearDown() override {
        EngineTest::TearDown();
        EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u) << "stopping the task closes SDL audio";
        EXPECT_EQ(CSDLMixerEffectData::Count(), 0u);
        EXPECT_EQ(CSDLMixerMusicData::Count(), 0u);
    }

    // Starts the type "audio" under name with the given start-up parameters.
    CTaskAudioSDLMixer* Start(const std::string& name = "Audio", const std::string& params = "") {
        EXPECT_EQ(
            Run("starttask(audio, " + name + ", 10" + (params.empty() ? "" : ", ") + params + ")"),
            "audio started");
        return dynamic_cast<CTaskAudioSDLMixer*>(Factory()->FindTask(name));
    }
    void Stop(const std::string& name) {
        Run("stoptask(" + name + ")");
        Kernel()->RunPass();
    }
    // A line for the task named Audio.
    std::string Audio(const std::string& line) { return Run("Audio::" + line); }
    bool LogHas(const std::string& text) const { return Log().find(text) != std::string::npos; }

    // Runs a task on the "disk" driver with the given lines, lets the mixer
    // play until it is silent, stops the task and returns what was written.
    Recording RecordOnDisk(const std::string& name, const std::vector<std::string>& lines) {
        const std::string file = (Dir().Path() / (name + ".raw")).string();
        Recording result;
        {
            CScopedEnv driver("SDL_AUDIODRIVER", "disk");
            CScopedEnv output("SDL_DISKAUDIOFILE", file);
            CScopedEnv delay("SDL_DISKAUDIODELAY", "5");  // about 9 times faster than real time
            CTaskAudioSDLMixer* task = Start(name, "22050, S16LSB, 1, 1024, 8");
            EXPECT_TRUE(task && task->IsDeviceOpen());
            for (const std::string& line : lines)
                EXPECT_EQ(Run(name + "::" + line), "");
            std::this_thread::sleep_for(std::chrono::milliseconds(60));
            EXPECT_TRUE(WaitFor([] { return Mix_Playing(-1) == 0 && Mix_PlayingMusic() == 0; }));
            Stop(name);  // closes the device, which closes the file
        }
        return Analyse(testing_support::ReadFile(file), 22050);
    }
};

TEST_F(AudioTaskTest, OpensTheDeviceWithDefaultsAndLogsEachStep) {
    CTaskAudioSDLMixer* task = Start();
    ASSERT_NE(task, nullptr);
    EXPECT_TRUE(task->IsDeviceOpen());
    EXPECT_TRUE(task->PausesOnFocusLoss());
    EXPECT_EQ(Kernel()->GetRunningList().size(), 1u);
    ASSERT_NE(task->GetMusicManager(), nullptr);
    EXPECT_EQ(task->GetMusicManager()->GetState(), CSDLMixerMusicManager::STATE_STOPPED);
    EXPECT_EQ(task->GetMusicManager()->GetFadeTime(), 3000);
    EXPECT_TRUE(task->GetMusicManager()->GetFade());
    EXPECT_EQ(Mix_AllocateChannels(-1), 8);

    int frequency = 0;
    Uint16 format = 0;
    int channels = 0;
    EXPECT_EQ(Mix_QuerySpec(&frequency, &format, &channels), 1);
    EXPECT_EQ(frequency, 22050);
    EXPECT_EQ(format, AUDIO_S16LSB);
    EXPECT_EQ(channels, 2);

    const std::string log = Log();
    const char* const lines[] = {
        "( ) Initializing audio [OK]\n( ) Initializing mixer API\n",
        "( )   Compiled with SDL_mixer version: 1.2.",
        "( )   Running with SDL_mixer version: 1.2.",
        "( )   Opening audio device with frequency: 22050Hz, format: S16LSB, channels: 2, "
        "chunksize: 1024\t[OK]\n",
        "( )   Audio device opened 1 times  with parameters frequency: 22050Hz, format: S16LSB, "
        "channels: 2\n",
        "( )   Using audiodriver: dummy\n",
        "( )   Number of audio channels allocated 8\n",
        "( ) Mixer API initialized succesfully\n( ) \n",
    };
    size_t at = 0;
    for (const char* line : lines) {
        const size_t found = log.find(line, at);
        EXPECT_NE(found, std::string::npos) << "missing or out of order: " << line;
        if (found != std::string::npos) at = found;
    }
    EXPECT_FALSE(LogHas("Ogg Vorbis files cannot be played"));
    EXPECT_FALSE(LogHas("(!)")) << log;
}

TEST_F(AudioTaskTest, StartUpParametersChooseTheDevice) {
    CTaskAudioSDLMixer* task = Start("Audio", "44100.9, S8, 1, 512, 16");
    ASSERT_TRUE(task && task->IsDeviceOpen());
    int frequency = 0;
    Uint16 format = 0;
    int channels = 0;
    Mix_QuerySpec(&frequency, &format, &channels);
    EXPECT_EQ(frequency, 44100) << "numbers are truncated";
    EXPECT_EQ(format, AUDIO_S8);
    EXPECT_EQ(channels, 1);
    EXPECT_EQ(task->GetChunkSize(), 512);
    EXPECT_EQ(Mix_AllocateChannels(-1), 16);
    EXPECT_TRUE(LogHas("frequency: 44100Hz, format: S8, channels: 1, chunksize: 512\t[OK]"));
    EXPECT_FALSE(LogHas("(!)"));
}

TEST_F(AudioTaskTest, WrongTypesKeepTheDefaultsWithAWarningEach) {
    CTaskAudioSDLMixer* task = Start("Audio", "fast, S24, stereo, big, many");
    ASSERT_TRUE(task && task->IsDeviceOpen());
    EXPECT_EQ(task->GetFrequency(), 22050);
    EXPECT_EQ(task->GetFormat(), AUDIO_S16LSB);
    EXPECT_EQ(task->GetChannels(), 2);
    EXPECT_EQ(task->GetChunkSize(), 1024);
    EXPECT_EQ(Mix_AllocateChannels(-1), 8);
    for (const char* warning :
         {"(!) Audio 1st start-up parameter (frequency) is of wrong type, should be a number\n",
          "(!) Audio 2nd start-up parameter (format) is of wrong type, should be a string\n",
          "(!) Audio 3rd start-up parameter (num_of_channels) is of wrong type, should be a "
          "number (1 = mono, 2 = stereo)\n",
          "(!) Audio 4th start-up parameter (chunk_size) is of wrong type, should be a number\n",
          "(!) Audio 5th start-up parameter (number_of_audio_channels) is of wrong type, should "
          "be a number\n"}) {
        EXPECT_TRUE(LogHas(warning)) << warning;
    }
    Stop("Audio");

    // A number for the format is refused too; fewer parameters leave the rest alone.
    task = Start("Second", "11025, 16");
    ASSERT_TRUE(task && task->IsDeviceOpen());
    EXPECT_EQ(task->GetFrequency(), 11025);
    EXPECT_EQ(task->GetFormat(), AUDIO_S16LSB);
    EXPECT_TRUE(LogHas("(!) Second 2nd start-up parameter (format) is of wrong type"));
    EXPECT_FALSE(LogHas("Second 3rd"));
}

TEST_F(AudioTaskTest, AbsurdStartUpValuesAreRefusedAndTheDeviceStillOpens) {
    const auto started = Clock::now();
    CTaskAudioSDLMixer* task = Start("Low", "0, S16LSB, 0, 0, 100000");
    ASSERT_TRUE(task && task->IsDeviceOpen());
    EXPECT_EQ(task->GetFrequency(), 22050);
    EXPECT_EQ(task->GetChannels(), 2);
    EXPECT_EQ(task->GetChunkSize(), 1024);
    EXPECT_EQ(Mix_AllocateChannels(-1), 8);
    Stop("Low");
    task = Start("High", "10000000, U8, 3, 100000, 0");
    ASSERT_TRUE(task && task->IsDeviceOpen());
    EXPECT_EQ(task->GetFrequency(), 22050);
    EXPECT_EQ(task->GetFormat(), AUDIO_U8);
    EXPECT_EQ(task->GetChannels(), 2);
    EXPECT_EQ(task->GetChunkSize(), 1024);
    EXPECT_EQ(Mix_AllocateChannels(-1), 8);
    Stop("High");
    task = Start("Negative", "-44100, S16LSB, -2, -1024, -8");
    ASSERT_TRUE(task && task->IsDeviceOpen());
    EXPECT_EQ(task->GetChunkSize(), 1024);
    Stop("Negative");
    EXPECT_LT(Clock::now() - started, std::chrono::seconds(2));

    for (const char* warning :
         {"(!) Low 1st start-up parameter (frequency) 0 is out of range (1000 to 192000), "
          "using 22050\n",
          "(!) Low 3rd start-up parameter (num_of_channels) 0 is out of range (1 to 6), using 2\n",
          "(!) Low 4th start-up parameter (chunk_size) 0 is out of range (256 to 32768), using "
          "1024\n",
          "(!) Low 5th start-up parameter (number_of_audio_channels) 100000 is out of range (1 "
          "to 256), using 8\n",
          "(!) High 1st start-up parameter (frequency) 1e+07 is out of range",
          "(!) High 3rd start-up parameter (num_of_channels) 3 is not supported (1, 2, 4 or 6), "
          "using 2\n",
          "(!) High 4th start-up parameter (chunk_size) 100000 is out of range",
          "(!) High 5th start-up parameter (number_of_audio_channels) 0 is out of range",
          "(!) Negative 1st start-up parameter (frequency) -44100 is out of range",
          "(!) Negative 5th start-up parameter (number_of_audio_channels) -8 is out of range"}) {
        EXPECT_TRUE(LogHas(warning)) << warning;
    }
}

TEST_F(AudioTaskTest, WithoutADeviceTheTaskIsParkedAndCommandsAreIgnored) {
    CTaskAudioSDLMixer* task = nullptr;
    {
        // SDL starts its audio part without any driver; opening the device fails.
        CScopedEnv driver("SDL_AUDIODRIVER", "no_such_driver");
        task = Start();
        ASSERT_NE(task, nullptr);
        EXPECT_FALSE(task->IsDeviceOpen());
        EXPECT_EQ(task->GetMusicManager(), nullptr);
    }
    EXPECT_TRUE(Kernel()->GetRunningList().empty());
    const auto& parked = Kernel()->GetPausedList();
    EXPECT_NE(std::find(parked.begin(), parked.end(), task), parked.end());
    EXPECT_TRUE(LogHas("( ) Initializing audio [OK]\n"));
    EXPECT_TRUE(
        LogHas("chunksize: 1024\t[failed]\n"
               "<!> Mix_OpenAudio failed with parameters frequency: 22050Hz, format: "
               "S16LSB, channels: 2, chunksize: 1024\n"
               "<!> Error description: No available audio device\n"));
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);

    // Sound frames and scripts carry on; one warning says why nothing is heard.
    EXPECT_EQ(Audio("PlayEffect(tone.wav)"), "");
    EXPECT_EQ(Run("Audio::PlayEffect( \"tone.wav\" );"), "\n");
    EXPECT_EQ(Audio("PlayMusic(tone.wav)"), "");
    EXPECT_EQ(CountOf(Log(), "(!) Audio has no sound device; its sound commands are ignored\n"),
              1u);
    EXPECT_FALSE(LogHas("Sorry the namespace"));
    EXPECT_EQ(CSDLMixerEffectData::Count(), 0u);

    // Resumed by hand, losing and gaining focus: still silent and whole.
    Run("resumetask(Audio)");
    Kernel()->RunPass();
    CEventBridge::GetSingleton()->OnFocus(false);
    CEventBridge::GetSingleton()->OnFocus(true);
    Kernel()->RunPass();
    Stop("Audio");
}

TEST_F(AudioTaskTest, AFailingOpenIsLoggedWithItsParameters) {
    {
        CScopedEnv driver("SDL_AUDIODRIVER", "disk");
        CScopedEnv output("SDL_DISKAUDIOFILE", (Dir().Path() / "no/such/folder/out.raw").string());
        CTaskAudioSDLMixer* task = Start("Audio", "11025, U8, 1, 512, 4");
        ASSERT_NE(task, nullptr);
        EXPECT_FALSE(task->IsDeviceOpen());
    }
    EXPECT_TRUE(Kernel()->GetRunningList().empty());
    EXPECT_TRUE(
        LogHas("( )   Opening audio device with frequency: 11025Hz, format: U8, channels: "
               "1, chunksize: 512\t[failed]\n"
               "<!> Mix_OpenAudio failed with parameters frequency: 11025Hz, format: U8, "
               "channels: 1, chunksize: 512\n"
               "<!> Error description: "));
    EXPECT_FALSE(LogHas("Mixer API initialized"));
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u) << "the subsystem is not left half open";
    EXPECT_EQ(Audio("PlayEffect(tone.wav)"), "");
}

TEST_F(AudioTaskTest, MisusedCommandsWarnAndDoNothing) {
    CTaskAudioSDLMixer* task = Start();
    ASSERT_TRUE(task && task->IsDeviceOpen());
    const char* const lines[] = {
        "PlayMusic",
        "PlayMusic()",
        "PlayMusic(5)",
        "PlayMusicFadeIn",
        "PlayMusicFadeIn(7, 100)",
        "StopMusicFadeOut",
        "StopMusicFadeOut()",
        "StopMusicFadeOut(slow)",
        "PlayEffect",
        "PlayEffect()",
        "PlayEffect(1.5)",
        "PreloadEffect",
        "PreloadEffect(2)",
        "SetMusicVolume",
        "SetMusicVolume(loud)",
        "SetEffectVolume()",
        "SetEffectVolume(quiet)",
    };
    for (const char* line : lines)
        EXPECT_EQ(Audio(line), "") << line;
    const std::string log = Log();
    const std::pair<const char*, size_t> warnings[] = {
        {"(!) PlayMusic -command requires atleast one parameter\n", 2},
        {"(!) PlayMusic -command the 1st parameter is of wrong type, should be string\n", 1},
        {"(!) PlayMusicFadeIn -command requires atleast one parameter\n", 1},
        {"(!) PlayMusicFadeIn -command the 1st parameter is of wrong type, should be string\n", 1},
        {"(!) StopMusicFadeOut -command requires atleast one parameter\n", 2},
        {"(!) StopMusicFadeOut -command the 1st parameter is of wrong type, should be number\n", 1},
        {"(!) PlayEffect -command requires atleast one parameter\n", 2},
        {"(!) PlayEffect -command the 1st parameter is of wrong type, should be string\n", 1},
        {"(!) PreloadEffect -command requires atleast one parameter\n", 1},
        {"(!) PreloadEffect -command the 1st parameter is of wrong type, should be string\n", 1},
        {"(!) SetMusicVolume -command requires atleast one parameter\n", 1},
        {"(!) SetMusicVolume -command the 1st parameter is of wrong type, should be number\n", 1},
        {"(!) SetEffectVolume -command requires atleast one parameter\n", 1},
        {"(!) SetEffectVolume -command the 1st parameter is of wrong type, should be number\n", 1},
    };
    for (const auto& [warning, count] : warnings)
        EXPECT_EQ(CountOf(log, warning), count) << warning;
    EXPECT_EQ(CountOf(log, "(!)"), 17u) << log;
    CSDLMixerMusicManager* music = task->GetMusicManager();
    EXPECT_EQ(music->GetState(), CSDLMixerMusicManager::STATE_STOPPED);
    EXPECT_TRUE(music->GetFade());
    EXPECT_EQ(music->GetFadeTime(), 3000) << "a refused fade command changes nothing";
    EXPECT_EQ(CSDLMixerMusicData::Count() + CSDLMixerEffectData::Count(), 0u);

    // Commands are case-insensitive like every console name; parameters of
    // StopMusic are reported but it still runs.
    EXPECT_EQ(Audio("playmusic(long.wav)"), "");
    EXPECT_EQ(music->GetState(), CSDLMixerMusicManager::STATE_PLAYING);
    EXPECT_EQ(Audio("StopMusic(now)"), "");
    EXPECT_TRUE(LogHas("(!) StopMusic -command, no parameters needed\n"));
    EXPECT_EQ(music->GetState(), CSDLMixerMusicManager::STATE_STOPPED);
}

TEST_F(AudioTaskTest, EffectsAreCachedWhilePlayingAndFreedWhenAllChannelsAreSilent) {
    Dir().WriteFile("short.wav", MakeWav(22050, 1, 20));
    Dir().WriteFile("kept.wav", MakeWav(22050, 2, 50));
    CTaskAudioSDLMixer* task = Start();
    ASSERT_TRUE(task && task->IsDeviceOpen());
    CSDLMixerEffectManager* effects = task->GetEffectManager();

    Audio("PlayEffect(tone.wav)");
    Audio("PlayEffect(\"tone.wav\")");
    EXPECT_EQ(CSDLMixerEffectData::Count(), 1u);
    EXPECT_EQ(CountOf(Log(), "(d) new CSDLMixerEffectData( tone.wav ) \n"), 1u);
    EXPECT_EQ(Mix_Playing(-1), 2);
    EXPECT_TRUE(effects->HasPlayed());
    Kernel()->RunPass();
    EXPECT_EQ(CSDLMixerEffectData::Count(), 1u) << "kept while channels play";

    Audio("PreloadEffect(kept.wav)");
    Audio("PreloadEffect(kept.wav)");
    EXPECT_EQ(CountOf(Log(), "new CSDLMixerEffectData( kept.wav )"), 1u);
    Mix_HaltChannel(-1);
    Kernel()->RunPass();
    ASSERT_EQ(CSDLMixerEffectData::Count(), 1u) << "only the preloaded effect stays";
    EXPECT_NE(CSDLMixerEffectData::Find("kept.wav"), nullptr);
    EXPECT_EQ(CountOf(Log(), "(d) freed CSDLMixerEffectData\n"), 1u);
    EXPECT_FALSE(effects->HasPlayed());

    // A real, short effect: freed once the mixer has played it to the end.
    Audio("PlayEffect(short.wav)");
    EXPECT_EQ(CSDLMixerEffectData::Count(), 2u);
    EXPECT_TRUE(WaitFor([] {
        CKernel::GetSingleton()->RunPass();
        return CSDLMixerEffectData::Count() == 1;
    }));
    Audio("PlayEffect(kept.wav)");
    EXPECT_EQ(CountOf(Log(), "new CSDLMixerEffectData( kept.wav )"), 1u) << "preloaded: no reload";

    // More effects than channels: the ninth is refused with a warning.
    for (int i = 0; i < 9; ++i)
        Audio("PlayEffect(long.wav)");
    EXPECT_TRUE(LogHas("(!) Could not play the effect: long.wav\n(!) SDL_Mixer says: "));
}

TEST_F(AudioTaskTest, MusicFadesInFirstThenFadesOnlyAfterAFadeCommand) {
    CTaskAudioSDLMixer* task = Start();
    ASSERT_TRUE(task && task->IsDeviceOpen());
    CSDLMixerMusicManager* music = task->GetMusicManager();

    Audio("PlayMusic(long.wav)");
    EXPECT_EQ(Mix_FadingMusic(), MIX_FADING_IN) << "the first play fades in";
    EXPECT_FALSE(music->GetFade());
    EXPECT_EQ(music->GetState(), CSDLMixerMusicManager::STATE_PLAYING);
    Audio("PlayMusic(long.wav)");
    EXPECT_EQ(Mix_FadingMusic(), MIX_NO_FADING);
    Audio("StopMusic");
    EXPECT_EQ(Mix_PlayingMusic(), 0) << "without the fade flag the music halts at once";

    Audio("PlayMusic(long.wav)");
    Audio("StopMusicFadeOut(2000)");
    EXPECT_EQ(Mix_FadingMusic(), MIX_FADING_OUT);
    EXPECT_EQ(music->GetState(), CSDLMixerMusicManager::STATE_STOPPED);
    EXPECT_TRUE(music->GetFade()) << "the flag stays set after a stop";
    EXPECT_EQ(music->GetFadeTime(), 2000);

    // A new track does not wait for the fade-out to end; it fades in.
    const auto before = Clock::now();
    Audio("PlayMusic(tone.wav)");
    EXPECT_LT(Clock::now() - before, std::chrono::milliseconds(300));
    EXPECT_EQ(Mix_FadingMusic(), MIX_FADING_IN);
    EXPECT_FALSE(music->GetFade());

    Audio("PlayMusicFadeIn(long.wav)");
    EXPECT_TRUE(LogHas(
        "(!) PlayMusicFadeIn -command the 2nd parameter is of wrong type, should be a number\n"));
    EXPECT_EQ(music->GetFadeTime(), 1000);
    EXPECT_EQ(Mix_FadingMusic(), MIX_FADING_IN);
    Audio("PlayMusicFadeIn(tone.wav, 250.7)");
    EXPECT_EQ(music->GetFadeTime(), 250);

    // Absurd fade times neither hang nor overflow.
    Audio("StopMusicFadeOut(-5)");
    EXPECT_EQ(music->GetFadeTime(), 0);
    EXPECT_EQ(Mix_PlayingMusic(), 0) << "a fade of 0 halts";
    Audio("PlayMusicFadeIn(tone.wav, 99999999999999)");
    EXPECT_EQ(music->GetFadeTime(), 600000);
    Audio("StopMusicFadeOut(99999999999999)");
    Audio("PlayMusic(long.wav)");
    EXPECT_EQ(music->GetState(), CSDLMixerMusicManager::STATE_PLAYING);
}

TEST_F(AudioTaskTest, MusicIsCachedByNameAndAReplacedTrackIsFreed) {
    CTaskAudioSDLMixer* task = Start();
    ASSERT_TRUE(task && task->IsDeviceOpen());
    Audio("PlayMusic(long.wav)");
    Audio("PlayMusic(long.wav)");
    EXPECT_EQ(CountOf(Log(), "(d) new CSDLMixerMusicData( long.wav ) \n"), 1u);
    EXPECT_EQ(CSDLMixerMusicData::Count(), 1u);
    Audio("PlayMusic(tone.wav)");
    EXPECT_EQ(CSDLMixerMusicData::Count(), 1u);
    EXPECT_EQ(CountOf(Log(), "(d) freed CSDLMixerMusicData\n"), 1u);
    ASSERT_NE(task->GetMusicManager()->GetCurrent(), nullptr);
    EXPECT_EQ(task->GetMusicManager()->GetCurrent()->GetFileName(), "tone.wav");

    // A track that fails to load leaves the current one playing.
    Audio("PlayMusic(missing.wav)");
    EXPECT_TRUE(LogHas("<!> Could not load music-file  missing.wav\n<!> SDL_Mixer says: "));
    EXPECT_EQ(task->GetMusicManager()->GetCurrent()->GetFileName(), "tone.wav");
    EXPECT_EQ(CSDLMixerMusicData::Count(), 1u);
    EXPECT_EQ(Mix_PlayingMusic(), 1);
}

TEST_F(AudioTaskTest, UpdateRestartsMusicThatHasEnded) {
    Dir().WriteFile("short.wav", MakeWav(22050, 1, 40));
    CTaskAudioSDLMixer* task = Start();
    ASSERT_TRUE(task && task->IsDeviceOpen());
    Audio("PlayMusicFadeIn(short.wav, 0)");
    ASSERT_EQ(Mix_PlayingMusic(), 1);
    // No updates meanwhile: the mixer plays the track to its end.
    EXPECT_TRUE(WaitFor([] { return Mix_PlayingMusic() == 0; }));
    Kernel()->RunPass();
    EXPECT_EQ(Mix_PlayingMusic(), 1) << "looped by Update";
    EXPECT_EQ(CountOf(Log(), "new CSDLMixerMusicData( short.wav )"), 1u) << "from the cache";

    // A stopped track is not restarted.
    Audio("StopMusic");
    Kernel()->RunPass();
    EXPECT_EQ(Mix_PlayingMusic(), 0);
}

TEST_F(AudioTaskTest, ToggleAndTaskPausesNest) {
    CTaskAudioSDLMixer* task = Start();
    ASSERT_TRUE(task && task->IsDeviceOpen());
    CSDLMixerMusicManager* music = task->GetMusicManager();

    Audio("ToggleMusic");
    EXPECT_EQ(music->GetState(), CSDLMixerMusicManager::STATE_STOPPED) << "nothing to toggle";
    Audio("PlayMusic(long.wav)");
    Audio("ToggleMusic()");
    EXPECT_EQ(music->GetState(), CSDLMixerMusicManager::STATE_PAUSED);
    EXPECT_EQ(Mix_PausedMusic(), 1);

    task->OnPause();
    task->OnPause();
    EXPECT_EQ(music->GetPauseCount(), 3);
    task->OnResume();
    task->OnResume();
    EXPECT_EQ(Mix_PausedMusic(), 1) << "the toggle's pause still holds";
    Audio("ToggleMusic");
    EXPECT_EQ(Mix_PausedMusic(), 0);
    EXPECT_EQ(music->GetState(), CSDLMixerMusicManager::STATE_PLAYING);
    Kernel()->RunPass();
    EXPECT_EQ(Mix_PlayingMusic(), 1);

    // Playing while paused releases one pause.
    Audio("ToggleMusic");
    Audio("PlayMusic(tone.wav)");
    EXPECT_EQ(music->GetState(), CSDLMixerMusicManager::STATE_PLAYING);
    EXPECT_EQ(Mix_PausedMusic(), 0);
}

TEST_F(AudioTaskTest, LosingFocusPausesMusicAndEffectsUntilItReturns) {
    CTaskAudioSDLMixer* task = Start();
    ASSERT_TRUE(task && task->IsDeviceOpen());
    CSDLMixerMusicManager* music = task->GetMusicManager();
    Audio("PlayMusic(long.wav)");
    Audio("PlayEffect(long.wav)");

    CEventBridge::GetSingleton()->OnFocus(false);
    EXPECT_EQ(Kernel()->GetFocusPausedList().size(), 1u);
    EXPECT_EQ(music->GetState(), CSDLMixerMusicManager::STATE_PAUSED);
    EXPECT_EQ(Mix_PausedMusic(), 1);
    EXPECT_EQ(Mix_Paused(-1), 1);
    CEventBridge::GetSingleton()->OnFocus(true);
    EXPECT_EQ(music->GetState(), CSDLMixerMusicManager::STATE_PLAYING);
    EXPECT_EQ(Mix_PausedMusic(), 0);
    EXPECT_EQ(Mix_Paused(-1), 0);

    // Toggled off before the focus goes: still off when it comes back.
    Audio("ToggleMusic");
    CEventBridge::GetSingleton()->OnFocus(false);
    EXPECT_EQ(music->GetPauseCount(), 2);
    CEventBridge::GetSingleton()->OnFocus(true);
    EXPECT_EQ(music->GetPauseCount(), 1);
    EXPECT_EQ(Mix_PausedMusic(), 1);

    // pausetask and resumetask act the same way.
    Audio("ToggleMusic");
    Run("pausetask(Audio)");
    EXPECT_EQ(Mix_PausedMusic(), 1);
    Run("resumetask(Audio)");
    EXPECT_EQ(Mix_PausedMusic(), 0);
}

TEST_F(AudioTaskTest, VolumeCommandsScaleMusicAndEffects) {
    CTaskAudioSDLMixer* task = Start();
    ASSERT_TRUE(task && task->IsDeviceOpen());
    EXPECT_EQ(Mix_VolumeMusic(-1), MIX_MAX_VOLUME);
    Audio("SetMusicVolume(50)");
    EXPECT_EQ(Mix_VolumeMusic(-1), 64);
    Audio("SetEffectVolume(25.9)");
    EXPECT_EQ(Mix_Volume(0, -1), 32);
    EXPECT_EQ(Mix_Volume(7, -1), 32);
    Audio("SetEffectVolume(150)");
    EXPECT_EQ(task->GetEffectManager()->GetVolume(), 100);
    Audio("SetMusicVolume(-3)");
    EXPECT_EQ(Mix_VolumeMusic(-1), 0);
    EXPECT_EQ(
        CountOf(Log(), "(!) SetEffectVolume -command the volume should be between 0 and 100\n"),
        1u);
    EXPECT_EQ(
        CountOf(Log(), "(!) SetMusicVolume -command the volume should be between 0 and 100\n"), 1u);
    Stop("Audio");
    // SDL_mixer remembers volumes across openings; a new task starts loud.
    Start("Again");
    EXPECT_EQ(Mix_VolumeMusic(-1), MIX_MAX_VOLUME);
}

TEST_F(AudioTaskTest, BadFilesAreReportedNeverCachedAndLeakNothing) {
    const std::string wav = MakeWav(22050, 1, 1000);
    Dir().WriteFile("empty.wav", "");
    Dir().WriteFile("text.wav", "This is a note, not a sound.\n");
    Dir().WriteFile("text.ogg", "OggS but nothing of a real stream follows here");
    Dir().WriteFile("header_only.wav", wav.substr(0, 20));
    Dir().WriteFile("short_data.wav", wav.substr(0, 144));
    std::string lying = wav.substr(0, 54);
    lying[40] = lying[41] = lying[42] = '\xF0';
    lying[43] = '\x7F';  // claims 2 GB of samples
    Dir().WriteFile("lying.wav", lying);
    std::string noise(4096, '\0');
    uint32_t state = 12345;
    for (char& c : noise) {
        state = state * 1103515245 + 12345;
        c = static_cast<char>(state >> 16);
    }
    Dir().WriteFile("noise.bin", noise);
    std::filesystem::create_directory(Dir().Path() / "folder.wav");
    const char* const unreadable[] = {"missing.wav",     "empty.wav", "text.wav",  "text.ogg",
                                      "header_only.wav", "noise.bin", "folder.wav"};
    const char* const truncated[] = {"short_data.wav", "lying.wav"};

    CTaskAudioSDLMixer* task = Start();
    ASSERT_TRUE(task && task->IsDeviceOpen());
    const auto play = [&](const std::string& file) {
        for (const char* command : {"PlayEffect", "PreloadEffect", "PlayMusic"})
            EXPECT_EQ(Audio(std::string(command) + "(\"" + file + "\")"), "");
        EXPECT_EQ(Audio("PlayMusicFadeIn(\"" + file + "\", 10)"), "");
        Kernel()->RunPass();
    };
    for (const char* file : unreadable)
        play(file);
    for (const char* file : truncated)
        play(file);
    const size_t files = OpenFileCount();
    for (int round = 0; round < 5; ++round) {
        for (const char* file : unreadable)
            play(file);
    }
    EXPECT_EQ(OpenFileCount(), files) << "no file left open by failed loads";

    for (const char* file : unreadable) {
        EXPECT_TRUE(LogHas(std::string("<!> Could not load effect-file  ") + file + "\n")) << file;
        EXPECT_TRUE(LogHas(std::string("<!> Could not load music-file  ") + file + "\n")) << file;
        EXPECT_EQ(CSDLMixerEffectData::Find(file), nullptr) << file;
        EXPECT_EQ(CSDLMixerMusicData::Find(file), nullptr) << file;
    }
    // Whatever the truncated files gave, the task still plays a good file.
    Audio("PlayEffect(tone.wav)");
    EXPECT_GE(Mix_Playing(-1), 1);
    Audio("PlayMusic(tone.wav)");
    EXPECT_EQ(Mix_PlayingMusic(), 1);
}

TEST_F(AudioTaskTest, SoundFramesReachTheTaskNamedAudio) {
    // Instance names are exact: a task named otherwise does not hear them.
    Start("audio");
    Run("Audio::PlayEffect( \"tone.wav\" );");
    EXPECT_EQ(Mix_Playing(-1), 0);
    EXPECT_EQ(CSDLMixerEffectData::Count(), 0u);
    EXPECT_TRUE(LogHas("Sorry the namespace or task Audio doesn't exist."));

    CTaskAudioSDLMixer* task = Start();
    ASSERT_TRUE(task && task->IsDeviceOpen());
    // The line a sound frame runs on the main console.
    EXPECT_EQ(Run("Audio::PlayEffect( \"tone.wav\" );"), "\n");
    EXPECT_EQ(Mix_Playing(-1), 1);
    ASSERT_NE(CSDLMixerEffectData::Find("tone.wav"), nullptr);
    EXPECT_EQ(Run("Audio::PlayEffect( \"folder/with;odd//name.wav\" );"), "\n");
    EXPECT_TRUE(LogHas("Could not load effect-file  folder/with;odd//name.wav\n"));
}

TEST_F(AudioTaskTest, TwoAudioTasksShareTheDeviceUntilTheLastStops) {
    Start("First");
    CTaskAudioSDLMixer* second = Start("Second");
    ASSERT_TRUE(second && second->IsDeviceOpen());
    int frequency = 0;
    Uint16 format = 0;
    int channels = 0;
    EXPECT_EQ(Mix_QuerySpec(&frequency, &format, &channels), 2);
    EXPECT_TRUE(LogHas("Audio device opened 2 times  with parameters"));
    Run("Second::PlayMusic(long.wav)");
    Run("Second::PlayEffect(long.wav)");

    // Stopping the first releases every sound of the one mixer, the second's too;
    // the second carries on and loads its track again.
    Run("stoptask(First)");
    EXPECT_EQ(Mix_QuerySpec(&frequency, &format, &channels), 1);
    EXPECT_NE(SDL_WasInit(SDL_INIT_AUDIO), 0u);
    EXPECT_EQ(second->GetMusicManager()->GetCurrent(), nullptr);
    EXPECT_EQ(Mix_PlayingMusic(), 0);
    Kernel()->RunPass();
    EXPECT_EQ(Mix_PlayingMusic(), 1);
    ASSERT_NE(second->GetMusicManager()->GetCurrent(), nullptr);
    EXPECT_EQ(CountOf(Log(), "new CSDLMixerMusicData( long.wav )"), 2u);
    Run("Second::PlayEffect(long.wav)");
    EXPECT_EQ(Mix_Playing(-1), 1);

    Stop("Second");
    EXPECT_EQ(Mix_QuerySpec(&frequency, &format, &channels), 0);
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
    EXPECT_EQ(CSDLMixerEffectData::Count(), 0u);
    // A stopped task swallows lines without a sound.
    EXPECT_EQ(Run("Second::PlayEffect(long.wav)"), "");
    EXPECT_EQ(CSDLMixerEffectData::Count(), 0u);
}

TEST_F(AudioTaskTest, TheDiskDriverRecordsWhatWasMixed) {
    std::filesystem::copy_file(MONSTERS_SOURCE_DIR "/tests/vorn/tasks/audio/tone.ogg",
                               Dir().Path() / "tone.ogg");

    const Recording silent = RecordOnDisk("Silent", {});
    EXPECT_GT(silent.samples, 1000u);
    EXPECT_EQ(silent.peak, 0);

    const Recording effect = RecordOnDisk("Effect", {"PlayEffect(tone.wav)"});
    EXPECT_GT(effect.peak, 11000);
    EXPECT_LT(effect.peak, 13000);
    EXPECT_NEAR(effect.crossingsPerSecond, 880, 60) << "a 440 Hz tone at the device's rate";

    const Recording quiet = RecordOnDisk("Quiet", {"SetEffectVolume(50)", "PlayEffect(tone.wav)"});
    EXPECT_GT(quiet.peak, 5500);
    EXPECT_LT(quiet.peak, 6500);

    const Recording oggEffect = RecordOnDisk("OggEffect", {"PlayEffect(tone.ogg)"});
    EXPECT_GT(oggEffect.peak, 8000);
    EXPECT_NEAR(oggEffect.crossingsPerSecond, 880, 60);

    const Recording oggMusic = RecordOnDisk("OggMusic", {"PlayMusicFadeIn(tone.ogg, 0)"});
    EXPECT_GT(oggMusic.peak, 8000);
    EXPECT_NEAR(oggMusic.crossingsPerSecond, 880, 60);
}

}  // namespace
