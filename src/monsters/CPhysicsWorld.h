#pragma once

// Physics worlds of the game, on Box2D 2.4.
//
// The rules of the game were written against the older Box2D interface
// (shape definitions attached to a body definition, a world made with a
// bounding box, a ground body, SetCenterPosition). The mapping onto 2.4:
//
//   older interface                        Box2D 2.4, here
//   -------------------------------------  -------------------------------------------------
//   b2World(box, gravity, doSleep)         b2World(gravity), SetAllowSleeping(true). The box
//                                          (-50, -50)-(50, 50) is kept by hand: after every
//                                          step (awake bodies) and when a body is loaded or
//                                          moved, a body whose broad-phase boxes (its shapes
//                                          plus Box2D's small margin) no longer meet the box
//                                          is disabled (SetEnabled(false)), as the old world
//                                          froze it: it stops, keeps no contacts, cannot be
//                                          hit or found by a query, and its joints stop
//                                          acting. A flung part cannot run away with the CPU.
//   the world's ground body                a static body without shapes at the origin, made
//                                          with the world.
//   b2BoxDef, extents                      b2PolygonShape::SetAsBox(extents.x, extents.y):
//                                          extents are half sizes.
//   b2CircleDef, radius                    b2CircleShape, m_radius = extents.x.
//   friction, restitution, density         b2FixtureDef; one fixture per body, centred on it.
//   groupIndex, categoryBits 1, mask ~0    b2Filter (16-bit group index: equal negative
//                                          groups never collide, all others do).
//   density 0: the body does not move      b2_staticBody. (2.4 would make a dynamic body
//                                          without mass fall with a mass of 1.)
//   b2BodyDef position, rotation, damping  b2BodyDef position, angle, linear/angularDamping.
//   body user data = the part              b2BodyUserData::pointer = the part's CPartPhysics.
//   SetCenterPosition(p, r)                SetTransform(p, r): every shape is centred on its
//                                          body, so origin and centre of mass coincide.
//   put to sleep / WakeUp                  SetAwake(false) (which also zeroes velocities,
//                                          force and torque) / SetAwake(true).
//   b2RevoluteJointDef, world anchor       localAnchorA/B = each body's local point of the
//                                          anchor, referenceAngle = 0: the joint angle stays
//                                          body 2 minus body 1 rotation, as limits were
//                                          written for (Initialize would measure from the
//                                          pose at creation). Limits, motor speed, motor
//                                          torque (maxMotorTorque), collideConnected false.
//   b2MouseJointDef 5 Hz, damping 0.7      stiffness and damping from b2LinearStiffness(5,
//                                          0.7, ground, body); maxForce 1000 x mass. As
//                                          before, the target at creation is the grabbed
//                                          point of the body; SetTarget then pulls it.
//   Step(dt, iterations)                   Step(dt, iterations, iterations).
//   Query(aabb, shapes, max) + TestPoint   QueryAABB with a callback stopping after max
//                                          fixtures, then b2Fixture::TestPoint.
//   contact list, manifold count > 0       GetContactList(), manifold pointCount > 0 (2.4
//                                          also lists contacts whose boxes merely overlap).
//   manifold point impulses                b2ManifoldPoint normalImpulse, tangentImpulse.
//   DestroyBody destroys its joints        the same; a b2DestructionListener clears the
//                                          reference of whoever held such a joint.
//
// Box2D must not be changed during a step or a walk of its contact list:
// whatever a walk decides to destroy is collected and destroyed after it.
// Box2D's assertions are live in the packaged library, so every value from a
// file is checked before Box2D sees it (PartChecks.h).

#include <box2d/b2_math.h>

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class b2Body;
class b2Joint;
class b2World;

namespace monsters {

class CMonster;
class CMonsterBodyPart;
class CMonstersGraphicsBridge;

// What the fight and the editor worlds share: the Box2D world with its
// ground body, the monsters (the world owns them; index 0 is the floor), and
// the physics of every part: its body, its hinge and the bridge that draws it.
//
// The part records themselves know nothing of Box2D; the world keeps their
// physics beside them. Change a monster's parts only through its world (a
// part destroyed behind the world's back would leave its body behind).
class CPhysicsWorld {
public:
    static constexpr float TIME_STEP = 0.0167f;  // seconds per step
    static constexpr int ITERATIONS = 10;
    static constexpr float WORLD_BOX_MIN = -50.0f;
    static constexpr float WORLD_BOX_MAX = 50.0f;
    static constexpr int ID_OFFSET_PER_MONSTER = 10;
    // Shapes an area query looks at, at most.
    static constexpr int MAX_QUERY_SHAPES = 10;

    // Destroys every part's physics, the monsters, then the Box2D world.
    virtual ~CPhysicsWorld();
    CPhysicsWorld(const CPhysicsWorld&) = delete;
    CPhysicsWorld& operator=(const CPhysicsWorld&) = delete;

    // One step of the world with what follows it (combat or pins).
    virtual void Step() = 0;

    // --- Monsters ----------------------------------------------------------------
    int GetMonsterCount() const { return static_cast<int>(myMonsters.size()); }
    // Null for an index out of range.
    CMonster* GetMonster(int index) const;
    // -1 when the monster is not in this world.
    int IndexOfMonster(const CMonster* monster) const;
    // The id offset for the next monster read into this world: 10 per monster
    // already here, raised to the next multiple of 10 above every object id in
    // use. A file saved by the editor keeps its raised ids (10, 20, ... 70),
    // which the plain count would hand out again to the next monsters read
    // (the tray's parts), and a hinge would then find the wrong partner.
    int NextIdOffset() const;

    // --- Bodies --------------------------------------------------------------------
    b2World* GetBox2DWorld() const { return myWorld.get(); }
    b2Body* GetGroundBody() const { return myGround; }
    // Null when the part has none (or is not of this world).
    b2Body* GetBody(const CMonsterBodyPart& part) const;
    b2Joint* GetJoint(const CMonsterBodyPart& part) const;
    CMonstersGraphicsBridge* GetGraphicsBridge(const CMonsterBodyPart& part) const;
    // The part a body belongs to; null for the ground body.
    static CMonsterBodyPart* GetPartOfBody(const b2Body* body);
    // Where the part's hinge anchor is in the world: body position + R(body
    // rotation) x anchor; without a body, the part's own position.
    b2Vec2 GetWorldAnchor(const CMonsterBodyPart& part) const;
    // The part this part is hinged to: the first body in the world's body
    // list whose part has the same collision group and the object id the
    // part names. Null when there is none.
    CMonsterBodyPart* FindHingePartner(const CMonsterBodyPart& part) const;
    // The bodies whose shapes contain point (static ones included), each
    // once, looking at up to MAX_QUERY_SHAPES shapes whose boxes meet the box
    // of 0.001 around it.
    std::vector<b2Body*> QueryBodiesAt(const b2Vec2& point) const;

    // --- Moving and sleeping ---------------------------------------------------------
    // Moves the part's body (if any) by offset, keeping its rotation, and the
    // part's local position with it; a disabled body stays where it froze.
    void MovePart(CMonsterBodyPart& part, const b2Vec2& offset);
    // MovePart for every part in list order.
    void MoveMonster(CMonster& monster, const b2Vec2& offset);
    // Copies every body's position and rotation into its part's local
    // position and rotation.
    void CopyBodiesToParts(CMonster& monster);
    void PutToSleep(CMonster& monster);
    void WakeUp(CMonster& monster);
    // Tells every part's bridge where its body is now.
    void PlaceSprites(CMonster& monster);

    // --- Destroying ------------------------------------------------------------------
    // The part's hinge now. Not during a step or a contact walk.
    void DestroyJoint(CMonsterBodyPart& part);
    // Hinge, body and bridge of the part; the part itself stays.
    void DestroyPartPhysics(CMonsterBodyPart& part);
    void DestroyMonsterPhysics(CMonster& monster);

    // What sets the two worlds apart.
    struct CSettings {
        b2Vec2 gravity{0.0f, 0.0f};
        float damping = 0.0f;         // linear and angular
        bool sleepNewBodies = false;  // bodies start asleep
        bool motors = false;          // hinges get their motors
    };

protected:
    explicit CPhysicsWorld(const CSettings& settings);

    // Loading a monster file: a new monster (id offset 10 x the monsters
    // present, collision group group) reads the file; its parts get bodies,
    // moved by position, then hinges (MakeJoint). The monster is not
    // appended. What the checks of PartChecks.h find goes to the log.
    std::unique_ptr<CMonster> ReadMonster(const std::string& fileName, const b2Vec2& position,
                                          int group);
    // The same for a monster already read (the fallback monster of a fight,
    // the monsters of a saved editor state).
    void MakePhysics(CMonster& monster, const b2Vec2& position, int group,
                     const std::string& sourceName);
    CMonster* AppendMonster(std::unique_ptr<CMonster> monster);
    // Destroys every monster with its physics; the world stays.
    void DestroyAllMonsters();

    // The hinge of a part whose bodies exist; the editor adds its pins.
    virtual void MakeJoint(CMonsterBodyPart& part);
    // A revolute joint at the world anchor between body and partner, no
    // limit or motor unless hinge says so; the joint's reference is cleared
    // through *holder when Box2D destroys it with a body. Null when it
    // cannot be made.
    b2Joint* MakeRevoluteJoint(b2Body* body, b2Body* partner, const b2Vec2& anchor, bool limit,
                               float lower, float upper, bool motor, float speed, float torque,
                               b2Joint** holder);
    // The Box2D step, then bodies that left the world box are disabled.
    void StepBodies();
    // Disables the body when it lies wholly outside the world box.
    void KeepInWorldBox(b2Body* body);
    // Called with the joint a part held when its hinge is taken from it
    // without destroying the joint (for destroying it after a contact walk).
    b2Joint* DetachJoint(CMonsterBodyPart& part);

    const CSettings& GetSettings() const { return mySettings; }

private:
    struct CPartPhysics;
    class CDestructionListener;

    CPartPhysics* FindPhysics(const CMonsterBodyPart& part) const;
    CPartPhysics& MakeBody(CMonsterBodyPart& part, std::vector<std::string>* problems);

    CSettings mySettings;
    std::unique_ptr<CDestructionListener> myDestructionListener;
    std::unique_ptr<b2World> myWorld;
    b2Body* myGround = nullptr;
    std::vector<std::unique_ptr<CMonster>> myMonsters;
    std::unordered_map<const CMonsterBodyPart*, std::unique_ptr<CPartPhysics>> myPhysics;
};

}  // namespace monsters
