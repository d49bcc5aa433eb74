#include "vorn/input/CMouse.h"

#include <algorithm>
#include <cstdint>

#include "vorn/input/CEventBridge.h"
#include "vorn/input/IMouseHardware.h"
#include "vorn/input/IMouseable.h"

namespace vorn {

IMouseable::~IMouseable() {
    if (CMouse* mouse = CMouse::PeekSingleton()) mouse->Remove(this);
}

namespace {

constexpr size_t MAX_PRESSED_BUTTONS = 32;

bool Contains(const std::vector<IMouseable*>& list, const IMouseable* receiver) {
    return std::find(list.begin(), list.end(), receiver) != list.end();
}

// Computed in 64 bits: rectangles near the int limits must not overflow.
bool IsInside(const types_rect& rect, int x, int y) {
    return x >= rect.x && int64_t{x} < int64_t{rect.x} + rect.w && y >= rect.y &&
           int64_t{y} < int64_t{rect.y} + rect.h;
}

}  // namespace

CMouse::CMouse() {
    CEventBridge::GetSingleton()->AddMouseListener(this);
}

CMouse::~CMouse() = default;

void CMouse::AddMouseable(IMouseable* receiver) {
    if (!receiver || Contains(myPositional, receiver)) return;
    myPositional.push_back(receiver);
    ++myVersion;
}

void CMouse::AddGlobal(IMouseable* receiver) {
    if (!receiver || Contains(myGlobal, receiver)) return;
    myGlobal.push_back(receiver);
    ++myVersion;
}

void CMouse::RemoveGlobal(IMouseable* receiver) {
    myGlobal.erase(std::remove(myGlobal.begin(), myGlobal.end(), receiver), myGlobal.end());
    ++myVersion;
}

void CMouse::Remove(IMouseable* receiver) {
    myPositional.erase(std::remove(myPositional.begin(), myPositional.end(), receiver),
                       myPositional.end());
    RemoveGlobal(receiver);
    if (myHover == receiver) myHover = nullptr;
    myPressed.erase(std::remove_if(myPressed.begin(), myPressed.end(),
                                   [receiver](const auto& p) { return p.second == receiver; }),
                    myPressed.end());
}

bool CMouse::IsStillIn(const Snapshot& snapshot, const std::vector<IMouseable*>& list,
                       IMouseable* receiver) const {
    return snapshot.version == myVersion || Contains(list, receiver);
}

template <class Call>
void CMouse::WalkGlobal(Call call) {
    const Snapshot snapshot = Take(myGlobal);
    for (IMouseable* receiver : snapshot.receivers) {
        if (IsStillIn(snapshot, myGlobal, receiver)) call(receiver);
    }
}

void CMouse::OnMouseMove(int x, int y) {
    myX = x;
    myY = y;
    WalkGlobal([x, y](IMouseable* r) { r->OnMouseMove(x, y); });

    // The receivers under the pointer, up to the first blocking one.
    IMouseable* hover = nullptr;
    const Snapshot snapshot = Take(myPositional);
    for (IMouseable* receiver : snapshot.receivers) {
        if (!IsStillIn(snapshot, myPositional, receiver)) continue;
        if (!IsInside(receiver->GetRect(), x, y)) continue;
        const bool blocking = receiver->IsBlocking();
        receiver->OnMouseMove(x, y);
        const bool removed = !IsStillIn(snapshot, myPositional, receiver);
        if (blocking) {
            if (!removed) hover = receiver;
            break;
        }
    }

    // Store first: the out handler may move the mouse again.
    IMouseable* previous = myHover;
    myHover = hover;
    if (previous && previous != hover) previous->OnMouseOut(x, y);
}

void CMouse::OnMouseMoveRelative(int dx, int dy) {
    WalkGlobal([dx, dy](IMouseable* r) { r->OnMouseMoveRelative(dx, dy); });
}

void CMouse::OnMouseButtonDown(int button) {
    WalkGlobal([button](IMouseable* r) { r->OnMouseButtonDown(button); });

    const Snapshot snapshot = Take(myPositional);
    for (IMouseable* receiver : snapshot.receivers) {
        if (!IsStillIn(snapshot, myPositional, receiver)) continue;
        if (!IsInside(receiver->GetRect(), myX, myY)) continue;
        const bool blocking = receiver->IsBlocking();
        receiver->OnMouseButtonDown(button);
        // A receiver that went away in its handler is not remembered.
        if (!IsStillIn(snapshot, myPositional, receiver)) return;
        if (blocking) {
            SetPressed(button, receiver);
            return;
        }
    }
    // No blocking receiver took it: an earlier press of this button that is
    // still unreleased keeps its claim on the release.
}

void CMouse::OnMouseButtonUp(int button) {
    WalkGlobal([button](IMouseable* r) { r->OnMouseButtonUp(button); });

    IMouseable* pressed = GetPressed(button);
    bool pressedWasCalled = false;
    const Snapshot snapshot = Take(myPositional);
    for (IMouseable* receiver : snapshot.receivers) {
        if (!IsStillIn(snapshot, myPositional, receiver)) continue;
        if (!IsInside(receiver->GetRect(), myX, myY)) continue;
        const bool blocking = receiver->IsBlocking();
        receiver->OnMouseButtonUp(button);
        pressedWasCalled = pressedWasCalled || receiver == pressed;
        if (blocking) break;
    }

    // The press is answered either way; Remove() has already dropped the
    // claim of a receiver that went away meanwhile.
    pressed = TakePressed(button);
    if (pressed && !pressedWasCalled) pressed->OnMouseButtonUp(button);
}

void CMouse::HideCursor() {
    GetMouseHardware()->HideCursor();
}

void CMouse::ShowCursor() {
    GetMouseHardware()->ShowCursor();
}

void CMouse::SetCursor(int type) {
    GetMouseHardware()->SetCursor(type);
}

void CMouse::GrabInput(bool grab) {
    GetMouseHardware()->GrabInput(grab);
}

IMouseable* CMouse::GetPressed(int button) const {
    for (const auto& [pressedButton, receiver] : myPressed) {
        if (pressedButton == button) return receiver;
    }
    return nullptr;
}

void CMouse::SetPressed(int button, IMouseable* receiver) {
    for (auto& entry : myPressed) {
        if (entry.first == button) {
            entry.second = receiver;
            return;
        }
    }
    if (myPressed.size() < MAX_PRESSED_BUTTONS) myPressed.emplace_back(button, receiver);
}

IMouseable* CMouse::TakePressed(int button) {
    for (auto it = myPressed.begin(); it != myPressed.end(); ++it) {
        if (it->first == button) {
            IMouseable* receiver = it->second;
            myPressed.erase(it);
            return receiver;
        }
    }
    return nullptr;
}

}  // namespace vorn
