#include "vorn/utils/signalslot/CCSSObject.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "SignalSlotTestSupport.h"
#include "vorn/utils/xml/Xml.h"

using namespace vorn;
using signalslot_test::CLogCapture;
using signalslot_test::CTarget;
using Journal = std::vector<std::string>;

namespace {

class CCSSObjectTest : public ::testing::Test {
protected:
    void SetUp() override { CTarget::Register(); }
    Journal journal;
};

// An object with no name of its own.
class CUnnamed : public CCSSObject<CUnnamed> {
public:
    void Hello() {}
};

// Two target classes sharing a function of a common base class, which each
// registers under its own function name.
class CGreeter {
public:
    virtual ~CGreeter() = default;
    void Greet() { ++myGreetings; }
    int myGreetings = 0;
};
class CAlpha : public CCSSObject<CAlpha>, public CGreeter {
public:
    std::string GetName() const override { return "alpha"; }
};
class CBeta : public CCSSObject<CBeta>, public CGreeter {
public:
    std::string GetName() const override { return "beta"; }
};

}  // namespace

TEST_F(CCSSObjectTest, FindObjectByNameSeesLiveNamedObjectsInConstructionOrder) {
    CUnnamed unnamed;
    EXPECT_EQ(FindObjectByName(""), nullptr);
    EXPECT_EQ(FindObjectByName("twin"), nullptr);
    auto first = std::make_unique<CTarget>("twin", &journal);
    CTarget second("twin", &journal);
    EXPECT_EQ(FindObjectByName("twin"), first.get());
    first.reset();
    EXPECT_EQ(FindObjectByName("twin"), &second);
    second.SetName("single");
    EXPECT_EQ(FindObjectByName("twin"), nullptr);
    EXPECT_EQ(FindObjectByName("single"), &second);
    EXPECT_EQ(second.GetClassName(), "CSignalTestTarget");
    EXPECT_EQ(unnamed.GetClassName(), "");
}

TEST_F(CCSSObjectTest, GetSlotBindsTheRegisteredFunctionToThatObject) {
    CTarget test1("test1", &journal), test2("test2", &journal);
    std::unique_ptr<CSlot> one(test1.GetSlot("Ping"));
    std::unique_ptr<CSlot> two(test2.GetSlot("Move"));
    ASSERT_NE(one, nullptr);
    ASSERT_NE(two, nullptr);
    EXPECT_EQ(one->GetTarget(), &test1);
    EXPECT_EQ(one->GetSignal(), nullptr);
    EXPECT_TRUE(one->IsSerializable());
    EXPECT_EQ(test1.GetSlots(), std::vector<CSlot*>{one.get()});
    one->GetCallable()->Call();
    two->GetCallable()->Call(std::string("-3"), 4);
    EXPECT_EQ(journal, (Journal{"test1.Ping()", "test2.Move(-3,4)"}));

    EXPECT_EQ(test1.GetSlot("Unregistered"), nullptr);
    EXPECT_EQ(test1.GetSlot(""), nullptr);
    CUnnamed unnamed;
    EXPECT_EQ(unnamed.GetSlot("Ping"), nullptr);  // a class that registered nothing

    // A slot deleted by its holder leaves the target's list.
    one.reset();
    EXPECT_TRUE(test1.GetSlots().empty());
}

TEST_F(CCSSObjectTest, RegisteringAFunctionNameAgainReplacesIt) {
    css::CCSSSlotFactory* factory = css::CCSSSlotFactory::GetSingleton();
    CSSObject<CAlpha>::Register("SlotTestAlpha", true);
    factory->RegisterFunction(
        "SlotTestAlpha", "Act",
        CSlot(new CGenericEvent0<CGreeter, void>(nullptr, &CGreeter::Greet), true));
    CAlpha alpha;
    std::unique_ptr<CSlot> first(alpha.GetSlot("Act"));
    ASSERT_NE(first, nullptr);
    first->GetCallable()->Call();
    EXPECT_EQ(alpha.myGreetings, 1);

    // Now "Act" names a function of another class, which cannot bind to alpha.
    factory->RegisterFunction(
        "SlotTestAlpha", "Act",
        CSlot(new CGenericEvent0<CTarget, void>(nullptr, &CTarget::Ping), true));
    CLogCapture log;
    EXPECT_EQ(alpha.GetSlot("Act"), nullptr);
    EXPECT_EQ(log.Count(), 1) << log.All();
    EXPECT_TRUE(alpha.GetSlots().size() == 1u);  // only the first slot
}

TEST_F(CCSSObjectTest, ASharedFunctionIsWrittenUnderTheTargetClassesOwnName) {
    css::CCSSSlotFactory* factory = css::CCSSSlotFactory::GetSingleton();
    CSSObject<CAlpha>::Register("SlotTestAlpha", true);
    CSSObject<CBeta>::Register("SlotTestBeta", true);
    factory->RegisterFunction<CAlpha>("AlphaGreet", &CGreeter::Greet);
    factory->RegisterFunction<CBeta>("BetaGreet", &CGreeter::Greet);

    CBeta beta;
    CSignal signal;
    signal.Connect(beta.GetSlot("BetaGreet"));
    signal.Connect(&beta, &CGreeter::Greet);  // made directly: the same function
    const std::string text = SaveObjectToXmlText(signal, "greetings");
    EXPECT_EQ(text,
              "<greetings>\n"
              "  <Slot function=\"BetaGreet\" target=\"beta\" >\n"
              "  </Slot>\n"
              "  <Slot function=\"BetaGreet\" target=\"beta\" >\n"
              "  </Slot>\n"
              "</greetings>\n");

    CSignal restored;
    LoadObjectFromXmlText(restored, text);
    ASSERT_EQ(restored.GetSlotCount(), 1);  // the same connection twice is made once
    restored.Emit();
    EXPECT_EQ(beta.myGreetings, 1);
}
