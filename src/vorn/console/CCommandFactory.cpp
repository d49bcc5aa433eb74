#include "vorn/console/CCommandFactory.h"

#include <algorithm>

#include "vorn/console/CConsole.h"
#include "vorn/console/CConsoleCommand.h"

namespace vorn {

CCmdLib::~CCmdLib() {
    // Consoles that outlive the library must not keep its commands.
    for (CConsole* console : std::vector<CConsole*>(myConsoles))
        DetachConsole(console);
}

void CCmdLib::AddCommand(const std::string& name, CConsoleCommand* command) {
    std::unique_ptr<CConsoleCommand> owned(command);
    if (!owned || myCommands.count(name)) return;
    myCommands.emplace(name, std::move(owned));
}

CConsoleCommand* CCmdLib::FindCommand(const std::string& name) const {
    auto it = myCommands.find(name);
    return it == myCommands.end() ? nullptr : it->second.get();
}

bool CCmdLib::IsAttached(const CConsole* console) const {
    return std::find(myConsoles.begin(), myConsoles.end(), console) != myConsoles.end();
}

void CCmdLib::AttachConsole(CConsole* console) {
    if (!console) return;
    if (IsAttached(console)) DetachConsole(console);
    myConsoles.push_back(console);
    for (const auto& entry : myCommands)
        console->AddCommand(entry.first, entry.second.get());
}

void CCmdLib::DetachConsole(CConsole* console) {
    if (!IsAttached(console)) return;
    for (const auto& entry : myCommands)
        console->RemoveCommand(entry.first);
    myConsoles.erase(std::find(myConsoles.begin(), myConsoles.end(), console));
}

void CCommandFactory::RegisterCommand(const std::string& library, const std::string& name,
                                      CConsoleCommand* command) {
    auto& lib = myLibraries[library];
    if (!lib) lib = std::make_unique<CCmdLib>(library);
    lib->AddCommand(name, command);
}

void CCommandFactory::AttachLibrary(const std::string& library, CConsole* console) {
    if (CCmdLib* lib = FindLibrary(library)) lib->AttachConsole(console);
}

void CCommandFactory::DetachLibrary(const std::string& library, CConsole* console) {
    if (CCmdLib* lib = FindLibrary(library)) lib->DetachConsole(console);
}

CCmdLib* CCommandFactory::FindLibrary(const std::string& library) const {
    auto it = myLibraries.find(library);
    return it == myLibraries.end() ? nullptr : it->second.get();
}

}  // namespace vorn

namespace vorn {

void CCmdLib::ForgetConsole(const CConsole* console) {
    myConsoles.erase(std::remove(myConsoles.begin(), myConsoles.end(), console), myConsoles.end());
}

void CCommandFactory::ForgetConsole(CConsole* console) {
    for (auto& entry : myLibraries)
        entry.second->ForgetConsole(console);
}

}  // namespace vorn
