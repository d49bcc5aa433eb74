#pragma once

#include <memory>
#include <string>
#include <vector>

#include "monsters/CPhysicsWorld.h"

class b2MouseJoint;

namespace vorn {
class CXmlElement;
}

namespace monsters {

class CBodyShop;
class CPin;
class IDraggableInterface;

// The world of the monster editor: no gravity, damped bodies that start
// asleep, hinges without motors, and parts marked as pinned held to the world
// by a CPin. Index 0 is the floor ("temp/floor.xml", group -50); every other
// monster is loaded in group -1, so monsters pass through each other and
// only touch the floor.
class CEditorWorld : public CPhysicsWorld {
public:
    static constexpr int FLOOR_GROUP = -50;
    static constexpr int MONSTER_GROUP = -1;
    static constexpr float DAMPING = 0.1f;
    static constexpr float MOUSE_FREQUENCY_HZ = 5.0f;
    static constexpr float MOUSE_DAMPING_RATIO = 0.7f;
    static constexpr float MOUSE_FORCE_PER_KG = 1000.0f;

    // Loads the floor from floorFile (no fallback: a missing floor leaves an
    // empty first monster).
    explicit CEditorWorld(const std::string& floorFile);
    CEditorWorld();
    // Pins first, then the monsters, then Box2D.
    ~CEditorWorld() override;

    // Box2D step, the parts' sprites, then the pins' sprites.
    void Step() override;

    // Loads a monster file at (x, y) in the given group, then splits it by
    // shop UID: parts sharing the first part's UID stay in the loaded
    // monster; every other UID, in order of first occurrence, becomes a
    // monster of its own. All are appended; the loaded one is returned.
    CMonster* LoadMonster(const std::string& fileName, float x, float y, int group = MONSTER_GROUP);

    // The whole world as an "EditorRoot" file, bodies' places copied into
    // the parts first. False when the file could not be written.
    bool SaveToFile(const std::string& fileName);
    // Replaces every monster and pin by those of an "EditorRoot" file (the
    // first is the floor). False, with the world unchanged, when the file
    // gives nothing.
    bool LoadFromFile(const std::string& fileName);

    // Saves the player's monster: writes the world to the editor state file,
    // attaches every pinned part to the monster under its pin, writes the
    // first monster with a head, head body at (0, 0), to fileName, and puts
    // the world back as it was. False (file unchanged) when no monster has a
    // head or the file could not be written.
    bool SavePlayerMonster(const std::string& fileName);

    // --- Pins ------------------------------------------------------------------------
    int GetPinCount() const { return static_cast<int>(myPins.size()); }
    // Null for an index out of range.
    CPin* GetPin(int index) const;

    // --- Dragging --------------------------------------------------------------------
    // A mouse joint pulling body towards target: 5 Hz, damping ratio 0.7,
    // at most 1000 x the body's mass; the body is woken. Null for a body
    // that does not move. The caller destroys it with DestroyMouseJoint
    // before the body goes.
    b2MouseJoint* CreateMouseJoint(b2Body* body, const b2Vec2& target);
    void DestroyMouseJoint(b2MouseJoint* joint);

    // --- Tray placement ----------------------------------------------------------------
    // Where the next loose part of the tray goes; starts at (-10, -7.5).
    b2Vec2 GetPlacementCursor() const { return myPlacementCursor; }
    void SetPlacementCursor(const b2Vec2& cursor) { myPlacementCursor = cursor; }
    // (2, 0): the tray is a row to the right.
    b2Vec2 GetPlacementStep() const { return myPlacementStep; }
    // A row of the tray ends here; the next part starts a row below, so
    // that every loose part stays on the screen.
    static constexpr float TRAY_ROW_END_X = 10.5f;
    static constexpr float TRAY_ROW_STEP_Y = 2.5f;

    // Hangs every part of the shop that no monster of the world starts with
    // (first part's shop UID) in the tray, in shop order. A part file that
    // cannot be read is skipped with a log line. A shop part with a head is
    // moved to the origin, where the player's monster is built.
    void FillTray(const CBodyShop& shop);

    // What a press at the world point grabs: the first pin within
    // sqrt(PIN_PICK_DISTANCE_SQUARED) (its joint is taken away at once), else
    // a loose part under the point (never a part of a monster with a head,
    // never a part that cannot move). Null when nothing is there.
    static constexpr float PIN_PICK_DISTANCE_SQUARED = 0.5f;
    std::unique_ptr<IDraggableInterface> PickDraggable(const b2Vec2& point);
    // The end of a drag: releases it and puts the monster of its body to sleep.
    void ReleaseDraggable(IDraggableInterface& dragged);

protected:
    // Parts marked as pinned get a pin; the others a hinge without motor.
    void MakeJoint(CMonsterBodyPart& part) override;

private:
    friend class CPin;

    // The world as an "EditorRoot" element.
    std::unique_ptr<vorn::CXmlElement> MakeStateElement();
    // Replaces every monster and pin by those of the element.
    void RestoreState(vorn::CXmlElement& root);
    void AttachPinnedParts();
    void DestroyPins();

    b2Vec2 myPlacementCursor{-10.0f, -7.5f};
    b2Vec2 myPlacementStep{2.0f, 0.0f};
    std::vector<std::unique_ptr<CPin>> myPins;
};

}  // namespace monsters
