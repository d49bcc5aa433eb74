#include "vorn/tasks/audio/CSDLMixerEffectManager.h"

#include <SDL_mixer.h>

#include <algorithm>
#include <vector>

#include "vorn/console/CLog.h"
#include "vorn/tasks/audio/CSDLMixerEffectData.h"

namespace vorn {

namespace {

// The cached object for the file, loading it when needed; null (and nothing
// cached) when the file cannot be loaded, which the loader has reported.
CSDLMixerEffectData* FindOrLoad(const std::string& fileName) {
    CSDLMixerEffectData* effect = CSDLMixerEffectData::Find(fileName);
    if (!effect) effect = new CSDLMixerEffectData(fileName);
    if (effect->GetChunk()) return effect;
    delete effect;
    return nullptr;
}

}  // namespace

CSDLMixerEffectManager::CSDLMixerEffectManager() = default;

CSDLMixerEffectManager::~CSDLMixerEffectManager() {
    ReleaseAll();
}

void CSDLMixerEffectManager::Play(const std::string& fileName) {
    CSDLMixerEffectData* effect = FindOrLoad(fileName);
    if (!effect) return;
    if (Mix_PlayChannelTimed(-1, effect->GetChunk(), 0, -1) == -1) {
        CLog* log = CLog::GetSingleton();
        log->Warning() << "Could not play the effect: " << fileName << "\n";
        log->Warning() << "SDL_Mixer says: " << Mix_GetError() << "\n";
    }
    myPlayed = true;
}

void CSDLMixerEffectManager::Preload(const std::string& fileName) {
    if (CSDLMixerEffectData* effect = FindOrLoad(fileName)) effect->SetKept(true);
}

void CSDLMixerEffectManager::Update() {
    if (!myPlayed || Mix_Playing(-1) != 0) return;
    myPlayed = false;
    const auto* list = CSDLMixerEffectData::GetList();
    if (!list) return;
    // Copy: deleting an object takes it off the list being walked.
    std::vector<CSDLMixerEffectData*> effects;
    for (auto* entry : *list)
        effects.push_back(CSDLMixerEffectData::Instance(entry));
    for (CSDLMixerEffectData* effect : effects) {
        if (!effect->IsKept()) delete effect;
    }
}

void CSDLMixerEffectManager::Pause() {
    Mix_Pause(-1);
}

void CSDLMixerEffectManager::Resume() {
    Mix_Resume(-1);
}

void CSDLMixerEffectManager::ReleaseAll() {
    Mix_HaltChannel(-1);
    CSDLMixerEffectData::DestroyAll();
    myPlayed = false;
}

void CSDLMixerEffectManager::SetVolume(int percent) {
    myVolume = std::clamp(percent, 0, 100);
    Mix_Volume(-1, myVolume * MIX_MAX_VOLUME / 100);
}

}  // namespace vorn
