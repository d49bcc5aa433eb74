#pragma once

#include <string>
#include <vector>

#include "vorn/utils/containers/CAutoList.h"

namespace vorn {

class CSlot;

// A named target of signal connections. Every live one is in the global list
// CAutoList<ICCSSObject>, where FindObjectByName looks for it, and it keeps
// the slots that target it so that its destruction can cut them: a destroyed
// target is never called again.
//
// Concrete classes derive from CCSSObject<T>, which supplies the class name
// and the factory lookup; the instance name is the concrete class's own.
class ICCSSObject : public CAutoList<ICCSSObject> {
public:
    ICCSSObject() = default;
    // A copy is a new target with no connections.
    ICCSSObject(const ICCSSObject& other);
    ICCSSObject& operator=(const ICCSSObject& other);
    // Cuts every connection that targets this object (see DisconnectAll).
    virtual ~ICCSSObject();

    // A new slot calling the function registered under functionName for this
    // object's class, bound to this object, or null when there is none. The
    // slot belongs to this object until a signal connects it (then to the
    // signal); unconnected slots die with the object.
    virtual CSlot* GetSlot(const std::string& functionName) = 0;
    // Renames the object where the class keeps a changeable name; classes
    // whose name is fixed ignore it.
    virtual void SetName(const std::string& name) = 0;
    virtual std::string GetClassName() const = 0;
    // The instance name that files refer to. Empty means unnamed: such an
    // object is never found by name and its connections are not written.
    virtual std::string GetName() const { return std::string(); }

    // Cuts every connection that targets this object: each slot leaves its
    // signal and is deleted (after the signal's emission, if one is running).
    void DisconnectAll();
    // The slots that target this object, connected or not.
    const std::vector<CSlot*>& GetSlots() const { return mySlots; }

protected:
    // GetSlot for a class registered as className.
    CSlot* MakeSlot(const std::string& className, const std::string& functionName);

private:
    friend class CSlot;
    void AddSlot(CSlot* slot) { mySlots.push_back(slot); }
    void RemoveSlot(CSlot* slot);

    std::vector<CSlot*> mySlots;
};

// The first live object whose GetName() is name, in order of construction;
// null when there is none or the name is empty.
ICCSSObject* FindObjectByName(const std::string& name);

}  // namespace vorn
