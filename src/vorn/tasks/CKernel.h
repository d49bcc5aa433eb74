#pragma once

#include <list>
#include <memory>

#include "vorn/designpatterns/singleton/CStaticSingleton.h"
#include "vorn/input/IWindowListener.h"
#include "vorn/tasks/CTaskTimedTasks.h"

namespace vorn {

class CTask;
class CVariableList;

// The heart of the engine: keeps every live task in one of three lists
// (running, paused, paused because the window lost focus) and, in Run(),
// updates the running tasks once per pass in ascending priority until none is
// left running. Tasks are not owned. All calls happen on the engine thread.
class CKernel {
public:
    static CKernel* GetSingleton() { return CStaticSingleton<CKernel>::GetSingleton(); }
    static CKernel* PeekSingleton() { return CStaticSingleton<CKernel>::PeekSingleton(); }
    static void DeleteSingleton() { CStaticSingleton<CKernel>::DeleteSingleton(); }

    // Initialises the task (with params when given) and places it by priority,
    // or parks it in the paused list when Init fails. Timed tasks go to the runner.
    void AddTask(CTask* task, CVariableList* params = nullptr);
    void PauseTask(CTask* task);
    // Back into the running list without calling Init again.
    void ResumeTask(CTask* task);
    // Calls Exit once and marks the task stopped; it leaves the running list
    // at the start of the next pass.
    void StopTask(CTask* task);
    // Forgets a task that is being deleted, wherever it is.
    void ForgetTask(CTask* task);
    // Ends the loop at the end of the current pass.
    void Quit() { myQuitRequested = true; }
    // The same, and Run returns status (a start-up failure ends the program
    // with a non-zero status).
    void QuitWithStatus(int status) {
        myExitStatus = status;
        Quit();
    }
    // The frame loop; returns the status given to QuitWithStatus (0 without)
    // once no task is left running.
    int Run();
    // Runs one pass of the loop (used by Run and by tests), sleeping only off
    // the pass cap; false when no task is left running afterwards. Run also
    // sleeps between passes until the next task is due.
    bool RunPass();
    bool IsFocused() const;

    // Passes per second at most; 0 (the default) sets no cap. Either way, Run
    // sleeps after each pass until the earliest time a task, the timed-task
    // runner or a pseudo-thread is due (see CTask::GetMillisecondsToDue), so
    // the graphics task's frames set the pace; when none has a time, passes
    // follow back to back (or at the cap). Bound to the console variable
    // "kernel_max_passes_per_second".
    int* GetMaxPassesPerSecondPtr() { return &myMaxPassesPerSecond; }
    void SetMaxPassesPerSecond(int passes) { myMaxPassesPerSecond = passes; }
    // The longest the kernel sleeps at once, whatever the tasks say.
    static constexpr int MAX_SLEEP_MS = 100;
    // Number of times the loop gave the processor away (yield or sleep).
    unsigned long GetYieldCount() const { return myYieldCount; }

    void SetRunPseudoThreads(bool run) { myRunPseudoThreads = run; }
    CTaskTimedTasks* GetTimedTasks() { return &myTimedTasks; }

    const std::list<CTask*>& GetRunningList() const { return myRunning; }
    const std::list<CTask*>& GetPausedList() const { return myPaused; }
    const std::list<CTask*>& GetFocusPausedList() const { return myFocusPaused; }

private:
    friend class CStaticSingleton<CKernel>;
    CKernel();
    ~CKernel();

    class CWindowFocusHandler : public IWindowListener {
    public:
        explicit CWindowFocusHandler(CKernel* kernel) : myKernel(kernel) {}
        void OnResize(int, int) override {}
        void OnFocus(bool gained) override;
        bool IsFocused() const { return myFocused; }

    private:
        bool myFocused = true;
        CKernel* myKernel;
    };

    void InsertRunning(CTask* task);
    void StopAll();
    void RemoveStopped();
    void OnLostFocus();
    void OnGainedFocus();
    void WaitForNextPass();
    // Sleeps until the earliest running task or pseudo-thread is due.
    void SleepUntilDue();
    // Milliseconds until the earliest running task or pseudo-thread is due;
    // CTask::NO_DEADLINE when none has a time.
    int MillisecondsToNextDue() const;

    std::list<CTask*> myRunning;
    std::list<CTask*> myPaused;
    std::list<CTask*> myFocusPaused;
    std::unique_ptr<CWindowFocusHandler> myFocusHandler;
    bool myCleanupNeeded = false;
    bool myQuitRequested = false;
    int myExitStatus = 0;
    bool myRunPseudoThreads = true;
    int myMaxPassesPerSecond = 0;
    unsigned long myYieldCount = 0;
    // Bumped on every change of the running list, so a pass notices changes.
    unsigned long myRunningVersion = 0;
    long long myPassStartMicros = 0;
    // Declared last: destroyed first, while the lists above still exist.
    CTaskTimedTasks myTimedTasks;
};

}  // namespace vorn
