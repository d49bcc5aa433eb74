#pragma once

#include <string>

#include "vorn/utils/signalslot/CSSObject.h"
#include "vorn/utils/signalslot/ICCSSObject.h"

namespace vorn {

// Base of every named slot target of class T (T derives from CCSSObject<T>):
//   class CMyDialog : public CCSSObject<CMyDialog> {
//   public:
//       std::string GetName() const override { return myName; }
//       void OnOk();
//   };
// Its slots are looked up under CSSObject<T>'s class name.
template <class T>
class CCSSObject : public ICCSSObject {
public:
    CSlot* GetSlot(const std::string& functionName) override {
        return MakeSlot(CSSObject<T>::GetSingleton()->GetClassName(), functionName);
    }
    void SetName(const std::string&) override {}
    std::string GetClassName() const override {
        return CSSObject<T>::GetSingleton()->GetClassName();
    }
};

}  // namespace vorn
