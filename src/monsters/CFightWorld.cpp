#include "monsters/CFightWorld.h"

#include <box2d/box2d.h>

#include <algorithm>
#include <cmath>

#include "monsters/CMonster.h"
#include "monsters/CMonsterBodyPart.h"
#include "monsters/Combat.h"
#include "monsters/IWinOrLoseInterface.h"
#include "monsters/PlayerFiles.h"
#include "vorn/console/CLog.h"
#include "vorn/gfx/CSliderSprite.h"
#include "vorn/gfx/CSpriteFactory.h"

namespace monsters {

const char* const CFightWorld::HEALTH_BAR_FILES[2] = {"data/gfx/health_bar1.xml",
                                                      "data/gfx/health_bar2.xml"};

namespace {

CPhysicsWorld::CSettings FightSettings() {
    CPhysicsWorld::CSettings settings;
    settings.gravity.Set(0.0f, CFightWorld::GRAVITY_Y);
    settings.damping = 0.0f;
    settings.sleepNewBodies = false;
    settings.motors = true;
    return settings;
}

// A fighter's group: negative, and neither the floor's nor free of damage.
bool IsFighterGroup(int group) {
    return group < 0 && group != CFightWorld::FLOOR_GROUP;
}

}  // namespace

CFightWorld::CFightWorld(IWinOrLoseInterface* receiver) : CFightWorld(receiver, FLOOR_FILE) {}

CFightWorld::CFightWorld(IWinOrLoseInterface* receiver, const std::string& floorFile)
    : CPhysicsWorld(FightSettings()), myReceiver(receiver) {
    LoadMonster(floorFile, 0.0f, 0.0f);
}

CFightWorld::~CFightWorld() {
    // The sprites of the parts and the bars go before the Box2D world.
    for (auto& bar : myHealthBars)
        bar.reset();
    DestroyAllMonsters();
}

vorn::CSliderSprite* CFightWorld::GetHealthBar(int which) const {
    if (which < 1 || which > 2) return nullptr;
    return myHealthBars[which - 1].get();
}

CMonster* CFightWorld::LoadMonster(const std::string& fileName, float x, float y) {
    const int count = GetMonsterCount();
    const int group = count == 0 ? FLOOR_GROUP : -count;
    const b2Vec2 position(x, y);
    std::unique_ptr<CMonster> monster = ReadMonster(fileName, position, group);
    if (monster->GetPartCount() == 0) {
        monster->LoadFromFile(STANDARD_MONSTER_FILE);
        MakePhysics(*monster, position, group, STANDARD_MONSTER_FILE);
    }
    CMonster* added = AppendMonster(std::move(monster));

    if (GetMonsterCount() == 3) {
        for (int i = 0; i < 2; ++i) {
            vorn::CSprite* sprite =
                vorn::CSpriteFactory::GetSingleton()->LoadSprite(HEALTH_BAR_FILES[i]);
            auto* slider = dynamic_cast<vorn::CSliderSprite*>(sprite);
            if (!slider) {
                vorn::CLog::GetSingleton()->Printf(
                    "[WARNING] CFightWorld - %s is not a slider sprite; no health bar\n",
                    HEALTH_BAR_FILES[i]);
                delete sprite;
            }
            myHealthBars[i].reset(slider);
        }
    }
    return added;
}

void CFightWorld::Step() {
    StepBodies();
    for (int i = 0; i < GetMonsterCount(); ++i) {
        PlaceSprites(*GetMonster(i));
        ReportOutcome(i);
        UpdateHealthBar(i);
    }
    RunDamagePass();
    for (int i = 0; i < GetMonsterCount(); ++i) {
        ReportOutcome(i);
        UpdateHealthBar(i);
    }
}

void CFightWorld::RunDamagePass() {
    myInContactWalk = true;
    for (b2Contact* contact = GetBox2DWorld()->GetContactList(); contact;
         contact = contact->GetNext()) {
        const b2Manifold* manifold = contact->GetManifold();
        if (manifold->pointCount <= 0) continue;
        CMonsterBodyPart* a = GetPartOfBody(contact->GetFixtureA()->GetBody());
        CMonsterBodyPart* b = GetPartOfBody(contact->GetFixtureB()->GetBody());
        if (!a || !b) continue;
        const int groupA = a->GetCollisionGroup();
        const int groupB = b->GetCollisionGroup();
        if (!IsFighterGroup(groupA) || !IsFighterGroup(groupB) || groupA == groupB) continue;
        for (int i = 0; i < manifold->pointCount; ++i) {
            const b2ManifoldPoint& point = manifold->points[i];
            const float impulse = point.normalImpulse + point.tangentImpulse;
            ApplyHit(*a, *b, impulse);
            ApplyHit(*b, *a, impulse);
        }
    }
    myInContactWalk = false;
    DestroyPendingJoints();
}

void CFightWorld::ApplyHit(CMonsterBodyPart& victim, const CMonsterBodyPart& attacker,
                           float impulse) {
    const float damage =
        combat::AttackDamage(attacker.GetHitPoints(), attacker.GetDamage(), impulse);
    victim.SetHitPoints(victim.GetHitPoints() - combat::HitPointLoss(victim.GetArmor(), damage));
    if (victim.GetHitPoints() < 0.0f) DestroyPart(victim);
}

void CFightWorld::DestroyPart(CMonsterBodyPart& part) {
    // Also at exactly 0: a destroyed part must deal no more damage.
    if (!(part.GetHitPoints() < 0.0f)) part.SetHitPoints(combat::DESTROYED_HIT_POINTS);
    if (part.IsHead() && part.GetMonster()) KillMonster(*part.GetMonster());
    if (b2Joint* joint = DetachJoint(part)) {
        if (myInContactWalk)
            myPendingJoints.push_back(joint);
        else
            GetBox2DWorld()->DestroyJoint(joint);
    }
}

void CFightWorld::KillMonster(CMonster& monster) {
    if (monster.IsDead()) return;
    monster.SetDead(true);
    for (int i = 0; i < monster.GetPartCount(); ++i)
        DestroyPart(*monster.GetPart(i));
}

void CFightWorld::DestroyPendingJoints() {
    for (b2Joint* joint : myPendingJoints)
        GetBox2DWorld()->DestroyJoint(joint);
    myPendingJoints.clear();
}

void CFightWorld::ReportOutcome(int index) {
    if (!myReceiver) return;
    const CMonster* monster = GetMonster(index);
    if (!monster || !monster->IsDead()) return;
    IWinOrLoseInterface* receiver = myReceiver;
    if (index == PLAYER_INDEX) {
        myReceiver = nullptr;
        receiver->Lose();
    } else if (index == OPPONENT_INDEX) {
        myReceiver = nullptr;
        receiver->Win();
    }
}

void CFightWorld::UpdateHealthBar(int index) {
    if (index != PLAYER_INDEX && index != OPPONENT_INDEX) return;
    vorn::CSliderSprite* bar = myHealthBars[index - 1].get();
    CMonster* monster = GetMonster(index);
    if (!bar || !monster) return;
    float value = 0.0f;
    if (const CMonsterBodyPart* head = monster->FindHeadPart())
        value = head->GetHitPoints() / head->GetMaxHitPoints();
    // The bar shows 0 to 1; a head without maximum hit points shows empty.
    value = std::isnan(value) ? 0.0f : std::clamp(value, 0.0f, 1.0f);
    if (value != bar->GetValue()) bar->SetValue(value);
}

}  // namespace monsters
