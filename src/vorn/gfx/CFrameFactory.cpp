#include "vorn/gfx/CFrameFactory.h"

#include "vorn/gfx/CFrameRect.h"
#include "vorn/gfx/CFrameSound.h"

namespace vorn {

std::string GetFrameTypeName(IFrame::frame_type type) {
    switch (type) {
        case IFrame::FRAME_RECT:
            return "frame_rect";
        case IFrame::FRAME_SOUND:
            return "frame_sound";
    }
    return "";
}

IFrame::frame_type GetFrameTypeCode(const std::string& name) {
    return name == "frame_sound" ? IFrame::FRAME_SOUND : IFrame::FRAME_RECT;
}

IFrame* NewFrame(IFrame::frame_type type) {
    CFrameFactory* factory = CFrameFactory::GetSingleton();
    if (!factory->IsRegistered(IFrame::FRAME_RECT)) {
        factory->Register(IFrame::FRAME_RECT, new CTemplateMaker<CFrameRect, IFrame>);
        factory->Register(IFrame::FRAME_SOUND, new CTemplateMaker<CFrameSound, IFrame>);
    }
    return factory->Create(type);
}

}  // namespace vorn
