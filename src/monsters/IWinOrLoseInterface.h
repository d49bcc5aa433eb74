#pragma once

namespace monsters {

// Receives the outcome of a fight from the fight world, at most once per
// fight and from inside the world's step: it must not destroy the world.
class IWinOrLoseInterface {
public:
    virtual ~IWinOrLoseInterface() = default;
    // The opponent's head was destroyed (and the player's was not).
    virtual void Win() = 0;
    // The player's head was destroyed.
    virtual void Lose() = 0;
};

}  // namespace monsters
