#pragma once

#include "vorn/designpatterns/singleton/CStaticSingleton.h"

namespace vorn {

// Base class for classes that are singletons themselves:
//   class CGlobalAppTimer : public CSingleton<CGlobalAppTimer> { ... };
// gives CGlobalAppTimer::GetSingleton() and DeleteSingleton(). Make the
// constructor private and befriend CStaticSingleton<T> to forbid other instances.
template <class T>
class CSingleton {
public:
    static T* GetSingleton() { return CStaticSingleton<T>::GetSingleton(); }
    static T* PeekSingleton() { return CStaticSingleton<T>::PeekSingleton(); }
    static bool IsCreated() { return CStaticSingleton<T>::IsCreated(); }
    static void DeleteSingleton() { CStaticSingleton<T>::DeleteSingleton(); }

protected:
    CSingleton() = default;
    ~CSingleton() = default;
};

}  // namespace vorn
