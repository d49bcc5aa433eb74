#pragma once

#include <memory>
#include <string>
#include <vector>

#include "monsters/CPhysicsWorld.h"

namespace vorn {
class CSliderSprite;
}

namespace monsters {

class IWinOrLoseInterface;

// The world of a fight: gravity (0, 10), motors running from the first step.
// Its monsters in order: 0 the floor (group -1503, "temp/floor.xml"), 1 the
// player's monster (group -1), 2 the opponent (group -2). Each step turns the
// contact impulses between parts of different fighters into hit-point
// losses; a part below zero hit points loses its hinge and falls off, and
// the first monster to lose its head decides the fight, reported once to the
// win/lose receiver (the player is looked at first).
class CFightWorld : public CPhysicsWorld {
public:
    static constexpr int FLOOR_GROUP = -1503;
    static constexpr float GRAVITY_Y = 10.0f;
    static constexpr int PLAYER_INDEX = 1;
    static constexpr int OPPONENT_INDEX = 2;
    // "data/gfx/health_bar1.xml", "data/gfx/health_bar2.xml"
    static const char* const HEALTH_BAR_FILES[2];

    // Loads the floor like a fighter (standard monster when it gives no
    // parts). receiver is not owned and may be null.
    CFightWorld(IWinOrLoseInterface* receiver, const std::string& floorFile);
    explicit CFightWorld(IWinOrLoseInterface* receiver);
    ~CFightWorld() override;

    // Box2D step; for every monster its sprites, the outcome and its health
    // bar; the contact damage pass; then the outcome and health bars again,
    // so that a head destroyed in this step ends the fight in this step.
    void Step() override;

    // Loads a fighter at (x, y): group -(monsters present), or -1503 for the
    // first; a file giving no parts loads the standard monster instead. With
    // the third monster the two health bars appear. Returns the monster.
    CMonster* LoadMonster(const std::string& fileName, float x, float y);

    // Null until reported (the outcome clears it) or when none was given.
    IWinOrLoseInterface* GetWinOrLoseReceiver() const { return myReceiver; }
    // 1 or 2; null while absent.
    vorn::CSliderSprite* GetHealthBar(int which) const;

    // --- Combat --------------------------------------------------------------------
    // A hit on victim by attacker with a contact impulse.
    void ApplyHit(CMonsterBodyPart& victim, const CMonsterBodyPart& attacker, float impulse);
    // The part counts as destroyed and drops its hinge; a head takes its
    // whole monster with it.
    void DestroyPart(CMonsterBodyPart& part);
    // Once: the dead flag, then every part destroyed.
    void KillMonster(CMonster& monster);

private:
    void RunDamagePass();
    void ReportOutcome(int index);
    void UpdateHealthBar(int index);
    void DestroyPendingJoints();

    IWinOrLoseInterface* myReceiver;
    std::unique_ptr<vorn::CSliderSprite> myHealthBars[2];
    // Hinges broken during a contact walk, destroyed after it.
    std::vector<b2Joint*> myPendingJoints;
    bool myInContactWalk = false;
};

}  // namespace monsters
