#include "vorn/input/IMouseHardware.h"

namespace vorn {

namespace {

IMouseHardware*& Registered() {
    static IMouseHardware* hardware = nullptr;
    return hardware;
}

}  // namespace

IMouseHardware::~IMouseHardware() {
    ReleaseMouseHardware(this);
}

void SetMouseHardware(IMouseHardware* hardware) {
    Registered() = hardware;
}

void ReleaseMouseHardware(IMouseHardware* hardware) {
    if (Registered() == hardware) Registered() = nullptr;
}

IMouseHardware* GetMouseHardware() {
    static CNullMouseHardware* none = new CNullMouseHardware;  // lives to process end
    return Registered() ? Registered() : none;
}

bool HasMouseHardware() {
    return Registered() != nullptr;
}

}  // namespace vorn
