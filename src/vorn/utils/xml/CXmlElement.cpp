#include "vorn/utils/xml/CXmlElement.h"

namespace vorn {

namespace {
const std::string EMPTY_NAME;
const CAnyContainer EMPTY_VALUE;
}  // namespace

CXmlElement::~CXmlElement() {
    // A deep tree would overflow the stack if every destructor destroyed its
    // children itself: detach each subtree's children before letting it go.
    std::vector<std::unique_ptr<CXmlElement>> pending = std::move(myChildren);
    while (!pending.empty()) {
        std::unique_ptr<CXmlElement> element = std::move(pending.back());
        pending.pop_back();
        for (std::unique_ptr<CXmlElement>& child : element->myChildren)
            pending.push_back(std::move(child));
        element->myChildren.clear();
    }
}

CXmlElement* CXmlElement::AddChild(std::unique_ptr<CXmlElement> child) {
    if (!child)
        return nullptr;
    child->myParent = this;
    myChildren.push_back(std::move(child));
    return myChildren.back().get();
}

CXmlElement* CXmlElement::GetChild(int index) const {
    if (index < 0 || index >= GetChildCount())
        return nullptr;
    return myChildren[static_cast<size_t>(index)].get();
}

CXmlElement* CXmlElement::FindChild(const std::string& name) const {
    for (const std::unique_ptr<CXmlElement>& child : myChildren) {
        if (child->myName == name)
            return child.get();
    }
    return nullptr;
}

bool CXmlElement::HasAttribute(const std::string& name) const {
    return myAttributeIndex.count(name) != 0;
}

const CAnyContainer& CXmlElement::GetAttribute(const std::string& name) const {
    const auto found = myAttributeIndex.find(name);
    if (found == myAttributeIndex.end())
        return EMPTY_VALUE;
    return myAttributes[found->second].second;
}

void CXmlElement::AddAttribute(const std::string& name, const CAnyContainer& value) {
    if (!myAttributeIndex.emplace(name, myAttributes.size()).second)
        return;
    myAttributes.emplace_back(name, value);
}

const std::string& CXmlElement::GetAttributeName(int index) const {
    if (index < 0 || index >= GetAttributeCount())
        return EMPTY_NAME;
    return myAttributes[static_cast<size_t>(index)].first;
}

const CAnyContainer& CXmlElement::GetAttributeValue(int index) const {
    if (index < 0 || index >= GetAttributeCount())
        return EMPTY_VALUE;
    return myAttributes[static_cast<size_t>(index)].second;
}

}  // namespace vorn
