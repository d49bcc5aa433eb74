#include <algorithm>
#include <climits>
#include <functional>
#include <set>

#include "UiTestSupport.h"
#include "vorn/ui/CButtonWidget.h"
#include "vorn/ui/CWidgetFactory.h"
#include "vorn/ui/CWindowWidget.h"
#include "vorn/ui/UiSelfTests.h"

using namespace vorn;
using namespace vorn::ui;
using namespace ui_test;

namespace {

using Lines = std::vector<std::string>;

class CWidgetTest : public CWidgetTestBase {};

// Runs a function when a widget receives a mouse event of a type.
class CTrapWidget : public CWidget {
public:
    CTrapWidget(CWidget* parent, const types_rect& rect, int type, std::function<void()> trap)
        : CWidget(parent, rect, false, "trap", ""), myType(type), myTrap(std::move(trap)) {}
    void OnMouseEvent(CMouseEvent& event) override {
        if (event.type == myType) myTrap();
    }
    void OnFocusEvent(CFocusEvent& event) override {
        if (event.type == myType) myTrap();
    }

private:
    int myType;
    std::function<void()> myTrap;
};

TEST_F(CWidgetTest, LayoutTextsFollowTheParentAndTheWidgetItself) {
    auto* parent = new CWidget(Desktop(), {100, 50, 300, 200}, false, "parent", "");
    auto* child = new CWidget(parent, {}, false, "child", "");
    child->SetLayout("parent.x + parent.w - 25", "parent.y + 2", "20", "20");
    EXPECT_EQ(child->GetRect(), types_rect(375, 52, 20, 20));
    parent->Resize(400, 200);
    EXPECT_EQ(child->GetRect(), types_rect(475, 52, 20, 20));
    // A parent placed by texts of its own takes its children along.
    parent->SetLayout("parent.w - 450", "10", "300", "parent.h / 2");
    EXPECT_EQ(parent->GetRect(), types_rect(350, 10, 300, 300));
    EXPECT_EQ(child->GetRect(), types_rect(625, 12, 20, 20));
    parent->SetLayout("100", "50", "400", "200");
    EXPECT_EQ(child->GetRect(), types_rect(475, 52, 20, 20));

    // "this" reads the values before the texts apply; all four use the same ones.
    child->SetLayout("this.x + this.w", "this.y", "this.w * 2", "this.h + this.w");
    EXPECT_EQ(child->GetRect(), types_rect(495, 52, 40, 40));

    // A negative value stays one number: "0 - -40" must not turn into "0 - - 40".
    auto* left = new CWidget(Desktop(), {}, false, "left", "");
    left->SetLayout("-40", "0", "10", "10");
    auto* inner = new CWidget(left, {}, false, "inner", "");
    inner->SetLayout("0 - parent.x", "parent.x * parent.x", "parent.w - parent.x", "5");
    EXPECT_EQ(inner->GetRect(), types_rect(40, 1600, 50, 5));
}

TEST_F(CWidgetTest, PlainNumbersSetTheRectangleAndDropTheTexts) {
    EXPECT_TRUE(CWidget::IsPlainNumber("-5"));
    EXPECT_TRUE(CWidget::IsPlainNumber(" +7\t"));
    EXPECT_TRUE(CWidget::IsPlainNumber(""));
    EXPECT_TRUE(CWidget::IsPlainNumber("12.5"));
    EXPECT_FALSE(CWidget::IsPlainNumber("5 - 1"));
    EXPECT_FALSE(CWidget::IsPlainNumber("-"));
    EXPECT_FALSE(CWidget::IsPlainNumber("--5"));
    EXPECT_FALSE(CWidget::IsPlainNumber("parent.w"));

    auto* parent = new CWidget(Desktop(), {0, 0, 300, 200}, false, "parent", "");
    auto* child = new CWidget(parent, {}, false, "child", "");
    child->SetLayout("parent.w / 2", "0", "10", "10");
    EXPECT_TRUE(child->HasLayout());
    child->SetLayout("10", "20", "30.9", "-4");
    EXPECT_FALSE(child->HasLayout());
    EXPECT_EQ(child->GetLayout(), (std::array<std::string, 4>{}));
    EXPECT_EQ(child->GetRect(), types_rect(10, 20, 30, 0)) << "cut toward zero; no negative size";
    parent->Resize(600, 200);
    EXPECT_EQ(child->GetRect(), types_rect(20, 20, 60, 0)) << "without texts it scales";
}

TEST_F(CWidgetTest, LayoutTextsThatMakeNoSenseStillGiveAPlace) {
    auto* parent = new CWidget(Desktop(), {10, 10, 300, 200}, false, "parent", "");
    auto* child = new CWidget(parent, {}, false, "child", "");
    child->SetLayout("width + 5", "parent.q + 3", "parent.w / 0", "( ( parent.h - 100");
    EXPECT_EQ(child->GetRect(), types_rect(5, 3, 0, 100));
    child->SetLayout("1 + 2 ) )", "sqrt ( 0 - 4 )", "99999999999999999999", "-99999999999999");
    EXPECT_EQ(child->GetRect(), types_rect(3, 0, CWidget::LAYOUT_LIMIT, 0))
        << "NaN gives 0, huge values are kept within the limit";
    child->SetLayout("", "parent.", "this.", "parent.w parent.h ^^^ )(");
    EXPECT_GE(child->GetRect().w, 0);
    EXPECT_EQ(child->EvaluateLayoutText("this.w + ((("), child->GetRect().w);
}

TEST_F(CWidgetTest, ResizeModesScaleKeepTheCentreOrKeepTheOffset) {
    // Scale: offset and size double with the parent's width.
    auto* parent = new CWidget(Desktop(), {100, 100, 200, 100}, false, "parent", "");
    auto* scaled = new CWidget(parent, {10, 20, 30, 40}, true, "scaled", "");
    parent->Resize(400, 100);
    EXPECT_EQ(scaled->GetRelativeRect(), types_rect(20, 20, 60, 40));

    // Keep the centre: measured inside the parent, not on the screen, so a
    // parent far from the origin does not fling its child away.
    auto* centred = new CWidget(parent, {190, 40, 20, 20}, true, "centred", "");
    centred->SetResizeMode(CWidget::RESIZE_KEEP_CENTER);
    parent->Resize(200, 100);
    EXPECT_EQ(centred->GetRelativeRect(), types_rect(90, 40, 20, 20));

    // Keep the offset: a window stays, and comes back inside a shrinking desktop.
    auto* window = new CWidget(Desktop(), {600, 400, 150, 100}, false, "window", "");
    window->SetResizeMode(CWidget::RESIZE_KEEP_OFFSET);
    Desktop()->Resize(1024, 768);
    EXPECT_EQ(window->GetRect(), types_rect(600, 400, 150, 100));
    Desktop()->Resize(640, 480);
    EXPECT_EQ(window->GetRect(), types_rect(490, 380, 150, 100));

    // A parent without a size cannot be scaled from; nothing blows up.
    auto* empty = new CWidget(Desktop(), {0, 0, 0, 0}, false, "empty", "");
    auto* orphan = new CWidget(empty, {0, 0, 10, 10}, false, "orphan", "");
    empty->Resize(100, 100);
    EXPECT_EQ(orphan->GetRect(), types_rect(0, 0, 10, 10));
}

TEST_F(CWidgetTest, MovingAParentMovesTheWholeSubtreeWithinTheDesktop) {
    auto* window = new CWidget(Desktop(), {100, 100, 200, 150}, false, "window", "");
    auto* panel = new CWidget(window, {10, 10, 50, 50}, true, "panel", "");
    auto* leaf = new CWidget(panel, {5, 5, 10, 10}, true, "leaf", "");
    window->MoveBy(5, 5);
    EXPECT_EQ(panel->GetRect(), types_rect(115, 115, 50, 50));
    EXPECT_EQ(leaf->GetRect(), types_rect(120, 120, 10, 10));
    // The desktop stops the window at its edge; the subtree moves as far.
    window->MoveBy(1000, -1000);
    EXPECT_EQ(window->GetRect(), types_rect(600, 0, 200, 150));
    EXPECT_EQ(leaf->GetRect(), types_rect(615, 15, 10, 10));
    window->SetPosition({-50, 20});
    EXPECT_EQ(leaf->GetRect(), types_rect(15, 35, 10, 10));
    window->MoveBy(INT_MAX, INT_MIN);  // no overflow, still inside
    EXPECT_EQ(window->GetRect(), types_rect(600, 0, 200, 150));
}

TEST_F(CWidgetTest, DepthsDrawTheFrontMostChildInFrontAndNeverOverlap) {
    auto* first = new CWidget(Desktop(), {0, 0, 100, 100}, false, "first", "");
    new CWidget(first, {0, 0, 10, 10}, false, "a", "");
    new CWidget(first, {0, 0, 10, 10}, false, "b", "");
    auto* second = new CWidget(Desktop(), {0, 0, 100, 100}, false, "second", "");
    auto* c = new CWidget(second, {0, 0, 10, 10}, false, "c", "");
    new CWidget(c, {0, 0, 5, 5}, false, "d", "");  // grows second's range afterwards

    auto check = [&] {
        std::set<int> used;
        std::function<void(CWidget*)> walk = [&](CWidget* w) {
            EXPECT_TRUE(used.insert(w->GetDepth()).second) << w->GetName() << " shares a depth";
            for (CWidget* child : w->GetChildren()) {
                EXPECT_LT(child->GetDepth(), w->GetDepth()) << child->GetName();
                walk(child);
            }
            // The subtree lies within [depth - span + 1, depth].
            for (CWidget* child : w->GetChildren())
                EXPECT_GE(child->GetDepth() - child->GetDepthSpan(),
                          w->GetDepth() - w->GetDepthSpan());
        };
        walk(Desktop());
        const auto& top = Desktop()->GetChildren();
        // Everything of the front window is in front of everything of the back one.
        EXPECT_LT(top[0]->GetDepth(), top[1]->GetDepth() - top[1]->GetDepthSpan() + 1);
    };
    EXPECT_EQ(Desktop()->GetChildren().front(), second);
    EXPECT_EQ(Desktop()->GetDepth(), CWidget::DEFAULT_DEPTH);
    EXPECT_EQ(second->GetDepthSpan(), 3);
    check();
    first->BringToFront();
    EXPECT_EQ(Desktop()->GetChildren().front(), first);
    check();

    const int before = c->GetChildren().front()->GetDepth();
    c->SetDepth(c->GetDepth() - 100);
    EXPECT_EQ(c->GetChildren().front()->GetDepth(), before - 100) << "the subtree shifts along";
}

TEST_F(CWidgetTest, HitTestingCountsLeftAndTopEdgesInsideRightAndBottomOutside) {
    auto* widget = new CRecordingWidget(Desktop(), {10, 20, 30, 40}, "w");
    EXPECT_EQ(Desktop()->HitTest(10, 20), widget);
    EXPECT_EQ(Desktop()->HitTest(39, 59), widget);
    EXPECT_EQ(Desktop()->HitTest(40, 20), Desktop());
    EXPECT_EQ(Desktop()->HitTest(10, 60), Desktop());
    EXPECT_EQ(Desktop()->HitTest(-1, 0), nullptr);
    EXPECT_EQ(Desktop()->HitTest(15, 25, widget), Desktop());
    EXPECT_EQ(Desktop()->HitTest(15, 25, Desktop()), nullptr);
}

TEST_F(CWidgetTest, MovingBetweenSiblingsSendsOutThenOverThenTheMove) {
    auto* window = new CRecordingWidget(Desktop(), {100, 100, 300, 200}, "window");
    new CRecordingWidget(window, {110, 110, 50, 50}, "left");
    new CRecordingWidget(window, {160, 110, 50, 50}, "right");
    Move(120, 120);
    Move(130, 130);
    Move(170, 120);
    Move(300, 250);
    Move(5, 5);
    EXPECT_EQ(Seen(), (Lines{"left 3 120,120 b0", "left 1 120,120 b0", "left 1 130,130 b0",
                             "left 2 170,120 b0", "right 3 170,120 b0", "right 1 170,120 b0",
                             "right 2 300,250 b0", "window 3 300,250 b0", "window 1 300,250 b0",
                             "window 2 5,5 b0"}))
        << "the desktop itself has no recorder";
    EXPECT_EQ(CWidget::GetWidgetUnderMouse(), Desktop());
}

TEST_F(CWidgetTest, IgnoredEventsFallThroughToTheWidgetBeneathAndFinallyTheParent) {
    auto* window = new CRecordingWidget(Desktop(), {0, 0, 400, 400}, "window");
    auto* below = new CRecordingWidget(window, {10, 10, 100, 100}, "below");
    auto* above = new CRecordingWidget(window, {50, 50, 100, 100}, "above");
    above->SetEventIgnored(EVENT_MOUSE_BUTTON_DOWN, true);
    Move(60, 60);
    Seen().clear();
    Press();
    EXPECT_EQ(Seen(), (Lines{"above 2 60,60 b1", "below 3 60,60 b1", "below 4 60,60 b1"}));
    below->SetEventIgnored(EVENT_MOUSE_BUTTON_DOWN, true);
    Seen().clear();
    Press();
    EXPECT_EQ(Seen(), (Lines{"below 2 60,60 b1", "window 3 60,60 b1", "window 4 60,60 b1"}));
    // A widget may also refuse the mouse-over and mouse-out notes alone.
    above->SetEventIgnored(EVENT_MOUSE_OVER, true);
    Seen().clear();
    Move(120, 120);
    EXPECT_EQ(Seen(), (Lines{"window 2 120,120 b0", "above 1 120,120 b0"}));
}

TEST_F(CWidgetTest, ClicksMoveTheFocusAndAClickOnNothingTakesItAway) {
    auto* window = new CRecordingWidget(Desktop(), {0, 0, 400, 400}, "window");
    auto* field = new CRecordingWidget(window, {10, 10, 100, 20}, "field", true);
    auto* other = new CRecordingWidget(window, {10, 50, 100, 20}, "other", true);
    auto* label = new CRecordingWidget(field, {12, 12, 20, 10}, "label");

    auto focusNotes = [] {
        Lines notes;
        for (const std::string& line : Seen())
            if (line.size() > 2 &&
                (line.substr(line.size() - 2) == " 8" || line.substr(line.size() - 2) == " 9"))
                notes.push_back(line);
        return notes;
    };
    Click(20, 15);
    EXPECT_EQ(CWidget::GetFocusedWidget(), field);
    Click(20, 55);
    EXPECT_EQ(CWidget::GetFocusedWidget(), other);
    Click(15, 15);  // on the label, which takes no focus: its parent does
    EXPECT_EQ(CWidget::GetFocusedWidget(), field);
    Click(15, 15);    // the holder again: nothing changes
    Click(300, 300);  // on the window, which takes no focus
    EXPECT_EQ(CWidget::GetFocusedWidget(), nullptr);
    EXPECT_EQ(focusNotes(),
              (Lines{"field 8", "field 9", "other 8", "other 9", "field 8", "field 9"}));

    // Only the left button moves the focus.
    Move(20, 15);
    Press(BUTTON_RIGHT);
    EXPECT_EQ(CWidget::GetFocusedWidget(), nullptr);
    EXPECT_TRUE(field->RequestFocus());
    EXPECT_FALSE(label->RequestFocus());
    EXPECT_EQ(CWidget::GetFocusedWidget(), field);
    // Keys go to the focused widget only.
    Seen().clear();
    Key(97, 'a');
    EXPECT_EQ(Seen(), (Lines{"field 6 k97 c97", "field 7 k97 c0"}));
    delete field;
    EXPECT_EQ(CWidget::GetFocusedWidget(), nullptr);
    Key(98, 'b');  // nobody to tell
}

TEST_F(CWidgetTest, CapturedWidgetsGetEveryMouseEventOnceWhereverThePointerIs) {
    auto* dragged = new CRecordingWidget(Desktop(), {0, 0, 50, 50}, "dragged");
    CWidget::AddMouseCapture(dragged);
    CWidget::AddMouseCapture(dragged);  // only once
    EXPECT_EQ(CWidget::GetMouseCaptureList().size(), 1u);
    Move(10, 10);  // under the pointer and captured: the move comes once
    Move(500, 500);
    EXPECT_EQ(Seen(), (Lines{"dragged 1 10,10 b0", "dragged 3 10,10 b0", "dragged 1 500,500 b0",
                             "dragged 2 500,500 b0"}));
    delete dragged;
    EXPECT_TRUE(CWidget::GetMouseCaptureList().empty());
    Move(1, 1);
}

TEST_F(CWidgetTest, WidgetsDestroyedByTheirOwnHandlersStopTheRoutingSafely) {
    // A click that closes the window holding the button.
    auto* window = new CWindowWidget(Desktop(), {100, 100, 300, 200}, false, "w", "");
    auto* button = new CButtonWidget(window->GetClientArea(), {10, 40, 60, 20}, true, "ok", "");
    struct CCloser : CCSSObject<CCloser> {
        CWidget* victim = nullptr;
        void Close() {
            delete victim;
            victim = nullptr;
        }
    } closer;
    closer.victim = window;
    button->GetClickSignal().Connect(&closer, &CCloser::Close);
    Click(120, 170);
    EXPECT_EQ(closer.victim, nullptr);
    EXPECT_TRUE(Desktop()->GetChildren().empty());
    EXPECT_TRUE(CWidget::GetMouseCaptureList().empty());

    // A widget that destroys itself when the pointer leaves it, and one that
    // destroys itself when it is entered.
    CTrapWidget* leaving = nullptr;
    leaving = new CTrapWidget(Desktop(), {0, 0, 10, 10}, EVENT_MOUSE_OUT, [&] { delete leaving; });
    CTrapWidget* entered = nullptr;
    entered =
        new CTrapWidget(Desktop(), {20, 0, 10, 10}, EVENT_MOUSE_OVER, [&] { delete entered; });
    Move(5, 5);
    Move(25, 5);
    EXPECT_TRUE(Desktop()->GetChildren().empty());
    Move(26, 6);

    // A focus taker destroyed by the previous holder's focus-lost handler.
    CTrapWidget* taker = nullptr;
    auto* holder =
        new CTrapWidget(Desktop(), {0, 0, 10, 10}, EVENT_FOCUS_LOST, [&] { delete taker; });
    taker = new CTrapWidget(Desktop(), {20, 0, 10, 10}, -1, [] {});
    for (CWidget* w : {static_cast<CWidget*>(holder), static_cast<CWidget*>(taker)}) {
        w->SetEventIgnored(EVENT_FOCUS_REQUEST, false);
        w->SetEventIgnored(EVENT_FOCUS_LOST, false);
    }
    Click(5, 5);
    EXPECT_EQ(CWidget::GetFocusedWidget(), holder);
    Click(25, 5);
    EXPECT_EQ(CWidget::GetFocusedWidget(), nullptr);
    EXPECT_EQ(Desktop()->GetChildren().size(), 1u);
}

TEST_F(CWidgetTest, TheFactoryMakesWidgetsByClassName) {
    CWidgetFactory* factory = CWidgetFactory::GetSingleton();
    factory->RegisterBuiltinWidgets();
    for (const char* name : {"CWidget", "CButtonWidget", "CModifiedButtonWidget",
                             "CTextInputWidget", "CWindowWidget", "CConsoleWidget"}) {
        std::unique_ptr<CWidget> widget(factory->Create(name));
        ASSERT_NE(widget, nullptr) << name;
        EXPECT_EQ(widget->GetParent(), nullptr);
    }
    EXPECT_NE(dynamic_cast<CWindowWidget*>(
                  std::unique_ptr<CWidget>(factory->Create("CWindowWidget")).get()),
              nullptr);
    EXPECT_EQ(factory->Create("CDesktopWidget"), Desktop());
    EXPECT_EQ(factory->Create("CNoSuchWidget"), nullptr);
    EXPECT_EQ(factory->Create(""), nullptr);
    EXPECT_FALSE(factory->Register<CButtonWidget>("CWidget")) << "the first registration wins";
    EXPECT_FALSE(factory->Register("CNull", nullptr));
}

TEST_F(CWidgetTest, SelfTestPassesAndLeavesTheRunningInterfaceAlone) {
    auto* field = new CRecordingWidget(Desktop(), {0, 0, 50, 50}, "field", true);
    Click(10, 10);
    ASSERT_EQ(CWidget::GetFocusedWidget(), field);
    EXPECT_EQ(selftests::CWidgetTest(), 0);
    EXPECT_EQ(CWidget::GetFocusedWidget(), field);
    EXPECT_EQ(CWidget::GetWidgetUnderMouse(), field);
}

}  // namespace
