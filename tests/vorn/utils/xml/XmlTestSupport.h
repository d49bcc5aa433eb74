#pragma once

#include <list>
#include <string>
#include <vector>

#include "LogCapture.h"
#include "vorn/console/CLog.h"
#include "vorn/utils/xml/Xml.h"

namespace xml_test {

using CLogCapture = testing_support::CLogCapture;

// A part of a monster: attributes and plain values.
struct CPart {
    std::string name;
    int hitPoints = 0;
    float mass = 0.0f;
    bool isHead = false;
    vorn::types_rect rect;
    void Serialize(vorn::CXmlArchive& ar) {
        ar.Attribute("name", name);
        ar.Field("hitpoints", hitPoints);
        ar.Field("mass", mass);
        ar.Field("head", isHead);
        ar.Field("rect", rect);
    }
    bool operator==(const CPart& o) const {
        return name == o.name && hitPoints == o.hitPoints && mass == o.mass && isHead == o.isHead &&
               rect == o.rect;
    }
};

// One of every field kind.
struct CSample {
    int integer = 0;
    unsigned int count = 0;
    float ratio = 0.0f;
    double precise = 0.0;
    bool flag = false;
    std::string text;
    std::string label;  // an attribute
    int level = 0;      // an attribute
    std::vector<int> numbers;
    std::list<std::string> words;
    std::vector<bool> switches;
    vorn::types_rect rect;
    vorn::types_point point;
    CPart core;
    std::vector<CPart> parts;

    void Serialize(vorn::CXmlArchive& ar) {
        ar.Attribute("label", label);
        ar.Attribute("level", level);
        ar.Field("integer", integer);
        ar.Field("count", count);
        ar.Field("ratio", ratio);
        ar.Field("precise", precise);
        ar.Field("flag", flag);
        ar.Field("text", text);
        ar.Field("number", numbers);
        ar.Field("word", words);
        ar.Field("switch", switches);
        ar.Field("rect", rect);
        ar.Field("point", point);
        ar.Field("core", core);
        ar.Field("part", parts);
    }
    bool operator==(const CSample& o) const {
        return integer == o.integer && count == o.count && ratio == o.ratio &&
               precise == o.precise && flag == o.flag && text == o.text && label == o.label &&
               level == o.level && numbers == o.numbers && words == o.words &&
               switches == o.switches && rect == o.rect && point == o.point && core == o.core &&
               parts == o.parts;
    }
};

inline CSample MakeSample() {
    CSample s;
    s.integer = -123456;
    s.count = 4000000000u;
    s.ratio = 0.125f;
    s.precise = 2.5;
    s.flag = true;
    s.text = "plain text";
    s.label = "hero";
    s.level = 7;
    s.numbers = {3, 1, 2};
    s.words = {"one", "two words"};
    s.switches = {true, false, true};
    s.rect = vorn::types_rect(-1, 2, 30, 40);
    s.point = vorn::types_point(5, -6);
    s.core = {"body", 100, 2.5f, false, vorn::types_rect(0, 0, 10, 10)};
    s.parts = {{"head", 50, 1.0f, true, vorn::types_rect(1, 1, 2, 2)},
               {"arm", 20, 0.5f, false, vorn::types_rect(3, 4, 5, 6)}};
    return s;
}

}  // namespace xml_test
