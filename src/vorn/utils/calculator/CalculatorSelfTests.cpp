#include "vorn/utils/calculator/CalculatorSelfTests.h"

#include <cmath>
#include <string>

#include "vorn/console/CLog.h"
#include "vorn/utils/calculator/CCalculator.h"
#include "vorn/utils/calculator/CInfixToPostfix.h"
#include "vorn/utils/calculator/CPostfix.h"
#include "vorn/utils/string/StringUtils.h"

namespace vorn::selftests {

namespace {

// Counts failed checks of one self-test and logs each with what differed.
class CChecker {
public:
    explicit CChecker(const char* test) : myTest(test) {}

    void Near(const std::string& expression, double got, double want, double tolerance = 1e-6) {
        if (std::fabs(got - want) <= tolerance) return;
        CLog::GetSingleton()->Printf("[ERROR] %s: '%s' gave %g, expected %g\n", myTest,
                                     expression.c_str(), got, want);
        ++myFailures;
    }

    void Same(const std::string& input, const std::string& got, const std::string& want) {
        if (got == want) return;
        CLog::GetSingleton()->Printf("[ERROR] %s: '%s' gave '%s', expected '%s'\n", myTest,
                                     input.c_str(), got.c_str(), want.c_str());
        ++myFailures;
    }

    int Result() const { return myFailures; }

private:
    const char* myTest;
    int myFailures = 0;
};

}  // namespace

int CCalculatorTest() {
    CChecker check("CCalculatorTest");
    CCalculator<double> calculator;

    // A layout expression after the widget has replaced its names by numbers.
    const std::string layout = "parent.x + parent.w - 25";
    std::string expression = ReplaceAll(ReplaceAll(layout, "parent.x", "10"), "parent.w", "300");
    check.Near(expression, calculator.Calculate(expression), 285);
    expression = ReplaceAll(ReplaceAll(layout, "parent.x", "-10"), "parent.w", "300");
    check.Near(expression, calculator.Calculate(expression), 265);

    const struct {
        const char* expression;
        double value;
    } cases[] = {
        {"3 + 4 * 2", 11}, {"( 3 + 4 ) * 2", 14},  {"2 ^ 3 ^ 2", 64},
        {"-5 + 2", -3},    {"- ( 3 )", -3},        {"10 / 0", 0},
        {"( 1 + 2", 3},    {"1 + 2 )", 3},         {"", 0},
        {"abc + 1", 1},    {"sqrt ( 16 ) * 2", 8}, {"100 + ( 300 / 2 - ( 300 * 0.9 / 2 ) )", 115},
    };
    for (const auto& c : cases)
        check.Near(c.expression, calculator.Calculate(c.expression), c.value);

    // The animator's float calculator with its variable "t" replaced.
    CCalculator<float> animator;
    const std::string fade = ReplaceAll("255 * t / 1000", "t", "250");
    check.Near(fade, animator.Calculate(fade), 63.75, 1e-4);
    check.Near("10 / 0 (float)", animator.Calculate("10 / 0"), 0);
    return check.Result();
}

int CInfixToPostfixTest() {
    CChecker check("CInfixToPostfixTest");
    CInfixToPostfix converter;
    converter.AddOperator("^", 2);

    const struct {
        const char* infix;
        const char* postfix;
    } cases[] = {
        {"3 + 4 * 2", "3 4 2 * +"},
        {"( 3 + 4 ) * 2", "3 4 + 2 *"},
        {"8 - 3 - 2", "8 3 - 2 -"},
        {"2 ^ 3 ^ 2", "2 3 ^ 2 ^"},
        {"-5 + 2", "-5 2 +"},
        {"3 * -2", "3 -2 *"},
        {"- ( 3 )", "3 -"},
        {"( 1 + 2", "1 2 + ("},
        {"1 + 2 )", "1 2 +"},
        {"  7  ", "7"},
        {"", ""},
    };
    for (const auto& c : cases)
        check.Same(c.infix, converter.Convert(c.infix), c.postfix);

    // Token by token: a "-" after an operand is an operator, at the start a sign.
    CInfixToPostfix::TokenKind kind = CInfixToPostfix::TOKEN_NONE;
    check.Same("token of '12 - 3'", converter.GetNextToken("12 - 3", kind), "12");
    check.Near("kind of '12'", kind, CInfixToPostfix::TOKEN_OPERAND);
    check.Same("token of '- 3'", converter.GetNextToken("- 3", kind), "-");
    check.Near("kind of '-'", kind, CInfixToPostfix::TOKEN_OPERATOR);
    converter.Convert("");
    check.Same("token of '-3' at the start", converter.GetNextToken("-3", kind), "-3");
    check.Near("kind of '-3'", kind, CInfixToPostfix::TOKEN_OPERAND);
    return check.Result();
}

int CPostfixTest() {
    CChecker check("CPostfixTest");
    CPostfix<int> integers;
    check.Near("3 4 2 * +", integers.Evaluate("3 4 2 * +"), 11);
    check.Near("7 2 /", integers.Evaluate("7 2 /"), 3);
    check.Near("7 0 / (int)", integers.Evaluate("7 0 /"), 0);
    check.Near("2.9 (int)", integers.Evaluate("2.9"), 2);

    CPostfix<double> reals;
    check.Near("1.5 2 *", reals.Evaluate("1.5 2 *"), 3);
    check.Near("5 +", reals.Evaluate("5 +"), 5);
    check.Near("5 -", reals.Evaluate("5 -"), -5);
    check.Near("5 * (left operand missing)", reals.Evaluate("5 *"), 0);
    check.Near("width 4 +", reals.Evaluate("width 4 +"), 4);
    check.Near("sin 4 (no functions here)", reals.Evaluate("4 sin"), 4);
    // A malformed text leaves values behind; the next evaluation must not see them.
    reals.Evaluate("1 2 3");
    check.Near("9 + after leftovers", reals.Evaluate("9 +"), 9);
    return check.Result();
}

int CPostfixAndInfixToPostfix() {
    CChecker check("CPostfixAndInfixToPostfix");
    CInfixToPostfix converter;
    CPostfix<int> evaluator;
    const struct {
        const char* infix;
        int value;
    } cases[] = {
        {"10 + 300 - 25", 285},           {"( 7 + 3 ) / 2", 5}, {"2 * ( 3 + 4 ) - -1", 15},
        {"100 - ( 20 - ( 5 - 1 ) )", 84}, {"-4 * -4", 16},
    };
    for (const auto& c : cases) {
        check.Near(c.infix, evaluator.Evaluate(converter.Convert(c.infix)), c.value);
    }
    return check.Result();
}

int CPostfixSinCosinTest() {
    CChecker check("CPostfixSinCosinTest");
    const double pi = std::acos(-1.0);
    CCalculator<double> calculator;
    check.Near("0 sin", calculator.Evaluate("0 sin"), 0);
    check.Near("0 cos", calculator.Evaluate("0 cos"), 1);
    check.Near("pi/2 sin", calculator.Evaluate(std::to_string(pi / 2) + " sin"), 1);
    check.Near("pi cos", calculator.Evaluate(std::to_string(pi) + " cos"), -1);
    check.Near("sin ( 0 ) converts", calculator.Calculate("sin ( 0 ) + 2"), 2);
    // sin² + cos² = 1 at several angles, through the whole calculator.
    for (double angle : {0.3, 1.1, 2.5, -4.0}) {
        const std::string a = std::to_string(angle);
        const std::string expression =
            "sin ( " + a + " ) * sin ( " + a + " ) + cos ( " + a + " ) * cos ( " + a + " )";
        check.Near(expression, calculator.Calculate(expression), 1, 1e-9);
    }
    CCalculator<float> animator;
    check.Near("cos ( 0 ) * 2 (float)", animator.Calculate("cos ( 0 ) * 2"), 2, 1e-6);
    check.Near("tan ( 0.5 ) (float)", animator.Calculate("tan ( 0.5 )"), std::tan(0.5), 1e-6);
    return check.Result();
}

}  // namespace vorn::selftests
