#include "vorn/tasks/CTaskAudioSDLMixer.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cmath>

#include "vorn/console/CLog.h"
#include "vorn/console/CVariable.h"
#include "vorn/tasks/CTaskFactory.h"
#include "vorn/tasks/audio/AudioFormat.h"
#include "vorn/tasks/audio/CSDLMixerCommands.h"
#include "vorn/tasks/audio/CSDLMixerEffectManager.h"
#include "vorn/tasks/audio/CSDLMixerMusicManager.h"

namespace vorn {

static_assert(CTaskAudioSDLMixer::DEFAULT_FORMAT == AUDIO_S16LSB);

namespace {

// Accepted start-up values. Outside them SDL either fails or misbehaves: a
// frequency of millions or a tiny chunk makes the mixing thread spin, sound
// files grow hundreds of times when converted, and a chunk size above 65535
// wraps to 0 in SDL's 16-bit field.
const int MIN_FREQUENCY = 1000;
const int MAX_FREQUENCY = 192000;
const int MIN_CHUNK_SIZE = 256;
const int MAX_CHUNK_SIZE = 32768;
const int MIN_MIXING_CHANNELS = 1;
const int MAX_MIXING_CHANNELS = 256;

bool IsSupportedChannelCount(int channels) {
    return channels == 1 || channels == 2 || channels == 4 || channels == 6;
}

// Asks SDL_mixer for its Ogg Vorbis decoder, once per process: Mix_Quit is
// never called, since SDL_mixer 1.2 frees a pointer twice when it runs a
// second time, and a decoder linked into the library has nothing to unload.
bool StartOggDecoder() {
    static const bool started = (Mix_Init(MIX_INIT_OGG) & MIX_INIT_OGG) != 0;
    return started;
}

std::string VersionText(const SDL_version& version) {
    return std::to_string(version.major) + "." + std::to_string(version.minor) + "." +
           std::to_string(version.patch);
}

}  // namespace

CTaskAudioSDLMixer::CTaskAudioSDLMixer() = default;

CTaskAudioSDLMixer::~CTaskAudioSDLMixer() {
    ReleaseSounds();
    CloseDevice();
}

CConsole* CTaskAudioSDLMixer::GetConsole() const {
    return myCommands ? myCommands->GetConsole() : nullptr;
}

bool CTaskAudioSDLMixer::Init(CVariableList* params) {
    if (params) ReadStartupParameters(*params);
    return Init();
}

void CTaskAudioSDLMixer::ReadNumberParameter(const CVariableList& params, size_t index,
                                             const char* label, const char* hint, int low, int high,
                                             int* value) {
    CLog* log = CLog::GetSingleton();
    if (!params.IsType(index, CVariable::TYPE_NUMBER)) {
        log->Warning() << GetName() << " " << label << " is of wrong type, should be a number"
                       << hint << "\n";
        return;
    }
    // Truncated toward zero, as the console converts numbers to integers.
    const double number = std::trunc(params.GetNumber(index));
    if (!(number >= low && number <= high)) {
        log->Warning() << GetName() << " " << label << " " << params.GetString(index)
                       << " is out of range (" << low << " to " << high << "), using " << *value
                       << "\n";
        return;
    }
    *value = static_cast<int>(number);
}

void CTaskAudioSDLMixer::ReadStartupParameters(const CVariableList& params) {
    const size_t count = params.Size();
    if (count > 0)
        ReadNumberParameter(params, 0, "1st start-up parameter (frequency)", "", MIN_FREQUENCY,
                            MAX_FREQUENCY, &myFrequency);
    if (count > 1) {
        const bool named = params.IsType(1, CVariable::TYPE_STRING) &&
                           AudioFormatFromName(params.GetString(1), &myFormat);
        if (!named)
            CLog::GetSingleton()->Warning()
                << GetName()
                << " 2nd start-up parameter (format) is of wrong type, should be a string\n";
    }
    if (count > 2) {
        int channels = myChannels;
        ReadNumberParameter(params, 2, "3rd start-up parameter (num_of_channels)",
                            " (1 = mono, 2 = stereo)", 1, 6, &channels);
        if (IsSupportedChannelCount(channels)) {
            myChannels = channels;
        } else {
            CLog::GetSingleton()->Warning()
                << GetName() << " 3rd start-up parameter (num_of_channels) " << channels
                << " is not supported (1, 2, 4 or 6), using " << myChannels << "\n";
        }
    }
    if (count > 3)
        ReadNumberParameter(params, 3, "4th start-up parameter (chunk_size)", "", MIN_CHUNK_SIZE,
                            MAX_CHUNK_SIZE, &myChunkSize);
    if (count > 4)
        ReadNumberParameter(params, 4, "5th start-up parameter (number_of_audio_channels)", "",
                            MIN_MIXING_CHANNELS, MAX_MIXING_CHANNELS, &myMixingChannels);
}

bool CTaskAudioSDLMixer::Init() {
    if (myDeviceOpen) return true;
    if (!OpenDevice()) return false;
    myMusic = std::make_unique<CSDLMixerMusicManager>();
    myEffects = std::make_unique<CSDLMixerEffectManager>();
    // SDL_mixer keeps volumes across openings: start from full volume.
    myMusic->SetVolume(100);
    myEffects->SetVolume(100);
    myCommands = std::make_unique<CSDLMixerCommands>(this);
    return true;
}

bool CTaskAudioSDLMixer::OpenDevice() {
    CLog* log = CLog::GetSingleton();
    const std::string formatName = AudioFormatName(myFormat);

    *log << "Initializing audio ";
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) < 0) {
        *log << "[failed]\n";
        log->Error() << "Initializing SDL_Audio didn't seem to work.\n";
        log->Error() << "Error description: " << SDL_GetError() << "\n";
        return false;
    }
    mySubsystemStarted = true;
    *log << "[OK]\n";
    *log << "Initializing mixer API\n";
    log->Indent();

    SDL_version compiled;
    SDL_MIXER_VERSION(&compiled);
    *log << "Compiled with SDL_mixer version: " << VersionText(compiled) << "\n";
    *log << "Running with SDL_mixer version: " << VersionText(*Mix_Linked_Version()) << "\n";
    if (!StartOggDecoder())
        log->Warning() << "Ogg Vorbis files cannot be played: " << Mix_GetError() << "\n";

    *log << "Opening audio device with frequency: " << myFrequency << "Hz, format: " << formatName
         << ", channels: " << myChannels << ", chunksize: " << myChunkSize << "\t";
    if (Mix_OpenAudio(myFrequency, myFormat, myChannels, myChunkSize) < 0) {
        *log << "[failed]\n";
        log->Outdent();
        log->Error() << "Mix_OpenAudio failed with parameters frequency: " << myFrequency
                     << "Hz, format: " << formatName << ", channels: " << myChannels
                     << ", chunksize: " << myChunkSize << "\n";
        log->Error() << "Error description: " << SDL_GetError() << "\n";
        CloseDevice();
        return false;
    }
    myDeviceOpen = true;
    *log << "[OK]\n";

    int frequency = 0;
    Uint16 format = 0;
    int channels = 0;
    const int times = Mix_QuerySpec(&frequency, &format, &channels);
    if (times != 0) {
        *log << "Audio device opened " << times
             << " times  with parameters frequency: " << frequency
             << "Hz, format: " << AudioFormatName(format) << ", channels: " << channels << "\n";
    } else {
        log->Warning() << "Error in executing Mix_QuerySpec: " << SDL_GetError() << "\n";
    }
    char driver[64] = "";
    if (!SDL_AudioDriverName(driver, sizeof(driver))) driver[0] = '\0';
    *log << "Using audiodriver: " << driver << "\n";
    *log << "Number of audio channels allocated " << myMixingChannels << "\n";
    Mix_AllocateChannels(myMixingChannels);
    log->Outdent();
    *log << "Mixer API initialized succesfully\n\n";
    return true;
}

void CTaskAudioSDLMixer::ReleaseSounds() {
    myCommands.reset();
    myMusic.reset();
    myEffects.reset();
}

void CTaskAudioSDLMixer::CloseDevice() {
    if (myDeviceOpen) {
        Mix_CloseAudio();
        myDeviceOpen = false;
    }
    if (!mySubsystemStarted) return;
    mySubsystemStarted = false;
    // Another audio task may still hold the device (SDL_mixer counts openings);
    // SDL's subsystem switch does not count, so leave it on for that one.
    int frequency = 0;
    Uint16 format = 0;
    int channels = 0;
    if (Mix_QuerySpec(&frequency, &format, &channels) != 0) return;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    // Only what this task started: the window task may still use SDL.
    if (SDL_WasInit(SDL_INIT_EVERYTHING) == 0) SDL_Quit();
}

void CTaskAudioSDLMixer::Update() {
    if (myMusic) myMusic->Update();
    if (myEffects) myEffects->Update();
}

void CTaskAudioSDLMixer::Exit() {
    ReleaseSounds();
    CloseDevice();
}

void CTaskAudioSDLMixer::OnPause() {
    if (myMusic) myMusic->Pause();
    if (myEffects) myEffects->Pause();
}

void CTaskAudioSDLMixer::OnResume() {
    if (myMusic) myMusic->Resume();
    if (myEffects) myEffects->Resume();
}

bool CTaskAudioSDLMixer::ExecuteNamespaceLine(const std::string& text) {
    if (myCommands) {
        myCommands->ExecuteLine(text);
    } else if (!myReportedSilence) {
        // Without a device the lines are swallowed, so that sound frames and
        // scripts do not fill the log with missing-namespace errors.
        myReportedSilence = true;
        CLog::GetSingleton()->Warning()
            << GetName() << " has no sound device; its sound commands are ignored\n";
    }
    return true;
}

void RegisterSdlMixerTaskLibrary(CTaskFactory& factory) {
    factory.RegisterTaskType<CTaskAudioSDLMixer>("audio");
}

}  // namespace vorn
