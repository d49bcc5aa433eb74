#pragma once

#include <vector>

#include "vorn/utils/containers/CAnyContainer.h"
#include "vorn/utils/signalslot/CSlot.h"

namespace vorn {

class CXmlArchive;

// An ordered list of connections (owned CSlot objects), called in the order
// they were connected.
//
// Emission is safe against anything a slot may do while it runs:
// - disconnecting slots or destroying their targets: the slot is skipped from
//   then on and deleted once the outermost emission has finished;
// - connecting slots: they are called from the next emission on;
// - destroying the signal itself (a widget deleted in its own click handler):
//   the emission stops at once, touching nothing of the signal, and Emit
//   returns false so that the caller, too, knows to touch nothing of its own.
//
// In XML a signal is a list of "Slot" elements whose attributes "target" and
// "function" name the target object and the function registered in
// css::CCSSSlotFactory:
//   <click>
//     <Slot function="OnOk" target="name_dialog" >
//     </Slot>
//   </click>
// Reading connects what it can find by name; see Serialize.
class CSignal {
public:
    CSignal() = default;
    // Unlinks every slot from its target and deletes it.
    ~CSignal();
    CSignal(const CSignal&) = delete;
    CSignal& operator=(const CSignal&) = delete;

    // Appends slot and takes it (from another signal, if it had one); null
    // and a slot already connected here are ignored. Returns slot.
    CSlot* Connect(CSlot* slot);
    // Connect(new CSlot(target, function)).
    template <class T, class C, class R, class... A>
    CSlot* Connect(T* target, R (C::*function)(A...)) {
        return Connect(new CSlot(target, function));
    }
    // Cuts slot (when connected here) and deletes it.
    void Disconnect(CSlot* slot);
    void DisconnectAll();

    // Calls every slot's call of the same arity with the values wrapped in
    // CAnyContainers; slots of another arity ignore the emission. False when
    // the signal was destroyed by one of its slots.
    bool Emit();
    bool Emit(const CAnyContainer& a);
    bool Emit(const CAnyContainer& a, const CAnyContainer& b);
    bool Emit(const CAnyContainer& a, const CAnyContainer& b, const CAnyContainer& c);

    // The live connections in order.
    std::vector<CSlot*> GetSlots() const;
    int GetSlotCount() const;
    bool IsEmitting() const { return myEmission != nullptr; }

    // Writing: one "Slot" element per slot that is serialisable, whose target
    // has a name and whose function is registered; other slots are left out.
    // Reading: connects each "Slot" child whose target is a live object and
    // whose function that object's class has registered, unless the signal
    // already has that connection. Children that cannot be connected are
    // skipped with one warning line for the whole signal.
    void Serialize(CXmlArchive& archive);

private:
    friend class CSlot;
    friend class ICCSSObject;
    struct CEmission;

    template <class Invoke>
    bool EmitEach(const Invoke& invoke);
    // Drops slot from the list without deleting it.
    void Forget(CSlot* slot);
    // Drops slot and deletes it, after the emission if one is running.
    void Remove(CSlot* slot);
    // After the outermost emission: closes the gaps, deletes removed slots.
    void Compact();
    bool HasConnection(const CSlot& slot) const;
    void Write(CXmlArchive& archive) const;
    void Read(CXmlArchive& archive);

    // Owned; null entries are slots dropped during an emission.
    std::vector<CSlot*> mySlots;
    // Slots removed during an emission, deleted after it.
    std::vector<CSlot*> myRemoved;
    // The innermost running emission (they nest when a slot emits again).
    CEmission* myEmission = nullptr;
};

}  // namespace vorn
