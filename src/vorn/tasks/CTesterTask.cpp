#include "vorn/tasks/CTesterTask.h"

#include "vorn/tasks/CTester.h"

namespace vorn {

bool CTesterTask::Init() {
    CTester::GetSingleton()->RunAllTests();
    return false;
}

}  // namespace vorn
