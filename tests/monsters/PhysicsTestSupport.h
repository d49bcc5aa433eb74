#pragma once

#include <box2d/box2d.h>

#include <sstream>
#include <string>
#include <vector>

#include "TestEnvironment.h"
#include "monsters/IWinOrLoseInterface.h"

namespace monsters_test {

// One "MonsterBodyPart" element, written as the game writes it.
struct CPartXml {
    int id = 0;
    int shape = 1;  // 1 box, 0 circle
    float x = 0.0f;
    float y = 0.0f;
    float rotation = 0.0f;
    float extentX = 0.5f;
    float extentY = 0.5f;
    float density = 1.0f;
    float friction = 0.5f;
    float restitution = 0.0f;
    bool head = false;
    float hitPoints = 1.0f;
    float damage = 1.0f;
    float armor = 1.0f;
    int shopUid = -1;
    // Hinge
    bool joint = false;
    int connectedTo = 0;
    float anchorX = 0.0f;
    float anchorY = 0.0f;
    bool pin = false;
    bool limit = false;
    float lower = 0.0f;
    float upper = 0.0f;
    bool motor = false;
    float speed = 0.0f;
    float torque = 0.0f;
    // Raw text for fields that tests make bad on purpose ("nan").
    std::string extentText;
    std::string densityText;

    std::string ToXml() const {
        std::ostringstream out;
        auto field = [&](const char* name, const std::string& value) {
            out << "<" << name << ">" << value << "</" << name << ">\n";
        };
        auto number = [](float value) {
            std::ostringstream text;
            text << value;
            return text.str();
        };
        out << "<MonsterBodyPart object_id=\"" << id << "\" physics_shape_type=\"" << shape
            << "\" unique_monster_part_id=\"" << shopUid << "\" >\n";
        field("GameHP", number(hitPoints));
        field("GameDamage", number(damage));
        field("GameArmor", number(armor));
        out << "<PhysLocalPosition x=\"" << x << "\" y=\"" << y << "\" ></PhysLocalPosition>\n";
        field("PhysLocalRotation", number(rotation));
        field("IsHeadPart", head ? "1" : "0");
        if (extentText.empty())
            out << "<PhysExtents x=\"" << extentX << "\" y=\"" << extentY << "\" ></PhysExtents>\n";
        else
            out << "<PhysExtents x=\"" << extentText << "\" y=\"" << extentText
                << "\" ></PhysExtents>\n";
        field("PhysFriction", number(friction));
        field("PhysRestitution", number(restitution));
        field("PhysDensity", densityText.empty() ? number(density) : densityText);
        field("GfxFilename", "");
        field("PhysIsMrBigJoint", pin ? "1" : "0");
        field("PhysHasJoint", joint ? "1" : "0");
        out << "<PhysAnchorPoint x=\"" << anchorX << "\" y=\"" << anchorY
            << "\" ></PhysAnchorPoint>\n";
        field("PhysHasLimit", limit ? "1" : "0");
        field("PhysUpperLimit", number(upper));
        field("PhysLowerLimit", number(lower));
        field("PhysMotorSpeed", number(speed));
        field("PhysMotorTorgue", number(torque));
        field("PhysHasMotor", motor ? "1" : "0");
        field("PhysConnectedToBody", std::to_string(connectedTo));
        out << "</MonsterBodyPart>\n";
        return out.str();
    }
};

inline std::string MonsterXml(const std::vector<CPartXml>& parts) {
    std::string text = "<Monster>\n";
    for (const CPartXml& part : parts)
        text += part.ToXml();
    return text + "</Monster>\n";
}

// A static floor, its top at y = 5, 40 m wide.
inline CPartXml FloorPart() {
    CPartXml floor;
    floor.x = 0.0f;
    floor.y = 5.5f;
    floor.extentX = 20.0f;
    floor.extentY = 0.5f;
    floor.density = 0.0f;
    return floor;
}

// A one-part monster with a head: a box of 1 x 1 metres.
inline CPartXml HeadPart(float x = 0.0f, float y = 0.0f) {
    CPartXml head;
    head.x = x;
    head.y = y;
    head.head = true;
    return head;
}

// A game folder in a fresh temporary working directory: temp/floor.xml (the
// floor above) and data/standard_monster.xml (a one-part monster with a
// head at its origin, hit points 7 so that tests can tell it apart).
class CGameFolder : public testing_support::CScopedTempDir {
public:
    CGameFolder() {
        WriteFile("temp/floor.xml", MonsterXml({FloorPart()}));
        CPartXml standard = HeadPart();
        standard.hitPoints = 7.0f;
        WriteFile("data/standard_monster.xml", MonsterXml({standard}));
    }
    // Writes a monster file and returns its name relative to the folder.
    std::string Monster(const std::string& name, const std::vector<CPartXml>& parts) const {
        WriteFile(name, MonsterXml(parts));
        return name;
    }
};

// Counts what a fight world reports.
class CRecordingReceiver : public monsters::IWinOrLoseInterface {
public:
    void Win() override { ++wins; }
    void Lose() override { ++losses; }
    int wins = 0;
    int losses = 0;
};

// Whether any touching contact joins the two bodies.
inline bool Touching(b2World& world, const b2Body* a, const b2Body* b) {
    for (b2Contact* contact = world.GetContactList(); contact; contact = contact->GetNext()) {
        const b2Body* first = contact->GetFixtureA()->GetBody();
        const b2Body* second = contact->GetFixtureB()->GetBody();
        if (contact->IsTouching() && ((first == a && second == b) || (first == b && second == a)))
            return true;
    }
    return false;
}

}  // namespace monsters_test
