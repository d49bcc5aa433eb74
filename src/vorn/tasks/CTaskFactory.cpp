#include "vorn/tasks/CTaskFactory.h"

#include "vorn/console/CLog.h"
#include "vorn/tasks/CApplicationFactory.h"
#include "vorn/tasks/CKernel.h"
#include "vorn/tasks/CTask.h"

namespace vorn {

CTaskFactory::CTaskFactory() {
    // The factory comes first in a run: bring up what every task relies on.
    CLog::GetSingleton();
    CKernel::GetSingleton();
    CApplicationFactory::GetSingleton();
}

CTaskFactory::~CTaskFactory() {
    // Stop each task while it is whole, so that its own Exit runs, then delete.
    auto release = [](CTask* task) {
        if (CKernel* kernel = CKernel::PeekSingleton()) kernel->StopTask(task);
        delete task;
    };
    for (auto& entry : myInstances)
        for (CTask* task : entry.second)
            release(task);
}

void CTaskFactory::RegisterTaskType(const std::string& typeName, CGenericMaker<CTask>* maker) {
    myMakers.Register(typeName, maker);
}

void CTaskFactory::RegisterTaskLibrary(const std::string& libraryName, LibraryLoader loader) {
    if (loader) myLibraries.emplace(libraryName, loader);
}

void CTaskFactory::LoadTaskLibrary(const std::string& libraryName) {
    const bool known = libraryName == "sdl" || libraryName == "sdl_mixer" || libraryName == "d3d" ||
                       libraryName == "opengl";
    if (!known) {
        CLog::GetSingleton()->Error()
            << "TaskLoad failed - Couldn't load task: " << libraryName << "\n";
        return;
    }
    auto it = myLibraries.find(libraryName);
    if (it == myLibraries.end()) {
        CLog::GetSingleton()->Printf(
            "[WARNING] TaskLoad: the task library %s is not available in this build.\n",
            libraryName.c_str());
        return;
    }
    it->second(*this);
}

bool CTaskFactory::StartTask(const std::string& typeName, const std::string& instanceName,
                             int priority, CVariableList* params) {
    CTask* task = myMakers.Create(typeName);
    if (!task) {
        CLog::GetSingleton()->Printf("[ERROR] Trying to start a task %s that doesn't exist.\n",
                                     typeName.c_str());
        return false;
    }
    task->SetPriority(priority);
    task->SetName(instanceName);
    // A running task keeps its name: a second one under it runs but is not
    // reachable by name. A stopped one gives the name up to the newcomer.
    std::vector<CTask*>& holders = myInstances[instanceName];
    if (!holders.empty() && !FindLiveTask(holders))
        CLog::GetSingleton()->Printf(
            "Task name %s belonged to a stopped task; it now names the new %s task.\n",
            instanceName.c_str(), typeName.c_str());
    holders.push_back(task);
    CKernel::GetSingleton()->AddTask(task, params);
    return true;
}

CTask* CTaskFactory::FindLiveTask(const std::vector<CTask*>& holders) {
    for (CTask* task : holders)
        if (!task->IsStopped()) return task;
    return nullptr;
}

CTask* CTaskFactory::FindTask(const std::string& instanceName) const {
    auto it = myInstances.find(instanceName);
    if (it == myInstances.end() || it->second.empty()) return nullptr;
    // The earliest task under the name that is not stopped; with all of them
    // stopped, the first (a stopped task keeps its name).
    CTask* live = FindLiveTask(it->second);
    return live ? live : it->second.front();
}

void CTaskFactory::PauseTask(const std::string& instanceName) {
    if (CTask* task = FindTask(instanceName)) {
        CKernel::GetSingleton()->PauseTask(task);
        return;
    }
    CLog::GetSingleton()->Printf("[ERROR] Trying to pause a task %s that doesn't exist.\n",
                                 instanceName.c_str());
}

void CTaskFactory::ResumeTask(const std::string& instanceName) {
    if (CTask* task = FindTask(instanceName)) {
        CKernel::GetSingleton()->ResumeTask(task);
        return;
    }
    CLog::GetSingleton()->Printf("[ERROR] Trying to resume a task %s that doesn't exist.\n",
                                 instanceName.c_str());
}

void CTaskFactory::StopTask(const std::string& instanceName) {
    *CLog::GetSingleton() << "CTaskFactory::StopTask() called"
                          << "\n";
    if (CTask* task = FindTask(instanceName)) {
        CKernel::GetSingleton()->StopTask(task);
        return;
    }
    CLog::GetSingleton()->Printf("[ERROR] Trying to stop a task %s that doesn't exist.\n",
                                 instanceName.c_str());
}

bool CTaskFactory::SendToNamespace(const std::string& instanceName, const std::string& text) {
    if (CTask* task = FindTask(instanceName)) return task->ExecuteNamespaceLine(text);
    CLog::GetSingleton()->Printf("[ERROR] Sorry the namespace or task %s doesn't exist.\n",
                                 instanceName.c_str());
    return false;
}

}  // namespace vorn
