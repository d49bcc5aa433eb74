#pragma once

#include <memory>
#include <string>

#include "vorn/tasks/CTask.h"

namespace vorn {

class CConsole;
class CTaskConsole;

// Task type "mouse": owns the cursor commands (MouseCommands.h), reached as
// "<task name>::CursorHide()". It has no per-frame work: the mouse itself
// gets its events straight from the event bridge.
class CTaskMouse : public CTask {
public:
    CTaskMouse();
    ~CTaskMouse() override;

    // Creates the mouse (if needed) and the private console with the commands.
    bool Init() override;
    void Update() override {}
    // Deletes the commands.
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
