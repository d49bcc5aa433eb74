#include <gtest/gtest.h>

#include "GfxTestSupport.h"
#include "vorn/gfx/CTextureManager.h"
#include "vorn/gfx/GfxSelfTests.h"

namespace {

// A texture that counts how often it was freed.
struct CCountedTexture {
    int frees = 0;
};

}  // namespace

template <>
struct vorn::CTextureReleaser<CCountedTexture*> {
    static void Release(CCountedTexture* texture) { ++texture->frees; }
};

using namespace vorn;
using gfx_test::CLogCapture;

namespace {

using Manager = CTextureManager<CCountedTexture*>;

TEST(CTextureManagerTest, MisuseIsReportedAndLeftoversAreListedAndFreedAtTheEnd) {
    CCountedTexture first, second, stranger;
    CLogCapture log;
    Manager* manager = Manager::GetSingleton();
    EXPECT_EQ(manager->GetPointer("nothing.bmp"), nullptr);
    EXPECT_TRUE(
        log.Has("CTextureManager::GetPointer() - trying to get pointer to a file that "
                "doesn't exist: nothing.bmp",
                CLog::LEVEL_ERROR));
    EXPECT_TRUE(manager->AddNew("a.bmp", &first));
    EXPECT_FALSE(manager->AddNew("a.bmp", &second));
    EXPECT_TRUE(
        log.Has("CTextureManager::AddNew() - trying to add a new texture, but we already "
                "have one of the same name: a.bmp",
                CLog::LEVEL_ERROR));
    EXPECT_FALSE(manager->AddReference(&stranger));
    EXPECT_TRUE(
        log.Has("CTextureManager::AddReference() - trying add a reference to a pointer "
                "no longer in the memory: ",
                CLog::LEVEL_ERROR));
    manager->AddNew("b.bmp", &second, true);
    manager->Release(&second);
    EXPECT_EQ(second.frees, 0) << "kept";

    log.Clear();
    Manager::DeleteSingleton();
    EXPECT_TRUE(log.Has("CTextureManager unreleased garbage!", CLog::LEVEL_ERROR));
    EXPECT_TRUE(log.Has("a.bmp\t1, 0"));
    EXPECT_TRUE(log.Has("b.bmp\t0, 1"));
    EXPECT_EQ(first.frees, 1);
    EXPECT_EQ(second.frees, 1);

    log.Clear();
    Manager::GetSingleton();
    Manager::DeleteSingleton();
    EXPECT_TRUE(log.Has("CTextureManager died gracefully"));
}

TEST(CTextureManagerTest, SelfTestsPass) {
    EXPECT_EQ(selftests::CTextureManagerTest(), 0);
    EXPECT_EQ(selftests::CColorTest(), 0);
}

}  // namespace
