#include "vorn/tasks/CTaskGfxD3D.h"

#include "vorn/console/CLog.h"
#include "vorn/gfx/CD3DTexture.h"
#include "vorn/gfx/CGLDevice.h"
#include "vorn/gfx/CGLSpriteBatch.h"
#include "vorn/gfx/CGfxFactoryD3D.h"
#include "vorn/gfx/CGlobalD3D.h"
#include "vorn/gfx/CPixelScreenD3D.h"
#include "vorn/gfx/Gfx.h"
#include "vorn/gfx/IScreenLayerHook.h"
#include "vorn/input/CEventBridge.h"
#include "vorn/physics/CLineList.h"
#include "vorn/utils/timer/CGlobalAppTimer.h"

namespace vorn {

namespace {

CLog& Log() {
    return *CLog::GetSingleton();
}

}  // namespace

CTaskGfxD3D::CTaskGfxD3D() = default;

CTaskGfxD3D::~CTaskGfxD3D() {
    // CTask's destructor would stop the task too late to reach this Exit.
    if (!IsStopped()) {
        Exit();
        SetStopped(true);
    }
}

bool CTaskGfxD3D::Init() {
    Gfx::SetBackgroundBuffers(false);
    myFactory = std::make_unique<CGfxFactoryD3D>();
    Gfx::SetFactory(myFactory.get());
    myScreen = std::make_unique<CPixelScreenD3D>();
    Gfx::SetScreenSurface(myScreen.get());
    // After the window task's handler: the new mode exists when this one runs.
    CEventBridge* bridge = CEventBridge::GetSingleton();
    bridge->AddWindowListener(this);
    myListening = true;
    myScreen->SetSize(bridge->GetLastWidth(), bridge->GetLastHeight());
    CreateDirect3D();
    Gfx::GetScreenLayerHook()->InstallStrategy(IScreenLayerHook::STRATEGY_IMMEDIATE);
    CGlobalD3D::GetSingleton()->GetLineList()->SetAccepting(true);
    StartAnimationClock();
    return true;
}

bool CTaskGfxD3D::HasDevice() const {
    CGlobalD3D* global = CGlobalD3D::PeekSingleton();
    return global && global->GetDevice() && global->GetSprite();
}

bool CTaskGfxD3D::CreateDirect3D() {
    CGlobalD3D* global = CGlobalD3D::GetSingleton();
    Log() << "Creating Direct3D device\n";
    CPresentParameters& present = global->GetPresentParameters();
    present.width = myScreen ? myScreen->GetWidth() : 0;
    present.height = myScreen ? myScreen->GetHeight() : 0;
    CGLDevice::CreateResult result = CGLDevice::CREATE_OK;
    std::string problem;
    std::unique_ptr<CGLDevice> device = CGLDevice::Create(present, result, problem);
    if (!device) {
        Log().Error() << (result == CGLDevice::CREATE_NO_OPENGL
                              ? "Could not create Direct3D Object"
                              : "Could not create Direct3D Device")
                      << "\n";
        Log().Warning() << "  " << problem << "\n";
        return false;
    }
    auto sprite = std::make_unique<CGLSpriteBatch>(device.get());
    const std::string description = device->GetDescription();
    global->SetDevice(std::move(device));
    global->SetSprite(std::move(sprite));
    Log() << "Creating Direct3D device [OK]\n";
    Log() << "  " << description << "\n";
    // Surfaces made before (a device lost and found, a task started again)
    // get their textures back.
    CD3DTexture::RecreateAllTextures();
    return true;
}

void CTaskGfxD3D::ReleaseDirect3D() {
    CGlobalD3D* global = CGlobalD3D::PeekSingleton();
    if (!global || !global->GetDevice()) return;
    global->FlushSprites();
    // Surfaces may outlive the device: keep what buffers hold for the next one.
    CD3DTexture::PrepareForReset();
    CD3DTexture::ReleaseAllTextures();
    global->TakeSprite().reset();
    global->TakeDevice().reset();
}

bool CTaskGfxD3D::ResetDirect3D() {
    Log() << "Recreating Direct3D device\n";
    CGlobalD3D* global = CGlobalD3D::GetSingleton();
    if (!global->GetDevice()) return CreateDirect3D();
    global->FlushSprites();
    bool ok = CD3DTexture::PrepareForReset();
    ok = CD3DTexture::ReleaseAllTextures() && ok;
    global->TakeSprite().reset();

    CPresentParameters& present = global->GetPresentParameters();
    present.width = myScreen ? myScreen->GetWidth() : present.width;
    present.height = myScreen ? myScreen->GetHeight() : present.height;
    if (!global->GetDevice()->Reset(present)) {
        Log().Error() << "CTaskGfxD3D::ResetDirect3D() - Reset failed: Could not reset Direct3D "
                         "Device\n";
        // Nothing can be drawn through it: go on without a device.
        global->TakeDevice().reset();
        return false;
    }
    global->SetSprite(std::make_unique<CGLSpriteBatch>(global->GetDevice()));
    ok = CD3DTexture::RecreateAllTextures() && ok;
    if (ok) Log() << "Direct3D device reset [OK]\n";
    return ok;
}

void CTaskGfxD3D::Update() {
    if (!TakeFrame()) return;
    CGlobalD3D* global = CGlobalD3D::GetSingleton();
    // No device, or the window gone (its task stopped first): nothing to draw on.
    if (!myScreen || !HasDevice() ||
        global->GetDevice()->TestCooperativeLevel() != CGLDevice::DEVICE_OK)
        return;
    AdvanceAnimations();
    Gfx::GetScreenLayerHook()->Update();
    myScreen->Flip();
    CountFrame();
}

void CTaskGfxD3D::OnResize(int width, int height) {
    if (!myScreen) return;
    myScreen->SetSize(width, height);
    if (HasDevice())
        ResetDirect3D();
    else
        CreateDirect3D();
    Gfx::GetScreenLayerHook()->RequestRedrawAll();
    Log().Write("myWidth = " + std::to_string(width) + "\n");
    Log().Write("myHeight = " + std::to_string(height) + "\n");
}

void CTaskGfxD3D::OnFocus(bool gained) {
    CGlobalD3D* global = CGlobalD3D::PeekSingleton();
    if (gained && global && global->GetResetOnFocus()) ResetDirect3D();
}

void CTaskGfxD3D::Exit() {
    if (myListening) {
        if (CEventBridge* bridge = CEventBridge::PeekSingleton())
            bridge->RemoveWindowListener(this);
        myListening = false;
    }
    if (!myFactory && !myScreen) return;
    if (myScreen) LogFrameRate("CTaskGfxD3D");
    CGlobalD3D::GetSingleton()->GetLineList()->SetAccepting(false);
    // The screen layer must not draw onto the screen surface once it is gone.
    Gfx::GetScreenLayerHook()->InstallStrategy(IScreenLayerHook::STRATEGY_NULL);
    ReleaseDirect3D();
    Log() << "GfxShutDown complete\n";
    if (Gfx::GetFactory() == myFactory.get()) Gfx::SetFactory(nullptr);
    myFactory.reset();
    if (Gfx::GetScreenSurface() == myScreen.get()) Gfx::SetScreenSurface(nullptr);
    myScreen.reset();
}

}  // namespace vorn
