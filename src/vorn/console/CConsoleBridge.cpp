#include "vorn/console/CConsoleBridge.h"

#include "vorn/console/CLog.h"
#include "vorn/tasks/CTaskFactory.h"

namespace vorn {

std::string CConsoleBridge::ExecuteLine(const std::string& line, bool echo) {
    if (!echo) return CConsole::ExecuteLine(line, false);
    *CLog::GetSingleton() << line << "\n";
    const std::string result = CConsole::ExecuteLine(line, false);
    if (!result.empty()) *CLog::GetSingleton() << result << "\n";
    return result;
}

std::string CConsoleBridge::ExecuteInNamespace(const std::string& space, const std::string& text) {
    if (CTaskFactory::GetSingleton()->SendToNamespace(space, text)) return "";
    return "No namespace named space\n";
}

}  // namespace vorn
