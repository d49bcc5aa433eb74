#include "monsters/CEditorToolbar.h"

#include <cmath>

#include "vorn/console/CLog.h"
#include "vorn/ui/CButtonWidget.h"
#include "vorn/ui/CDesktopWidget.h"

namespace monsters {

using vorn::types_rect;
using vorn::ui::CButtonWidget;
using vorn::ui::CDesktopWidget;

namespace {

const char* const QUIT_BUTTON_SPRITE = "data/gfx/editor_quitbutton.xml";
const char* const TEST_BUTTON_SPRITE = "data/gfx/editor_testbutton.xml";

void DebugLine(const char* text) {
    vorn::CLog::GetSingleton()->Debug() << text << "\n";
}

}  // namespace

// --- CSlidingWindow -----------------------------------------------------------------

CSlidingWindow::CSlidingWindow(CEditorToolbar& toolbar, const types_rect& rect, const char* name,
                               float shownY, float hiddenY)
    : CWidget(CDesktopWidget::GetSingleton(), types_rect(), false, name, ""),
      myToolbar(toolbar),
      myX(float(rect.x)),
      myY(float(rect.y)),
      myTargetX(float(rect.x)),
      myTargetY(float(rect.y)),
      myShownY(shownY),
      myHiddenY(hiddenY) {
    // Hidden lies off the screen, where the desktop would not let a window go.
    SetRect(rect);
}

CButtonWidget* CSlidingWindow::AddButton(const types_rect& rect, const char* name,
                                         const char* spriteFile) {
    return new CButtonWidget(this, rect, true, name, spriteFile);
}

void CSlidingWindow::SetState(int state, uint32_t now) {
    // Asking for the state it is in changes nothing: a slide under way goes on.
    if (state == myState) return;
    myPreviousState = myState;
    myState = state;
    myChangeTime = now;
    myTargetY = state == SHOWN ? myShownY : myHiddenY;
}

void CSlidingWindow::Slide(uint32_t now) {
    if (myState == myPreviousState) return;
    if (myState == HIDDEN && now - myChangeTime < SLIDE_OUT_DELAY) return;
    if (myX != myTargetX || myY != myTargetY) {
        myX += (myTargetX - myX) / 2.0f;
        myY += (myTargetY - myY) / 2.0f;
    }
    const float dx = myTargetX - myX;
    const float dy = myTargetY - myY;
    if (dx * dx + dy * dy < 0.5f) {
        myX = myTargetX;
        myY = myTargetY;
        myPreviousState = myState;
    }
    MoveWidgetTo(myX, myY);
}

void CSlidingWindow::MoveWidgetTo(float x, float y) {
    const types_rect old = GetRect();
    const types_rect place(int(x), int(y), old.w, old.h);
    if (place == old) return;
    SetRect(place);
    ReplaceChildren(old);
}

// --- the two windows ------------------------------------------------------------------

CEditorMenuWindow::CEditorMenuWindow(CEditorToolbar& toolbar)
    : CSlidingWindow(toolbar, types_rect(0, 600, 800, 94), "editor_menu", 506.0f, 600.0f) {
    AddButton(types_rect(5, 0, 145, 75), "quit_button", QUIT_BUTTON_SPRITE)
        ->GetClickSignal()
        .Connect(this, &CEditorMenuWindow::OnQuit);
    AddButton(types_rect(650, 0, 145, 75), "test_button", TEST_BUTTON_SPRITE)
        ->GetClickSignal()
        .Connect(this, &CEditorMenuWindow::OnTest);
}

void CEditorMenuWindow::OnQuit() {
    myToolbar.OnMenuQuit();
}

void CEditorMenuWindow::OnTest() {
    myToolbar.OnMenuTest();
}

CExitCombatWindow::CExitCombatWindow(CEditorToolbar& toolbar)
    : CSlidingWindow(toolbar, types_rect(0, -100, 800, 94), "exit_menu", 5.0f, -100.0f) {
    AddButton(types_rect(5, 0, 145, 75), "quit_button", QUIT_BUTTON_SPRITE)
        ->GetClickSignal()
        .Connect(this, &CExitCombatWindow::OnQuit);
}

void CExitCombatWindow::OnQuit() {
    myToolbar.OnExitQuit();
}

// --- CEditorToolbar -------------------------------------------------------------------

CEditorToolbar::CEditorToolbar()
    : myMenu(new CEditorMenuWindow(*this)),
      myMenuGuard(myMenu->MakeGuard()),
      myExit(new CExitCombatWindow(*this)),
      myExitGuard(myExit->MakeGuard()) {
    ShowMenu();
}

CEditorToolbar::~CEditorToolbar() {
    delete GetMenuWindow();
    delete GetExitWindow();
}

CEditorMenuWindow* CEditorToolbar::GetMenuWindow() const {
    return myMenuGuard.IsAlive() ? myMenu : nullptr;
}

CExitCombatWindow* CEditorToolbar::GetExitWindow() const {
    return myExitGuard.IsAlive() ? myExit : nullptr;
}

int CEditorToolbar::TakeCommand() {
    const int command = myCommand;
    myCommand = COMMAND_NONE;
    return command;
}

void CEditorToolbar::Update() {
    const uint32_t now = myTimer.GetTime();
    if (now - myLastStep <= STEP_MS) return;
    myLastStep = now;
    if (CSlidingWindow* menu = GetMenuWindow()) menu->Slide(now);
    if (CSlidingWindow* exit = GetExitWindow()) exit->Slide(now);
}

void CEditorToolbar::ShowMenu() {
    if (CSlidingWindow* menu = GetMenuWindow())
        menu->SetState(CSlidingWindow::SHOWN, myTimer.GetTime());
}

void CEditorToolbar::HideMenu() {
    if (CSlidingWindow* menu = GetMenuWindow())
        menu->SetState(CSlidingWindow::HIDDEN, myTimer.GetTime());
}

void CEditorToolbar::OpenExitWindow() {
    DebugLine("OpenMenu() called");
    if (CSlidingWindow* exit = GetExitWindow())
        exit->SetState(CSlidingWindow::SHOWN, myTimer.GetTime());
}

void CEditorToolbar::CloseExitWindow() {
    DebugLine("CloseMenu() called");
    if (CSlidingWindow* exit = GetExitWindow())
        exit->SetState(CSlidingWindow::HIDDEN, myTimer.GetTime());
}

void CEditorToolbar::OnMenuQuit() {
    DebugLine("Quit Called()!");
    HideMenu();
    myCommand = COMMAND_QUIT_EDITOR;
}

void CEditorToolbar::OnMenuTest() {
    DebugLine("Test Called()!");
    HideMenu();
    OpenExitWindow();
    myCommand = COMMAND_TEST_FIGHT;
}

void CEditorToolbar::OnExitQuit() {
    CloseExitWindow();
    ShowMenu();
    myCommand = COMMAND_STOP_FIGHT;
}

}  // namespace monsters
