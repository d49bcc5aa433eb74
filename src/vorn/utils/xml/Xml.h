#pragma once

// XML serialisation of objects.
//
// THE DIALECT
//
// Files hold one root element. The supported subset of XML:
//
//   <Monster type="player" >        start tag, attributes in double (or single) quotes
//     <name>                        an element's text stands inside it,
//       Big &amp; Ugly              usually on its own line
//     </name>
//     <rect h="4" w="3" x="1" y="2" >
//     </rect>
//     <part/>                       self-closing tag
//     <!-- a comment -->            "<!...>" and "<?...?>" tags are skipped
//   </Monster>
//
// Reading
// - Input is read as lines. Blanks (spaces, tabs) at both ends of a line are
//   dropped; element text is joined from its lines with nothing between them
//   and trimmed of blanks at both ends. Inside a tag a line break counts as a
//   blank, so a tag may run over several lines.
// - Entities, in text and attribute values: &lt; &gt; &amp; &apos; &quot; and
//   numeric references (&#10; &#x41;), decoded in one pass. Anything else
//   after "&" is kept as it is.
// - Attributes: name="value", blanks allowed around "="; a repeated attribute
//   keeps its first value. An unquoted value is taken whole up to the next
//   blank; an attribute without a value reads as empty (both are noted as
//   faults). ">" ends a tag even inside quotes, except in comments, which run
//   to "-->".
// - When text stands on both sides of a child element, the last piece wins.
// - A closing tag closes the open element whatever name it carries.
// - Tolerance: a closing tag with nothing open, a second top-level element,
//   elements nested deeper than CXmlHandler::MAX_DEPTH and input past the
//   limits of CXmlParser are skipped; a truncated file gives the elements read
//   so far. Each malformed file costs one warning line in the log; a file
//   that cannot be opened is not reported.
// - No namespaces, no CDATA, no DTD, no validation.
//
// Writing (CXmlStreamHandler) produces exactly one shape: one tag or one text
// per line, two spaces of indentation per level, an element's text before its
// children, attributes sorted by name with a space after each, and never a
// self-closing tag. Text escapes "&", "<", ">", line breaks and blanks at its
// ends; attribute values escape "&", "<", ">", '"' and line breaks, so every
// string written reads back unchanged. Floats keep six significant digits.
//
// FIELDS
//
// A class declares its fields once in Serialize(CXmlArchive&), which runs in
// both directions (see CXmlArchive.h). A field named "f" is a child element
// <f>: its text for bool, integers, float and std::string ("0"/"1" for bool);
// its attributes for rectangles (x, y, w, h) and points (x, y); its own
// children for objects; and one <f> per item for std::vector and std::list.
// Attribute statements put plain values on the object's own element. New
// kinds join by specialising CXmlValue, CXmlObject or CXmlField.

#include <memory>
#include <string>

#include "vorn/utils/xml/CXmlArchive.h"
#include "vorn/utils/xml/CXmlElement.h"

namespace vorn {

// Parses a file into a tree. Null when the file cannot be opened (silently)
// or holds no element; a malformed file writes one warning line.
std::unique_ptr<CXmlElement> ParseXmlFile(const std::string& fileName);
// The same for text in memory; sourceName names it in the warning.
std::unique_ptr<CXmlElement> ParseXmlText(const std::string& text, const std::string& sourceName);

// Writes the tree to fileName without ever losing the previous file: the
// text goes to fileName + ".tmp", which replaces the file only once complete.
// Missing folders are created. On failure the old file stays, one error line
// is logged and false is returned.
bool WriteXmlFile(const CXmlElement& root, const std::string& fileName);
std::string WriteXmlText(const CXmlElement& root);

// Reads object from a file; the root element's name is not checked. False,
// with the object untouched, when the file gave no element.
template <class T>
bool LoadObjectFromXmlFile(T& object, const std::string& fileName) {
    std::unique_ptr<CXmlElement> root = ParseXmlFile(fileName);
    if (!root)
        return false;
    ObjectFromXmlElement(root.get(), object);
    return true;
}

// Saves object under an element named rootName (see WriteXmlFile).
template <class T>
bool SaveObjectToXmlFile(T& object, const std::string& fileName, const std::string& rootName) {
    std::unique_ptr<CXmlElement> root = ObjectToXmlElement(object, rootName);
    return WriteXmlFile(*root, fileName);
}

template <class T>
bool LoadObjectFromXmlText(T& object, const std::string& text,
                           const std::string& sourceName = "(text)") {
    std::unique_ptr<CXmlElement> root = ParseXmlText(text, sourceName);
    if (!root)
        return false;
    ObjectFromXmlElement(root.get(), object);
    return true;
}

template <class T>
std::string SaveObjectToXmlText(T& object, const std::string& rootName) {
    return WriteXmlText(*ObjectToXmlElement(object, rootName));
}

}  // namespace vorn
