#include "vorn/utils/timer/CTimer.h"

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
    myStart += ms;
    myPausedValue -= static_cast<int32_t>(ms);
    return *this;
}

CTimer& CTimer::operator-=(const CTimer& other) {
    return *this -= other.GetTime();
}

uint32_t CTimer::GetTime() const {
    if (myPaused) return myPausedValue < 0 ? 0 : static_cast<uint32_t>(myPausedValue);
    const uint32_t now = ParentNow();
    // A start after now (set back past zero) reads 0. Compare as a signed
    // difference so that the wrap after 49.7 days keeps working.
    const int32_t elapsed = static_cast<int32_t>(now - myStart);
    return elapsed < 0 ? 0 : static_cast<uint32_t>(elapsed);
}

uint32_t CTimer::UpdateMark() {
    myMark = GetTime();
    return myMark;
}

void CTimer::Pause() {
    if (myPaused) return;
    myPausedValue = static_cast<int32_t>(GetTime());
    myPaused = true;
}

void CTimer::Resume() {
    if (!myPaused) return;
    myPaused = false;
    // A negative paused value (set back past zero while paused) is a debt:
    // the start lands after now, so the reading stays 0 until it is paid.
    SetTime(static_cast<uint32_t>(myPausedValue));
}

void CTimer::Reset() {
    myPausedValue = 0;
    myStart = ParentNow();
    myMark = 0;
}

void CTimer::SetTime(uint32_t ms) {
    myStart = ParentNow() - ms;
    myPausedValue = static_cast<int32_t>(ms);
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
