#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "SignalSlotTestSupport.h"
#include "TestEnvironment.h"
#include "vorn/utils/signalslot/SignalSlot.h"
#include "vorn/utils/xml/Xml.h"

using namespace vorn;
using signalslot_test::CLogCapture;
using signalslot_test::CTarget;
using testing_support::CScopedTempDir;
using testing_support::ReadFile;
using Journal = std::vector<std::string>;

namespace {

class CSignalSerializeTest : public ::testing::Test {
protected:
    void SetUp() override { CTarget::Register(); }
    CScopedTempDir folder;
    Journal journal;
};

// A button-like record whose signals are fields among others.
struct CPanel {
    std::string title;
    CSignal click;
    CSignal drag;
    int tag = 0;
    void Serialize(CXmlArchive& ar) {
        ar.Field("title", title);
        ar.Field("click", click);
        ar.Field("drag", drag);
        ar.Field("tag", tag);
    }
};

// A target whose class keeps its connections out of files.
class CPrivate : public CCSSObject<CPrivate> {
public:
    std::string GetName() const override { return "private"; }
    void Ping() {}
};

void Ignore(int, int) {}

}  // namespace

TEST_F(CSignalSerializeTest, ConnectionsSurviveAFileRoundTripInOrder) {
    CTarget test1("test1", &journal), test2("test2", &journal);
    {
        CSignal signal;
        signal.Connect(test1.GetSlot("Ping"));
        signal.Connect(&test2, &CTarget::Move);
        signal.Connect(test1.GetSlot("Label"));
        ASSERT_TRUE(SaveObjectToXmlFile(signal, "signal.xml", "rootelement"));
    }
    EXPECT_EQ(ReadFile(folder.Path() / "signal.xml"),
              "<rootelement>\n"
              "  <Slot function=\"Ping\" target=\"test1\" >\n"
              "  </Slot>\n"
              "  <Slot function=\"Move\" target=\"test2\" >\n"
              "  </Slot>\n"
              "  <Slot function=\"Label\" target=\"test1\" >\n"
              "  </Slot>\n"
              "</rootelement>\n");

    CLogCapture log;
    CSignal restored;
    ASSERT_TRUE(LoadObjectFromXmlFile(restored, "signal.xml"));
    EXPECT_EQ(log.Count(), 0) << log.All();
    ASSERT_EQ(restored.GetSlotCount(), 3);
    EXPECT_EQ(restored.GetSlots()[1]->GetTarget(), &test2);
    restored.Emit();
    restored.Emit(3, 4);
    restored.Emit(std::string("hi"));
    EXPECT_EQ(journal, (Journal{"test1.Ping()", "test2.Move(3,4)", "test1.Label(hi)"}));

    // Reading the file again restores nothing twice.
    ASSERT_TRUE(LoadObjectFromXmlFile(restored, "signal.xml"));
    EXPECT_EQ(restored.GetSlotCount(), 3);
}

TEST_F(CSignalSerializeTest, SignalsAsFieldsOfAnObject) {
    CTarget window("window", &journal);
    CPanel panel;
    panel.title = "Options";
    panel.tag = 7;
    panel.click.Connect(&window, &CTarget::Ping);
    panel.drag.Connect(&window, &CTarget::Move);
    ASSERT_TRUE(SaveObjectToXmlFile(panel, "panels/panel.xml", "Panel"));
    EXPECT_EQ(ReadFile(folder.Path() / "panels/panel.xml"),
              "<Panel>\n"
              "  <title>\n"
              "    Options\n"
              "  </title>\n"
              "  <click>\n"
              "    <Slot function=\"Ping\" target=\"window\" >\n"
              "    </Slot>\n"
              "  </click>\n"
              "  <drag>\n"
              "    <Slot function=\"Move\" target=\"window\" >\n"
              "    </Slot>\n"
              "  </drag>\n"
              "  <tag>\n"
              "    7\n"
              "  </tag>\n"
              "</Panel>\n");

    CLogCapture log;
    CPanel loaded;
    ASSERT_TRUE(LoadObjectFromXmlFile(loaded, "panels/panel.xml"));
    EXPECT_EQ(log.Count(), 0) << log.All();
    EXPECT_EQ(loaded.title, "Options");
    EXPECT_EQ(loaded.tag, 7);
    loaded.click.Emit();
    loaded.drag.Emit(-1, 2);
    loaded.click.Emit(-1, 2);  // click has no two-argument slot
    EXPECT_EQ(journal, (Journal{"window.Ping()", "window.Move(-1,2)"}));
}

TEST_F(CSignalSerializeTest, OnlyNamedSerialisableRegisteredConnectionsAreWritten) {
    CSSObject<CPrivate>::Register("SlotTestPrivate", false);
    css::CCSSSlotFactory::GetSingleton()->RegisterFunction<CPrivate>("Ping", &CPrivate::Ping);
    CTarget named("named", &journal), unnamed("", &journal);
    CPrivate hidden;
    CSignal signal;
    signal.Connect(hidden.GetSlot("Ping"));          // class says no
    signal.Connect(&unnamed, &CTarget::Ping);        // no name
    signal.Connect(&named, &CTarget::Unregistered);  // no function name
    signal.Connect(new CSlot(new CSGenericEvent2<void, int, int>(&Ignore), true));  // no target
    signal.Connect(&named, &CTarget::Pong);
    EXPECT_FALSE(signal.GetSlots()[0]->IsSerializable());

    CLogCapture log;
    ASSERT_TRUE(SaveObjectToXmlFile(signal, "some.xml", "some"));
    EXPECT_EQ(ReadFile(folder.Path() / "some.xml"),
              "<some>\n"
              "  <Slot function=\"Pong\" target=\"named\" >\n"
              "  </Slot>\n"
              "</some>\n");
    EXPECT_EQ(log.Count(), 0) << log.All();
}

TEST_F(CSignalSerializeTest, MissingObjectsAreSkippedWithOneWarningAndConnectLater) {
    {
        CTarget ok("ok", &journal), late("late", &journal);
        CSignal signal;
        signal.Connect(&late, &CTarget::Ping);
        signal.Connect(&ok, &CTarget::Pong);
        signal.Connect(&late, &CTarget::Take);
        ASSERT_TRUE(SaveObjectToXmlFile(signal, "late.xml", "rootelement"));
    }
    CTarget ok("ok", &journal);
    CSignal signal;
    {
        CLogCapture log;
        ASSERT_TRUE(LoadObjectFromXmlFile(signal, "late.xml"));
        EXPECT_EQ(log.Count(), 1) << log.All();
        EXPECT_NE(log.All().find("2 connection(s)"), std::string::npos) << log.All();
        EXPECT_NE(log.All().find("no object is named \"late\""), std::string::npos) << log.All();
    }
    EXPECT_EQ(signal.GetSlotCount(), 1);

    // Once the object exists, reading the same file completes the signal.
    CTarget late("late", &journal);
    ASSERT_TRUE(LoadObjectFromXmlFile(signal, "late.xml"));
    signal.Emit();
    signal.Emit(9);
    EXPECT_EQ(journal, (Journal{"ok.Pong()", "late.Ping()", "late.Take(9)"}));
}

TEST_F(CSignalSerializeTest, BadFilesGiveAWarningAndNoCrash) {
    CTarget target("target", &journal);

    // Hand-written: odd spacing, attributes reversed, a self-closing tag,
    // a comment, unknown functions and targets, missing attributes and
    // elements that are not slots.
    folder.WriteFile("hand.xml",
                     "<signal>\n"
                     "<!-- written by hand -->\n"
                     "   <Slot   target = \"target\"    function=\"Ping\"/>\n"
                     "<Slot target=\"target\" function=\"Explode\"></Slot>\n"
                     "<Slot target=\"nobody\" function=\"Ping\"></Slot>\n"
                     "<Slot function=\"Pong\"></Slot>\n"
                     "<Slot target=\"target\"></Slot>\n"
                     "<Slot target=\"\" function=\"\"></Slot>\n"
                     "<Sloth target=\"target\" function=\"Pong\"></Sloth>\n"
                     "<Slot target=\"target\" function=\"Take\">text<Slot target=\"target\" "
                     "function=\"Pong\"/></Slot>\n"
                     "</signal>\n");
    {
        CLogCapture log;
        CSignal signal;
        ASSERT_TRUE(LoadObjectFromXmlFile(signal, "hand.xml"));
        EXPECT_EQ(log.Count(), 1) << log.All();
        EXPECT_NE(log.All().find("6 connection(s)"), std::string::npos) << log.All();
        signal.Emit();
        signal.Emit(1);
        // A nested Slot is not a connection of this signal.
        EXPECT_EQ(journal, (Journal{"target.Ping()", "target.Take(1)"}));
    }

    // Garbage, a truncated file, a file of a single huge line, no file at all.
    std::string garbage;
    for (int i = 0; i < 4096; ++i)
        garbage += static_cast<char>((i * 7919 + 13) % 256);
    folder.WriteFile("garbage.xml", garbage);
    folder.WriteFile("truncated.xml", "<signal>\n  <Slot function=\"Ping\" target=\"tar");
    folder.WriteFile("huge.xml", "<signal><Slot function=\"Ping\" target=\"" +
                                     std::string(1 << 20, 'x') + "\"></Slot></signal>");
    for (const char* name : {"garbage.xml", "truncated.xml", "huge.xml", "missing.xml"}) {
        CSignal signal;
        LoadObjectFromXmlFile(signal, name);
        EXPECT_EQ(signal.GetSlotCount(), 0) << name;
        signal.Connect(&target, &CTarget::Pong);  // still usable
        EXPECT_TRUE(signal.Emit()) << name;
    }
}

TEST_F(CSignalSerializeTest, ManyRepeatedSlotsMakeOneConnection) {
    std::string text = "<signal>\n";
    for (int i = 0; i < 20000; ++i)
        text += "<Slot function=\"Ping\" target=\"target\"></Slot>\n";
    text += "</signal>\n";
    folder.WriteFile("repeated.xml", text);

    CTarget target("target", &journal);
    CSignal signal;
    CLogCapture log;
    ASSERT_TRUE(LoadObjectFromXmlFile(signal, "repeated.xml"));
    EXPECT_EQ(log.Count(), 0) << log.All();
    EXPECT_EQ(signal.GetSlotCount(), 1);
    EXPECT_EQ(target.GetSlots().size(), 1u);
}
