#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "vorn/input/CEventBridge.h"
#include "vorn/input/CKeyboard.h"
#include "vorn/input/CMultiKeyEvent.h"
#include "vorn/input/KeyNames.h"

using namespace vorn;

namespace {

std::vector<std::string> seen;

// Notes every call as "<name> down <key>" / "<name> up <key>".
class CNoteEvent : public IKeyEvent {
public:
    explicit CNoteEvent(std::string name, bool listensUp = false)
        : myName(std::move(name)), myListensUp(listensUp) {}
    bool Fire(int) override { return true; }
    bool OnKeyDown(int key) override {
        seen.push_back(myName + " down " + std::to_string(key));
        if (onDown) onDown();
        return true;
    }
    bool OnKeyUp(int key) override {
        seen.push_back(myName + " up " + std::to_string(key));
        return true;
    }
    bool ListensKeyUp() const override { return myListensUp; }
    bool StopsPropagation() const override { return stops; }

    bool stops = false;
    std::function<void()> onDown;

private:
    std::string myName;
    bool myListensUp;
};

// A combination that notes when it fires.
class CNoteCombination : public CMultiKeyEvent {
public:
    using CMultiKeyEvent::CMultiKeyEvent;
    bool Fire(int key) override {
        const bool all = CMultiKeyEvent::Fire(key);
        if (all) seen.push_back("combo " + std::to_string(key));
        return all;
    }
};

CSmartPtr<IKeyEvent> Note(const std::string& name, bool listensUp = false) {
    return CSmartPtr<IKeyEvent>(new CNoteEvent(name, listensUp));
}

class CKeyboardTest : public ::testing::Test {
protected:
    void SetUp() override {
        CKeyboard::DeleteSingleton();
        seen.clear();
    }
    void TearDown() override { CKeyboard::DeleteSingleton(); }
    CKeyboard* Keyboard() { return CKeyboard::GetSingleton(); }
    CEventBridge* Bridge() { return CEventBridge::GetSingleton(); }
};

TEST(KeyNamesTest, NamesMapToCodesBothWays) {
    const std::pair<const char*, int> table[] = {
        {"backspace", 8},   {"return", 13},  {"escape", 27},  {"space", 32},
        {"!", 33},          {"\"", 34},      {"&", 38},       {"/", 47},
        {"0", 48},          {"9", 57},       {":", 58},       {"@", 64},
        {"[", 91},          {"\\", 92},      {"_", 95},       {"backquote", 96},
        {"a", 97},          {"z", 122},      {"delete", 127}, {"world_0", 160},
        {"world_95", 255},  {"[0]", 256},    {"[9]", 265},    {"[.]", 266},
        {"[+]", 270},       {"enter", 271},  {"equals", 272}, {"up", 273},
        {"page_down", 281}, {"f1", 282},     {"f15", 296},    {"numlock", 300},
        {"left_ctrl", 306}, {"alt_gr", 313}, {"undo", 322},
    };
    for (const auto& [name, code] : table) {
        EXPECT_EQ(GetKeyCode(name), code) << name;
        EXPECT_EQ(GetKeyName(code), name) << code;
    }
    for (const char* unknown : {"A", "F1", "%", "world_96", "f16", "", " a", "[10]"}) {
        EXPECT_EQ(GetKeyCode(unknown), 0) << '"' << unknown << '"';
        EXPECT_FALSE(IsKeyName(unknown)) << '"' << unknown << '"';
    }
    EXPECT_EQ(GetKeyName(37), "");
    EXPECT_EQ(GetKeyName(-1), "");
    EXPECT_EQ(GetKeyName(KEY_NONE), "");
    EXPECT_EQ(GetKeyName(1 << 30), "");
}

TEST_F(CKeyboardTest, PressesAreQueuedUntilUpdateThenDispatchedBeforeReleases) {
    Keyboard()->Bind(97, Note("a", true), 10);
    Keyboard()->Bind(98, Note("b", true), 10);
    Bridge()->OnKeyDown(97, 'a');
    Bridge()->OnKeyUp(97, 'a');
    Bridge()->OnKeyDown(98, 'b');
    EXPECT_TRUE(seen.empty()) << "nothing runs before the frame's update";
    EXPECT_EQ(Keyboard()->GetLastCharacter(), 'b');
    EXPECT_EQ(Keyboard()->GetQueuedCount(), 3u);
    Keyboard()->Update();
    EXPECT_EQ(seen, (std::vector<std::string>{"a down 97", "b down 98", "a up 97"}));
    EXPECT_FALSE(Keyboard()->IsKeyDown(97));
    EXPECT_TRUE(Keyboard()->IsKeyDown(98));
    seen.clear();
    Keyboard()->Update();
    EXPECT_TRUE(seen.empty()) << "each transition is dispatched once";
}

TEST_F(CKeyboardTest, PrioritiesOrderBindingsAndGlobalListenersGoFirstOnTies) {
    CNoteEvent early("global5");
    CNoteEvent tie("global10");
    CNoteEvent late("global20");
    Keyboard()->AddListener(&late, 20);
    Keyboard()->AddListener(&tie, 10);
    Keyboard()->AddListener(&early, 5);
    Keyboard()->Bind(282, Note("default"), 10);
    Keyboard()->Bind(282, Note("urgent"), 5);
    Keyboard()->Bind(282, Note("second default"), 10);
    Bridge()->OnKeyDown(282, 0);
    Keyboard()->Update();
    EXPECT_EQ(seen, (std::vector<std::string>{"global5 down 282", "urgent down 282",
                                              "global10 down 282", "default down 282",
                                              "second default down 282", "global20 down 282"}));

    // A key without bindings still reaches every global listener.
    seen.clear();
    Bridge()->OnKeyDown(5, 0);
    Keyboard()->Update();
    EXPECT_EQ(seen,
              (std::vector<std::string>{"global5 down 5", "global10 down 5", "global20 down 5"}));
}

TEST_F(CKeyboardTest, AListenerThatStopsPropagationHidesLaterBindings) {
    CNoteEvent guard("guard");
    guard.stops = true;
    Keyboard()->AddListener(&guard, 5);
    Keyboard()->Bind(97, Note("before"), 1);
    Keyboard()->Bind(97, Note("after"), 10);
    Bridge()->OnKeyDown(97, 'a');
    Keyboard()->Update();
    EXPECT_EQ(seen, (std::vector<std::string>{"before down 97", "guard down 97"}));
    EXPECT_TRUE(Keyboard()->IsKeyDown(97)) << "the state changes even when the key is swallowed";

    Keyboard()->RemoveListener(&guard);
    seen.clear();
    Bridge()->OnKeyDown(97, 'a');
    Keyboard()->Update();
    EXPECT_EQ(seen, (std::vector<std::string>{"before down 97", "after down 97"}));
}

TEST_F(CKeyboardTest, CombinationFiresOnlyWhenAllItsKeysAreDown) {
    const int ctrl = GetKeyCode("left_ctrl");
    const int c = GetKeyCode("c");
    // Keys named twice are bound once.
    EXPECT_TRUE(Keyboard()->BindMulti(
        CSmartPtr<IKeyEvent>(new CNoteCombination(std::vector<int>{ctrl, c, c})), 10));
    EXPECT_EQ(Keyboard()->GetBindingCount(c), 1u);
    EXPECT_EQ(Keyboard()->GetBindingCount(ctrl), 1u);

    Bridge()->OnKeyDown(c, 'c');
    Bridge()->OnKeyUp(c, 'c');
    Keyboard()->Update();
    EXPECT_TRUE(seen.empty()) << "c alone";

    Bridge()->OnKeyDown(ctrl, 0);
    Bridge()->OnKeyDown(c, 'c');
    Keyboard()->Update();
    EXPECT_EQ(seen, (std::vector<std::string>{"combo 99"})) << "fires once, on the c press";

    seen.clear();
    Bridge()->OnKeyUp(c, 'c');
    Bridge()->OnKeyUp(ctrl, 0);
    Keyboard()->Update();
    EXPECT_TRUE(seen.empty());
}

TEST_F(CKeyboardTest, KeyCodesOutOfRangeAreRefusedEverywhere) {
    Keyboard();
    for (int key : {-1, KEY_NONE, KEY_COUNT + 5, -2147483647 - 1, 2147483647}) {
        Bridge()->OnKeyDown(key, 0);
        Bridge()->OnKeyUp(key, 0);
        EXPECT_FALSE(Keyboard()->IsKeyDown(key));
        EXPECT_FALSE(Keyboard()->Bind(key, Note("x"), 10)) << key;
        EXPECT_FALSE(Keyboard()->BindMulti(
            CSmartPtr<IKeyEvent>(new CNoteCombination(std::vector<int>{97, key})), 10))
            << key;
    }
    EXPECT_EQ(Keyboard()->GetQueuedCount(), 0u);
    EXPECT_FALSE(Keyboard()->BindMulti(Note("not a combination"), 10));
    EXPECT_FALSE(Keyboard()->BindMulti(CSmartPtr<IKeyEvent>(new CNoteCombination(std::vector<int>())), 10));
    EXPECT_FALSE(Keyboard()->Bind(97, CSmartPtr<IKeyEvent>(), 10));
    Keyboard()->Update();
    EXPECT_TRUE(seen.empty());

    // A combination holding a bad code never reads outside the state array.
    CNoteCombination stray(std::vector<int>{97, 100000, -3});
    stray.SetKeyboardState(Keyboard()->GetState());
    EXPECT_FALSE(stray.Fire(97));
}

TEST_F(CKeyboardTest, QueueStaysBoundedWithoutUpdates) {
    Keyboard();
    for (int i = 0; i < 10000; ++i)
        Bridge()->OnKeyDown(97, 'a');
    EXPECT_EQ(Keyboard()->GetQueuedCount(), CKeyboard::MAX_QUEUED_KEYS);
}

TEST_F(CKeyboardTest, EventsMayChangeBindingsAndListenersWhileKeysAreDispatched) {
    auto* binder = new CNoteEvent("binder");
    auto* listener = new CNoteEvent("doomed");
    CNoteEvent survivor("survivor");
    binder->onDown = [&] {
        // Binds more to the same key, removes a listener that has not run yet
        // and injects another key.
        Keyboard()->Bind(97, Note("late binding"), 0);
        delete listener;
        Bridge()->OnKeyDown(98, 'b');
    };
    Keyboard()->Bind(97, CSmartPtr<IKeyEvent>(binder), 1);
    Keyboard()->AddListener(listener, 50);
    Keyboard()->AddListener(&survivor, 60);
    Bridge()->OnKeyDown(97, 'a');
    Keyboard()->Update();
    EXPECT_EQ(seen, (std::vector<std::string>{"binder down 97", "survivor down 97"}));

    seen.clear();
    binder->onDown = nullptr;
    Keyboard()->Update();
    EXPECT_EQ(seen, (std::vector<std::string>{"survivor down 98"})) << "the injected key waited";
}

TEST_F(CKeyboardTest, ACombinationOutlivingTheKeyboardForgetsItsState) {
    CSmartPtr<IKeyEvent> combo(new CNoteCombination(std::vector<int>{97}));
    Keyboard()->BindMulti(combo, 10);
    Bridge()->OnKeyDown(97, 'a');
    Keyboard()->Update();
    EXPECT_EQ(seen.size(), 1u);
    CKeyboard::DeleteSingleton();
    EXPECT_FALSE(combo->Fire(97)) << "no stale state array after the keyboard went";
    Bridge()->OnKeyDown(97, 'a');  // no keyboard listening: nothing happens
}

}  // namespace
