#include "vorn/io/CFileSystem.h"

#include <filesystem>
#include <system_error>

#include "vorn/io/CFileSystemBasicImpl.h"

namespace vorn {

size_t CInputStream::Read(void* buffer, size_t count) {
    if (!myImpl || !myHandle) return 0;
    return myImpl->Read(myHandle, buffer, count);
}

void CInputStream::Close() {
    if (myImpl && myHandle) myImpl->Close(myHandle);
    myHandle.Reset();
    myImpl.Reset();
}

CFileSystem::CFileSystem() : myImpl(new CFileSystemBasicImpl) {}

CFileInfo CFileSystem::GetFileInfo(const CFileName& file) {
    return myImpl ? myImpl->GetFileInfo(file) : CFileInfo();
}

CInputStream CFileSystem::Open(const CFileName& file) {
    if (!myImpl) return CInputStream();
    CFileHandle handle = myImpl->Open(file);
    if (!handle) return CInputStream();
    return CInputStream(myImpl, handle);
}

bool CFileSystem::CreateFolders(const CFileName& folder) {
    return myImpl && myImpl->CreateFolders(folder);
}

bool CFileSystem::CreateFoldersFor(const std::string& fileName) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path folder = fs::absolute(fs::path(fileName), error).parent_path();
    if (error || folder.empty()) return false;
    if (fs::is_directory(folder, error)) return true;
    return CreateFolders(CFileName(folder.generic_string()));
}

}  // namespace vorn
