#include "vorn/input/CTaskMouse.h"

#include "vorn/input/CMouse.h"
#include "vorn/tasks/CTaskConsole.h"
#include "vorn/input/MouseCommands.h"

namespace vorn {

CTaskMouse::CTaskMouse() = default;
CTaskMouse::~CTaskMouse() = default;

bool CTaskMouse::Init() {
    CMouse::GetSingleton();
    myConsole = std::make_unique<CTaskConsole>();
    myConsole->AddCommand("CursorHide", new CConsoleCmdCursorHide);
    myConsole->AddCommand("CursorShow", new CConsoleCmdCursorShow);
    myConsole->AddCommand("CursorChangeTo", new CConsoleCmdCursorChangeTo);
    myConsole->AddCommand("CaptureInput", new CConsoleCmdCaptureInput);
    return true;
}

void CTaskMouse::Exit() {
    myConsole.reset();
}

bool CTaskMouse::ExecuteNamespaceLine(const std::string& text) {
    if (myConsole) myConsole->ExecuteLine(text);
    return true;
}

CConsole* CTaskMouse::GetConsole() const {
    return myConsole ? myConsole->GetConsole() : nullptr;
}

}  // namespace vorn
