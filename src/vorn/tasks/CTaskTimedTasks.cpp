#include "vorn/tasks/CTaskTimedTasks.h"

#include <algorithm>

#include "vorn/tasks/CKernel.h"
#include "vorn/utils/timer/GlobalTime.h"

namespace vorn {

CTaskTimedTasks::CTaskTimedTasks() : CTask(100, "TimedTasks") {}

void CTaskTimedTasks::Sort() {
    // Signed difference so that due times keep their order across the wrap.
    // Equal due times go by scheduling order: a rescheduled front entry must
    // not stay ahead of one that was scheduled before it.
    myScheduled.sort([](const Entry& a, const Entry& b) {
        const int32_t difference = static_cast<int32_t>(a.due - b.due);
        return difference != 0 ? difference < 0 : a.order < b.order;
    });
}

void CTaskTimedTasks::Schedule(CTask* task) {
    if (myScheduled.empty() && myKernel) myKernel->ResumeTask(this);
    myScheduled.push_back(Entry{task, GetGlobalTime() + task->GetInterval(), myNextOrder++});
    Sort();
}

void CTaskTimedTasks::AddTimedTask(CTask* task) {
    if (!task) return;
    if (!task->Init()) {
        myWaiting.push_back(task);
        return;
    }
    Schedule(task);
}

void CTaskTimedTasks::PauseTimedTask(CTask* task) {
    auto it = std::find_if(myScheduled.begin(), myScheduled.end(),
                           [task](const Entry& e) { return e.task == task; });
    if (it == myScheduled.end()) return;
    task->OnPause();
    myScheduled.erase(it);
    myWaiting.push_back(task);
}

void CTaskTimedTasks::ResumeTimedTask(CTask* task) {
    auto it = std::find(myWaiting.begin(), myWaiting.end(), task);
    if (it == myWaiting.end()) return;
    task->OnResume();
    myWaiting.erase(it);
    Schedule(task);
}

void CTaskTimedTasks::StopTimedTask(CTask* task) {
    if (!task->IsStopped()) task->Exit();
    task->SetStopped(true);
    myCleanup = true;
}

void CTaskTimedTasks::ForgetTimedTask(CTask* task) {
    myScheduled.remove_if([task](const Entry& e) { return e.task == task; });
    myWaiting.remove(task);
}

void CTaskTimedTasks::Update() {
    if (myCleanup) {
        myScheduled.remove_if([](const Entry& e) { return e.task->IsStopped(); });
        myCleanup = false;
    }
    if (myScheduled.empty()) return;
    const uint32_t now = GetGlobalTime();
    // A task whose due time equals now waits for the next pass. A task may
    // stop or pause itself (or others) during its update: re-check the front.
    while (!myScheduled.empty() && static_cast<int32_t>(now - myScheduled.front().due) > 0) {
        Entry& front = myScheduled.front();
        CTask* task = front.task;
        if (task->IsStopped()) {
            myScheduled.pop_front();
            continue;
        }
        front.due += task->GetInterval() ? task->GetInterval() : 1;
        task->Update();
        Sort();
    }
}

int CTaskTimedTasks::GetMillisecondsToDue() const {
    for (const Entry& entry : myScheduled) {
        if (entry.task->IsStopped()) continue;
        const int32_t left = static_cast<int32_t>(entry.due - GetGlobalTime()) + 1;
        return left > 0 ? left : 0;
    }
    return NO_DEADLINE;
}

void CTaskTimedTasks::Exit() {
    // Copy first: StopTimedTask does not alter the list, but be safe with
    // tasks whose Exit reaches back into the runner.
    std::list<Entry> scheduled;
    scheduled.swap(myScheduled);
    for (const Entry& entry : scheduled)
        StopTimedTask(entry.task);
}

}  // namespace vorn
