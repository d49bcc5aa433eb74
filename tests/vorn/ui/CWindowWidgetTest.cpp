#include "UiTestSupport.h"
#include "vorn/input/CursorTypes.h"
#include "vorn/ui/CButtonWidget.h"
#include "vorn/ui/CWindowWidget.h"

using namespace vorn;
using namespace vorn::ui;
using namespace ui_test;

namespace {

class CWindowWidgetTest : public CWidgetTestBase {
protected:
    void SetUp() override {
        CWidgetTestBase::SetUp();
        myWindow = new CWindowWidget(Desktop(), {100, 100, 300, 200}, false, "window", "");
    }
    void Drag(int fromX, int fromY, int toX, int toY) {
        Move(fromX, fromY);
        Press();
        Move(toX, toY, BUTTON_LEFT);
        Release();
    }

    CWindowWidget* myWindow = nullptr;
};

TEST_F(CWindowWidgetTest, ChildrenArePlacedByTheirLayoutTexts) {
    EXPECT_EQ(myWindow->GetTitleBar()->GetRect(), types_rect(102, 102, 296, 20));
    EXPECT_EQ(myWindow->GetMaximizeButton()->GetRect(), types_rect(350, 102, 20, 20));
    EXPECT_EQ(myWindow->GetCloseButton()->GetRect(), types_rect(375, 102, 20, 20));
    EXPECT_EQ(myWindow->GetClientArea()->GetRect(), types_rect(102, 122, 296, 176));
    EXPECT_EQ(myWindow->GetResizeMode(), CWidget::RESIZE_KEEP_OFFSET);
    // The buttons lie over the title bar: they are hit and drawn first.
    EXPECT_EQ(myWindow->HitTest(380, 110), myWindow->GetCloseButton());
    EXPECT_LT(myWindow->GetCloseButton()->GetDepth(), myWindow->GetTitleBar()->GetDepth());
    EXPECT_FALSE(myWindow->GetCloseButton()->IsDraggable());
    EXPECT_FALSE(myWindow->GetMaximizeButton()->IsDoubleClickEnabled());
}

TEST_F(CWindowWidgetTest, DraggingTheTitleBarMovesTheWindowEvenOffTheTitleBar) {
    Move(200, 110);
    Press();
    Move(250, 300, BUTTON_LEFT);
    EXPECT_EQ(myWindow->GetRect(), types_rect(150, 290, 300, 200));
    Move(260, 330, BUTTON_LEFT);  // now over the client area, far below the title bar
    EXPECT_EQ(myWindow->GetRect(), types_rect(160, 320, 300, 200));
    EXPECT_EQ(myWindow->GetClientArea()->GetRect(), types_rect(162, 342, 296, 176));
    Move(2000, 2000, BUTTON_LEFT);  // the desktop keeps it inside
    EXPECT_EQ(myWindow->GetRect(), types_rect(500, 400, 300, 200));
    Release();
    Move(10, 10);
    EXPECT_EQ(myWindow->GetRect(), types_rect(500, 400, 300, 200));
}

TEST_F(CWindowWidgetTest, MaximizeFillsTheDesktopAndRestoreBringsTheRectangleBack) {
    Click(355, 107);
    EXPECT_TRUE(myWindow->IsMaximized());
    EXPECT_EQ(myWindow->GetRect(), types_rect(0, 0, 800, 600));
    EXPECT_EQ(myWindow->GetCloseButton()->GetRect(), types_rect(775, 2, 20, 20));
    EXPECT_FALSE(myWindow->IsResizable());
    EXPECT_EQ(myWindow->GetResizeMode(), CWidget::RESIZE_SCALE);
    // A maximized window follows the desktop.
    Desktop()->Resize(1000, 750);
    EXPECT_EQ(myWindow->GetRect(), types_rect(0, 0, 1000, 750));
    EXPECT_EQ(myWindow->GetCloseButton()->GetRect(), types_rect(975, 2, 20, 20));
    Click(955, 7);
    EXPECT_FALSE(myWindow->IsMaximized());
    EXPECT_EQ(myWindow->GetRect(), types_rect(100, 100, 300, 200));
    EXPECT_EQ(myWindow->GetClientArea()->GetRect(), types_rect(102, 122, 296, 176));
    EXPECT_TRUE(myWindow->IsResizable());

    // A double-click on the title bar does the same; a window that was not
    // resizable stays so after restoring.
    myWindow->SetResizable(false);
    Click(200, 110);
    myTime->now += 100;
    Click(200, 110);
    EXPECT_TRUE(myWindow->IsMaximized());
    myWindow->ToggleMaximize();
    EXPECT_EQ(myWindow->GetRect(), types_rect(100, 100, 300, 200));
    EXPECT_FALSE(myWindow->IsResizable());
}

TEST_F(CWindowWidgetTest, BordersResizeNoSmallerThanTheMinimumAndNoFurtherThanTheDesktop) {
    EXPECT_EQ(CWindowWidget::GetEdgesAt(myWindow->GetRect(), 398, 298),
              CWindowWidget::EDGE_RIGHT | CWindowWidget::EDGE_BOTTOM);
    EXPECT_EQ(CWindowWidget::GetEdgesAt(myWindow->GetRect(), 101, 150), CWindowWidget::EDGE_LEFT);
    EXPECT_EQ(CWindowWidget::GetEdgesAt(myWindow->GetRect(), 103, 150), 0);
    EXPECT_EQ(CWindowWidget::GetEdgesAt(myWindow->GetRect(), 119, 101),
              CWindowWidget::EDGE_LEFT | CWindowWidget::EDGE_TOP);
    EXPECT_EQ(CWindowWidget::GetEdgesAt(myWindow->GetRect(), 400, 150), 0) << "outside";

    // From the bottom-right corner, far up and left: the minimum stops it.
    Move(398, 298);
    Press();
    EXPECT_TRUE(myWindow->IsResizing());
    Move(150, 120, BUTTON_LEFT);
    EXPECT_EQ(myWindow->GetRect(), types_rect(100, 100, 100, 50));
    EXPECT_EQ(myWindow->GetCloseButton()->GetRect(), types_rect(175, 102, 20, 20));
    // Back out past the desktop's corner: the edges stop there, the window stays.
    Move(900, 700, BUTTON_LEFT);
    EXPECT_EQ(myWindow->GetRect(), types_rect(100, 100, 700, 500));
    Release();
    EXPECT_FALSE(myWindow->IsResizing());
    EXPECT_FALSE(CWidget::IsMouseCaptured(myWindow));

    // The left edge moves while the right one stays; the minimum moves the
    // left edge back.
    Drag(100, 300, 40, 300);
    EXPECT_EQ(myWindow->GetRect(), types_rect(40, 100, 760, 500));
    Drag(40, 300, 790, 300);
    EXPECT_EQ(myWindow->GetRect(), types_rect(700, 100, 100, 500));
    // Top edge.
    Drag(750, 100, 750, 580);
    EXPECT_EQ(myWindow->GetRect(), types_rect(700, 550, 100, 50));

    // Not resizable: a press on the border does nothing.
    myWindow->SetResizable(false);
    Drag(799, 575, 500, 575);
    EXPECT_EQ(myWindow->GetRect(), types_rect(700, 550, 100, 50));
}

TEST_F(CWindowWidgetTest, TheCursorShowsTheBorderUnderThePointer) {
    Move(399, 200);  // right edge
    Move(250, 299);  // bottom edge
    Move(250, 250);  // the client area: the window is left
    Move(100, 100);  // top-left corner
    Move(399, 101);  // top-right corner
    Move(600, 500);  // off the window
    EXPECT_EQ(myMouse.shapes,
              (std::vector<int>{CURSOR_RESIZE_HORIZONTAL, CURSOR_RESIZE_VERTICAL, CURSOR_ARROW,
                                CURSOR_RESIZE_DIAGONAL1, CURSOR_RESIZE_DIAGONAL2, CURSOR_ARROW}));
    EXPECT_EQ(
        CWindowWidget::GetCursorForEdges(CWindowWidget::EDGE_RIGHT | CWindowWidget::EDGE_BOTTOM),
        CURSOR_RESIZE_DIAGONAL1);
    EXPECT_EQ(
        CWindowWidget::GetCursorForEdges(CWindowWidget::EDGE_LEFT | CWindowWidget::EDGE_BOTTOM),
        CURSOR_RESIZE_DIAGONAL2);
    EXPECT_EQ(CWindowWidget::GetCursorForEdges(0), CURSOR_ARROW);
}

TEST_F(CWindowWidgetTest, CloseOnlyRequestsAndAPressBringsTheWindowToTheFront) {
    auto* other = new CWindowWidget(Desktop(), {150, 150, 300, 200}, false, "other", "");
    EXPECT_EQ(Desktop()->GetChildren().front(), other);
    EXPECT_LT(other->GetDepth(), myWindow->GetDepth());
    Click(120, 250);  // the first window's client area, where the other does not reach
    EXPECT_EQ(Desktop()->GetChildren().front(), myWindow);
    EXPECT_LT(myWindow->GetDepth(), other->GetDepth() - other->GetDepthSpan() + 1);

    Click(380, 107);
    EXPECT_TRUE(myWindow->IsCloseRequested());
    EXPECT_FALSE(other->IsCloseRequested());
    EXPECT_EQ(Desktop()->GetChildren().size(), 2u) << "the owner closes it";
}

}  // namespace
