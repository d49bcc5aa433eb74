#include "vorn/ui/UiTaskTypes.h"

#include "vorn/tasks/CTaskDebug.h"
#include "vorn/tasks/CTaskFactory.h"
#include "vorn/ui/CUiTask.h"
#include "vorn/ui/CWidgetFactory.h"

namespace vorn {

void RegisterUiTaskTypes(CTaskFactory& factory) {
    factory.RegisterTaskType<ui::CUiTask>("ui");
    factory.RegisterTaskType<CTaskDebug>("debug");
    ui::CWidgetFactory::GetSingleton()->RegisterBuiltinWidgets();
}

}  // namespace vorn
