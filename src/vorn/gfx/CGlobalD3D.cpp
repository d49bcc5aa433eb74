#include "vorn/gfx/CGlobalD3D.h"

#include "vorn/console/CLog.h"
#include "vorn/gfx/CGLSpriteBatch.h"
#include "vorn/physics/CLineList.h"

namespace vorn {

namespace {

constexpr uint32_t CLEAR_COLOR = 0xFF000000;  // opaque black

}  // namespace

CGlobalD3D::CGlobalD3D() = default;

CGlobalD3D::~CGlobalD3D() {
    mySprite.reset();
    myDevice.reset();
}

void CGlobalD3D::SetDevice(std::unique_ptr<CGLDevice> device) {
    myDevice = std::move(device);
    mySceneOpen = false;
    myPresentCount = 0;
}

void CGlobalD3D::SetSprite(std::unique_ptr<CGLSpriteBatch> sprite) {
    mySprite = std::move(sprite);
}

std::unique_ptr<CGLDevice> CGlobalD3D::TakeDevice() {
    mySceneOpen = false;
    return std::move(myDevice);
}

std::unique_ptr<CGLSpriteBatch> CGlobalD3D::TakeSprite() {
    return std::move(mySprite);
}

physics::CLineList* CGlobalD3D::GetLineList() const {
    return physics::CLineList::GetSingleton();
}

bool CGlobalD3D::BeginFrame() {
    if (mySceneOpen) return true;
    if (!myDevice || !mySprite) return false;
    mySceneOpen = true;
    // Quads drawn into textures before the frame go first.
    mySprite->Flush();
    myDevice->SetTarget(0, 0, 0);
    myDevice->Clear(CLEAR_COLOR);
    const CGLDevice::DeviceState state = myDevice->TestCooperativeLevel();
    if (state != CGLDevice::DEVICE_OK)
        CLog::GetSingleton()->Error() << "TestCooperativeLevel() failed - " << int(state) << "\n";
    if (!myDevice->BeginScene()) CLog::GetSingleton()->Error() << "BeginScene failed\n";
    mySprite->Begin();
    return true;
}

bool CGlobalD3D::EndFrame(std::vector<uint32_t>* capture, int* width, int* height) {
    if (!mySceneOpen) return false;
    mySceneOpen = false;
    if (mySprite) mySprite->End();
    if (!myDevice) return false;
    physics::CLineList* lines = GetLineList();
    if (!lines->GetStrips().empty()) {
        myDevice->SetTarget(0, 0, 0);
        myDevice->SetBlendMode(CGLDevice::BLEND_OVER);
        std::vector<CLinePoint> points;
        for (const physics::CLineList::CStrip& strip : lines->GetStrips()) {
            points.clear();
            for (const physics::CLineList::CPoint& p : strip.points)
                points.push_back({p.x, p.y});
            myDevice->DrawLineStrip(points, strip.argb);
        }
        lines->OnStripsDrawn();
    }
    myDevice->EndScene();
    bool captured = false;
    if (capture) {
        int w = 0, h = 0;
        captured = myDevice->ReadBackBuffer(*capture, w, h);
        if (width) *width = w;
        if (height) *height = h;
    }
    myDevice->Present();
    ++myPresentCount;
    return capture ? captured : true;
}

void CGlobalD3D::FlushSprites() {
    if (mySprite) mySprite->Flush();
}

}  // namespace vorn
