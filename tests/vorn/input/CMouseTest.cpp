#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>
#include <vector>

#include "vorn/input/CEventBridge.h"
#include "vorn/input/CMouse.h"
#include "vorn/input/IMouseable.h"

using namespace vorn;

namespace {

std::vector<std::string> seen;

// A receiver that notes its events as "<name> <event> <values>".
class CProbe : public CMouseableImpl {
public:
    CProbe(std::string name, types_rect rect, bool blocking)
        : myName(std::move(name)), myRect(rect), myBlocking(blocking) {}

    void OnMouseMove(int x, int y) override { Note("move", x, y); }
    void OnMouseMoveRelative(int dx, int dy) override { Note("rel", dx, dy); }
    void OnMouseOut(int x, int y) override { Note("out", x, y); }
    void OnMouseButtonDown(int button) override {
        Note("down", button);
        if (onDown) onDown();
    }
    void OnMouseButtonUp(int button) override {
        Note("up", button);
        if (onUp) onUp();
    }
    bool IsBlocking() const override { return myBlocking; }
    types_rect GetRect() const override { return myRect; }

    std::function<void()> onDown;
    std::function<void()> onUp;

private:
    void Note(const char* what, int a, int b) {
        seen.push_back(myName + " " + what + " " + std::to_string(a) + "," + std::to_string(b));
    }
    void Note(const char* what, int button) {
        seen.push_back(myName + " " + what + " " + std::to_string(button));
    }

    std::string myName;
    types_rect myRect;
    bool myBlocking;
};

using Seen = std::vector<std::string>;

class CMouseTest : public ::testing::Test {
protected:
    void SetUp() override {
        CMouse::DeleteSingleton();
        seen.clear();
    }
    void TearDown() override { CMouse::DeleteSingleton(); }
    CMouse* Mouse() { return CMouse::GetSingleton(); }
    // Events come in through the bridge, as from the event task.
    void Move(int x, int y) { CEventBridge::GetSingleton()->OnMouseMove(x, y, 0, 0); }
    void Down(int button) { CEventBridge::GetSingleton()->OnMouseButtonDown(button); }
    void Up(int button) { CEventBridge::GetSingleton()->OnMouseButtonUp(button); }
    Seen Take() {
        Seen result;
        result.swap(seen);
        return result;
    }
};

TEST_F(CMouseTest, BlockingReceiverHidesTheOnesBehindIt) {
    CProbe front("front", {0, 0, 100, 100}, true);
    CProbe back("back", {50, 50, 100, 100}, false);
    Mouse()->AddMouseable(&front);
    Mouse()->AddMouseable(&back);
    Move(60, 60);
    Down(1);
    Up(1);
    EXPECT_EQ(Take(), (Seen{"front move 60,60", "front down 1", "front up 1"}));

    Move(120, 120);  // only back is here
    Down(4);
    Up(4);
    EXPECT_EQ(Take(), (Seen{"back move 120,120", "front out 120,120", "back down 4", "back up 4"}));
}

TEST_F(CMouseTest, NonBlockingReceiversAllGetEventsInInsertionOrder) {
    CProbe first("first", {0, 0, 100, 100}, false);
    CProbe second("second", {0, 0, 100, 100}, false);
    CProbe global("global", {500, 500, 1, 1}, false);
    Mouse()->AddMouseable(&first);
    Mouse()->AddMouseable(&second);
    Mouse()->AddMouseable(&first);  // already there: no second entry
    Mouse()->AddGlobal(&global);
    CEventBridge::GetSingleton()->OnMouseMove(10, 10, 3, -4);
    Down(2);
    EXPECT_EQ(Take(), (Seen{"global move 10,10", "first move 10,10", "second move 10,10",
                            "global rel 3,-4", "global down 2", "first down 2", "second down 2"}));
    EXPECT_EQ(Mouse()->GetHover(), nullptr) << "no blocking receiver, no hover";
}

TEST_F(CMouseTest, EdgesOfARectangleAndRectanglesNearTheIntLimits) {
    CProbe box("box", {10, 20, 30, 40}, true);
    CProbe far("far", {INT_MAX - 5, INT_MAX - 5, 100, 100}, true);
    CProbe empty("empty", {0, 0, -10, 5}, true);
    Mouse()->AddMouseable(&box);
    Mouse()->AddMouseable(&far);
    Mouse()->AddMouseable(&empty);
    for (auto [x, y] : {std::pair{40, 30}, {10, 60}, {9, 30}, {10, 19}, {-5, 2}})
        Move(x, y);  // right and bottom edges are outside
    Move(10, 20);
    Move(39, 59);
    Move(INT_MAX, INT_MAX);
    Move(INT_MIN, INT_MIN);
    EXPECT_EQ(Take(), (Seen{"box move 10,20", "box move 39,59", "far move 2147483647,2147483647",
                            "box out 2147483647,2147483647", "far out -2147483648,-2147483648"}));
}

TEST_F(CMouseTest, HoverLeavesOnceWhenThePointerGoesToEmptySpace) {
    CProbe a("a", {0, 0, 10, 10}, true);
    Mouse()->AddMouseable(&a);
    Move(5, 5);
    EXPECT_EQ(Mouse()->GetHover(), &a);
    Move(50, 50);
    Move(60, 60);
    EXPECT_EQ(Take(), (Seen{"a move 5,5", "a out 50,50"}));
    EXPECT_EQ(Mouse()->GetHover(), nullptr);
}

TEST_F(CMouseTest, PressedReceiverGetsItsReleaseAfterThePointerLeftAndNoExtraOne) {
    CProbe a("a", {0, 0, 10, 10}, true);
    CProbe b("b", {20, 0, 10, 10}, true);
    Mouse()->AddMouseable(&a);
    Mouse()->AddMouseable(&b);
    Move(5, 5);
    Down(1);
    EXPECT_EQ(Mouse()->GetPressed(1), &a);
    Move(25, 5);
    Up(1);
    EXPECT_EQ(Take(),
              (Seen{"a move 5,5", "a down 1", "b move 25,5", "a out 25,5", "b up 1", "a up 1"}));
    EXPECT_EQ(Mouse()->GetPressed(1), nullptr);

    // A release over a receiver answers its press; a later press and release
    // on empty space reach nobody.
    Move(5, 5);
    Down(1);
    Up(1);
    Move(50, 50);
    Down(1);
    Up(1);
    EXPECT_EQ(Take(), (Seen{"a move 5,5", "b out 5,5", "a down 1", "a up 1", "a out 50,50"}));

    // Buttons are tracked apart: left pressed on a, right pressed on b.
    Move(5, 5);
    Down(1);
    Move(25, 5);
    Down(4);
    Move(50, 50);
    Up(4);
    Up(1);
    EXPECT_EQ(Take(), (Seen{"a move 5,5", "a down 1", "b move 25,5", "a out 25,5", "b down 4",
                            "b out 50,50", "b up 4", "a up 1"}));
}

TEST_F(CMouseTest, ReceiversMayLeaveOrDieInsideTheirHandlers) {
    CProbe closer("closer", {0, 0, 10, 10}, false);
    CProbe under("under", {0, 0, 10, 10}, true);
    auto* doomed = new CProbe("doomed", {0, 0, 0, 0}, false);
    CProbe dragger("dragger", {0, 0, 0, 0}, false);
    CProbe watcher("watcher", {0, 0, 0, 0}, false);
    Mouse()->AddGlobal(&dragger);
    Mouse()->AddGlobal(doomed);
    Mouse()->AddGlobal(&watcher);
    Mouse()->AddMouseable(&closer);
    Mouse()->AddMouseable(&under);

    // A drag that ends in its own release must not rob the others of theirs;
    // a receiver deleted by another is not called.
    dragger.onUp = [&] {
        Mouse()->RemoveGlobal(&dragger);
        delete doomed;
    };
    Move(5, 5);
    Take();
    Up(1);
    EXPECT_EQ(Take(), (Seen{"dragger up 1", "watcher up 1", "closer up 1", "under up 1"}));
    EXPECT_EQ(Mouse()->GetGlobalCount(), 1u);

    // A receiver that removes itself while pressed ends the walk and is not
    // remembered as pressed.
    closer.onDown = [&] { Mouse()->Remove(&closer); };
    Down(1);
    EXPECT_EQ(Take(), (Seen{"watcher down 1", "closer down 1"}));
    EXPECT_EQ(Mouse()->GetPressed(1), nullptr);
    Down(1);
    EXPECT_EQ(Take(), (Seen{"watcher down 1", "under down 1"}));

    // A pressed receiver destroyed before the release gets nothing.
    {
        CProbe shortLived("short", {0, 0, 10, 10}, true);
        Mouse()->Remove(&under);
        Mouse()->AddMouseable(&shortLived);
        Down(2);
        EXPECT_EQ(Mouse()->GetPressed(2), &shortLived);
    }
    EXPECT_EQ(Mouse()->GetPressed(2), nullptr);
    Move(50, 50);
    Up(2);
    EXPECT_EQ(Take(), (Seen{"watcher down 2", "short down 2", "watcher move 50,50",
                            "watcher rel 0,0", "watcher up 2"}));
}

TEST_F(CMouseTest, AnyButtonValueIsHarmless) {
    CProbe a("a", {0, 0, 10, 10}, true);
    Mouse()->AddMouseable(&a);
    Move(1, 1);
    for (int button = -100; button < 100; ++button)
        Down(button);
    for (int button : {INT_MIN, INT_MAX}) {
        Down(button);
        Up(button);
    }
    EXPECT_EQ(Mouse()->GetPressed(-100), &a);
    Move(50, 50);
    Take();
    Up(-100);
    EXPECT_EQ(Take(), Seen{"a up -100"});
}

}  // namespace
