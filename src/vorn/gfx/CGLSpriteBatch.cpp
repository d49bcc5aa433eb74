#include "vorn/gfx/CGLSpriteBatch.h"

#include <cmath>

namespace vorn {

CTransform2D CTransform2D::Transformation2D(float scaleX, float scaleY, float centerX,
                                            float centerY, float rotation, float translationX,
                                            float translationY) {
    const float c = std::cos(rotation), s = std::sin(rotation);
    CTransform2D t;
    // Scale, then turn about the centre: p' = (p * S - C) * R + C + T.
    t.m11 = scaleX * c;
    t.m12 = scaleX * s;
    t.m21 = -scaleY * s;
    t.m22 = scaleY * c;
    t.dx = -centerX * c + centerY * s + centerX + translationX;
    t.dy = -centerX * s - centerY * c + centerY + translationY;
    return t;
}

CGLSpriteBatch::CGLSpriteBatch(CGLDevice* device) : myDevice(device) {
    myVertices.reserve(6 * 256);
}

CGLSpriteBatch::~CGLSpriteBatch() = default;

void CGLSpriteBatch::Begin() {
    Flush();
    myBegun = true;
}

void CGLSpriteBatch::End() {
    Flush();
    myBegun = false;
}

bool CGLSpriteBatch::SameState(const CQuad& quad) const {
    const CQuad& s = myState;
    if (quad.texture != s.texture || quad.sampling != s.sampling || quad.target != s.target ||
        quad.targetWidth != s.targetWidth || quad.targetHeight != s.targetHeight ||
        quad.blend != s.blend || quad.hasClip != s.hasClip)
        return false;
    return !quad.hasClip || quad.clip == s.clip;
}

void CGLSpriteBatch::Draw(const CQuad& quad) {
    if (!quad.texture || quad.textureWidth < 1 || quad.textureHeight < 1 || quad.texels.w <= 0 ||
        quad.texels.h <= 0)
        return;
    if (!myVertices.empty() && !SameState(quad)) Flush();
    myState = quad;

    // The corners in image coordinates, one texel further out for soft edges.
    const float grow = quad.softEdges ? 1.0f : 0.0f;
    const float left = -grow, top = -grow;
    const float right = float(quad.texels.w) + grow, bottom = float(quad.texels.h) + grow;
    const float du = 1.0f / float(quad.textureWidth), dv = 1.0f / float(quad.textureHeight);
    const uint32_t color = uint32_t(quad.alpha) * 0x01010101u;  // premultiplied: all four
    auto vertex = [&](float x, float y) {
        CGLDevice::CVertex v;
        quad.transform.Apply(x, y, v.x, v.y);
        v.u = (float(quad.texels.x) + x) * du;
        v.v = (float(quad.texels.y) + y) * dv;
        v.color = color;
        return v;
    };
    const CGLDevice::CVertex a = vertex(left, top), b = vertex(right, top),
                             c = vertex(right, bottom), d = vertex(left, bottom);
    myVertices.insert(myVertices.end(), {a, b, c, a, c, d});
}

void CGLSpriteBatch::Flush() {
    if (myVertices.empty()) return;
    const CQuad& s = myState;
    if (myDevice->SetTarget(s.target, s.targetWidth, s.targetHeight)) {
        myDevice->SetBlendMode(s.blend);
        myDevice->SetClip(s.hasClip ? &s.clip : nullptr);
        myDevice->BindTexture(s.texture, s.sampling);
        myDevice->DrawTriangles(myVertices.data(), myVertices.size());
        myDevice->SetClip(nullptr);
        ++myCallCount;
        myQuadCount += myVertices.size() / 6;
    }
    myVertices.clear();
}

}  // namespace vorn
