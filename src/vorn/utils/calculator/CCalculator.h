#pragma once

#include <string>

#include "vorn/utils/calculator/CInfixToPostfix.h"
#include "vorn/utils/calculator/CPostfix.h"
#include "vorn/utils/calculator/PostfixOperands.h"

// The expression calculator: infix arithmetic text to a number, for the widget
// layout (double) and the sprite animator (float).
//
//   expression  := tokens separated by any blanks and tabs, or none
//   operators   := "+" "-" (precedence 0), "*" "/" (1), "^" "sin" "cos" "tan" "sqrt" (2)
//   parentheses := "(" ")"
//   operand     := any other text up to the next operator or parenthesis; it
//                  counts as a number when made only of "0123456789.+-",
//                  otherwise it is ignored
//
//   "3 + 4 * 2" is 11, "2 ^ 3 ^ 2" is 64 (equal precedence groups from the
//   left), "sqrt ( 16 ) * 2" is 8, "-5 + 2" is -3, "- ( 3 )" is -3.
//
// The calculator has no variables: callers replace each name in the text by
// the text of its value before calling Calculate (the layout's "parent.w", the
// animator's "t").
//
// It never reports an error and never faults: an unknown name drops out ("abc +
// 1" is 1), a missing operand of "+" or "-" counts as 0, a missing operand of
// another binary operator drops the operation, division by zero gives 0, an
// unbalanced parenthesis is tolerated ("( 1 + 2" and "1 + 2 )" are 3), and an
// empty text gives 0. Time and memory are linear in the length of the text,
// however deeply it nests; nothing recurses.
//
// Not thread-safe: one calculator per thread.
namespace vorn {

template <class T>
class CCalculator : public CPostfix<T> {
public:
    // Registers the functions "sin", "cos", "tan", "sqrt" and the operator "^"
    // with both the converter and the evaluator.
    CCalculator();

    // The value of the infix text; 0 for an empty text.
    T Calculate(const std::string& infix);

    CInfixToPostfix& GetConverter() { return myConverter; }

private:
    CInfixToPostfix myConverter;
    PostfixOperandSine<T> mySine;
    PostfixOperandCosine<T> myCosine;
    PostfixOperandTangent<T> myTangent;
    PostfixOperandSqrt<T> mySqrt;
    PostfixOperandExponent<T> myExponent;
};

extern template class CCalculator<float>;
extern template class CCalculator<double>;

}  // namespace vorn
