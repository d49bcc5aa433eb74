#pragma once

// The fight both fight benchmarks run: the floor of the game and two fighters
// of 8 parts each (7 hinges, 6 of them with running motors), the player at
// (-10, 0) facing right, the opponent at (10, 0) mirrored, driving into each
// other. Hit points are high, so nothing breaks off during the measured
// steps and the engine and plain Box2D simulate exactly the same bodies.
// Plain data only: the plain Box2D benchmark must not depend on the engine.
namespace fightbench {

struct CPartDef {
    int shape;  // 1 box, 0 circle
    float x, y;
    float extentX, extentY;
    float density;
    float friction;
    int hingedTo;            // index of the partner, -1 for none
    float anchorX, anchorY;  // in the part's own frame
    bool motor;
    float speed, torque;
    bool limit;
    float lower, upper;
    bool head;
};

constexpr int PART_COUNT = 8;
constexpr int FLOOR_PART_COUNT = 3;
constexpr float PLAYER_X = -10.0f;
constexpr float OPPONENT_X = 10.0f;
constexpr float HIT_POINTS = 1.0e6f;
constexpr int STEPS_PER_FIGHT = 600;  // 10 simulated seconds

constexpr float GRAVITY_Y = 10.0f;
constexpr float TIME_STEP = 0.0167f;
constexpr int ITERATIONS = 10;
constexpr short FLOOR_GROUP = -1503;

// The game's floor (game/temp/floor.xml): a slab as wide as the screen and two low walls.
const CPartDef FLOOR[FLOOR_PART_COUNT] = {
    {1, 0.0f, 8.875f, 12.5f, 0.5f, 0.0f, 0.8f, -1, 0, 0, false, 0, 0, false, 0, 0, false},
    {1, -12.25f, 7.375f, 0.25f, 1.0f, 0.0f, 0.8f, -1, 0, 0, false, 0, 0, false, 0, 0, false},
    {1, 12.25f, 7.375f, 0.25f, 1.0f, 0.0f, 0.8f, -1, 0, 0, false, 0, 0, false, 0, 0, false},
};

// Facing right: the wheels drive to the right, the arms spin.
const CPartDef MONSTER[PART_COUNT] = {
    // head on a neck hinge with limits
    {0, 0.0f, 0.0f, 0.45f, 0.0f, 1.0f, 0.5f, 1, 0.0f, 0.4f, false, 0, 0, true, -0.3f, 0.3f, true},
    // chassis
    {1, 0.0f, 0.75f, 1.2f, 0.3f, 1.5f, 0.5f, -1, 0, 0, false, 0, 0, false, 0, 0, false},
    // three driven wheels
    {0, -0.9f, 1.25f, 0.4f, 0.0f, 1.5f, 0.9f, 1, 0, 0, true, -4.0f, 40.0f, false, 0, 0, false},
    {0, 0.9f, 1.25f, 0.4f, 0.0f, 1.5f, 0.9f, 1, 0, 0, true, -4.0f, 40.0f, false, 0, 0, false},
    {0, 0.0f, 1.3f, 0.35f, 0.0f, 1.5f, 0.9f, 1, 0, 0, true, -4.0f, 40.0f, false, 0, 0, false},
    // upper arm and forearm, both spinning
    {1, 1.6f, 0.5f, 0.5f, 0.1f, 1.0f, 0.5f, 1, -0.5f, 0.0f, true, 2.0f, 30.0f, false, 0, 0, false},
    {1, 2.5f, 0.5f, 0.4f, 0.08f, 1.0f, 0.5f, 5, -0.4f, 0.0f, true, -4.0f, 20.0f, false, 0, 0,
     false},
    // rear spike
    {1, -1.6f, 0.5f, 0.4f, 0.1f, 1.0f, 0.5f, 1, 0.4f, 0.0f, true, 3.0f, 20.0f, false, 0, 0, false},
};

// The same part facing left: positions, anchors and turns mirrored.
inline CPartDef Mirrored(CPartDef part) {
    part.x = -part.x;
    part.anchorX = -part.anchorX;
    part.speed = -part.speed;
    const float lower = part.lower;
    part.lower = -part.upper;
    part.upper = -lower;
    return part;
}

}  // namespace fightbench
