// Loading and saving a typical persistent object: a list of 200 records of
// about a dozen fields each (the size of a large monster or level list), to
// and from a real file.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "vorn/utils/xml/Xml.h"

namespace {

struct CBenchPart {
    std::string name;
    std::string sprite;
    int hitPoints = 0;
    int damage = 0;
    int armour = 0;
    unsigned int group = 0;
    float density = 0.0f;
    float friction = 0.0f;
    float restitution = 0.0f;
    bool isHead = false;
    vorn::types_rect rect;
    std::vector<int> joints;

    void Serialize(vorn::CXmlArchive& ar) {
        ar.Attribute("name", name);
        ar.Attribute("group", group);
        ar.Field("sprite", sprite);
        ar.Field("GameHitPoints", hitPoints);
        ar.Field("GameDamage", damage);
        ar.Field("GameArmour", armour);
        ar.Field("PhysDensity", density);
        ar.Field("PhysFriction", friction);
        ar.Field("PhysRestitution", restitution);
        ar.Field("head", isHead);
        ar.Field("rect", rect);
        ar.Field("joint", joints);
    }
};

struct CBenchList {
    std::string owner;
    std::vector<CBenchPart> parts;
    void Serialize(vorn::CXmlArchive& ar) {
        ar.Field("owner", owner);
        ar.Field("part", parts);
    }
};

CBenchList MakeList() {
    CBenchList list;
    list.owner = "Player One";
    for (int i = 0; i < 200; ++i) {
        CBenchPart part;
        part.name = "part " + std::to_string(i);
        part.sprite = "data/parts/part_" + std::to_string(i % 17) + ".xml";
        part.hitPoints = 100 + i;
        part.damage = i % 13;
        part.armour = i % 7;
        part.group = static_cast<unsigned int>(i % 3);
        part.density = 1.0f + 0.01f * static_cast<float>(i);
        part.friction = 0.3f;
        part.restitution = 0.125f;
        part.isHead = i == 0;
        part.rect = vorn::types_rect(i, -i, 32, 16);
        part.joints = {i, i + 1};
        list.parts.push_back(part);
    }
    return list;
}

std::string BenchFile() {
    return (std::filesystem::temp_directory_path() / "vorn_xml_bench.xml").string();
}

void BM_XmlSave200Objects(benchmark::State& state) {
    CBenchList list = MakeList();
    const std::string file = BenchFile();
    for (auto _ : state) {
        if (!vorn::SaveObjectToXmlFile(list, file, "PartList"))
            state.SkipWithError("save failed");
    }
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(file));
    std::filesystem::remove(file);
}
BENCHMARK(BM_XmlSave200Objects)->Unit(benchmark::kMillisecond);

void BM_XmlLoad200Objects(benchmark::State& state) {
    CBenchList saved = MakeList();
    const std::string file = BenchFile();
    vorn::SaveObjectToXmlFile(saved, file, "PartList");
    for (auto _ : state) {
        CBenchList list;
        vorn::LoadObjectFromXmlFile(list, file);
        if (list.parts.size() != 200)
            state.SkipWithError("load lost parts");
        benchmark::DoNotOptimize(list);
    }
    std::filesystem::remove(file);
}
BENCHMARK(BM_XmlLoad200Objects)->Unit(benchmark::kMillisecond);

}  // namespace
