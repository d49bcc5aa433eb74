#include "vorn/utils/signalslot/SignalSlotSelfTests.h"

#include <memory>
#include <string>
#include <vector>

#include "vorn/console/CLog.h"
#include "vorn/utils/signalslot/SignalSlot.h"
#include "vorn/utils/xml/Xml.h"

namespace vorn::selftests {

namespace {

// Counts failed checks of one self-test and logs each.
class CChecker {
public:
    explicit CChecker(const char* test) : myTest(test) {}

    void Check(bool passed, const std::string& what) {
        if (passed) return;
        CLog::GetSingleton()->Printf("[ERROR] %s: %s\n", myTest, what.c_str());
        ++myFailures;
    }
    void Same(int got, int want, const std::string& what) {
        Check(got == want,
              what + ": got " + std::to_string(got) + ", expected " + std::to_string(want));
    }

    int Result() const { return myFailures; }

private:
    const char* myTest;
    int myFailures = 0;
};

// A named target that records the calls it receives.
class CCSSObjectTester : public CCSSObject<CCSSObjectTester> {
public:
    explicit CCSSObjectTester(const std::string& name) : myName(name) {}

    std::string GetName() const override { return myName; }
    void SetName(const std::string& name) override { myName = name; }

    void TestSlot() { myCalls.push_back(myName); }
    void Add(int a, int b) { mySum += a + b; }
    void Text(std::string text) { myText = text; }

    // Registration is idempotent: the last registration of a name wins.
    static void Register() {
        CSSObject<CCSSObjectTester>::Register("CCSSObjectTester", true);
        css::CCSSSlotFactory* factory = css::CCSSSlotFactory::GetSingleton();
        factory->RegisterFunction<CCSSObjectTester>("TestSlot", &CCSSObjectTester::TestSlot);
        factory->RegisterFunction<CCSSObjectTester>("Add", &CCSSObjectTester::Add);
    }

    std::string myName;
    std::vector<std::string> myCalls;
    int mySum = 0;
    std::string myText;
};

// A class whose connections are never written.
class CUnsavedTester : public CCSSObject<CUnsavedTester> {
public:
    std::string GetName() const override { return "unsaved"; }
    void TestSlot() { ++myCalls; }
    static void Register() {
        CSSObject<CUnsavedTester>::Register("CUnsavedTester", false);
        css::CCSSSlotFactory::GetSingleton()->RegisterFunction<CUnsavedTester>(
            "TestSlot", &CUnsavedTester::TestSlot);
    }
    int myCalls = 0;
};

// Owns a signal and deletes itself from one of its own slots, as a widget
// closed by its own button does.
class CSelfDestroyer : public CCSSObject<CSelfDestroyer> {
public:
    CSignal mySignal;
    void Destroy() { delete this; }
};

}  // namespace

int CSSObjectTest() {
    CChecker check("CSSObjectTest");
    CCSSObjectTester::Register();

    auto first = std::make_unique<CCSSObjectTester>("test1");
    auto second = std::make_unique<CCSSObjectTester>("test2");
    check.Check(first->GetClassName() == "CCSSObjectTester", "class name of a registered class");
    check.Check(FindObjectByName("test1") == first.get(), "test1 found by name");
    check.Check(FindObjectByName("test2") == second.get(), "test2 found by name");
    check.Check(FindObjectByName("test3") == nullptr, "an unknown name finds nothing");

    // Each slot reaches its own object.
    CSignal signal;
    signal.Connect(first->GetSlot("TestSlot"));
    signal.Connect(second->GetSlot("TestSlot"));
    signal.Emit();
    check.Check(first->myCalls == std::vector<std::string>{"test1"},
                "the slot of test1 calls test1");
    check.Check(second->myCalls == std::vector<std::string>{"test2"},
                "the slot of test2 calls test2");
    check.Check(first->GetSlot("NoSuchFunction") == nullptr,
                "an unregistered function gives no slot");

    // Renaming moves the object's identity in lookups.
    second->SetName("renamed");
    check.Check(FindObjectByName("test2") == nullptr, "an old name after renaming finds nothing");
    check.Check(FindObjectByName("renamed") == second.get(), "the new name is found");

    // A destroyed target leaves the list and its slots.
    first.reset();
    check.Check(FindObjectByName("test1") == nullptr, "a destroyed object is not found");
    check.Same(signal.GetSlotCount(), 1, "slots left after destroying one target");
    signal.Emit();
    check.Same(static_cast<int>(second->myCalls.size()), 2, "calls of the surviving target");
    return check.Result();
}

int CSSObjectSerializeTest() {
    CChecker check("CSSObjectSerializeTest");
    CCSSObjectTester::Register();
    CUnsavedTester::Register();

    std::string text;
    {
        CCSSObjectTester target("test1");
        CUnsavedTester unsaved;
        CSignal signal;
        signal.Connect(target.GetSlot("TestSlot"));
        signal.Connect(new CSlot(&target, &CCSSObjectTester::Add));  // direct, registered
        signal.Connect(unsaved.GetSlot("TestSlot"));
        text = SaveObjectToXmlText(signal, "rootelement");
        check.Check(
            text.find("<Slot function=\"TestSlot\" target=\"test1\" >") != std::string::npos,
            "the slot to test1 is written as a Slot element: " + text);
        check.Check(text.find("function=\"Add\"") != std::string::npos,
                    "a directly made slot of a registered function is written: " + text);
        check.Check(text.find("unsaved") == std::string::npos,
                    "a slot of a non-serialisable class is not written: " + text);

        // Read back while test1 lives: two connections that reach it.
        CSignal restored;
        LoadObjectFromXmlText(restored, text);
        check.Same(restored.GetSlotCount(), 2, "slots read back while test1 lives");
        restored.Emit();
        restored.Emit(2, 3);
        check.Same(static_cast<int>(target.myCalls.size()), 1, "calls of the restored TestSlot");
        check.Same(target.mySum, 5, "sum through the restored Add slot");

        // Reading again does not double the connections.
        LoadObjectFromXmlText(restored, text);
        check.Same(restored.GetSlotCount(), 2, "slots after reading the same text twice");
    }

    // Read back when no object is named test1: nothing is connected.
    CSignal orphan;
    LoadObjectFromXmlText(orphan, text);
    check.Same(orphan.GetSlotCount(), 0, "slots read back with no test1 alive");
    return check.Result();
}

int SignalSlotTest() {
    CChecker check("SignalSlotTest");
    CCSSObjectTester::Register();

    // Connection order is call order.
    CCSSObjectTester a("a"), b("b");
    std::vector<std::string> order;
    {
        CSignal signal;
        signal.Connect(&b, &CCSSObjectTester::TestSlot);
        signal.Connect(&a, &CCSSObjectTester::TestSlot);
        signal.Emit();
        check.Check(b.myCalls.size() == 1 && a.myCalls.size() == 1, "both slots called once");
    }
    check.Check(a.GetSlots().empty() && b.GetSlots().empty(),
                "a destroyed signal leaves its targets' slot lists");

    // Arguments convert from CAnyContainer; other arities ignore the emission.
    CSignal signal;
    signal.Connect(&a, &CCSSObjectTester::Add);
    signal.Connect(&a, &CCSSObjectTester::Text);
    signal.Emit(std::string("12"), 30);
    check.Same(a.mySum, 42, "string \"12\" and int 30 passed to Add(int, int)");
    signal.Emit(0.5f);
    check.Check(a.myText == "0.5", "float 0.5 passed to Text(string) gave \"" + a.myText + "\"");
    signal.Emit();
    signal.Emit(1, 2, 3);
    check.Same(a.mySum, 42, "emissions of another arity leave Add alone");

    // Disconnect.
    CSlot* add = signal.GetSlots().front();
    signal.Disconnect(add);
    signal.Emit(1, 1);
    check.Same(a.mySum, 42, "a disconnected slot is not called");
    check.Same(static_cast<int>(a.GetSlots().size()), 1, "the target forgets a disconnected slot");

    // A target destroyed before the signal: emitting calls nothing.
    {
        auto doomed = std::make_unique<CCSSObjectTester>("doomed");
        signal.Connect(doomed.get(), &CCSSObjectTester::Add);
    }
    check.Same(signal.GetSlotCount(), 1, "slots after the target's destruction");
    signal.Emit(1, 1);

    // A signal whose owner is deleted by one of its slots stops at once.
    auto* destroyer = new CSelfDestroyer;
    CCSSObjectTester after("after");
    destroyer->mySignal.Connect(destroyer, &CSelfDestroyer::Destroy);
    destroyer->mySignal.Connect(&after, &CCSSObjectTester::TestSlot);
    const bool alive = destroyer->mySignal.Emit();
    check.Check(!alive, "Emit reports the signal destroyed by its own slot");
    check.Check(after.myCalls.empty(), "no slot runs after the signal is destroyed");
    check.Check(after.GetSlots().empty(), "the destroyed signal's slots left their targets");
    return check.Result();
}

}  // namespace vorn::selftests
