#include "monsters/PartChecks.h"

#include <cmath>
#include <sstream>
#include <utility>

#include "monsters/CMonster.h"
#include "monsters/CMonsterBodyPart.h"

namespace monsters {

namespace {

void Report(std::vector<std::string>* problems, const CMonsterBodyPart& part,
            const std::string& text) {
    if (!problems) return;
    std::ostringstream line;
    line << "part " << part.GetObjectId() << ": " << text;
    problems->push_back(line.str());
}

std::string Number(float value) {
    std::ostringstream text;
    text << value;
    return text.str();
}

bool IsSaneVector(const types_vector& v) {
    return IsSaneCoordinate(v.x) && IsSaneCoordinate(v.y);
}

bool IsSaneExtent(float value) {
    return std::isfinite(value) && value >= MIN_EXTENT && value <= MAX_EXTENT;
}

// A material value Box2D mixes by square root and products: a finite number
// of at least 0. Anything else becomes 0.
float CheckMaterial(const CMonsterBodyPart& part, const char* name, float value,
                    std::vector<std::string>* problems) {
    if (std::isfinite(value) && value >= 0.0f) return value;
    Report(problems, part,
           std::string(name) + " " + Number(value) + " is not a number of 0 or more; 0 is used");
    return 0.0f;
}

}  // namespace

bool IsHingedToNothing(const CMonsterBodyPart& part) {
    return part.HasJoint() && part.GetConnectedToBody() == part.GetObjectId();
}

bool IsSaneCoordinate(float value) {
    return std::isfinite(value) && std::fabs(value) <= MAX_COORDINATE;
}

CBodyValues CheckBodyValues(const CMonsterBodyPart& part, std::vector<std::string>* problems) {
    CBodyValues values;
    values.shapeType = part.GetShapeType();
    if (values.shapeType != CMonsterBodyPart::SHAPE_BOX &&
        values.shapeType != CMonsterBodyPart::SHAPE_CIRCLE) {
        Report(problems, part,
               "shape type " + std::to_string(values.shapeType) +
                   " is neither box (1) nor circle (0); the part gets no body");
        return values;
    }
    const types_vector& extents = part.GetExtents();
    const bool box = values.shapeType == CMonsterBodyPart::SHAPE_BOX;
    if (!IsSaneExtent(extents.x) || (box && !IsSaneExtent(extents.y))) {
        Report(problems, part,
               std::string(box ? "box half sizes (" + Number(extents.x) + ", " + Number(extents.y) +
                                     ")"
                               : "circle radius " + Number(extents.x)) +
                   " outside " + Number(MIN_EXTENT) + " to " + Number(MAX_EXTENT) +
                   "; the part gets no body");
        return values;
    }
    const float density = part.GetDensity();
    if (!std::isfinite(density) || density < 0.0f || density > MAX_DENSITY) {
        Report(problems, part,
               "density " + Number(density) + " outside 0 to " + Number(MAX_DENSITY) +
                   "; the part gets no body");
        return values;
    }
    if (!IsSaneVector(part.GetLocalPosition()) || !IsSaneCoordinate(part.GetLocalRotation())) {
        Report(problems, part,
               "position (" + Number(part.GetLocalPosition().x) + ", " +
                   Number(part.GetLocalPosition().y) + ") or rotation " +
                   Number(part.GetLocalRotation()) +
                   " is not a usable number; the part gets no body");
        return values;
    }
    values.valid = true;
    values.position.Set(part.GetLocalPosition().x, part.GetLocalPosition().y);
    values.angle = part.GetLocalRotation();
    values.extents.Set(extents.x, box ? extents.y : extents.x);
    values.density = density;
    values.friction = CheckMaterial(part, "friction", part.GetFriction(), problems);
    values.restitution = CheckMaterial(part, "restitution", part.GetRestitution(), problems);
    return values;
}

CHingeValues CheckHingeValues(const CMonsterBodyPart& part, std::vector<std::string>* problems) {
    CHingeValues values;
    if (!part.HasJoint()) return values;
    if (!IsSaneVector(part.GetAnchorPoint())) {
        Report(problems, part, "hinge anchor is not a usable number; the part gets no hinge");
        return values;
    }
    values.valid = true;
    values.anchor.Set(part.GetAnchorPoint().x, part.GetAnchorPoint().y);

    float lower = part.GetLowerLimit();
    float upper = part.GetUpperLimit();
    if (!IsSaneCoordinate(lower) || !IsSaneCoordinate(upper)) {
        if (part.HasLimit())
            Report(problems, part, "hinge limits are not usable numbers; the hinge turns freely");
        lower = upper = 0.0f;
    } else if (lower > upper) {
        if (part.HasLimit())
            Report(problems, part,
                   "lower hinge limit " + Number(lower) + " is above the upper " + Number(upper) +
                       "; they are swapped");
        std::swap(lower, upper);
    }
    values.hasLimit = part.HasLimit() && IsSaneCoordinate(part.GetLowerLimit()) &&
                      IsSaneCoordinate(part.GetUpperLimit());
    values.lowerLimit = lower;
    values.upperLimit = upper;

    float speed = part.GetMotorSpeed();
    float torque = part.GetMotorTorque();
    if (!IsSaneCoordinate(speed)) {
        if (part.HasMotor())
            Report(problems, part, "motor speed " + Number(speed) + " is not usable; 0 is used");
        speed = 0.0f;
    }
    if (!std::isfinite(torque) || torque < 0.0f) {
        if (part.HasMotor())
            Report(problems, part,
                   "motor torque " + Number(torque) + " is not a number of 0 or more; 0 is used");
        torque = 0.0f;
    }
    values.hasMotor = part.HasMotor();
    values.motorSpeed = speed;
    values.motorTorque = torque;
    return values;
}

void RepairGameValues(CMonsterBodyPart& part, std::vector<std::string>* problems) {
    if (!std::isfinite(part.GetHitPoints())) {
        Report(problems, part,
               "hit points " + Number(part.GetHitPoints()) + " are not a number; 1 is used");
        part.SetHitPoints(1.0f);
        part.SetMaxHitPoints(1.0f);
    }
    if (!std::isfinite(part.GetMaxHitPoints())) part.SetMaxHitPoints(part.GetHitPoints());
    if (!std::isfinite(part.GetDamage())) {
        Report(problems, part,
               "damage " + Number(part.GetDamage()) + " is not a number; 1 is used");
        part.SetDamage(1.0f);
    }
    if (!std::isfinite(part.GetArmor())) {
        Report(problems, part, "armour " + Number(part.GetArmor()) + " is not a number; 1 is used");
        part.SetArmor(1.0f);
    }
}

std::vector<std::string> CheckMonster(const CMonster& monster) {
    std::vector<std::string> problems;
    for (int i = 0; i < monster.GetPartCount(); ++i) {
        const CMonsterBodyPart& part = *monster.GetPart(i);
        const CBodyValues body = CheckBodyValues(part, &problems);
        const CHingeValues hinge = CheckHingeValues(part, &problems);
        if (!std::isfinite(part.GetHitPoints()) || !std::isfinite(part.GetDamage()) ||
            !std::isfinite(part.GetArmor()))
            Report(&problems, part, "hit points, damage or armour are not numbers; 1 is used");
        if (!hinge.valid || !body.valid || IsHingedToNothing(part)) continue;
        const CMonsterBodyPart* partner = monster.FindHingePartner(part);
        if (!partner && part.GetConnectedToBody() == part.GetObjectId()) {
            Report(&problems, part, "hinged to itself; the part gets no hinge");
        } else if (!partner) {
            Report(&problems, part,
                   "hinged to part " + std::to_string(part.GetConnectedToBody()) +
                       ", which the monster does not have; the part gets no hinge");
        } else if (!CheckBodyValues(*partner, nullptr).valid) {
            Report(&problems, part,
                   "hinged to part " + std::to_string(partner->GetObjectId()) +
                       ", which has no body; the part gets no hinge");
        }
    }
    bool hasHead = false;
    for (int i = 0; i < monster.GetPartCount(); ++i)
        hasHead = hasHead || monster.GetPart(i)->IsHead();
    if (monster.GetPartCount() > 0 && !hasHead)
        problems.push_back("the monster has no head part; it cannot lose");
    return problems;
}

}  // namespace monsters
