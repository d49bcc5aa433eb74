#include "vorn/io/CFileSystemBasicImpl.h"

#include <filesystem>
#include <fstream>

#include "vorn/io/CFileSystem.h"
#include "vorn/utils/string/StringUtils.h"

namespace vorn {

namespace {

class CFileHandleImpl : public IAbstractObject {
public:
    explicit CFileHandleImpl(const std::string& path) : myStream(path) {}
    std::ifstream myStream;
};

}  // namespace

CFileSystemBasicImpl::CFileSystemBasicImpl() {
    std::error_code error;
    myWorkingDirectory = ReplaceAll(std::filesystem::current_path(error).string(), "\\", "/");
}

CFileInfo CFileSystemBasicImpl::GetFileInfo(const CFileName& file) {
    namespace fs = std::filesystem;
    CFileInfo info;
    const fs::path path(CPath(file.GetPath(), myWorkingDirectory).GetFullPath());
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (error || !fs::exists(status)) return info;
    info.exists = true;
    if (fs::is_directory(status)) return info;
    const auto size = fs::file_size(path, error);
    info.size = error ? 0 : static_cast<uint32_t>(size);
    const auto written = fs::last_write_time(path, error);
    if (!error) {
        const auto system = std::chrono::time_point_cast<std::chrono::seconds>(
            written - fs::file_time_type::clock::now() + std::chrono::system_clock::now());
        info.time = static_cast<int32_t>(system.time_since_epoch().count());
    }
    return info;
}

CFileHandle CFileSystemBasicImpl::Open(const CFileName& file) {
    if (!CFileSystem::GetSingleton()->GetFileInfo(file).exists) return CFileHandle();
    auto* handle = new CFileHandleImpl(CPath(file.GetPath(), myWorkingDirectory).GetFullPath());
    if (!handle->myStream.is_open()) {
        delete handle;
        return CFileHandle();
    }
    return CFileHandle(handle);
}

size_t CFileSystemBasicImpl::Read(const CFileHandle& handle, void* buffer, size_t count) {
    auto* file = dynamic_cast<CFileHandleImpl*>(handle.Get());
    if (!file || !buffer || count == 0) return 0;
    file->myStream.read(static_cast<char*>(buffer), static_cast<std::streamsize>(count));
    return static_cast<size_t>(file->myStream.gcount());
}

bool CFileSystemBasicImpl::CreateFolders(const CFileName& folder) {
    namespace fs = std::filesystem;
    const fs::path path(CPath(folder.GetPath(), myWorkingDirectory).GetFullPath());
    std::error_code error;
    fs::create_directories(path, error);
    return fs::is_directory(path, error);
}

}  // namespace vorn
