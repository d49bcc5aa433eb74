#pragma once

#include "vorn/console/CConsoleCommand.h"

namespace vorn {

// "bind(key, line[, priority])": runs the console line on the main console
// whenever the key goes down.
//
//   bind(f1, "debug::ToggleConsole()")          a key by name (see KeyNames.h)
//   bind(282, "quit", 5)                        a key by code, priority 5
//   bind("left_ctrl s", "game::SaveMonsterToFile()")
//                                               a combination: names separated
//                                               by blanks; runs when the last of
//                                               them goes down
//
// The priority (default 10) orders bindings of one key, lower first. Binding a
// key again adds a binding; none is ever replaced. An unknown name binds key
// code 0 (with a warning in the log). Missing or wrongly typed arguments, or a
// key code outside 0..322, return the usage text; otherwise the result is "".
class CConsoleCmdBind : public CConsoleCommand {
public:
    static const char* const USAGE;

    std::string Execute(CVariableList* params) override;
    std::string Execute() override { return USAGE; }
};

}  // namespace vorn
