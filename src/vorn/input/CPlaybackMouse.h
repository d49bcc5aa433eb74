#pragma once

#include <cstdint>
#include <deque>
#include <istream>
#include <memory>
#include <string>

#include "vorn/input/ITaskRecordingDeviceImpl.h"
#include "vorn/utils/smartptr/CSmartPtr.h"

namespace vorn {

class CPlaybackTimer;
class IGlobalTimerImpl;

// Plays a recording of CRecordMouse back through the event bridge, as if the
// events came from the window system, after seeding the random generator with
// the recorded seed. Modes:
//
//   0  real time: each event plays once the application clock reaches its time;
//   1  as fast as frames go: after the due events, the engine clock jumps to the
//      next event's time, so each frame plays the next event;
//   2  real time, never passing an event: the engine clock follows the real one
//      but stops at the next event's time until that event has played.
//
// In modes 1 and 2 a CPlaybackTimer drives the engine's time while events
// remain; afterwards (and when the player is deleted) time runs on from there
// at the real rate, never backwards. Time only moves forward, so the events
// play at their recorded application times when playback starts no later
// than the first event; earlier events play at once.
//
// Bad lines (unknown codes excepted, which are skipped quietly) are logged and
// skipped: missing or malformed fields, times beyond MAX_TIME or more than
// MAX_TIME_STEP after the previous event's (the first event's: after the
// application clock's reading when playback starts), buttons
// outside 0..31, lines longer than MAX_LINE_LENGTH. Times that go backwards
// are raised to the previous time. Times are compared as unsigned
// differences, so a recording may run across the wrap of the clock. A file
// that cannot be read (missing, a folder, unreadable) is logged as an error.
class CPlaybackMouse : public ITaskRecordingDeviceImpl {
public:
    enum Mode { MODE_REAL_TIME = 0, MODE_FAST = 1, MODE_STEPPED = 2 };
    enum Kind { KIND_MOVE = 0, KIND_RELEASE = 1, KIND_PRESS = 2 };
    static constexpr size_t MAX_LINE_LENGTH = 1024;
    // The largest time a line may give (the clock's range, in ms).
    static constexpr uint32_t MAX_TIME = 0xFFFFFFFF;
    // The furthest a line's time may lie after the previous line's: one day.
    static constexpr uint32_t MAX_TIME_STEP = 24u * 60 * 60 * 1000;
    // Bad lines reported one by one; the rest are only counted.
    static constexpr int MAX_REPORTED_LINES = 5;

    struct CEvent {
        uint32_t time;
        int kind;
        int32_t x;
        int32_t y;
        int32_t button;
    };

    // A mode other than 0, 1 or 2 is logged and taken as 2.
    explicit CPlaybackMouse(const std::string& fileName, int mode = MODE_STEPPED);
    // Lets the engine's time run on freely.
    ~CPlaybackMouse() override;
    CPlaybackMouse(const CPlaybackMouse&) = delete;
    CPlaybackMouse& operator=(const CPlaybackMouse&) = delete;

    // Plays the due events, then moves the playback clock (modes 1 and 2).
    void Update() override;

    int GetMode() const { return myMode; }
    bool IsFinished() const { return myPending.empty(); }
    const std::deque<CEvent>& GetPending() const { return myPending; }
    // Lines skipped as malformed while loading.
    int GetBadLineCount() const { return myBadLines; }
    bool HasSeed() const { return myHasSeed; }
    double GetSeed() const { return mySeed; }

private:
    void Load(std::istream& in);
    void ParseEventLine(const std::string& line, int lineNumber);
    void ReportBadLine(int lineNumber, const char* why);
    void Play(const CEvent& event);
    void StepClock();
    uint32_t RealTicks() const;

    int myMode;
    std::string myFileName;
    std::deque<CEvent> myPending;
    bool myHasSeed = false;
    double mySeed = 0;
    int myBadLines = 0;
    uint32_t myLastTime = 0;
    bool myHasEvent = false;
    bool myWarnedDelta = false;

    CSmartPtr<IGlobalTimerImpl> myRealSource;
    CPlaybackTimer* myClock = nullptr;  // owned through myClockSource
    CSmartPtr<IGlobalTimerImpl> myClockSource;
    uint32_t myLastRealTicks = 0;
    // Cleared by the destructor: an event may delete the player while it plays.
    std::shared_ptr<bool> myAlive = std::make_shared<bool>(true);
};

}  // namespace vorn
