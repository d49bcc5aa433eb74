#include "vorn/utils/signalslot/ICCSSObject.h"

#include <algorithm>

#include "vorn/console/CLog.h"
#include "vorn/utils/signalslot/CCSSSlotFactory.h"
#include "vorn/utils/signalslot/CSignal.h"
#include "vorn/utils/signalslot/CSlot.h"

namespace vorn {

ICCSSObject::ICCSSObject(const ICCSSObject&) : CAutoList<ICCSSObject>() {}

ICCSSObject& ICCSSObject::operator=(const ICCSSObject&) {
    // Connections belong to an object, not to its value.
    return *this;
}

ICCSSObject::~ICCSSObject() {
    DisconnectAll();
}

void ICCSSObject::DisconnectAll() {
    // Take the list first: deleting a slot would otherwise edit it under us.
    std::vector<CSlot*> slots;
    slots.swap(mySlots);
    for (CSlot* slot : slots) {
        slot->myTarget = nullptr;
        if (CGenericEventBase* callable = slot->GetCallable()) callable->SetTarget(nullptr);
        if (CSignal* signal = slot->GetSignal())
            signal->Remove(slot);
        else
            delete slot;  // never connected: nobody else owns it
    }
}

void ICCSSObject::RemoveSlot(CSlot* slot) {
    auto found = std::find(mySlots.begin(), mySlots.end(), slot);
    if (found != mySlots.end()) mySlots.erase(found);
}

CSlot* ICCSSObject::MakeSlot(const std::string& className, const std::string& functionName) {
    const CSlot* prototype =
        css::CCSSSlotFactory::GetSingleton()->GetPrototype(className, functionName);
    if (!prototype) return nullptr;
    CSlot* slot = prototype->CloneFor(this);
    // A function registered under a class it does not belong to cannot bind.
    if (!slot->GetCallable() || !slot->GetCallable()->GetTarget()) {
        CLog::GetSingleton()->Warning()
            << "Slot function \"" << functionName << "\" registered for class \"" << className
            << "\" cannot be called on object \"" << GetName() << "\"\n";
        delete slot;
        return nullptr;
    }
    return slot;
}

ICCSSObject* FindObjectByName(const std::string& name) {
    if (name.empty()) return nullptr;
    const CAutoList<ICCSSObject>::Entries* objects = CAutoList<ICCSSObject>::GetList();
    if (!objects) return nullptr;
    for (CAutoList<ICCSSObject>* entry : *objects) {
        ICCSSObject* object = CAutoList<ICCSSObject>::Instance(entry);
        if (object->GetName() == name) return object;
    }
    return nullptr;
}

}  // namespace vorn
