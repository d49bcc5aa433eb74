#pragma once

#include <cstdint>

namespace vorn {

class CSprite;
class CXmlArchive;

// One step of an animation (see CAnimatedSprite.h). Frames are made by the
// frame factory (CFrameFactory.h) from their type and read from the "Frame"
// elements of a sprite file; each writes its own "type" attribute.
class IFrame {
public:
    // Type codes; the names in files are "frame_rect" and "frame_sound".
    enum frame_type { FRAME_RECT = 0, FRAME_SOUND = 1 };

    virtual ~IFrame() = default;
    virtual frame_type GetFrameType() const = 0;
    // Shows the frame on sprite; elapsed is the animation time since the
    // previous step. True when the frame is finished.
    virtual bool Apply(CSprite* sprite, uint32_t elapsed) = 0;
    // Milliseconds until the animation needs its next step.
    virtual uint32_t GetDuration() const = 0;
    // Milliseconds the frame lasts.
    virtual uint32_t GetLength() const = 0;
    virtual void Serialize(CXmlArchive& archive) = 0;
};

}  // namespace vorn
