#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "vorn/io/CFileSystem.h"
#include "vorn/io/CFileSystemBasicImpl.h"
#include "vorn/utils/SelfTests.h"

namespace vorn::selftests {

namespace {

// A file in the working directory, removed again by the destructor.
struct ScratchFile {
    explicit ScratchFile(const std::string& text) : name("vorn_selftest_file.tmp") {
        std::ofstream(name, std::ios::binary) << text;
    }
    ~ScratchFile() { std::remove(name.c_str()); }
    std::string name;
};

// Installs a fresh implementation (which takes the current working directory)
// for the life of the object and puts the previous one back afterwards.
struct FreshFileSystem {
    FreshFileSystem() : previous(CFileSystem::GetSingleton()->GetImplementation()) {
        CFileSystem::GetSingleton()->SetImplementation(
            CSmartPtr<IFileSystemImpl>(new CFileSystemBasicImpl));
    }
    ~FreshFileSystem() { CFileSystem::GetSingleton()->SetImplementation(previous); }
    CSmartPtr<IFileSystemImpl> previous;
};

}  // namespace

int CFileNameTest() {
    CFileName name("data\\gfx\\title.sprite.xml");
    SELFTEST_CHECK(name.GetPath() == "data/gfx/title.sprite.xml");
    SELFTEST_CHECK(name.GetFileName() == "title.sprite.xml");
    SELFTEST_CHECK(name.GetExtension() == "xml");
    SELFTEST_CHECK(name.GetDirectory() == "data/gfx");
    return 0;
}

int CPathTest() {
    SELFTEST_CHECK(CPath::IsAbsolutePath("C:/foo") && CPath::IsAbsolutePath("/foo"));
    SELFTEST_CHECK(CPath::IsAbsolutePath("c:") && !CPath::IsAbsolutePath("foo/bar"));
    SELFTEST_CHECK(CPath("a/./b/../c").GetFullPath() == "a/c");
    SELFTEST_CHECK(CPath("x", "/game/data").GetFullPath() == "/game/data/x");
    SELFTEST_CHECK((CPath("a/b") + CPath("c")) == CPath("a/b/c"));
    SELFTEST_CHECK(CPath::MakeRelative("/a/b/c", "/a/d") == "../../d");
    SELFTEST_CHECK(CPath::MakeRelative("/a", "/a") == ".");
    return 0;
}

int CFileSystemBasicImplTest() {
    ScratchFile file("hello");
    CFileSystemBasicImpl impl;
    const CFileInfo info = impl.GetFileInfo(CFileName(file.name));
    SELFTEST_CHECK(info.exists && info.size == 5 && info.time > 0);
    SELFTEST_CHECK(!impl.GetFileInfo(CFileName("no_such_file.none")).exists);
    const CFileInfo folder = impl.GetFileInfo(CFileName("."));
    SELFTEST_CHECK(folder.exists && folder.size == 0);
    return 0;
}

int CFileSystemTest() {
    ScratchFile file("abc");
    FreshFileSystem fresh;
    CFileSystem* fs = CFileSystem::GetSingleton();
    SELFTEST_CHECK(fs->GetImplementation());
    SELFTEST_CHECK(fs->GetFileInfo(CFileName(file.name)).size == 3);
    SELFTEST_CHECK(!fs->Open(CFileName("no_such_file.none")).IsOpen());
    return 0;
}

int CInputStreamTest() {
    ScratchFile file("0123456789");
    FreshFileSystem fresh;
    char buffer[8] = {};
    CInputStream stream = CFileSystem::GetSingleton()->Open(CFileName(file.name));
    SELFTEST_CHECK(stream.IsOpen());
    SELFTEST_CHECK(stream.Read(buffer, 4) == 4 && std::memcmp(buffer, "0123", 4) == 0);
    SELFTEST_CHECK(stream.Read(buffer, 8) == 6);
    stream.Close();
    SELFTEST_CHECK(stream.Read(buffer, 8) == 0);
    CInputStream missing = CFileSystem::GetSingleton()->Open(CFileName("no_such_file.none"));
    SELFTEST_CHECK(missing.Read(buffer, 8) == 0);
    return 0;
}

}  // namespace vorn::selftests
