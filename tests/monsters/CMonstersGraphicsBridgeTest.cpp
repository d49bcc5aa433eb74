#include "monsters/CMonstersGraphicsBridge.h"

#include <gtest/gtest.h>

#include <box2d/box2d.h>

#include <algorithm>
#include <cmath>

#include "ManualTime.h"
#include "monsters/CGlobalOptions.h"
#include "vorn/gfx/CGfxFactorySDL.h"
#include "vorn/gfx/CSprite.h"
#include "vorn/gfx/Gfx.h"
#include "vorn/physics/CLineList.h"
#include "vorn/utils/timer/CGlobalAppTimer.h"

using monsters::CMonstersGraphicsBridge;
using vorn::physics::CLineList;

namespace {

// A 32 x 16 sprite on a real surface, made by the SDL factory without a window.
class CBridgeTest : public ::testing::Test {
protected:
    void SetUp() override {
        vorn::Gfx::SetFactory(&myFactory);
        // The application clock starts afresh on the manual time.
        vorn::CGlobalAppTimer::DeleteSingleton();
        vorn::CGlobalAppTimer::GetSingleton();
        myBox.SetAsBox(0.5f, 0.25f);
        b2BodyDef def;
        def.position.Set(1.0f, 1.0f);
        myBody = myWorld.CreateBody(&def);
        myBody->CreateFixture(&myBox, 1.0f);
    }
    void TearDown() override {
        monsters::CGlobalOptions::GetSingleton()->SetShowCollisionShapes(false);
        CLineList::GetSingleton()->SetAccepting(false);
        vorn::CGlobalAppTimer::DeleteSingleton();
        vorn::Gfx::SetFactory(nullptr);
    }
    vorn::CSprite* NewSprite() { return new vorn::CSprite(vorn::Gfx::NewBuffer(32, 16)); }

    testing_support::CScopedManualTime myTime{10000};
    vorn::CGfxFactorySDL myFactory;
    b2World myWorld{b2Vec2(0.0f, 0.0f)};
    b2PolygonShape myBox;
    b2Body* myBody = nullptr;
};

}  // namespace

TEST_F(CBridgeTest, TheSpriteIsCentredOnTheBodyAndTurnedWithIt) {
    CMonstersGraphicsBridge bridge(NewSprite(), myBody, 1);
    vorn::CSprite& sprite = *bridge.GetSprite();
    bridge.Update(1.5f, -2.0f, 0.0f, 0.0f, 0.0f);  // pixel (448, 237)
    EXPECT_EQ(sprite.GetX(), 448 - 16);
    EXPECT_EQ(sprite.GetY(), 237 - 8);
    EXPECT_FLOAT_EQ(std::fmod(sprite.GetRotation(), 360.0f), 0.0f);

    bridge.Update(0.0f, 0.0f, 0.5f, 0.0f, 0.0f);
    EXPECT_NEAR(sprite.GetRotation(), 360.0f - 0.5f * 57.29578f, 1e-3f);
    const vorn::types_rect turned = sprite.GetRect();
    EXPECT_NEAR(turned.x + turned.w * 0.5, 400.0, 1.0) << "turned about its centre";
    EXPECT_NEAR(turned.y + turned.h * 0.5, 300.0, 1.0);

    bridge.SetRotate(false);
    bridge.Update(0.0f, 0.0f, 1.5f, 0.0f, 0.0f);
    EXPECT_NEAR(sprite.GetRotation(), 360.0f - 0.5f * 57.29578f, 1e-3f)
        << "without rotation the sprite keeps its angle";
}

TEST_F(CBridgeTest, ABodyThatDoesNotMoveLeavesItsSpriteAlone) {
    CMonstersGraphicsBridge bridge(NewSprite(), myBody, 1);
    vorn::CSprite& sprite = *bridge.GetSprite();
    bridge.Update(0.0f, 1.0f, 1.0f, 0.0f, 0.0f);  // the first update always places it
    EXPECT_NEAR(sprite.GetRect().x + sprite.GetRect().w / 2, 400, 1);
    sprite.MoveTo(7, 9);
    bridge.Update(0.0f, 1.0f, 1.0f, 0.0f, 0.0f);
    EXPECT_EQ(sprite.GetX(), 7);
    EXPECT_EQ(sprite.GetY(), 9);
    bridge.Update(0.0f, 1.0f, 1.0f, 5.0f, 5.0f);  // velocity alone is no move
    EXPECT_EQ(sprite.GetX(), 7);
    bridge.Update(0.0f, 1.0f, 1.0001f, 0.0f, 0.0f);
    EXPECT_NE(sprite.GetX(), 7) << "a turn places the sprite again";
}

TEST_F(CBridgeTest, OutlinesGoToTheLineListAfterHalfASecondWhileTheOptionIsOn) {
    b2CircleShape circle;
    circle.m_radius = 1.0f;
    b2BodyDef def;
    b2Body* round = myWorld.CreateBody(&def);
    round->CreateFixture(&circle, 1.0f);
    CMonstersGraphicsBridge box(NewSprite(), myBody, 1);
    CMonstersGraphicsBridge wheel(NewSprite(), round, 0);
    CLineList& lines = *CLineList::GetSingleton();
    lines.SetAccepting(true);
    monsters::CGlobalOptions::GetSingleton()->SetShowCollisionShapes(true);

    myTime->now += 500;
    box.Update(1.0f, 1.0f, 0.0f, 0.0f, 0.0f);
    EXPECT_TRUE(lines.GetStrips().empty()) << "not before the 501st millisecond";
    myTime->now += 1;
    box.Update(1.0f, 1.0f, 0.0f, 0.0f, 0.0f);
    wheel.Update(0.0f, 0.0f, 0.0f, 0.0f, 0.0f);
    ASSERT_EQ(lines.GetStrips().size(), 2u);
    const CLineList::CStrip& outline = lines.GetStrips()[0];
    ASSERT_EQ(outline.points.size(), 5u) << "four corners, the first repeated";
    EXPECT_EQ(outline.argb, 0xFFFFFFFFu);
    EXPECT_FLOAT_EQ(outline.points[0].x, outline.points[4].x);
    // The box spans x 0.5 .. 1.5 and y 0.75 .. 1.25: pixels 416 .. 448, 324 .. 340.
    float left = 1e9f, right = -1e9f, top = 1e9f, bottom = -1e9f;
    for (const auto& point : outline.points) {
        left = std::min(left, point.x);
        right = std::max(right, point.x);
        top = std::min(top, point.y);
        bottom = std::max(bottom, point.y);
    }
    EXPECT_FLOAT_EQ(left, 416.0f);
    EXPECT_FLOAT_EQ(right, 448.0f);
    EXPECT_FLOAT_EQ(top, 324.0f);
    EXPECT_FLOAT_EQ(bottom, 340.0f);
    const CLineList::CStrip& ring = lines.GetStrips()[1];
    ASSERT_EQ(ring.points.size(), 17u);
    EXPECT_FLOAT_EQ(ring.points[0].x, 432.0f);  // angle 0: (1, 0)
    EXPECT_FLOAT_EQ(ring.points[4].y, 332.0f);  // angle pi/2: (0, 1)

    lines.Clear();
    monsters::CGlobalOptions::GetSingleton()->SetShowCollisionShapes(false);
    box.Update(1.0f, 1.0f, 0.0f, 0.0f, 0.0f);
    EXPECT_TRUE(lines.GetStrips().empty()) << "the option is off";
    monsters::CGlobalOptions::GetSingleton()->SetShowCollisionShapes(true);
    lines.SetAccepting(false);
    box.Update(1.0f, 1.0f, 0.0f, 0.0f, 0.0f);
    EXPECT_TRUE(lines.GetStrips().empty()) << "no back end draws lines";
}
