#pragma once

#include <cstdint>

namespace vorn {

// The engine's pseudo-random numbers. A stream is fixed by its seed: the n-th
// draw after SetSeed is a pure function of (seed, n), so a run that records
// its seed (input recording) draws the same numbers when played back.
// Setting a seed also puts the position back to 0. Not thread-safe; the engine
// draws from one thread.
class CRandom {
public:
    // The engine's shared generator (seed 0 until someone seeds it).
    static CRandom* GetSingleton();

    explicit CRandom(double seed = 0);

    // Any double is a valid seed; -0 counts as 0 and every NaN as one seed.
    void SetSeed(double seed);
    double GetSeed() const { return mySeed; }
    // Number of draws since the last SetSeed.
    uint64_t GetPosition() const { return myPosition; }
    // Jumps to the n-th draw of the current seed.
    void SetPosition(uint64_t position) { myPosition = position; }

    uint32_t NextUint32();
    // Uniform in [0, 1).
    double NextDouble();
    // Uniform in [low, high); the bounds may come in either order; low when
    // they are equal or not finite.
    double Range(double low, double high);
    // Uniform integer in [low, high], both included; the bounds may come in
    // either order. Free of modulo bias over the whole int range.
    int RangeInt(int low, int high);

private:
    uint64_t NextBits();

    double mySeed = 0;
    uint64_t myKey = 0;
    uint64_t myPosition = 0;
};

}  // namespace vorn
