#include "vorn/utils/xml/CXmlArchive.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "vorn/console/CLog.h"
#include "vorn/utils/xml/XmlText.h"

namespace vorn {

namespace {

std::string NameOf(const CXmlElement* element) {
    return element ? XmlPrintable(element->GetName(), 128) : std::string();
}

}  // namespace

bool CXmlArchive::HasChild(const std::string& name) const {
    if (!myCurrent) return false;
    // The child under the cursor is the likely one; then look everywhere.
    const CXmlElement* expected = myCurrent->GetChild(myCursor);
    if (expected && expected->GetName() == name) return true;
    return myCurrent->FindChild(name) != nullptr;
}

CXmlElement* CXmlArchive::GetChild(const std::string& name) {
    if (!myCurrent) return nullptr;
    const int count = myCurrent->GetChildCount();
    if (myCursor >= count)
        Warn("Xml warning, ain't no childs left in the current node: " + NameOf(myCurrent));
    if (!HasChild(name)) return nullptr;

    CXmlElement* expected = myCurrent->GetChild(myCursor);
    if (expected && expected->GetName() == name) {
        ++myCursor;
        return expected;
    }
    Warn("Xml warning a child node wasn't in the place it should be, order fucked up in node: " +
         NameOf(myCurrent));
    for (int i = 0; i < count; ++i) {
        CXmlElement* child = myCurrent->GetChild(i);
        if (child->GetName() == name) {
            myCursor = i + 1;
            return child;
        }
    }
    return nullptr;
}

void CXmlArchive::SkipChildren(const std::string& name) {
    if (!myCurrent) return;
    while (const CXmlElement* child = myCurrent->GetChild(myCursor)) {
        if (child->GetName() != name) break;
        ++myCursor;
    }
}

CXmlElement* CXmlArchive::AddChild(std::unique_ptr<CXmlElement> element) {
    if (!myCurrent) return nullptr;
    return myCurrent->AddChild(std::move(element));
}

CXmlElement* CXmlArchive::BeginChild(const std::string& name) {
    CXmlElement* child = AddChild(std::make_unique<CXmlElement>(name));
    if (child) myCurrent = child;
    return child;
}

void CXmlArchive::EndChild(const std::string& name) {
    if (!myCurrent) return;
    if (myCurrent->GetName() != name) {
        Warn("Xml warning, trying to end a different node: " + XmlPrintable(name, 128) +
             " should end: " + NameOf(myCurrent));
    }
    // Never climb above the element this pass works on.
    if (myCurrent != myRoot) myCurrent = myCurrent->GetParent();
}

void CXmlArchive::Warn(const std::string& text) const {
    if (!myWarningsEnabled) return;
    CLog::GetSingleton()->Warning()
        << text << " in file: " << mySourceFile << " at line " << mySourceLine << "\n";
}

void CXmlArchive::WarnBadValue(const std::string& name, const std::string& text,
                               const char* typeName) const {
    Warn("Xml warning, the value \"" + XmlPrintable(text) + "\" of \"" + XmlPrintable(name) +
         "\" is not a valid " + typeName + ", the field keeps its value");
}

}  // namespace vorn

namespace vorn::xmldetail {

namespace {

bool IsStreamSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Start of the number: after the blanks a stream would skip.
size_t SkipBlanks(const std::string& text) {
    size_t at = 0;
    while (at < text.size() && IsStreamSpace(text[at]))
        ++at;
    return at;
}

}  // namespace

bool ParseInteger(const std::string& text, long long& value) {
    size_t at = SkipBlanks(text);
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
    if (at >= text.size() || !IsDigit(text[at])) return false;
    // Accumulate as a negative number, which has room for the smallest value.
    long long result = 0;
    const long long limit = std::numeric_limits<long long>::min();
    for (; at < text.size() && IsDigit(text[at]); ++at) {
        const int digit = text[at] - '0';
        if (result < (limit + digit) / 10) return false;
        result = result * 10 - digit;
    }
    if (!negative) {
        if (result == limit) return false;
        result = -result;
    }
    value = result;
    return true;
}

bool ParseUnsigned(const std::string& text, unsigned long long& value) {
    size_t at = SkipBlanks(text);
    if (at < text.size() && text[at] == '-') return false;
    if (at < text.size() && text[at] == '+') ++at;
    if (at >= text.size() || !IsDigit(text[at])) return false;
    unsigned long long result = 0;
    const unsigned long long limit = std::numeric_limits<unsigned long long>::max();
    for (; at < text.size() && IsDigit(text[at]); ++at) {
        const unsigned digit = static_cast<unsigned>(text[at] - '0');
        if (result > (limit - digit) / 10) return false;
        result = result * 10 + digit;
    }
    value = result;
    return true;
}

bool ParseFloat(const std::string& text, double& value) {
    // The longest prefix a stream takes: sign, digits, point, digits, then an
    // exponent with optional sign and digits. The whole prefix must convert.
    const size_t start = SkipBlanks(text);
    size_t at = start;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
    size_t digits = 0;
    while (at < text.size() && IsDigit(text[at]))
        ++at, ++digits;
    if (at < text.size() && text[at] == '.') {
        ++at;
        while (at < text.size() && IsDigit(text[at]))
            ++at, ++digits;
    }
    if (digits == 0) return false;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
        const size_t exponentStart = at;
        while (at < text.size() && IsDigit(text[at]))
            ++at;
        if (at == exponentStart) return false;
    }
    const std::string number = text.substr(start, at - start);
    char* end = nullptr;
    errno = 0;
    const double parsed = std::strtod(number.c_str(), &end);
    if (end != number.c_str() + number.size()) return false;
    if (errno == ERANGE && std::isinf(parsed)) return false;
    if (std::isinf(parsed) || std::isnan(parsed)) return false;
    value = parsed;
    return true;
}

std::string FloatToText(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof(buffer), "%g", value);
    return buffer;
}

}  // namespace vorn::xmldetail
