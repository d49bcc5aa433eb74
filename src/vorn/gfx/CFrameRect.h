#pragma once

#include <memory>

#include "vorn/gfx/IFrame.h"
#include "vorn/utils/math/CRect.h"

namespace vorn {

// Shows the sub-rectangle Rect of the sprite's image for FrameLength
// milliseconds. With an inner frame (Wrapped), the inner frame decides when
// it ends and how long it lasts.
//
// File: <Frame type="frame_rect"> with children "Rect" (x, y, w, h),
// "FrameLength" (int) and optionally "Wrapped" (a frame element of its own).
class CFrameRect : public IFrame {
public:
    CFrameRect() = default;
    CFrameRect(const types_rect& rect, uint32_t length) : myRect(rect), myLength(length) {}

    frame_type GetFrameType() const override { return FRAME_RECT; }
    bool Apply(CSprite* sprite, uint32_t elapsed) override;
    uint32_t GetDuration() const override;
    uint32_t GetLength() const override;
    void Serialize(CXmlArchive& archive) override;

    // Takes ownership of frame (null removes the inner frame).
    void SetWrapped(IFrame* frame) { myWrapped.reset(frame); }
    IFrame* GetWrapped() const { return myWrapped.get(); }
    types_rect GetRect() const { return myRect; }

private:
    types_rect myRect;
    uint32_t myLength = 0;
    std::unique_ptr<IFrame> myWrapped;
};

// Reads the optional inner frame of a frame element, and writes it.
void SerializeWrappedFrame(CXmlArchive& archive, std::unique_ptr<IFrame>& wrapped);

}  // namespace vorn
