#pragma once

#include <string>

namespace vorn {

// The sound effects of the audio task, mixed on the mixer's channels. Loaded
// effects are cached by file name (CSDLMixerEffectData's list) while any
// channel plays; once every channel is silent, the effects not preloaded are
// freed.
//
// Exists only while the mixer is open; engine thread only.
class CSDLMixerEffectManager {
public:
    CSDLMixerEffectManager();
    // Halts every channel and frees every cached effect.
    ~CSDLMixerEffectManager();
    CSDLMixerEffectManager(const CSDLMixerEffectManager&) = delete;
    CSDLMixerEffectManager& operator=(const CSDLMixerEffectManager&) = delete;

    // Plays the file once on the first free channel. A file that cannot be
    // loaded changes nothing.
    void Play(const std::string& fileName);
    // Loads the file and keeps it cached for the life of the mixer.
    void Preload(const std::string& fileName);
    // Once per frame: frees the effects not preloaded when all channels are silent.
    void Update();
    // The task's pause and resume: all channels.
    void Pause();
    void Resume();
    // Halts every channel and frees every cached effect.
    void ReleaseAll();

    // Effect volume in percent, 0 to 100 (clamped), for every channel.
    void SetVolume(int percent);
    int GetVolume() const { return myVolume; }
    // True from a play until the clean-up after it.
    bool HasPlayed() const { return myPlayed; }

private:
    bool myPlayed = false;
    int myVolume = 100;
};

}  // namespace vorn
