#include "vorn/utils/calculator/CPostfix.h"

#include <charconv>
#include <limits>
#include <type_traits>

namespace vorn {

namespace {

constexpr const char* NUMBER_CHARACTERS = "0123456789.+-";

std::string_view TrimBlanks(std::string_view text) {
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

// Only digits, '.' and signs reach the parser, so a number that does not fit
// has either a non-zero digit before the point (too big) or none (too small).
bool HasNonZeroIntegerDigit(std::string_view digits) {
    for (char c : digits) {
        if (c == '.') return false;
        if (c >= '1' && c <= '9') return true;
    }
    return false;
}

}  // namespace

template <class T>
CPostfix<T>::CPostfix() {
    AddOperand("+", &myAddition);
    AddOperand("-", &mySubtract);
    AddOperand("*", &myMultiply);
    AddOperand("/", &myDivide);
}

template <class T>
void CPostfix<T>::AddOperand(const std::string& name, IPostfixOperand<T>* operand) {
    if (name.empty() || name.find_first_of(" \t") != std::string::npos || !operand) return;
    myOperands[name] = operand;
}

template <class T>
bool CPostfix<T>::HasOperand(const std::string& name) const {
    return myOperands.find(name) != myOperands.end();
}

template <class T>
T CPostfix<T>::ParseNumber(std::string_view token) {
    // Fold the leading signs into one.
    bool negative = false;
    size_t start = 0;
    while (start < token.size() && (token[start] == '+' || token[start] == '-')) {
        negative = negative != (token[start] == '-');
        ++start;
    }
    std::string_view digits = token.substr(start);
    const char* first = digits.data();
    const char* last = first + digits.size();

    if constexpr (std::is_integral_v<T>) {
        unsigned long long magnitude = 0;
        auto [end, error] = std::from_chars(first, last, magnitude);
        (void)end;
        if (error == std::errc::invalid_argument) return T(0);
        if (error == std::errc::result_out_of_range) {
            magnitude = std::numeric_limits<unsigned long long>::max();
        }
        // Saturate: the magnitude of the smallest value is one more than the largest.
        const auto largest = static_cast<unsigned long long>(std::numeric_limits<T>::max());
        if (negative) {
            if (magnitude > largest) return std::numeric_limits<T>::min();
            return static_cast<T>(-static_cast<T>(magnitude));
        }
        return magnitude > largest ? std::numeric_limits<T>::max() : static_cast<T>(magnitude);
    } else {
        T value = T(0);
        auto [end, error] = std::from_chars(first, last, value, std::chars_format::fixed);
        (void)end;
        if (error == std::errc::invalid_argument) return T(0);
        if (error == std::errc::result_out_of_range) {
            value = HasNonZeroIntegerDigit(digits) ? std::numeric_limits<T>::max() : T(0);
        }
        return negative ? -value : value;
    }
}

template <class T>
T CPostfix<T>::Evaluate(const std::string& postfix) {
    myStack.clear();
    const std::string_view text(postfix);
    size_t position = 0;
    while (position <= text.size()) {
        size_t next = text.find(mySeparator, position);
        if (next == std::string_view::npos) next = text.size();
        const std::string_view piece = TrimBlanks(text.substr(position, next - position));
        position = next + mySeparator.size();
        // Runs of separators leave empty pieces; they carry nothing.
        if (piece.empty()) continue;

        auto found = myOperands.find(piece);
        if (found != myOperands.end()) {
            found->second->Execute(myStack);
        } else if (piece.find_first_not_of(NUMBER_CHARACTERS) == std::string_view::npos) {
            myStack.push_back(ParseNumber(piece));
        }
        // Anything else is an unreplaced name or a stray parenthesis: dropped.
    }
    if (myStack.empty()) return T(0);
    T result = myStack.back();
    myStack.clear();
    return result;
}

template class CPostfix<int>;
template class CPostfix<float>;
template class CPostfix<double>;

}  // namespace vorn
