#pragma once

#include <SDL_mixer.h>

#include <string>

#include "vorn/utils/containers/CAutoList.h"

namespace vorn {

// One loaded music file. Every live instance is on a process-wide list, which
// is the music cache: the music manager finds a file's object there by name.
// Instances are created and deleted by the music manager, on the engine thread,
// while the mixer is open.
class CSDLMixerMusicData : public CAutoList<CSDLMixerMusicData> {
public:
    // Loads the file; on failure the handle stays null and the reason is logged.
    explicit CSDLMixerMusicData(const std::string& fileName);
    // Frees the handle (SDL_mixer halts it first when it is the music playing;
    // during a fade-out it waits for the fade to end, so halt that first).
    ~CSDLMixerMusicData();
    CSDLMixerMusicData(const CSDLMixerMusicData&) = delete;
    CSDLMixerMusicData& operator=(const CSDLMixerMusicData&) = delete;

    // The first live object loaded from fileName, or null.
    static CSDLMixerMusicData* Find(const std::string& fileName);
    // Deletes every live object.
    static void DestroyAll();
    // Number of live objects.
    static size_t Count();

    // Null when the file could not be loaded.
    Mix_Music* GetMusic() const { return myMusic; }
    const std::string& GetFileName() const { return myFileName; }
    // A kept object survives being replaced as the current music.
    bool IsKept() const { return myKeep; }
    void SetKept(bool keep) { myKeep = keep; }

private:
    Mix_Music* myMusic = nullptr;
    // The open file the music streams from; closed after the music is freed.
    SDL_RWops* myFile = nullptr;
    std::string myFileName;
    bool myKeep = false;
};

}  // namespace vorn
