#pragma once

#include <memory>
#include <string>
#include <typeinfo>

#include "vorn/utils/containers/CVarRef.h"

namespace vorn {

class CContainerBase {
public:
    virtual ~CContainerBase() = default;
    virtual const std::type_info& GetType() const = 0;
    // A new container holding a copy of the value.
    virtual CContainerBase* Clone() const = 0;
    // A read-only text reference bound to the held value.
    virtual CVarRefBase* MakeReference() const = 0;
};

template <class T>
class CContainer : public CContainerBase {
public:
    explicit CContainer(const T& value) : myValue(value) {}
    const std::type_info& GetType() const override { return typeid(T); }
    CContainerBase* Clone() const override { return new CContainer<T>(myValue); }
    CVarRefBase* MakeReference() const override { return new CVarRefConst<T>(&myValue, ""); }
    const T& GetValue() const { return myValue; }

private:
    T myValue;
};

// Holds one value of any type. AnyCast<T> hands it back as T: directly when
// it holds exactly T, otherwise through its text form.
class CAnyContainer {
public:
    CAnyContainer() = default;
    template <class T>
    CAnyContainer(const T& value)
        : myContainer(new CContainer<T>(value)), myReference(myContainer->MakeReference()) {}
    CAnyContainer(const char* text) : CAnyContainer(std::string(text ? text : "")) {}

    CAnyContainer(const CAnyContainer& other) { *this = other; }
    CAnyContainer& operator=(const CAnyContainer& other) {
        if (this == &other) return *this;
        myContainer.reset(other.myContainer ? other.myContainer->Clone() : nullptr);
        myReference.reset(myContainer ? myContainer->MakeReference() : nullptr);
        return *this;
    }
    CAnyContainer(CAnyContainer&&) noexcept = default;
    CAnyContainer& operator=(CAnyContainer&&) noexcept = default;

    bool IsEmpty() const { return !myContainer; }

    // Identity of the held type; typeid(void) when empty.
    const std::type_info& GetType() const {
        return myContainer ? myContainer->GetType() : typeid(void);
    }

    // The held string when it holds one, otherwise the value's text form.
    std::string GetString() const {
        if (myContainer && myContainer->GetType() == typeid(std::string))
            return static_cast<const CContainer<std::string>*>(myContainer.get())->GetValue();
        return myReference ? myReference->GetValue() : "";
    }

    template <class T>
    const T* GetIf() const {
        if (myContainer && myContainer->GetType() == typeid(T))
            return &static_cast<const CContainer<T>*>(myContainer.get())->GetValue();
        return nullptr;
    }

private:
    std::unique_ptr<CContainerBase> myContainer;
    std::unique_ptr<CVarRefBase> myReference;
};

template <class T>
T AnyCast(const CAnyContainer& any) {
    if (const T* held = any.template GetIf<T>()) return *held;
    return CastFromString<T>(any.GetString());
}

}  // namespace vorn
