#pragma once

#include <string>

namespace vorn {

class CSDLMixerMusicData;

// The one music track of the audio task. A track plays once; Update() starts
// it again when it has ended, so music loops. Loaded tracks are cached by file
// name (CSDLMixerMusicData's list); a replaced track is freed unless kept.
//
// Pauses nest: a pause by the task (window focus lost, pausetask) on music
// already paused raises the pause count, and the music is heard again only
// after as many resumes. ToggleMusic counts as one pause.
//
// Exists only while the mixer is open; engine thread only.
class CSDLMixerMusicManager {
public:
    enum State { STATE_PAUSED = 0, STATE_PLAYING = 1, STATE_STOPPED = 2 };

    static constexpr int DEFAULT_FADE_TIME = 3000;

    CSDLMixerMusicManager();
    // Halts the music and frees every cached track.
    ~CSDLMixerMusicManager();
    CSDLMixerMusicManager(const CSDLMixerMusicManager&) = delete;
    CSDLMixerMusicManager& operator=(const CSDLMixerMusicManager&) = delete;

    // Plays the file once, fading in over the fade time when the fade flag is
    // set (which this clears). Starting a track also lifts SDL_mixer's pause.
    // A file that cannot be loaded changes nothing; one that cannot be played
    // leaves the music stopped.
    void Play(const std::string& fileName);
    // Halts the music, or fades it out over the fade time when the fade flag
    // is set (the flag stays set).
    void Stop();
    // Playing -> paused; paused -> one pause less; stopped -> nothing.
    void Toggle();
    // The task's pause and resume.
    void Pause();
    void Resume();
    // Once per frame: restarts the current track when it has ended.
    void Update();
    // Halts the music and frees every cached track.
    void ReleaseAll();

    void SetFade(bool fade) { myFade = fade; }
    bool GetFade() const { return myFade; }
    void SetFadeTime(int milliseconds) { myFadeTime = milliseconds; }
    int GetFadeTime() const { return myFadeTime; }
    // Music volume in percent, 0 to 100 (clamped).
    void SetVolume(int percent);
    int GetVolume() const { return myVolume; }

    State GetState() const { return myState; }
    int GetPauseCount() const { return myPauseCount; }
    // The track playing, paused or last stopped; null before the first play
    // and after another audio task released every track.
    CSDLMixerMusicData* GetCurrent() const;

private:
    // One pause less; the music is heard again when none is left.
    void ReleaseOnePause();

    // The current track by name, not by pointer: the track cache is shared
    // with any other audio task, which may free it (and the mixer has one
    // music channel for all). Update then loads the track again.
    std::string myCurrentName;
    bool myHasCurrent = false;
    State myState = STATE_STOPPED;
    int myFadeTime = DEFAULT_FADE_TIME;
    // Set at start: the first track fades in.
    bool myFade = true;
    int myPauseCount = 0;
    int myVolume = 100;
};

}  // namespace vorn
