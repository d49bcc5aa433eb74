#pragma once

namespace vorn {

// Process-wide instance of T, created on first use by GetSingleton().
// T needs a default constructor reachable from here (befriend CStaticSingleton<T>
// to keep it private). DeleteSingleton() destroys the instance; a later
// GetSingleton() makes a new one.
template <class T>
class CStaticSingleton {
public:
    static T* GetSingleton() {
        if (!myInstance) myInstance = new T;
        return myInstance;
    }

    // The instance if it exists, without creating it.
    static T* PeekSingleton() { return myInstance; }
    static bool IsCreated() { return myInstance != nullptr; }

    static void DeleteSingleton() {
        T* instance = myInstance;
        myInstance = nullptr;
        delete instance;
    }

private:
    static inline T* myInstance = nullptr;
};

}  // namespace vorn
