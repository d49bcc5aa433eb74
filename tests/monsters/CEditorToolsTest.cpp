// The editor's tray, picking and dragging, on a real editor world.
#include <gtest/gtest.h>

#include <box2d/box2d.h>

#include <cmath>

#include "MonstersTestSupport.h"
#include "PhysicsTestSupport.h"
#include "monsters/CBodyShop.h"
#include "monsters/CCamera.h"
#include "monsters/CDraggableBody.h"
#include "monsters/CDraggingAnObject.h"
#include "monsters/CEditorWorld.h"
#include "monsters/CMonster.h"
#include "monsters/CMonsterBodyPart.h"
#include "monsters/CPin.h"

using monsters::CBodyShop;
using monsters::CDraggableBody;
using monsters::CDraggingAnObject;
using monsters::CEditorWorld;
using monsters::CMonster;
using monsters_test::CGameFolder;
using monsters_test::CPartXml;

namespace {

// A loose bar of 1 x 0.2 m hanging on a pin at its left end.
CPartXml Bar(float x, float y) {
    CPartXml part;
    part.x = x;
    part.y = y;
    part.extentX = 0.5f;
    part.extentY = 0.1f;
    part.joint = true;
    part.pin = true;
    part.anchorX = -0.5f;
    return part;
}

b2Body* BodyOf(const CEditorWorld& world, int monster) {
    return world.GetBody(*world.GetMonster(monster)->GetPart(0));
}

void ScreenOf(float x, float y, int& sx, int& sy) {
    monsters::CCamera::GetSingleton()->WorldToScreen(x, y, sx, sy);
}

}  // namespace

TEST(CEditorToolsTest, PinsArePickedWithinSevenTenthsAndTheBuiltMonsterNeverByItsBody) {
    CGameFolder folder;
    CEditorWorld world;
    world.LoadMonster(folder.Monster("built.xml", {monsters_test::HeadPart(0.0f, 0.0f)}), 0, 0);
    world.LoadMonster(folder.Monster("bar.xml", {Bar(5.0f, 0.0f)}), 0, 0);
    ASSERT_EQ(world.GetPinCount(), 1);
    const b2Vec2 pin = world.GetPin(0)->GetWorldPoint();
    EXPECT_NEAR(pin.x, 4.5f, 1e-4f);

    // Left of the pin, off the bar: only the pin's reach counts.
    EXPECT_EQ(world.PickDraggable(pin + b2Vec2(-0.71f, 0.0f)), nullptr);
    auto picked = world.PickDraggable(pin + b2Vec2(-0.7f, 0.0f));
    ASSERT_NE(picked, nullptr);
    EXPECT_NE(dynamic_cast<CDraggableBody*>(picked.get()), nullptr);
    EXPECT_FALSE(world.GetPin(0)->IsPinned()) << "a picked pin lets go of its part at once";
    world.ReleaseDraggable(*picked);
    EXPECT_TRUE(world.GetPin(0)->IsPinned());

    // The monster with the head: a press on its body picks nothing.
    EXPECT_EQ(world.PickDraggable(b2Vec2(0.2f, 0.2f)), nullptr);
    // The floor does not move, and empty space holds nothing.
    EXPECT_EQ(world.PickDraggable(b2Vec2(0.0f, 5.5f)), nullptr);
    EXPECT_EQ(world.PickDraggable(b2Vec2(-8.0f, -3.0f)), nullptr);
    // The loose bar's far end is out of the pin's reach: the bar itself.
    auto bar = world.PickDraggable(b2Vec2(5.4f, 0.0f));
    ASSERT_NE(bar, nullptr);
    EXPECT_NE(dynamic_cast<CDraggingAnObject*>(bar.get()), nullptr);
    EXPECT_EQ(bar->GetBody(), BodyOf(world, 2));
}

TEST(CEditorToolsTest, ADraggedBarSwingsAroundItsPinAndSleepsAfterTheRelease) {
    CGameFolder folder;
    CEditorWorld world;
    world.LoadMonster(folder.Monster("bar.xml", {Bar(0.0f, 0.0f)}), 0, 0);
    b2Body* body = BodyOf(world, 1);
    const b2Vec2 pin = world.GetPin(0)->GetWorldPoint();

    auto dragged = world.PickDraggable(b2Vec2(0.4f, 0.0f));
    ASSERT_NE(dragged, nullptr);
    int x = 0, y = 0;
    dragged->GetScreenPosition(x, y);
    int expectedX = 0, expectedY = 0;
    ScreenOf(0.4f, 0.0f, expectedX, expectedY);
    EXPECT_EQ(x, expectedX);
    EXPECT_EQ(y, expectedY);
    // Pull straight down, below the pin: the bar turns to hang downwards.
    int downX = 0, downY = 0;
    ScreenOf(pin.x, pin.y + 3.0f, downX, downY);
    dragged->DragTo(downX, downY);
    for (int i = 0; i < 240; ++i)
        world.Step();
    EXPECT_NEAR(body->GetAngle(), b2_pi / 2, 0.15f) << "the bar swung around its pin";
    const b2Vec2 anchor = world.GetWorldAnchor(*world.GetMonster(1)->GetPart(0));
    EXPECT_LT((anchor - pin).Length(), 0.05f) << "the pin held the bar's end";

    world.ReleaseDraggable(*dragged);
    dragged.reset();
    EXPECT_FALSE(body->IsAwake());
    EXPECT_EQ(body->GetLinearVelocity().LengthSquared(), 0.0f);
    const float angle = body->GetAngle();
    for (int i = 0; i < 30; ++i)
        world.Step();
    EXPECT_EQ(body->GetAngle(), angle) << "a released part stops at once";
}

TEST(CEditorToolsTest, DraggingAPinCarriesTheWholeMonsterAndPinsItWhereItIsDropped) {
    CGameFolder folder;
    CEditorWorld world;
    CPartXml second = Bar(1.0f, 0.0f);
    second.id = 1;
    second.pin = false;
    second.connectedTo = 0;
    second.anchorX = -0.5f;
    world.LoadMonster(folder.Monster("pair.xml", {Bar(0.0f, 0.0f), second}), 0, 0);
    ASSERT_EQ(world.GetMonster(1)->GetPartCount(), 2);
    const b2Vec2 pin = world.GetPin(0)->GetWorldPoint();
    auto dragged = world.PickDraggable(pin);
    ASSERT_NE(dynamic_cast<CDraggableBody*>(dragged.get()), nullptr);
    EXPECT_EQ(dragged->GetBody(), nullptr);
    int x = 0, y = 0;
    ScreenOf(3.0f, -2.0f, x, y);
    dragged->DragTo(x, y);
    // Within a pixel (1/32 m) of the pointer.
    EXPECT_NEAR(BodyOf(world, 1)->GetPosition().x, 3.0f, 0.04f);
    EXPECT_NEAR(BodyOf(world, 1)->GetPosition().y, -2.0f, 0.04f);
    const b2Body* other = world.GetBody(*world.GetMonster(1)->GetPart(1));
    EXPECT_NEAR(other->GetPosition().x - BodyOf(world, 1)->GetPosition().x, 1.0f, 1e-4f)
        << "the hinged part came along";
    world.ReleaseDraggable(*dragged);
    EXPECT_TRUE(world.GetPin(0)->IsPinned());
    EXPECT_NEAR(world.GetPin(0)->GetWorldPoint().x, 2.5f, 0.04f);
}

TEST(CEditorToolsTest, TheTrayHoldsEveryShopPartNotBuiltInInShopOrder) {
    CGameFolder folder;
    monsters_test::CLogCapture log;
    CPartXml head = monsters_test::HeadPart();
    head.shopUid = 1;
    folder.Monster("player.xml", {head});
    folder.Monster("wheel.xml", {Bar(0.0f, 0.0f)});
    folder.Monster("spike.xml", {Bar(0.0f, 0.0f)});
    CPartXml shopHead = monsters_test::HeadPart();
    shopHead.joint = true;
    shopHead.pin = true;
    folder.Monster("head.xml", {shopHead});
    CBodyShop shop;
    shop.AddPart("head.xml");     // UID 1: built into the player's monster
    shop.AddPart("wheel.xml");    // 2
    shop.AddPart("missing.xml");  // 3
    shop.AddPart("spike.xml");    // 4

    CEditorWorld world;
    world.LoadMonster("player.xml", 0, 0);
    world.FillTray(shop);
    ASSERT_EQ(world.GetMonsterCount(), 4) << "floor, player, wheel, spike";
    EXPECT_EQ(world.GetMonster(2)->GetPart(0)->GetShopUid(), 2);
    EXPECT_EQ(world.GetMonster(3)->GetPart(0)->GetShopUid(), 4);
    EXPECT_NEAR(BodyOf(world, 2)->GetPosition().x, -10.0f, 1e-4f);
    EXPECT_NEAR(BodyOf(world, 2)->GetPosition().y, -7.5f, 1e-4f);
    EXPECT_NEAR(BodyOf(world, 3)->GetPosition().x, -8.0f, 1e-4f)
        << "the missing part took no place";
    EXPECT_EQ(log.Count("missing.xml"), 1);

    // A new player: the shop's head part stands at the origin.
    CEditorWorld fresh;
    fresh.SetPlacementCursor(b2Vec2(-4.0f, -7.5f));
    fresh.FillTray(shop);
    ASSERT_EQ(fresh.GetMonsterCount(), 4);
    EXPECT_NEAR(BodyOf(fresh, 1)->GetPosition().x, 0.0f, 1e-4f);
    EXPECT_NEAR(BodyOf(fresh, 1)->GetPosition().y, 0.0f, 1e-4f);
    EXPECT_NEAR(BodyOf(fresh, 2)->GetPosition().x, -4.0f, 1e-4f) << "the head took no tray place";
    // Its pin came along: woken and stepped, the head stays at the origin.
    fresh.WakeUp(*fresh.GetMonster(1));
    for (int i = 0; i < 60; ++i)
        fresh.Step();
    EXPECT_LT(BodyOf(fresh, 1)->GetPosition().Length(), 0.01f);
}

TEST(CEditorToolsTest, ALongTrayWrapsToASecondRowInsideTheScreen) {
    CGameFolder folder;
    folder.Monster("bar.xml", {Bar(0.0f, 0.0f)});
    CBodyShop shop;
    for (int i = 0; i < 14; ++i)
        shop.AddPart("bar.xml");
    CEditorWorld world;
    world.FillTray(shop);
    ASSERT_EQ(world.GetMonsterCount(), 15);
    for (int i = 1; i < world.GetMonsterCount(); ++i) {
        const b2Vec2 at = BodyOf(world, i)->GetPosition();
        EXPECT_LE(std::fabs(at.x), 12.0f) << "part " << i << " is off the screen";
    }
    EXPECT_NEAR(BodyOf(world, 12)->GetPosition().x, -10.0f, 1e-4f);
    EXPECT_NEAR(BodyOf(world, 12)->GetPosition().y, -5.0f, 1e-4f);
}
