#include "vorn/utils/xml/CXmlStreamHandler.h"

#include <ostream>
#include <vector>

#include "vorn/utils/xml/CXmlElement.h"
#include "vorn/utils/xml/XmlText.h"

namespace vorn {

bool CXmlStreamHandler::Write(const CXmlElement& root, std::ostream& stream) {
    // Each entry is an element and the index of its next child to print.
    std::vector<std::pair<const CXmlElement*, int>> stack;
    auto open = [&](const CXmlElement& element) {
        XmlAttributes attributes;
        for (int i = 0; i < element.GetAttributeCount(); ++i)
            attributes.emplace(element.GetAttributeName(i), element.GetAttributeValue(i));
        StartElement(element.GetName(), attributes, stream);
        Characters(element.GetValue(), stream);
        stack.emplace_back(&element, 0);
    };
    open(root);
    while (!stack.empty()) {
        auto& top = stack.back();
        if (top.second < top.first->GetChildCount()) {
            const CXmlElement* child = top.first->GetChild(top.second++);
            open(*child);
        } else {
            EndElement(top.first->GetName(), stream);
            stack.pop_back();
        }
    }
    return static_cast<bool>(stream);
}

void CXmlStreamHandler::Indent(std::ostream& stream) const {
    for (int i = 0; i < myDepth; ++i)
        stream << "  ";
}

void CXmlStreamHandler::Characters(const std::string& text, std::ostream& stream) {
    if (text.empty())
        return;
    Indent(stream);
    stream << XmlEscapeText(text) << '\n';
}

void CXmlStreamHandler::StartElement(const std::string& name, const XmlAttributes& attributes,
                                     std::ostream& stream) {
    Indent(stream);
    stream << '<' << name;
    if (!attributes.empty()) {
        stream << ' ';
        for (const auto& attribute : attributes)
            stream << attribute.first << "=\"" << XmlEscapeAttribute(attribute.second.GetString())
                   << "\" ";
    }
    stream << ">\n";
    ++myDepth;
}

void CXmlStreamHandler::EndElement(const std::string& name, std::ostream& stream) {
    --myDepth;
    Indent(stream);
    stream << "</" << name << ">\n";
}

}  // namespace vorn
