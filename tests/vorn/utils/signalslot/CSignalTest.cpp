#include "vorn/utils/signalslot/CSignal.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "SignalSlotTestSupport.h"

using namespace vorn;
using signalslot_test::CTarget;
using Journal = std::vector<std::string>;

namespace {

class CSignalTest : public ::testing::Test {
protected:
    void SetUp() override { CTarget::Register(); }
    Journal journal;
};

int freeSum = 0;
void AddToFreeSum(int a, int b) {
    freeSum += a + b;
}

// A widget-like owner of a signal that a slot may delete.
class COwner : public CCSSObject<COwner> {
public:
    explicit COwner(Journal* journal) : myJournal(journal) {}
    ~COwner() override { myJournal->push_back("owner destroyed"); }
    void DeleteSelf() { delete this; }
    CSignal mySignal;
    Journal* myJournal;
};

// Runs a piece of code as a slot, to act on the signal while it emits.
class CAction : public CCSSObject<CAction> {
public:
    template <class F>
    explicit CAction(F action) : myAction(action) {}
    void Run() { myAction(); }
    std::function<void()> myAction;
};

// A callable that, like any callable may, still uses its own members after
// its function returned: it must not have been deleted by then.
class CCountingEvent : public CGenericEventBase {
public:
    explicit CCountingEvent(std::function<void()> action)
        : CGenericEventBase(0), myAction(std::move(action)) {}
    using CGenericEventBase::Call;
    void Call() override {
        myAction();
        ++myCalls;
    }
    const std::type_info& GetTypeId() const override { return typeid(CCountingEvent); }
    void* GetTarget() const override { return nullptr; }
    void SetTarget(ICCSSObject*) override {}
    bool Equals(const CGenericEventBase& other) const override { return &other == this; }
    CGenericEventBase* Clone() const override { return new CCountingEvent(myAction); }

    std::function<void()> myAction;
    int myCalls = 0;
};

}  // namespace

TEST_F(CSignalTest, EmitsInConnectionOrderIncludingRepeats) {
    CTarget a("a", &journal), b("b", &journal);
    CSignal signal;
    signal.Connect(&b, &CTarget::Ping);
    signal.Connect(&a, &CTarget::Pong);
    signal.Connect(&b, &CTarget::Pong);
    signal.Connect(&a, &CTarget::Pong);  // a second connection calls a second time
    EXPECT_TRUE(signal.Emit());
    EXPECT_EQ(journal, (Journal{"b.Ping()", "a.Pong()", "b.Pong()", "a.Pong()"}));
    EXPECT_EQ(signal.GetSlotCount(), 4);
    EXPECT_EQ(a.GetSlots().size(), 2u);
}

TEST_F(CSignalTest, ArgumentsConvertToTheParameterTypes) {
    CTarget a("a", &journal);
    CSignal signal;
    signal.Connect(&a, &CTarget::Take);
    signal.Connect(&a, &CTarget::Label);
    signal.Connect(&a, &CTarget::Move);
    signal.Connect(&a, &CTarget::Ping);

    signal.Emit(std::string("12"));  // text to int; as it is to a string
    signal.Emit(7);                  // int to text
    signal.Emit(0.5f);
    signal.Emit(true);
    signal.Emit(std::string("x"), 3);  // only the two-parameter slot listens
    signal.Emit(1, 2, 3);              // no slot takes three
    EXPECT_EQ(journal, (Journal{"a.Take(12)", "a.Label(12)", "a.Take(7)", "a.Label(7)", "a.Take(0)",
                                "a.Label(0.5)", "a.Take(1)", "a.Label(1)", "a.Move(0,3)"}));

    journal.clear();
    signal.Emit();
    EXPECT_EQ(journal, Journal{"a.Ping()"});
}

TEST_F(CSignalTest, FreeFunctionsTakeTwoArguments) {
    CSignal signal;
    signal.Connect(new CSlot(new CSGenericEvent2<void, int, int>(&AddToFreeSum), false));
    freeSum = 0;
    signal.Emit(2, std::string("40"));
    signal.Emit(5);  // another arity
    EXPECT_EQ(freeSum, 42);
}

TEST_F(CSignalTest, CallablesBindOnlyToObjectsOfTheirClass) {
    CTarget a("a", &journal), b("b", &journal);
    CGenericEvent0<CTarget, void> ping(&b, &CTarget::Ping);
    EXPECT_TRUE(ping.Equals(CGenericEvent0<CTarget, void>(&a, &CTarget::Ping)));
    EXPECT_FALSE(ping.Equals(CGenericEvent0<CTarget, void>(&b, &CTarget::Pong)));

    COwner owner(&journal);
    ping.SetTarget(&owner);  // not a CTarget: unbound
    EXPECT_EQ(ping.GetTarget(), nullptr);
    ping.Call();
    ping.SetTarget(&a);
    ping.Call();
    EXPECT_EQ(journal, Journal{"a.Ping()"});
}

TEST_F(CSignalTest, ConnectAndDisconnect) {
    CTarget a("a", &journal), b("b", &journal);
    CSignal first, second;
    EXPECT_EQ(first.Connect(nullptr), nullptr);
    CSlot* ping = first.Connect(&a, &CTarget::Ping);
    CSlot* pong = first.Connect(&b, &CTarget::Pong);
    EXPECT_EQ(first.Connect(ping), ping);  // already here: not added twice
    EXPECT_EQ(first.GetSlotCount(), 2);
    EXPECT_EQ(ping->GetSignal(), &first);
    EXPECT_EQ(ping->GetTarget(), &a);

    // Connecting elsewhere moves the slot.
    second.Connect(ping);
    EXPECT_EQ(first.GetSlots(), std::vector<CSlot*>{pong});
    EXPECT_EQ(second.GetSlots(), std::vector<CSlot*>{ping});

    first.Disconnect(ping);  // not first's: ignored
    EXPECT_EQ(second.GetSlotCount(), 1);
    second.Disconnect(ping);
    EXPECT_EQ(second.GetSlotCount(), 0);
    EXPECT_TRUE(a.GetSlots().empty());

    first.Connect(&a, &CTarget::Ping);
    first.DisconnectAll();
    EXPECT_EQ(first.GetSlotCount(), 0);
    EXPECT_TRUE(a.GetSlots().empty());
    EXPECT_TRUE(b.GetSlots().empty());
    first.Emit();
    second.Emit();
    EXPECT_TRUE(journal.empty());
}

TEST_F(CSignalTest, EitherEndDestroyedFirstUnlinksTheOther) {
    CSignal signal;
    {
        CTarget doomed("doomed", &journal);
        signal.Connect(&doomed, &CTarget::Ping);
        doomed.GetSlot("Pong");  // never connected: dies with its target
    }
    EXPECT_EQ(signal.GetSlotCount(), 0);
    signal.Emit();
    EXPECT_TRUE(journal.empty());

    CTarget survivor("survivor", &journal);
    {
        CSignal doomed;
        doomed.Connect(&survivor, &CTarget::Ping);
        doomed.Connect(survivor.GetSlot("Take"));
        EXPECT_EQ(survivor.GetSlots().size(), 2u);
    }
    EXPECT_TRUE(survivor.GetSlots().empty());

    // DisconnectAll on the target side.
    signal.Connect(&survivor, &CTarget::Ping);
    survivor.DisconnectAll();
    EXPECT_EQ(signal.GetSlotCount(), 0);

    // A copy of a target is a new target without connections.
    signal.Connect(&survivor, &CTarget::Ping);
    {
        CTarget copy(survivor);
        EXPECT_TRUE(copy.GetSlots().empty());
    }
    signal.Emit();
    EXPECT_EQ(journal, Journal{"survivor.Ping()"});
}

TEST_F(CSignalTest, SlotsMayDisconnectDestroyAndConnectDuringAnEmission) {
    CSignal signal;
    auto* victim = new CTarget("victim", &journal);
    CTarget keeper("keeper", &journal);
    CSlot* keeperPong = nullptr;

    // First slot: destroys the next target, disconnects a later slot,
    // connects a new one, and disconnects itself.
    CSlot* self = nullptr;
    CAction action([&] {
        journal.push_back("action");
        delete victim;
        victim = nullptr;
        signal.Disconnect(keeperPong);
        signal.Connect(&keeper, &CTarget::Take);
        signal.Disconnect(self);
    });
    self = signal.Connect(&action, &CAction::Run);
    signal.Connect(victim, &CTarget::Ping);
    keeperPong = signal.Connect(&keeper, &CTarget::Pong);
    signal.Connect(&keeper, &CTarget::Ping);

    EXPECT_TRUE(signal.Emit());
    EXPECT_EQ(journal, (Journal{"action", "keeper.Ping()"}));
    EXPECT_EQ(signal.GetSlotCount(), 2);  // keeper.Ping and the new keeper.Take
    EXPECT_EQ(action.GetSlots().size(), 0u);

    journal.clear();
    signal.Emit(5);
    EXPECT_EQ(journal, Journal{"keeper.Take(5)"});
}

TEST_F(CSignalTest, ASlotDisconnectingItselfSkipsNoOtherSlot) {
    CTarget a("a", &journal);
    CSignal signal;
    CSlot* self = nullptr;
    self = signal.Connect(new CSlot(new CCountingEvent([&] { signal.Disconnect(self); }), false));
    signal.Connect(&a, &CTarget::Ping);
    signal.Connect(&a, &CTarget::Pong);
    EXPECT_TRUE(signal.Emit());
    EXPECT_EQ(journal, (Journal{"a.Ping()", "a.Pong()"}));
    EXPECT_EQ(signal.GetSlotCount(), 2);
}

TEST_F(CSignalTest, ACallableOutlivesItsCallWhenItsSignalDies) {
    auto* owner = new COwner(&journal);
    owner->mySignal.Connect(new CSlot(new CCountingEvent([&] { delete owner; }), false));
    EXPECT_FALSE(owner->mySignal.Emit());
    EXPECT_EQ(journal, Journal{"owner destroyed"});
}

TEST_F(CSignalTest, OwnerDeletedByItsOwnSignalStopsTheEmission) {
    CTarget later("later", &journal);
    auto* owner = new COwner(&journal);
    owner->mySignal.Connect(&later, &CTarget::Ping);
    owner->mySignal.Connect(owner, &COwner::DeleteSelf);
    owner->mySignal.Connect(&later, &CTarget::Pong);

    EXPECT_FALSE(owner->mySignal.Emit());
    EXPECT_EQ(journal, (Journal{"later.Ping()", "owner destroyed"}));
    EXPECT_TRUE(later.GetSlots().empty());
}

TEST_F(CSignalTest, SignalDestroyedInANestedEmission) {
    auto* owner = new COwner(&journal);
    CTarget after("after", &journal);
    int depth = 0;
    bool innerResult = true;
    CAction action([&] {
        if (++depth == 1)
            innerResult = owner->mySignal.Emit();  // the nested emission deletes the owner
        else
            delete owner;
    });
    owner->mySignal.Connect(&action, &CAction::Run);
    owner->mySignal.Connect(&after, &CTarget::Ping);
    EXPECT_FALSE(owner->mySignal.Emit());
    EXPECT_FALSE(innerResult);
    EXPECT_EQ(journal, Journal{"owner destroyed"});
    EXPECT_TRUE(action.GetSlots().empty());
}
