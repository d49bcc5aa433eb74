#pragma once

namespace monsters {

// Registers the game's task type ("game") and its self-tests with the engine.
// Called by the program entry after vorn::RegisterBuiltins().
void RegisterGame();

}  // namespace monsters
