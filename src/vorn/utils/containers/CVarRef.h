#pragma once

#include <sstream>
#include <string>
#include <typeinfo>

namespace vorn {

// Conversions between values and text with standard string streams in their
// default formatting: six significant digits, bool as "0"/"1".
template <class T>
std::string CastToString(const T& value) {
    std::ostringstream out;
    out << value;
    return out.str();
}
inline std::string CastToString(const std::string& value) {
    return value;
}

// Reads a T from the start of text; a text that holds no T gives T().
template <class T>
T CastFromString(const std::string& text) {
    std::istringstream in(text);
    T value{};
    in >> value;
    if (in.fail()) return T{};
    return value;
}
template <>
inline std::string CastFromString<std::string>(const std::string& text) {
    return text;
}

// A named value convertible to and from text: console variables, XML
// attribute values and signal arguments travel through these.
class CVarRefBase {
public:
    virtual ~CVarRefBase() = default;
    // Sets the value from text; ignored when read-only.
    virtual void SetValue(const std::string& text) = 0;
    virtual std::string GetValue() const = 0;
    virtual std::string GetName() const = 0;
    virtual std::string GetTypeName() const = 0;
    virtual bool IsReadOnly() const = 0;
};

// A program value of type T bound by pointer (not owned).
template <class T>
class CVarRef : public CVarRefBase {
public:
    CVarRef(T* value, const std::string& name, bool readOnly = false)
        : myValue(value), myName(name), myReadOnly(readOnly) {}

    void SetValue(const std::string& text) override {
        if (myReadOnly || !myValue) return;
        std::istringstream in(text);
        T value{};
        if (in >> value) *myValue = value;
    }
    std::string GetValue() const override { return myValue ? CastToString(*myValue) : ""; }
    std::string GetName() const override { return myName; }
    std::string GetTypeName() const override { return typeid(T).name(); }
    bool IsReadOnly() const override { return myReadOnly; }

private:
    T* myValue;
    std::string myName;
    bool myReadOnly;
};

// Read-only view of a value of type T.
template <class T>
class CVarRefConst : public CVarRefBase {
public:
    CVarRefConst(const T* value, const std::string& name) : myValue(value), myName(name) {}

    void SetValue(const std::string&) override {}
    std::string GetValue() const override { return myValue ? CastToString(*myValue) : ""; }
    std::string GetName() const override { return myName; }
    std::string GetTypeName() const override { return typeid(T).name(); }
    bool IsReadOnly() const override { return true; }

private:
    const T* myValue;
    std::string myName;
};

template <class T>
class CVarRefEmpty;

// A free-standing string variable that owns its value; SetValue keeps the
// whole text, blanks included.
template <>
class CVarRefEmpty<std::string> : public CVarRefBase {
public:
    explicit CVarRefEmpty(const std::string& name, const std::string& value = "",
                          bool readOnly = false)
        : myValue(value), myName(name), myReadOnly(readOnly) {}

    void SetValue(const std::string& text) override {
        if (!myReadOnly) myValue = text;
    }
    std::string GetValue() const override { return myValue; }
    std::string GetName() const override { return myName; }
    std::string GetTypeName() const override { return typeid(std::string).name(); }
    bool IsReadOnly() const override { return myReadOnly; }

private:
    std::string myValue;
    std::string myName;
    bool myReadOnly;
};

}  // namespace vorn
