#pragma once

#include <string>

#include "vorn/designpatterns/factory/CPlugFactory.h"
#include "vorn/designpatterns/singleton/CStaticSingleton.h"
#include "vorn/gfx/IFrame.h"

namespace vorn {

// A plug factory that is a process-wide singleton.
template <class Key, class Base>
class CSingletonFactory : public CPlugFactory<Key, Base> {
public:
    static CSingletonFactory* GetSingleton() {
        return CStaticSingleton<CSingletonFactory>::GetSingleton();
    }
};

using CFrameFactory = CSingletonFactory<IFrame::frame_type, IFrame>;

// "frame_rect" / "frame_sound"; any other name gives FRAME_RECT, any other
// code the empty name.
std::string GetFrameTypeName(IFrame::frame_type type);
IFrame::frame_type GetFrameTypeCode(const std::string& name);
// A new frame of that type (caller owns it), or null for an unknown type.
// The engine's frame classes are registered on first use.
IFrame* NewFrame(IFrame::frame_type type);

}  // namespace vorn
