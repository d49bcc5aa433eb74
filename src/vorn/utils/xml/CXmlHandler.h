#pragma once

#include <memory>
#include <string>

#include "vorn/utils/xml/CXmlElement.h"
#include "vorn/utils/xml/CXmlHandlerInterface.h"
#include "vorn/utils/xml/CXmlProblems.h"

namespace vorn {

// Builds an element tree from parse events. The first element becomes the
// root; later top-level elements, elements nested deeper than MAX_DEPTH and
// elements past MAX_ELEMENTS are skipped with their contents, and closing
// tags without an open element are ignored. Each such fault is noted in
// GetProblems().
class CXmlHandler : public CXmlHandlerInterface {
public:
    static constexpr int MAX_DEPTH = 256;
    static constexpr int MAX_ELEMENTS = 1000000;

    void StartDocument() override;
    void EndDocument() override;
    void Characters(const std::string& text) override;
    void StartElement(const std::string& name, const XmlAttributes& attributes) override;
    void EndElement(const std::string& name) override;

    // The tree built so far; null when no element was found. Owned by the handler.
    virtual CXmlElement* GetRootElement() const { return myRoot.get(); }
    // Hands the tree over to the caller.
    std::unique_ptr<CXmlElement> TakeRootElement() { return std::move(myRoot); }

    const CXmlProblems& GetProblems() const { return myProblems; }

private:
    std::unique_ptr<CXmlElement> myRoot;
    CXmlElement* myCurrent = nullptr;
    int myDepth = 0;      // depth of myCurrent; 0 when none is open
    int mySkipDepth = 0;  // open elements inside a skipped subtree
    int myElementCount = 0;
    bool myRootClosed = false;
    CXmlProblems myProblems;
};

}  // namespace vorn
