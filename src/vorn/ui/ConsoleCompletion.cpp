#include "vorn/ui/ConsoleCompletion.h"

#include <algorithm>
#include <cctype>
#include <list>

#include "vorn/console/CConsole.h"
#include "vorn/tasks/CKernel.h"
#include "vorn/tasks/CTask.h"
#include "vorn/tasks/CTaskFactory.h"
#include "vorn/utils/containers/CVarRef.h"
#include "vorn/utils/string/StringUtils.h"

namespace vorn::ui {

namespace {

bool IsNameCharacter(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

bool StartsWithIgnoringCase(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() &&
           ToUpper(text.substr(0, prefix.size())) == ToUpper(prefix);
}

// The longest start all candidates share, ignoring case.
size_t CommonLength(const std::vector<std::string>& candidates) {
    size_t length = candidates.front().size();
    for (const std::string& candidate : candidates) {
        size_t same = 0;
        while (same < length && same < candidate.size() &&
               std::toupper(static_cast<unsigned char>(candidate[same])) ==
                   std::toupper(static_cast<unsigned char>(candidates.front()[same])))
            ++same;
        length = same;
    }
    return length;
}

}  // namespace

size_t NameStart(const std::string& line, size_t cursor) {
    size_t start = std::min(cursor, line.size());
    while (start > 0 && IsNameCharacter(line[start - 1]))
        --start;
    return start;
}

CCompletion CompleteName(const std::string& line, size_t cursor,
                         const std::vector<std::string>& names) {
    CCompletion result;
    result.line = line;
    result.cursor = std::min(cursor, line.size());
    const size_t start = NameStart(line, result.cursor);
    const std::string typed = line.substr(start, result.cursor - start);
    if (typed.empty()) return result;

    for (const std::string& name : names)
        if (StartsWithIgnoringCase(name, typed)) result.candidates.push_back(name);
    std::sort(result.candidates.begin(), result.candidates.end(),
              [](const std::string& a, const std::string& b) {
                  const std::string upperA = ToUpper(a), upperB = ToUpper(b);
                  return upperA != upperB ? upperA < upperB : a < b;
              });
    result.candidates.erase(std::unique(result.candidates.begin(), result.candidates.end()),
                            result.candidates.end());
    if (result.candidates.empty()) return result;

    // The consoles ignore case: a name that grows goes in spelt as it was
    // added; one that does not stays as typed.
    const size_t common = CommonLength(result.candidates);
    if (common <= typed.size()) return result;
    const std::string completion = result.candidates.front().substr(0, common);
    result.line = line.substr(0, start) + completion + line.substr(result.cursor);
    result.cursor = start + completion.size();
    return result;
}

std::vector<std::string> GetConsoleNames(const CConsole& console) {
    std::vector<std::string> names = console.GetCommandNames();
    for (const auto& entry : console.GetVariables()) {
        const CVarRefBase* variable = console.FindVariable(entry.first);
        const std::string name = variable ? variable->GetName() : "";
        names.push_back(ToUpper(name) == ToUpper(entry.first) ? name : entry.first);
    }
    return names;
}

std::vector<std::string> GetTaskNames() {
    std::vector<std::string> names;
    CKernel* kernel = CKernel::PeekSingleton();
    CTaskFactory* factory = CTaskFactory::PeekSingleton();
    if (!kernel || !factory) return names;
    for (const std::list<CTask*>* list :
         {&kernel->GetRunningList(), &kernel->GetPausedList(), &kernel->GetFocusPausedList()}) {
        for (const CTask* task : *list) {
            // Only what "name::" reaches: not the kernel's own or unnamed tasks.
            if (task->IsStopped() || factory->FindTask(task->GetName()) != task) continue;
            names.push_back(task->GetName());
        }
    }
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

}  // namespace vorn::ui
