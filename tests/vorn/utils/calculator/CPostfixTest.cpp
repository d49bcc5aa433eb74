#include "vorn/utils/calculator/CPostfix.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

using vorn::CPostfix;

TEST(CPostfixTest, EvaluatesArithmeticInEachType) {
    CPostfix<int> integers;
    EXPECT_EQ(integers.Evaluate("3 4 2 * +"), 11);
    EXPECT_EQ(integers.Evaluate("7 2 /"), 3);
    EXPECT_EQ(integers.Evaluate("2 7 -"), -5);
    CPostfix<float> floats;
    EXPECT_FLOAT_EQ(floats.Evaluate("7 2 /"), 3.5f);
    CPostfix<double> doubles;
    EXPECT_DOUBLE_EQ(doubles.Evaluate("0.1 0.2 +"), 0.1 + 0.2);
    EXPECT_DOUBLE_EQ(doubles.Evaluate("  3\t  4 * "), 12);
    // The top of the stack is the result.
    EXPECT_DOUBLE_EQ(doubles.Evaluate("1 2 3"), 3);
    EXPECT_DOUBLE_EQ(doubles.Evaluate(""), 0);
}

TEST(CPostfixTest, MissingOperandsNeverFault) {
    CPostfix<double> doubles;
    EXPECT_DOUBLE_EQ(doubles.Evaluate("5 +"), 5);
    EXPECT_DOUBLE_EQ(doubles.Evaluate("5 -"), -5);
    EXPECT_DOUBLE_EQ(doubles.Evaluate("5 *"), 0);  // consumed, nothing pushed
    EXPECT_DOUBLE_EQ(doubles.Evaluate("7 5 /"), 1.4);
    EXPECT_DOUBLE_EQ(doubles.Evaluate("7 5 * /"), 0);
    EXPECT_DOUBLE_EQ(doubles.Evaluate("+ - * /"), 0);
    // Values a malformed text leaves behind do not leak into the next evaluation.
    EXPECT_DOUBLE_EQ(doubles.Evaluate("1 2 3 4"), 4);
    EXPECT_DOUBLE_EQ(doubles.Evaluate("9 *"), 0);
}

TEST(CPostfixTest, DivisionByZeroGivesZero) {
    CPostfix<int> integers;
    EXPECT_EQ(integers.Evaluate("10 0 /"), 0);
    EXPECT_EQ(integers.Evaluate("0 0 /"), 0);
    // The one integer quotient that overflows wraps instead of trapping.
    EXPECT_EQ(integers.Evaluate("-2147483648 -1 /"), std::numeric_limits<int>::min());
    CPostfix<float> floats;
    EXPECT_EQ(floats.Evaluate("10 0 /"), 0.0f);
    CPostfix<double> doubles;
    EXPECT_EQ(doubles.Evaluate("10 0 /"), 0.0);
    EXPECT_EQ(doubles.Evaluate("10 -0 /"), 0.0);
}

TEST(CPostfixTest, IgnoresPiecesThatAreNotNumbers) {
    CPostfix<double> doubles;
    EXPECT_DOUBLE_EQ(doubles.Evaluate("parent.w 4 +"), 4);
    EXPECT_DOUBLE_EQ(doubles.Evaluate("1e3"), 0);
    EXPECT_DOUBLE_EQ(doubles.Evaluate("( 2 ("), 2);
    EXPECT_DOUBLE_EQ(doubles.Evaluate("2 sin"), 2);  // functions belong to the calculator
}

TEST(CPostfixTest, ReadsNumbersAsFarAsTheyGo) {
    EXPECT_DOUBLE_EQ(CPostfix<double>::ParseNumber("-12.25"), -12.25);
    EXPECT_DOUBLE_EQ(CPostfix<double>::ParseNumber("+.5"), 0.5);
    EXPECT_DOUBLE_EQ(CPostfix<double>::ParseNumber("5."), 5);
    EXPECT_DOUBLE_EQ(CPostfix<double>::ParseNumber("--5"), 5);
    EXPECT_DOUBLE_EQ(CPostfix<double>::ParseNumber("-+-+-5"), -5);
    EXPECT_DOUBLE_EQ(CPostfix<double>::ParseNumber("1.5.2"), 1.5);
    EXPECT_DOUBLE_EQ(CPostfix<double>::ParseNumber("7-3"), 7);
    EXPECT_DOUBLE_EQ(CPostfix<double>::ParseNumber("."), 0);
    EXPECT_DOUBLE_EQ(CPostfix<double>::ParseNumber("+-"), 0);
    EXPECT_EQ(CPostfix<int>::ParseNumber("-7.9"), -7);
    EXPECT_EQ(CPostfix<int>::ParseNumber("-2147483648"), std::numeric_limits<int>::min());
    // Out of range: the nearest representable end, or 0 for a tiny fraction.
    EXPECT_EQ(CPostfix<int>::ParseNumber("99999999999999999999999"),
              std::numeric_limits<int>::max());
    EXPECT_EQ(CPostfix<int>::ParseNumber("-99999999999999999999999"),
              std::numeric_limits<int>::min());
    const std::string huge = "1" + std::string(400, '0');
    EXPECT_EQ(CPostfix<double>::ParseNumber(huge), std::numeric_limits<double>::max());
    EXPECT_EQ(CPostfix<float>::ParseNumber("-" + huge), -std::numeric_limits<float>::max());
    EXPECT_EQ(CPostfix<double>::ParseNumber("0." + std::string(400, '0') + "1"), 0.0);
}

TEST(CPostfixTest, IntegerArithmeticWrapsInsteadOfOverflowing) {
    CPostfix<int> integers;
    EXPECT_EQ(integers.Evaluate("2147483647 1 +"), std::numeric_limits<int>::min());
    EXPECT_EQ(integers.Evaluate("-2147483648 1 -"), std::numeric_limits<int>::max());
    EXPECT_EQ(integers.Evaluate("65536 65536 *"), 0);
}

TEST(CPostfixTest, CustomOperatorsCanBeRegistered) {
    class CDouble : public vorn::IPostfixOperand<int> {
    public:
        void Execute(std::deque<int>& stack) const override {
            if (!stack.empty()) stack.back() *= 2;
        }
    } twice;
    CPostfix<int> integers;
    EXPECT_FALSE(integers.HasOperand("twice"));
    integers.AddOperand("twice", &twice);
    integers.AddOperand("a b", &twice);  // could never match a piece
    EXPECT_TRUE(integers.HasOperand("twice"));
    EXPECT_FALSE(integers.HasOperand("a b"));
    EXPECT_EQ(integers.Evaluate("3 twice 1 +"), 7);
}
