#pragma once

#include "vorn/designpatterns/singleton/CStaticSingleton.h"
#include "vorn/io/IFileSystemImpl.h"

namespace vorn {

// A file opened through the file system; reads do nothing on an empty stream.
class CInputStream {
public:
    CInputStream() = default;
    CInputStream(const CSmartPtr<IFileSystemImpl>& impl, const CFileHandle& handle)
        : myImpl(impl), myHandle(handle) {}
    ~CInputStream() { Close(); }

    bool IsOpen() const { return static_cast<bool>(myHandle); }
    // Returns the number of bytes read.
    size_t Read(void* buffer, size_t count);
    void Close();

private:
    CSmartPtr<IFileSystemImpl> myImpl;
    CFileHandle myHandle;
};

// Access to files through one exchangeable implementation (by default the
// platform's files relative to the working directory).
class CFileSystem {
public:
    static CFileSystem* GetSingleton() { return CStaticSingleton<CFileSystem>::GetSingleton(); }

    void SetImplementation(const CSmartPtr<IFileSystemImpl>& impl) { myImpl = impl; }
    CSmartPtr<IFileSystemImpl> GetImplementation() const { return myImpl; }
    CFileInfo GetFileInfo(const CFileName& file);
    CInputStream Open(const CFileName& file);
    // Makes the folder and the missing folders above it; true when it exists.
    bool CreateFolders(const CFileName& folder);
    // Makes the missing folders of the path a file is about to be written to,
    // taken relative to the process's current directory, where the writers
    // open their files; true when the file's folder exists afterwards.
    bool CreateFoldersFor(const std::string& fileName);

private:
    friend class CStaticSingleton<CFileSystem>;
    CFileSystem();

    CSmartPtr<IFileSystemImpl> myImpl;
};

}  // namespace vorn
