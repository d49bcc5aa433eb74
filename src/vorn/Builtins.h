#pragma once

namespace vorn {

// Registers everything the engine has built in: task types, task libraries,
// self-tests and command libraries. One explicit list instead of static
// registration objects, which a static library would silently drop. Safe to
// call more than once (also after the task factory was replaced); the program
// entry calls it before anything else.
void RegisterBuiltins();

}  // namespace vorn
