#pragma once

#include <cstdint>
#include <string>

namespace vorn {

class CConsole;
class CVariableList;

// The unit of scheduled work. The kernel updates running tasks once per pass
// in ascending priority; a task with a non-zero interval is a timed task, run
// every interval milliseconds by the kernel's timed-task runner instead.
// Tasks are created and owned by the task factory; the kernel only orders them.
class CTask {
public:
    CTask();
    CTask(int priority, const std::string& name);
    CTask(const CTask&) = delete;
    CTask& operator=(const CTask&) = delete;
    // Stops the task through the kernel. Derived tasks that need Exit() run
    // must be stopped before they are deleted (the task factory does so).
    virtual ~CTask();

    // Ordering: by interval for timed tasks, else by priority.
    virtual bool IsLess(const CTask& other) const;
    // Start-up with the parameters left over from the start command.
    virtual bool Init(CVariableList* params);
    // False parks the task in the kernel's paused list.
    virtual bool Init() { return true; }
    virtual void Update() = 0;
    // Called once when the task is stopped.
    virtual void Exit() {}
    virtual void OnPause() {}
    virtual void OnResume() {}
    virtual void SetPriority(int priority) { myPriority = priority; }
    virtual int GetPriority() const { return myPriority; }
    virtual bool IsStopped() const { return myStopped; }
    virtual void SetStopped(bool stopped) { myStopped = stopped; }
    virtual std::string GetName() const { return myName; }
    virtual void SetName(const std::string& name) { myName = name; }
    // Receives the text after "name::" from the console. False: not handled.
    virtual bool ExecuteNamespaceLine(const std::string& text) {
        (void)text;
        return false;
    }
    // The private console whose commands "name::" reaches, for completing
    // them in the developer console; null when the task offers none.
    virtual CConsole* GetCommandConsole() const { return nullptr; }
    virtual bool IsTimed() const { return myInterval != 0; }
    virtual void SetInterval(uint32_t ms) { myInterval = ms; }
    virtual uint32_t GetInterval() const { return myInterval; }
    virtual bool PausesOnFocusLoss() const { return false; }

    // For the kernel's sleeping between passes: milliseconds from now until
    // the task next has work, 0 for the very next pass, or NO_DEADLINE (the
    // default) for a task without times of its own that is content to run
    // whenever the kernel passes (event polling, key bindings, ...). The
    // kernel sleeps until the earliest of these.
    static constexpr int NO_DEADLINE = -1;
    virtual int GetMillisecondsToDue() const { return NO_DEADLINE; }

private:
    std::string myName;
    int myPriority;
    bool myStopped = false;
    uint32_t myInterval = 0;
};

}  // namespace vorn
