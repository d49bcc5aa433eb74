#include "vorn/console/CVariable.h"

#include <sstream>

namespace vorn {

std::string NumberToString(double value) {
    std::ostringstream out;
    out << value;
    return out.str();
}

double StringToNumber(const std::string& text) {
    std::istringstream in(text);
    double value = 0;
    if (!(in >> value)) return 0;
    return value;
}

double CVariableString::GetNumber() const {
    return StringToNumber(myText);
}
void CVariableString::SetNumber(double value) {
    myText = NumberToString(value);
}
std::string CVariableNumber::GetString() const {
    return NumberToString(myValue);
}
void CVariableNumber::SetString(const std::string& text) {
    myValue = StringToNumber(text);
}

}  // namespace vorn
