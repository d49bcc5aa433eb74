#pragma once

#include <cstddef>
#include <unordered_map>

#include "vorn/designpatterns/singleton/CStaticSingleton.h"

namespace vorn {

// Reference counts of every object of type T held by smart pointers. One
// manager per pointed-to type; the object is deleted when its count drops to 0.
template <class T>
class CSmartPtrManager {
public:
    static CSmartPtrManager<T>* GetSingleton() {
        return CStaticSingleton<CSmartPtrManager<T>>::GetSingleton();
    }

    void AddRef(T* object) {
        if (object) ++myCounts[object];
    }

    // Drops one reference; deletes the object when it was the last one.
    void Release(T* object) {
        if (!object) return;
        auto it = myCounts.find(object);
        if (it == myCounts.end()) return;
        if (--it->second > 0) return;
        myCounts.erase(it);
        delete object;
    }

    int GetCount(const T* object) const {
        auto it = myCounts.find(const_cast<T*>(object));
        return it == myCounts.end() ? 0 : it->second;
    }

private:
    std::unordered_map<T*, int> myCounts;
};

// Reference-counted pointer. Counting goes through CSmartPtrManager<T>, so two
// smart pointers made independently from the same raw pointer share the count.
template <class T>
class CSmartPtr {
public:
    CSmartPtr() = default;
    CSmartPtr(std::nullptr_t) {}
    // Takes (shared) ownership of object.
    explicit CSmartPtr(T* object) : myObject(object) { Manager()->AddRef(myObject); }
    CSmartPtr(const CSmartPtr& other) : myObject(other.myObject) { Manager()->AddRef(myObject); }
    CSmartPtr(CSmartPtr&& other) noexcept : myObject(other.myObject) { other.myObject = nullptr; }
    ~CSmartPtr() { Manager()->Release(myObject); }

    CSmartPtr& operator=(const CSmartPtr& other) {
        if (this != &other) Reset(other.myObject);
        return *this;
    }
    CSmartPtr& operator=(CSmartPtr&& other) noexcept {
        if (this != &other) {
            Manager()->Release(myObject);
            myObject = other.myObject;
            other.myObject = nullptr;
        }
        return *this;
    }

    // Points at object instead (shared ownership), releasing the previous one.
    void Reset(T* object = nullptr) {
        Manager()->AddRef(object);
        T* previous = myObject;
        myObject = object;
        Manager()->Release(previous);
    }

    T* Get() const { return myObject; }
    T* operator->() const { return myObject; }
    T& operator*() const { return *myObject; }
    explicit operator bool() const { return myObject != nullptr; }
    bool operator==(const CSmartPtr& other) const { return myObject == other.myObject; }
    bool operator!=(const CSmartPtr& other) const { return myObject != other.myObject; }

    int GetRefCount() const { return Manager()->GetCount(myObject); }

private:
    static CSmartPtrManager<T>* Manager() { return CSmartPtrManager<T>::GetSingleton(); }

    T* myObject = nullptr;
};

}  // namespace vorn
