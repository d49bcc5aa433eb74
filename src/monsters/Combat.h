#pragma once

// The arithmetic of a hit, in single-precision floats. A contact point's
// impulse I (normal plus tangent impulse, as Box2D reports them) gives
//   d = attacker damage x 0.001 x I       (0 once the attacker is destroyed)
//   victim hit points -= (2.1 - victim armour) x 0.5 x d
// so armour 1 takes 55 % of d, armour 2.1 nothing, armour above 2.1 heals.
namespace monsters::combat {

constexpr float DAMAGE_PER_IMPULSE = 0.001f;
constexpr float ARMOR_CEILING = 2.1f;
constexpr float ARMOR_FACTOR = 0.5f;
// Hit points a destroyed part is left with when it still had some.
constexpr float DESTROYED_HIT_POINTS = -0.00001f;

// The damage an attacker deals with impulse; a destroyed attacker (hit
// points below 0) deals none.
inline float AttackDamage(float attackerHitPoints, float attackerDamage, float impulse) {
    return attackerHitPoints >= 0.0f ? attackerDamage * DAMAGE_PER_IMPULSE * impulse : 0.0f;
}

// The hit points a victim with that armour loses to damage.
inline float HitPointLoss(float victimArmor, float damage) {
    return (ARMOR_CEILING - victimArmor) * ARMOR_FACTOR * damage;
}

}  // namespace monsters::combat
