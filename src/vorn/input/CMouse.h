#pragma once

#include <cstddef>
#include <utility>
#include <vector>

#include "vorn/designpatterns/singleton/CStaticSingleton.h"
#include "vorn/input/IMouseListener.h"

namespace vorn {

class IMouseable;

// Hands the mouse events of the event bridge to receivers (IMouseable):
//
// - global receivers get every event, wherever the pointer is (dragging);
// - positional receivers get events only while the pointer is inside their
//   rectangle. They are tried in insertion order (not by depth: add the
//   front-most first), and a blocking receiver hides the ones after it.
//
// Motion: the positional receivers under the pointer get OnMouseMove up to the
// first blocking one, which becomes the hover receiver; the previous hover
// receiver gets OnMouseOut once the pointer is no longer over it.
// Buttons: the receivers under the last position get the event up to the
// first blocking one, which is remembered as pressed for that button. A
// pressed receiver always gets the matching release, even when the pointer
// has left it, and no release without a press.
//
// Receivers may add or remove receivers (themselves included) from inside
// their handlers: a receiver removed during a walk is not called afterwards.
// Created on first use; it registers itself with the event bridge.
class CMouse : public IMouseListener {
public:
    static CMouse* GetSingleton() { return CStaticSingleton<CMouse>::GetSingleton(); }
    static CMouse* PeekSingleton() { return CStaticSingleton<CMouse>::PeekSingleton(); }
    static void DeleteSingleton() { CStaticSingleton<CMouse>::DeleteSingleton(); }

    // Receivers are not owned. Adding one that is already there does nothing.
    void AddMouseable(IMouseable* receiver);
    void AddGlobal(IMouseable* receiver);
    void RemoveGlobal(IMouseable* receiver);
    // Removes it from both lists and forgets it as hover or pressed receiver.
    void Remove(IMouseable* receiver);

    void OnMouseMove(int x, int y) override;
    void OnMouseMoveRelative(int dx, int dy) override;
    void OnMouseButtonDown(int button) override;
    void OnMouseButtonUp(int button) override;

    // The cursor, through the registered mouse hardware (IMouseHardware.h);
    // nothing happens while none is registered.
    void HideCursor();
    void ShowCursor();
    void SetCursor(int type);
    void GrabInput(bool grab);

    int GetX() const { return myX; }
    int GetY() const { return myY; }
    IMouseable* GetHover() const { return myHover; }
    // The receiver that took the press of button and waits for its release.
    IMouseable* GetPressed(int button) const;
    size_t GetMouseableCount() const { return myPositional.size(); }
    size_t GetGlobalCount() const { return myGlobal.size(); }

private:
    friend class CStaticSingleton<CMouse>;
    CMouse();
    ~CMouse() override;

    // A copy of a receiver list taken before a walk, with the list's version
    // so that membership is only checked after a change.
    struct Snapshot {
        std::vector<IMouseable*> receivers;
        unsigned long version;
    };
    Snapshot Take(const std::vector<IMouseable*>& list) const { return {list, myVersion}; }
    bool IsStillIn(const Snapshot& snapshot, const std::vector<IMouseable*>& list,
                   IMouseable* receiver) const;
    template <class Call>
    void WalkGlobal(Call call);

    void SetPressed(int button, IMouseable* receiver);
    IMouseable* TakePressed(int button);

    std::vector<IMouseable*> myPositional;
    std::vector<IMouseable*> myGlobal;
    IMouseable* myHover = nullptr;
    // Per button value; bounded, since buttons come from files too.
    std::vector<std::pair<int, IMouseable*>> myPressed;
    unsigned long myVersion = 0;
    int myX = 0;
    int myY = 0;
};

}  // namespace vorn
