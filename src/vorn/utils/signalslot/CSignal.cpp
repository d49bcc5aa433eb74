#include "vorn/utils/signalslot/CSignal.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "vorn/console/CLog.h"
#include "vorn/utils/signalslot/CCSSSlotFactory.h"
#include "vorn/utils/xml/CXmlArchive.h"
#include "vorn/utils/xml/XmlText.h"

namespace vorn {

namespace {

const char* const SLOT_ELEMENT = "Slot";
const char* const TARGET_ATTRIBUTE = "target";
const char* const FUNCTION_ATTRIBUTE = "function";

}  // namespace

// One running emission, on the emitter's stack. The signal's destructor marks
// every running emission of it destroyed and hands its slots to the
// outermost one, which deletes them once no slot of the signal is running.
struct CSignal::CEmission {
    explicit CEmission(CSignal* signal) : mySignal(signal), myOuter(signal->myEmission) {
        signal->myEmission = this;
    }
    ~CEmission() {
        for (CSlot* slot : myOrphans)
            delete slot;
        if (myDestroyed) return;
        mySignal->myEmission = myOuter;
        if (!myOuter) mySignal->Compact();
    }
    CEmission(const CEmission&) = delete;
    CEmission& operator=(const CEmission&) = delete;

    CSignal* mySignal;
    CEmission* myOuter;
    bool myDestroyed = false;
    std::vector<CSlot*> myOrphans;
};

CSignal::~CSignal() {
    CEmission* outermost = nullptr;
    for (CEmission* emission = myEmission; emission; emission = emission->myOuter) {
        emission->myDestroyed = true;
        outermost = emission;
    }
    std::vector<CSlot*> slots;
    slots.swap(mySlots);
    slots.insert(slots.end(), myRemoved.begin(), myRemoved.end());
    myRemoved.clear();
    for (CSlot* slot : slots) {
        if (!slot) continue;
        slot->mySignal = nullptr;
        slot->DetachFromTarget();
        // A slot may be running right now: its callable must outlive the call.
        if (outermost)
            outermost->myOrphans.push_back(slot);
        else
            delete slot;
    }
}

CSlot* CSignal::Connect(CSlot* slot) {
    if (!slot || slot->mySignal == this) return slot;
    if (slot->mySignal) slot->mySignal->Forget(slot);
    slot->mySignal = this;
    mySlots.push_back(slot);
    return slot;
}

void CSignal::Disconnect(CSlot* slot) {
    if (slot && slot->mySignal == this) Remove(slot);
}

void CSignal::DisconnectAll() {
    const std::vector<CSlot*> slots = GetSlots();
    for (CSlot* slot : slots)
        Remove(slot);
}

void CSignal::Forget(CSlot* slot) {
    auto found = std::find(mySlots.begin(), mySlots.end(), slot);
    if (found != mySlots.end()) {
        // While emitting, indices must stay put: leave a gap.
        if (myEmission)
            *found = nullptr;
        else
            mySlots.erase(found);
    }
    slot->mySignal = nullptr;
}

void CSignal::Remove(CSlot* slot) {
    Forget(slot);
    slot->DetachFromTarget();
    if (myEmission)
        myRemoved.push_back(slot);
    else
        delete slot;
}

void CSignal::Compact() {
    mySlots.erase(std::remove(mySlots.begin(), mySlots.end(), nullptr), mySlots.end());
    std::vector<CSlot*> removed;
    removed.swap(myRemoved);
    for (CSlot* slot : removed)
        delete slot;
}

template <class Invoke>
bool CSignal::EmitEach(const Invoke& invoke) {
    CEmission emission(this);
    // Slots connected by a slot wait for the next emission.
    const size_t count = mySlots.size();
    for (size_t i = 0; i < count; ++i) {
        CSlot* slot = mySlots[i];
        if (!slot || !slot->GetCallable()) continue;
        invoke(*slot->GetCallable());
        if (emission.myDestroyed) return false;
    }
    return true;
}

bool CSignal::Emit() {
    return EmitEach([](CGenericEventBase& callable) { callable.Call(); });
}

// The arguments are copied first: a slot may destroy what they refer to.
bool CSignal::Emit(const CAnyContainer& a) {
    const CAnyContainer first(a);
    return EmitEach([&](CGenericEventBase& callable) { callable.Call(first); });
}

bool CSignal::Emit(const CAnyContainer& a, const CAnyContainer& b) {
    const CAnyContainer first(a);
    const CAnyContainer second(b);
    return EmitEach([&](CGenericEventBase& callable) { callable.Call(first, second); });
}

bool CSignal::Emit(const CAnyContainer& a, const CAnyContainer& b, const CAnyContainer& c) {
    const CAnyContainer first(a);
    const CAnyContainer second(b);
    const CAnyContainer third(c);
    return EmitEach([&](CGenericEventBase& callable) { callable.Call(first, second, third); });
}

std::vector<CSlot*> CSignal::GetSlots() const {
    std::vector<CSlot*> slots;
    for (CSlot* slot : mySlots) {
        if (slot) slots.push_back(slot);
    }
    return slots;
}

int CSignal::GetSlotCount() const {
    return static_cast<int>(mySlots.size() - std::count(mySlots.begin(), mySlots.end(), nullptr));
}

bool CSignal::HasConnection(const CSlot& other) const {
    for (const CSlot* slot : mySlots) {
        if (slot && slot != &other && slot->GetTarget() == other.GetTarget() &&
            slot->GetCallable() && other.GetCallable() &&
            slot->GetCallable()->Equals(*other.GetCallable()))
            return true;
    }
    return false;
}

void CSignal::Serialize(CXmlArchive& archive) {
    if (archive.IsWriting())
        Write(archive);
    else
        Read(archive);
}

void CSignal::Write(CXmlArchive& archive) const {
    const css::CCSSSlotFactory* factory = css::CCSSSlotFactory::GetSingleton();
    for (const CSlot* slot : mySlots) {
        if (!slot || !slot->IsSerializable() || !slot->GetCallable() || !slot->GetTarget())
            continue;
        const ICCSSObject* target = slot->GetTarget();
        std::string targetName = target->GetName();
        std::string functionName =
            factory->FindFunctionName(*slot->GetCallable(), target->GetClassName());
        if (targetName.empty() || functionName.empty()) continue;
        archive.BeginChild(SLOT_ELEMENT);
        archive.Attribute(TARGET_ATTRIBUTE, targetName);
        archive.Attribute(FUNCTION_ATTRIBUTE, functionName);
        archive.EndChild(SLOT_ELEMENT);
    }
}

void CSignal::Read(CXmlArchive& archive) {
    const CXmlElement* element = archive.GetCurrentElement();
    if (!element) return;
    int failed = 0;
    std::string firstProblem;
    auto fail = [&](const std::string& problem) {
        if (failed++ == 0) firstProblem = problem;
    };

    for (int i = 0; i < element->GetChildCount(); ++i) {
        const CXmlElement* child = element->GetChild(i);
        if (child->GetName() != SLOT_ELEMENT) {
            fail("an element \"" + XmlPrintable(child->GetName()) + "\" that is not a Slot");
            continue;
        }
        const std::string targetName = child->GetAttribute(TARGET_ATTRIBUTE).GetString();
        const std::string functionName = child->GetAttribute(FUNCTION_ATTRIBUTE).GetString();
        if (targetName.empty() || functionName.empty()) {
            fail("a Slot without a target or a function");
            continue;
        }
        ICCSSObject* target = FindObjectByName(targetName);
        if (!target) {
            fail("no object is named \"" + XmlPrintable(targetName) + "\"");
            continue;
        }
        CSlot* slot = target->GetSlot(functionName);
        if (!slot) {
            fail("object \"" + XmlPrintable(targetName) + "\" of class \"" +
                 XmlPrintable(target->GetClassName()) + "\" has no slot function \"" +
                 XmlPrintable(functionName) + "\"");
            continue;
        }
        // Restoring a connection that is already made must not double it.
        if (HasConnection(*slot))
            delete slot;
        else
            Connect(slot);
    }
    archive.SkipChildren(SLOT_ELEMENT);

    if (failed > 0) {
        CLog::GetSingleton()->Warning()
            << "Signal \"" << XmlPrintable(element->GetName()) << "\": " << failed
            << " connection(s) could not be restored, the first: " << firstProblem << "\n";
    }
}

}  // namespace vorn
