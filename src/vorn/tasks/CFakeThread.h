#pragma once

#include <cstdint>

#include "vorn/utils/containers/CAutoList.h"
#include "vorn/utils/timer/CTimer.h"

namespace vorn {

// A cooperative pseudo-thread: Run() does one short step of work and is called
// by the kernel between passes, every step interval (10 ms by default) once
// started. Create with new; the scheduler deletes a thread once it is killed.
class CFakeThread : public CAutoList<CFakeThread> {
public:
    CFakeThread();
    virtual ~CFakeThread();

    virtual bool IsLess(const CFakeThread& other) const;
    // One step of work; must return quickly.
    virtual void Run() = 0;
    virtual void Start();
    // Ends the thread: the scheduler deletes it at its next walk.
    virtual bool Kill();
    virtual void Pause();
    virtual void Resume();
    virtual uint32_t GetTime() const { return myTimer.GetTime(); }

    bool IsSleeping() const { return mySleeping; }
    bool IsFinished() const { return myFinished; }
    void SetStepInterval(uint32_t ms) { myStepInterval = ms; }
    uint32_t GetStepInterval() const { return myStepInterval; }
    uint32_t GetDueTime() const { return myDueTime; }
    void SetDueTime(uint32_t ms) { myDueTime = ms; }

private:
    CTimer myTimer;
    bool mySleeping = true;
    uint32_t myStepInterval = 10;
    uint32_t myDueTime = 0;
    bool myFinished = false;
};

// Steps the due pseudo-threads; called by the kernel once per pass with a
// budget of 0 ms. See CFakeThread.cpp for the walk.
void RunFakeThreads(uint32_t budgetMs);
// Milliseconds until RunFakeThreads has a step to run: 0 when one is due,
// -1 when none will run (no thread, or the walk would stop at a sleeping one).
int MillisecondsToNextFakeThread();

}  // namespace vorn
