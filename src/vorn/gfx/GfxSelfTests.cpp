#include "vorn/gfx/GfxSelfTests.h"

#include "vorn/gfx/CColor.h"
#include "vorn/gfx/CTextureManager.h"

namespace vorn {

namespace selftests {
namespace {

// A texture that counts how often it was freed.
struct CSelfTestTexture {
    int frees = 0;
};

}  // namespace
}  // namespace selftests

template <>
struct CTextureReleaser<selftests::CSelfTestTexture*> {
    static void Release(selftests::CSelfTestTexture* texture) {
        if (texture) ++texture->frees;
    }
};

namespace selftests {

int CColorTest() {
    int failures = 0;
    const CColor colour(0x12, 0x34, 0x56, 0x78);
    if (colour.ToARGB() != 0x78123456u) ++failures;
    if (CColor::FromARGB(0x78123456u) != colour) ++failures;
    if (CColor::FromARGB(CColor(1, 2, 3).ToARGB()).a != 255) ++failures;
    if (CColor(1, 2, 3, 4) == CColor(1, 2, 3, 5)) ++failures;
    return failures;
}

int CTextureManagerTest() {
    using Manager = CTextureManager<CSelfTestTexture*>;
    int failures = 0;
    Manager* manager = Manager::GetSingleton();
    manager->SetReport(false);
    CSelfTestTexture shared, kept, loose, duplicate;

    // A file loaded once and shared twice is freed after the third release.
    manager->AddNew("shared.bmp", &shared);
    if (manager->GetPointer("shared.bmp") != &shared || !manager->AddReference(&shared)) ++failures;
    if (manager->GetReferenceCount("shared.bmp") != 3) ++failures;
    manager->Release(&shared);
    manager->Release(&shared);
    if (shared.frees != 0 || !manager->IsLoaded("shared.bmp")) ++failures;
    manager->Release(&shared);
    if (shared.frees != 1 || manager->IsLoaded("shared.bmp")) ++failures;

    // A kept texture survives its last release and can be taken again.
    manager->AddNew("kept.bmp", &kept, true);
    manager->Release(&kept);
    if (kept.frees != 0 || manager->GetPointer("kept.bmp") != &kept) ++failures;

    // Unknown textures are freed at once; unknown names give nothing.
    manager->Release(&loose);
    if (loose.frees != 1 || manager->GetPointer("missing.bmp") != nullptr ||
        manager->AddReference(&loose))
        ++failures;

    // A second texture under a taken name is refused.
    if (manager->AddNew("kept.bmp", &duplicate) || manager->GetPointer("kept.bmp") != &kept)
        ++failures;

    // Deleting the manager frees what is left.
    Manager::DeleteSingleton();
    if (kept.frees != 1 || duplicate.frees != 0) ++failures;
    return failures;
}

}  // namespace selftests

}  // namespace vorn
