#include "vorn/ui/UiSelfTests.h"

#include <vector>

#include "vorn/ui/CButtonWidget.h"
#include "vorn/ui/CWidget.h"
#include "vorn/utils/SelfTests.h"

namespace vorn::selftests {

namespace {

using ui::CFocusEvent;
using ui::CMouseEvent;
using ui::CWidget;

// Notes every mouse and focus event as type * 100 + its tag.
class CNotingWidget : public CWidget {
public:
    CNotingWidget(CWidget* parent, const types_rect& rect, int tag, std::vector<int>* notes)
        : CWidget(parent, rect, false, "selftest", ""), myTag(tag), myNotes(notes) {}
    void OnMouseEvent(CMouseEvent& event) override { myNotes->push_back(event.type * 100 + myTag); }
    void OnFocusEvent(CFocusEvent& event) override { myNotes->push_back(event.type * 100 + myTag); }

private:
    int myTag;
    std::vector<int>* myNotes;
};

// Deletes a widget when told to: a click handler that destroys its own button.
class CDeleter : public CCSSObject<CDeleter> {
public:
    void Delete() {
        delete myVictim;
        myVictim = nullptr;
    }
    CWidget* myVictim = nullptr;
};

void Send(CWidget& root, int type, int x, int y, unsigned buttons = ui::BUTTON_LEFT) {
    CMouseEvent event(type, x, y, buttons);
    root.HandleEvent(event);
}

}  // namespace

int CWidgetTest() {
    const CWidget::CSavedState saved;

    // Layout texts follow the parent; plain numbers drop them.
    CWidget root(nullptr, types_rect(0, 0, 800, 600), false, "selftest root", "");
    auto* parent = new CWidget(&root, types_rect(100, 50, 300, 200), false, "parent", "");
    auto* child = new CWidget(parent, types_rect(), false, "child", "");
    child->SetLayout("parent.x + parent.w - 25", "parent.y + 2", "20", "20");
    SELFTEST_CHECK(child->GetRect() == types_rect(375, 52, 20, 20));
    parent->Resize(400, 200);
    SELFTEST_CHECK(child->GetRect() == types_rect(475, 52, 20, 20));
    child->SetLayout("10", "20", "30", "40");
    SELFTEST_CHECK(!child->HasLayout() && child->GetRect() == types_rect(10, 20, 30, 40));
    SELFTEST_CHECK(CWidget::IsPlainNumber("-5") && !CWidget::IsPlainNumber("5 - 1"));
    // Texts that make no sense still give a place, never a failure.
    child->SetLayout("nothing.x + 5", "( 1 + 2", "10 / 0", "this.q - 4");
    SELFTEST_CHECK(child->GetRect() == types_rect(5, 3, 0, 0));

    // Moving a parent moves its subtree; scaling doubles offset and size.
    child->SetLayout("110", "60", "50", "20");
    parent->MoveBy(5, 5);
    SELFTEST_CHECK(child->GetRect() == types_rect(115, 65, 50, 20));
    parent->Resize(800, 200);
    SELFTEST_CHECK(child->GetRect() == types_rect(125, 65, 100, 20));

    // The front-most child is hit first and drawn in front (lower depth).
    std::vector<int> notes;
    auto* back = new CNotingWidget(parent, types_rect(200, 100, 50, 50), 1, &notes);
    auto* front = new CNotingWidget(parent, types_rect(240, 100, 50, 50), 2, &notes);
    SELFTEST_CHECK(parent->HitTest(245, 110) == front && front->GetDepth() < back->GetDepth());
    SELFTEST_CHECK(back->GetDepth() < parent->GetDepth());

    // From one sibling to the other: out, over, then the move itself.
    Send(root, ui::EVENT_MOUSE_MOVE, 210, 110);
    notes.clear();
    Send(root, ui::EVENT_MOUSE_MOVE, 260, 110);
    SELFTEST_CHECK((notes == std::vector<int>{201, 302, 102}));

    // An ignoring widget lets the event fall through to the one beneath.
    front->SetEventIgnored(ui::EVENT_MOUSE_BUTTON_DOWN, true);
    notes.clear();
    Send(root, ui::EVENT_MOUSE_BUTTON_DOWN, 245, 110);
    SELFTEST_CHECK((notes == std::vector<int>{202, 301, 401}));

    // Click to focus: the taker gets the request, the previous holder loses it.
    back->SetEventIgnored(ui::EVENT_FOCUS_REQUEST, false);
    back->SetEventIgnored(ui::EVENT_FOCUS_LOST, false);
    front->SetEventIgnored(ui::EVENT_FOCUS_REQUEST, false);
    notes.clear();
    CFocusEvent first(ui::EVENT_FOCUS_REQUEST, 210, 110);
    root.HandleEvent(first);
    CFocusEvent second(ui::EVENT_FOCUS_REQUEST, 280, 110);
    root.HandleEvent(second);
    SELFTEST_CHECK(first.handled && second.handled && CWidget::GetFocusedWidget() == front);
    SELFTEST_CHECK((notes == std::vector<int>{801, 901, 802}));

    // A button whose click destroys it (and its parent) stops cleanly.
    auto* holder = new CWidget(&root, types_rect(500, 400, 100, 100), false, "holder", "");
    auto* button = new ui::CButtonWidget(holder, types_rect(510, 410, 30, 20), false, "b", "");
    CDeleter deleter;
    deleter.myVictim = holder;
    button->GetClickSignal().Connect(&deleter, &CDeleter::Delete);
    Send(root, ui::EVENT_MOUSE_BUTTON_DOWN, 515, 415);
    Send(root, ui::EVENT_MOUSE_BUTTON_UP, 515, 415);
    SELFTEST_CHECK(deleter.myVictim == nullptr && root.GetChildren().size() == 1);
    SELFTEST_CHECK(!CWidget::IsMouseCaptured(button));
    return 0;
}

}  // namespace vorn::selftests
