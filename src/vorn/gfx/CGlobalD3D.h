#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "vorn/designpatterns/singleton/CStaticSingleton.h"
#include "vorn/gfx/CGLDevice.h"

namespace vorn {

class CGLSpriteBatch;
namespace physics {
class CLineList;
}

// What the accelerated back end's surfaces share: the device, the sprite
// interface (the quad batch), the present parameters, whether a scene is
// open, the reset-on-focus flag and the line list of debug outlines.
//
// The graphics task (CTaskGfxD3D) makes and releases device and sprite
// interface; the surfaces draw through them while they exist and fail with
// a log line otherwise. The frame protocol:
//  - BeginFrame, at the first draw onto the screen when no scene is open:
//    opens the scene, clears the back buffer to opaque black, checks the
//    device ("TestCooperativeLevel() failed - " with the code), begins the
//    scene ("BeginScene failed") and the sprite interface;
//  - EndFrame, at the screen's Flip when a scene is open: closes it, ends the
//    sprite interface, draws the line list's strips in order, each in its own
//    colour, tells the list they were drawn, ends the scene and presents.
class CGlobalD3D {
public:
    static CGlobalD3D* GetSingleton() { return CStaticSingleton<CGlobalD3D>::GetSingleton(); }
    static CGlobalD3D* PeekSingleton() { return CStaticSingleton<CGlobalD3D>::PeekSingleton(); }
    static void DeleteSingleton() { CStaticSingleton<CGlobalD3D>::DeleteSingleton(); }

    // Null while there is none.
    CGLDevice* GetDevice() const { return myDevice.get(); }
    CGLSpriteBatch* GetSprite() const { return mySprite.get(); }
    void SetDevice(std::unique_ptr<CGLDevice> device);
    void SetSprite(std::unique_ptr<CGLSpriteBatch> sprite);
    std::unique_ptr<CGLDevice> TakeDevice();
    std::unique_ptr<CGLSpriteBatch> TakeSprite();

    CPresentParameters& GetPresentParameters() { return myPresentParameters; }

    bool IsSceneOpen() const { return mySceneOpen; }
    // When set, regaining the window's focus resets the device.
    bool GetResetOnFocus() const { return myResetOnFocus; }
    void SetResetOnFocus(bool reset) { myResetOnFocus = reset; }
    physics::CLineList* GetLineList() const;

    // The frame protocol above. BeginFrame is false when nothing can be drawn.
    // EndFrame with capture reads the finished frame (lines included) into
    // it, top row first, just before presenting it; false when it could not.
    bool BeginFrame();
    bool EndFrame(std::vector<uint32_t>* capture = nullptr, int* width = nullptr,
                  int* height = nullptr);
    // Draws the quads the sprite interface still holds; call before changing,
    // reading or freeing a texture.
    void FlushSprites();
    // Frames presented since the device was made.
    unsigned long GetPresentCount() const { return myPresentCount; }

private:
    friend class CStaticSingleton<CGlobalD3D>;
    CGlobalD3D();
    ~CGlobalD3D();

    // The batch draws through the device: declared after it, it goes first.
    std::unique_ptr<CGLDevice> myDevice;
    std::unique_ptr<CGLSpriteBatch> mySprite;
    CPresentParameters myPresentParameters;
    bool mySceneOpen = false;
    bool myResetOnFocus = false;
    unsigned long myPresentCount = 0;
};

}  // namespace vorn
