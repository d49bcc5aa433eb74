#include "vorn/utils/xml/CXmlArchive.h"

#include "vorn/console/CLog.h"
#include "vorn/utils/xml/XmlText.h"

namespace vorn {

namespace {

std::string NameOf(const CXmlElement* element) {
    return element ? XmlPrintable(element->GetName(), 128) : std::string();
}

}  // namespace

bool CXmlArchive::HasChild(const std::string& name) const {
    if (!myCurrent)
        return false;
    // The child under the cursor is the likely one; then look everywhere.
    const CXmlElement* expected = myCurrent->GetChild(myCursor);
    if (expected && expected->GetName() == name)
        return true;
    return myCurrent->FindChild(name) != nullptr;
}

CXmlElement* CXmlArchive::GetChild(const std::string& name) {
    if (!myCurrent)
        return nullptr;
    const int count = myCurrent->GetChildCount();
    if (myCursor >= count)
        Warn("Xml warning, ain't no childs left in the current node: " + NameOf(myCurrent));
    if (!HasChild(name))
        return nullptr;

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
    if (!myCurrent)
        return;
    while (const CXmlElement* child = myCurrent->GetChild(myCursor)) {
        if (child->GetName() != name)
            break;
        ++myCursor;
    }
}

CXmlElement* CXmlArchive::AddChild(std::unique_ptr<CXmlElement> element) {
    if (!myCurrent)
        return nullptr;
    return myCurrent->AddChild(std::move(element));
}

CXmlElement* CXmlArchive::BeginChild(const std::string& name) {
    CXmlElement* child = AddChild(std::make_unique<CXmlElement>(name));
    if (child)
        myCurrent = child;
    return child;
}

void CXmlArchive::EndChild(const std::string& name) {
    if (!myCurrent)
        return;
    if (myCurrent->GetName() != name) {
        Warn("Xml warning, trying to end a different node: " + XmlPrintable(name, 128) +
             " should end: " + NameOf(myCurrent));
    }
    // Never climb above the element this pass works on.
    if (myCurrent != myRoot)
        myCurrent = myCurrent->GetParent();
}

void CXmlArchive::Warn(const std::string& text) const {
    if (!myWarningsEnabled)
        return;
    CLog::GetSingleton()->Warning()
        << text << " in file: " << mySourceFile << " at line " << mySourceLine << "\n";
}

void CXmlArchive::WarnBadValue(const std::string& name, const std::string& text,
                               const char* typeName) const {
    Warn("Xml warning, the value \"" + XmlPrintable(text) + "\" of \"" + XmlPrintable(name) +
         "\" is not a valid " + typeName + ", the field keeps its value");
}

}  // namespace vorn
