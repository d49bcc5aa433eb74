#include "vorn/utils/xml/XmlSelfTests.h"

#include <string>
#include <vector>

#include "vorn/console/CLog.h"
#include "vorn/utils/containers/CAnyContainer.h"
#include "vorn/utils/containers/CVarRef.h"
#include "vorn/utils/xml/Xml.h"

namespace vorn::selftests {

namespace {

// Counts failed checks and names each in the log.
class CChecker {
public:
    explicit CChecker(const char* test) : myTest(test) {}
    void Check(bool ok, const char* what) {
        if (ok)
            return;
        ++myFailures;
        CLog::GetSingleton()->Error() << "[ERROR] " << myTest << " failed: " << what << "\n";
    }
    int GetFailures() const { return myFailures; }

private:
    const char* myTest;
    int myFailures = 0;
};

struct CSelfTestPart {
    std::string name;
    float mass = 0.0f;
    void Serialize(CXmlArchive& ar) {
        ar.Attribute("name", name);
        ar.Field("mass", mass);
    }
};

struct CSelfTestObject {
    int integer = 0;
    bool flag = false;
    std::string text;
    std::vector<int> numbers;
    types_rect rect;
    std::vector<CSelfTestPart> parts;
    void Serialize(CXmlArchive& ar) {
        ar.Field("integer", integer);
        ar.Field("flag", flag);
        ar.Field("text", text);
        ar.Field("vector", numbers);
        ar.Field("rect", rect);
        ar.Field("part", parts);
    }
};

}  // namespace

int CXmlTest() {
    CChecker checker("CXmlTest");

    CSelfTestObject saved;
    saved.integer = -42;
    saved.flag = true;
    saved.text = "  <a & \"b\"> \n ]]> ";
    saved.numbers = {1, 2};
    saved.rect = types_rect(1, 2, 3, 4);
    saved.parts = {{"head", 1.5f}, {"arm & leg", 0.25f}};
    const std::string text = SaveObjectToXmlText(saved, "Object");

    CSelfTestObject loaded;
    checker.Check(LoadObjectFromXmlText(loaded, text, "CXmlTest"), "the saved text has a root");
    checker.Check(loaded.integer == -42, "int round trip");
    checker.Check(loaded.flag, "bool round trip");
    checker.Check(loaded.text == saved.text, "string round trip with markup and blanks");
    checker.Check(loaded.numbers == saved.numbers, "vector round trip");
    checker.Check(loaded.rect == saved.rect, "rectangle round trip");
    checker.Check(loaded.parts.size() == 2 && loaded.parts[1].name == "arm & leg" &&
                      loaded.parts[1].mass == 0.25f,
                  "sequence of objects round trip");

    checker.Check(text.rfind("<Object>\n  <integer>\n    -42\n  </integer>\n", 0) == 0,
                  "written shape of a plain value");
    checker.Check(
        text.find("  <rect h=\"4\" w=\"3\" x=\"1\" y=\"2\" >\n  </rect>\n") != std::string::npos,
        "written shape of a rectangle");

    // Tolerant reading: odd spacing, a comment, attributes spread over lines.
    CSelfTestObject odd;
    LoadObjectFromXmlText(odd,
                          "<!-- sample -->\n<o>\n<rect x = \"5\"\n y=\"6\"/>\n"
                          "\t<integer>  7 </integer><text>a &amp;lt; b</text></o>",
                          "CXmlTest");
    checker.Check(odd.integer == 7, "odd spacing");
    checker.Check(odd.rect == types_rect(5, 6, 0, 0), "self-closing tag over two lines");
    checker.Check(odd.text == "a &lt; b", "entities decoded once");
    return checker.GetFailures();
}

int CAnyContainerTest() {
    CChecker checker("CAnyContainerTest");
    checker.Check(AnyCast<int>(CAnyContainer(std::string("12"))) == 12, "string \"12\" as int");
    checker.Check(CAnyContainer(12).GetString() == "12", "int 12 as text");
    checker.Check(CAnyContainer(0.5f).GetString() == "0.5", "float 0.5 as text");
    checker.Check(CAnyContainer(true).GetString() == "1", "true as text");
    checker.Check(AnyCast<float>(CAnyContainer("2.5")) == 2.5f, "text as float");
    checker.Check(AnyCast<bool>(CAnyContainer(std::string("1"))), "text \"1\" as bool");
    checker.Check(AnyCast<int>(CAnyContainer(3.75f)) == 3, "float as int through text");
    checker.Check(AnyCast<std::string>(CAnyContainer(7u)) == "7", "unsigned as string");
    checker.Check(CAnyContainer().GetString().empty() && CAnyContainer().IsEmpty(),
                  "empty container");

    CAnyContainer original(std::string("copy me"));
    CAnyContainer copy(original);
    original = CAnyContainer(5);
    checker.Check(copy.GetString() == "copy me", "a copy keeps its own value");
    checker.Check(copy.GetType() == typeid(std::string), "a copy keeps its type");

    int value = 4;
    CVarRef<int> reference(&value, "value");
    reference.SetValue("9");
    checker.Check(value == 9 && reference.GetValue() == "9", "reference sets its value");
    CVarRefConst<int> constant(&value, "value");
    constant.SetValue("1");
    checker.Check(value == 9, "a read-only reference ignores SetValue");
    CVarRefEmpty<std::string> free("free");
    free.SetValue(" two words ");
    checker.Check(free.GetValue() == " two words ", "a free string keeps blanks");
    return checker.GetFailures();
}

}  // namespace vorn::selftests
