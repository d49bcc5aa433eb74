// Reads arbitrary bytes as an XML file into an object with every field kind,
// then checks that what was read survives a save and a second load: the text
// saved from the second load must equal the text saved from the first. Any
// fault, sanitizer report, hang or mismatch is a finding.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <list>
#include <string>
#include <vector>

#include "vorn/utils/xml/Xml.h"

namespace {

struct CFuzzPart {
    std::string name;
    int hitPoints = 0;
    float mass = 0.0f;
    vorn::types_point anchor;
    void Serialize(vorn::CXmlArchive& ar) {
        ar.Attribute("name", name);
        ar.Field("hitpoints", hitPoints);
        ar.Field("mass", mass);
        ar.Field("anchor", anchor);
    }
};

struct CFuzzObject {
    std::string label;
    unsigned int level = 0;
    int integer = 0;
    float ratio = 0.0f;
    bool flag = false;
    std::string text;
    std::vector<int> numbers;
    std::list<std::string> words;
    vorn::types_rect rect;
    CFuzzPart core;
    std::vector<CFuzzPart> parts;
    void Serialize(vorn::CXmlArchive& ar) {
        ar.Attribute("label", label);
        ar.Attribute("level", level);
        ar.Field("integer", integer);
        ar.Field("ratio", ratio);
        ar.Field("flag", flag);
        ar.Field("text", text);
        ar.Field("number", numbers);
        ar.Field("word", words);
        ar.Field("rect", rect);
        ar.Field("core", core);
        ar.Field("part", parts);
    }
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The log writes every warning to ./log.txt: send it nowhere, from a
    // private folder, so a long run does not fill the disk.
    char folder[] = "/tmp/xml_fuzz_XXXXXX";
    if (mkdtemp(folder) && chdir(folder) == 0) {
        if (symlink("/dev/null", "log.txt") != 0)
            perror("symlink log.txt");
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    CFuzzObject first;
    vorn::LoadObjectFromXmlText(first, input, "fuzz");
    const std::string once = vorn::SaveObjectToXmlText(first, "Object");

    CFuzzObject second;
    vorn::LoadObjectFromXmlText(second, once, "fuzz");
    const std::string twice = vorn::SaveObjectToXmlText(second, "Object");
    if (once != twice) {
        fprintf(stderr, "round trip changed the object:\n--- once\n%s\n--- twice\n%s\n",
                once.c_str(), twice.c_str());
        abort();
    }
    return 0;
}
