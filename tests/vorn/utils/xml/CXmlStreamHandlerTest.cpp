#include "vorn/utils/xml/CXmlStreamHandler.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "XmlTestSupport.h"
#include "vorn/utils/xml/Xml.h"
#include "vorn/utils/xml/XmlText.h"

using namespace vorn;

namespace {

struct CSprite {
    int integer = 5;
    std::vector<int> vector{1, 2};
    types_rect rect{1, 2, 3, 4};
    void Serialize(CXmlArchive& ar) {
        ar.Field("integer", integer);
        ar.Field("vector", vector);
        ar.Field("rect", rect);
    }
};

struct CStrings {
    std::string text;
    std::string attribute;
    std::vector<std::string> items;
    void Serialize(CXmlArchive& ar) {
        ar.Attribute("attribute", attribute);
        ar.Field("text", text);
        ar.Field("item", items);
    }
};

}  // namespace

TEST(CXmlStreamHandlerTest, WritesTheDocumentedShape) {
    CSprite sprite;
    EXPECT_EQ(SaveObjectToXmlText(sprite, "Sprite"),
              "<Sprite>\n"
              "  <integer>\n"
              "    5\n"
              "  </integer>\n"
              "  <vector>\n"
              "    1\n"
              "  </vector>\n"
              "  <vector>\n"
              "    2\n"
              "  </vector>\n"
              "  <rect h=\"4\" w=\"3\" x=\"1\" y=\"2\" >\n"
              "  </rect>\n"
              "</Sprite>\n");
}

TEST(CXmlStreamHandlerTest, TextComesBeforeChildrenAndAttributesAreSorted) {
    CXmlElement root("root");
    root.SetValue("value");
    root.AddAttribute("b", CAnyContainer(0.5f));
    root.AddAttribute("B", CAnyContainer(true));
    root.AddAttribute("a", CAnyContainer(std::string("text")));
    root.AddAttribute("a", CAnyContainer(std::string("ignored")));
    root.AddChild(std::make_unique<CXmlElement>("child"));
    std::ostringstream out;
    EXPECT_TRUE(CXmlStreamHandler().Write(root, out));
    EXPECT_EQ(out.str(),
              "<root B=\"1\" a=\"text\" b=\"0.5\" >\n"
              "  value\n"
              "  <child>\n"
              "  </child>\n"
              "</root>\n");
}

TEST(CXmlStreamHandlerTest, EveryStringReadsBackAsWritten) {
    const std::vector<std::string> strings = {
        "",
        " ",
        "\t",
        "   ",
        " leading",
        "trailing\t",
        "<tag>",
        "a & b",
        "&amp; &lt; &quot; &apos; &#10; &#x41;",
        "\"quoted\" and 'single'",
        "]]> and <![CDATA[ x ]]>",
        "<!-- not a comment -->",
        "line one\nline two\r\nline three\n",
        "\n",
        "tab\tinside",
        "x = \"5\" y=6 />",
        "/",
        "</closing>",
        std::string("nul\0byte", 8),
        "caf\xc3\xa9 \xff\xfe",
    };
    for (const std::string& s : strings) {
        CStrings saved;
        saved.text = s;
        saved.attribute = s;
        saved.items = {s, s};
        const std::string text = SaveObjectToXmlText(saved, "Strings");
        xml_test::CLogCapture log;
        CStrings loaded;
        ASSERT_TRUE(LoadObjectFromXmlText(loaded, text)) << text;
        EXPECT_EQ(loaded.text, s) << text;
        EXPECT_EQ(loaded.attribute, s) << text;
        EXPECT_EQ(loaded.items, saved.items) << text;
        EXPECT_EQ(log.Warnings(), 0) << text << log.All();
    }
}

TEST(CXmlStreamHandlerTest, EscapingTouchesOnlyWhatTheReaderWouldChange) {
    EXPECT_EQ(XmlEscapeText("plain \"text\" 'here'"), "plain \"text\" 'here'");
    EXPECT_EQ(XmlEscapeText(" a<b>&c "), "&#32;a&lt;b&gt;&amp;c&#32;");
    EXPECT_EQ(XmlEscapeText("x\ny\r"), "x&#10;y&#13;");
    EXPECT_EQ(XmlEscapeAttribute(" say \"hi\" & <go> "), " say &quot;hi&quot; &amp; &lt;go&gt; ");
    EXPECT_EQ(XmlDecodeEntities("&amp;quot; &amp;apos; &amp;amp;"), "&quot; &apos; &amp;");
    EXPECT_EQ(XmlPrintable(std::string("a\nb\0c", 5)), "a?b?c");
    EXPECT_EQ(XmlPrintable(std::string(100, 'x'), 10), "xxxxxxxxxx...");
}
