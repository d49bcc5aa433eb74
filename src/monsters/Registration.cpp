#include "monsters/Registration.h"

#include "monsters/CMonstersTask.h"
#include "monsters/MonsterSelfTests.h"
#include "vorn/tasks/CTaskFactory.h"
#include "vorn/tasks/CTester.h"

namespace monsters {

void RegisterGame() {
    // The task type goes into the current factory each time (a registered
    // name is kept); the self-tests' registry is made once per process.
    vorn::CTaskFactory::GetSingleton()->RegisterTaskType<CMonstersTask>("game");
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
