#include "vorn/tasks/CKernel.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "vorn/input/CEventBridge.h"
#include "vorn/tasks/CFakeThread.h"
#include "vorn/tasks/CTask.h"

namespace vorn {

namespace {

long long NowMicros() {
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace

CKernel::CKernel() : myFocusHandler(new CWindowFocusHandler(this)) {
    myTimedTasks.SetKernel(this);
    // The runner has nothing scheduled yet, so this parks it in the paused list.
    AddTask(&myTimedTasks);
    CEventBridge::GetSingleton()->AddWindowListener(myFocusHandler.get());
}

CKernel::~CKernel() {
    myFocusHandler.reset();
    // Stop the runner while the kernel is whole; its own destructor then finds
    // it stopped and only forgets it.
    StopTask(&myTimedTasks);
}

void CKernel::InsertRunning(CTask* task) {
    // Before the first task that is not less than the new one: ascending
    // priority, and a newcomer goes before others of the same priority.
    auto it = myRunning.begin();
    while (it != myRunning.end() && (*it)->IsLess(*task))
        ++it;
    myRunning.insert(it, task);
    ++myRunningVersion;
}

void CKernel::AddTask(CTask* task, CVariableList* params) {
    if (!task) return;
    if (task->IsTimed()) {
        myTimedTasks.AddTimedTask(task);
        return;
    }
    const bool started = params ? task->Init(params) : task->Init();
    if (!started) {
        myPaused.push_back(task);
        return;
    }
    InsertRunning(task);
}

void CKernel::PauseTask(CTask* task) {
    auto it = std::find(myRunning.begin(), myRunning.end(), task);
    if (it == myRunning.end()) {
        myTimedTasks.PauseTimedTask(task);
        return;
    }
    task->OnPause();
    // OnPause may itself have changed the list.
    it = std::find(myRunning.begin(), myRunning.end(), task);
    if (it == myRunning.end()) return;
    myRunning.erase(it);
    ++myRunningVersion;
    myPaused.push_back(task);
}

void CKernel::ResumeTask(CTask* task) {
    auto it = std::find(myPaused.begin(), myPaused.end(), task);
    if (it == myPaused.end()) {
        myTimedTasks.ResumeTimedTask(task);
        return;
    }
    task->OnResume();
    InsertRunning(task);
    myPaused.erase(std::find(myPaused.begin(), myPaused.end(), task));
}

void CKernel::StopTask(CTask* task) {
    if (!task) return;
    if (task->IsTimed()) {
        myTimedTasks.StopTimedTask(task);
        return;
    }
    if (!task->IsStopped()) task->Exit();
    task->SetStopped(true);
    myCleanupNeeded = true;
}

void CKernel::ForgetTask(CTask* task) {
    myRunning.remove(task);
    ++myRunningVersion;
    myPaused.remove(task);
    myFocusPaused.remove(task);
    if (task != &myTimedTasks) myTimedTasks.ForgetTimedTask(task);
}

void CKernel::StopAll() {
    while (!myRunning.empty()) {
        StopTask(myRunning.front());
        myRunning.pop_front();
        ++myRunningVersion;
    }
}

void CKernel::RemoveStopped() {
    myRunning.remove_if([](CTask* task) { return task->IsStopped(); });
    ++myRunningVersion;
    myCleanupNeeded = false;
}

bool CKernel::RunPass() {
    if (myCleanupNeeded) RemoveStopped();
    myPassStartMicros = NowMicros();

    // A task may pause, resume, start or stop tasks (itself included) during
    // its update. When the running list changed, find the way on: after the
    // task updated last if it is still there, else at the node that followed it.
    for (auto it = myRunning.begin(); it != myRunning.end();) {
        CTask* task = *it;
        auto next = std::next(it);
        if (task->IsStopped()) {
            it = next;
            continue;
        }
        CTask* following = next == myRunning.end() ? nullptr : *next;
        const unsigned long version = myRunningVersion;
        task->Update();
        if (version == myRunningVersion) {
            it = next;
            continue;
        }
        auto again = std::find(myRunning.begin(), myRunning.end(), task);
        if (again != myRunning.end()) {
            it = std::next(again);
        } else if (following) {
            it = std::find(myRunning.begin(), myRunning.end(), following);
        } else {
            it = myRunning.end();
        }
    }

    if (myQuitRequested) StopAll();
    if (!myRunning.empty() && myRunPseudoThreads) RunFakeThreads(0);
    if (!IsFocused()) {
        ++myYieldCount;
        std::this_thread::yield();
    }
    if (!myRunning.empty()) WaitForNextPass();
    return !myRunning.empty();
}

int CKernel::MillisecondsToNextDue() const {
    int earliest = CTask::NO_DEADLINE;
    auto consider = [&earliest](int due) {
        if (due >= 0 && (earliest < 0 || due < earliest)) earliest = due;
    };
    for (const CTask* task : myRunning)
        if (!task->IsStopped()) consider(task->GetMillisecondsToDue());
    if (myRunPseudoThreads) consider(MillisecondsToNextFakeThread());
    return earliest;
}

void CKernel::WaitForNextPass() {
    if (myMaxPassesPerSecond <= 0) return;
    // Sleep off the rest of the pass interval instead of spinning.
    const long long interval = 1000000LL / myMaxPassesPerSecond;
    const long long left = myPassStartMicros + interval - NowMicros();
    if (left <= 0) return;
    ++myYieldCount;
    std::this_thread::sleep_for(std::chrono::microseconds(left));
}

void CKernel::SleepUntilDue() {
    // The tasks' clocks count whole milliseconds and never run ahead of real
    // time, so sleeping the difference never wakes before they are due.
    const int due = MillisecondsToNextDue();
    if (due <= 0) return;
    ++myYieldCount;
    std::this_thread::sleep_for(std::chrono::milliseconds(std::min(due, MAX_SLEEP_MS)));
}

int CKernel::Run() {
    if (!myRunning.empty()) {
        while (RunPass())
            SleepUntilDue();
    }
    StopAll();
    RemoveStopped();
    return myExitStatus;
}

bool CKernel::IsFocused() const {
    return myFocusHandler ? myFocusHandler->IsFocused() : true;
}

void CKernel::CWindowFocusHandler::OnFocus(bool gained) {
    myFocused = gained;
    if (gained) {
        myKernel->OnGainedFocus();
    } else {
        myKernel->OnLostFocus();
    }
}

void CKernel::OnLostFocus() {
    for (CTask* task : std::list<CTask*>(myRunning)) {
        if (task->PausesOnFocusLoss() &&
            std::find(myFocusPaused.begin(), myFocusPaused.end(), task) == myFocusPaused.end())
            myFocusPaused.push_back(task);
    }
    for (CTask* task : std::list<CTask*>(myFocusPaused))
        PauseTask(task);
}

void CKernel::OnGainedFocus() {
    while (!myFocusPaused.empty()) {
        CTask* task = myFocusPaused.front();
        myFocusPaused.pop_front();
        ResumeTask(task);
    }
}

}  // namespace vorn
