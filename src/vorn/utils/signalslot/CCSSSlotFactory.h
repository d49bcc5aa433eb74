#pragma once

#include <map>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "vorn/designpatterns/singleton/CStaticSingleton.h"
#include "vorn/utils/signalslot/CGenericEvent.h"
#include "vorn/utils/signalslot/CSSObject.h"

namespace vorn {
class CSlot;
}

namespace vorn::css {

// The registry of connectable functions: for each class name, its functions
// by name, each with a prototype slot whose callable has no target. Targets
// turn a function name into a slot (ICCSSObject::GetSlot), and signals turn a
// slot back into a function name when they are written.
class CCSSSlotFactory : public CStaticSingleton<CCSSSlotFactory> {
public:
    // Registers a copy of prototype (its callable unbound). A function name
    // registered again for the same class replaces the earlier prototype.
    // Empty names are refused with a warning.
    void RegisterFunction(const std::string& className, const std::string& functionName,
                          const CSlot& prototype);

    // Registers function under CSSObject<T>'s class name, with its
    // serialisable flag; register the class with CSSObject<T> first.
    template <class T, class C, class R, class... A>
    void RegisterFunction(const std::string& functionName, R (C::*function)(A...)) {
        static_assert(std::is_base_of_v<C, T>, "the function must belong to the class");
        const CSSObject<T>* info = CSSObject<T>::GetSingleton();
        RegisterCallable(info->GetClassName(), functionName,
                         MakeGenericEvent<C>(static_cast<C*>(nullptr), function),
                         info->IsSerializable());
    }

    // The prototype, or null when the class has no function of that name.
    const CSlot* GetPrototype(const std::string& className, const std::string& functionName) const;

    // The name under which a function equal to callable is registered: first
    // among preferredClass's functions (the target's own class, whose names
    // its GetSlot understands), then class by class in name order. Empty
    // when none is.
    std::string FindFunctionName(const CGenericEventBase& callable,
                                 const std::string& preferredClass = std::string()) const;

private:
    friend class CStaticSingleton<CCSSSlotFactory>;
    CCSSSlotFactory();
    ~CCSSSlotFactory();

    // Takes callable.
    void RegisterCallable(const std::string& className, const std::string& functionName,
                          CGenericEventBase* callable, bool serializable);

    struct CEntry {
        std::string functionName;
        std::unique_ptr<CSlot> prototype;
    };
    std::map<std::string, std::vector<CEntry>> myClasses;
};

}  // namespace vorn::css
