#pragma once

#include <map>
#include <string>

#include "vorn/utils/containers/CAnyContainer.h"

namespace vorn {

// Attributes of one tag, ordered by name (byte-wise ascending).
using XmlAttributes = std::map<std::string, CAnyContainer>;

// Receiver of the events of one parse. The base versions do nothing.
// Events arrive in document order: StartDocument, then any number of
// StartElement / Characters / EndElement, then EndDocument.
class CXmlHandlerInterface {
public:
    virtual ~CXmlHandlerInterface() = default;
    virtual void StartDocument() {}
    virtual void EndDocument() {}
    // Decoded, trimmed element text; never empty.
    virtual void Characters(const std::string& /*text*/) {}
    virtual void StartElement(const std::string& /*name*/, const XmlAttributes& /*attributes*/) {}
    // The name as written in the closing tag; may differ from the open element.
    virtual void EndElement(const std::string& /*name*/) {}
};

}  // namespace vorn
