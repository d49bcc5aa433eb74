#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "vorn/utils/calculator/CCalculator.h"

namespace {

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

// Every input that once made the calculator fault is kept in this folder; each
// must now be calculated by every instance, as the fuzz target does.
TEST(CalculatorFuzzReplayTest, KeptInputsNoLongerFault) {
    const std::filesystem::path folder =
        std::filesystem::path(MONSTERS_SOURCE_DIR) / "tests/data/fuzz/calculator";
    ASSERT_TRUE(std::filesystem::is_directory(folder)) << folder;
    int replayed = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (!entry.is_regular_file()) continue;
        const std::string input = ReadFile(entry.path());
        vorn::CCalculator<double> doubles;
        vorn::CCalculator<float> floats;
        vorn::CPostfix<int> integers;
        doubles.Calculate(input);
        floats.Calculate(input);
        integers.Evaluate(doubles.GetConverter().Convert(input));
        integers.Evaluate(input);
        ++replayed;
    }
    SUCCEED() << replayed << " inputs replayed";
}
