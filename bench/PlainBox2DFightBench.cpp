// The fight of FightBench.cpp in plain Box2D, with no engine around it: the
// same bodies, fixtures, hinges and motors, made in the same order, stepped
// with the same time step and iterations. What the engine's fight step costs
// above this is the engine's own work (sprites, outcome, contact damage,
// world box). Only Box2D and the fight's data are used here.
#include <benchmark/benchmark.h>

#include <box2d/box2d.h>

#include <memory>
#include <vector>

#include "FightBenchMonsters.h"

namespace {

using fightbench::CPartDef;

b2Body* MakeBody(b2World& world, const CPartDef& part, short group, float offsetX) {
    b2PolygonShape box;
    b2CircleShape circle;
    b2FixtureDef fixture;
    if (part.shape == 1) {
        box.SetAsBox(part.extentX, part.extentY);
        fixture.shape = &box;
    } else {
        circle.m_radius = part.extentX;
        fixture.shape = &circle;
    }
    fixture.friction = part.friction;
    fixture.restitution = 0.0f;
    fixture.density = part.density;
    fixture.filter.groupIndex = group;
    b2BodyDef def;
    def.type = part.density > 0.0f ? b2_dynamicBody : b2_staticBody;
    def.position.Set(part.x, part.y);
    b2Body* body = world.CreateBody(&def);
    body->CreateFixture(&fixture);
    // Made at the part's own place, then moved to where the monster stands.
    body->SetTransform(body->GetPosition() + b2Vec2(offsetX, 0.0f), body->GetAngle());
    return body;
}

void MakeMonster(b2World& world, const CPartDef* parts, int count, short group, float x) {
    std::vector<b2Body*> bodies;
    for (int i = 0; i < count; ++i)
        bodies.push_back(MakeBody(world, parts[i], group, x));
    for (int i = 0; i < count; ++i) {
        const CPartDef& part = parts[i];
        if (part.hingedTo < 0) continue;
        b2Body* body = bodies[size_t(i)];
        b2Body* partner = bodies[size_t(part.hingedTo)];
        const b2Vec2 anchor = body->GetWorldPoint(b2Vec2(part.anchorX, part.anchorY));
        b2RevoluteJointDef def;
        def.bodyA = body;
        def.bodyB = partner;
        def.localAnchorA = body->GetLocalPoint(anchor);
        def.localAnchorB = partner->GetLocalPoint(anchor);
        def.referenceAngle = 0.0f;
        def.enableLimit = part.limit;
        def.lowerAngle = part.lower;
        def.upperAngle = part.upper;
        def.enableMotor = part.motor;
        def.motorSpeed = part.speed;
        def.maxMotorTorque = part.torque;
        world.CreateJoint(&def);
    }
}

std::unique_ptr<b2World> MakeFight() {
    auto world = std::make_unique<b2World>(b2Vec2(0.0f, fightbench::GRAVITY_Y));
    world->SetAllowSleeping(true);
    b2BodyDef ground;
    world->CreateBody(&ground);
    MakeMonster(*world, fightbench::FLOOR, fightbench::FLOOR_PART_COUNT, fightbench::FLOOR_GROUP,
                0.0f);
    MakeMonster(*world, fightbench::MONSTER, fightbench::PART_COUNT, -1, fightbench::PLAYER_X);
    CPartDef mirrored[fightbench::PART_COUNT];
    for (int i = 0; i < fightbench::PART_COUNT; ++i)
        mirrored[i] = fightbench::Mirrored(fightbench::MONSTER[i]);
    MakeMonster(*world, mirrored, fightbench::PART_COUNT, -2, fightbench::OPPONENT_X);
    return world;
}

// Sum of all body coordinates: equal runs end on equal sums.
double Checksum(b2World& world) {
    double sum = 0.0;
    for (b2Body* body = world.GetBodyList(); body; body = body->GetNext())
        sum += double(body->GetPosition().x) + double(body->GetPosition().y);
    return sum;
}

// One fight of STEPS_PER_FIGHT steps per iteration; making the world is not timed.
void BM_FightStepPlainBox2D(benchmark::State& state) {
    double checksum = 0.0;
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<b2World> world = MakeFight();
        state.ResumeTiming();
        for (int step = 0; step < fightbench::STEPS_PER_FIGHT; ++step)
            world->Step(fightbench::TIME_STEP, fightbench::ITERATIONS, fightbench::ITERATIONS);
        state.PauseTiming();
        checksum = Checksum(*world);
        world.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * fightbench::STEPS_PER_FIGHT);
    state.counters["checksum"] = checksum;
}
BENCHMARK(BM_FightStepPlainBox2D)->Unit(benchmark::kMillisecond);

}  // namespace
