#include "vorn/utils/signalslot/CCSSSlotFactory.h"

#include "vorn/console/CLog.h"
#include "vorn/utils/signalslot/CSlot.h"

namespace vorn::css {

namespace {

// The name of an entry of functions whose callable equals callable, or null.
template <class Entries>
const std::string* FindIn(const Entries& entries, const CGenericEventBase& callable) {
    for (const auto& entry : entries) {
        const CGenericEventBase* prototype = entry.prototype->GetCallable();
        if (prototype && prototype->Equals(callable)) return &entry.functionName;
    }
    return nullptr;
}

}  // namespace

CCSSSlotFactory::CCSSSlotFactory() = default;
CCSSSlotFactory::~CCSSSlotFactory() = default;

void CCSSSlotFactory::RegisterFunction(const std::string& className,
                                       const std::string& functionName, const CSlot& prototype) {
    const CGenericEventBase* callable = prototype.GetCallable();
    RegisterCallable(className, functionName, callable ? callable->Clone() : nullptr,
                     prototype.IsSerializable());
}

void CCSSSlotFactory::RegisterCallable(const std::string& className,
                                       const std::string& functionName, CGenericEventBase* callable,
                                       bool serializable) {
    auto prototype = std::make_unique<CSlot>(callable, serializable);
    if (callable) callable->SetTarget(nullptr);
    if (className.empty() || functionName.empty() || !callable) {
        CLog::GetSingleton()->Warning()
            << "Slot function \"" << functionName << "\" of class \"" << className
            << "\" not registered: a class name, a function name and a function are needed\n";
        return;
    }
    std::vector<CEntry>& functions = myClasses[className];
    for (CEntry& entry : functions) {
        if (entry.functionName == functionName) {
            entry.prototype = std::move(prototype);
            return;
        }
    }
    functions.push_back({functionName, std::move(prototype)});
}

const CSlot* CCSSSlotFactory::GetPrototype(const std::string& className,
                                           const std::string& functionName) const {
    auto found = myClasses.find(className);
    if (found == myClasses.end()) return nullptr;
    for (const CEntry& entry : found->second) {
        if (entry.functionName == functionName) return entry.prototype.get();
    }
    return nullptr;
}

std::string CCSSSlotFactory::FindFunctionName(const CGenericEventBase& callable,
                                              const std::string& preferredClass) const {
    auto preferred = myClasses.find(preferredClass);
    if (preferred != myClasses.end()) {
        if (const std::string* name = FindIn(preferred->second, callable)) return *name;
    }
    for (const auto& [className, functions] : myClasses) {
        if (const std::string* name = FindIn(functions, callable)) return *name;
    }
    return std::string();
}

}  // namespace vorn::css
