#include "vorn/input/CPlaybackMouse.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

#include "vorn/console/CLog.h"
#include "vorn/input/CEventBridge.h"
#include "vorn/input/CPlaybackTimer.h"
#include "vorn/utils/random/CRandom.h"
#include "vorn/utils/timer/CGlobalAppTimer.h"
#include "vorn/utils/timer/GlobalTime.h"

namespace vorn {

namespace {

// Reads one line of at most maxLength characters; the rest of a longer line
// is skipped and *tooLong set. False at the end of the input.
bool ReadLine(std::istream& in, std::string* line, size_t maxLength, bool* tooLong) {
    line->clear();
    *tooLong = false;
    int c = in.get();
    if (c == EOF) return false;
    for (; c != EOF && c != '\n'; c = in.get()) {
        if (line->size() < maxLength) {
            line->push_back(static_cast<char>(c));
        } else {
            *tooLong = true;
        }
    }
    if (!line->empty() && line->back() == '\r') line->pop_back();
    return true;
}

std::vector<std::string> SplitFields(const std::string& line) {
    std::vector<std::string> fields;
    size_t at = 0;
    while (at < line.size()) {
        const size_t start = line.find_first_not_of(" \t", at);
        if (start == std::string::npos) break;
        const size_t end = std::min(line.find_first_of(" \t", start), line.size());
        fields.push_back(line.substr(start, end - start));
        at = end;
    }
    return fields;
}

// Whole text as a decimal integer within [low, high].
bool ParseInteger(const std::string& text, long long low, long long high, long long* value) {
    if (text.empty()) return false;
    char* end = nullptr;
    errno = 0;
    const long long parsed = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || end != text.c_str() + text.size()) return false;
    if (parsed < low || parsed > high) return false;
    *value = parsed;
    return true;
}

}  // namespace

CPlaybackMouse::CPlaybackMouse(const std::string& fileName, int mode)
    : myMode(mode), myFileName(fileName) {
    CLog* log = CLog::GetSingleton();
    if (mode != MODE_REAL_TIME && mode != MODE_FAST && mode != MODE_STEPPED) {
        log->Printf("[WARNING] CPlaybackMouse: unknown mode %d, using mode 2\n", mode);
        myMode = MODE_STEPPED;
    }
    std::error_code error;
    if (std::filesystem::is_directory(fileName, error)) {
        log->Printf("[ERROR] CPlaybackMouse: the recording file %s is a folder\n",
                    fileName.c_str());
        return;
    }
    std::ifstream in(fileName, std::ios::binary);
    if (!in) {
        log->Printf("[ERROR] CPlaybackMouse: cannot open the recording file %s\n",
                    fileName.c_str());
        return;
    }
    // The first event's time is measured from where the clock stands.
    myLastTime = CGlobalAppTimer::GetSingleton()->GetTime();
    Load(in);
    if (myBadLines > MAX_REPORTED_LINES)
        log->Printf("[WARNING] CPlaybackMouse: %d malformed lines skipped in %s\n", myBadLines,
                    fileName.c_str());

    if (myMode == MODE_REAL_TIME || myPending.empty()) return;
    // The playback clock takes over the engine's time where it stands.
    myRealSource = GetTimeSource();
    myLastRealTicks = RealTicks();
    myClock = new CPlaybackTimer(myRealSource);
    myClockSource = CSmartPtr<IGlobalTimerImpl>(myClock);
    SetTimeSource(myClockSource);
}

CPlaybackMouse::~CPlaybackMouse() {
    *myAlive = false;
    if (myClock) myClock->RunFree();
}

uint32_t CPlaybackMouse::RealTicks() const {
    return myRealSource ? myRealSource->GetTicks() : 0;
}

void CPlaybackMouse::Load(std::istream& in) {
    std::string line;
    bool tooLong = false;
    if (!ReadLine(in, &line, MAX_LINE_LENGTH, &tooLong)) return;  // empty file

    // The seed: any finite number; otherwise the generator is left alone.
    const std::vector<std::string> seedFields = SplitFields(line);
    char* end = nullptr;
    const double seed =
        seedFields.size() == 1 ? std::strtod(seedFields[0].c_str(), &end) : std::nan("");
    if (!tooLong && end && *end == '\0' && std::isfinite(seed)) {
        mySeed = seed;
        myHasSeed = true;
        CRandom::GetSingleton()->SetSeed(seed);
    } else {
        ReportBadLine(1, "no seed");
    }

    for (int lineNumber = 2; ReadLine(in, &line, MAX_LINE_LENGTH, &tooLong); ++lineNumber) {
        if (tooLong) {
            ReportBadLine(lineNumber, "line too long");
        } else {
            ParseEventLine(line, lineNumber);
        }
    }
}

void CPlaybackMouse::ParseEventLine(const std::string& line, int lineNumber) {
    const std::vector<std::string> fields = SplitFields(line);
    if (fields.empty()) return;
    if (fields.size() < 2) return ReportBadLine(lineNumber, "missing fields");
    const std::string& code = fields[1];
    CEvent event{0, KIND_MOVE, 0, 0, 0};
    if (code == "mm") {
        event.kind = KIND_MOVE;
    } else if (code == "mu") {
        event.kind = KIND_RELEASE;
    } else if (code == "md") {
        event.kind = KIND_PRESS;
    } else {
        return;  // another device's event: not ours
    }

    long long time = 0;
    if (!ParseInteger(fields[0], 0, MAX_TIME, &time)) return ReportBadLine(lineNumber, "bad time");
    event.time = static_cast<uint32_t>(time);
    // Times are application clock readings, compared as differences (they
    // may wrap). A jump of more than a day is no real recording: it would
    // only stall playback, or freeze it in mode 1.
    const uint32_t step = event.time - myLastTime;
    if (int32_t(step) > 0 && step > MAX_TIME_STEP)
        return ReportBadLine(lineNumber, "time jumps more than a day ahead");
    if (event.kind == KIND_MOVE) {
        long long x = 0;
        long long y = 0;
        if (fields.size() < 4) return ReportBadLine(lineNumber, "missing position");
        if (!ParseInteger(fields[2], INT32_MIN, INT32_MAX, &x) ||
            !ParseInteger(fields[3], INT32_MIN, INT32_MAX, &y))
            return ReportBadLine(lineNumber, "bad position");
        event.x = static_cast<int32_t>(x);
        event.y = static_cast<int32_t>(y);
    } else {
        long long button = 0;
        if (fields.size() < 3) return ReportBadLine(lineNumber, "missing button");
        // The five button bits and their combinations.
        if (!ParseInteger(fields[2], 0, 31, &button))
            return ReportBadLine(lineNumber, "bad button");
        event.button = static_cast<int32_t>(button);
    }
    // The clock never runs backwards: neither may the events.
    if (myHasEvent && int32_t(event.time - myLastTime) < 0) event.time = myLastTime;
    myLastTime = event.time;
    myHasEvent = true;
    myPending.push_back(event);
}

void CPlaybackMouse::ReportBadLine(int lineNumber, const char* why) {
    if (++myBadLines <= MAX_REPORTED_LINES)
        CLog::GetSingleton()->Printf("[WARNING] CPlaybackMouse: %s, line %d skipped (%s)\n",
                                     myFileName.c_str(), lineNumber, why);
}

void CPlaybackMouse::Update() {
    const std::shared_ptr<bool> alive = myAlive;
    CGlobalAppTimer* appTimer = CGlobalAppTimer::GetSingleton();
    while (!myPending.empty() && int32_t(appTimer->GetTime() - myPending.front().time) >= 0) {
        const CEvent event = myPending.front();
        myPending.pop_front();
        Play(event);
        if (!*alive) return;
    }
    StepClock();
}

void CPlaybackMouse::StepClock() {
    if (!myClock || myClock->IsRunningFree()) return;
    if (myPending.empty()) {
        myClock->RunFree();
        return;
    }
    // Forward up to the next event on the application clock, never past it.
    const uint32_t now = CGlobalAppTimer::GetSingleton()->GetTime();
    const uint32_t next = myPending.front().time;
    const uint32_t gap = int32_t(next - now) > 0 ? next - now : 0;
    if (myMode == MODE_FAST) {
        myClock->Advance(gap);
    } else {
        const uint32_t real = RealTicks();
        const uint32_t elapsed = real - myLastRealTicks;
        myLastRealTicks = real;
        myClock->Advance(std::min(elapsed, gap));
    }
}

void CPlaybackMouse::Play(const CEvent& event) {
    CEventBridge* bridge = CEventBridge::GetSingleton();
    switch (event.kind) {
        case KIND_MOVE:
            if (!myWarnedDelta) {
                CLog::GetSingleton()->Printf(
                    "[WARNING] CPlaybackMouse::CPlayback::DoTheMagic() - HelperPlayback doesn't "
                    "work properly with delta\n");
                myWarnedDelta = true;
            }
            bridge->OnMouseMove(event.x, event.y, 0, 0);
            break;
        case KIND_RELEASE:
            bridge->OnMouseButtonUp(event.button);
            break;
        case KIND_PRESS:
            bridge->OnMouseButtonDown(event.button);
            break;
    }
}

}  // namespace vorn
