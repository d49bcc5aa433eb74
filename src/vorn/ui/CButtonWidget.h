#pragma once

#include <string>

#include "vorn/ui/CWidget.h"
#include "vorn/utils/signalslot/CSignal.h"
#include "vorn/utils/timer/CTimer.h"

namespace vorn::ui {

// A clickable sprite. It plays the animations "mouse_over", "mouse_out",
// "mouse_button_down" and "mouse_button_up" on its sprite and emits:
//
//   click          a press and a release of a click-mask button on it, with
//                  the pointer not leaving it in between
//   double-click   a second press within DOUBLE_CLICK_TIME ms of the first
//   drag (dx, dy)  while dragged with a drag-mask button: the move that keeps
//                  the grabbed point under the pointer. The button does not
//                  move itself; whoever listens moves it.
//
// While dragged the button is in the mouse capture list, so it follows a
// pointer that slips off it. A slot may destroy the button (or its window):
// the button then stops at once. Keeps its centre when its parent resizes.
class CButtonWidget : public CWidget {
public:
    static constexpr uint32_t DOUBLE_CLICK_TIME = 300;

    CButtonWidget();
    CButtonWidget(CWidget* parent, const types_rect& rect, bool relative, const std::string& name,
                  const std::string& spriteFile);

    void OnMouseEvent(CMouseEvent& event) override;

    CSignal& GetClickSignal() { return myClick; }
    // Slots take (int dx, int dy).
    CSignal& GetDragSignal() { return myDrag; }
    CSignal& GetDoubleClickSignal() { return myDoubleClick; }

    // Free for the owner's use.
    const std::string& GetString() const { return myString; }
    void SetString(const std::string& text) { myString = text; }

    void SetClickMask(unsigned mask) { myClickMask = mask; }
    unsigned GetClickMask() const { return myClickMask; }
    bool IsPressed() const { return myPressed; }
    void SetDoubleClickEnabled(bool enabled);
    bool IsDoubleClickEnabled() const { return myDoubleClickEnabled; }
    void SetDoubleClickMask(unsigned mask) { myDoubleClickMask = mask; }
    // Ends a drag in progress when switched off.
    void SetDraggable(bool draggable);
    bool IsDraggable() const { return myDraggable; }
    void SetDragMask(unsigned mask) { myDragMask = mask; }
    bool IsDragging() const { return myDragging; }

protected:
    // What the button emits; each returns false when a slot destroyed the
    // button. Subclasses add arguments.
    virtual bool EmitClick() { return myClick.Emit(); }
    virtual bool EmitDoubleClick() { return myDoubleClick.Emit(); }
    virtual bool EmitDrag(int dx, int dy) { return myDrag.Emit(dx, dy); }
    // Hooks for the mouse entering and leaving, a press and a release of a
    // click-mask button; same return as above.
    virtual bool OnOver() { return true; }
    virtual bool OnOut() { return true; }
    virtual bool OnPressed() { return true; }
    virtual bool OnReleased() { return true; }

    CSignal myClick;
    CSignal myDrag;
    CSignal myDoubleClick;

private:
    void Setup();
    void Play(const char* animation);
    bool Press(const CMouseEvent& event);
    bool Release(const CMouseEvent& event);

    std::string myString;
    unsigned myClickMask = BUTTON_LEFT;
    bool myPressed = false;
    bool myDoubleClickEnabled = true;
    unsigned myDoubleClickMask = BUTTON_LEFT;
    CTimer myDoubleClickTimer;
    bool myFirstClickPending = false;
    bool myDraggable = true;
    unsigned myDragMask = BUTTON_LEFT;
    bool myDragging = false;
    int myDragOffsetX = 0;
    int myDragOffsetY = 0;
};

}  // namespace vorn::ui
