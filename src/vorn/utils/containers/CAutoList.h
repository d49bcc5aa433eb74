#pragma once

#include <algorithm>
#include <list>

namespace vorn {

// Keeps a process-wide list of every live instance of T:
//   class CFakeThread : public CAutoList<CFakeThread> { ... };
// Instances enter on construction and leave on destruction. The list is
// created with the first instance and deleted with the last.
template <class T>
class CAutoList {
public:
    // The live instances in construction order; null while there are none.
    static std::list<T*>* GetList() { return myList; }

protected:
    CAutoList() {
        if (!myList) myList = new std::list<T*>;
        myList->push_back(static_cast<T*>(this));
    }
    CAutoList(const CAutoList&) : CAutoList() {}
    CAutoList& operator=(const CAutoList&) { return *this; }
    ~CAutoList() {
        myList->remove(static_cast<T*>(this));
        if (myList->empty()) {
            delete myList;
            myList = nullptr;
        }
    }

private:
    static inline std::list<T*>* myList = nullptr;
};

}  // namespace vorn
