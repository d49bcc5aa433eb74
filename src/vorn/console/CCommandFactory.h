#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "vorn/designpatterns/singleton/CStaticSingleton.h"

namespace vorn {

class CConsole;
class CConsoleCommand;

// A named library of commands that can be attached to consoles. The library
// owns its commands.
class CCmdLib {
public:
    explicit CCmdLib(const std::string& name) : myName(name) {}
    ~CCmdLib();

    const std::string& GetName() const { return myName; }
    // Takes ownership; a second command of the same name is deleted.
    void AddCommand(const std::string& name, CConsoleCommand* command);
    CConsoleCommand* FindCommand(const std::string& name) const;
    // Adds every command to console (re-attaching detaches first).
    void AttachConsole(CConsole* console);
    void DetachConsole(CConsole* console);
    bool IsAttached(const CConsole* console) const;
    // Drops the console from the list without touching it.
    void ForgetConsole(const CConsole* console);

private:
    std::string myName;
    std::map<std::string, std::unique_ptr<CConsoleCommand>> myCommands;
    std::vector<CConsole*> myConsoles;
};

// Registry of command libraries by name.
class CCommandFactory {
public:
    static CCommandFactory* GetSingleton() {
        return CStaticSingleton<CCommandFactory>::GetSingleton();
    }
    static CCommandFactory* PeekSingleton() {
        return CStaticSingleton<CCommandFactory>::PeekSingleton();
    }

    // Creates the library when needed; the first command of a name stays.
    // Takes ownership of command.
    void RegisterCommand(const std::string& library, const std::string& name,
                         CConsoleCommand* command);
    // Does nothing when there is no such library.
    void AttachLibrary(const std::string& library, CConsole* console);
    void DetachLibrary(const std::string& library, CConsole* console);
    CCmdLib* FindLibrary(const std::string& library) const;
    // Forgets a console that is being destroyed, in every library.
    void ForgetConsole(CConsole* console);

private:
    friend class CStaticSingleton<CCommandFactory>;
    CCommandFactory() = default;

    std::map<std::string, std::unique_ptr<CCmdLib>> myLibraries;
};

}  // namespace vorn
