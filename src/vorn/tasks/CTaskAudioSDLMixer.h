#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "vorn/tasks/CTask.h"

namespace vorn {

class CConsole;
class CSDLMixerCommands;
class CSDLMixerEffectManager;
class CSDLMixerMusicManager;
class CTaskFactory;

// Task type "audio" of the task library "sdl_mixer": music and sound effects
// through SDL_mixer, driven by console lines such as
//
//   starttask(audio, Audio, 10, 22050, S16LSB, 2, 1024, 8)
//   Audio::PlayMusic("data/music/theme.ogg")
//   Audio::PlayEffect( "data/sfx/hit.wav" );
//
// Start-up parameters, all optional and positional: frequency (Hz), sample
// format ("U8", "S8", "U16LSB", "S16LSB", "U16MSB", "S16MSB"), output channels
// (1 mono, 2 stereo, 4 or 6), chunk size (samples per mixing buffer) and number
// of mixing channels. A value of the wrong type or out of range is reported
// and the default kept. The commands are listed in CSDLMixerCommands.h.
//
// Without a sound device Init() fails: the kernel parks the task, its console
// lines are accepted and ignored, and the rest of the engine runs silent.
// Animation sound frames reach the task under the instance name "Audio".
class CTaskAudioSDLMixer : public CTask {
public:
    static constexpr int DEFAULT_FREQUENCY = 22050;
    static constexpr uint16_t DEFAULT_FORMAT = 0x8010;  // AUDIO_S16LSB
    static constexpr int DEFAULT_CHANNELS = 2;
    static constexpr int DEFAULT_CHUNK_SIZE = 1024;
    static constexpr int DEFAULT_MIXING_CHANNELS = 8;

    CTaskAudioSDLMixer();
    // Releases what Exit() would, for a task deleted without being stopped.
    ~CTaskAudioSDLMixer() override;

    // Reads the start-up parameters, then opens the device.
    bool Init(CVariableList* params) override;
    // Opens the device; false (task parked) without one.
    bool Init() override;
    // Loops the music and frees the effects once all channels are silent.
    void Update() override;
    // Frees all sounds and closes the device.
    void Exit() override;
    // Pauses are counted: the music plays again after as many resumes.
    void OnPause() override;
    void OnResume() override;
    // Runs the text on the private console; always handled.
    bool ExecuteNamespaceLine(const std::string& text) override;
    bool PausesOnFocusLoss() const override { return myPausesOnFocusLoss; }

    // Null unless the device is open.
    CSDLMixerMusicManager* GetMusicManager() const { return myMusic.get(); }
    CSDLMixerEffectManager* GetEffectManager() const { return myEffects.get(); }
    CConsole* GetConsole() const;
    CConsole* GetCommandConsole() const override { return GetConsole(); }

    bool IsDeviceOpen() const { return myDeviceOpen; }
    // The parameters asked for (the device may use others; see the log).
    int GetFrequency() const { return myFrequency; }
    uint16_t GetFormat() const { return myFormat; }
    int GetChannels() const { return myChannels; }
    int GetChunkSize() const { return myChunkSize; }
    int GetMixingChannels() const { return myMixingChannels; }

private:
    void ReadStartupParameters(const CVariableList& params);
    // Reads a number parameter into value when it is a number within [low,
    // high]; otherwise warns ("<name> <label> is of wrong type ...<hint>").
    void ReadNumberParameter(const CVariableList& params, size_t index, const char* label,
                             const char* hint, int low, int high, int* value);
    bool OpenDevice();
    // Deletes the console and the managers with every sound they hold.
    void ReleaseSounds();
    // Undoes what OpenDevice did.
    void CloseDevice();

    std::unique_ptr<CSDLMixerMusicManager> myMusic;
    std::unique_ptr<CSDLMixerEffectManager> myEffects;
    std::unique_ptr<CSDLMixerCommands> myCommands;
    bool myPausesOnFocusLoss = true;
    int myFrequency = DEFAULT_FREQUENCY;
    uint16_t myFormat = DEFAULT_FORMAT;
    int myChannels = DEFAULT_CHANNELS;
    int myChunkSize = DEFAULT_CHUNK_SIZE;
    int myMixingChannels = DEFAULT_MIXING_CHANNELS;

    bool mySubsystemStarted = false;
    bool myDeviceOpen = false;
    // Lines arriving without a device are reported once.
    bool myReportedSilence = false;
};

// Registers the task types of the library "sdl_mixer": "audio".
void RegisterSdlMixerTaskLibrary(CTaskFactory& factory);

}  // namespace vorn
