// Loading and saving a large monster: 200 body parts, each hinged to the one
// before it with a motor and limits, as the editor writes them, to and from a
// real file. Saving includes the temporary file and the rename that keep the
// previous file safe.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

#include "monsters/CMonster.h"

namespace {

const int PART_COUNT = 200;

void MakeMonster(monsters::CMonster& monster) {
    for (int i = 0; i < PART_COUNT; ++i) {
        auto part = std::make_unique<monsters::CMonsterBodyPart>();
        const float f = static_cast<float>(i);
        part->SetObjectId(i);
        part->SetShopUid(1 + i / 4);
        part->SetShapeType(i % 2);
        part->SetHitPoints(50.0f + f);
        part->SetDamage(1.5f);
        part->SetArmor(0.75f);
        part->SetLocalPosition(monsters::types_vector(0.37f * f, -1.25f + 0.01f * f));
        part->SetLocalRotation(0.0123f * f);
        part->SetIsHead(i == 0);
        part->SetExtents(monsters::types_vector(0.5f, 0.25f));
        part->SetFriction(0.3f);
        part->SetRestitution(0.1f);
        part->SetDensity(1.0f);
        part->SetSpriteFile("data/gfx/parts/part_" + std::to_string(i % 17) + ".xml");
        part->SetHasJoint(i > 0);
        part->SetAnchorPoint(monsters::types_vector(0.25f, -0.125f));
        part->SetHasLimit(true);
        part->SetUpperLimit(0.785398f);
        part->SetLowerLimit(-0.785398f);
        part->SetMotorSpeed(2.5f);
        part->SetMotorTorque(400.0f);
        part->SetHasMotor(i % 3 == 0);
        part->SetConnectedToBody(i - 1);
        monster.AddPart(std::move(part));
    }
}

std::string BenchFile() {
    return (std::filesystem::temp_directory_path() / "monsters_bench_monster.xml").string();
}

void BM_MonsterSave200Parts(benchmark::State& state) {
    monsters::CMonster monster;
    MakeMonster(monster);
    const std::string file = BenchFile();
    for (auto _ : state) {
        if (!monster.SaveToFile(file)) state.SkipWithError("save failed");
    }
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(file));
    std::filesystem::remove(file);
}
BENCHMARK(BM_MonsterSave200Parts)->Unit(benchmark::kMillisecond);

void BM_MonsterLoad200Parts(benchmark::State& state) {
    const std::string file = BenchFile();
    {
        monsters::CMonster saved;
        MakeMonster(saved);
        saved.SaveToFile(file);
    }
    monsters::CMonster monster;
    for (auto _ : state) {
        if (!monster.LoadFromFile(file) || monster.GetPartCount() != PART_COUNT ||
            monster.GetPart(PART_COUNT - 1)->GetConnectedToBody() != PART_COUNT - 2)
            state.SkipWithError("load lost parts");
        benchmark::DoNotOptimize(monster.FindHeadPart());
    }
    std::filesystem::remove(file);
}
BENCHMARK(BM_MonsterLoad200Parts)->Unit(benchmark::kMillisecond);

}  // namespace
