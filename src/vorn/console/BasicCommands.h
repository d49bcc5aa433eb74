#pragma once

#include "vorn/console/CConsoleCommand.h"

// The command library "basic", attached to the main console: quit, load,
// taskload, starttask, pausetask, resumetask, stoptask.
namespace vorn {

class CConsoleCmdQuit : public CConsoleCommand {
public:
    std::string Execute() override;
};

class CConsoleCmdLoad : public CConsoleCommand {
public:
    std::string Execute(CVariableList* params) override;
    std::string Execute() override;
};

class CConsoleCmdTaskLoad : public CConsoleCommand {
public:
    std::string Execute(CVariableList* params) override;
    std::string Execute() override;
};

class CConsoleCmdStartTask : public CConsoleCommand {
public:
    std::string Execute(CVariableList* params) override;
    std::string Execute() override;
};

class CConsoleCmdPauseTask : public CConsoleCommand {
public:
    std::string Execute(CVariableList* params) override;
    std::string Execute() override;
};

class CConsoleCmdResumeTask : public CConsoleCommand {
public:
    std::string Execute(CVariableList* params) override;
    std::string Execute() override;
};

class CConsoleCmdStopTask : public CConsoleCommand {
public:
    std::string Execute(CVariableList* params) override;
    std::string Execute() override;
};

// Registers the seven commands under the library "basic" (once per process).
void RegisterBasicCommands();

}  // namespace vorn
