#pragma once

#include <cstdint>

namespace vorn {

class CXmlArchive;

// Millisecond stopwatch measured against a parent timer (by default the global
// time). Readings never go below 0; arithmetic wraps as unsigned 32-bit.
//
// Readings are differences of unsigned parent times, so a timer keeps
// counting across the wrap of its parent and past 2^31 ms. A timer set back
// below 0 owes that time: it reads 0 until its parent has made up for it.
class CTimer {
public:
    CTimer();
    // parent is not owned and must outlive this timer; null means global time.
    explicit CTimer(const CTimer* parent);
    CTimer(const CTimer& other);
    virtual ~CTimer() = default;

    // Copies the reading state; the parent stays.
    virtual CTimer& operator=(const CTimer& other);
    // A copy whose reading is lower by ms.
    virtual CTimer operator-(uint32_t ms) const;
    virtual CTimer operator-(const CTimer& other) const;
    // Sets the reading back by ms.
    virtual CTimer& operator-=(uint32_t ms);
    virtual CTimer& operator-=(const CTimer& other);

    virtual uint32_t GetTime() const;
    virtual float GetSeconds() const { return GetTime() / 1000.0f; }
    // Milliseconds since the last UpdateMark.
    virtual uint32_t GetDelta() const { return GetTime() - myMark; }
    virtual float GetDeltaSeconds() const { return GetDelta() / 1000.0f; }
    virtual uint32_t UpdateMark();

    virtual void Pause();
    virtual void Resume();
    // Reads 0 from now on; a paused timer stays paused.
    virtual void Reset();
    virtual void SetTime(uint32_t ms);
    virtual bool IsPaused() const { return myPaused; }
    // XML fields "time" (the reading) and, only while paused, "pause".
    virtual void Serialize(CXmlArchive& archive);

protected:
    // A root timer measures nothing: it overrides GetTime with its own clock.
    struct RootTimer {};
    explicit CTimer(RootTimer) : myParent(this) {}
    uint32_t ParentNow() const;

private:
    const CTimer* myParent;
    uint32_t myStart = 0;
    // Parent milliseconds after myStart that still read 0 (time owed).
    uint32_t myDebt = 0;
    int64_t myPausedValue = 0;
    bool myPaused = false;
    uint32_t myMark = 0;
};

// The process-wide timer that reads the global time directly; the default
// parent of every timer.
class CDerivedGlobalTimer : public CTimer {
public:
    static CDerivedGlobalTimer* GetSingleton();
    uint32_t GetTime() const override;

private:
    CDerivedGlobalTimer() : CTimer(RootTimer{}) {}
};

}  // namespace vorn
