#pragma once

#include <string>

#include "vorn/ui/CWidget.h"

namespace vorn::ui {

class CButtonWidget;

// A movable, resizable window: a title bar, a maximize button and a close
// button along the top, and a client area for the owner's widgets below.
//
//   title bar    click: to the front; drag: moves the window; double-click:
//                maximize or restore
//   maximize     click: maximize (fill the parent) or restore
//   close        click: sets the close request; the owner reads it
//                (IsCloseRequested) and destroys the window
//   border       pressing within BORDER pixels of an edge (CORNER pixels of a
//                corner take both edges) and dragging resizes the window, no
//                smaller than MIN_WIDTH x MIN_HEIGHT; the cursor shows the
//                edges while the pointer is on them
//
// Any press on the window brings it to the front of its siblings. It keeps
// its offset when its parent resizes (and fills it while maximized).
class CWindowWidget : public CWidget {
public:
    static constexpr int MIN_WIDTH = 100;
    static constexpr int MIN_HEIGHT = 50;
    static constexpr int BORDER = 3;
    static constexpr int CORNER = 20;
    enum Edge { EDGE_LEFT = 1, EDGE_RIGHT = 2, EDGE_TOP = 4, EDGE_BOTTOM = 8 };

    static const char* const TITLE_BAR_SPRITE;
    static const char* const MAXIMIZE_SPRITE;
    static const char* const CLOSE_SPRITE;

    CWindowWidget();
    CWindowWidget(CWidget* parent, const types_rect& rect, bool relative, const std::string& name,
                  const std::string& spriteFile);

    // A press brings the window to the front first.
    void HandleEvent(IEvent& event) override;
    // Border cursor and resizing.
    void OnMouseEvent(CMouseEvent& event) override;
    // Where the owner's widgets go.
    virtual CWidget* GetClientArea() const { return myClientArea; }

    CButtonWidget* GetTitleBar() const { return myTitleBar; }
    CButtonWidget* GetMaximizeButton() const { return myMaximizeButton; }
    CButtonWidget* GetCloseButton() const { return myCloseButton; }

    bool IsCloseRequested() const { return myCloseRequested; }
    void SetCloseRequested(bool requested) { myCloseRequested = requested; }
    void SetResizable(bool resizable);
    bool IsResizable() const { return myResizable; }
    bool IsMaximized() const { return myMaximized; }
    bool IsResizing() const { return myResizing; }
    int GetResizeEdges() const { return myResizeEdges; }
    void SetResizeMask(unsigned mask) { myResizeMask = mask; }

    // Fills the parent, remembering the rectangle; again: puts it back.
    void ToggleMaximize();

    // The edge set (Edge bits) of the point in rect; 0 when not on a border.
    static int GetEdgesAt(const types_rect& rect, int x, int y);
    // The cursor shape (CursorTypes.h) for an edge set; the arrow for none.
    static int GetCursorForEdges(int edges);

    // Slots of the title bar and the buttons.
    void OnTitleBarClick();
    void OnTitleBarDrag(int dx, int dy);
    void OnCloseClick();

private:
    void Build();
    void ShowBorderCursor(const CMouseEvent& event);
    void SetCursor(const CMouseEvent& event, int shape);
    void StartResizing(const CMouseEvent& event);
    void ResizeWithMouse(const CMouseEvent& event);

    CButtonWidget* myMaximizeButton = nullptr;
    CButtonWidget* myCloseButton = nullptr;
    CButtonWidget* myTitleBar = nullptr;
    CWidget* myClientArea = nullptr;
    bool myCloseRequested = false;
    bool myResizable = true;
    bool myMaximized = false;
    // Restored with the rectangle: maximizing switches resizing off.
    bool myResizableBeforeMaximize = true;
    types_rect mySavedRect;
    unsigned myResizeMask = BUTTON_LEFT;
    bool myResizing = false;
    // The window's position minus the pointer's at the press.
    types_point myResizeOffset;
    types_rect myResizeStart;
    int myResizeEdges = 0;
    bool myCursorChanged = false;
    // The shape this window set last (CursorTypes.h; 1 is the arrow).
    int myCursorShape = 1;
};

}  // namespace vorn::ui
