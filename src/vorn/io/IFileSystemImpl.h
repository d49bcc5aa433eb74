#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "vorn/io/CPath.h"
#include "vorn/utils/smartptr/CSmartPtr.h"

namespace vorn {

// Base of objects handed around as opaque handles.
class IAbstractObject {
public:
    virtual ~IAbstractObject() = default;
};

using CFileHandle = CSmartPtr<IAbstractObject>;

struct CFileInfo {
    uint32_t size = 0;
    int32_t time = 0;  // last modification, seconds since the epoch
    bool exists = false;
};

// Where files come from. The installed implementation works on the
// platform's files relative to the working directory.
class IFileSystemImpl {
public:
    virtual ~IFileSystemImpl() = default;
    virtual CFileName MakeFileName(const std::string& name) = 0;
    virtual CFileInfo GetFileInfo(const CFileName& file) = 0;
    // An empty handle when the file cannot be opened.
    virtual CFileHandle Open(const CFileName& file) = 0;
    // Reads up to count bytes; returns how many were read.
    virtual size_t Read(const CFileHandle& handle, void* buffer, size_t count) = 0;
    virtual void Close(CFileHandle& handle) = 0;
    // Makes the folder and every missing folder above it; true when the
    // folder exists afterwards.
    virtual bool CreateFolders(const CFileName& folder) = 0;
};

}  // namespace vorn
