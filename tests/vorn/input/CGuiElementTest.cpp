#include <gtest/gtest.h>

#include "vorn/gfx/CSprite.h"
#include "vorn/input/CEventBridge.h"
#include "vorn/input/CGuiElement.h"
#include "vorn/input/CMouse.h"

using namespace vorn;

namespace {

class CGuiElementTest : public ::testing::Test {
protected:
    void SetUp() override { CMouse::DeleteSingleton(); }
    void TearDown() override { CMouse::DeleteSingleton(); }
    void Move(int x, int y) { CEventBridge::GetSingleton()->OnMouseMove(x, y, 0, 0); }
    void Down(int button) { CEventBridge::GetSingleton()->OnMouseButtonDown(button); }
    void Up(int button) { CEventBridge::GetSingleton()->OnMouseButtonUp(button); }
    static CSprite* MakeSprite(const types_rect& rect) {
        auto* sprite = new CSprite;
        sprite->SetRect(rect);
        sprite->SetZ(7);
        return sprite;
    }
};

TEST_F(CGuiElementTest, DraggingKeepsTheGrabbedPointUnderThePointer) {
    k4gui::CGuiElement element(MakeSprite({100, 100, 50, 40}));
    EXPECT_EQ(element.GetRect(), types_rect(100, 100, 50, 40));
    EXPECT_EQ(element.GetZ(), 7);
    EXPECT_EQ(CMouse::GetSingleton()->GetMouseableCount(), 1u);

    Move(110, 120);
    Down(4);  // only the left button drags
    Move(130, 130);
    EXPECT_EQ(element.GetSprite()->GetRect(), types_rect(100, 100, 50, 40));
    Up(4);

    Move(110, 120);
    Down(1);
    EXPECT_TRUE(element.IsDragging());
    Move(400, 500);  // far off the element in one step: still dragged
    EXPECT_EQ(element.GetSprite()->GetRect(), types_rect(390, 480, 50, 40));
    Move(-30, 7);
    Up(1);
    EXPECT_FALSE(element.IsDragging());
    EXPECT_EQ(CMouse::GetSingleton()->GetGlobalCount(), 0u);
    Move(0, 0);
    EXPECT_EQ(element.GetSprite()->GetRect(), types_rect(-40, -13, 50, 40));
}

TEST_F(CGuiElementTest, NotDraggableOrDestroyedWhileDraggedOrEmpty) {
    {
        k4gui::CGuiElement pinned(MakeSprite({0, 0, 10, 10}));
        pinned.SetDraggable(false);
        Move(5, 5);
        Down(1);
        Move(50, 50);
        Up(1);
        EXPECT_EQ(pinned.GetSprite()->GetRect(), types_rect(0, 0, 10, 10));

        auto* dragged = new k4gui::CGuiElement(MakeSprite({20, 0, 10, 10}));
        Move(25, 5);
        Down(1);
        EXPECT_EQ(CMouse::GetSingleton()->GetGlobalCount(), 1u);
        delete dragged;
        EXPECT_EQ(CMouse::GetSingleton()->GetGlobalCount(), 0u);
        EXPECT_EQ(CMouse::GetSingleton()->GetMouseableCount(), 1u);
        Move(90, 90);
        Up(1);
    }
    k4gui::CGuiElement empty(nullptr);
    EXPECT_EQ(empty.GetRect(), types_rect());
    Move(0, 0);
    Down(1);
    EXPECT_FALSE(empty.IsDragging());
}

}  // namespace
