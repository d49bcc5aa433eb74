#pragma once

#include <box2d/b2_math.h>

#include <string>
#include <vector>

namespace monsters {

class CMonster;
class CMonsterBodyPart;

// Box2D stops the program on values it cannot simulate (a box without area,
// a negative density, coordinates that are not numbers, limits the wrong way
// round). Every value a monster file gives it passes through these checks
// first. A part whose shape cannot be made gets no body, like a part of an
// unknown shape type; smaller faults are mended and reported.

// Bounds of what a part may ask for.
constexpr float MIN_EXTENT = 0.001f;      // metres; box half size or circle radius
constexpr float MAX_EXTENT = 1000.0f;     // metres
constexpr float MAX_DENSITY = 1.0e6f;     // kilograms per square metre
constexpr float MAX_COORDINATE = 1.0e6f;  // metres or radians, in any direction

// What Box2D is given for a part's body.
struct CBodyValues {
    bool valid = false;  // false: the part gets no body
    int shapeType = 0;
    b2Vec2 position{0.0f, 0.0f};
    float angle = 0.0f;
    b2Vec2 extents{0.0f, 0.0f};
    float friction = 0.0f;
    float restitution = 0.0f;
    float density = 0.0f;
};

// What Box2D is given for a part's hinge.
struct CHingeValues {
    bool valid = false;  // false: the part gets no hinge
    b2Vec2 anchor{0.0f, 0.0f};
    bool hasLimit = false;
    float lowerLimit = 0.0f;
    float upperLimit = 0.0f;
    bool hasMotor = false;
    float motorSpeed = 0.0f;
    float motorTorque = 0.0f;
};

// The checks append one line per fault to problems (which may be null),
// naming the part by its object id.
CBodyValues CheckBodyValues(const CMonsterBodyPart& part, std::vector<std::string>* problems);
CHingeValues CheckHingeValues(const CMonsterBodyPart& part, std::vector<std::string>* problems);
// Hit points, damage or armour that are not finite numbers become 1, the
// value of a new part: a head with hit points "nan" could never die.
void RepairGameValues(CMonsterBodyPart& part, std::vector<std::string>* problems);

// Everything loading the monster into a fight would find: the faults above
// for every part, hinges whose partner is missing, and a missing head.
std::vector<std::string> CheckMonster(const CMonster& monster);

// Every part of the shop hangs on a pin in the editor, so it carries a hinge
// that names the part itself until a save hinges it to the part under its
// pin. Saving merges one monster per attached pin, so the part the others
// were dropped onto always keeps that mark: it means "no hinge", not a fault.
bool IsHingedToNothing(const CMonsterBodyPart& part);

// A finite number of at most MAX_COORDINATE in size.
bool IsSaneCoordinate(float value);

}  // namespace monsters
