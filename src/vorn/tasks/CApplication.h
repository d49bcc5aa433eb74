#pragma once

#include <string>

namespace vorn {

class CKernel;

// The program: runs the start-up script "autoexec.txt" from the working
// directory (or the script named by the first command-line argument) through
// the main console, then hands over to the kernel loop.
class CApplication {
public:
    CApplication(int argc, char** argv);
    ~CApplication();
    CApplication(const CApplication&) = delete;
    CApplication& operator=(const CApplication&) = delete;

    // The kernel loop; returns 0, or the code of CKernel::QuitWithStatus.
    int Run();
    // False when the start-up script could not be read.
    bool HasStartupScript() const { return myScriptFound; }

private:
    CKernel* myKernel;
    std::string myScriptName;
    bool myScriptFound = false;
};

}  // namespace vorn
