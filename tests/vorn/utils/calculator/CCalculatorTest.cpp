#include "vorn/utils/calculator/CCalculator.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <string>

#include "vorn/utils/string/StringUtils.h"

using vorn::CCalculator;

namespace {

// Quadratic work on a megabyte would take hours; linear takes well under this,
// even in a sanitizer build on a busy machine.
constexpr double MAX_SECONDS = 20.0;

template <class Function>
double SecondsFor(Function&& function) {
    const auto start = std::chrono::steady_clock::now();
    function();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

TEST(CCalculatorTest, GivesTheDocumentedResults) {
    CCalculator<double> calculator;
    EXPECT_DOUBLE_EQ(calculator.Calculate("3 + 4 * 2"), 11);
    EXPECT_DOUBLE_EQ(calculator.Calculate("2 ^ 3 ^ 2"), 64);
    EXPECT_DOUBLE_EQ(calculator.Calculate("sin ( 0 )"), 0);
    EXPECT_DOUBLE_EQ(calculator.Calculate("-5 + 2"), -3);
    EXPECT_DOUBLE_EQ(calculator.Calculate("- ( 3 )"), -3);
    EXPECT_DOUBLE_EQ(calculator.Calculate("10 / 0"), 0);
    EXPECT_DOUBLE_EQ(calculator.Calculate("( 1 + 2"), 3);
    EXPECT_DOUBLE_EQ(calculator.Calculate("1 + 2 )"), 3);
    EXPECT_DOUBLE_EQ(calculator.Calculate(""), 0);
    EXPECT_DOUBLE_EQ(calculator.Calculate("abc + 1"), 1);
    EXPECT_DOUBLE_EQ(calculator.Calculate("sqrt ( 16 ) * 2"), 8);
    EXPECT_DOUBLE_EQ(calculator.Calculate("2 ^ 0.5"), std::sqrt(2.0));
    EXPECT_NEAR(calculator.Calculate("tan ( 1 ) - sin ( 1 ) / cos ( 1 )"), 0, 1e-12);
}

TEST(CCalculatorTest, LayoutExpressionsAfterSubstitution) {
    CCalculator<double> calculator;
    const std::string right = "parent.x + parent.w - 25";
    auto substitute = [](std::string text, const char* x, const char* w) {
        return vorn::ReplaceAll(vorn::ReplaceAll(text, "parent.x", x), "parent.w", w);
    };
    EXPECT_DOUBLE_EQ(calculator.Calculate(substitute(right, "10", "300")), 285);
    EXPECT_DOUBLE_EQ(calculator.Calculate(substitute(right, "-10", "300")), 265);
    const std::string centred = "parent.x + ( parent.w / 2 - ( parent.w * 0.9 / 2 ) )";
    EXPECT_DOUBLE_EQ(calculator.Calculate(substitute(centred, "100", "300")), 115);
    EXPECT_DOUBLE_EQ(calculator.Calculate(substitute(centred, "-100", "-300")), -115);
    // An unreplaced name drops out instead of failing the layout.
    EXPECT_DOUBLE_EQ(calculator.Calculate("parent.w - 25"), -25);
}

TEST(CCalculatorTest, FloatInstanceForTheAnimator) {
    CCalculator<float> animator;
    for (int t : {0, 250, 1000}) {
        const std::string expression = vorn::ReplaceAll("255 * t / 1000", "t", std::to_string(t));
        EXPECT_FLOAT_EQ(animator.Calculate(expression), 255.0f * t / 1000) << expression;
    }
    EXPECT_EQ(animator.Calculate("1 / 0"), 0.0f);
    EXPECT_NEAR(animator.Calculate("sin ( 3.14159265 / 2 )"), 1.0f, 1e-6);
    // Beyond float range: infinity, never a fault.
    EXPECT_TRUE(std::isinf(animator.Calculate("10 ^ 100")));
}

TEST(CCalculatorTest, HugeInputsFinishInLinearTimeWithoutRecursion) {
    CCalculator<double> calculator;
    const size_t depth = 100000;
    const std::string nested = std::string(depth, '(') + "7" + std::string(depth, ')');
    const std::string unclosed = std::string(depth, '(') + "7";
    std::string sum;
    while (sum.size() < (1u << 20))
        sum += "1 + ";
    sum += "1";
    const double terms = static_cast<double>(sum.size() / 4 + 1);

    const struct {
        const char* name;
        std::string expression;
        double value;
    } cases[] = {
        {"100,000 nested parentheses", nested, 7},
        {"100,000 unclosed parentheses", unclosed, 7},
        {"100,000 stray closing parentheses", "7" + std::string(depth, ')'), 7},
        {"a megabyte sum", sum, terms},
        {"a megabyte of minus signs", std::string(1 << 20, '-'), 0},
        {"a megabyte of signs before a number", std::string(1 << 20, '-') + "3", 3},
        {"a megabyte of signs before a parenthesis", std::string(1 << 20, '-') + "(3)", -3},
        {"a megabyte of digits", "0." + std::string(1 << 20, '5'), 5.0 / 9},
        {"a megabyte of letters", std::string(1 << 20, 's'), 0},
        {"a megabyte of operators", std::string(1 << 20, '^') + "2", 0},
    };
    for (const auto& c : cases) {
        double value = 0;
        const double seconds = SecondsFor([&] { value = calculator.Calculate(c.expression); });
        EXPECT_LT(seconds, MAX_SECONDS) << c.name;
        EXPECT_NEAR(value, c.value, 1e-9) << c.name;
    }
}

TEST(CCalculatorTest, CalculatorsAreIndependent) {
    // The sign rule depends on the previous token; one calculator's state must
    // not leak into another's.
    CCalculator<double> first;
    CCalculator<double> second;
    vorn::CInfixToPostfix::TokenKind kind;
    first.GetConverter().GetNextToken("5", kind);
    EXPECT_EQ(second.GetConverter().GetNextToken("-3", kind), "-3");
    EXPECT_DOUBLE_EQ(first.Calculate("-3 * 2"), -6);
}
