#pragma once

#include "vorn/io/IFileSystemImpl.h"

namespace vorn {

// Files of the platform, relative to the working directory at construction.
class CFileSystemBasicImpl : public IFileSystemImpl {
public:
    CFileSystemBasicImpl();

    CFileName MakeFileName(const std::string& name) override { return CFileName(name); }
    CFileInfo GetFileInfo(const CFileName& file) override;
    CFileHandle Open(const CFileName& file) override;
    size_t Read(const CFileHandle& handle, void* buffer, size_t count) override;
    void Close(CFileHandle& handle) override { handle.Reset(); }
    bool CreateFolders(const CFileName& folder) override;

    const std::string& GetWorkingDirectory() const { return myWorkingDirectory; }

private:
    std::string myWorkingDirectory;
};

}  // namespace vorn
