#include "vorn/tasks/CApplicationFactory.h"

#include "vorn/console/BasicCommands.h"
#include "vorn/console/CCommandFactory.h"
#include "vorn/console/CLog.h"
#include "vorn/tasks/CKernel.h"
#include "vorn/utils/containers/CVarRef.h"

namespace vorn {

CApplicationFactory::CApplicationFactory() : myConsoleMaker(new CConsoleMaker<CConsoleBridge>) {}

CApplicationFactory::~CApplicationFactory() {
    myConsoleMaker.reset();
    myConsole.reset();
    CLog::DeleteSingleton();
}

CConsole* CApplicationFactory::GetConsole() {
    if (myConsole) return myConsole.get();
    myConsole.reset(myConsoleMaker->Create());
    RegisterBasicCommands();
    CCommandFactory::GetSingleton()->AttachLibrary("basic", myConsole.get());
    myConsole->AddVariable("kernel_max_passes_per_second",
                           new CVarRef<int>(CKernel::GetSingleton()->GetMaxPassesPerSecondPtr(),
                                            "kernel_max_passes_per_second"));
    return myConsole.get();
}

}  // namespace vorn
