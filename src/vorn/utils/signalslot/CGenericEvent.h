#pragma once

#include <functional>
#include <type_traits>
#include <typeinfo>
#include <utility>

#include "vorn/utils/containers/CAnyContainer.h"
#include "vorn/utils/signalslot/ICCSSObject.h"

namespace vorn {

// A bound callable: a function, and for member functions the object it is
// called on (not owned). Arguments arrive as CAnyContainer values and are
// converted to the parameter types (AnyCast) when the call is made, so a
// parameter type must be readable from and writable to a text stream. A call
// of another arity than the function's does nothing, and so does a call while
// there is no target.
class CGenericEventBase {
public:
    explicit CGenericEventBase(int argumentCount) : myArgumentCount(argumentCount) {}
    virtual ~CGenericEventBase() = default;

    virtual void Call(const CAnyContainer&, const CAnyContainer&, const CAnyContainer&) {}
    virtual void Call(const CAnyContainer&, const CAnyContainer&) {}
    virtual void Call(const CAnyContainer&) {}
    virtual void Call() {}

    // The dynamic class, for Equals.
    virtual const std::type_info& GetTypeId() const = 0;
    // The object the function is called on; null when unbound or free.
    virtual void* GetTarget() const = 0;
    // Binds to target when it is an object of the function's class, otherwise
    // (and for null) unbinds. Free functions ignore it.
    virtual void SetTarget(ICCSSObject* target) = 0;
    // Same dynamic class and same function; the target is not compared.
    virtual bool Equals(const CGenericEventBase& other) const = 0;
    // A new callable with the same function and target; the caller owns it.
    virtual CGenericEventBase* Clone() const = 0;

    int GetArgumentCount() const { return myArgumentCount; }

private:
    int myArgumentCount;
};

namespace signaldetail {

template <class A>
std::decay_t<A> Argument(const CAnyContainer& value) {
    static_assert(!std::is_reference_v<A> || std::is_const_v<std::remove_reference_t<A>>,
                  "slot parameters are values or const references");
    return AnyCast<std::decay_t<A>>(value);
}

// The part every member-function callable shares.
template <class Self, class T, class Function, int ARGUMENTS>
class CMemberEvent : public CGenericEventBase {
public:
    CMemberEvent(T* target, Function function)
        : CGenericEventBase(ARGUMENTS), myTarget(target), myFunction(function) {}

    const std::type_info& GetTypeId() const override { return typeid(Self); }
    void* GetTarget() const override { return myTarget; }
    void SetTarget(ICCSSObject* target) override { myTarget = dynamic_cast<T*>(target); }
    // Typed binding, also for targets that are not ICCSSObjects.
    void Bind(T* target) { myTarget = target; }
    bool Equals(const CGenericEventBase& other) const override {
        return other.GetTypeId() == typeid(Self) &&
               static_cast<const CMemberEvent&>(other).myFunction == myFunction;
    }
    CGenericEventBase* Clone() const override { return new Self(myTarget, myFunction); }

protected:
    // Calls the function on the target, if there is one. std::invoke rather
    // than ->*: GCC 12 with -fsanitize=undefined miscompiles the check of a
    // ->* call here into a read of an uninitialised temporary.
    template <class... Arguments>
    void Invoke(Arguments&&... arguments) {
        T* target = myTarget;
        const Function function = myFunction;
        if (target) std::invoke(function, target, std::forward<Arguments>(arguments)...);
    }

    T* myTarget;
    Function myFunction;
};

}  // namespace signaldetail

// Calls target->function().
template <class T, class R>
class CGenericEvent0 : public signaldetail::CMemberEvent<CGenericEvent0<T, R>, T, R (T::*)(), 0> {
    using Base = signaldetail::CMemberEvent<CGenericEvent0<T, R>, T, R (T::*)(), 0>;

public:
    using Base::Base;
    using CGenericEventBase::Call;
    void Call() override { this->Invoke(); }
};

// Calls target->function(a) with the value converted to A.
template <class T, class R, class A>
class CGenericEvent1
    : public signaldetail::CMemberEvent<CGenericEvent1<T, R, A>, T, R (T::*)(A), 1> {
    using Base = signaldetail::CMemberEvent<CGenericEvent1<T, R, A>, T, R (T::*)(A), 1>;

public:
    using Base::Base;
    using CGenericEventBase::Call;
    void Call(const CAnyContainer& a) override { this->Invoke(signaldetail::Argument<A>(a)); }
};

// Calls target->function(a, b) with the values converted to A1 and A2.
template <class T, class R, class A1, class A2>
class CGenericEvent2
    : public signaldetail::CMemberEvent<CGenericEvent2<T, R, A1, A2>, T, R (T::*)(A1, A2), 2> {
    using Base = signaldetail::CMemberEvent<CGenericEvent2<T, R, A1, A2>, T, R (T::*)(A1, A2), 2>;

public:
    using Base::Base;
    using CGenericEventBase::Call;
    void Call(const CAnyContainer& a, const CAnyContainer& b) override {
        this->Invoke(signaldetail::Argument<A1>(a), signaldetail::Argument<A2>(b));
    }
};

// Calls the free function(a, b) with the values converted to A1 and A2.
template <class R, class A1, class A2>
class CSGenericEvent2 : public CGenericEventBase {
public:
    using Function = R (*)(A1, A2);
    explicit CSGenericEvent2(Function function) : CGenericEventBase(2), myFunction(function) {}

    using CGenericEventBase::Call;
    void Call(const CAnyContainer& a, const CAnyContainer& b) override {
        if (myFunction) myFunction(signaldetail::Argument<A1>(a), signaldetail::Argument<A2>(b));
    }
    const std::type_info& GetTypeId() const override { return typeid(CSGenericEvent2); }
    void* GetTarget() const override { return nullptr; }
    void SetTarget(ICCSSObject*) override {}
    bool Equals(const CGenericEventBase& other) const override {
        return other.GetTypeId() == typeid(CSGenericEvent2) &&
               static_cast<const CSGenericEvent2&>(other).myFunction == myFunction;
    }
    CGenericEventBase* Clone() const override { return new CSGenericEvent2(myFunction); }

private:
    Function myFunction;
};

// The callable for a member function of zero, one or two parameters, bound to
// target (may be null); the caller owns it.
template <class C, class R, class... A>
CGenericEventBase* MakeGenericEvent(C* target, R (C::*function)(A...)) {
    static_assert(sizeof...(A) <= 2, "slot functions take at most two parameters");
    if constexpr (sizeof...(A) == 0)
        return new CGenericEvent0<C, R>(target, function);
    else if constexpr (sizeof...(A) == 1)
        return new CGenericEvent1<C, R, A...>(target, function);
    else
        return new CGenericEvent2<C, R, A...>(target, function);
}

}  // namespace vorn
