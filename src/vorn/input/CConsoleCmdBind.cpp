#include "vorn/input/CConsoleCmdBind.h"

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "vorn/console/CLog.h"
#include "vorn/console/CVariable.h"
#include "vorn/input/CKeyboard.h"
#include "vorn/input/KeyCommandEvents.h"
#include "vorn/input/KeyNames.h"

namespace vorn {

const char* const CConsoleCmdBind::USAGE =
    "[ERROR] You cannot bind unless you give us something to bind to something\n";

namespace {

// Truncation toward zero, clamped to the int range (NaN gives the default).
int ToPriority(double value) {
    if (std::isnan(value)) return IKeyEvent::DEFAULT_PRIORITY;
    if (value >= std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    if (value <= std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
    return static_cast<int>(value);
}

// KEY_NONE for anything that is not a key code once truncated.
int ToKeyCode(double value) {
    if (!std::isfinite(value)) return KEY_NONE;
    const double code = std::trunc(value);
    return code >= 0 && code < KEY_COUNT ? static_cast<int>(code) : KEY_NONE;
}

int NameToCode(const std::string& name) {
    if (!IsKeyName(name))
        CLog::GetSingleton()->Printf("[WARNING] bind: unknown key name \"%s\", bound to key 0\n",
                                     name.c_str());
    return GetKeyCode(name);
}

std::vector<std::string> SplitAtBlanks(const std::string& text) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : text) {
        if (c == ' ' || c == '\t') {
            if (!part.empty()) parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    if (!part.empty()) parts.push_back(part);
    return parts;
}

}  // namespace

std::string CConsoleCmdBind::Execute(CVariableList* params) {
    if (!params || params->Size() < 2) return USAGE;

    int key = KEY_NONE;
    std::string name;
    if (params->IsType(0, CVariable::TYPE_STRING)) {
        name = params->GetString(0);
    } else if (params->IsType(0, CVariable::TYPE_NUMBER)) {
        key = ToKeyCode(params->GetNumber(0));
    }
    if (!params->IsType(1, CVariable::TYPE_STRING)) return USAGE;
    const std::string line = params->GetString(1);
    int priority = IKeyEvent::DEFAULT_PRIORITY;
    if (params->IsType(2, CVariable::TYPE_NUMBER)) priority = ToPriority(params->GetNumber(2));

    CKeyboard* keyboard = CKeyboard::GetSingleton();
    if (name.find_first_of(" \t") != std::string::npos) {
        std::vector<int> keys;
        for (const std::string& part : SplitAtBlanks(name))
            keys.push_back(NameToCode(part));
        if (keys.empty()) return USAGE;
        keyboard->BindMulti(CSmartPtr<IKeyEvent>(new CMultiKeyCommandEvent(keys, line)), priority);
    } else if (!name.empty()) {
        keyboard->Bind(NameToCode(name), CSmartPtr<IKeyEvent>(new CKeyCommandEvent(line)),
                       priority);
    } else if (key != KEY_NONE) {
        keyboard->Bind(key, CSmartPtr<IKeyEvent>(new CKeyCommandEvent(line)), priority);
    } else {
        return USAGE;
    }
    return "";
}

}  // namespace vorn
