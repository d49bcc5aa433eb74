#include "vorn/input/CTaskKeyboard.h"

#include "vorn/input/CConsoleCmdBind.h"
#include "vorn/input/CKeyboard.h"
#include "vorn/tasks/CTaskConsole.h"

namespace vorn {

CTaskKeyboard::CTaskKeyboard() = default;
CTaskKeyboard::~CTaskKeyboard() = default;

bool CTaskKeyboard::Init() {
    CKeyboard::GetSingleton();
    myConsole = std::make_unique<CTaskConsole>();
    myConsole->AddCommand("bind", new CConsoleCmdBind);
    return true;
}

void CTaskKeyboard::Update() {
    CKeyboard::GetSingleton()->Update();
}

void CTaskKeyboard::Exit() {
    myConsole.reset();
}

bool CTaskKeyboard::ExecuteNamespaceLine(const std::string& text) {
    if (myConsole) myConsole->ExecuteLine(text);
    return true;
}

CConsole* CTaskKeyboard::GetConsole() const {
    return myConsole ? myConsole->GetConsole() : nullptr;
}

}  // namespace vorn
