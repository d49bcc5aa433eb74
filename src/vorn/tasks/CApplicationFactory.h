#pragma once

#include <memory>

#include "vorn/console/CConsoleBridge.h"
#include "vorn/designpatterns/factory/CPlugFactory.h"
#include "vorn/designpatterns/singleton/CStaticSingleton.h"

namespace vorn {

class CConsole;

// Owns the main console and the maker of consoles. Deleting it also deletes
// the log.
class CApplicationFactory {
public:
    static CApplicationFactory* GetSingleton() {
        return CStaticSingleton<CApplicationFactory>::GetSingleton();
    }
    static CApplicationFactory* PeekSingleton() {
        return CStaticSingleton<CApplicationFactory>::PeekSingleton();
    }
    static void DeleteSingleton() { CStaticSingleton<CApplicationFactory>::DeleteSingleton(); }

    // Makes new, independent consoles of the engine's console class.
    template <class T>
    class CConsoleMaker : public CGenericMaker<CConsole> {
    public:
        CConsole* Create() override { return new T; }
    };

    // The main console, created on first call with the library "basic" attached
    // and the kernel's variables bound.
    CConsole* GetConsole();
    // A new console of the engine's class (for tasks' private consoles); the
    // caller owns it.
    CConsole* CreateConsole() { return myConsoleMaker->Create(); }

private:
    friend class CStaticSingleton<CApplicationFactory>;
    CApplicationFactory();
    ~CApplicationFactory();

    std::unique_ptr<CGenericMaker<CConsole>> myConsoleMaker;
    std::unique_ptr<CConsole> myConsole;
};

}  // namespace vorn
