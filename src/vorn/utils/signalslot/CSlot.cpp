#include "vorn/utils/signalslot/CSlot.h"

#include "vorn/utils/signalslot/CSignal.h"

namespace vorn {

CSlot::CSlot(CGenericEventBase* callable, bool serializable)
    : myCallable(callable), mySerializable(serializable) {}

CSlot::~CSlot() {
    if (mySignal) mySignal->Forget(this);
    DetachFromTarget();
}

CSlot* CSlot::CloneFor(ICCSSObject* target) const {
    CGenericEventBase* callable = myCallable ? myCallable->Clone() : nullptr;
    if (callable) callable->SetTarget(target);
    CSlot* slot = new CSlot(callable, mySerializable);
    slot->AttachTo(target);
    return slot;
}

void CSlot::AttachTo(ICCSSObject* target) {
    if (!target) return;
    myTarget = target;
    target->AddSlot(this);
}

void CSlot::DetachFromTarget() {
    if (myTarget) {
        myTarget->RemoveSlot(this);
        myTarget = nullptr;
    }
    if (myCallable) myCallable->SetTarget(nullptr);
}

}  // namespace vorn
