#pragma once

#include <cstdint>

#include "vorn/ui/CWidget.h"
#include "vorn/utils/timer/CTimer.h"

namespace vorn::ui {
class CButtonWidget;
}

namespace monsters {

class CEditorToolbar;

// A window of the toolbar that slides between a shown and a hidden place.
// It moves itself (not through the desktop's clamping: hidden means off the
// screen). The desktop owns it; the toolbar watches it with a guard.
class CSlidingWindow : public vorn::ui::CWidget {
public:
    enum State { SHOWN = 1, HIDDEN = 2 };

    CSlidingWindow(CEditorToolbar& toolbar, const vorn::types_rect& rect, const char* name,
                   float shownY, float hiddenY);

    // Sets the state and its target; the previous state and the time stay
    // for the slide to see.
    void SetState(int state, uint32_t now);
    int GetState() const { return myState; }
    int GetPreviousState() const { return myPreviousState; }
    bool IsSliding() const { return myState != myPreviousState; }
    float GetPositionY() const { return myY; }
    float GetTargetY() const { return myTargetY; }

    // One animation step: halves the distance to the target (hiding starts
    // SLIDE_OUT_DELAY ms after the change) and snaps when close.
    void Slide(uint32_t now);

    static constexpr uint32_t SLIDE_OUT_DELAY = 101;

protected:
    vorn::ui::CButtonWidget* AddButton(const vorn::types_rect& rect, const char* name,
                                       const char* spriteFile);
    CEditorToolbar& myToolbar;

private:
    void MoveWidgetTo(float x, float y);

    float myX;
    float myY;
    float myTargetX;
    float myTargetY;
    float myShownY;
    float myHiddenY;
    int myPreviousState = HIDDEN;
    int myState = HIDDEN;
    uint32_t myChangeTime = 0;
};

// The bar at the bottom of the editor: "quit" leaves the editor (saving the
// monster), "test" starts a test fight.
class CEditorMenuWindow : public CSlidingWindow {
public:
    explicit CEditorMenuWindow(CEditorToolbar& toolbar);
    void OnQuit();
    void OnTest();
};

// The bar at the top of a fight: "quit" ends the fight.
class CExitCombatWindow : public CSlidingWindow {
public:
    explicit CExitCombatWindow(CEditorToolbar& toolbar);
    void OnQuit();
};

// The editor's toolbar: two sliding windows on the UI desktop and the
// command the player chose, which the game takes once per frame.
class CEditorToolbar {
public:
    enum Command {
        COMMAND_NONE = 0,
        COMMAND_QUIT_EDITOR = 1,
        COMMAND_TEST_FIGHT = 2,
        COMMAND_STOP_FIGHT = 3
    };
    static constexpr uint32_t STEP_MS = 17;

    // Makes both windows (hidden) and shows the editor menu.
    CEditorToolbar();
    // Takes both windows off the desktop.
    ~CEditorToolbar();
    CEditorToolbar(const CEditorToolbar&) = delete;
    CEditorToolbar& operator=(const CEditorToolbar&) = delete;

    // Once per frame: slides the windows at most every STEP_MS.
    void Update();

    int GetCommand() const { return myCommand; }
    // The pending command, cleared.
    int TakeCommand();

    void ShowMenu();
    void HideMenu();
    void OpenExitWindow();
    void CloseExitWindow();

    // What the windows' buttons do.
    void OnMenuQuit();
    void OnMenuTest();
    void OnExitQuit();

    bool IsFirstFight() const { return myFirstFight; }
    void SetFirstFight(bool first) { myFirstFight = first; }
    // Null once the desktop destroyed them.
    CEditorMenuWindow* GetMenuWindow() const;
    CExitCombatWindow* GetExitWindow() const;

private:
    int myCommand = COMMAND_NONE;
    uint32_t myLastStep = 0;
    vorn::CTimer myTimer;
    bool myFirstFight = true;
    CEditorMenuWindow* myMenu;
    vorn::ui::CWidget::CGuard myMenuGuard;
    CExitCombatWindow* myExit;
    vorn::ui::CWidget::CGuard myExitGuard;
};

}  // namespace monsters
