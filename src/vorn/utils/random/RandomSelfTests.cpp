#include "vorn/utils/random/RandomSelfTests.h"

#include <climits>
#include <cmath>
#include <vector>

#include "vorn/utils/SelfTests.h"
#include "vorn/utils/random/CRandom.h"

namespace vorn::selftests {

int RandomTest() {
    // A seed fixes the stream; seeding again starts it over.
    CRandom first(1234567);
    CRandom second(1234567);
    std::vector<uint32_t> drawn;
    for (int i = 0; i < 100; ++i) {
        drawn.push_back(first.NextUint32());
        SELFTEST_CHECK(drawn.back() == second.NextUint32());
    }
    SELFTEST_CHECK(first.GetPosition() == 100);
    first.SetSeed(1234567);
    SELFTEST_CHECK(first.GetPosition() == 0);
    for (uint32_t value : drawn)
        SELFTEST_CHECK(first.NextUint32() == value);
    first.SetPosition(10);
    SELFTEST_CHECK(first.NextUint32() == drawn[10]);

    // Neighbouring seeds give different streams.
    CRandom other(1234568);
    int same = 0;
    first.SetSeed(1234567);
    for (int i = 0; i < 100; ++i)
        same += first.NextUint32() == other.NextUint32();
    SELFTEST_CHECK(same < 3);

    // Doubles lie in [0, 1) and average near a half; every face of a die shows.
    CRandom random(42);
    double sum = 0;
    int faces[7] = {};
    for (int i = 0; i < 20000; ++i) {
        const double value = random.NextDouble();
        SELFTEST_CHECK(value >= 0 && value < 1);
        sum += value;
        const int face = random.RangeInt(1, 6);
        SELFTEST_CHECK(face >= 1 && face <= 6);
        ++faces[face];
    }
    SELFTEST_CHECK(std::fabs(sum / 20000 - 0.5) < 0.02);
    for (int face = 1; face <= 6; ++face)
        SELFTEST_CHECK(faces[face] > 3000 && faces[face] < 3700);

    // Bounds in either order, degenerate and extreme ranges.
    for (int i = 0; i < 1000; ++i) {
        const int value = random.RangeInt(5, -5);
        SELFTEST_CHECK(value >= -5 && value <= 5);
        SELFTEST_CHECK(random.RangeInt(INT_MIN, INT_MAX) >= INT_MIN);
        SELFTEST_CHECK(random.RangeInt(INT_MAX - 1, INT_MAX) >= INT_MAX - 1);
        const double real = random.Range(2.5, -2.5);
        SELFTEST_CHECK(real >= -2.5 && real < 2.5);
    }
    SELFTEST_CHECK(random.RangeInt(7, 7) == 7);
    SELFTEST_CHECK(random.Range(3, 3) == 3);
    SELFTEST_CHECK(std::isnan(random.Range(NAN, 1)));
    SELFTEST_CHECK(random.Range(-INFINITY, 1) == -INFINITY);

    // Zero and minus zero are one seed; NaN seeds are usable.
    CRandom zero(0.0);
    CRandom minusZero(-0.0);
    SELFTEST_CHECK(zero.NextUint32() == minusZero.NextUint32());
    CRandom nan1(NAN);
    CRandom nan2(-NAN);
    SELFTEST_CHECK(nan1.NextUint32() == nan2.NextUint32());
    return 0;
}

}  // namespace vorn::selftests
