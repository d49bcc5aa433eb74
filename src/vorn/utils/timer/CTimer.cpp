#include "vorn/utils/timer/CTimer.h"

#include <algorithm>

#include "vorn/utils/timer/GlobalTime.h"
#include "vorn/utils/xml/CXmlArchive.h"

namespace vorn {

CDerivedGlobalTimer* CDerivedGlobalTimer::GetSingleton() {
    static CDerivedGlobalTimer* timer = new CDerivedGlobalTimer;  // lives to process end
    return timer;
}

uint32_t CDerivedGlobalTimer::GetTime() const {
    return GetGlobalTime();
}

CTimer::CTimer() : CTimer(nullptr) {}

CTimer::CTimer(const CTimer* parent) : myParent(parent) {
    // The global timer is its own parent; its reading does not use myStart.
    if (myParent != this) myStart = ParentNow();
}

CTimer::CTimer(const CTimer& other) : myParent(other.myParent) {
    *this = other;
}

uint32_t CTimer::ParentNow() const {
    if (myParent == this) return GetGlobalTime();
    return myParent ? myParent->GetTime() : CDerivedGlobalTimer::GetSingleton()->GetTime();
}

CTimer& CTimer::operator=(const CTimer& other) {
    myStart = other.myStart;
    myDebt = other.myDebt;
    myPaused = other.myPaused;
    myPausedValue = other.myPausedValue;
    myMark = other.myMark;
    return *this;
}

CTimer CTimer::operator-(uint32_t ms) const {
    CTimer copy(*this);
    copy -= ms;
    return copy;
}

CTimer CTimer::operator-(const CTimer& other) const {
    return *this - other.GetTime();
}

CTimer& CTimer::operator-=(uint32_t ms) {
    myPausedValue -= ms;
    if (myPaused) return *this;
    // Moving the start later by ms is right until the reading would go below
    // 0: from there on the rest is owed from now.
    const uint32_t now = ParentNow();
    const int64_t reading = int64_t(uint32_t(now - myStart)) - myDebt - ms;
    if (reading >= 0) {
        myStart = now - uint32_t(reading);
        myDebt = 0;
    } else {
        myStart = now;
        myDebt = uint32_t(std::min<int64_t>(-reading, UINT32_MAX));
    }
    return *this;
}

CTimer& CTimer::operator-=(const CTimer& other) {
    return *this -= other.GetTime();
}

uint32_t CTimer::GetTime() const {
    if (myPaused) return myPausedValue < 0 ? 0 : static_cast<uint32_t>(myPausedValue);
    // An unsigned difference: right across the wrap of the parent's time.
    const uint32_t elapsed = ParentNow() - myStart;
    return elapsed < myDebt ? 0 : elapsed - myDebt;
}

uint32_t CTimer::UpdateMark() {
    myMark = GetTime();
    return myMark;
}

void CTimer::Pause() {
    if (myPaused) return;
    myPausedValue = GetTime();
    myPaused = true;
}

void CTimer::Resume() {
    if (!myPaused) return;
    myPaused = false;
    // A reading set back below 0 while paused is still owed.
    const int64_t reading = myPausedValue;
    SetTime(static_cast<uint32_t>(reading < 0 ? 0 : reading));
    if (reading < 0) myDebt = uint32_t(std::min<int64_t>(-reading, UINT32_MAX));
}

void CTimer::Reset() {
    myPausedValue = 0;
    myStart = ParentNow();
    myDebt = 0;
    myMark = 0;
}

void CTimer::SetTime(uint32_t ms) {
    myStart = ParentNow() - ms;
    myDebt = 0;
    myPausedValue = ms;
}

}  // namespace vorn

namespace vorn {

void CTimer::Serialize(CXmlArchive& archive) {
    uint32_t time = GetTime();
    bool paused = myPaused;
    archive.Field("time", time);
    if (archive.IsWriting()) {
        if (paused) archive.Field("pause", paused);
        return;
    }
    // "pause" is only there for a paused timer.
    paused = false;
    if (archive.HasChild("pause")) archive.Field("pause", paused);
    myPaused = false;
    SetTime(time);
    if (paused) Pause();
}

}  // namespace vorn
