#include "vorn/utils/xml/CXmlParser.h"

#include <fstream>
#include <istream>
#include <sstream>

#include "vorn/utils/string/StringUtils.h"
#include "vorn/utils/xml/XmlText.h"

namespace vorn {

namespace {

const char* const BLANKS = " \t";

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

}  // namespace

bool CXmlParser::ParseFile(const std::string& fileName) {
    std::ifstream in;
    if (!fileName.empty())
        in.open(fileName, std::ios::in | std::ios::binary);
    if (!in.is_open()) {
        Begin();
        End();
        return false;
    }
    ParseStream(in);
    return true;
}

void CXmlParser::ParseText(const std::string& text) {
    Begin();
    Feed(text.data(), text.size());
    End();
}

void CXmlParser::ParseStream(std::istream& in) {
    Begin();
    char block[64 * 1024];
    while (in) {
        in.read(block, sizeof(block));
        const size_t got = static_cast<size_t>(in.gcount());
        if (got == 0)
            break;
        Feed(block, got);
        if (myBytesRead >= MAX_INPUT_BYTES)
            break;
    }
    End();
}

void CXmlParser::Begin() {
    myState = OUTSIDE_TAG;
    myText.clear();
    myTag.clear();
    myTagTooLong = false;
    myTextTooLong = false;
    myAtLineStart = true;
    myHeldBlanks.clear();
    myBytesRead = 0;
    myProblems.Clear();
    if (myHandler)
        myHandler->StartDocument();
}

void CXmlParser::End() {
    if (myState != OUTSIDE_TAG) {
        myProblems.Note(myState == INSIDE_TAG ? "the file ends inside a tag"
                                              : "the file ends inside a comment");
        myState = OUTSIDE_TAG;
    }
    // Text cut off by the end of a truncated file still belongs to its element.
    FlushText();
    if (myHandler)
        myHandler->EndDocument();
}

void CXmlParser::Feed(const char* data, size_t size) {
    if (myBytesRead + size > MAX_INPUT_BYTES) {
        size = MAX_INPUT_BYTES - myBytesRead;
        myProblems.Note("the file is larger than " + std::to_string(MAX_INPUT_BYTES) +
                        " bytes, the rest is ignored");
    }
    myBytesRead += size;
    for (size_t i = 0; i < size; ++i) {
        const char c = data[i];
        if (c == '\n' || c == '\r') {
            // Trailing blanks go; lines are joined with nothing, except that a
            // line break inside a tag separates like a blank.
            myHeldBlanks.clear();
            myAtLineStart = true;
            if (myState == INSIDE_TAG)
                ProcessChar(' ');
        } else if (IsBlank(c)) {
            if (!myAtLineStart && myHeldBlanks.size() < MAX_TEXT_LENGTH)
                myHeldBlanks += c;
        } else {
            myAtLineStart = false;
            for (char blank : myHeldBlanks)
                ProcessChar(blank);
            myHeldBlanks.clear();
            ProcessChar(c);
        }
    }
}

void CXmlParser::ProcessChar(char c) {
    switch (myState) {
        case OUTSIDE_TAG:
            if (c == '<') {
                FlushText();
                myState = INSIDE_TAG;
                myTag.clear();
                myTagTooLong = false;
                myTagLastChar = 0;
            } else if (myText.size() < MAX_TEXT_LENGTH) {
                myText += c;
            } else if (!myTextTooLong) {
                myTextTooLong = true;
                myProblems.Note("element text longer than " + std::to_string(MAX_TEXT_LENGTH) +
                                " bytes is cut");
            }
            break;
        case INSIDE_TAG:
            if (c == '>') {
                myState = OUTSIDE_TAG;
                HandleTag();
            } else if (myTag.size() < MAX_TAG_LENGTH) {
                myTag += c;
                // A comment runs to "-->" and may hold ">" on the way.
                if (myTag.size() == 3 && myTag == "!--") {
                    myState = INSIDE_COMMENT;
                    myCommentTail[0] = myCommentTail[1] = 0;
                }
            } else {
                // Keep the tag's start; remember whether it ends as self-closing.
                myTagTooLong = true;
                if (!IsBlank(c))
                    myTagLastChar = c;
            }
            break;
        case INSIDE_COMMENT:
            if (c == '>' && myCommentTail[0] == '-' && myCommentTail[1] == '-') {
                myState = OUTSIDE_TAG;
            } else {
                myCommentTail[0] = myCommentTail[1];
                myCommentTail[1] = c;
            }
            break;
    }
}

void CXmlParser::FlushText() {
    if (myText.empty())
        return;
    const std::string text = Trim(myText, BLANKS);
    myText.clear();
    myTextTooLong = false;
    if (!text.empty() && myHandler)
        myHandler->Characters(XmlDecodeEntities(text));
}

void CXmlParser::HandleTag() {
    if (myTagTooLong) {
        myProblems.Note("a tag longer than " + std::to_string(MAX_TAG_LENGTH) + " bytes is cut");
        if (myTagLastChar == '/')
            myTag += '/';
    }
    std::string tag = Trim(myTag, BLANKS);
    myTag.clear();
    if (tag.empty())
        return;
    // Declarations, comments and processing instructions carry nothing for us.
    if (tag[0] == '!' || tag[0] == '?')
        return;
    if (tag[0] == '/') {
        if (myHandler)
            myHandler->EndElement(Trim(tag.substr(1), BLANKS));
        return;
    }
    const bool selfClosing = tag.back() == '/';
    if (selfClosing) {
        tag.pop_back();
        tag = Trim(tag, BLANKS);
    }
    const size_t nameEnd = std::min(tag.find_first_of(BLANKS), tag.size());
    const std::string name = tag.substr(0, nameEnd);
    if (name.empty()) {
        myProblems.Note("a tag without an element name");
        return;
    }
    XmlAttributes attributes;
    ParseAttributes(tag, nameEnd, attributes);
    if (!myHandler)
        return;
    myHandler->StartElement(name, attributes);
    if (selfClosing)
        myHandler->EndElement(name);
}

void CXmlParser::ParseAttributes(const std::string& tag, size_t pos, XmlAttributes& attributes) {
    const size_t end = tag.size();
    auto skipBlanks = [&]() {
        while (pos < end && IsBlank(tag[pos]))
            ++pos;
    };
    while (true) {
        skipBlanks();
        if (pos >= end)
            return;
        const size_t keyStart = pos;
        while (pos < end && !IsBlank(tag[pos]) && tag[pos] != '=')
            ++pos;
        const std::string key = tag.substr(keyStart, pos - keyStart);
        skipBlanks();

        std::string value;
        if (pos < end && tag[pos] == '=') {
            ++pos;
            skipBlanks();
            if (pos < end && (tag[pos] == '"' || tag[pos] == '\'')) {
                const char quote = tag[pos];
                const size_t close = tag.find(quote, pos + 1);
                if (close == std::string::npos) {
                    myProblems.Note("the value of the attribute \"" + XmlPrintable(key) +
                                    "\" has no closing quote");
                    value = tag.substr(pos + 1);
                    pos = end;
                } else {
                    value = tag.substr(pos + 1, close - pos - 1);
                    pos = close + 1;
                }
            } else {
                // Unquoted: taken whole, up to the next blank.
                const size_t valueStart = pos;
                while (pos < end && !IsBlank(tag[pos]))
                    ++pos;
                value = tag.substr(valueStart, pos - valueStart);
                myProblems.Note("the value of the attribute \"" + XmlPrintable(key) +
                                (value.empty() ? "\" is missing" : "\" has no quotes"));
            }
        } else {
            myProblems.Note("the attribute \"" + XmlPrintable(key) + "\" has no value");
        }
        if (key.empty()) {
            myProblems.Note("an attribute value without a name");
            continue;
        }
        // A repeated attribute keeps its first value.
        attributes.emplace(key, CAnyContainer(XmlDecodeEntities(value)));
    }
}

}  // namespace vorn
