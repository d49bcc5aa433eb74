#pragma once

namespace vorn::ui {

class IEvent;
class CMouseEvent;
class CKeyboardEvent;
class CFocusEvent;

// Something that user-interface events are given to. HandleEvent routes an
// event (a widget passes it on down its tree); the three handlers receive it
// and do nothing by default.
class IEventBase {
public:
    virtual ~IEventBase() = default;
    virtual void HandleEvent(IEvent& event) = 0;
    virtual void OnMouseEvent(CMouseEvent& event) { (void)event; }
    virtual void OnKeyboardEvent(CKeyboardEvent& event) { (void)event; }
    virtual void OnFocusEvent(CFocusEvent& event) { (void)event; }
};

}  // namespace vorn::ui
