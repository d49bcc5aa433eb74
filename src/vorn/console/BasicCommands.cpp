#include "vorn/console/BasicCommands.h"

#include <cmath>
#include <limits>

#include "vorn/console/CCommandFactory.h"
#include "vorn/console/CConsole.h"
#include "vorn/console/CVariable.h"
#include "vorn/tasks/CApplicationFactory.h"
#include "vorn/tasks/CKernel.h"
#include "vorn/tasks/CTaskFactory.h"

namespace vorn {

namespace {

// Truncation toward zero, clamped to the int range (NaN gives 0).
int ToPriority(double value) {
    if (std::isnan(value)) return 0;
    if (value >= std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    if (value <= std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
    return static_cast<int>(value);
}

}  // namespace

std::string CConsoleCmdQuit::Execute() {
    CKernel::GetSingleton()->Quit();
    return "bye bye";
}

std::string CConsoleCmdLoad::Execute(CVariableList* params) {
    if (!HasFirstString(params)) return Execute();
    return CApplicationFactory::GetSingleton()->GetConsole()->ExecuteFile(params->GetString(0));
}

std::string CConsoleCmdLoad::Execute() {
    return "Error: Load() You need to give a filename as a parameter.";
}

std::string CConsoleCmdTaskLoad::Execute(CVariableList* params) {
    if (!HasFirstString(params)) return Execute();
    CTaskFactory::GetSingleton()->LoadTaskLibrary(params->GetString(0));
    return "";
}

std::string CConsoleCmdTaskLoad::Execute() {
    return "Error: TaskLoad() You need to give a task library name as a parameter.";
}

std::string CConsoleCmdStartTask::Execute(CVariableList* params) {
    if (!HasFirstString(params)) return Execute();
    const std::string type = params->GetString(0);
    params->RemoveFirst();
    std::string name = type;
    if (params->IsType(0, CVariable::TYPE_STRING)) {
        name = params->GetString(0);
        params->RemoveFirst();
    }
    int priority = 100;
    if (params->IsType(0, CVariable::TYPE_NUMBER)) {
        priority = ToPriority(params->GetNumber(0));
        params->RemoveFirst();
    }
    if (CTaskFactory::GetSingleton()->StartTask(type, name, priority, params))
        return type + " started";
    return "failed to start " + type;
}

std::string CConsoleCmdStartTask::Execute() {
    return "Error: StartTask( tasktype, taskname, priority ) requires atleast one parameter.";
}

std::string CConsoleCmdPauseTask::Execute(CVariableList* params) {
    if (!HasFirstString(params)) return Execute();
    CTaskFactory::GetSingleton()->PauseTask(params->GetString(0));
    return "";
}

std::string CConsoleCmdPauseTask::Execute() {
    return "Error: PauseTask( taskname ) requires atleast one parameter.";
}

std::string CConsoleCmdResumeTask::Execute(CVariableList* params) {
    if (!HasFirstString(params)) return Execute();
    CTaskFactory::GetSingleton()->ResumeTask(params->GetString(0));
    return "";
}

std::string CConsoleCmdResumeTask::Execute() {
    return "Error: ResumeTask( taskname ) requires atleast one parameter.";
}

std::string CConsoleCmdStopTask::Execute(CVariableList* params) {
    if (!HasFirstString(params)) return Execute();
    CTaskFactory::GetSingleton()->StopTask(params->GetString(0));
    return "";
}

std::string CConsoleCmdStopTask::Execute() {
    return "Error: StopTask( taskname ) requires atleast one parameter.";
}

void RegisterBasicCommands() {
    static bool registered = false;
    if (registered) return;
    registered = true;
    CCommandFactory* factory = CCommandFactory::GetSingleton();
    factory->RegisterCommand("basic", "quit", new CConsoleCmdQuit);
    factory->RegisterCommand("basic", "load", new CConsoleCmdLoad);
    factory->RegisterCommand("basic", "taskload", new CConsoleCmdTaskLoad);
    factory->RegisterCommand("basic", "starttask", new CConsoleCmdStartTask);
    factory->RegisterCommand("basic", "pausetask", new CConsoleCmdPauseTask);
    factory->RegisterCommand("basic", "resumetask", new CConsoleCmdResumeTask);
    factory->RegisterCommand("basic", "stoptask", new CConsoleCmdStopTask);
}

}  // namespace vorn
