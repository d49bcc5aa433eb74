#pragma once

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "vorn/utils/calculator/IPostfixOperand.h"
#include "vorn/utils/calculator/PostfixOperands.h"

namespace vorn {

// Evaluates a postfix text whose tokens are separated by single spaces
// ("3 4 2 * +" gives 11). Each token, trimmed of blanks and tabs, is
//   - the name of a registered operator: it is executed on the value stack;
//   - made only of the characters "0123456789.+-": it is read as a number and
//     pushed. A run of leading signs folds into one ("--5" is 5), the number
//     then reads as far as it can ("1.5.2" is 1.5, and 1.5 is 1 as an int), and a
//     token that holds no number at all (".", "+-") pushes 0. A number too
//     large for T becomes its largest (or most negative) value, a fraction too
//     small becomes 0;
//   - anything else (an unreplaced name, a parenthesis): ignored.
// The result is the top of the stack, or 0 when the stack is empty. Malformed
// input never faults: operators cope with missing operands (PostfixOperands.h).
// Instances exist for int (the four arithmetic operators only), float and double.
template <class T>
class CPostfix {
public:
    CPostfix();
    virtual ~CPostfix() = default;
    // The operator table points at this object's own members.
    CPostfix(const CPostfix&) = delete;
    CPostfix& operator=(const CPostfix&) = delete;

    // Returns the value of the postfix text. The value stack starts empty on
    // every call, so values a malformed text leaves behind never reach the next.
    T Evaluate(const std::string& postfix);

    // Registers an operator under a name (not owned; it must outlive this
    // object). An existing name is replaced; an empty name or one holding a
    // blank or tab could never match a token and is ignored.
    void AddOperand(const std::string& name, IPostfixOperand<T>* operand);
    bool HasOperand(const std::string& name) const;

    // Reads one number token as described above (exposed for the tests).
    static T ParseNumber(std::string_view token);

protected:
    std::deque<T> myStack;
    std::map<std::string, IPostfixOperand<T>*, std::less<>> myOperands;
    const std::string mySeparator = " ";

private:
    PostfixOperandAddition<T> myAddition;
    PostfixOperandSubtract<T> mySubtract;
    PostfixOperandMultiply<T> myMultiply;
    PostfixOperandDivide<T> myDivide;
};

extern template class CPostfix<int>;
extern template class CPostfix<float>;
extern template class CPostfix<double>;

}  // namespace vorn
