#pragma once

#include <string>

namespace vorn {

class CVariableList;

// A console command. Execute(params) runs a call written with parentheses,
// Execute() one written without. A command that needs parameters overrides
// both: the first does the work, the second returns the usage message. A
// command that needs none implements only Execute(). Commands keep no state
// per call and may be attached to several consoles at once.
class CConsoleCommand {
public:
    virtual ~CConsoleCommand() = default;
    // params is never null when called by the console; commands consume it
    // from the front.
    virtual std::string Execute(CVariableList* params) {
        (void)params;
        return Execute();
    }
    virtual std::string Execute() = 0;
};

// True when the list holds at least one element and the first is a string.
bool HasFirstString(const CVariableList* params);

}  // namespace vorn
