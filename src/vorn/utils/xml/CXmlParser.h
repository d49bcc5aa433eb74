#pragma once

#include <cstddef>
#include <iosfwd>
#include <string>

#include "vorn/utils/xml/CXmlHandlerInterface.h"
#include "vorn/utils/xml/CXmlProblems.h"

namespace vorn {

// Reads XML text (the dialect described in vorn/utils/xml/Xml.h) and reports
// it to a handler as events. It works on a stream of characters with fixed
// limits, so no input can make it recurse, hang or grow without bound: text
// past the limits is dropped and noted in GetProblems().
class CXmlParser {
public:
    static constexpr size_t MAX_INPUT_BYTES = 64u << 20;  // the rest of a larger file is ignored
    static constexpr size_t MAX_TAG_LENGTH = 1u << 20;    // a longer tag is cut
    static constexpr size_t MAX_TEXT_LENGTH = 16u << 20;  // longer element text is cut

    // The handler is not owned and must outlive the parse.
    explicit CXmlParser(CXmlHandlerInterface* handler = nullptr) : myHandler(handler) {}

    void SetHandler(CXmlHandlerInterface* handler) { myHandler = handler; }

    // Parses a file. A file that cannot be opened gives StartDocument and
    // EndDocument only, and false.
    bool ParseFile(const std::string& fileName);
    void ParseStream(std::istream& in);
    void ParseText(const std::string& text);

    // What was wrong with the input of the last parse.
    const CXmlProblems& GetProblems() const { return myProblems; }

private:
    enum State { OUTSIDE_TAG, INSIDE_TAG, INSIDE_COMMENT };

    void Begin();
    void Feed(const char* data, size_t size);
    void End();
    void ProcessChar(char c);
    void FlushText();
    void HandleTag();
    void ParseAttributes(const std::string& tag, size_t from, XmlAttributes& attributes);

    CXmlHandlerInterface* myHandler;
    State myState = OUTSIDE_TAG;
    std::string myText;
    std::string myTag;
    bool myTagTooLong = false;
    char myTagLastChar = 0;  // last non-blank character of a tag past the limit
    bool myTextTooLong = false;
    // Line trimming: blanks at a line's start are dropped, blanks inside a
    // line are held until something other than a line break follows them.
    bool myAtLineStart = true;
    std::string myHeldBlanks;
    char myCommentTail[2] = {0, 0};
    size_t myBytesRead = 0;
    CXmlProblems myProblems;
};

}  // namespace vorn
