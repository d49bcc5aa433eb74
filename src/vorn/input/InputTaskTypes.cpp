#include "vorn/input/InputTaskTypes.h"

#include "vorn/input/CTaskKeyboard.h"
#include "vorn/input/CTaskMouse.h"
#include "vorn/tasks/CTaskFactory.h"

namespace vorn {

void RegisterInputTaskTypes(CTaskFactory& factory) {
    factory.RegisterTaskType<CTaskKeyboard>("keyboard");
    factory.RegisterTaskType<CTaskMouse>("mouse");
}

}  // namespace vorn
