#include "vorn/tasks/CTask.h"

#include "vorn/tasks/CKernel.h"

namespace vorn {

CTask::CTask() : CTask(10, "AnonymousTask") {}

CTask::CTask(int priority, const std::string& name) : myName(name), myPriority(priority) {}

CTask::~CTask() {
    // Peek: a task deleted after the kernel must not bring it back.
    if (CKernel* kernel = CKernel::PeekSingleton()) {
        kernel->StopTask(this);
        kernel->ForgetTask(this);
    }
}

bool CTask::IsLess(const CTask& other) const {
    if (myInterval != 0) return myInterval < other.GetInterval();
    return myPriority < other.GetPriority();
}

bool CTask::Init(CVariableList* params) {
    (void)params;
    return Init();
}

}  // namespace vorn
