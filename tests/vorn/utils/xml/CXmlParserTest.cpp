#include "vorn/utils/xml/CXmlParser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <string>

#include "XmlTestSupport.h"
#include "vorn/utils/xml/CXmlHandler.h"
#include "vorn/utils/xml/Xml.h"

using namespace vorn;
using xml_test::CLogCapture;
using xml_test::CSample;

namespace {

std::unique_ptr<CXmlElement> Parse(const std::string& text) {
    return ParseXmlText(text, "test");
}

std::string Attribute(const CXmlElement& element, const std::string& name) {
    return AnyCast<std::string>(element.GetAttribute(name));
}

}  // namespace

TEST(CXmlParserTest, HandWrittenSampleWithOddSpacingAndOrder) {
    const std::string text =
        "<!-- a monster written by hand -->\n"
        "\t<?xml version=\"1.0\"?>\n"
        "<Sample   level = \"3\"\tlabel='two words'  >\r\n"
        "   <word>first</word>   <number>  1  </number>\n"
        "  <text>\n"
        "     a &amp;lt; b &quot;c&quot;\n"
        "  </text>\n"
        "<rect\n    x=\"1\"\n    y=\"2\" w=\"3\"h=\"4\"/>\n"
        "<!-- a comment with > inside -->\n"
        "<core name=\"torso\"><hitpoints>\n12\n</hitpoints></core>\n"
        "<part name=\"a\"/><part name=\"b\"></part>\n"
        "  <integer>-5</integer>  \n"
        "</Sample>\n";
    CSample sample;
    CLogCapture log;
    ASSERT_TRUE(LoadObjectFromXmlText(sample, text));
    EXPECT_EQ(sample.level, 3);
    EXPECT_EQ(sample.label, "two words");
    EXPECT_EQ(sample.words, (std::list<std::string>{"first"}));
    EXPECT_EQ(sample.numbers, (std::vector<int>{1}));
    EXPECT_EQ(sample.rect, types_rect(1, 2, 3, 4));
    EXPECT_EQ(sample.text, "a &lt; b \"c\"");
    EXPECT_EQ(sample.core.name, "torso");
    EXPECT_EQ(sample.core.hitPoints, 12);
    ASSERT_EQ(sample.parts.size(), 2u);
    EXPECT_EQ(sample.parts[1].name, "b");
    EXPECT_EQ(sample.integer, -5);
    // "integer" comes last instead of first: it is out of place, and "text"
    // after it finds the cursor at the end. The rest follows in order.
    EXPECT_EQ(log.Count(CLog::LEVEL_WARNING, "order fucked up in node: Sample"), 2) << log.All();
    EXPECT_EQ(log.Count(CLog::LEVEL_WARNING, "ain't no childs left"), 1) << log.All();
    EXPECT_EQ(log.Warnings(), 3) << log.All();
}

TEST(CXmlParserTest, AttributeRules) {
    auto root = Parse("<a x = \"5\" s=\"with  spaces\" r=\"1\" r=\"2\" e=\"&lt;&amp;lt;\" z=\"\">");
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->GetName(), "a");
    EXPECT_EQ(Attribute(*root, "x"), "5");
    EXPECT_EQ(Attribute(*root, "s"), "with  spaces");
    EXPECT_EQ(Attribute(*root, "r"), "1");  // a repeated attribute keeps its first value
    EXPECT_EQ(Attribute(*root, "e"), "<&lt;");
    EXPECT_TRUE(root->HasAttribute("z"));
    EXPECT_EQ(Attribute(*root, "z"), "");
    // Attributes arrive sorted by name.
    EXPECT_EQ(root->GetAttributeName(0), "e");
    EXPECT_EQ(root->GetAttributeName(4), "z");
}

TEST(CXmlParserTest, AttributesWithoutQuotesOrValuesAreReadWithOneWarning) {
    CLogCapture log;
    auto root = Parse("<a one=1 long=hello empty= bare other=\"ok\" =\"nameless\" open=\"never>");
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(Attribute(*root, "one"), "1");
    EXPECT_EQ(Attribute(*root, "long"), "hello");
    EXPECT_EQ(Attribute(*root, "empty"), "bare");  // a value-less "=" takes the next word
    EXPECT_EQ(Attribute(*root, "other"), "ok");
    EXPECT_EQ(Attribute(*root, "open"), "never");
    EXPECT_EQ(root->GetAttributeCount(), 5);
    EXPECT_EQ(log.Warnings(), 1) << log.All();
    EXPECT_EQ(log.Count(CLog::LEVEL_WARNING,
                        "Xml warning, malformed file: the value of the attribute \"one\" has no "
                        "quotes (and "),
              1)
        << log.All();
    auto flags = Parse("<a flag other = >");
    ASSERT_NE(flags, nullptr);
    EXPECT_TRUE(flags->HasAttribute("flag"));
    EXPECT_TRUE(flags->HasAttribute("other"));
}

TEST(CXmlParserTest, TextRules) {
    // The last piece of text around a child wins; lines are joined with nothing.
    auto root = Parse("<a>\n first\n <b>inner</b>\n last \n piece\n</a>");
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->GetValue(), "lastpiece");
    EXPECT_EQ(root->GetChild(0)->GetValue(), "inner");
    // Text is trimmed at both ends, on one line or several.
    EXPECT_EQ(Parse("<a>  x  y  </a>")->GetValue(), "x  y");
    // Entities are decoded once; unknown ones stay.
    EXPECT_EQ(Parse("<a>&amp;lt; &#65;&#x42; &bogus; & &#xD800; &#;</a>")->GetValue(),
              "&lt; AB &bogus; & &#xD800; &#;");
    // A self-closing tag and a closing tag with blanks.
    auto self = Parse("<a><b/><c  />< /a >");
    ASSERT_NE(self, nullptr);
    EXPECT_EQ(self->GetChildCount(), 2);
}

TEST(CXmlParserTest, StructuralFaultsAreSkippedWithOneWarning) {
    CLogCapture log;
    auto root = Parse("</stray><a><b></b></a></again><second><x/></second>text");
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->GetName(), "a");
    EXPECT_EQ(root->GetChildCount(), 1);
    EXPECT_EQ(log.Warnings(), 1) << log.All();
    EXPECT_EQ(log.Count(CLog::LEVEL_WARNING, "(and 3 more) in file: test"), 1) << log.All();

    // No element at all: one warning, no tree.
    log.Clear();
    EXPECT_EQ(Parse("just words"), nullptr);
    EXPECT_EQ(Parse(""), nullptr);
    EXPECT_EQ(log.Count(CLog::LEVEL_WARNING, "no element found"), 2) << log.All();
}

TEST(CXmlParserTest, TruncatedFilesGiveWhatWasRead) {
    CSample full = xml_test::MakeSample();
    full.text = "some text";
    const std::string text = SaveObjectToXmlText(full, "Sample");
    for (size_t length = 0; length < text.size(); ++length) {
        CLogCapture log;
        CSample sample;
        LoadObjectFromXmlText(sample, text.substr(0, length));
        // The object stays usable: it can be saved and read back.
        CSample again;
        LoadObjectFromXmlText(again, SaveObjectToXmlText(sample, "Sample"));
        EXPECT_TRUE(again == sample) << length;
        EXPECT_LE(log.Count(CLog::LEVEL_WARNING, "malformed"), 1) << length;
        // Only the final line break can go without loss.
        if (length + 1 < text.size()) {
            EXPECT_EQ(log.Count(CLog::LEVEL_WARNING, "malformed"), 1) << length;
        }
    }
    // Cut inside the text of "text": the part read so far is kept.
    const size_t cut = text.find("some te") + 7;
    CSample sample;
    LoadObjectFromXmlText(sample, text.substr(0, cut));
    EXPECT_EQ(sample.text, "some te");
    EXPECT_EQ(sample.integer, full.integer);
}

TEST(CXmlParserTest, BinaryGarbageNeverFaults) {
    std::mt19937 random(1234);
    const std::string alphabet = "<>/=\"' \t\n\r!-?&;#abx01";
    for (int round = 0; round < 300; ++round) {
        std::string text(1 + random() % 2000, '\0');
        for (char& c : text) {
            // Half raw bytes, half characters the reader cares about.
            c = random() % 2 ? static_cast<char>(random() % 256)
                             : alphabet[random() % alphabet.size()];
        }
        CLogCapture log;
        CSample sample;
        LoadObjectFromXmlText(sample, text);
        EXPECT_LE(log.Count(CLog::LEVEL_WARNING, "malformed"), 1);
        CSample again;
        LoadObjectFromXmlText(again, SaveObjectToXmlText(sample, "S"));
        EXPECT_TRUE(again.text == sample.text && again.label == sample.label &&
                    again.words == sample.words)
            << round;
    }
}

TEST(CXmlParserTest, OneTenMegabyteLineIsReadInBoundedTime) {
    const size_t size = 10u << 20;
    const auto start = std::chrono::steady_clock::now();
    {
        // Long text: kept whole.
        CSample sample;
        std::string text = "<S><text>" + std::string(size, 'x') + "</text><integer>4</integer></S>";
        ASSERT_TRUE(LoadObjectFromXmlText(sample, text));
        EXPECT_EQ(sample.text.size(), size);
        EXPECT_EQ(sample.integer, 4);
    }
    {
        // A tag longer than the limit is dropped with one warning.
        CLogCapture log;
        CSample sample;
        std::string text =
            "<S><text a=\"" + std::string(size, 'y') + "\">t</text><integer>4</integer></S>";
        ASSERT_TRUE(LoadObjectFromXmlText(sample, text));
        EXPECT_EQ(sample.integer, 4);
        EXPECT_EQ(log.Count(CLog::LEVEL_WARNING, "a tag longer than"), 1) << log.All();
    }
    {
        // Blanks, "&" and quotes by the million.
        CSample sample;
        std::string text = "<S><text>" + std::string(size / 2, ' ') + std::string(size / 2, '&') +
                           "</text><word " + std::string(size / 4, '"') + "/></S>";
        ASSERT_TRUE(LoadObjectFromXmlText(sample, text));
        EXPECT_EQ(sample.text.size(), size / 2);
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(seconds, 20.0);
}

TEST(CXmlParserTest, DeepNestingIsCutAtTheDepthLimit) {
    const int depth = 100000;
    std::string text;
    for (int i = 0; i < depth; ++i)
        text += "<e>";
    text += "<integer>1</integer>";
    for (int i = 0; i < depth; ++i)
        text += "</e>";
    text += "<after/>";

    CLogCapture log;
    std::unique_ptr<CXmlElement> root = Parse(text);
    ASSERT_NE(root, nullptr);
    int levels = 1;
    for (CXmlElement* element = root.get(); element->GetChildCount() > 0;
         element = element->GetChild(0))
        ++levels;
    EXPECT_EQ(levels, CXmlHandler::MAX_DEPTH);
    EXPECT_EQ(log.Warnings(), 1) << log.All();
    EXPECT_EQ(log.Count(CLog::LEVEL_WARNING, "elements nested too deeply"), 1) << log.All();
    // The tree can be written and read back without running out of stack.
    const std::string written = WriteXmlText(*root);
    EXPECT_NE(Parse(written), nullptr);

    // Deeper nesting right under the root: the fields at the top still read.
    CSample sample;
    LoadObjectFromXmlText(sample, "<S><integer>9</integer>" + text + "</S>");
    EXPECT_EQ(sample.integer, 9);
}

TEST(CXmlParserTest, ProgrammaticTreesOfAnyDepthAreFreedAndWritten) {
    auto MakeChain = [](int depth) {
        auto root = std::make_unique<CXmlElement>("e");
        CXmlElement* leaf = root.get();
        for (int i = 1; i < depth; ++i)
            leaf = leaf->AddChild(std::make_unique<CXmlElement>("e"));
        return root;
    };
    // Freeing never recurses, however deep (a recursive walk overflows here).
    MakeChain(300000).reset();
    // Writing neither (the indentation makes deep output large, so less deep).
    const std::string text = WriteXmlText(*MakeChain(2000));
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 4000);
}

TEST(CXmlParserTest, MissingFilesAreSilent) {
    CLogCapture log;
    CXmlHandler handler;
    CXmlParser parser(&handler);
    EXPECT_FALSE(parser.ParseFile("/nonexistent/folder/file.xml"));
    EXPECT_FALSE(parser.ParseFile(""));
    EXPECT_EQ(handler.GetRootElement(), nullptr);
    CSample sample = xml_test::MakeSample();
    EXPECT_FALSE(LoadObjectFromXmlFile(sample, "/nonexistent/folder/file.xml"));
    EXPECT_TRUE(sample == xml_test::MakeSample());
    EXPECT_EQ(log.Warnings() + log.Errors(), 0) << log.All();
}

TEST(CXmlParserTest, InputPastTheSizeLimitIsIgnored) {
    std::string text = "<S><integer>1</integer>\n";
    text.append(CXmlParser::MAX_INPUT_BYTES, '\n');
    text += "<integer>2</integer></S>";
    CLogCapture log;
    CSample sample;
    ASSERT_TRUE(LoadObjectFromXmlText(sample, text));
    EXPECT_EQ(sample.integer, 1);
    EXPECT_EQ(log.Count(CLog::LEVEL_WARNING, "bytes, the rest is ignored"), 1) << log.All();
}
