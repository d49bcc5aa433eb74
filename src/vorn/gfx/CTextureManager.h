#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "vorn/console/CLog.h"
#include "vorn/designpatterns/singleton/CStaticSingleton.h"

namespace vorn {

// How a texture handle of type T is freed; each back end specialises it
// (CTextureReleaser<SDL_Surface*> lives in vorn/gfx/CPixelSDL.h).
template <class T>
struct CTextureReleaser;

// Shares the pixels of image files between the surfaces that show them: a map
// from file name to {texture, reference count, keep flag}. A file loaded twice
// is loaded once; its texture is freed when the last surface on it releases
// it, unless it is kept. Textures the manager does not know are freed at once
// on release, so surfaces can hand every texture back here.
//
// One manager per texture type, CTextureManager<T>::GetSingleton(). Deleting
// it frees every texture still recorded, so delete it only when no surface on
// them is left. Engine thread only.
template <class T>
class CTextureManager {
public:
    static CTextureManager* GetSingleton() {
        return CStaticSingleton<CTextureManager>::GetSingleton();
    }
    static CTextureManager* PeekSingleton() {
        return CStaticSingleton<CTextureManager>::PeekSingleton();
    }
    static void DeleteSingleton() { CStaticSingleton<CTextureManager>::DeleteSingleton(); }

    // The texture of a loaded file, with one more reference; null when the
    // file is not loaded.
    T GetPointer(const std::string& fileName) {
        auto it = myRecords.find(fileName);
        if (it == myRecords.end()) {
            if (myReport)
                CLog::GetSingleton()->Error() << "CTextureManager::GetPointer() - trying to get "
                                                 "pointer to a file that doesn't exist: "
                                              << fileName << "\n";
            return T();
        }
        ++it->second.references;
        return it->second.texture;
    }

    // One more reference to a recorded texture that is still in use.
    bool AddReference(T texture) {
        auto it = Find(texture);
        if (it != myRecords.end() && it->second.references != 0) {
            ++it->second.references;
            return true;
        }
        if (myReport)
            CLog::GetSingleton()->Error()
                << "CTextureManager::AddReference() - trying add a reference to a pointer no "
                   "longer in the memory: "
                << (it != myRecords.end() ? it->first : std::string()) << "\n";
        return false;
    }

    // Records a newly loaded texture with one reference. A name already
    // recorded keeps its texture; false then (the caller still owns texture).
    bool AddNew(const std::string& fileName, T texture, bool keep = false) {
        if (myRecords.count(fileName)) {
            if (myReport)
                CLog::GetSingleton()->Error()
                    << "CTextureManager::AddNew() - trying to add a new texture, but we already "
                       "have one of the same name: "
                    << fileName << "\n";
            return false;
        }
        myRecords[fileName] = Record{texture, 1, keep};
        myNames[texture] = fileName;
        return true;
    }

    // One reference less; at none the texture is freed and forgotten unless
    // it is kept. A texture the manager does not know is freed at once.
    void Release(T texture) {
        auto it = Find(texture);
        if (it == myRecords.end()) {
            CTextureReleaser<T>::Release(texture);
            return;
        }
        if (it->second.references > 0) --it->second.references;
        if (it->second.references == 0 && !it->second.keep) {
            CTextureReleaser<T>::Release(it->second.texture);
            myNames.erase(it->second.texture);
            myRecords.erase(it);
        }
    }

    // Lets go of a file's texture for good: it is kept no longer, and it is
    // freed now when no surface shows it, else when the last one lets go.
    // False, with a message, for a file that is not loaded.
    bool UnloadFile(const std::string& fileName) {
        auto it = myRecords.find(fileName);
        if (it == myRecords.end()) {
            if (myReport)
                CLog::GetSingleton()->Error() << "CTextureManager::UnloadFile() - trying to unload "
                                                 "a file that doesn't exist: "
                                              << fileName << "\n";
            return false;
        }
        it->second.keep = false;
        if (it->second.references == 0) {
            CTextureReleaser<T>::Release(it->second.texture);
            myNames.erase(it->second.texture);
            myRecords.erase(it);
        }
        return true;
    }

    // Queries that never log.
    bool IsLoaded(const std::string& fileName) const { return myRecords.count(fileName) != 0; }
    bool IsManaged(T texture) const { return Find(texture) != myRecords.end(); }
    // 0 for a file not loaded.
    int GetReferenceCount(const std::string& fileName) const {
        auto it = myRecords.find(fileName);
        return it == myRecords.end() ? 0 : it->second.references;
    }
    size_t GetRecordCount() const { return myRecords.size(); }

    // Turns the manager's log messages on (the default) or off.
    void SetReport(bool report) { myReport = report; }

private:
    friend class CStaticSingleton<CTextureManager>;
    CTextureManager() = default;
    ~CTextureManager() {
        if (myReport) {
            if (myRecords.empty()) {
                CLog::GetSingleton()->Write("CTextureManager died gracefully\n");
            } else {
                CLog::GetSingleton()->Error() << "CTextureManager unreleased garbage!\n";
                for (const auto& entry : myRecords)
                    *CLog::GetSingleton() << entry.first << "\t" << entry.second.references << ", "
                                          << entry.second.keep << "\n";
            }
        }
        for (auto& entry : myRecords)
            CTextureReleaser<T>::Release(entry.second.texture);
    }
    CTextureManager(const CTextureManager&) = delete;
    CTextureManager& operator=(const CTextureManager&) = delete;

    struct Record {
        T texture;
        int references;
        bool keep;
    };
    using Records = std::map<std::string, Record>;

    typename Records::iterator Find(T texture) {
        auto name = myNames.find(texture);
        return name == myNames.end() ? myRecords.end() : myRecords.find(name->second);
    }
    typename Records::const_iterator Find(T texture) const {
        auto name = myNames.find(texture);
        return name == myNames.end() ? myRecords.end() : myRecords.find(name->second);
    }

    Records myRecords;
    // Index from texture to file name; surfaces release by texture.
    std::map<T, std::string> myNames;
    bool myReport = true;
};

}  // namespace vorn
