#include "vorn/gfx/CFrameRect.h"

#include <algorithm>

#include "vorn/gfx/CFrameFactory.h"
#include "vorn/gfx/CSprite.h"
#include "vorn/utils/xml/CXmlArchive.h"

namespace vorn {

bool CFrameRect::Apply(CSprite* sprite, uint32_t elapsed) {
    if (sprite) sprite->SetSourceRect(myRect);
    if (myWrapped) return myWrapped->Apply(sprite, elapsed);
    return elapsed >= myLength;
}

uint32_t CFrameRect::GetLength() const {
    return myWrapped ? myWrapped->GetLength() : myLength;
}

uint32_t CFrameRect::GetDuration() const {
    return myWrapped ? myWrapped->GetDuration() : GetLength();
}

void CFrameRect::Serialize(CXmlArchive& archive) {
    std::string type = GetFrameTypeName(FRAME_RECT);
    if (archive.IsWriting()) archive.Attribute("type", type);
    archive.Field("Rect", myRect);
    int length = int(std::min<uint32_t>(myLength, INT32_MAX));
    archive.Field("FrameLength", length);
    if (archive.IsReading()) myLength = uint32_t(std::max(length, 0));
    SerializeWrappedFrame(archive, myWrapped);
}

void SerializeWrappedFrame(CXmlArchive& archive, std::unique_ptr<IFrame>& wrapped) {
    if (archive.IsWriting()) {
        if (wrapped) archive.AddChild(ObjectToXmlElement(*wrapped, "Wrapped"));
        return;
    }
    if (!archive.HasChild("Wrapped")) return;
    CXmlElement* element = archive.GetChild("Wrapped");
    if (!element || !element->HasAttribute("type")) return;
    IFrame* frame = NewFrame(GetFrameTypeCode(element->GetAttribute("type").GetString()));
    if (!frame) return;
    ObjectFromXmlElement(element, *frame);
    wrapped.reset(frame);
}

}  // namespace vorn
