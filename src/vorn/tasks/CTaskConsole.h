#pragma once

#include <memory>
#include <string>
#include <vector>

namespace vorn {

class CConsole;
class CConsoleCommand;

// The private console of a task that offers commands under its instance name
// ("keyboard::bind(...)", "mouse::CursorHide()"). Owns the console and the
// commands added to it.
class CTaskConsole {
public:
    CTaskConsole();
    ~CTaskConsole();
    CTaskConsole(const CTaskConsole&) = delete;
    CTaskConsole& operator=(const CTaskConsole&) = delete;

    // Takes ownership of command.
    void AddCommand(const std::string& name, CConsoleCommand* command);
    // Runs a line and returns its result. The caller of a namespace line never
    // sees the result, so a non-empty one is also written to the log.
    std::string ExecuteLine(const std::string& line);
    CConsole* GetConsole() const { return myConsole.get(); }

private:
    std::vector<std::unique_ptr<CConsoleCommand>> myCommands;
    std::unique_ptr<CConsole> myConsole;
};

}  // namespace vorn
