#include "EngineFixture.h"
#include "vorn/tasks/CTester.h"

using namespace vorn;

namespace {

class TesterTest : public testing_support::EngineTest {};

TEST_F(TesterTest, EveryBuiltInSelfTestPasses) {
    CTester* tester = CTester::GetSingleton();
    ASSERT_GT(tester->GetTestCount(), 10);
    for (int i = 0; i < tester->GetTestCount(); ++i) {
        const int line = tester->RunTest(i);
        EXPECT_EQ(line, 0) << tester->GetTestName(i) << " failed at line " << line;
    }
}

TEST_F(TesterTest, UnittestTaskReportsAndParksItself) {
    EXPECT_EQ(Run("starttask(unittest)"), "unittest started");
    EXPECT_EQ(Run("starttask(unittest, second)"), "unittest started");
    EXPECT_TRUE(Kernel()->GetRunningList().empty());
    const std::string log = Log();
    EXPECT_NE(log.find("( ) Vorn tester...\n( ) "
                       "------------------------------------------------------------------ \n"),
              std::string::npos);
    EXPECT_NE(log.find("( )   CTimerTest [OK]"), std::string::npos);
    const size_t first = log.find("All tests OK");
    ASSERT_NE(first, std::string::npos);
    EXPECT_NE(log.find("All tests OK", first + 1), std::string::npos) << "second start runs again";
}

int Failing() {
    return 1;
}

TEST_F(TesterTest, FailureIsReportedAtErrorLevel) {
    struct Probe {
        static int Ok() { return 0; }
    };
    const int before = CTester::GetSingleton()->GetTestCount();
    CTester::RegisterTest(&Failing, "DeliberatelyFailing", "here.cpp");
    CTester::RegisterTest(&Probe::Ok, "Fine", "here.cpp");
    const int failed = CTester::GetSingleton()->RunAllTests();
    CTester::GetSingleton()->UnregisterTest("DeliberatelyFailing");
    CTester::GetSingleton()->UnregisterTest("Fine");
    EXPECT_EQ(failed, 1);
    const std::string log = Log();
    EXPECT_NE(log.find("Registered test: DeliberatelyFailing"), std::string::npos);
    EXPECT_NE(log.find("<!>   DeliberatelyFailing FAILED!\n<!>    in the file here.cpp.\n"),
              std::string::npos);
    EXPECT_NE(log.find("( )   Fine [OK]"), std::string::npos);
    EXPECT_NE(log.find("<!> Some of the tests failed miserably"), std::string::npos);
    EXPECT_EQ(CTester::GetSingleton()->GetTestCount(), before);
}

}  // namespace
