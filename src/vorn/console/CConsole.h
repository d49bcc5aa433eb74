#pragma once

#include <cstddef>
#include <iosfwd>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace vorn {

class CConsoleCommand;
class CVarRefBase;
class CVariableList;

// The console language. Every configuration step is a line of text:
//
//   name(arg, arg, ...)   command call; each argument is itself executed as a
//                         line first (so it may be a call, a variable or an
//                         assignment), then trimmed; an argument made only of
//                         "0123456789.+-" is a number, anything else a string
//                         (surrounding double quotes removed; a quoted argument
//                         is taken literally and not executed)
//   name                  command without parameters, else the variable's value,
//                         else the text itself (so literals pass through)
//   name = value          assigns (creating a string variable if needed); the
//                         value side is executed as a line first
//   a; b; c               statements in order; the results are joined, each
//                         followed by "\n"
//   task::line            line sent to the task started under that name
//   // comment            ignored; text after "//" is cut off
//
// A line holding ";" or "::" anywhere (a comment included) is a sequence or a
// namespace line, with the comment cut off before it is split; "a // b" with
// neither runs a.
//
// Commas, ";", "::", "//" and "=" inside double quotes do not count. Command and
// variable names are case-insensitive unless SetCaseSensitive(true).
// Nesting deeper than MAX_DEPTH (calls within calls, scripts loading scripts)
// is refused with a log line, and so is a script that loads itself.
class CConsole {
public:
    static constexpr int MAX_DEPTH = 64;
    // Bounds of a script run by ExecuteFile: a longer line is skipped with a
    // log line naming it; at the script bound reading stops with a log line.
    static constexpr size_t MAX_SCRIPT_LINE = 1024 * 1024;
    static constexpr size_t MAX_SCRIPT_SIZE = 64 * 1024 * 1024;

    CConsole();
    virtual ~CConsole();
    CConsole(const CConsole&) = delete;
    CConsole& operator=(const CConsole&) = delete;

    // Executes one line and returns its result text ("" when nothing to report).
    virtual std::string ExecuteLine(const std::string& line, bool echo = false);
    // Executes a script line by line; a file that cannot be opened runs nothing.
    virtual std::string ExecuteFile(const std::string& fileName);
    virtual std::string ExecuteVariableStatement(const std::string& line);
    // The console does not own commands.
    virtual void AddCommand(const std::string& name, CConsoleCommand* command);
    virtual void RemoveCommand(const std::string& name);
    virtual CConsoleCommand* FindCommand(const std::string& name) const;
    virtual void SetCaseSensitive(bool caseSensitive) { myCaseSensitive = caseSensitive; }
    virtual bool IsCaseSensitive() const { return myCaseSensitive; }
    virtual std::map<std::string, CConsoleCommand*> GetCommands() const { return myCommands; }
    // The names of the commands as they were added (GetCommands is keyed by
    // the names as looked up: in capitals unless case-sensitive).
    std::vector<std::string> GetCommandNames() const;
    // The text before the first "(" (all of it when there is none).
    virtual std::string GetFunctionName(const std::string& line) const;
    virtual bool IsCompound(const std::string& line) const;
    virtual std::string ExecuteCompound(const std::string& line);
    // The base runs text on this console; the main console sends it to a task.
    virtual std::string ExecuteInNamespace(const std::string& space, const std::string& text);

    // Takes ownership of reference; replaces (and deletes) any variable of that name.
    void AddVariable(const std::string& name, CVarRefBase* reference);
    void RemoveVariable(const std::string& name);
    CVarRefBase* FindVariable(const std::string& name) const;
    void SetVariable(const std::string& name, const std::string& text);
    std::string GetVariable(const std::string& name) const;
    // Names of all variables (their keys).
    std::map<std::string, std::string> GetVariables() const;

    // The parameters of a call: null when the line has no "(" ... ")". The
    // caller owns the list.
    CVariableList* ParseParameters(const std::string& line);

protected:
    std::string MakeKey(const std::string& name) const;

private:
    std::string ExecuteLineUnguarded(const std::string& line);
    void RunScript(std::istream& file, const std::string& fileName);

    std::map<std::string, CConsoleCommand*> myCommands;
    std::map<std::string, std::string> myCommandNames;  // key -> name as added
    std::map<std::string, std::unique_ptr<CVarRefBase>> myVariables;
    bool myCaseSensitive = false;
};

}  // namespace vorn
