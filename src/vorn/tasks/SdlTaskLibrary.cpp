#include "vorn/tasks/SdlTaskLibrary.h"

#include "vorn/tasks/CTaskEventSDL.h"
#include "vorn/tasks/CTaskFactory.h"
#include "vorn/tasks/CTaskGfxSDL.h"
#include "vorn/tasks/CTaskWindowSDL.h"

namespace vorn {

void RegisterSdlTaskLibrary(CTaskFactory& factory) {
    factory.RegisterTaskType<CTaskWindowSDL>("window");
    factory.RegisterTaskType<CTaskEventSDL>("event");
    factory.RegisterTaskType<CTaskGfxSDL>("gfx");
}

}  // namespace vorn
