#pragma once

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "vorn/designpatterns/singleton/CStaticSingleton.h"
#include "vorn/utils/math/CRect.h"

namespace vorn {

class IWindowListener;
class IKeyboardListener;
class IMouseListener;

// Carries window, keyboard and mouse events from the back ends (event tasks,
// input playback) to the listeners. Listeners are notified in no fixed order.
// Every dispatch tolerates listeners that add or remove listeners (themselves
// included) while being notified: a listener removed during a dispatch is not
// called afterwards.
class CEventBridge {
public:
    static CEventBridge* GetSingleton() { return CStaticSingleton<CEventBridge>::GetSingleton(); }
    static CEventBridge* PeekSingleton() { return CStaticSingleton<CEventBridge>::PeekSingleton(); }

    // Resize handler: forwards a new window size to an object of some type.
    class CEventResizeBase {
    public:
        virtual ~CEventResizeBase() = default;
        virtual void OnResize(int width, int height) = 0;
    };
    template <class T>
    class CEventResize : public CEventResizeBase {
    public:
        explicit CEventResize(T* target) : myTarget(target) {}
        void OnResize(int width, int height) override { myTarget->OnResize(width, height); }

    private:
        T* myTarget;
    };

    // Window listeners get focus changes and, through a resize record, sizes.
    void AddWindowListener(IWindowListener* listener);
    void RemoveWindowListener(IWindowListener* listener);

    // Other objects with an OnResize(int, int) (or a CRect, which takes the size).
    template <class T>
    void AddResizeHandler(T* object) {
        myResizeHandlers.push_back(ResizeRecord{object, std::make_unique<CEventResize<T>>(object)});
    }
    void RemoveResizeHandler(const void* object);

    void AddKeyboardListener(IKeyboardListener* listener) { myKeyboardListeners.insert(listener); }
    void RemoveKeyboardListener(IKeyboardListener* listener) {
        myKeyboardListeners.erase(listener);
    }
    void AddMouseListener(IMouseListener* listener) { myMouseListeners.insert(listener); }
    void RemoveMouseListener(IMouseListener* listener) { myMouseListeners.erase(listener); }

    // Dispatch, called by the back ends.
    void OnResize(int width, int height);
    void OnFocus(bool gained);
    // character: 1..127 for keys that produce one, else 0. typed: what the
    // key types as UTF-8 (any character); without it the character's.
    void OnKeyDown(int key, uint8_t character);
    void OnKeyDown(int key, uint8_t character, const std::string& typed);
    void OnKeyUp(int key, uint8_t character);
    void OnMouseMove(int x, int y, int dx, int dy);
    void OnMouseButtonDown(int button);
    void OnMouseButtonUp(int button);

    int GetLastWidth() const { return myLastWidth; }
    int GetLastHeight() const { return myLastHeight; }

private:
    friend class CStaticSingleton<CEventBridge>;
    CEventBridge() = default;

    struct ResizeRecord {
        const void* key;  // the object served
        std::unique_ptr<CEventResizeBase> handler;
    };

    template <class Listener, class Call>
    void Notify(std::set<Listener*>& listeners, Call call);

    std::vector<ResizeRecord> myResizeHandlers;
    int myLastWidth = 0;
    int myLastHeight = 0;
    std::set<IWindowListener*> myWindowListeners;
    std::set<IKeyboardListener*> myKeyboardListeners;
    std::set<IMouseListener*> myMouseListeners;
};

// A rectangle as resize target stores the new size.
template <>
class CEventBridge::CEventResize<CRect<int32_t>> : public CEventBridge::CEventResizeBase {
public:
    explicit CEventResize(CRect<int32_t>* target) : myTarget(target) {}
    void OnResize(int width, int height) override {
        myTarget->w = width;
        myTarget->h = height;
    }

private:
    CRect<int32_t>* myTarget;
};

}  // namespace vorn
