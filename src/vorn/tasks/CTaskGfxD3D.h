#pragma once

#include <cstdint>
#include <memory>

#include "vorn/input/IWindowListener.h"
#include "vorn/tasks/CTaskGfx.h"
#include "vorn/utils/timer/CTimer.h"

namespace vorn {

class CGfxFactoryD3D;
class CPixelScreenD3D;

// Task type "gfx" of the task library "d3d" (also "opengl"): draws through the
// device layer on OpenGL (CGLDevice, held by CGlobalD3D). Start it after the
// window task of the same library.
//
// Start: turns per-sprite background buffers off, installs CGfxFactoryD3D
// and the screen surface CPixelScreenD3D, listens to the window (after the
// window task), creates the device and installs the screen layer's immediate
// strategy, which draws every sprite every frame. The line list of debug
// outlines takes strips while the task runs.
//
// Device creation logs "Creating Direct3D device", then on failure "Could not
// create Direct3D Object" (no OpenGL window) or "Could not create Direct3D
// Device" (OpenGL without what the device needs), on success "Creating
// Direct3D device [OK]" and the OpenGL implementation's name. Without a
// device the run goes on: surfaces are null, nothing is drawn.
//
// Frames: on the graphics tasks' 60-a-second grid of application time
// (CTaskGfx): animations step, the screen layer draws, the screen's Flip
// presents. Stopping logs the frame rate.
//
// Device reset (ResetDirect3D), on every window resize, and on regaining the
// focus when CGlobalD3D's reset-on-focus flag is set: "Recreating Direct3D
// device"; buffers save their pixels ("D3D_PrepareForReset() - LockRect
// failed"); every texture is released ("D3D_ReleaseAllTextures - D3DTexture
// release failed"); the sprite interface is released; the device is reset to
// the new size ("CTaskGfxD3D::ResetDirect3D() - Reset failed: Could not reset
// Direct3D Device"); the sprite interface is made again; buffers get new
// textures with their pixels back and file textures are loaded again
// ("D3D_RecreateAllTextures() - ..."); "Direct3D device reset [OK]".
//
// Stop: buffers save their pixels and all textures are released (a later
// start gives them back), then sprite interface and device go; "GfxShutDown
// complete"; factory and screen surface are taken down.
class CTaskGfxD3D : public CTaskGfx, public IWindowListener {
public:
    CTaskGfxD3D();
    ~CTaskGfxD3D() override;

    bool Init() override;
    void Update() override;
    void Exit() override;

    // From the event bridge, after the window task has set the new mode.
    void OnResize(int width, int height) override;
    void OnFocus(bool gained) override;

    // Resets the device as described above (creates it when there is none);
    // false when it could not be reset.
    bool ResetDirect3D();
    bool HasDevice() const;

    CPixelScreenD3D* GetScreen() const { return myScreen.get(); }
    CGfxFactoryD3D* GetFactory() const { return myFactory.get(); }

private:
    bool CreateDirect3D();
    void ReleaseDirect3D();

    std::unique_ptr<CGfxFactoryD3D> myFactory;
    std::unique_ptr<CPixelScreenD3D> myScreen;
    bool myListening = false;
};

}  // namespace vorn
