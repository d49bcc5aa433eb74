#include "vorn/tasks/D3DTaskLibrary.h"

#include "vorn/tasks/CTaskEventD3D.h"
#include "vorn/tasks/CTaskFactory.h"
#include "vorn/tasks/CTaskGfxD3D.h"
#include "vorn/tasks/CTaskWindowD3D.h"

namespace vorn {

void RegisterD3DTaskLibrary(CTaskFactory& factory) {
    factory.RegisterTaskType<CTaskWindowD3D>("window");
    factory.RegisterTaskType<CTaskEventD3D>("event");
    factory.RegisterTaskType<CTaskGfxD3D>("gfx");
}

}  // namespace vorn
