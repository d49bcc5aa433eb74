#include "vorn/tasks/audio/CSDLMixerMusicManager.h"

#include <SDL_mixer.h>

#include <algorithm>

#include "vorn/console/CLog.h"
#include "vorn/tasks/audio/CSDLMixerMusicData.h"

namespace vorn {

CSDLMixerMusicManager::CSDLMixerMusicManager() = default;

CSDLMixerMusicManager::~CSDLMixerMusicManager() {
    ReleaseAll();
}

void CSDLMixerMusicManager::ReleaseOnePause() {
    --myPauseCount;
    if (myPauseCount > 0) return;
    myPauseCount = 0;
    myState = STATE_PLAYING;
    Mix_ResumeMusic();
}

void CSDLMixerMusicManager::Play(const std::string& fileName) {
    if (myState == STATE_PAUSED) ReleaseOnePause();

    CSDLMixerMusicData* previous = GetCurrent();
    CSDLMixerMusicData* music = CSDLMixerMusicData::Find(fileName);
    if (!music) music = new CSDLMixerMusicData(fileName);
    if (!music->GetMusic()) {
        // Reported while loading; not worth caching.
        delete music;
        return;
    }

    // SDL_mixer waits for a fade-out to end before it starts a track, which
    // would freeze the engine for the rest of the fade: cut it short.
    if (Mix_FadingMusic() == MIX_FADING_OUT) Mix_HaltMusic();
    int result;
    if (myFade) {
        result = Mix_FadeInMusicPos(music->GetMusic(), 0, myFadeTime, 0.0);
        myFade = false;
    } else {
        result = Mix_PlayMusic(music->GetMusic(), 0);
    }

    if (result == 0) {
        myState = STATE_PLAYING;
    } else {
        CLog* log = CLog::GetSingleton();
        log->Warning() << "Could not play music: " << fileName << "\n";
        log->Warning() << "SDL_Mixer says: " << Mix_GetError() << "\n";
        // Not "playing": Update would retry, and warn, on every frame.
        myState = STATE_STOPPED;
    }

    if (previous && previous != music && !previous->IsKept()) delete previous;
    myCurrentName = fileName;
    myHasCurrent = true;
}

void CSDLMixerMusicManager::Stop() {
    if (myState == STATE_PLAYING) {
        if (myFade) {
            Mix_FadeOutMusic(myFadeTime);
        } else {
            Mix_HaltMusic();
        }
    }
    // A paused track stays paused, and silent, until the next play replaces it.
    myState = STATE_STOPPED;
}

void CSDLMixerMusicManager::Pause() {
    if (myState == STATE_PLAYING) {
        myPauseCount = 1;
        myState = STATE_PAUSED;
        Mix_PauseMusic();
    } else if (myState == STATE_PAUSED) {
        ++myPauseCount;
    }
}

void CSDLMixerMusicManager::Resume() {
    if (myState == STATE_PAUSED) ReleaseOnePause();
}

void CSDLMixerMusicManager::Toggle() {
    if (myState == STATE_PLAYING) {
        myPauseCount = 1;
        myState = STATE_PAUSED;
        Mix_PauseMusic();
    } else if (myState == STATE_PAUSED) {
        ReleaseOnePause();
    }
}

void CSDLMixerMusicManager::Update() {
    if (myState == STATE_PLAYING && myHasCurrent && !Mix_PlayingMusic()) {
        // Copy: Play assigns the name.
        const std::string fileName = myCurrentName;
        Play(fileName);
    }
}

void CSDLMixerMusicManager::ReleaseAll() {
    Mix_HaltMusic();
    myHasCurrent = false;
    myCurrentName.clear();
    myState = STATE_STOPPED;
    CSDLMixerMusicData::DestroyAll();
}

CSDLMixerMusicData* CSDLMixerMusicManager::GetCurrent() const {
    return myHasCurrent ? CSDLMixerMusicData::Find(myCurrentName) : nullptr;
}

void CSDLMixerMusicManager::SetVolume(int percent) {
    myVolume = std::clamp(percent, 0, 100);
    Mix_VolumeMusic(myVolume * MIX_MAX_VOLUME / 100);
}

}  // namespace vorn
