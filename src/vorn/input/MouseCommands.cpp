#include "vorn/input/MouseCommands.h"

#include "vorn/console/CVariable.h"
#include "vorn/input/CMouse.h"
#include "vorn/input/CursorTypes.h"

namespace vorn {

const char* const CConsoleCmdCursorChangeTo::USAGE =
    "[ERROR] Needs a parameter to define to what we change our cursor( like arrow, cross, "
    "text... )";
const char* const CConsoleCmdCursorChangeTo::NOT_A_NAME =
    "[ERROR] Could not recognize your cursor type";
const char* const CConsoleCmdCaptureInput::NOT_A_NUMBER = "[ERROR] Input need to be of number";

std::string CConsoleCmdCursorHide::Execute() {
    CMouse::GetSingleton()->HideCursor();
    return "";
}

std::string CConsoleCmdCursorShow::Execute() {
    CMouse::GetSingleton()->ShowCursor();
    return "";
}

std::string CConsoleCmdCursorChangeTo::Execute(CVariableList* params) {
    if (!params || params->Empty()) return USAGE;
    if (!params->IsType(0, CVariable::TYPE_STRING)) return NOT_A_NAME;
    CMouse::GetSingleton()->SetCursor(GetCursorType(params->GetString(0)));
    return "";
}

std::string CConsoleCmdCaptureInput::Execute(CVariableList* params) {
    if (!params || !params->IsType(0, CVariable::TYPE_NUMBER)) return NOT_A_NUMBER;
    CMouse::GetSingleton()->GrabInput(params->GetNumber(0) != 0);
    return "";
}

}  // namespace vorn
