#pragma once

#include <string>

// Text conversions between plain strings and the XML files' text.
namespace vorn {

// Element text for the writer. Escapes "&", "<" and ">", writes line breaks as
// "&#10;"/"&#13;" (the reader joins lines) and a blank or tab at either end as
// "&#32;"/"&#9;" (the reader trims), so that the reader returns the string
// unchanged.
std::string XmlEscapeText(const std::string& text);

// Attribute value for the writer (between double quotes). Escapes "&", "<",
// ">", the double quote and line breaks; everything else stays as it is.
std::string XmlEscapeAttribute(const std::string& text);

// Decodes "&lt;", "&gt;", "&amp;", "&apos;", "&quot;" and numeric references
// ("&#10;", "&#x41;", written as UTF-8) in one pass, so decoded text is never
// decoded again. Anything else after "&" stays as it is.
std::string XmlDecodeEntities(const std::string& text);

// A short one-line copy of text for log messages: control characters become
// '?' and text longer than maxLength is cut and ends in "...".
std::string XmlPrintable(const std::string& text, size_t maxLength = 64);

}  // namespace vorn
