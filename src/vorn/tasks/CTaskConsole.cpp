#include "vorn/tasks/CTaskConsole.h"

#include "vorn/console/CConsole.h"
#include "vorn/console/CConsoleCommand.h"
#include "vorn/console/CLog.h"
#include "vorn/tasks/CApplicationFactory.h"
#include "vorn/utils/string/StringUtils.h"

namespace vorn {

CTaskConsole::CTaskConsole() : myConsole(CApplicationFactory::GetSingleton()->CreateConsole()) {}

// The console goes first (it does not own the commands).
CTaskConsole::~CTaskConsole() {
    myConsole.reset();
}

void CTaskConsole::AddCommand(const std::string& name, CConsoleCommand* command) {
    myCommands.emplace_back(command);
    myConsole->AddCommand(name, command);
}

std::string CTaskConsole::ExecuteLine(const std::string& line) {
    const std::string result = myConsole->ExecuteLine(line, false);
    const std::string text = Trim(result, " \t\r\n");
    if (!text.empty()) {
        CLog* log = CLog::GetSingleton();
        if (StartsWith(text, "[ERROR]")) log->Error();
        *log << text << "\n";
    }
    return result;
}

}  // namespace vorn
