#pragma once

#include <string>

#include "vorn/console/CConsoleCommand.h"

// The commands of the debug task's private console (CTaskDebug), reached as
// "<task name>::Command(...)":
//
//   ToggleConsole()                opens or closes the console window
//   BanAsserts(n)                  0 allows the assert dialog, anything else bans it
//   RecordInput(file)              records the mouse into file (CRecordMouse)
//   PlaybackInput(file[, mode])    plays file back (CPlaybackMouse) in mode 0
//                                  (real time), 1 (as fast as frames go) or 2
//                                  (real time, never passing an event; default)
//   Screenshot([prefix[, window]]) saves the screen through the window task
//                                  (default "window") as prefix_0001.bmp,
//                                  prefix_0002.bmp, ...: always one number
//                                  above the highest shot there, so no earlier
//                                  shot is ever overwritten (default prefix
//                                  "screenshot"; a folder in it is made)
//
// Misuse is reported in the log at error level; the result is always "".
// Each command is one process-wide object; those that act on a debug task
// hold a pointer to it, set by its Init and cleared by its Exit.
namespace vorn {

class CTaskDebug;

// A command that acts on the debug task; the task sets the pointer in Init
// and clears it in Exit.
class CDebugTaskCommand : public CConsoleCommand {
public:
    void SetTask(CTaskDebug* task) { myTask = task; }
    CTaskDebug* GetTask() const { return myTask; }

private:
    CTaskDebug* myTask = nullptr;
};

class CConsoleCmdToggleConsole : public CDebugTaskCommand {
public:
    std::string Execute(CVariableList* params) override;
    std::string Execute() override;
};

class CConsoleCmdBanAsserts : public CConsoleCommand {
public:
    static const char* const USAGE;
    std::string Execute(CVariableList* params) override;
    std::string Execute() override;
};

class CConsoleCmdRecordInput : public CDebugTaskCommand {
public:
    static const char* const USAGE;
    std::string Execute(CVariableList* params) override;
    std::string Execute() override;
};

class CConsoleCmdPlaybackInput : public CDebugTaskCommand {
public:
    static const char* const USAGE;
    std::string Execute(CVariableList* params) override;
    std::string Execute() override;
};

class CConsoleCmdScreenshot : public CConsoleCommand {
public:
    std::string Execute(CVariableList* params) override;
    std::string Execute() override;
};

CConsoleCmdToggleConsole& GetToggleConsoleCommand();
CConsoleCmdBanAsserts& GetBanAssertsCommand();
CConsoleCmdRecordInput& GetRecordInputCommand();
CConsoleCmdPlaybackInput& GetPlaybackInputCommand();
CConsoleCmdScreenshot& GetScreenshotCommand();

// The process-wide assert-ban flag that BanAsserts sets.
bool AreAssertsBanned();
void SetAssertsBanned(bool banned);

// The next free numbered file for prefix: prefix + "_" + at least four
// digits + ".bmp", numbered one above the highest such file that exists.
// "" (with a log line) when the numbers are used up or the folder cannot be
// read or made.
std::string NextScreenshotName(const std::string& prefix);

}  // namespace vorn
