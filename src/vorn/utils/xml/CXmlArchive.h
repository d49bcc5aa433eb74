#pragma once

#include <limits>
#include <list>
#include <memory>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

#include "vorn/utils/math/CRect.h"
#include "vorn/utils/xml/CXmlElement.h"

namespace vorn {

// Field kinds. Each is a class template that a type can specialise to join
// the archive (see the field kinds section below the archive):
//   CXmlValue<T>  - a value written as text: element text or attribute value.
//   CXmlObject<T> - a value written as one element with its own fields; by
//                   default calls T::Serialize(CXmlArchive&).
//   CXmlField<T>  - the shape of a whole field: one element, or a sequence
//                   of elements sharing the field's name.
// For example, a signal can save its connections as "Slot" elements with
//   template <class... Args>
//   struct CXmlField<CSignal<Args...>> {
//       static void Serialize(CXmlArchive& ar, const std::string& name,
//                             CSignal<Args...>& signal);  // BeginChild/EndChild, ...
//   };
template <class T, class Enable = void>
struct CXmlValue;
template <class T, class Enable = void>
struct CXmlObject;
template <class T, class Enable = void>
struct CXmlField;

// One serialisation pass over one element, in one direction. A persistent
// class declares its fields once, for both directions:
//
//   void CMonster::Serialize(vorn::CXmlArchive& ar) {
//       ar.Attribute("type", myType);   // attribute of the object's element
//       ar.Field("name", myName);       // child element holding text
//       ar.Field("rect", myRect);       // child element with x, y, w, h
//       ar.Field("parts", myParts);     // one "parts" element per item
//   }
//
// Each field statement records the caller's file and line for the warnings.
// Reading is tolerant: a missing field leaves the member unchanged, fields
// out of order are read with a warning, a value that is not of the field's
// type leaves the member unchanged with a warning.
class CXmlArchive {
public:
    enum Mode { READ = 0, WRITE = 1 };

    // element: the element the pass works on (not owned); it is the root and
    // the current element, and the child cursor starts at 0.
    CXmlArchive(CXmlElement* element, Mode mode)
        : myMode(mode), myRoot(element), myCurrent(element) {}

    bool IsReading() const { return myMode == READ; }
    bool IsWriting() const { return myMode == WRITE; }

    // --- Field statements ---------------------------------------------------

    // A child element named name: a plain value as its text, an object or a
    // rectangle as its content, a vector or list as one element per item.
    template <class T>
    void Field(const std::string& name, T& value, const char* file = __builtin_FILE(),
               int line = __builtin_LINE()) {
        SetSource(file, line);
        CXmlField<T>::Serialize(*this, name, value);
    }

    // An attribute of the current element, for plain values.
    template <class T>
    void Attribute(const std::string& name, T& value, const char* file = __builtin_FILE(),
                   int line = __builtin_LINE());

    // A sequence of objects held by pointer, one element per item. Reading
    // asks create(element) for each item (it may look at a "type" attribute
    // to choose the class) and appends what it returns; null skips the item.
    // The caller owns the items.
    template <class T, class Create>
    void Objects(const std::string& name, std::vector<T*>& items, Create create,
                 const char* file = __builtin_FILE(), int line = __builtin_LINE());

    // --- Tree access ---------------------------------------------------------

    // True if a child of the current element has that name. Moves nothing,
    // warns about nothing.
    bool HasChild(const std::string& name) const;
    // Reading: the next child of that name, expected under the child cursor;
    // warns when it is elsewhere (see the .cpp). Null when there is none.
    CXmlElement* GetChild(const std::string& name);
    // Appends element to the current element; returns it.
    CXmlElement* AddChild(std::unique_ptr<CXmlElement> element);
    // Moves the child cursor past the children of that name standing under
    // it, so that the field after a sequence is expected in the right place.
    void SkipChildren(const std::string& name);
    // Writing by hand: appends a new element and makes it current.
    CXmlElement* BeginChild(const std::string& name);
    // Makes the current element's parent current; warns when name is not
    // the current element's.
    void EndChild(const std::string& name);

    CXmlElement* GetCurrentElement() const { return myCurrent; }
    CXmlElement* GetRootElement() const { return myRoot; }
    int GetChildCursor() const { return myCursor; }

    // --- Source location and warnings ---------------------------------------

    // file must outlive the archive (a string literal or __FILE__).
    void SetSource(const char* file, int line) {
        mySourceFile = file ? file : "";
        mySourceLine = line;
    }
    const char* GetSourceFile() const { return mySourceFile; }
    int GetSourceLine() const { return mySourceLine; }
    void SetWarningsEnabled(bool enabled) { myWarningsEnabled = enabled; }
    bool GetWarningsEnabled() const { return myWarningsEnabled; }

    // Logs text + " in file: " + source file + " at line " + source line at
    // warning level, when warnings are enabled.
    void Warn(const std::string& text) const;
    // The warning for a value that could not be read as typeName.
    void WarnBadValue(const std::string& name, const std::string& text, const char* typeName) const;

private:
    Mode myMode;
    CXmlElement* myRoot;
    CXmlElement* myCurrent;
    int myCursor = 0;
    const char* mySourceFile = "";
    int mySourceLine = 0;
    bool myWarningsEnabled = true;
};

// Makes an element named name and writes object into it. The caller owns it.
template <class T>
std::unique_ptr<CXmlElement> ObjectToXmlElement(T& object, const std::string& name) {
    auto element = std::make_unique<CXmlElement>(name);
    CXmlArchive archive(element.get(), CXmlArchive::WRITE);
    CXmlObject<T>::Serialize(archive, object);
    return element;
}

// Reads object from element with a fresh archive; a null element does nothing.
template <class T>
void ObjectFromXmlElement(CXmlElement* element, T& object) {
    if (!element) return;
    CXmlArchive archive(element, CXmlArchive::READ);
    CXmlObject<T>::Serialize(archive, object);
}

// ============================================================================
// Field kinds
// ============================================================================

namespace xmldetail {

template <class T>
constexpr bool IS_CHARACTER =
    std::is_same_v<T, char> || std::is_same_v<T, signed char> || std::is_same_v<T, unsigned char> ||
    std::is_same_v<T, wchar_t> || std::is_same_v<T, char16_t> || std::is_same_v<T, char32_t>;

template <class T>
const char* NumberTypeName() {
    if constexpr (std::is_same_v<T, bool>) return "bool";
    if constexpr (std::is_same_v<T, int>) return "int";
    if constexpr (std::is_same_v<T, unsigned int>) return "unsigned int";
    if constexpr (std::is_same_v<T, float>) return "float";
    if constexpr (std::is_same_v<T, double>) return "double";
    if constexpr (std::is_floating_point_v<T>) return "floating point number";
    if constexpr (std::is_signed_v<T>) return "integer";
    return "unsigned integer";
}

// Number text as standard streams read and write it, without building a
// stream per value (files hold thousands of numbers). Each takes a leading
// number after blanks ("12abc" gives 12) and refuses text that holds none or
// a value out of range.
bool ParseInteger(const std::string& text, long long& value);
bool ParseUnsigned(const std::string& text, unsigned long long& value);
bool ParseFloat(const std::string& text, double& value);
// Six significant digits, as a default-formatted stream writes.
std::string FloatToText(double value);

}  // namespace xmldetail

// Not a plain value: the primary template only answers IS_PLAIN.
template <class T, class Enable>
struct CXmlValue {
    static constexpr bool IS_PLAIN = false;
};

template <>
struct CXmlValue<std::string> {
    static constexpr bool IS_PLAIN = true;
    static const char* TypeName() { return "string"; }
    static std::string ToText(const std::string& value) { return value; }
    static bool FromText(const std::string& text, std::string& value) {
        value = text;
        return true;
    }
};

// bool and numbers: standard stream output (six significant digits, bool as
// "0"/"1") and standard stream input, which takes a leading number ("12abc"
// gives 12). Input that is not a number, out of range for the type, or
// negative for an unsigned type is refused.
template <class T>
struct CXmlValue<T, std::enable_if_t<std::is_arithmetic_v<T> && !xmldetail::IS_CHARACTER<T>>> {
    static constexpr bool IS_PLAIN = true;
    static const char* TypeName() { return xmldetail::NumberTypeName<T>(); }
    static std::string ToText(const T& value) {
        if constexpr (std::is_same_v<T, bool>) {
            return value ? "1" : "0";
        } else if constexpr (std::is_integral_v<T>) {
            return std::to_string(value);
        } else {
            return xmldetail::FloatToText(static_cast<double>(value));
        }
    }
    static bool FromText(const std::string& text, T& value) {
        if constexpr (std::is_same_v<T, bool>) {
            long long parsed = 0;
            if (!xmldetail::ParseInteger(text, parsed) || (parsed != 0 && parsed != 1))
                return false;
            value = parsed != 0;
        } else if constexpr (std::is_integral_v<T> && std::is_unsigned_v<T>) {
            unsigned long long parsed = 0;
            // Stream input would wrap "-1" round to the largest value.
            if (!xmldetail::ParseUnsigned(text, parsed) || parsed > std::numeric_limits<T>::max())
                return false;
            value = static_cast<T>(parsed);
        } else if constexpr (std::is_integral_v<T>) {
            long long parsed = 0;
            if (!xmldetail::ParseInteger(text, parsed) || parsed < std::numeric_limits<T>::min() ||
                parsed > std::numeric_limits<T>::max())
                return false;
            value = static_cast<T>(parsed);
        } else {
            double parsed = 0;
            if (!xmldetail::ParseFloat(text, parsed)) return false;
            if (std::is_same_v<T, float> && (parsed > std::numeric_limits<float>::max() ||
                                             parsed < -std::numeric_limits<float>::max()))
                return false;
            value = static_cast<T>(parsed);
        }
        return true;
    }
};

// An object: by default the type's own Serialize(CXmlArchive&).
template <class T, class Enable>
struct CXmlObject {
    static void Serialize(CXmlArchive& archive, T& object) { object.Serialize(archive); }
};

// A rectangle: the attributes "x", "y", "w", "h" of its element.
template <class T>
struct CXmlObject<CRect<T>> {
    static void Serialize(CXmlArchive& archive, CRect<T>& rect) {
        archive.Attribute("x", rect.x);
        archive.Attribute("y", rect.y);
        archive.Attribute("w", rect.w);
        archive.Attribute("h", rect.h);
    }
};

// A point or two-dimensional vector: the attributes "x" and "y".
template <class T>
struct CXmlObject<CPoint<T>> {
    static void Serialize(CXmlArchive& archive, CPoint<T>& point) {
        archive.Attribute("x", point.x);
        archive.Attribute("y", point.y);
    }
};

// One element of a field: a plain value as its text, anything else as an object.
template <class T>
struct CXmlItem {
    static void Write(CXmlElement& element, T& value) {
        if constexpr (CXmlValue<T>::IS_PLAIN) {
            element.SetValue(CXmlValue<T>::ToText(value));
        } else {
            CXmlArchive archive(&element, CXmlArchive::WRITE);
            CXmlObject<T>::Serialize(archive, value);
        }
    }
    // False (after a warning) when the element's text is not a T.
    static bool Read(const CXmlArchive& archive, CXmlElement& element, T& value) {
        if constexpr (CXmlValue<T>::IS_PLAIN) {
            if (CXmlValue<T>::FromText(element.GetValue(), value)) return true;
            archive.WarnBadValue(element.GetName(), element.GetValue(), CXmlValue<T>::TypeName());
            return false;
        } else {
            ObjectFromXmlElement(&element, value);
            return true;
        }
    }
};

// A field of one element.
template <class T, class Enable>
struct CXmlField {
    static void Serialize(CXmlArchive& archive, const std::string& name, T& value) {
        if (archive.IsWriting()) {
            auto element = std::make_unique<CXmlElement>(name);
            CXmlItem<T>::Write(*element, value);
            archive.AddChild(std::move(element));
        } else if (archive.HasChild(name)) {
            if (CXmlElement* element = archive.GetChild(name))
                CXmlItem<T>::Read(archive, *element, value);
        }
    }
};

// A sequence: one element per item, all named after the field. Reading
// appends every child of that name in document order (the container is not
// cleared first); an item whose text is not a T is skipped with a warning.
// The child cursor moves past the items that stand under it.
template <class Container>
struct CXmlSequenceField {
    using Item = typename Container::value_type;
    static void Serialize(CXmlArchive& archive, const std::string& name, Container& items) {
        if (archive.IsWriting()) {
            for (auto it = items.begin(); it != items.end(); ++it) {
                auto element = std::make_unique<CXmlElement>(name);
                if constexpr (std::is_same_v<Item, bool>) {
                    bool copy = *it;  // std::vector<bool> hands out proxies
                    CXmlItem<bool>::Write(*element, copy);
                } else {
                    CXmlItem<Item>::Write(*element, *it);
                }
                archive.AddChild(std::move(element));
            }
            return;
        }
        CXmlElement* parent = archive.GetCurrentElement();
        if (!parent) return;
        for (int i = 0; i < parent->GetChildCount(); ++i) {
            CXmlElement* element = parent->GetChild(i);
            if (element->GetName() != name) continue;
            Item item{};
            if (CXmlItem<Item>::Read(archive, *element, item)) items.push_back(std::move(item));
        }
        archive.SkipChildren(name);
    }
};

template <class T, class Allocator>
struct CXmlField<std::vector<T, Allocator>> : CXmlSequenceField<std::vector<T, Allocator>> {};
template <class T, class Allocator>
struct CXmlField<std::list<T, Allocator>> : CXmlSequenceField<std::list<T, Allocator>> {};

// --- CXmlArchive templates that need the field kinds ------------------------

template <class T>
void CXmlArchive::Attribute(const std::string& name, T& value, const char* file, int line) {
    static_assert(CXmlValue<T>::IS_PLAIN, "attributes hold plain values only");
    SetSource(file, line);
    if (!myCurrent) return;
    if (IsWriting()) {
        myCurrent->AddAttribute(name, CAnyContainer(value));
        return;
    }
    if (!myCurrent->HasAttribute(name)) return;
    const CAnyContainer& attribute = myCurrent->GetAttribute(name);
    if (const T* held = attribute.GetIf<T>()) {
        value = *held;
        return;
    }
    const std::string text = attribute.GetString();
    if (!CXmlValue<T>::FromText(text, value)) WarnBadValue(name, text, CXmlValue<T>::TypeName());
}

template <class T, class Create>
void CXmlArchive::Objects(const std::string& name, std::vector<T*>& items, Create create,
                          const char* file, int line) {
    SetSource(file, line);
    if (!myCurrent) return;
    if (IsWriting()) {
        for (T* item : items) {
            if (item) AddChild(ObjectToXmlElement(*item, name));
        }
        return;
    }
    for (int i = 0; i < myCurrent->GetChildCount(); ++i) {
        CXmlElement* element = myCurrent->GetChild(i);
        if (element->GetName() != name) continue;
        T* item = create(static_cast<const CXmlElement&>(*element));
        if (!item) continue;
        ObjectFromXmlElement(element, *item);
        items.push_back(item);
    }
    SkipChildren(name);
}

}  // namespace vorn
