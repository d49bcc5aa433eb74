#include "monsters/CPhysicsWorld.h"

#include <box2d/box2d.h>

#include <algorithm>
#include <climits>
#include <cstdint>

#include "monsters/CMonster.h"
#include "monsters/CMonsterBodyPart.h"
#include "monsters/CMonstersGraphicsBridge.h"
#include "monsters/PartChecks.h"
#include "vorn/console/CLog.h"

namespace monsters {

namespace {

constexpr float QUERY_HALF_SIZE = 0.001f;

// Box2D's group index has 16 bits.
int16_t ToGroupIndex(int group) {
    return static_cast<int16_t>(std::clamp(group, int(INT16_MIN) + 1, int(INT16_MAX)));
}

// Stops after the given number of fixtures, as the old area query filled an
// array of that size.
class CQueryCollector : public b2QueryCallback {
public:
    explicit CQueryCollector(int limit) : myLimit(limit) {}
    bool ReportFixture(b2Fixture* fixture) override {
        myFixtures.push_back(fixture);
        return static_cast<int>(myFixtures.size()) < myLimit;
    }
    std::vector<b2Fixture*> myFixtures;

private:
    int myLimit;
};

}  // namespace

// The physics of one part. A joint's user data points at the member that
// holds it, so that Box2D destroying it with a body can clear the reference.
struct CPhysicsWorld::CPartPhysics {
    CMonsterBodyPart* part = nullptr;
    b2Body* body = nullptr;
    b2Joint* joint = nullptr;
    std::unique_ptr<CMonstersGraphicsBridge> bridge;
};

class CPhysicsWorld::CDestructionListener : public b2DestructionListener {
public:
    void SayGoodbye(b2Joint* joint) override {
        if (auto** holder = reinterpret_cast<b2Joint**>(joint->GetUserData().pointer))
            *holder = nullptr;
    }
    void SayGoodbye(b2Fixture*) override {}
};

CPhysicsWorld::CPhysicsWorld(const CSettings& settings)
    : mySettings(settings),
      myDestructionListener(std::make_unique<CDestructionListener>()),
      myWorld(std::make_unique<b2World>(settings.gravity)) {
    myWorld->SetAllowSleeping(true);
    myWorld->SetDestructionListener(myDestructionListener.get());
    b2BodyDef ground;
    myGround = myWorld->CreateBody(&ground);
}

CPhysicsWorld::~CPhysicsWorld() {
    DestroyAllMonsters();
    myWorld.reset();
}

CMonster* CPhysicsWorld::GetMonster(int index) const {
    if (index < 0 || index >= GetMonsterCount()) return nullptr;
    return myMonsters[static_cast<size_t>(index)].get();
}

int CPhysicsWorld::IndexOfMonster(const CMonster* monster) const {
    for (int i = 0; i < GetMonsterCount(); ++i)
        if (myMonsters[static_cast<size_t>(i)].get() == monster) return i;
    return -1;
}

CPhysicsWorld::CPartPhysics* CPhysicsWorld::FindPhysics(const CMonsterBodyPart& part) const {
    auto it = myPhysics.find(&part);
    return it == myPhysics.end() ? nullptr : it->second.get();
}

b2Body* CPhysicsWorld::GetBody(const CMonsterBodyPart& part) const {
    CPartPhysics* physics = FindPhysics(part);
    return physics ? physics->body : nullptr;
}

b2Joint* CPhysicsWorld::GetJoint(const CMonsterBodyPart& part) const {
    CPartPhysics* physics = FindPhysics(part);
    return physics ? physics->joint : nullptr;
}

CMonstersGraphicsBridge* CPhysicsWorld::GetGraphicsBridge(const CMonsterBodyPart& part) const {
    CPartPhysics* physics = FindPhysics(part);
    return physics ? physics->bridge.get() : nullptr;
}

CMonsterBodyPart* CPhysicsWorld::GetPartOfBody(const b2Body* body) {
    if (!body) return nullptr;
    // Box2D 2.4 offers the user data only through a non-const body.
    auto* physics =
        reinterpret_cast<CPartPhysics*>(const_cast<b2Body*>(body)->GetUserData().pointer);
    return physics ? physics->part : nullptr;
}

b2Vec2 CPhysicsWorld::GetWorldAnchor(const CMonsterBodyPart& part) const {
    const b2Vec2 anchor(part.GetAnchorPoint().x, part.GetAnchorPoint().y);
    if (const b2Body* body = GetBody(part)) return body->GetWorldPoint(anchor);
    return b2Vec2(part.GetLocalPosition().x, part.GetLocalPosition().y) + anchor;
}

CMonsterBodyPart* CPhysicsWorld::FindHingePartner(const CMonsterBodyPart& part) const {
    for (b2Body* body = myWorld->GetBodyList(); body; body = body->GetNext()) {
        CMonsterBodyPart* other = GetPartOfBody(body);
        if (other && other != &part && other->GetCollisionGroup() == part.GetCollisionGroup() &&
            other->GetObjectId() == part.GetConnectedToBody())
            return other;
    }
    return nullptr;
}

std::vector<b2Body*> CPhysicsWorld::QueryBodiesAt(const b2Vec2& point) const {
    std::vector<b2Body*> bodies;
    if (!point.IsValid()) return bodies;
    b2AABB box;
    box.lowerBound = point - b2Vec2(QUERY_HALF_SIZE, QUERY_HALF_SIZE);
    box.upperBound = point + b2Vec2(QUERY_HALF_SIZE, QUERY_HALF_SIZE);
    CQueryCollector collector(MAX_QUERY_SHAPES);
    myWorld->QueryAABB(&collector, box);
    for (b2Fixture* fixture : collector.myFixtures) {
        b2Body* body = fixture->GetBody();
        if (fixture->TestPoint(point) &&
            std::find(bodies.begin(), bodies.end(), body) == bodies.end())
            bodies.push_back(body);
    }
    return bodies;
}

// --- Loading -------------------------------------------------------------------------

int CPhysicsWorld::NextIdOffset() const {
    long long offset = static_cast<long long>(ID_OFFSET_PER_MONSTER) * GetMonsterCount();
    for (const auto& monster : myMonsters)
        for (int i = 0; i < monster->GetPartCount(); ++i) {
            const long long above = monster->GetPart(i)->GetObjectId() + 1LL;
            const long long rounded =
                (above + ID_OFFSET_PER_MONSTER - 1) / ID_OFFSET_PER_MONSTER * ID_OFFSET_PER_MONSTER;
            offset = std::max(offset, rounded);
        }
    return offset > INT_MAX ? INT_MAX : static_cast<int>(offset);
}

std::unique_ptr<CMonster> CPhysicsWorld::ReadMonster(const std::string& fileName,
                                                     const b2Vec2& position, int group) {
    auto monster = std::make_unique<CMonster>();
    monster->SetIdOffset(NextIdOffset());
    monster->SetCollisionGroup(group);
    monster->DestroyParts();
    // A list naming a file that is not there must not go unnoticed: the
    // caller carries on with a monster without parts (the fight with the
    // standard monster, the editor's tray without the part).
    if (!monster->LoadFromFile(fileName))
        vorn::CLog::GetSingleton()->Printf(
            "[WARNING] Monster file %s could not be read; it gives no parts\n", fileName.c_str());
    MakePhysics(*monster, position, group, fileName);
    return monster;
}

void CPhysicsWorld::MakePhysics(CMonster& monster, const b2Vec2& position, int group,
                                const std::string& sourceName) {
    std::vector<std::string> problems;
    monster.SetCollisionGroup(group);
    b2Vec2 offset = position;
    if (!IsSaneCoordinate(offset.x) || !IsSaneCoordinate(offset.y)) {
        problems.push_back("the position to load at is not a usable number; (0, 0) is used");
        offset.SetZero();
    }
    for (int i = 0; i < monster.GetPartCount(); ++i) {
        CMonsterBodyPart& part = *monster.GetPart(i);
        part.SetCollisionGroup(group);
        RepairGameValues(part, &problems);
        CheckHingeValues(part, &problems);
        MakeBody(part, &problems);
        MovePart(part, offset);
    }
    for (int i = 0; i < monster.GetPartCount(); ++i)
        MakeJoint(*monster.GetPart(i));
    for (const std::string& problem : problems)
        vorn::CLog::GetSingleton()->Printf("[WARNING] Monster file %s, %s\n", sourceName.c_str(),
                                           problem.c_str());
}

CPhysicsWorld::CPartPhysics& CPhysicsWorld::MakeBody(CMonsterBodyPart& part,
                                                     std::vector<std::string>* problems) {
    std::unique_ptr<CPartPhysics>& slot = myPhysics[&part];
    if (!slot) slot = std::make_unique<CPartPhysics>();
    CPartPhysics& physics = *slot;
    physics.part = &part;
    const CBodyValues values = CheckBodyValues(part, problems);
    if (!values.valid) return physics;

    b2PolygonShape box;
    b2CircleShape circle;
    b2FixtureDef fixture;
    if (values.shapeType == CMonsterBodyPart::SHAPE_BOX) {
        box.SetAsBox(values.extents.x, values.extents.y);
        fixture.shape = &box;
    } else {
        circle.m_radius = values.extents.x;
        fixture.shape = &circle;
    }
    fixture.friction = values.friction;
    fixture.restitution = values.restitution;
    fixture.density = values.density;
    fixture.filter.groupIndex = ToGroupIndex(part.GetCollisionGroup());

    b2BodyDef bodyDef;
    bodyDef.type = values.density > 0.0f ? b2_dynamicBody : b2_staticBody;
    bodyDef.position = values.position;
    bodyDef.angle = values.angle;
    bodyDef.linearDamping = mySettings.damping;
    bodyDef.angularDamping = mySettings.damping;
    bodyDef.userData.pointer = reinterpret_cast<uintptr_t>(&physics);
    physics.body = myWorld->CreateBody(&bodyDef);
    physics.body->CreateFixture(&fixture);

    physics.bridge =
        CMonstersGraphicsBridge::Create(part.GetSpriteFile(), physics.body, values.shapeType);
    const b2Vec2& at = physics.body->GetPosition();
    const b2Vec2& velocity = physics.body->GetLinearVelocity();
    physics.bridge->Update(at.x, at.y, physics.body->GetAngle(), velocity.x, velocity.y);
    if (mySettings.sleepNewBodies) physics.body->SetAwake(false);
    return physics;
}

void CPhysicsWorld::MakeJoint(CMonsterBodyPart& part) {
    CPartPhysics* physics = FindPhysics(part);
    if (!physics || !physics->body || !part.HasJoint() || IsHingedToNothing(part)) return;
    const CHingeValues hinge = CheckHingeValues(part, nullptr);
    if (!hinge.valid) return;
    CMonsterBodyPart* partner = FindHingePartner(part);
    b2Body* partnerBody = partner ? GetBody(*partner) : nullptr;
    if (!partnerBody) {
        vorn::CLog::GetSingleton()->Printf(
            "[WARNING] Monster part %d is hinged to part %d, which has no body in its group; "
            "the part gets no hinge\n",
            part.GetObjectId(), part.GetConnectedToBody());
        return;
    }
    const bool motor = mySettings.motors && hinge.hasMotor;
    physics->joint = MakeRevoluteJoint(
        physics->body, partnerBody, GetWorldAnchor(part), hinge.hasLimit, hinge.lowerLimit,
        hinge.upperLimit, motor, mySettings.motors ? hinge.motorSpeed : 0.0f,
        mySettings.motors ? hinge.motorTorque : 0.0f, &physics->joint);
}

b2Joint* CPhysicsWorld::MakeRevoluteJoint(b2Body* body, b2Body* partner, const b2Vec2& anchor,
                                          bool limit, float lower, float upper, bool motor,
                                          float speed, float torque, b2Joint** holder) {
    if (!body || !partner || body == partner || !anchor.IsValid()) return nullptr;
    b2RevoluteJointDef def;
    def.bodyA = body;
    def.bodyB = partner;
    def.localAnchorA = body->GetLocalPoint(anchor);
    def.localAnchorB = partner->GetLocalPoint(anchor);
    def.referenceAngle = 0.0f;
    def.enableLimit = limit;
    def.lowerAngle = std::min(lower, upper);
    def.upperAngle = std::max(lower, upper);
    def.enableMotor = motor;
    def.motorSpeed = speed;
    def.maxMotorTorque = torque;
    def.collideConnected = false;
    def.userData.pointer = reinterpret_cast<uintptr_t>(holder);
    return myWorld->CreateJoint(&def);
}

CMonster* CPhysicsWorld::AppendMonster(std::unique_ptr<CMonster> monster) {
    if (!monster) return nullptr;
    myMonsters.push_back(std::move(monster));
    return myMonsters.back().get();
}

// --- Stepping and moving ---------------------------------------------------------------

void CPhysicsWorld::StepBodies() {
    myWorld->Step(TIME_STEP, ITERATIONS, ITERATIONS);
    // Only bodies that moved can have left; the step is over, so disabling is safe.
    for (b2Body* body = myWorld->GetBodyList(); body; body = body->GetNext())
        if (body->IsAwake()) KeepInWorldBox(body);
}

void CPhysicsWorld::KeepInWorldBox(b2Body* body) {
    if (!body || !body->IsEnabled() || !body->GetFixtureList()) return;
    // The broad phase's boxes hold the shapes with a small margin, so a body
    // is stopped at most a few centimetres after it left; they cost nothing
    // to read.
    for (b2Fixture* fixture = body->GetFixtureList(); fixture; fixture = fixture->GetNext()) {
        for (int proxy = 0; proxy < fixture->GetShape()->GetChildCount(); ++proxy) {
            const b2AABB& box = fixture->GetAABB(proxy);
            if (box.upperBound.x >= WORLD_BOX_MIN && box.lowerBound.x <= WORLD_BOX_MAX &&
                box.upperBound.y >= WORLD_BOX_MIN && box.lowerBound.y <= WORLD_BOX_MAX)
                return;
        }
    }
    body->SetEnabled(false);
    const CMonsterBodyPart* part = GetPartOfBody(body);
    vorn::CLog::GetSingleton()->Debug() << "Monster part " << (part ? part->GetObjectId() : -1)
                                        << " left the world box and stops taking part\n";
}

void CPhysicsWorld::MovePart(CMonsterBodyPart& part, const b2Vec2& offset) {
    if (!offset.IsValid()) return;
    CPartPhysics* physics = FindPhysics(part);
    b2Body* body = physics ? physics->body : nullptr;
    if (body && body->IsEnabled()) {
        const b2Vec2 target = body->GetPosition() + offset;
        if (IsSaneCoordinate(target.x) && IsSaneCoordinate(target.y)) {
            body->SetTransform(target, body->GetAngle());
            KeepInWorldBox(body);
        }
    }
    part.SetLocalPosition(
        types_vector(part.GetLocalPosition().x + offset.x, part.GetLocalPosition().y + offset.y));
    if (body && physics->bridge) {
        const b2Vec2& at = body->GetPosition();
        const b2Vec2& velocity = body->GetLinearVelocity();
        physics->bridge->Update(at.x, at.y, body->GetAngle(), velocity.x, velocity.y);
    }
}

void CPhysicsWorld::MoveMonster(CMonster& monster, const b2Vec2& offset) {
    for (int i = 0; i < monster.GetPartCount(); ++i)
        MovePart(*monster.GetPart(i), offset);
}

void CPhysicsWorld::CopyBodiesToParts(CMonster& monster) {
    for (int i = 0; i < monster.GetPartCount(); ++i) {
        CMonsterBodyPart& part = *monster.GetPart(i);
        if (const b2Body* body = GetBody(part)) {
            part.SetLocalPosition(types_vector(body->GetPosition().x, body->GetPosition().y));
            part.SetLocalRotation(body->GetAngle());
        }
    }
}

void CPhysicsWorld::PutToSleep(CMonster& monster) {
    for (int i = 0; i < monster.GetPartCount(); ++i)
        if (b2Body* body = GetBody(*monster.GetPart(i))) body->SetAwake(false);
}

void CPhysicsWorld::WakeUp(CMonster& monster) {
    for (int i = 0; i < monster.GetPartCount(); ++i)
        if (b2Body* body = GetBody(*monster.GetPart(i))) body->SetAwake(true);
}

void CPhysicsWorld::PlaceSprites(CMonster& monster) {
    for (int i = 0; i < monster.GetPartCount(); ++i) {
        CPartPhysics* physics = FindPhysics(*monster.GetPart(i));
        if (!physics || !physics->body || !physics->bridge) continue;
        const b2Body* body = physics->body;
        const b2Vec2& at = body->GetPosition();
        const b2Vec2& velocity = body->GetLinearVelocity();
        physics->bridge->Update(at.x, at.y, body->GetAngle(), velocity.x, velocity.y);
    }
}

// --- Destroying --------------------------------------------------------------------------

b2Joint* CPhysicsWorld::DetachJoint(CMonsterBodyPart& part) {
    CPartPhysics* physics = FindPhysics(part);
    if (!physics || !physics->joint) return nullptr;
    b2Joint* joint = physics->joint;
    physics->joint = nullptr;
    // Box2D must not clear the member any more once the joint is handed on.
    joint->GetUserData().pointer = 0;
    return joint;
}

void CPhysicsWorld::DestroyJoint(CMonsterBodyPart& part) {
    if (b2Joint* joint = DetachJoint(part)) myWorld->DestroyJoint(joint);
}

void CPhysicsWorld::DestroyPartPhysics(CMonsterBodyPart& part) {
    auto it = myPhysics.find(&part);
    if (it == myPhysics.end()) return;
    CPartPhysics& physics = *it->second;
    DestroyJoint(part);
    // Joints of other parts on this body go with it; the listener clears them.
    if (physics.body) myWorld->DestroyBody(physics.body);
    physics.body = nullptr;
    physics.bridge.reset();
    myPhysics.erase(it);
}

void CPhysicsWorld::DestroyMonsterPhysics(CMonster& monster) {
    for (int i = 0; i < monster.GetPartCount(); ++i)
        DestroyPartPhysics(*monster.GetPart(i));
}

void CPhysicsWorld::DestroyAllMonsters() {
    for (auto& monster : myMonsters)
        DestroyMonsterPhysics(*monster);
    myMonsters.clear();
    // Parts that left their monsters behind the world's back.
    for (auto& entry : myPhysics) {
        if (entry.second->body) myWorld->DestroyBody(entry.second->body);
        entry.second->body = nullptr;
    }
    myPhysics.clear();
}

}  // namespace monsters
