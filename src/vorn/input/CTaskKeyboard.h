#pragma once

#include <memory>
#include <string>

#include "vorn/tasks/CTask.h"

namespace vorn {

class CConsole;
class CTaskConsole;

// Task type "keyboard": owns the "bind" command, reached as
// "<task name>::bind(...)" (see CConsoleCmdBind.h), and dispatches the
// keyboard's queued keys to the bindings once per frame.
class CTaskKeyboard : public CTask {
public:
    CTaskKeyboard();
    ~CTaskKeyboard() override;

    // Creates the keyboard (if needed) and the private console with "bind".
    bool Init() override;
    // CKeyboard::Update.
    void Update() override;
    // Deletes the private console; the bindings stay with the keyboard.
    void Exit() override;
    // Runs the text on the private console; always handled.
    bool ExecuteNamespaceLine(const std::string& text) override;
    // Null before Init and after Exit.
    CConsole* GetConsole() const;
    CConsole* GetCommandConsole() const override { return GetConsole(); }

private:
    std::unique_ptr<CTaskConsole> myConsole;
};

}  // namespace vorn
