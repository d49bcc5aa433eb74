#pragma once

namespace vorn {

class CTaskFactory;

// Registers the task types "ui" (ui::CUiTask) and "debug" (CTaskDebug), and
// the engine's widget classes with the widget factory.
void RegisterUiTaskTypes(CTaskFactory& factory);

}  // namespace vorn
