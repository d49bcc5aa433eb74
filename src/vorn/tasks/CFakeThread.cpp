#include "vorn/tasks/CFakeThread.h"

#include <algorithm>
#include <iterator>
#include <list>

namespace vorn {

CFakeThread::CFakeThread() {
    myTimer.Reset();
    myTimer.Pause();
}

CFakeThread::~CFakeThread() = default;

bool CFakeThread::IsLess(const CFakeThread& other) const {
    if (other.myFinished) return true;
    if (myFinished) return false;
    if (other.mySleeping) return true;
    if (mySleeping) return false;
    // Signed differences of unsigned times: right across the wrap.
    const int32_t otherWait = int32_t(other.myDueTime - other.GetTime());
    const int32_t myWait = int32_t(myDueTime - GetTime());
    return otherWait < myWait;
}

void CFakeThread::Start() {
    if (!mySleeping) return;
    mySleeping = false;
    myTimer.Reset();
    myTimer.Resume();
}

bool CFakeThread::Kill() {
    mySleeping = true;
    myFinished = true;
    return true;
}

void CFakeThread::Pause() {
    mySleeping = true;
    myTimer.Pause();
}

void CFakeThread::Resume() {
    mySleeping = false;
    myTimer.Resume();
}

// Walks the threads from the front: finished ones are deleted; the first
// sleeping or not-yet-due one ends the walk; due ones run one step. While the
// budget is not used up the walk starts over from the front.
void RunFakeThreads(uint32_t budgetMs) {
    if (!CFakeThread::GetList()) return;
    CTimer stopwatch;
    do {
        bool walkEnded = false;
        // Deleting a thread may delete the list itself (with the last thread),
        // so re-fetch it after every deletion.
        auto* list = CFakeThread::GetList();
        auto it = list ? list->begin() : CFakeThread::Entries::iterator();
        while (list && it != list->end()) {
            CFakeThread* thread = CFakeThread::Instance(*it);
            if (thread->IsFinished()) {
                ++it;
                delete thread;
                list = CFakeThread::GetList();
                continue;
            }
            if (thread->IsSleeping() || int32_t(thread->GetTime() - thread->GetDueTime()) < 0) {
                walkEnded = true;
                break;
            }
            thread->Run();
            thread->SetDueTime(thread->GetTime() + thread->GetStepInterval());
            ++it;
            if (thread->IsFinished()) {
                delete thread;
                list = CFakeThread::GetList();
            }
            if (stopwatch.GetTime() < budgetMs) break;  // start over from the front
        }
        if (walkEnded || !list) break;
    } while (stopwatch.GetTime() < budgetMs);
}

int MillisecondsToNextFakeThread() {
    auto* list = CFakeThread::GetList();
    if (!list) return -1;
    // The walk runs threads in list order and stops at the first sleeping or
    // not-yet-due one: only that first live thread decides.
    for (auto it = list->begin(); it != list->end(); ++it) {
        const CFakeThread* thread = CFakeThread::Instance(*it);
        if (thread->IsFinished()) continue;
        if (thread->IsSleeping()) return -1;
        const int64_t left = int64_t(thread->GetDueTime()) - int64_t(thread->GetTime());
        return left > 0 ? int(std::min<int64_t>(left, 1 << 30)) : 0;
    }
    return -1;
}

}  // namespace vorn
