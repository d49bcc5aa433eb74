#include "vorn/utils/random/CRandom.h"

#include <cmath>
#include <cstring>
#include <utility>

namespace vorn {

namespace {

// The finaliser of SplitMix64: a bijection on 64 bits with good avalanche, so
// consecutive counters give unrelated outputs.
uint64_t Mix(uint64_t z) {
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

uint64_t KeyFromSeed(double seed) {
    if (std::isnan(seed)) return Mix(0x7FF8000000000000ULL);
    if (seed == 0) seed = 0;  // -0 and 0 are one seed
    uint64_t bits = 0;
    std::memcpy(&bits, &seed, sizeof bits);
    return Mix(bits ^ 0x6A09E667F3BCC909ULL);
}

}  // namespace

CRandom* CRandom::GetSingleton() {
    static CRandom* random = new CRandom;  // lives to process end
    return random;
}

CRandom::CRandom(double seed) {
    SetSeed(seed);
}

void CRandom::SetSeed(double seed) {
    mySeed = seed;
    myKey = KeyFromSeed(seed);
    myPosition = 0;
}

uint64_t CRandom::NextBits() {
    // Counter-based: draw n is Mix(key + n * golden ratio), as in SplitMix64.
    const uint64_t bits = Mix(myKey + (myPosition + 1) * 0x9E3779B97F4A7C15ULL);
    ++myPosition;
    return bits;
}

uint32_t CRandom::NextUint32() {
    return static_cast<uint32_t>(NextBits() >> 32);
}

double CRandom::NextDouble() {
    // 53 random bits: every value is exactly representable and below 1.
    return static_cast<double>(NextBits() >> 11) * (1.0 / 9007199254740992.0);
}

double CRandom::Range(double low, double high) {
    if (!std::isfinite(low) || !std::isfinite(high)) return low;
    if (high < low) std::swap(low, high);
    const double value = low + (high - low) * NextDouble();
    // Rounding can land on high for wide ranges; keep the bound open.
    return value < high ? value : low;
}

int CRandom::RangeInt(int low, int high) {
    if (high < low) std::swap(low, high);
    const uint64_t span = static_cast<uint64_t>(static_cast<int64_t>(high) - low) + 1;
    if (span > 0xFFFFFFFFULL) return static_cast<int>(static_cast<int64_t>(low) + NextUint32());
    // Multiply-shift maps 32 random bits onto the span; rejecting the short
    // stripe at the bottom removes the bias (Lemire's method).
    const uint32_t span32 = static_cast<uint32_t>(span);
    const uint32_t threshold = static_cast<uint32_t>(0x100000000ULL % span32);
    uint64_t product = static_cast<uint64_t>(NextUint32()) * span32;
    while (static_cast<uint32_t>(product) < threshold)
        product = static_cast<uint64_t>(NextUint32()) * span32;
    return static_cast<int>(static_cast<int64_t>(low) + static_cast<int64_t>(product >> 32));
}

}  // namespace vorn
