#pragma once

#include "vorn/ui/CButtonWidget.h"

namespace vorn::ui {

// A button whose every signal carries its tag as the last argument, for
// owners that connect many buttons to one slot: click(tag), double-click(tag),
// drag(dx, dy, tag), and four more: mouse out(tag), mouse over(tag),
// pressed(tag) and released(tag) (a click-mask button going down on it, and
// up again after such a press). The tag is 0 until the owner sets it.
class CModifiedButtonWidget : public CButtonWidget {
public:
    CModifiedButtonWidget() = default;
    CModifiedButtonWidget(CWidget* parent, const types_rect& rect, bool relative,
                          const std::string& name, const std::string& spriteFile)
        : CButtonWidget(parent, rect, relative, name, spriteFile) {}

    CSignal& GetMouseOutSignal() { return myMouseOut; }
    CSignal& GetMouseOverSignal() { return myMouseOver; }
    CSignal& GetPressedSignal() { return myPressedSignal; }
    CSignal& GetReleasedSignal() { return myReleasedSignal; }

    void SetTag(int tag) { myTag = tag; }
    int GetTag() const { return myTag; }

protected:
    bool EmitClick() override { return myClick.Emit(myTag); }
    bool EmitDoubleClick() override { return myDoubleClick.Emit(myTag); }
    bool EmitDrag(int dx, int dy) override { return myDrag.Emit(dx, dy, myTag); }
    bool OnOver() override { return myMouseOver.Emit(myTag); }
    bool OnOut() override { return myMouseOut.Emit(myTag); }
    bool OnPressed() override { return myPressedSignal.Emit(myTag); }
    bool OnReleased() override { return myReleasedSignal.Emit(myTag); }

private:
    CSignal myMouseOut;
    CSignal myMouseOver;
    CSignal myPressedSignal;
    CSignal myReleasedSignal;
    int myTag = 0;
};

}  // namespace vorn::ui
