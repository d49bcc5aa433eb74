#pragma once

#include <deque>
#include <memory>

#include "vorn/input/IKeyEvent.h"
#include "vorn/input/IKeyboardListener.h"
#include "vorn/input/IMouseListener.h"
#include "vorn/input/IWindowListener.h"
#include "vorn/tasks/CTask.h"

namespace vorn::ui {

class CVornToUiKeyboard;
class CVornToUiMouse;

// Task type "ui": connects the engine's input to the widgets. It listens to
// the event bridge and hands every key, mouse move and mouse button to the
// desktop (CDesktopWidget) as a widget event, in the order they arrive;
// window resizes resize the desktop, whose widgets re-place themselves. Each
// frame it repeats held keys for the focused widget.
//
// While a widget has the keyboard focus, key bindings of a priority above
// KEY_LISTENER_PRIORITY do not run, so that typing into a text field does not
// fire bound commands; bindings of a lower priority (a console toggle) still do.
// What counts is whether a widget had the focus when the key arrived (the
// keyboard runs bindings later in the frame): a key that closes a text field
// (Escape in the console) does not also fire its binding, and keys that
// arrive before a field opens are not swallowed by it.
//
// Stopping the task destroys the desktop with every widget on it.
class CUiTask : public CTask,
                public IKeyboardListener,
                public IMouseListener,
                public IWindowListener {
public:
    static constexpr int KEY_LISTENER_PRIORITY = 5;

    CUiTask();
    ~CUiTask() override;

    // Listens to the bridge and the keyboard; makes the desktop the size of
    // the window.
    bool Init() override;
    // Key repeat.
    void Update() override;
    // Stops listening and destroys the desktop.
    void Exit() override;

    void OnKeyDown(int key) override;
    void OnKeyUp(int key) override;
    void OnMouseMove(int x, int y) override;
    void OnMouseButtonDown(int button) override;
    void OnMouseButtonUp(int button) override;
    void OnResize(int width, int height) override;
    // Losing the window forgets the held keys: their releases go elsewhere.
    void OnFocus(bool gained) override;

    // True while a UI task is started (running or paused) and not stopped:
    // only then do widgets receive input.
    static bool IsAnyRunning() { return ourRunningCount > 0; }

    CVornToUiMouse* GetMouseView() const { return myMouse.get(); }
    CVornToUiKeyboard* GetKeyboardView() const { return myKeyboard.get(); }
    // The part that the keyboard asks whether to go on with a key.
    IKeyEvent* GetKeyBlocker() { return &myBlocker; }

private:
    // A global key listener of the keyboard that ends the dispatch of a key
    // that arrived while a widget had the focus.
    class CFocusKeyBlocker : public IKeyEvent {
    public:
        explicit CFocusKeyBlocker(CUiTask* owner) : myOwner(owner) {}
        bool Fire(int key) override {
            (void)key;
            return false;
        }
        bool OnKeyDown(int key) override;
        bool OnKeyUp(int key) override;
        bool ListensKeyUp() const override { return true; }
        // For the key just visited; for any other, whether a widget has the
        // focus now.
        bool StopsPropagation() const override;

    private:
        CUiTask* myOwner;
        int myKey = -1;
        bool myStops = false;
    };

    // The keys handed to the desktop, oldest first, with whether a widget had
    // the focus then; the blocker takes them as the keyboard dispatches them.
    struct CArrivedKey {
        int key;
        bool down;
        bool focused;
    };
    static constexpr size_t MAX_ARRIVED_KEYS = 512;
    void NoteArrivedKey(int key, bool down);
    // Whether a widget had the focus when that key arrived (now, when it is
    // not known).
    bool TakeArrivedKey(int key, bool down);

    void StopListening();

    std::unique_ptr<CVornToUiMouse> myMouse;
    std::unique_ptr<CVornToUiKeyboard> myKeyboard;
    bool myListening = false;
    std::deque<CArrivedKey> myArrivedKeys;
    CFocusKeyBlocker myBlocker{this};
    static int ourRunningCount;
};

}  // namespace vorn::ui
