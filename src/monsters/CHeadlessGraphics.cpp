#include "monsters/CHeadlessGraphics.h"

#include "vorn/gfx/CGfxFactory.h"
#include "vorn/gfx/Gfx.h"

namespace monsters {

namespace {

class CNullGfxFactory : public vorn::CGfxFactory {
public:
    vorn::IPixel* NewBuffer(int, int) override { return vorn::Gfx::GetNullSurface(); }
    vorn::IPixel* NewAlphaBuffer(int, int) override { return vorn::Gfx::GetNullSurface(); }
    vorn::IPixel* LoadImage(const std::string&, const vorn::CPixelFormat&) override {
        return vorn::Gfx::GetNullSurface();
    }
    vorn::IPixel* NewReference(vorn::IPixel*) override { return vorn::Gfx::GetNullSurface(); }
    void FreeImage(vorn::IPixel*) override {}
};

}  // namespace

CHeadlessGraphics::CHeadlessGraphics() : myFactory(std::make_unique<CNullGfxFactory>()) {
    if (vorn::Gfx::GetFactory()) return;
    vorn::Gfx::SetFactory(myFactory.get());
    myInstalled = true;
}

CHeadlessGraphics::~CHeadlessGraphics() {
    if (myInstalled && vorn::Gfx::GetFactory() == myFactory.get()) vorn::Gfx::SetFactory(nullptr);
}

}  // namespace monsters
