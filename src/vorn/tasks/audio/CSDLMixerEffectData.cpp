#include "vorn/tasks/audio/CSDLMixerEffectData.h"

#include "vorn/console/CLog.h"

namespace vorn {

CSDLMixerEffectData::CSDLMixerEffectData(const std::string& fileName) : myFileName(fileName) {
    CLog* log = CLog::GetSingleton();
    log->Debug() << "new CSDLMixerEffectData( " << fileName << " ) \n";
    // Closed here rather than by the loader, so that no failure path of any
    // decoder can leave the file open.
    if (SDL_RWops* file = SDL_RWFromFile(fileName.c_str(), "rb")) {
        myChunk = Mix_LoadWAV_RW(file, 0);
        SDL_RWclose(file);
    }
    if (!myChunk) {
        log->Error() << "Could not load effect-file  " << fileName << "\n";
        log->Error() << "SDL_Mixer says: " << Mix_GetError() << "\n";
    }
}

CSDLMixerEffectData::~CSDLMixerEffectData() {
    CLog::GetSingleton()->Debug() << "freed CSDLMixerEffectData\n";
    if (myChunk) Mix_FreeChunk(myChunk);
}

CSDLMixerEffectData* CSDLMixerEffectData::Find(const std::string& fileName) {
    if (const auto* list = GetList()) {
        for (CAutoList<CSDLMixerEffectData>* entry : *list) {
            CSDLMixerEffectData* effect = Instance(entry);
            if (effect->myFileName == fileName) return effect;
        }
    }
    return nullptr;
}

void CSDLMixerEffectData::DestroyAll() {
    while (const auto* list = GetList())
        delete Instance(list->front());
}

size_t CSDLMixerEffectData::Count() {
    const auto* list = GetList();
    return list ? list->size() : 0;
}

}  // namespace vorn
