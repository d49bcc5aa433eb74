#include "vorn/input/CKeyboard.h"

#include <algorithm>
#include <array>
#include <deque>
#include <map>
#include <vector>

#include "vorn/console/CLog.h"
#include "vorn/input/CEventBridge.h"
#include "vorn/input/CMultiKeyEvent.h"
#include "vorn/input/IKeyEvent.h"
#include "vorn/input/IKeyboardListener.h"
#include "vorn/input/KeyNames.h"

namespace vorn {

IKeyEvent::~IKeyEvent() {
    if (CKeyboard* keyboard = CKeyboard::PeekSingleton()) keyboard->RemoveListener(this);
}

// The keyboard's state and the bridge side: queues transitions as they come.
class CKeyboardImpl : public IKeyboardListener {
public:
    CKeyboardImpl() { CEventBridge::GetSingleton()->AddKeyboardListener(this); }

    void OnKeyDown(int key) override {
        myLastCharacter = GetCharacter();
        Enqueue(myPressed, key);
    }
    void OnKeyUp(int key) override { Enqueue(myReleased, key); }

    void Dispatch(int key, bool down);

    struct Listener {
        IKeyEvent* event;
        int priority;
    };

    uint8_t myLastCharacter = 0;
    std::deque<int> myPressed;
    std::deque<int> myReleased;
    std::array<uint8_t, KEY_COUNT> myState{};
    std::map<int, std::vector<CSmartPtr<IKeyEvent>>> myBindings;
    std::vector<Listener> myListeners;

private:
    void Enqueue(std::deque<int>& queue, int key);
    bool IsListening(const IKeyEvent* event) const {
        return std::any_of(myListeners.begin(), myListeners.end(),
                           [event](const Listener& l) { return l.event == event; });
    }

    bool myWarnedRange = false;
    bool myWarnedFull = false;
};

void CKeyboardImpl::Enqueue(std::deque<int>& queue, int key) {
    if (!IsValidKeyCode(key)) {
        if (!myWarnedRange)
            CLog::GetSingleton()->Printf("[WARNING] CKeyboard: ignoring key code %d\n", key);
        myWarnedRange = true;
        return;
    }
    if (queue.size() >= CKeyboard::MAX_QUEUED_KEYS) {
        // Nobody updates the keyboard: do not grow without end.
        if (!myWarnedFull)
            CLog::GetSingleton()->Printf("[WARNING] CKeyboard: key queue full, keys dropped\n");
        myWarnedFull = true;
        return;
    }
    queue.push_back(key);
}

void CKeyboardImpl::Dispatch(int key, bool down) {
    myState[key] = down ? 1 : 0;

    // Events may bind, unbind or destroy listeners while they run: walk copies.
    // The smart pointers keep the bindings alive; a listener gone meanwhile is
    // skipped and never touched again.
    std::vector<CSmartPtr<IKeyEvent>> bindings;
    auto found = myBindings.find(key);
    if (found != myBindings.end()) bindings = found->second;
    const std::vector<Listener> listeners = myListeners;

    // Visits one event; true when the dispatch of this key ends.
    auto visit = [&](IKeyEvent* event, bool isListener) {
        if (isListener && !IsListening(event)) return false;
        if (down && event->ListensKeyDown()) event->OnKeyDown(key);
        if (!down && event->ListensKeyUp()) event->OnKeyUp(key);
        if (isListener && !IsListening(event)) return false;
        return event->StopsPropagation();
    };

    size_t next = 0;
    for (const CSmartPtr<IKeyEvent>& binding : bindings) {
        const int priority = binding->GetPriority();
        while (next < listeners.size() && listeners[next].priority <= priority) {
            if (visit(listeners[next++].event, true)) return;
        }
        if (visit(binding.Get(), false)) return;
    }
    while (next < listeners.size()) {
        if (visit(listeners[next++].event, true)) return;
    }
}

CKeyboard::CKeyboard() : myImpl(new CKeyboardImpl) {}

CKeyboard::~CKeyboard() {
    // Events may outlive the keyboard in other hands: take the state back.
    for (auto& entry : myImpl->myBindings)
        for (auto& event : entry.second)
            event->SetKeyboardState(nullptr);
}

bool CKeyboard::Bind(int key, const CSmartPtr<IKeyEvent>& event, int priority) {
    if (!event) return false;
    if (!IsValidKeyCode(key)) {
        CLog::GetSingleton()->Printf("[WARNING] CKeyboard::Bind: invalid key code %d\n", key);
        return false;
    }
    event->SetPriority(priority);
    event->SetKeyboardState(myImpl->myState.data());
    // After every binding of equal priority: equal priorities keep their order.
    auto& list = myImpl->myBindings[key];
    auto at =
        std::upper_bound(list.begin(), list.end(), priority,
                         [](int p, const CSmartPtr<IKeyEvent>& e) { return p < e->GetPriority(); });
    list.insert(at, event);
    return true;
}

bool CKeyboard::BindMulti(const CSmartPtr<IKeyEvent>& event, int priority) {
    auto* multi = dynamic_cast<CMultiKeyEvent*>(event.Get());
    if (!multi) {
        CLog::GetSingleton()->Printf("[WARNING] CKeyboard::BindMulti: not a key combination\n");
        return false;
    }
    std::vector<int> keys = multi->GetKeys();
    const bool valid = !keys.empty() && std::all_of(keys.begin(), keys.end(), IsValidKeyCode);
    if (!valid) {
        CLog::GetSingleton()->Printf("[WARNING] CKeyboard::BindMulti: invalid key combination\n");
        return false;
    }
    // A key named twice must not run the event twice per press.
    std::sort(keys.begin(), keys.end());
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    for (int key : keys)
        Bind(key, event, priority);
    return true;
}

void CKeyboard::AddListener(IKeyEvent* listener, int priority) {
    if (!listener) return;
    RemoveListener(listener);
    listener->SetPriority(priority);
    auto& list = myImpl->myListeners;
    list.push_back({listener, priority});
    std::stable_sort(list.begin(), list.end(),
                     [](const auto& a, const auto& b) { return a.priority < b.priority; });
}

void CKeyboard::RemoveListener(IKeyEvent* listener) {
    auto& list = myImpl->myListeners;
    list.erase(std::remove_if(list.begin(), list.end(),
                              [listener](const auto& l) { return l.event == listener; }),
               list.end());
}

void CKeyboard::Update() {
    std::deque<int> presses;
    std::deque<int> releases;
    presses.swap(myImpl->myPressed);
    releases.swap(myImpl->myReleased);
    for (int key : presses)
        myImpl->Dispatch(key, true);
    for (int key : releases)
        myImpl->Dispatch(key, false);
}

bool CKeyboard::IsKeyDown(int key) const {
    return IsValidKeyCode(key) && myImpl->myState[key] != 0;
}

const uint8_t* CKeyboard::GetState() const {
    return myImpl->myState.data();
}

uint8_t CKeyboard::GetLastCharacter() const {
    return myImpl->myLastCharacter;
}

size_t CKeyboard::GetBindingCount(int key) const {
    auto found = myImpl->myBindings.find(key);
    return found == myImpl->myBindings.end() ? 0 : found->second.size();
}

size_t CKeyboard::GetQueuedCount() const {
    return myImpl->myPressed.size() + myImpl->myReleased.size();
}

}  // namespace vorn
