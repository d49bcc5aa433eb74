#pragma once

#include <vector>

#include "vorn/gfx/CGLDevice.h"

namespace vorn {

// A 2-D affine transform on row vectors: (x, y) becomes
// (x * m11 + y * m21 + dx, x * m12 + y * m22 + dy).
struct CTransform2D {
    float m11 = 1, m12 = 0, m21 = 0, m22 = 1, dx = 0, dy = 0;

    void Apply(float x, float y, float& outX, float& outY) const {
        outX = x * m11 + y * m21 + dx;
        outY = x * m12 + y * m22 + dy;
    }
    // Scales by (scaleX, scaleY) about the origin, turns by rotation radians
    // about center (a positive angle turns clockwise on a y-down screen) and
    // moves by translation: the order of D3DXMatrixTransformation2D.
    static CTransform2D Transformation2D(float scaleX, float scaleY, float centerX, float centerY,
                                         float rotation, float translationX, float translationY);
};

// Draws textured quads, as many in one call as share a texture, a target and
// the way they are drawn; the pending quads are drawn by Flush, by the first
// quad that differs, and by End. Owners flush before anything that changes or
// frees a texture the pending quads may use.
//
// A quad is an image of w x h (a rectangle of texels) put onto the target by
// a transform, modulated by an alpha; blending and sampling as the device
// offers them (CGLDevice).
class CGLSpriteBatch {
public:
    struct CQuad {
        unsigned texture = 0;
        int textureWidth = 0;
        int textureHeight = 0;
        // The texels shown.
        types_rect texels;
        // From image coordinates (0..texels.w, 0..texels.h) to the target's.
        CTransform2D transform;
        uint8_t alpha = 255;
        CGLDevice::Sampling sampling = CGLDevice::SAMPLE_NEAREST;
        // One texel more on each side, sampled from the transparent border:
        // turned images get soft edges (texels must be the whole texture).
        bool softEdges = false;
        // The target: 0 for the back buffer, else a texture of the size given.
        unsigned target = 0;
        int targetWidth = 0;
        int targetHeight = 0;
        CGLDevice::BlendMode blend = CGLDevice::BLEND_OVER;
        // Drawing is limited to clip (target pixels) when hasClip is set.
        bool hasClip = false;
        types_rect clip;
    };

    // The device must outlive the batch.
    explicit CGLSpriteBatch(CGLDevice* device);
    ~CGLSpriteBatch();
    CGLSpriteBatch(const CGLSpriteBatch&) = delete;
    CGLSpriteBatch& operator=(const CGLSpriteBatch&) = delete;

    // Brackets the drawing of a frame onto the back buffer.
    void Begin();
    void End();
    bool IsBegun() const { return myBegun; }

    void Draw(const CQuad& quad);
    void Flush();
    // Quads drawn by the device so far, and calls made for them.
    unsigned long GetQuadCount() const { return myQuadCount; }
    unsigned long GetCallCount() const { return myCallCount; }

private:
    bool SameState(const CQuad& quad) const;

    CGLDevice* myDevice;
    std::vector<CGLDevice::CVertex> myVertices;
    CQuad myState;
    bool myBegun = false;
    unsigned long myQuadCount = 0;
    unsigned long myCallCount = 0;
};

}  // namespace vorn
