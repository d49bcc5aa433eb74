#include "vorn/console/CConsole.h"

#include <cstring>
#include <fstream>
#include <istream>
#include <set>
#include <vector>

#include "vorn/console/CCommandFactory.h"
#include "vorn/console/CConsoleCommand.h"
#include "vorn/console/CLog.h"
#include "vorn/console/CVariable.h"
#include "vorn/io/CPath.h"
#include "vorn/utils/containers/CVarRef.h"
#include "vorn/utils/string/StringUtils.h"

namespace vorn {

namespace {

// Nesting across every console: calls within calls, namespace lines and
// scripts loading scripts all go through ExecuteLine.
int& Depth() {
    static int depth = 0;
    return depth;
}

// Scripts being executed right now, to refuse a script that loads itself.
std::set<std::string>& FilesInProgress() {
    static std::set<std::string> files;
    return files;
}

bool IsNumberText(const std::string& text) {
    return text.find_first_not_of("0123456789.+-") == std::string::npos;
}

bool IsQuoted(const std::string& text) {
    return text.size() >= 2 && text.front() == '"' && text.back() == '"';
}

}  // namespace

bool HasFirstString(const CVariableList* params) {
    return params && !params->Empty() && params->IsType(0, CVariable::TYPE_STRING);
}

CConsole::CConsole() = default;
CConsole::~CConsole() {
    if (CCommandFactory* factory = CCommandFactory::PeekSingleton()) factory->ForgetConsole(this);
}

std::string CConsole::MakeKey(const std::string& name) const {
    return myCaseSensitive ? name : ToUpper(name);
}

std::string CConsole::ExecuteLine(const std::string& line, bool echo) {
    (void)echo;
    int& depth = Depth();
    if (depth >= MAX_DEPTH) {
        CLog::GetSingleton()->Printf(
            "[ERROR] Console: line nested deeper than %d levels, refused: %.80s\n", MAX_DEPTH,
            line.c_str());
        return "";
    }
    ++depth;
    std::string result = ExecuteLineUnguarded(line);
    --depth;
    return result;
}

std::string CConsole::ExecuteLineUnguarded(const std::string& line) {
    if (IsCompound(line)) return ExecuteCompound(line);
    const std::string name = Trim(GetFunctionName(line));
    std::unique_ptr<CVariableList> params(ParseParameters(line));
    CConsoleCommand* command = FindCommand(name);
    if (!command) return ExecuteVariableStatement(line);
    if (params) return command->Execute(params.get());
    return command->Execute();
}

std::string CConsole::ExecuteFile(const std::string& fileName) {
    const std::string key = CPath::FileIdentity(fileName);
    if (FilesInProgress().count(key)) {
        CLog::GetSingleton()->Printf(
            "[ERROR] Console: %s is already being executed; a script cannot load itself.\n",
            fileName.c_str());
        return "";
    }
    std::ifstream file(fileName, std::ios::binary);
    if (!file) return "";
    FilesInProgress().insert(key);
    RunScript(file, fileName);
    FilesInProgress().erase(key);
    return "";
}

void CConsole::RunScript(std::istream& file, const std::string& fileName) {
    // Read in blocks and bound both the line and the whole script: a file
    // without line breaks (or a device such as /dev/zero, which reports no
    // size) must not grow one line until memory runs out.
    std::vector<char> block(64 * 1024);
    std::string line;
    size_t lineNumber = 1;
    size_t total = 0;
    bool tooLong = false;
    auto finishLine = [&]() {
        // Scripts written on other systems end their lines with "\r\n".
        if (!tooLong && !line.empty() && line.back() == '\r') line.pop_back();
        if (tooLong || line.size() > MAX_SCRIPT_LINE) {
            CLog::GetSingleton()->Printf(
                "[ERROR] Console: line %zu of %s is longer than %zu bytes; skipped\n", lineNumber,
                fileName.c_str(), MAX_SCRIPT_LINE);
        } else {
            ExecuteLine(line, false);
        }
        line.clear();
        tooLong = false;
        ++lineNumber;
    };
    while (file) {
        file.read(block.data(), static_cast<std::streamsize>(block.size()));
        size_t count = static_cast<size_t>(file.gcount());
        if (count == 0) break;
        // Counted while reading: a device reports no size up front.
        const bool atBound = count > MAX_SCRIPT_SIZE - total;
        if (atBound) count = MAX_SCRIPT_SIZE - total;
        total += count;
        const char* at = block.data();
        const char* end = at + count;
        while (at < end) {
            const char* lineEnd = static_cast<const char*>(std::memchr(at, '\n', end - at));
            const char* pieceEnd = lineEnd ? lineEnd : end;
            // One byte over the bound may be the "\r" of a "\r\n" ending.
            const size_t piece = static_cast<size_t>(pieceEnd - at);
            if (!tooLong && line.size() + piece > MAX_SCRIPT_LINE + 1) {
                tooLong = true;
                std::string().swap(line);
            } else if (!tooLong) {
                line.append(at, piece);
            }
            if (!lineEnd) break;
            finishLine();
            at = lineEnd + 1;
        }
        if (atBound) {
            CLog::GetSingleton()->Printf(
                "[ERROR] Console: %s is larger than %zu bytes; reading stopped in line %zu\n",
                fileName.c_str(), MAX_SCRIPT_SIZE, lineNumber);
            return;
        }
    }
    // The last line counts whether or not it ends with a line break.
    if (!line.empty() || tooLong) finishLine();
}

std::string CConsole::ExecuteVariableStatement(const std::string& line) {
    if (FindOutsideQuotes(line, "=") != std::string::npos) {
        const std::vector<std::string> pieces = SplitOutsideQuotes(line, "=");
        if (pieces.empty()) return "";
        // "= 5" has no name: the only piece is the value.
        if (Trim(line).front() == '=') return "";
        const std::string name = Trim(pieces[0]);
        const std::string value = pieces.size() > 1 ? Trim(ExecuteLine(pieces[1], false)) : "";
        if (name.empty()) return "";
        SetVariable(name, value);
        return GetVariable(name);
    }
    const std::string name = Trim(line);
    if (CVarRefBase* variable = FindVariable(name)) return variable->GetValue();
    return name;
}

void CConsole::AddCommand(const std::string& name, CConsoleCommand* command) {
    const std::string key = MakeKey(name);
    myCommands.erase(key);
    myCommandNames.erase(key);
    if (command) {
        myCommands[key] = command;
        myCommandNames[key] = name;
    }
}

void CConsole::RemoveCommand(const std::string& name) {
    myCommands.erase(MakeKey(name));
    myCommandNames.erase(MakeKey(name));
}

std::vector<std::string> CConsole::GetCommandNames() const {
    std::vector<std::string> names;
    for (const auto& entry : myCommands) {
        auto it = myCommandNames.find(entry.first);
        names.push_back(it != myCommandNames.end() ? it->second : entry.first);
    }
    return names;
}

CConsoleCommand* CConsole::FindCommand(const std::string& name) const {
    auto it = myCommands.find(MakeKey(name));
    return it == myCommands.end() ? nullptr : it->second;
}

std::string CConsole::GetFunctionName(const std::string& line) const {
    return line.substr(0, line.find('('));
}

bool CConsole::IsCompound(const std::string& line) const {
    if (Trim(line).empty()) return true;
    return FindOutsideQuotes(line, "::") != std::string::npos ||
           FindOutsideQuotes(line, ";") != std::string::npos ||
           FindOutsideQuotes(line, "//") != std::string::npos;
}

std::string CConsole::ExecuteCompound(const std::string& line) {
    if (Trim(line).empty()) return "";
    if (StartsWith(line, "//")) return "";
    // ";" and "::" are looked for on the whole line, comment included, before
    // the comment is cut off: "a // b; c" runs a as a sequence of one.
    const size_t comment = FindOutsideQuotes(line, "//");
    if (FindOutsideQuotes(line, ";") != std::string::npos) {
        std::string result;
        for (const std::string& statement : SplitOutsideQuotes(line.substr(0, comment), ";")) {
            result += ExecuteLine(statement, false);
            result += "\n";
        }
        return result;
    }
    if (FindOutsideQuotes(line, "::") != std::string::npos) {
        const std::vector<std::string> pieces = SplitOutsideQuotes(line.substr(0, comment), "::");
        if (pieces.size() < 2) return "";
        return ExecuteInNamespace(pieces[0], pieces[1]);
    }
    // Neither: text followed by a comment runs the text.
    const std::string code = line.substr(0, comment);
    if (comment != std::string::npos && !Trim(code).empty()) return ExecuteLine(code, false);
    return "";
}

std::string CConsole::ExecuteInNamespace(const std::string& space, const std::string& text) {
    (void)space;
    return ExecuteLine(text, false);
}

CVariableList* CConsole::ParseParameters(const std::string& line) {
    const size_t open = line.find('(');
    if (open == std::string::npos) return nullptr;
    const size_t close = line.rfind(')');
    // A ")" before the "(" encloses nothing: the line has no call.
    if (close == std::string::npos || close < open) return nullptr;

    auto* params = new CVariableList;
    const std::string inner = line.substr(open + 1, close - open - 1);
    for (const std::string& rawPiece : SplitOutsideQuotes(inner, ",")) {
        // A quoted argument is a literal: never executed.
        const std::string trimmed = Trim(rawPiece);
        const std::string piece = IsQuoted(trimmed) ? trimmed : Trim(ExecuteLine(rawPiece, false));
        if (IsNumberText(piece)) {
            params->PushBack(new CVariableNumber(StringToNumber(piece)));
        } else if (IsQuoted(piece)) {
            params->PushBack(new CVariableString(piece.substr(1, piece.size() - 2)));
        } else {
            params->PushBack(new CVariableString(piece));
        }
    }
    return params;
}

void CConsole::AddVariable(const std::string& name, CVarRefBase* reference) {
    const std::string key = MakeKey(name);
    myVariables.erase(key);
    if (reference) myVariables[key].reset(reference);
}

void CConsole::RemoveVariable(const std::string& name) {
    myVariables.erase(MakeKey(name));
}

CVarRefBase* CConsole::FindVariable(const std::string& name) const {
    auto it = myVariables.find(MakeKey(name));
    return it == myVariables.end() ? nullptr : it->second.get();
}

void CConsole::SetVariable(const std::string& name, const std::string& text) {
    CVarRefBase* variable = FindVariable(name);
    if (!variable) {
        variable = new CVarRefEmpty<std::string>(name);
        myVariables[MakeKey(name)].reset(variable);
    }
    variable->SetValue(text);
}

std::string CConsole::GetVariable(const std::string& name) const {
    const CVarRefBase* variable = FindVariable(name);
    return variable ? variable->GetValue() : "";
}

std::map<std::string, std::string> CConsole::GetVariables() const {
    std::map<std::string, std::string> result;
    for (const auto& entry : myVariables)
        result[entry.first] = entry.second->GetValue();
    return result;
}

}  // namespace vorn
