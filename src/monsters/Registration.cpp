#include "monsters/Registration.h"

namespace monsters {

void RegisterGame() {
    // The game task arrives with the game screens.
}

}  // namespace monsters
