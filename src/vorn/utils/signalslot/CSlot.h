#pragma once

#include <memory>
#include <type_traits>

#include "vorn/utils/signalslot/CGenericEvent.h"
#include "vorn/utils/signalslot/CSSObject.h"
#include "vorn/utils/signalslot/ICCSSObject.h"

namespace vorn {

class CSignal;

// One connection: a bound callable (owned) and the links to both ends, the
// target object (whose slot list holds it) and the signal (which owns it once
// connected). Whichever end is destroyed first unlinks it from the other, so
// a slot never calls a destroyed object.
class CSlot {
public:
    // A slot around callable (owned, may be null) with no target: the
    // factory's prototypes, or free functions.
    CSlot(CGenericEventBase* callable, bool serializable);

    // A slot calling target->function, entered in target's slot list. The
    // serialisable flag comes from CSSObject<T>. Widgets connect to one
    // another this way; such a slot is written to XML only when its function
    // is also registered in the factory.
    template <class T, class C, class R, class... A>
    CSlot(T* target, R (C::*function)(A...))
        : CSlot(MakeGenericEvent<C>(target, function),
                CSSObject<T>::GetSingleton()->IsSerializable()) {
        static_assert(std::is_base_of_v<ICCSSObject, T>,
                      "a slot's target must be an ICCSSObject, whose destruction cuts the slot");
        static_assert(std::is_base_of_v<C, T>, "the function must belong to the target's class");
        AttachTo(target);
    }

    // Leaves the signal's list and the target's list.
    ~CSlot();
    CSlot(const CSlot&) = delete;
    CSlot& operator=(const CSlot&) = delete;

    // A new slot with a copy of the callable bound to target (null: unbound)
    // and the same serialisable flag; entered in target's slot list.
    CSlot* CloneFor(ICCSSObject* target) const;

    CGenericEventBase* GetCallable() const { return myCallable.get(); }
    ICCSSObject* GetTarget() const { return myTarget; }
    CSignal* GetSignal() const { return mySignal; }
    bool IsSerializable() const { return mySerializable; }

private:
    friend class CSignal;
    friend class ICCSSObject;

    void AttachTo(ICCSSObject* target);
    // Leaves the target's list and unbinds the callable.
    void DetachFromTarget();

    std::unique_ptr<CGenericEventBase> myCallable;
    ICCSSObject* myTarget = nullptr;
    CSignal* mySignal = nullptr;
    bool mySerializable;
};

}  // namespace vorn
