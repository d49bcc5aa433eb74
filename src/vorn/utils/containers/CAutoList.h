#pragma once

#include <list>

namespace vorn {

// Keeps a process-wide list of every live instance of T:
//   class CFakeThread : public CAutoList<CFakeThread> { ... };
// Instances enter on construction and leave on destruction. The list is
// created with the first instance and deleted with the last.
//
// The list holds the CAutoList<T> parts: an instance is not yet a T while its
// base is constructed. Instance(entry) gives the T of an entry.
template <class T>
class CAutoList {
public:
    using Entries = std::list<CAutoList<T>*>;

    // The live instances in construction order; null while there are none.
    static Entries* GetList() { return myList; }
    static T* Instance(CAutoList<T>* entry) { return static_cast<T*>(entry); }
    static bool Contains(const T* instance) {
        if (!myList) return false;
        for (CAutoList<T>* entry : *myList)
            if (Instance(entry) == instance) return true;
        return false;
    }

protected:
    CAutoList() {
        if (!myList) myList = new Entries;
        myList->push_back(this);
    }
    CAutoList(const CAutoList&) : CAutoList() {}
    CAutoList& operator=(const CAutoList&) { return *this; }
    ~CAutoList() {
        myList->remove(this);
        if (myList->empty()) {
            delete myList;
            myList = nullptr;
        }
    }

private:
    static inline Entries* myList = nullptr;
};

}  // namespace vorn
