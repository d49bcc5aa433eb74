#include "vorn/physics/ICamera.h"

namespace vorn {

namespace {

ICamera* ourGlobalCamera = nullptr;

}  // namespace

void SetGlobalCamera(ICamera* camera) {
    ourGlobalCamera = camera;
}

ICamera* GetGlobalCamera() {
    return ourGlobalCamera;
}

}  // namespace vorn
