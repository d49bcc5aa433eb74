#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "vorn/designpatterns/singleton/CSingleton.h"
#include "vorn/utils/smartptr/CSmartPtr.h"

namespace vorn {

class CKeyboardImpl;
class IKeyEvent;

// The keyboard: the down/up state of every key and the key bindings.
//
// Key transitions arrive from the event bridge and are only queued (presses
// and releases in two queues); Update(), once per frame, dispatches every
// queued press, then every queued release. For one key the key's bindings and
// the global listeners, both sorted by ascending priority, are walked merged:
// a global listener goes before the bindings whose priority is equal or
// higher. An event that answers StopsPropagation ends the dispatch of that key.
// The state byte of the key is set before any event runs, so a combination
// sees its last key as down.
//
// Key codes outside 0..KEY_COUNT-1 are refused wherever they come from.
// Created on first use; it registers itself with the event bridge.
class CKeyboard : public CSingleton<CKeyboard> {
public:
    // Transitions queued beyond this between two updates are dropped.
    static constexpr size_t MAX_QUEUED_KEYS = 256;

    ~CKeyboard();

    // Shares ownership of event and adds it to the key's bindings with that
    // priority. False (with a log line) for an invalid key or a null event.
    bool Bind(int key, const CSmartPtr<IKeyEvent>& event, int priority);
    // The event must be a CMultiKeyEvent; it is bound under each of its
    // distinct keys and given the state array. False (with a log line) when it
    // is not one, has no key or holds an invalid key.
    bool BindMulti(const CSmartPtr<IKeyEvent>& event, int priority);
    // A listener that sees every key, not owned: it stays until
    // RemoveListener or its destruction. Adding it again changes its priority.
    void AddListener(IKeyEvent* listener, int priority);
    void RemoveListener(IKeyEvent* listener);

    // Dispatches the transitions queued so far; those queued meanwhile (by the
    // events themselves) wait for the next update.
    void Update();

    bool IsKeyDown(int key) const;
    // KEY_COUNT bytes, 1 = down; valid as long as the keyboard lives.
    const uint8_t* GetState() const;
    // The character of the last key press (1..127, or 0 when it had none).
    uint8_t GetLastCharacter() const;
    size_t GetBindingCount(int key) const;
    size_t GetQueuedCount() const;

private:
    friend class CStaticSingleton<CKeyboard>;
    CKeyboard();

    std::unique_ptr<CKeyboardImpl> myImpl;
};

}  // namespace vorn
