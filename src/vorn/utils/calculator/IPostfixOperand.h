#pragma once

#include <deque>

namespace vorn {

// One operator or function of the postfix evaluator (CPostfix<T>). It takes its
// operands from the back of the value stack and pushes its result there. An
// operator must never fault: with an empty stack it does nothing, with too few
// values it does what its class documents. Operators hold no data; the table
// that names them does not own them.
template <class T>
class IPostfixOperand {
public:
    virtual ~IPostfixOperand() = default;

    // Applies the operator to the value stack (back = top).
    virtual void Execute(std::deque<T>& stack) const = 0;
};

}  // namespace vorn
