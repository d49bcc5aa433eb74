#pragma once

namespace vorn {

class CTaskFactory;

// Registers the task types "keyboard" (CTaskKeyboard) and "mouse" (CTaskMouse).
void RegisterInputTaskTypes(CTaskFactory& factory);

}  // namespace vorn
