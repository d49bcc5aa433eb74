#pragma once

#include <string>

#include "vorn/designpatterns/singleton/CStaticSingleton.h"

namespace vorn {

// What the slot system knows about the class T of slot targets: the class
// name under which its functions are registered in css::CCSSSlotFactory, and
// whether connections to it are written to XML. Set once by the class's
// registration code, before its functions are registered:
//   CSSObject<CMyDialog>::Register("CMyDialog", true);
//   css::CCSSSlotFactory::GetSingleton()->RegisterFunction<CMyDialog>("OnOk", &CMyDialog::OnOk);
template <class T>
class CSSObject : public CStaticSingleton<CSSObject<T>> {
public:
    static void Register(const std::string& className, bool serializable) {
        CSSObject* info = CSSObject::GetSingleton();
        info->SetClassName(className);
        info->SetSerializable(serializable);
    }

    const std::string& GetClassName() const { return myClassName; }
    void SetClassName(const std::string& className) { myClassName = className; }
    // False until registered: connections are written only by classes that ask for it.
    bool IsSerializable() const { return mySerializable; }
    void SetSerializable(bool serializable) { mySerializable = serializable; }

private:
    friend class CStaticSingleton<CSSObject<T>>;
    CSSObject() = default;

    std::string myClassName;
    bool mySerializable = false;
};

}  // namespace vorn
