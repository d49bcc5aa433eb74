#include "monsters/Registration.h"

#include "monsters/MonsterSelfTests.h"
#include "vorn/tasks/CTester.h"

namespace monsters {

void RegisterGame() {
    // The game task arrives with the game screens.
    static bool registered = false;
    if (registered) return;
    registered = true;
    using vorn::CTester;
    CTester::RegisterTest(&selftests::CMonsterTest, "CMonsterTest",
                          "monsters/MonsterSelfTests.cpp");
    CTester::RegisterTest(&selftests::CBodyShopTest, "CBodyShopTest",
                          "monsters/MonsterSelfTests.cpp");
    CTester::RegisterTest(&selftests::CLevelListTest, "CLevelListTest",
                          "monsters/MonsterSelfTests.cpp");
}

}  // namespace monsters
