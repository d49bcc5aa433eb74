#pragma once

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "vorn/utils/containers/CAnyContainer.h"

namespace vorn {

// One node of an XML tree: a name, a text value, attributes and child
// elements. An element owns its children; the root is owned by whoever made
// the tree. The value is plain text: entities are decoded by the reader and
// encoded by the writer, never stored.
class CXmlElement {
public:
    explicit CXmlElement(const std::string& name = "") : myName(name) {}
    // Destroys the whole subtree without recursion, so any depth is safe.
    ~CXmlElement();
    CXmlElement(const CXmlElement&) = delete;
    CXmlElement& operator=(const CXmlElement&) = delete;

    const std::string& GetName() const { return myName; }
    void SetName(const std::string& name) { myName = name; }

    const std::string& GetValue() const { return myValue; }
    void SetValue(const std::string& value) { myValue = value; }

    CXmlElement* GetParent() const { return myParent; }

    // Takes ownership of child, appends it and makes this its parent.
    // Returns the child; a null child is ignored.
    CXmlElement* AddChild(std::unique_ptr<CXmlElement> child);
    int GetChildCount() const { return static_cast<int>(myChildren.size()); }
    // Null for an index out of range.
    CXmlElement* GetChild(int index) const;
    // The first child with that name, or null.
    CXmlElement* FindChild(const std::string& name) const;

    bool HasAttribute(const std::string& name) const;
    // The attribute's value; an empty container when there is none.
    const CAnyContainer& GetAttribute(const std::string& name) const;
    // Adds an attribute; a name already present keeps its first value.
    void AddAttribute(const std::string& name, const CAnyContainer& value);
    int GetAttributeCount() const { return static_cast<int>(myAttributes.size()); }
    // Empty name / empty container for an index out of range.
    const std::string& GetAttributeName(int index) const;
    const CAnyContainer& GetAttributeValue(int index) const;

private:
    std::string myName;
    std::string myValue;
    CXmlElement* myParent = nullptr;
    std::vector<std::unique_ptr<CXmlElement>> myChildren;
    // Attributes in the order added, with an index by name.
    std::vector<std::pair<std::string, CAnyContainer>> myAttributes;
    std::map<std::string, size_t> myAttributeIndex;
};

}  // namespace vorn
