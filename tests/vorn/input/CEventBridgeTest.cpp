#include <gtest/gtest.h>

#include "vorn/input/CEventBridge.h"
#include "vorn/input/IKeyboardListener.h"
#include "vorn/input/IMouseListener.h"
#include "vorn/input/IWindowListener.h"

using namespace vorn;

namespace {

std::vector<std::string> calls;

struct CWindow : IWindowListener {
    std::string name;
    explicit CWindow(std::string n) : name(std::move(n)) {
        CEventBridge::GetSingleton()->AddWindowListener(this);
    }
    void OnResize(int w, int h) override {
        calls.push_back(name + ":resize " + std::to_string(w) + "x" + std::to_string(h));
    }
    void OnFocus(bool gained) override { calls.push_back(name + (gained ? ":gained" : ":lost")); }
};

struct CKeys : IKeyboardListener {
    CKeys() { CEventBridge::GetSingleton()->AddKeyboardListener(this); }
    void OnKeyDown(int key) override {
        calls.push_back("down " + std::to_string(key) + " char " + std::to_string(GetCharacter()));
    }
    void OnKeyUp(int key) override { calls.push_back("up " + std::to_string(key)); }
};

struct CMouse : IMouseListener {
    bool leaveOnRelease = false;
    int releases = 0;
    CMouse() { CEventBridge::GetSingleton()->AddMouseListener(this); }
    void OnMouseMove(int x, int y) override {
        calls.push_back("move " + std::to_string(x) + "," + std::to_string(y));
    }
    void OnMouseMoveRelative(int dx, int dy) override {
        calls.push_back("rel " + std::to_string(dx) + "," + std::to_string(dy));
    }
    void OnMouseButtonDown(int) override {}
    void OnMouseButtonUp(int) override {
        ++releases;
        if (leaveOnRelease) CEventBridge::GetSingleton()->RemoveMouseListener(this);
    }
};

TEST(CEventBridgeTest, ResizeReachesHandlersInOrderAndDestructorsUnregister) {
    calls.clear();
    CEventBridge* bridge = CEventBridge::GetSingleton();
    CRect<int32_t> rect(5, 5, 0, 0);
    {
        CWindow first("first");
        bridge->AddResizeHandler(&rect);
        CWindow second("second");
        bridge->OnResize(800, 600);
        EXPECT_EQ(calls,
                  (std::vector<std::string>{"first:resize 800x600", "second:resize 800x600"}));
        EXPECT_EQ(rect, CRect<int32_t>(5, 5, 800, 600));
        EXPECT_EQ(bridge->GetLastWidth(), 800);
        EXPECT_EQ(bridge->GetLastHeight(), 600);
    }
    calls.clear();
    bridge->OnResize(640, 480);
    bridge->OnFocus(false);
    EXPECT_TRUE(calls.empty()) << "destroyed listeners lost both their entries";
    bridge->RemoveResizeHandler(&rect);
    bridge->RemoveResizeHandler(&rect);  // removing twice does nothing
}

TEST(CEventBridgeTest, KeysCarryTheirCharacterAndMotionComesAbsoluteFirst) {
    calls.clear();
    CKeys keys;
    CMouse mouse;
    CEventBridge::GetSingleton()->OnKeyDown(97, 'a');
    CEventBridge::GetSingleton()->OnKeyUp(97, 'a');
    CEventBridge::GetSingleton()->OnMouseMove(10, 20, 1, -2);
    EXPECT_EQ(calls,
              (std::vector<std::string>{"down 97 char 97", "up 97", "move 10,20", "rel 1,-2"}));
}

TEST(CEventBridgeTest, ListenersMayLeaveDuringButtonRelease) {
    CMouse a, b, c;
    a.leaveOnRelease = b.leaveOnRelease = c.leaveOnRelease = true;
    CEventBridge::GetSingleton()->OnMouseButtonUp(1);
    EXPECT_EQ(a.releases + b.releases + c.releases, 3);
    CEventBridge::GetSingleton()->OnMouseButtonUp(1);
    EXPECT_EQ(a.releases + b.releases + c.releases, 3);
}

}  // namespace
