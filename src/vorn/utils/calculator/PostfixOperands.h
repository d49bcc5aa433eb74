#pragma once

#include <cmath>
#include <deque>
#include <limits>
#include <type_traits>

#include "vorn/utils/calculator/IPostfixOperand.h"

// The operators and functions of the calculator. Binary operators take b from
// the top of the stack, then a below it, and push a op b. Integer arithmetic
// wraps around (two's complement) instead of overflowing, and integer division
// by zero gives 0 like the floating-point forms, so no input can trap.
namespace vorn {

namespace postfix_detail {

template <class T>
T Pop(std::deque<T>& stack) {
    T value = stack.back();
    stack.pop_back();
    return value;
}

template <class T>
using Wide = std::make_unsigned_t<T>;

template <class T>
T Add(T a, T b) {
    if constexpr (std::is_integral_v<T>) {
        return static_cast<T>(static_cast<Wide<T>>(a) + static_cast<Wide<T>>(b));
    } else {
        return a + b;
    }
}

template <class T>
T Subtract(T a, T b) {
    if constexpr (std::is_integral_v<T>) {
        return static_cast<T>(static_cast<Wide<T>>(a) - static_cast<Wide<T>>(b));
    } else {
        return a - b;
    }
}

template <class T>
T Multiply(T a, T b) {
    if constexpr (std::is_integral_v<T>) {
        return static_cast<T>(static_cast<Wide<T>>(a) * static_cast<Wide<T>>(b));
    } else {
        return a * b;
    }
}

template <class T>
T Divide(T a, T b) {
    if (b == 0) return T(0);
    if constexpr (std::is_integral_v<T> && std::is_signed_v<T>) {
        // The one quotient that does not fit; wrap it like the other operators.
        if (b == -1 && a == std::numeric_limits<T>::min()) return a;
    }
    return a / b;
}

// "+" and "-" treat a missing left operand as 0 (a leading sign).
template <class T, T (*Op)(T, T)>
class SignedBinaryOperand : public IPostfixOperand<T> {
public:
    void Execute(std::deque<T>& stack) const override {
        if (stack.empty()) return;
        T b = Pop(stack);
        T a = stack.empty() ? T(0) : Pop(stack);
        stack.push_back(Op(a, b));
    }
};

// The other binary operators drop the operation when the left operand is missing.
template <class T, T (*Op)(T, T)>
class StrictBinaryOperand : public IPostfixOperand<T> {
public:
    void Execute(std::deque<T>& stack) const override {
        if (stack.empty()) return;
        T b = Pop(stack);
        if (stack.empty()) return;
        T a = Pop(stack);
        stack.push_back(Op(a, b));
    }
};

// Functions of one argument, computed in double precision and stored back as T.
template <class T, double (*Function)(double)>
class FunctionOperand : public IPostfixOperand<T> {
public:
    void Execute(std::deque<T>& stack) const override {
        if (stack.empty()) return;
        stack.back() = static_cast<T>(Function(static_cast<double>(stack.back())));
    }
};

inline double Sine(double x) {
    return std::sin(x);
}
inline double Cosine(double x) {
    return std::cos(x);
}
inline double Tangent(double x) {
    return std::tan(x);
}
inline double SquareRoot(double x) {
    return std::sqrt(x);
}

template <class T>
T Power(T a, T b) {
    return static_cast<T>(std::pow(static_cast<double>(a), static_cast<double>(b)));
}

}  // namespace postfix_detail

// "+": a + b; a missing left operand counts as 0.
template <class T>
class PostfixOperandAddition
    : public postfix_detail::SignedBinaryOperand<T, postfix_detail::Add<T>> {};

// "-": a - b; a missing left operand counts as 0.
template <class T>
class PostfixOperandSubtract
    : public postfix_detail::SignedBinaryOperand<T, postfix_detail::Subtract<T>> {};

// "*": a * b; with one value only, that value is consumed and nothing is pushed.
template <class T>
class PostfixOperandMultiply
    : public postfix_detail::StrictBinaryOperand<T, postfix_detail::Multiply<T>> {};

// "/": a / b, 0 for a zero divisor; with one value only, it is consumed.
template <class T>
class PostfixOperandDivide
    : public postfix_detail::StrictBinaryOperand<T, postfix_detail::Divide<T>> {};

// "^": a raised to the power b; with one value only, it is consumed.
template <class T>
class PostfixOperandExponent
    : public postfix_detail::StrictBinaryOperand<T, postfix_detail::Power<T>> {};

// "sin", "cos", "tan", "sqrt": replace the top value x by f(x).
template <class T>
class PostfixOperandSine : public postfix_detail::FunctionOperand<T, postfix_detail::Sine> {};
template <class T>
class PostfixOperandCosine : public postfix_detail::FunctionOperand<T, postfix_detail::Cosine> {};
template <class T>
class PostfixOperandTangent : public postfix_detail::FunctionOperand<T, postfix_detail::Tangent> {};
template <class T>
class PostfixOperandSqrt : public postfix_detail::FunctionOperand<T, postfix_detail::SquareRoot> {};

}  // namespace vorn
