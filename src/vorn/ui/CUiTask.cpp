#include "vorn/ui/CUiTask.h"

#include "vorn/gfx/Gfx.h"
#include "vorn/gfx/IPixel.h"
#include "vorn/input/CEventBridge.h"
#include "vorn/input/CKeyboard.h"
#include "vorn/ui/CDesktopWidget.h"
#include "vorn/ui/CVornToUiKeyboard.h"
#include "vorn/ui/CVornToUiMouse.h"

namespace vorn::ui {

int CUiTask::ourRunningCount = 0;

CUiTask::CUiTask()
    : myMouse(std::make_unique<CVornToUiMouse>()),
      myKeyboard(std::make_unique<CVornToUiKeyboard>()) {}

CUiTask::~CUiTask() {
    StopListening();
}

bool CUiTask::CFocusKeyBlocker::OnKeyDown(int key) {
    myKey = key;
    myStops = myOwner->TakeArrivedKey(key, true);
    return false;
}

bool CUiTask::CFocusKeyBlocker::OnKeyUp(int key) {
    myKey = key;
    myStops = myOwner->TakeArrivedKey(key, false);
    return false;
}

bool CUiTask::CFocusKeyBlocker::StopsPropagation() const {
    if (myKey >= 0) return myStops;
    return CWidget::GetFocusedWidget() != nullptr;
}

void CUiTask::NoteArrivedKey(int key, bool down) {
    if (myArrivedKeys.size() >= MAX_ARRIVED_KEYS) myArrivedKeys.pop_front();
    myArrivedKeys.push_back(CArrivedKey{key, down, CWidget::GetFocusedWidget() != nullptr});
}

bool CUiTask::TakeArrivedKey(int key, bool down) {
    // The keyboard dispatches presses before releases: match the direction too.
    for (auto it = myArrivedKeys.begin(); it != myArrivedKeys.end(); ++it) {
        if (it->key != key || it->down != down) continue;
        const bool focused = it->focused;
        myArrivedKeys.erase(it);
        return focused;
    }
    return CWidget::GetFocusedWidget() != nullptr;
}

bool CUiTask::Init() {
    CEventBridge* bridge = CEventBridge::GetSingleton();
    bridge->AddKeyboardListener(this);
    bridge->AddMouseListener(this);
    bridge->AddWindowListener(this);
    CKeyboard::GetSingleton()->AddListener(&myBlocker, KEY_LISTENER_PRIORITY);
    if (!myListening) ++ourRunningCount;
    myListening = true;

    // The window's size: the last one the bridge carried, else the screen's.
    int width = bridge->GetLastWidth();
    int height = bridge->GetLastHeight();
    if ((width <= 0 || height <= 0) && Gfx::GetScreenSurface()) {
        width = Gfx::GetScreenSurface()->GetWidth();
        height = Gfx::GetScreenSurface()->GetHeight();
    }
    CDesktopWidget* desktop = CDesktopWidget::GetSingleton();
    if (width > 0 && height > 0) desktop->Resize(width, height);
    return true;
}

void CUiTask::Update() {
    if (CDesktopWidget* desktop = CDesktopWidget::PeekSingleton()) desktop->UpdateKeyRepeat();
}

void CUiTask::Exit() {
    StopListening();
    CDesktopWidget::DeleteSingleton();
}

void CUiTask::StopListening() {
    if (!myListening) return;
    myListening = false;
    --ourRunningCount;
    myArrivedKeys.clear();
    if (CEventBridge* bridge = CEventBridge::PeekSingleton()) {
        bridge->RemoveKeyboardListener(this);
        bridge->RemoveMouseListener(this);
        bridge->RemoveWindowListener(this);
    }
    if (CKeyboard* keyboard = CKeyboard::PeekSingleton()) keyboard->RemoveListener(&myBlocker);
}

void CUiTask::OnKeyDown(int key) {
    NoteArrivedKey(key, true);
    myKeyboard->OnKeyPressed(key);
    CKeyboardEvent event(EVENT_KEY_DOWN, key, GetCharacter(), GetTypedText());
    CDesktopWidget::GetSingleton()->HandleEvent(event);
}

void CUiTask::OnKeyUp(int key) {
    NoteArrivedKey(key, false);
    myKeyboard->OnKeyReleased(key);
    CKeyboardEvent event(EVENT_KEY_UP, key);
    CDesktopWidget::GetSingleton()->HandleEvent(event);
}

void CUiTask::OnMouseMove(int x, int y) {
    myMouse->MoveTo(x, y);
    CMouseEvent event(EVENT_MOUSE_MOVE, x, y, myMouse->GetButtons(), myMouse.get());
    CDesktopWidget::GetSingleton()->HandleEvent(event);
}

void CUiTask::OnMouseButtonDown(int button) {
    // Buttons are bits: nothing else (a negative value would be all of them).
    if (button <= 0) return;
    myMouse->Press(unsigned(button));
    const types_point at = myMouse->GetPosition();
    CMouseEvent event(EVENT_MOUSE_BUTTON_DOWN, at.x, at.y, unsigned(button), myMouse.get());
    CDesktopWidget::GetSingleton()->HandleEvent(event);
}

void CUiTask::OnMouseButtonUp(int button) {
    if (button <= 0) return;
    myMouse->Release(unsigned(button));
    const types_point at = myMouse->GetPosition();
    CMouseEvent event(EVENT_MOUSE_BUTTON_UP, at.x, at.y, unsigned(button), myMouse.get());
    CDesktopWidget::GetSingleton()->HandleEvent(event);
}

void CUiTask::OnResize(int width, int height) {
    CDesktopWidget::GetSingleton()->Resize(width, height);
}

void CUiTask::OnFocus(bool gained) {
    if (gained) return;
    if (CDesktopWidget* desktop = CDesktopWidget::PeekSingleton()) desktop->ReleaseAllKeys();
}

}  // namespace vorn::ui
