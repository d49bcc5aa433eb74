// Feeds arbitrary text to the calculator: as an infix expression to the float
// and double calculators, and both as its postfix form and raw to the integer
// evaluator. Any fault, sanitizer report or hang is a finding.
#include <cstddef>
#include <cstdint>
#include <string>

#include "vorn/utils/calculator/CCalculator.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static vorn::CCalculator<double> doubles;
    static vorn::CCalculator<float> floats;
    static vorn::CPostfix<int> integers;

    const std::string input(reinterpret_cast<const char*>(data), size);
    doubles.Calculate(input);
    floats.Calculate(input);
    integers.Evaluate(doubles.GetConverter().Convert(input));
    integers.Evaluate(input);
    return 0;
}
