#include <typeinfo>

#include "UiTestSupport.h"
#include "vorn/ui/CButtonWidget.h"
#include "vorn/ui/CModifiedButtonWidget.h"
#include "vorn/utils/signalslot/SignalSlot.h"

using namespace vorn;
using namespace vorn::ui;
using namespace ui_test;

namespace {

using Lines = std::vector<std::string>;

// Notes what the buttons emit.
struct CListener : CCSSObject<CListener> {
    Lines notes;
    void Click() { notes.push_back("click"); }
    void DoubleClick() { notes.push_back("double"); }
    void Drag(int dx, int dy) {
        notes.push_back("drag " + std::to_string(dx) + "," + std::to_string(dy));
    }
    void Tagged(int tag) { notes.push_back("tag " + std::to_string(tag)); }
};

// A slot of three arguments (the modified button's drag), which member
// functions cannot make.
class CThreeArguments : public CGenericEventBase {
public:
    explicit CThreeArguments(Lines* notes) : CGenericEventBase(3), myNotes(notes) {}
    using CGenericEventBase::Call;
    void Call(const CAnyContainer& a, const CAnyContainer& b, const CAnyContainer& c) override {
        myNotes->push_back("drag " + a.GetString() + "," + b.GetString() + " tag " + c.GetString());
    }
    const std::type_info& GetTypeId() const override { return typeid(CThreeArguments); }
    void* GetTarget() const override { return nullptr; }
    void SetTarget(ICCSSObject*) override {}
    bool Equals(const CGenericEventBase& other) const override {
        return other.GetTypeId() == typeid(CThreeArguments);
    }
    CGenericEventBase* Clone() const override { return new CThreeArguments(myNotes); }

private:
    Lines* myNotes;
};

class CButtonWidgetTest : public CWidgetTestBase {
protected:
    CButtonWidget* MakeButton() {
        auto* button = new CButtonWidget(Desktop(), {100, 100, 50, 20}, false, "button", "");
        button->GetClickSignal().Connect(&myListener, &CListener::Click);
        button->GetDoubleClickSignal().Connect(&myListener, &CListener::DoubleClick);
        button->GetDragSignal().Connect(&myListener, &CListener::Drag);
        return button;
    }
    void Wait(uint32_t ms) { myTime->now += ms; }

    CListener myListener;
};

TEST_F(CButtonWidgetTest, PressAndReleaseOnTheButtonClickOnce) {
    CButtonWidget* button = MakeButton();
    button->SetDoubleClickEnabled(false);
    Click(110, 105);
    EXPECT_EQ(myListener.notes, Lines{"click"});
    EXPECT_FALSE(button->IsPressed());

    // Leaving the button between press and release cancels the click.
    myListener.notes.clear();
    Move(110, 105);
    Press();
    EXPECT_TRUE(button->IsPressed());
    Move(300, 300);
    Release();
    EXPECT_FALSE(button->IsPressed());
    EXPECT_EQ(myListener.notes, Lines{"drag 190,195"}) << "no click, only the drag";

    // Other buttons do not click unless the mask says so.
    myListener.notes.clear();
    Move(110, 105);
    Press(BUTTON_RIGHT);
    Release(BUTTON_RIGHT);
    EXPECT_TRUE(myListener.notes.empty());
    button->SetClickMask(BUTTON_LEFT | BUTTON_RIGHT);
    Press(BUTTON_RIGHT);
    Release(BUTTON_RIGHT);
    EXPECT_EQ(myListener.notes, Lines{"click"});
    // A release without a press clicks nothing.
    Release();
    EXPECT_EQ(myListener.notes, Lines{"click"});
}

TEST_F(CButtonWidgetTest, TwoPressesWithinTheTimeMakeOneDoubleClick) {
    MakeButton()->SetDraggable(false);
    Move(110, 105);
    auto press = [&] {
        Press();
        Release();
    };
    press();
    Wait(299);
    press();  // double
    Wait(100);
    press();  // first of a new pair
    Wait(100);
    press();  // double
    Wait(50);
    press();  // first
    Wait(300);
    press();  // too late: the first of the next pair instead
    Wait(10);
    press();  // double
    int doubles = 0;
    for (const std::string& note : myListener.notes)
        doubles += note == "double";
    EXPECT_EQ(doubles, 3);
    EXPECT_EQ(myListener.notes.size(), 10u) << "seven clicks and three double-clicks";
}

TEST_F(CButtonWidgetTest, DraggingReportsTheMoveThatKeepsTheGrabPointUnderThePointer) {
    CButtonWidget* button = MakeButton();
    Move(105, 105);
    Press();
    EXPECT_TRUE(button->IsDragging());
    EXPECT_TRUE(CWidget::IsMouseCaptured(button));
    Move(300, 50);
    EXPECT_EQ(myListener.notes, Lines{"drag 195,-55"}) << "once, though it is captured and hit";
    EXPECT_EQ(button->GetRect(), types_rect(100, 100, 50, 20)) << "the button does not move itself";
    Release();
    EXPECT_FALSE(button->IsDragging());
    EXPECT_FALSE(CWidget::IsMouseCaptured(button));
    Move(400, 400);
    EXPECT_EQ(myListener.notes.size(), 1u);
    // Switched off in the middle of a drag: it lets go.
    Move(105, 105);
    Press();
    button->SetDraggable(false);
    EXPECT_FALSE(CWidget::IsMouseCaptured(button));
}

TEST_F(CButtonWidgetTest, TheModifiedButtonAddsItsTagToEverySignal) {
    auto* button = new CModifiedButtonWidget(Desktop(), {0, 0, 40, 40}, false, "tagged", "");
    button->SetTag(7);
    EXPECT_EQ(button->GetResizeMode(), CWidget::RESIZE_KEEP_CENTER);
    Lines notes;
    auto connect = [&](CSignal& signal, const std::string& name) {
        struct CNamed : CCSSObject<CNamed> {
            Lines* notes;
            std::string name;
            void Note(int tag) { notes->push_back(name + " " + std::to_string(tag)); }
        };
        auto* target = new CNamed;
        target->notes = &notes;
        target->name = name;
        signal.Connect(target, &CNamed::Note);
        return std::unique_ptr<CNamed>(target);
    };
    auto a = connect(button->GetClickSignal(), "click");
    auto b = connect(button->GetDoubleClickSignal(), "double");
    auto c = connect(button->GetMouseOverSignal(), "over");
    auto d = connect(button->GetMouseOutSignal(), "out");
    auto e = connect(button->GetPressedSignal(), "pressed");
    auto f = connect(button->GetReleasedSignal(), "released");
    button->GetDragSignal().Connect(new CSlot(new CThreeArguments(&notes), false));
    // A slot without the tag (no arguments) is not called by the modified button.
    button->GetClickSignal().Connect(&myListener, &CListener::Click);

    Move(10, 10);
    Press();
    Move(12, 15);
    Release();
    Press();
    Release();
    Move(100, 100);
    EXPECT_EQ(notes, (Lines{"over 7", "pressed 7", "drag 2,5 tag 7", "released 7", "click 7",
                            "pressed 7", "double 7", "released 7", "click 7", "out 7"}));
    EXPECT_TRUE(myListener.notes.empty());
}

}  // namespace
