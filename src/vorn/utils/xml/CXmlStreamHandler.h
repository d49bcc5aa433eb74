#pragma once

#include <iosfwd>
#include <string>

#include "vorn/utils/xml/CXmlHandlerInterface.h"

namespace vorn {

class CXmlElement;

// Prints an element tree as indented text, one tag or text per line:
//
//   <Sprite>
//     <integer>
//       5
//     </integer>
//     <rect h="4" w="3" x="1" y="2" >
//     </rect>
//   </Sprite>
//
// Two spaces per depth level; attributes sorted by name, each followed by a
// space; an element's text comes before its children. Text and attribute
// values are escaped (vorn/utils/xml/XmlText.h) so the reader gets them back
// unchanged.
class CXmlStreamHandler : public CXmlHandlerInterface {
public:
    // Prints root and everything below it. The walk keeps its own stack, so
    // any depth is safe. Returns false when the stream failed.
    bool Write(const CXmlElement& root, std::ostream& stream);

    virtual void Characters(const std::string& text, std::ostream& stream);
    virtual void StartElement(const std::string& name, const XmlAttributes& attributes,
                              std::ostream& stream);
    virtual void EndElement(const std::string& name, std::ostream& stream);

    // The parse events of the base are not used for writing.
    using CXmlHandlerInterface::Characters;
    using CXmlHandlerInterface::EndElement;
    using CXmlHandlerInterface::StartElement;

private:
    void Indent(std::ostream& stream) const;

    int myDepth = 0;
};

}  // namespace vorn
