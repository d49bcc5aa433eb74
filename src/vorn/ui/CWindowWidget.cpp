#include "vorn/ui/CWindowWidget.h"

#include <algorithm>

#include "vorn/input/CursorTypes.h"
#include "vorn/ui/CButtonWidget.h"
#include "vorn/ui/IMouse.h"

namespace vorn::ui {

// The buttons are animated sprite files over the images of the same name.
const char* const CWindowWidget::TITLE_BAR_SPRITE = "data/gui/titlebar.png";
const char* const CWindowWidget::MAXIMIZE_SPRITE = "data/gui/maximize.xml";
const char* const CWindowWidget::CLOSE_SPRITE = "data/gui/close.xml";

CWindowWidget::CWindowWidget() {
    Build();
}

CWindowWidget::CWindowWidget(CWidget* parent, const types_rect& rect, bool relative,
                             const std::string& name, const std::string& spriteFile)
    : CWidget(parent, rect, relative, name, spriteFile) {
    Build();
}

void CWindowWidget::Build() {
    SetResizeMode(RESIZE_KEEP_OFFSET);
    const types_rect none;
    const std::string& name = GetName();
    // Made back to front: each new child goes in front of the previous ones.
    myClientArea = new CWidget(this, none, false, name + ": client area", "");
    myClientArea->SetLayout("parent.x + 2", "parent.y + 22", "parent.w - 4", "parent.h - 24");
    myTitleBar = new CButtonWidget(this, none, false, name + ": title bar", TITLE_BAR_SPRITE);
    myTitleBar->SetLayout("parent.x + 2", "parent.y + 2", "parent.w - 4", "20");
    myMaximizeButton =
        new CButtonWidget(this, none, false, name + ": maximize button", MAXIMIZE_SPRITE);
    myMaximizeButton->SetLayout("parent.x + parent.w - 50", "parent.y + 2", "20", "20");
    myCloseButton = new CButtonWidget(this, none, false, name + ": close button", CLOSE_SPRITE);
    myCloseButton->SetLayout("parent.x + parent.w - 25", "parent.y + 2", "20", "20");
    for (CButtonWidget* button : {myMaximizeButton, myCloseButton}) {
        button->SetDoubleClickEnabled(false);
        button->SetDraggable(false);
    }

    myTitleBar->GetClickSignal().Connect(this, &CWindowWidget::OnTitleBarClick);
    myTitleBar->GetDragSignal().Connect(this, &CWindowWidget::OnTitleBarDrag);
    myTitleBar->GetDoubleClickSignal().Connect(this, &CWindowWidget::ToggleMaximize);
    myMaximizeButton->GetClickSignal().Connect(this, &CWindowWidget::ToggleMaximize);
    myCloseButton->GetClickSignal().Connect(this, &CWindowWidget::OnCloseClick);
}

void CWindowWidget::HandleEvent(IEvent& event) {
    if (event.type == EVENT_MOUSE_BUTTON_DOWN) BringToFront();
    CWidget::HandleEvent(event);
}

void CWindowWidget::OnTitleBarClick() {
    BringToFront();
}

void CWindowWidget::OnTitleBarDrag(int dx, int dy) {
    MoveBy(dx, dy);
}

void CWindowWidget::OnCloseClick() {
    myCloseRequested = true;
}

void CWindowWidget::SetResizable(bool resizable) {
    myResizable = resizable;
    if (!resizable && myResizing) {
        myResizing = false;
        RemoveMouseCapture(this);
    }
}

void CWindowWidget::ToggleMaximize() {
    if (!myMaximized) {
        mySavedRect = GetRect();
        myResizableBeforeMaximize = myResizable;
        SetResizable(false);
        SetResizeMode(RESIZE_SCALE);
        myMaximized = true;
        if (CWidget* parent = GetParent()) {
            const types_rect& area = parent->GetRect();
            SetPosition(types_point(area.x, area.y));
            Resize(area.w, area.h);
        }
    } else {
        myMaximized = false;
        SetResizable(myResizableBeforeMaximize);
        SetResizeMode(RESIZE_KEEP_OFFSET);
        // Size first: a full-size window cannot move anywhere in a clamping parent.
        Resize(mySavedRect.w, mySavedRect.h);
        SetPosition(types_point(mySavedRect.x, mySavedRect.y));
    }
    // The move and the resize have re-placed the children already.
}

// --- the border --------------------------------------------------------------------

int CWindowWidget::GetEdgesAt(const types_rect& rect, int x, int y) {
    if (!Contains(rect, x, y)) return 0;
    const int64_t left = int64_t(x) - rect.x;
    const int64_t right = int64_t(rect.x) + rect.w - 1 - x;
    const int64_t top = int64_t(y) - rect.y;
    const int64_t bottom = int64_t(rect.y) + rect.h - 1 - y;
    int edges = 0;
    if (left < BORDER) edges |= EDGE_LEFT;
    if (right < BORDER) edges |= EDGE_RIGHT;
    if (top < BORDER) edges |= EDGE_TOP;
    if (bottom < BORDER) edges |= EDGE_BOTTOM;
    // Near a corner the neighbouring edge counts too.
    if (edges & (EDGE_LEFT | EDGE_RIGHT)) {
        if (top < CORNER) edges |= EDGE_TOP;
        if (bottom < CORNER) edges |= EDGE_BOTTOM;
    }
    if (edges & (EDGE_TOP | EDGE_BOTTOM)) {
        if (left < CORNER) edges |= EDGE_LEFT;
        if (right < CORNER) edges |= EDGE_RIGHT;
    }
    return edges;
}

int CWindowWidget::GetCursorForEdges(int edges) {
    const bool left = edges & EDGE_LEFT, right = edges & EDGE_RIGHT;
    const bool top = edges & EDGE_TOP, bottom = edges & EDGE_BOTTOM;
    if ((left && top) || (right && bottom)) return CURSOR_RESIZE_DIAGONAL1;
    if ((left && bottom) || (right && top)) return CURSOR_RESIZE_DIAGONAL2;
    if (left || right) return CURSOR_RESIZE_HORIZONTAL;
    if (top || bottom) return CURSOR_RESIZE_VERTICAL;
    return CURSOR_ARROW;
}

void CWindowWidget::SetCursor(const CMouseEvent& event, int shape) {
    if (shape == myCursorShape) return;
    if (event.mouse) event.mouse->SetCursor(shape);
    myCursorShape = shape;
    myCursorChanged = shape != CURSOR_ARROW;
}

void CWindowWidget::ShowBorderCursor(const CMouseEvent& event) {
    const int edges = myResizable ? GetEdgesAt(GetRect(), event.x, event.y) : 0;
    if (edges) {
        SetCursor(event, GetCursorForEdges(edges));
    } else if (myCursorChanged) {
        SetCursor(event, CURSOR_ARROW);
    }
}

void CWindowWidget::OnMouseEvent(CMouseEvent& event) {
    switch (event.type) {
        case EVENT_MOUSE_MOVE:
            if (myResizing)
                ResizeWithMouse(event);
            else
                ShowBorderCursor(event);
            break;
        case EVENT_MOUSE_OUT:
            // While resizing the pointer may leave the window: keep the shape.
            if (myCursorChanged && !myResizing) SetCursor(event, CURSOR_ARROW);
            break;
        case EVENT_MOUSE_BUTTON_DOWN:
            if (myResizable && !myResizing && (event.buttons & myResizeMask)) StartResizing(event);
            break;
        case EVENT_MOUSE_BUTTON_UP:
            if (myResizing && (event.buttons & myResizeMask)) {
                myResizing = false;
                RemoveMouseCapture(this);
                ShowBorderCursor(event);
            }
            break;
        default:
            break;
    }
}

void CWindowWidget::StartResizing(const CMouseEvent& event) {
    const int edges = GetEdgesAt(GetRect(), event.x, event.y);
    if (!edges) return;
    myResizing = true;
    myResizeEdges = edges;
    myResizeStart = GetRect();
    myResizeOffset = types_point(GetRect().x - event.x, GetRect().y - event.y);
    AddMouseCapture(this);
    SetCursor(event, GetCursorForEdges(edges));
}

void CWindowWidget::ResizeWithMouse(const CMouseEvent& event) {
    const types_rect& start = myResizeStart;
    // How far the pointer went since the press.
    const int64_t dx = int64_t(event.x) + myResizeOffset.x - start.x;
    const int64_t dy = int64_t(event.y) + myResizeOffset.y - start.y;
    int64_t left = start.x, top = start.y;
    int64_t right = int64_t(start.x) + start.w, bottom = int64_t(start.y) + start.h;
    const int edges = myResizeEdges;
    if (edges & EDGE_LEFT) left += dx;
    if (edges & EDGE_RIGHT) right += dx;
    if (edges & EDGE_TOP) top += dy;
    if (edges & EDGE_BOTTOM) bottom += dy;

    // The dragged edges give way to the minimum size; the opposite ones stay.
    auto keepMinimum = [edges](int64_t& low, int64_t& high, int minimum, int lowEdge) {
        if (high - low >= minimum) return;
        if (edges & lowEdge)
            low = high - minimum;
        else
            high = low + minimum;
    };
    keepMinimum(left, right, MIN_WIDTH, EDGE_LEFT);
    keepMinimum(top, bottom, MIN_HEIGHT, EDGE_TOP);

    CWidget* parent = GetParent();
    auto makeRect = [&] {
        auto clampInt = [](int64_t v) {
            return int(std::clamp<int64_t>(v, -LAYOUT_LIMIT, LAYOUT_LIMIT));
        };
        return types_rect(clampInt(left), clampInt(top), clampInt(right - left),
                          clampInt(bottom - top));
    };
    types_rect result = makeRect();
    if (parent && parent->ConstrainChildRect(result) != result) {
        // A parent that pushes its children inside would shove the whole
        // window: stop the dragged edges at the parent's edges instead.
        const types_rect& area = parent->GetRect();
        if (edges & EDGE_LEFT) left = std::max<int64_t>(left, area.x);
        if (edges & EDGE_RIGHT) right = std::min<int64_t>(right, int64_t(area.x) + area.w);
        if (edges & EDGE_TOP) top = std::max<int64_t>(top, area.y);
        if (edges & EDGE_BOTTOM) bottom = std::min<int64_t>(bottom, int64_t(area.y) + area.h);
        result = parent->ConstrainChildRect(makeRect());
    }
    // The minimums again, moving the dragged left or top edge back.
    if (result.w < MIN_WIDTH) {
        if (edges & EDGE_LEFT) result.x -= MIN_WIDTH - result.w;
        result.w = MIN_WIDTH;
    }
    if (result.h < MIN_HEIGHT) {
        if (edges & EDGE_TOP) result.y -= MIN_HEIGHT - result.h;
        result.h = MIN_HEIGHT;
    }
    // Through sizes that fit a clamping parent all the way: shrink to what
    // both rectangles allow, move, then take the new size.
    const types_rect& now = GetRect();
    Resize(std::min(now.w, result.w), std::min(now.h, result.h));
    SetPosition(types_point(result.x, result.y));
    Resize(result.w, result.h);
}

}  // namespace vorn::ui
