#include "vorn/tasks/CApplication.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "vorn/console/CConsole.h"
#include "vorn/console/CLog.h"
#include "vorn/tasks/CApplicationFactory.h"
#include "vorn/tasks/CKernel.h"
#include "vorn/tasks/CTaskFactory.h"

namespace vorn {

CApplication::CApplication(int argc, char** argv)
    : myKernel(CKernel::GetSingleton()), myScriptName("autoexec.txt") {
    // A script named on the command line replaces autoexec.txt (the one for
    // the OpenGL back end, autoexec_gl.txt, is run so).
    if (argc > 1 && argv && argv[1] && argv[1][0] != '\0') myScriptName = argv[1];
    CConsole* console = CApplicationFactory::GetSingleton()->GetConsole();
    myScriptFound = static_cast<bool>(std::ifstream(myScriptName));
    if (!myScriptFound) {
        // Without its script the program has nothing to run and ends at once:
        // say where it looked.
        std::error_code error;
        const std::string folder = std::filesystem::current_path(error).string();
        std::fprintf(stderr, "monsters: cannot read the start-up script %s in %s\n",
                     myScriptName.c_str(), folder.c_str());
        CLog::GetSingleton()->Printf("[ERROR] Cannot read the start-up script %s in %s\n",
                                     myScriptName.c_str(), folder.c_str());
        return;
    }
    console->ExecuteFile(myScriptName);
}

CApplication::~CApplication() {
    // Release the tasks first, while kernel and log still exist, so that each
    // gets its Exit and closes what it opened.
    CTaskFactory::DeleteSingleton();
    CKernel::DeleteSingleton();
    myKernel = nullptr;
    CApplicationFactory::DeleteSingleton();
}

int CApplication::Run() {
    return myKernel->Run();
}

}  // namespace vorn
