#pragma once

#include <SDL_mixer.h>

#include <string>

#include "vorn/utils/containers/CAutoList.h"

namespace vorn {

// One loaded sound effect. Every live instance is on a process-wide list, which
// is the effect cache: the effect manager finds a file's object there by name.
// Instances are created and deleted by the effect manager, on the engine
// thread, while the mixer is open.
class CSDLMixerEffectData : public CAutoList<CSDLMixerEffectData> {
public:
    // Loads the whole file into memory, converted to the device's format; on
    // failure the chunk stays null and the reason is logged.
    explicit CSDLMixerEffectData(const std::string& fileName);
    // Frees the chunk (SDL_mixer halts the channels still playing it).
    ~CSDLMixerEffectData();
    CSDLMixerEffectData(const CSDLMixerEffectData&) = delete;
    CSDLMixerEffectData& operator=(const CSDLMixerEffectData&) = delete;

    // The first live object loaded from fileName, or null.
    static CSDLMixerEffectData* Find(const std::string& fileName);
    // Deletes every live object.
    static void DestroyAll();
    // Number of live objects.
    static size_t Count();

    // Null when the file could not be loaded.
    Mix_Chunk* GetChunk() const { return myChunk; }
    const std::string& GetFileName() const { return myFileName; }
    // A kept (preloaded) effect stays cached when the channels fall silent.
    bool IsKept() const { return myKeep; }
    void SetKept(bool keep) { myKeep = keep; }

private:
    Mix_Chunk* myChunk = nullptr;
    std::string myFileName;
    bool myKeep = false;
};

}  // namespace vorn
