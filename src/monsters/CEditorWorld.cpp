#include "monsters/CEditorWorld.h"

#include <box2d/box2d.h>

#include <climits>
#include <fstream>

#include "monsters/CBodyShop.h"
#include "monsters/CDraggableBody.h"
#include "monsters/CDraggingAnObject.h"
#include "monsters/CEditorState.h"
#include "monsters/CMonster.h"
#include "monsters/CMonsterBodyPart.h"
#include "monsters/CPin.h"
#include "monsters/PartChecks.h"
#include "monsters/PlayerFiles.h"
#include "vorn/console/CLog.h"
#include "vorn/utils/xml/Xml.h"

namespace monsters {

namespace {

CPhysicsWorld::CSettings EditorSettings() {
    CPhysicsWorld::CSettings settings;
    settings.gravity.SetZero();
    settings.damping = CEditorWorld::DAMPING;
    settings.sleepNewBodies = true;
    settings.motors = false;
    return settings;
}

int IdOffsetAt(int index) {
    const long long offset = static_cast<long long>(CPhysicsWorld::ID_OFFSET_PER_MONSTER) * index;
    return offset > INT_MAX ? INT_MAX : static_cast<int>(offset);
}

}  // namespace

CEditorWorld::CEditorWorld() : CEditorWorld(FLOOR_FILE) {}

CEditorWorld::CEditorWorld(const std::string& floorFile) : CPhysicsWorld(EditorSettings()) {
    LoadMonster(floorFile, 0.0f, 0.0f, FLOOR_GROUP);
}

CEditorWorld::~CEditorWorld() {
    DestroyPins();
    DestroyAllMonsters();
}

void CEditorWorld::DestroyPins() {
    std::vector<std::unique_ptr<CPin>> pins;
    pins.swap(myPins);
    pins.clear();
}

CPin* CEditorWorld::GetPin(int index) const {
    if (index < 0 || index >= GetPinCount()) return nullptr;
    return myPins[static_cast<size_t>(index)].get();
}

void CEditorWorld::Step() {
    StepBodies();
    for (int i = 0; i < GetMonsterCount(); ++i)
        PlaceSprites(*GetMonster(i));
    for (auto& pin : myPins)
        pin->PlaceSprite();
}

void CEditorWorld::MakeJoint(CMonsterBodyPart& part) {
    if (!part.HasJoint() || !part.IsPinJoint()) {
        CPhysicsWorld::MakeJoint(part);
        return;
    }
    if (!GetBody(part) || !IsSaneCoordinate(part.GetAnchorPoint().x) ||
        !IsSaneCoordinate(part.GetAnchorPoint().y))
        return;
    myPins.push_back(std::make_unique<CPin>(*this, part));
}

CMonster* CEditorWorld::LoadMonster(const std::string& fileName, float x, float y, int group) {
    std::unique_ptr<CMonster> loaded = ReadMonster(fileName, b2Vec2(x, y), group);

    // The split: every shop UID but the first part's becomes a monster of its
    // own, so that each part bought can be dragged as a unit.
    std::vector<std::unique_ptr<CMonster>> split;
    std::vector<int> uids;
    if (loaded->GetPartCount() > 0) {
        const int firstUid = loaded->GetPart(0)->GetShopUid();
        std::vector<CMonsterBodyPart*> parts;
        for (int i = 0; i < loaded->GetPartCount(); ++i)
            parts.push_back(loaded->GetPart(i));
        for (CMonsterBodyPart* part : parts) {
            const int uid = part->GetShopUid();
            if (uid == firstUid) continue;
            size_t index = 0;
            while (index < uids.size() && uids[index] != uid)
                ++index;
            if (index == uids.size()) {
                uids.push_back(uid);
                auto monster = std::make_unique<CMonster>();
                monster->SetCollisionGroup(group);
                monster->SetIdOffset(IdOffsetAt(GetMonsterCount() + 1 + int(index)));
                split.push_back(std::move(monster));
            }
            split[index]->AddPart(loaded->TakePart(part));
        }
    }
    CMonster* result = AppendMonster(std::move(loaded));
    for (auto& monster : split)
        AppendMonster(std::move(monster));
    return result;
}

std::unique_ptr<vorn::CXmlElement> CEditorWorld::MakeStateElement() {
    auto root = std::make_unique<vorn::CXmlElement>("EditorRoot");
    for (int i = 0; i < GetMonsterCount(); ++i) {
        CMonster& monster = *GetMonster(i);
        CopyBodiesToParts(monster);
        root->AddChild(vorn::ObjectToXmlElement(monster, "Monster"));
    }
    return root;
}

bool CEditorWorld::SaveToFile(const std::string& fileName) {
    return vorn::WriteXmlFile(*MakeStateElement(), fileName);
}

bool CEditorWorld::LoadFromFile(const std::string& fileName) {
    std::unique_ptr<vorn::CXmlElement> root = vorn::ParseXmlFile(fileName);
    if (!root) {
        vorn::CLog::GetSingleton()->Printf(
            "[WARNING] CEditorWorld::LoadFromFile() - could not read %s; the editor stays as it "
            "is\n",
            fileName.c_str());
        return false;
    }
    RestoreState(*root);
    return true;
}

void CEditorWorld::RestoreState(vorn::CXmlElement& root) {
    DestroyPins();
    DestroyAllMonsters();
    CEditorState state;
    vorn::ObjectFromXmlElement(&root, state);
    std::vector<std::unique_ptr<CMonster>> monsters = state.TakeMonsters();
    for (size_t i = 0; i < monsters.size(); ++i) {
        CMonster& monster = *monsters[i];
        MakePhysics(monster, b2Vec2(0.0f, 0.0f), i == 0 ? FLOOR_GROUP : MONSTER_GROUP,
                    EDITOR_STATE_FILE);
        AppendMonster(std::move(monsters[i]));
    }
}

void CEditorWorld::AttachPinnedParts() {
    for (auto& pin : myPins) {
        CMonsterBodyPart& pinned = pin->GetPart();
        CMonster* own = pinned.GetMonster();
        if (!own) continue;
        for (b2Body* body : QueryBodiesAt(pin->GetWorldPoint())) {
            CMonsterBodyPart* under = GetPartOfBody(body);
            CMonster* other = under ? under->GetMonster() : nullptr;
            if (!other || other == own) continue;
            pinned.SetConnectedToBody(under->GetObjectId());
            own->MovePartsTo(*other);
            break;
        }
    }
}

bool CEditorWorld::SavePlayerMonster(const std::string& fileName) {
    // 1. The world as it stands; kept in memory too, so that the world can
    // be put back even when the state file cannot be written.
    std::unique_ptr<vorn::CXmlElement> state = MakeStateElement();
    vorn::WriteXmlFile(*state, EDITOR_STATE_FILE);

    // 2. Pins become hinges to the monster under them.
    AttachPinnedParts();

    // 3. The first monster with a head, the head's body at the origin.
    bool saved = false;
    for (int i = 0; i < GetMonsterCount(); ++i) {
        CMonster& monster = *GetMonster(i);
        CMonsterBodyPart* head = monster.FindHeadPart();
        if (!head) continue;
        CopyBodiesToParts(monster);
        const types_vector origin = head->GetLocalPosition();
        for (int p = 0; p < monster.GetPartCount(); ++p) {
            CMonsterBodyPart& part = *monster.GetPart(p);
            part.SetLocalPosition(types_vector(part.GetLocalPosition().x - origin.x,
                                               part.GetLocalPosition().y - origin.y));
        }
        saved = monster.SaveToFile(fileName);
        break;
    }

    // 4. The attachments live only in the saved file.
    RestoreState(*state);
    return saved;
}

b2MouseJoint* CEditorWorld::CreateMouseJoint(b2Body* body, const b2Vec2& target) {
    if (!body || body->GetType() != b2_dynamicBody || !body->IsEnabled() || !target.IsValid())
        return nullptr;
    b2MouseJointDef def;
    def.bodyA = GetGroundBody();
    def.bodyB = body;
    def.target = target;
    def.maxForce = MOUSE_FORCE_PER_KG * body->GetMass();
    b2LinearStiffness(def.stiffness, def.damping, MOUSE_FREQUENCY_HZ, MOUSE_DAMPING_RATIO,
                      def.bodyA, def.bodyB);
    def.collideConnected = false;
    auto* joint = static_cast<b2MouseJoint*>(GetBox2DWorld()->CreateJoint(&def));
    body->SetAwake(true);
    return joint;
}

void CEditorWorld::DestroyMouseJoint(b2MouseJoint* joint) {
    if (joint) GetBox2DWorld()->DestroyJoint(joint);
}

// --- Tray and dragging ----------------------------------------------------------------

void CEditorWorld::FillTray(const CBodyShop& shop) {
    for (const CShopPart& entry : shop.GetParts()) {
        bool built = false;
        for (int i = 0; i < GetMonsterCount() && !built; ++i) {
            const CMonster* monster = GetMonster(i);
            built = monster->GetPartCount() > 0 && monster->GetPart(0)->GetShopUid() == entry.myUid;
        }
        if (built) continue;
        if (!std::ifstream(entry.myFileName)) {
            vorn::CLog::GetSingleton()->Warning()
                << "Editor tray: the shop part file \"" << entry.myFileName << "\" (UID "
                << entry.myUid << ") cannot be read; skipped\n";
            continue;
        }
        CMonster* monster =
            LoadMonster(entry.myFileName, myPlacementCursor.x, myPlacementCursor.y, MONSTER_GROUP);
        monster->SetShopUid(entry.myUid);
        if (monster->FindHeadPart()) {
            // Its pins move along: a pin left at the tray would pull it back.
            std::vector<CPin*> pins;
            for (auto& pin : myPins)
                if (pin->GetPart().GetMonster() == monster && pin->IsPinned())
                    pins.push_back(pin.get());
            for (CPin* pin : pins)
                pin->Unpin();
            MoveMonster(*monster, -myPlacementCursor);
            for (CPin* pin : pins)
                pin->Pin();
            continue;
        }
        myPlacementCursor += myPlacementStep;
        if (myPlacementCursor.x > TRAY_ROW_END_X)
            myPlacementCursor.Set(-10.0f, myPlacementCursor.y + TRAY_ROW_STEP_Y);
    }
}

std::unique_ptr<IDraggableInterface> CEditorWorld::PickDraggable(const b2Vec2& point) {
    if (!point.IsValid()) return nullptr;
    // Pins first: a pin lies on its part, and the pin is what moves a part in.
    for (auto& pin : myPins) {
        if ((pin->GetWorldPoint() - point).LengthSquared() <= PIN_PICK_DISTANCE_SQUARED)
            return std::make_unique<CDraggableBody>(*pin);
    }
    for (b2Body* body : QueryBodiesAt(point)) {
        CMonsterBodyPart* part = GetPartOfBody(body);
        if (!part || body->GetType() != b2_dynamicBody) continue;
        CMonster* monster = part->GetMonster();
        // The built monster moves only by its pin.
        if (!monster || monster->FindHeadPart()) return nullptr;
        WakeUp(*monster);
        return std::make_unique<CDraggingAnObject>(*this, body, point);
    }
    return nullptr;
}

void CEditorWorld::ReleaseDraggable(IDraggableInterface& dragged) {
    dragged.Release();
    b2Body* body = dragged.GetBody();
    if (!body) return;
    CMonsterBodyPart* part = GetPartOfBody(body);
    if (part && part->GetMonster()) PutToSleep(*part->GetMonster());
}

}  // namespace monsters
