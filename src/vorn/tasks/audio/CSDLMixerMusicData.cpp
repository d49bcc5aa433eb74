#include "vorn/tasks/audio/CSDLMixerMusicData.h"

#include "vorn/console/CLog.h"

namespace vorn {

CSDLMixerMusicData::CSDLMixerMusicData(const std::string& fileName) : myFileName(fileName) {
    CLog* log = CLog::GetSingleton();
    log->Debug() << "new CSDLMixerMusicData( " << fileName << " ) \n";
    // The music streams from the file, which is opened and closed here:
    // Mix_LoadMUS leaves the file open when loading an empty one fails.
    myFile = SDL_RWFromFile(fileName.c_str(), "rb");
    if (myFile) {
        myMusic = Mix_LoadMUSType_RW(myFile, MUS_NONE, 0);
        if (!myMusic) {
            SDL_RWclose(myFile);
            myFile = nullptr;
        }
    }
    if (!myMusic) {
        log->Error() << "Could not load music-file  " << fileName << "\n";
        log->Error() << "SDL_Mixer says: " << Mix_GetError() << "\n";
    }
}

CSDLMixerMusicData::~CSDLMixerMusicData() {
    CLog::GetSingleton()->Debug() << "freed CSDLMixerMusicData\n";
    if (myMusic) Mix_FreeMusic(myMusic);
    if (myFile) SDL_RWclose(myFile);
}

CSDLMixerMusicData* CSDLMixerMusicData::Find(const std::string& fileName) {
    if (const auto* list = GetList()) {
        for (CAutoList<CSDLMixerMusicData>* entry : *list) {
            CSDLMixerMusicData* music = Instance(entry);
            if (music->myFileName == fileName) return music;
        }
    }
    return nullptr;
}

void CSDLMixerMusicData::DestroyAll() {
    // The list itself goes away with its last member.
    while (const auto* list = GetList())
        delete Instance(list->front());
}

size_t CSDLMixerMusicData::Count() {
    const auto* list = GetList();
    return list ? list->size() : 0;
}

}  // namespace vorn
