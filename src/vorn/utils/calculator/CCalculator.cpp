#include "vorn/utils/calculator/CCalculator.h"

namespace vorn {

namespace {
constexpr int FUNCTION_PRECEDENCE = 2;
}

template <class T>
CCalculator<T>::CCalculator() {
    const std::pair<const char*, IPostfixOperand<T>*> functions[] = {{"sin", &mySine},
                                                                     {"cos", &myCosine},
                                                                     {"tan", &myTangent},
                                                                     {"sqrt", &mySqrt},
                                                                     {"^", &myExponent}};
    for (const auto& [name, operand] : functions) {
        this->AddOperand(name, operand);
        myConverter.AddOperator(name, FUNCTION_PRECEDENCE);
    }
}

template <class T>
T CCalculator<T>::Calculate(const std::string& infix) {
    if (infix.empty()) return T(0);
    return this->Evaluate(myConverter.Convert(infix));
}

template class CCalculator<float>;
template class CCalculator<double>;

}  // namespace vorn
