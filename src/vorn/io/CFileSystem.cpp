#include "vorn/io/CFileSystem.h"

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

}  // namespace vorn
