#pragma once

// The widget toolkit.
//
// Widgets form a tree rooted in the desktop (CDesktopWidget.h). A widget has
// a rectangle in absolute screen coordinates, an optional sprite drawn on it,
// owned children (the first in the list is the front-most) and a list of
// event types it ignores (see IEvent.h for the types).
//
// Layout texts. A widget may be placed by four arithmetic texts, for x, y, w
// and h, evaluated by the expression calculator (vorn/utils/calculator) when
// they are set and every time the parent changes size:
//
//   "parent.x + parent.w - 25"    "parent.y + 2"    "20"    "parent.h / 3"
//
// "parent.x", "parent.y", "parent.w", "parent.h" and "this.x", "this.y",
// "this.w", "this.h" stand for the current values. Unknown names drop out, a
// division by zero gives 0 and unbalanced parentheses are tolerated, so every
// text yields a number; results are cut toward zero and kept within
// +-LAYOUT_LIMIT. Four plain numbers set the rectangle once and drop the texts.
//
// Without texts a widget follows a resize of its parent by its resize mode:
// 0 keeps its offset (and is pulled back inside a clamping parent), 1 scales
// its offset and size, 2 keeps its centre at the same relative place.
//
// Depths. A widget's depth orders its sprite (lower is in front). Children lie
// below their parent in consecutive ranges, the front-most child lowest, so
// drawing agrees with hit testing: whatever is hit first is drawn on top.
//
// Events enter at the desktop and are routed down to the widget under the
// mouse (HandleEvent), with mouse-over and mouse-out tracking and click to
// focus. Widgets may be destroyed by anything they call (a signal handler
// deleting the window that holds the button): the routing notices and stops.
//
// Single-threaded: the UI task and the widgets' owners, on the engine thread.

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "vorn/ui/IEvent.h"
#include "vorn/ui/IEventBase.h"
#include "vorn/utils/math/CRect.h"
#include "vorn/utils/signalslot/CCSSObject.h"
#include "vorn/utils/smartptr/CSmartPtr.h"

namespace vorn {
class CSprite;
}

namespace vorn::ui {

class CWidget : public IEventBase, public CCSSObject<CWidget> {
public:
    enum ResizeMode { RESIZE_KEEP_OFFSET = 0, RESIZE_SCALE = 1, RESIZE_KEEP_CENTER = 2 };
    static constexpr int DEFAULT_DEPTH = 25;
    // Layout results and scaled values stay within this distance of 0.
    static constexpr int LAYOUT_LIMIT = 1000000000;

    // Watches one widget: IsAlive turns false once it is destroyed.
    class CGuard {
    public:
        CGuard() = default;
        bool IsAlive() const { return !myLife.expired(); }

    private:
        friend class CWidget;
        explicit CGuard(const std::shared_ptr<const char>& life) : myLife(life) {}
        std::weak_ptr<const char> myLife;
    };

    // A parentless widget with an empty rectangle and no sprite.
    CWidget();
    // rect is relative to the parent when relative is set. The widget joins
    // parent (which owns it from now on) in front of its other children. The
    // sprite is loaded from spriteFile (none for ""). Ignores focus events.
    CWidget(CWidget* parent, const types_rect& rect, bool relative, const std::string& name,
            const std::string& spriteFile);
    // Clears the focus and the widget under the mouse when they are this one,
    // leaves the capture list, destroys the children, leaves the parent,
    // releases the sprite and cuts the slots that target it.
    ~CWidget() override;
    CWidget(const CWidget&) = delete;
    CWidget& operator=(const CWidget&) = delete;

    // Routes mouse events (1, 4, 5) to the widget under the pointer and focus
    // requests (8) to the widget that takes them; other types are not routed.
    void HandleEvent(IEvent& event) override;

    virtual void SetPosition(const types_point& position);
    // Moves by (dx, dy) as far as the parent allows, children along.
    virtual void MoveBy(int dx, int dy);
    // Resizes as far as the parent allows; the children then re-place
    // themselves (OnParentResized).
    virtual void Resize(int w, int h);
    virtual int GetResizeMode() const { return myResizeMode; }
    virtual bool IsEventIgnored(int type) const;
    virtual void SetEventIgnored(int type, bool ignored);
    // Where a child asking for rect may go; unchanged here.
    virtual types_rect ConstrainChildRect(const types_rect& rect) const { return rect; }
    // Stores rect (negative sizes become 0) and places the sprite on it.
    virtual void SetRect(const types_rect& rect);
    virtual void UpdateSprite();
    virtual void UpdateSpriteDepth();
    // Re-places the widget after its parent changed from oldParentRect.
    virtual void OnParentResized(const types_rect& oldParentRect);

    void SetResizeMode(int mode) { myResizeMode = mode; }
    const types_rect& GetRect() const { return myRect; }
    // x and y relative to the parent's (absolute without a parent).
    types_rect GetRelativeRect() const;

    CWidget* GetParent() const { return myParent; }
    const std::vector<CWidget*>& GetChildren() const { return myChildren; }
    // Takes ownership of child (out of its previous parent) and puts it in
    // front of the other children. Null, this widget and its ancestors are
    // refused.
    void AddChild(CWidget* child);
    // Hands child back without destroying it: the caller owns it then.
    void RemoveChild(CWidget* child);
    // Puts child in front of its siblings.
    void BringChildToFront(CWidget* child);
    void BringToFront();

    std::string GetName() const override { return myName; }
    void SetName(const std::string& name) override { myName = name; }

    CSprite* GetSprite() const { return mySprite.Get(); }
    // Shares ownership of sprite and places it on the widget.
    void SetSprite(const CSmartPtr<CSprite>& sprite);

    // See the header comment. Plain numbers set the rectangle and drop the
    // texts; anything else is kept and evaluated at once. The children are
    // re-placed as after a resize.
    void SetLayout(const std::string& x, const std::string& y, const std::string& w,
                   const std::string& h);
    bool HasLayout() const { return myLayout != nullptr; }
    // The four texts; empty ones when there is no layout.
    std::array<std::string, 4> GetLayout() const;
    // The value of one layout text for this widget now.
    int EvaluateLayoutText(const std::string& text) const;
    // True when text counts as a plain number (a sign, digits and dots).
    static bool IsPlainNumber(const std::string& text);

    int GetDepth() const { return myDepth; }
    // How many depths the widget's subtree uses (1 for a leaf).
    int GetDepthSpan() const { return mySpan; }
    // Shifts the whole subtree so that this widget is at depth.
    void SetDepth(int depth);

    // The hit at this level for (x, y): none when the point is outside this
    // widget; else the first child after `after` (from the front when null)
    // that contains it; else this widget, unless `after` is this widget.
    CWidget* HitTest(int x, int y, const CWidget* after = nullptr) const;
    static bool Contains(const types_rect& rect, int x, int y);

    CGuard MakeGuard() const { return CGuard(myLife); }

    // Asks for the keyboard focus as a click on the widget would: the
    // previous holder loses it. False when the widget ignores focus.
    bool RequestFocus();

    // --- the one user interface's state --------------------------------------

    static CWidget* GetFocusedWidget();
    static CWidget* GetWidgetUnderMouse();
    // Widgets that get every mouse event wherever the pointer is (dragging);
    // not owned, left on destruction.
    static void AddMouseCapture(CWidget* widget);
    static void RemoveMouseCapture(CWidget* widget);
    static bool IsMouseCaptured(const CWidget* widget);
    static const std::vector<CWidget*>& GetMouseCaptureList();

    // Keeps the focused widget and the widget under the mouse while code that
    // must not disturb the running interface (a self-test) routes events of
    // its own: cleared at construction, put back (if still alive) afterwards.
    class CSavedState {
    public:
        CSavedState();
        ~CSavedState();
        CSavedState(const CSavedState&) = delete;
        CSavedState& operator=(const CSavedState&) = delete;

    private:
        CWidget* myFocused;
        CGuard myFocusedGuard;
        CWidget* myUnderMouse;
        CGuard myUnderMouseGuard;
    };

protected:
    // The routing's last step for a mouse event that this widget takes:
    // mouse-over bookkeeping, then OnMouseEvent. False when the widget died.
    bool DeliverMouseEvent(CMouseEvent& event);
    // Re-places every child as after a change of this widget from oldRect.
    void ReplaceChildren(const types_rect& oldRect);
    // Makes the widgets in list (null: none) count as already served with
    // the mouse event being routed, so that the routing does not hand it to
    // them again (the desktop serves its capture list first). Returns the
    // previous list, to be put back afterwards.
    static const std::vector<CWidget*>* ExchangeDeliveredList(const std::vector<CWidget*>* list);
    // Forgets the focus without telling anyone.
    static void ClearFocus();
    static void SetFocus(CWidget* widget);

private:
    struct CLayout {
        std::array<std::string, 4> texts;
    };

    void Init(CWidget* parent, const types_rect& rect, bool relative);
    // SetRect, with the children re-placed when the rectangle changed.
    void SetPlace(const types_rect& rect);
    void RouteMouseEvent(CMouseEvent& event);
    void RouteFocusRequest(CFocusEvent& event);
    types_rect EvaluateLayout() const;
    void RecomputeDepths();
    void AssignDepths(int depth);
    void ShiftDepths(int delta);
    static bool WasDelivered(const CWidget* widget);

    int myResizeMode = RESIZE_SCALE;
    types_rect myRect;
    CWidget* myParent = nullptr;
    std::vector<CWidget*> myChildren;
    std::string myName;
    std::vector<int> myIgnored;
    CSmartPtr<CSprite> mySprite;
    // The sprite is hidden because the widget has no size.
    bool mySpriteCollapsed = false;
    std::unique_ptr<CLayout> myLayout;
    int myDepth = DEFAULT_DEPTH;
    int mySpan = 1;
    // Expires with the widget; guards watch it.
    std::shared_ptr<const char> myLife = std::make_shared<const char>(0);
};

}  // namespace vorn::ui
