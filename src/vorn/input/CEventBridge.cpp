#include "vorn/input/CEventBridge.h"

#include <algorithm>

#include "vorn/input/IKeyboardListener.h"
#include "vorn/input/IMouseListener.h"
#include "vorn/input/IWindowListener.h"

namespace vorn {

// Listeners leave the bridge when they die. Peek, so that a listener destroyed
// after the bridge (at process end) does not bring it back.
IWindowListener::~IWindowListener() {
    if (CEventBridge* bridge = CEventBridge::PeekSingleton()) bridge->RemoveWindowListener(this);
}
IKeyboardListener::~IKeyboardListener() {
    if (CEventBridge* bridge = CEventBridge::PeekSingleton()) bridge->RemoveKeyboardListener(this);
}
IMouseListener::~IMouseListener() {
    if (CEventBridge* bridge = CEventBridge::PeekSingleton()) bridge->RemoveMouseListener(this);
}

void CEventBridge::AddWindowListener(IWindowListener* listener) {
    if (!listener || myWindowListeners.count(listener)) return;
    myResizeHandlers.push_back(
        ResizeRecord{listener, std::make_unique<CEventResize<IWindowListener>>(listener)});
    myWindowListeners.insert(listener);
}

void CEventBridge::RemoveWindowListener(IWindowListener* listener) {
    RemoveResizeHandler(listener);
    myWindowListeners.erase(listener);
}

void CEventBridge::RemoveResizeHandler(const void* object) {
    myResizeHandlers.erase(
        std::remove_if(myResizeHandlers.begin(), myResizeHandlers.end(),
                       [object](const ResizeRecord& r) { return r.key == object; }),
        myResizeHandlers.end());
}

template <class Listener, class Call>
void CEventBridge::Notify(std::set<Listener*>& listeners, Call call) {
    // Walk a snapshot, skipping listeners that left meanwhile.
    const std::vector<Listener*> snapshot(listeners.begin(), listeners.end());
    for (Listener* listener : snapshot) {
        if (listeners.empty()) break;
        if (listeners.count(listener)) call(listener);
    }
}

void CEventBridge::OnResize(int width, int height) {
    myLastWidth = width;
    myLastHeight = height;
    // Handlers may register or unregister meanwhile: call each record of the
    // snapshot that is still registered, in registration order.
    std::vector<std::pair<const void*, CEventResizeBase*>> snapshot;
    for (const ResizeRecord& record : myResizeHandlers)
        snapshot.emplace_back(record.key, record.handler.get());
    for (const auto& entry : snapshot) {
        const bool present = std::any_of(
            myResizeHandlers.begin(), myResizeHandlers.end(), [&](const ResizeRecord& r) {
                return r.key == entry.first && r.handler.get() == entry.second;
            });
        if (present) entry.second->OnResize(width, height);
    }
}

void CEventBridge::OnFocus(bool gained) {
    Notify(myWindowListeners, [gained](IWindowListener* l) { l->OnFocus(gained); });
}

void CEventBridge::OnKeyDown(int key, uint8_t character) {
    OnKeyDown(key, character,
              character > 0 && character < 128 ? std::string(1, char(character)) : "");
}

void CEventBridge::OnKeyDown(int key, uint8_t character, const std::string& typed) {
    Notify(myKeyboardListeners, [key, character, &typed](IKeyboardListener* l) {
        l->SetCharacter(character);
        l->SetTypedText(typed);
        l->OnKeyDown(key);
    });
}

void CEventBridge::OnKeyUp(int key, uint8_t character) {
    Notify(myKeyboardListeners, [key, character](IKeyboardListener* l) {
        l->SetCharacter(character);
        l->SetTypedText("");
        l->OnKeyUp(key);
    });
}

void CEventBridge::OnMouseMove(int x, int y, int dx, int dy) {
    Notify(myMouseListeners, [&](IMouseListener* l) {
        l->OnMouseMove(x, y);
        // The listener may have left during OnMouseMove.
        if (myMouseListeners.count(l)) l->OnMouseMoveRelative(dx, dy);
    });
}

void CEventBridge::OnMouseButtonDown(int button) {
    Notify(myMouseListeners, [button](IMouseListener* l) { l->OnMouseButtonDown(button); });
}

void CEventBridge::OnMouseButtonUp(int button) {
    Notify(myMouseListeners, [button](IMouseListener* l) { l->OnMouseButtonUp(button); });
}

}  // namespace vorn
