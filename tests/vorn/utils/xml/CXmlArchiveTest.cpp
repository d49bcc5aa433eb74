#include "vorn/utils/xml/CXmlArchive.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "XmlTestSupport.h"
#include "vorn/utils/xml/Xml.h"

using namespace vorn;
using xml_test::CLogCapture;
using xml_test::CSample;

namespace {

struct CTwoInts {
    int a = 0;
    int b = 0;
    static constexpr int LINE_OF_B = __LINE__ + 3;
    void Serialize(CXmlArchive& ar) {
        ar.Field("a", a);
        ar.Field("b", b);
    }
};

// Reads T from XML text; the text must have a root.
template <class T>
T Load(const std::string& text, T object = T()) {
    EXPECT_TRUE(LoadObjectFromXmlText(object, text)) << text;
    return object;
}

}  // namespace

TEST(CXmlArchiveTest, EveryFieldKindSurvivesARoundTrip) {
    CSample saved = xml_test::MakeSample();
    CLogCapture log;
    const CSample loaded = Load<CSample>(SaveObjectToXmlText(saved, "Sample"));
    EXPECT_TRUE(loaded == saved) << SaveObjectToXmlText(saved, "Sample");
    EXPECT_EQ(log.Warnings(), 0) << log.All();
}

TEST(CXmlArchiveTest, ElementTreeHoldsFieldsWhereTheFormatPutsThem) {
    CSample sample = xml_test::MakeSample();
    std::unique_ptr<CXmlElement> root = ObjectToXmlElement(sample, "Sample");
    EXPECT_EQ(root->GetName(), "Sample");
    EXPECT_EQ(AnyCast<std::string>(root->GetAttribute("label")), "hero");
    EXPECT_EQ(AnyCast<int>(root->GetAttribute("level")), 7);
    ASSERT_NE(root->FindChild("integer"), nullptr);
    EXPECT_EQ(root->FindChild("integer")->GetValue(), "-123456");
    EXPECT_EQ(root->FindChild("flag")->GetValue(), "1");
    EXPECT_EQ(root->FindChild("ratio")->GetValue(), "0.125");
    const CXmlElement* rect = root->FindChild("rect");
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->GetChildCount(), 0);
    EXPECT_EQ(rect->GetAttributeCount(), 4);
    EXPECT_EQ(AnyCast<int>(rect->GetAttribute("x")), -1);
    EXPECT_EQ(AnyCast<int>(rect->GetAttribute("h")), 40);
    // Sequences: one element per item, in order, all with the field's name.
    std::vector<std::string> numbers;
    for (int i = 0; i < root->GetChildCount(); ++i) {
        if (root->GetChild(i)->GetName() == "number")
            numbers.push_back(root->GetChild(i)->GetValue());
    }
    EXPECT_EQ(numbers, (std::vector<std::string>{"3", "1", "2"}));
    // Nested objects get their own element with their own fields.
    const CXmlElement* core = root->FindChild("core");
    ASSERT_NE(core, nullptr);
    EXPECT_EQ(core->GetParent(), root.get());
    EXPECT_EQ(core->FindChild("hitpoints")->GetValue(), "100");
}

TEST(CXmlArchiveTest, MissingFieldsKeepTheirValues) {
    CSample defaults = xml_test::MakeSample();
    CLogCapture log;
    const CSample loaded = Load<CSample>("<Sample>\n</Sample>\n", defaults);
    EXPECT_TRUE(loaded == defaults);
    EXPECT_EQ(log.Warnings(), 0) << log.All();
    // Rectangle attributes are taken one by one.
    const CSample partial = Load<CSample>("<S><rect w=\"9\" ></rect></S>", defaults);
    EXPECT_EQ(partial.rect, types_rect(-1, 2, 9, 40));
}

TEST(CXmlArchiveTest, FieldsOutOfOrderAreReadWithWarnings) {
    {
        // [x, a, b] read as a then b: one warning, for a.
        CLogCapture log;
        const CTwoInts loaded = Load<CTwoInts>("<r><x>0</x><a>1</a><b>2</b></r>");
        EXPECT_EQ(loaded.a, 1);
        EXPECT_EQ(loaded.b, 2);
        EXPECT_EQ(log.Warnings(), 1) << log.All();
        EXPECT_EQ(log.Count(CLog::LEVEL_WARNING,
                            "Xml warning a child node wasn't in the place it should be, order "
                            "fucked up in node: r in file: "),
                  1);
    }
    {
        // [b, a] read as a then b: the order warning for a; for b both the
        // "no childs left" warning and the order warning.
        CLogCapture log;
        const CTwoInts loaded = Load<CTwoInts>("<r><b>2</b><a>1</a></r>");
        EXPECT_EQ(loaded.a, 1);
        EXPECT_EQ(loaded.b, 2);
        EXPECT_EQ(log.Count(CLog::LEVEL_WARNING, "order fucked up in node: r"), 2) << log.All();
        EXPECT_EQ(log.Count(CLog::LEVEL_WARNING,
                            "Xml warning, ain't no childs left in the current node: r in file: "),
                  1);
        EXPECT_EQ(log.Warnings(), 3);
        // The warnings name the field statement's source file and line.
        const std::string where =
            "CXmlArchiveTest.cpp at line " + std::to_string(CTwoInts::LINE_OF_B);
        EXPECT_EQ(log.Count(CLog::LEVEL_WARNING, where), 2) << log.All();
    }
}

TEST(CXmlArchiveTest, ValuesOfTheWrongTypeLeaveTheFieldWithOneWarning) {
    struct CCase {
        const char* xml;
        const char* field;
    };
    const CCase cases[] = {
        {"<S><integer>99999999999</integer></S>", "integer"},
        {"<S><integer>-99999999999</integer></S>", "integer"},
        {"<S><integer>abc</integer></S>", "integer"},
        {"<S><ratio>1e999</ratio></S>", "ratio"},
        {"<S><precise>-1e999</precise></S>", "precise"},
        {"<S><count>-1</count></S>", "count"},
        {"<S><count>4294967296</count></S>", "count"},
        {"<S><flag>2</flag></S>", "flag"},
        {"<S level=\"99999999999\"></S>", "level"},
        {"<S level=\"x\"></S>", "level"},
    };
    for (const CCase& c : cases) {
        const CSample defaults = xml_test::MakeSample();
        CLogCapture log;
        const CSample loaded = Load<CSample>(c.xml, defaults);
        EXPECT_TRUE(loaded == defaults) << c.xml;
        EXPECT_EQ(log.Warnings(), 1) << c.xml << "\n" << log.All();
        EXPECT_EQ(log.Count(CLog::LEVEL_WARNING, std::string("of \"") + c.field + "\" is not a"), 1)
            << log.All();
    }
    // A bad item of a sequence is skipped; the others are read.
    CLogCapture log;
    const CSample loaded =
        Load<CSample>("<S><number>1</number><number>x1</number><number>3</number></S>");
    EXPECT_EQ(loaded.numbers, (std::vector<int>{1, 3}));
    EXPECT_EQ(log.Warnings(), 1);
    // Like stream input, a leading number is taken.
    EXPECT_EQ(Load<CSample>("<S><integer> 12abc</integer></S>").integer, 12);
    EXPECT_EQ(log.Warnings(), 1);
    // Values within range are still read, extremes included.
    const CSample extremes = Load<CSample>(
        "<S><integer>-2147483648</integer><count>4294967295</count><ratio>-3.4e38</ratio></S>");
    EXPECT_EQ(extremes.integer, -2147483647 - 1);
    EXPECT_EQ(extremes.count, 4294967295u);
    EXPECT_FLOAT_EQ(extremes.ratio, -3.4e38f);
}

TEST(CXmlArchiveTest, SequencesAppendWithoutClearing) {
    const std::string text = "<S><number>4</number><word>w</word><number>5</number></S>";
    CSample sample;
    sample.numbers = {1};
    LoadObjectFromXmlText(sample, text);
    LoadObjectFromXmlText(sample, text);
    EXPECT_EQ(sample.numbers, (std::vector<int>{1, 4, 5, 4, 5}));
    EXPECT_EQ(sample.words, (std::list<std::string>{"w", "w"}));
}

namespace {

// A small class family chosen by a "type" attribute, as sprite files do.
struct CShape {
    virtual ~CShape() = default;
    virtual void Serialize(CXmlArchive& ar) {
        ar.Attribute("type", type);
        ar.Field("size", size);
    }
    std::string type = "shape";
    int size = 0;
};
struct CCircle : CShape {
    CCircle() { type = "circle"; }
    void Serialize(CXmlArchive& ar) override {
        CShape::Serialize(ar);
        ar.Field("radius", radius);
    }
    float radius = 0.0f;
};
struct CScene {
    std::vector<CShape*> shapes;
    ~CScene() {
        for (CShape* shape : shapes)
            delete shape;
    }
    void Serialize(CXmlArchive& ar) {
        ar.Objects("shape", shapes, [](const CXmlElement& element) -> CShape* {
            const std::string type = AnyCast<std::string>(element.GetAttribute("type"));
            if (type == "circle")
                return new CCircle;
            if (type == "shape")
                return new CShape;
            return nullptr;
        });
    }
};

}  // namespace

TEST(CXmlArchiveTest, ObjectSequencesCanChooseTheClassOfEachItem) {
    CScene scene;
    scene.shapes = {new CShape, new CCircle};
    scene.shapes[0]->size = 3;
    scene.shapes[1]->size = 4;
    static_cast<CCircle*>(scene.shapes[1])->radius = 1.5f;
    const std::string text = SaveObjectToXmlText(scene, "Scene");
    CScene loaded;
    LoadObjectFromXmlText(loaded, text + "");
    ASSERT_EQ(loaded.shapes.size(), 2u) << text;
    EXPECT_EQ(loaded.shapes[0]->type, "shape");
    EXPECT_EQ(loaded.shapes[0]->size, 3);
    const auto* circle = dynamic_cast<const CCircle*>(loaded.shapes[1]);
    ASSERT_NE(circle, nullptr);
    EXPECT_EQ(circle->size, 4);
    EXPECT_EQ(circle->radius, 1.5f);
    // An unknown type is skipped.
    CScene unknown;
    LoadObjectFromXmlText(unknown, "<s><shape type=\"cube\"></shape><shape></shape></s>");
    EXPECT_TRUE(unknown.shapes.empty());
}

TEST(CXmlArchiveTest, HandWrittenChildrenAndTheirWarnings) {
    auto root = std::make_unique<CXmlElement>("root");
    CXmlArchive ar(root.get(), CXmlArchive::WRITE);
    EXPECT_TRUE(ar.IsWriting());
    ar.BeginChild("outer");
    ar.BeginChild("inner");
    int value = 3;
    ar.Field("value", value);
    CLogCapture log;
    ar.EndChild("wrong");
    EXPECT_EQ(log.Count(CLog::LEVEL_WARNING,
                        "Xml warning, trying to end a different node: wrong should end: inner"),
              1)
        << log.All();
    ar.EndChild("outer");
    ar.EndChild("root");  // never climbs above the archive's element
    EXPECT_EQ(ar.GetCurrentElement(), root.get());
    EXPECT_EQ(WriteXmlText(*root),
              "<root>\n  <outer>\n    <inner>\n      <value>\n        3\n      </value>\n"
              "    </inner>\n  </outer>\n</root>\n");
    // Warnings can be switched off per archive.
    log.Clear();
    CXmlArchive quiet(root.get(), CXmlArchive::READ);
    quiet.SetWarningsEnabled(false);
    EXPECT_NE(quiet.GetChild("outer"), nullptr);
    EXPECT_EQ(quiet.GetChild("outer"), root->GetChild(0));
    EXPECT_EQ(log.Warnings(), 0);
}
