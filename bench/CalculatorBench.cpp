// Cost of the layout's expressions: a widget's rectangle is four expressions
// whose names ("parent.x", "parent.w", ...) are replaced by numbers and then
// calculated, on every layout pass.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "vorn/utils/calculator/CCalculator.h"
#include "vorn/utils/string/StringUtils.h"

namespace {

const char* const LAYOUT_EXPRESSIONS[] = {
    "parent.x + ( parent.w / 2 - ( parent.w * 0.9 / 2 ) )",
    "parent.y + parent.h - 25",
    "parent.w * 0.9",
    "( parent.h - 40 ) / 3",
};

std::string Substitute(const std::string& expression, int x, int y, int w, int h) {
    std::string text = vorn::ReplaceAll(expression, "parent.x", std::to_string(x));
    text = vorn::ReplaceAll(text, "parent.y", std::to_string(y));
    text = vorn::ReplaceAll(text, "parent.w", std::to_string(w));
    return vorn::ReplaceAll(text, "parent.h", std::to_string(h));
}

// Expressions already substituted with a spread of parent rectangles.
std::vector<std::string> MakeSubstituted() {
    std::vector<std::string> texts;
    for (int i = 0; i < 16; ++i) {
        for (const char* expression : LAYOUT_EXPRESSIONS) {
            texts.push_back(Substitute(expression, 10 * i - 50, 7 * i, 300 + 13 * i, 200 + 9 * i));
        }
    }
    return texts;
}

void BM_CalculateLayoutExpression(benchmark::State& state) {
    const std::vector<std::string> texts = MakeSubstituted();
    vorn::CCalculator<double> calculator;
    size_t next = 0;
    double total = 0;
    for (auto _ : state) {
        total += calculator.Calculate(texts[next]);
        next = (next + 1) % texts.size();
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CalculateLayoutExpression);

// The centring expression alone, the longest a layout usually writes.
void BM_CalculateCentringExpression(benchmark::State& state) {
    const std::string text = Substitute(LAYOUT_EXPRESSIONS[0], 100, 0, 300, 0);
    vorn::CCalculator<double> calculator;
    for (auto _ : state) {
        benchmark::DoNotOptimize(calculator.Calculate(text));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CalculateCentringExpression);

// Substitution and calculation together, as a layout pass does them.
void BM_SubstituteAndCalculate(benchmark::State& state) {
    vorn::CCalculator<double> calculator;
    int w = 300;
    for (auto _ : state) {
        w = w == 400 ? 300 : w + 1;
        benchmark::DoNotOptimize(
            calculator.Calculate(Substitute(LAYOUT_EXPRESSIONS[0], 100, 0, w, 0)));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SubstituteAndCalculate);

// The animator's float calculator with "t" replaced by the elapsed time.
void BM_CalculateAnimatorExpression(benchmark::State& state) {
    vorn::CCalculator<float> calculator;
    int t = 0;
    for (auto _ : state) {
        t = (t + 16) % 1000;
        benchmark::DoNotOptimize(calculator.Calculate(
            vorn::ReplaceAll("255 * sin ( t / 1000 * 1.5708 )", "t", std::to_string(t))));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CalculateAnimatorExpression);

}  // namespace
