#pragma once

#include <cstdint>
#include <list>

#include "vorn/tasks/CTask.h"

namespace vorn {

class CKernel;

// The kernel's runner of timed tasks: each scheduled task is updated every
// interval milliseconds of global time. A task that fell behind is updated
// once per missed interval in the same pass. The runner sits in the kernel's
// paused list while it has nothing scheduled.
class CTaskTimedTasks : public CTask {
public:
    CTaskTimedTasks();

    void SetKernel(CKernel* kernel) { myKernel = kernel; }

    void AddTimedTask(CTask* task);
    void PauseTimedTask(CTask* task);
    void ResumeTimedTask(CTask* task);
    void StopTimedTask(CTask* task);
    // Drops every reference to a task that is being deleted.
    void ForgetTimedTask(CTask* task);

    bool Init() override { return !myScheduled.empty(); }
    void Update() override;
    void Exit() override;
    // Until the first scheduled task is due (it runs once the time is past
    // its due time).
    int GetMillisecondsToDue() const override;

    size_t GetScheduledCount() const { return myScheduled.size(); }
    size_t GetWaitingCount() const { return myWaiting.size(); }

private:
    struct Entry {
        CTask* task;
        uint32_t due;
        // When it was scheduled (added or resumed): the order among equal due times.
        uint64_t order;
    };
    void Schedule(CTask* task);
    // Keeps the list ordered by due time, then by scheduling order.
    void Sort();

    CKernel* myKernel = nullptr;
    std::list<Entry> myScheduled;
    std::list<CTask*> myWaiting;
    bool myCleanup = false;
    uint64_t myNextOrder = 0;
};

}  // namespace vorn
