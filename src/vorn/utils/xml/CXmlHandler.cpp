#include "vorn/utils/xml/CXmlHandler.h"

#include "vorn/utils/xml/XmlText.h"

namespace vorn {

void CXmlHandler::StartDocument() {
    myRoot.reset();
    myCurrent = nullptr;
    myDepth = 0;
    mySkipDepth = 0;
    myElementCount = 0;
    myRootClosed = false;
    myProblems.Clear();
}

void CXmlHandler::EndDocument() {
    if (myCurrent) {
        myProblems.Note("the file ends inside the element \"" + XmlPrintable(myCurrent->GetName()) +
                        "\"");
    }
}

void CXmlHandler::Characters(const std::string& text) {
    if (mySkipDepth > 0)
        return;
    if (!myCurrent) {
        myProblems.Note("text outside the root element");
        return;
    }
    // The last piece of text wins when text stands on both sides of a child.
    myCurrent->SetValue(text);
}

void CXmlHandler::StartElement(const std::string& name, const XmlAttributes& attributes) {
    if (mySkipDepth > 0) {
        ++mySkipDepth;
        return;
    }
    // Decide whether this element can join the tree; if not, skip it whole.
    const char* refusal = nullptr;
    if (myRootClosed)
        refusal = "a second top-level element";
    else if (myDepth >= MAX_DEPTH)
        refusal = "elements nested too deeply";
    else if (myElementCount >= MAX_ELEMENTS)
        refusal = "too many elements";
    if (refusal) {
        myProblems.Note(std::string(refusal) + " (\"" + XmlPrintable(name) + "\" skipped)");
        mySkipDepth = 1;
        return;
    }

    auto element = std::make_unique<CXmlElement>(name);
    for (const auto& attribute : attributes)
        element->AddAttribute(attribute.first, attribute.second);
    ++myElementCount;
    ++myDepth;
    if (!myRoot) {
        myRoot = std::move(element);
        myCurrent = myRoot.get();
    } else {
        myCurrent = myCurrent->AddChild(std::move(element));
    }
}

void CXmlHandler::EndElement(const std::string& name) {
    if (mySkipDepth > 0) {
        --mySkipDepth;
        return;
    }
    if (!myCurrent) {
        myProblems.Note("the closing tag \"/" + XmlPrintable(name) + "\" has no open element");
        return;
    }
    // The closing tag's name is not compared: it always closes the open element.
    myCurrent = myCurrent->GetParent();
    --myDepth;
    if (!myCurrent)
        myRootClosed = true;
}

}  // namespace vorn
