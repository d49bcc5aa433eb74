#include "vorn/utils/SelfTests.h"

#include "vorn/designpatterns/singleton/CSingleton.h"
#include "vorn/designpatterns/singleton/CStaticSingleton.h"
#include "vorn/tasks/CFakeThread.h"
#include "vorn/utils/smartptr/CSmartPtr.h"
#include "vorn/utils/string/StringUtils.h"
#include "vorn/utils/timer/CTimer.h"

namespace vorn::selftests {

namespace {

struct Counted {
    static inline int alive = 0;
    Counted() { ++alive; }
    ~Counted() { --alive; }
};

class CSelfTestSingleton : public CSingleton<CSelfTestSingleton> {
public:
    int value = 7;
};

// A parent timer whose time is set by hand.
class CManualTimer : public CTimer {
public:
    CManualTimer() : CTimer(RootTimer{}) {}
    uint32_t GetTime() const override { return now; }
    uint32_t now = 1000;
};

class CCountingThread : public CFakeThread {
public:
    explicit CCountingThread(int* runs) : myRuns(runs) {}
    void Run() override { ++*myRuns; }

private:
    int* myRuns;
};

}  // namespace

int CSingletonTest() {
    CSelfTestSingleton* first = CSelfTestSingleton::GetSingleton();
    SELFTEST_CHECK(first == CSelfTestSingleton::GetSingleton());
    first->value = 42;
    SELFTEST_CHECK(CSelfTestSingleton::GetSingleton()->value == 42);
    CSelfTestSingleton::DeleteSingleton();
    SELFTEST_CHECK(!CSelfTestSingleton::IsCreated());
    SELFTEST_CHECK(CSelfTestSingleton::GetSingleton()->value == 7);
    CSelfTestSingleton::DeleteSingleton();
    return 0;
}

int CStaticSingletonTest() {
    const int before = Counted::alive;
    Counted* instance = CStaticSingleton<Counted>::GetSingleton();
    SELFTEST_CHECK(instance == CStaticSingleton<Counted>::GetSingleton());
    SELFTEST_CHECK(Counted::alive == before + 1);
    CStaticSingleton<Counted>::DeleteSingleton();
    SELFTEST_CHECK(Counted::alive == before);
    SELFTEST_CHECK(CStaticSingleton<Counted>::PeekSingleton() == nullptr);
    return 0;
}

int StringTest() {
    SELFTEST_CHECK(Trim(" \t a b \t") == "a b");
    SELFTEST_CHECK(Trim("   ").empty());
    SELFTEST_CHECK(ToUpper("quit()") == "QUIT()");
    SELFTEST_CHECK(FindOutsideQuotes("a\"b;c\";d", ";") == 6);
    SELFTEST_CHECK(FindOutsideQuotes("a\"b;c;d", ";") == std::string::npos);
    const auto pieces = SplitOutsideQuotes(",a,,\"b,c\",", ",");
    SELFTEST_CHECK(pieces.size() == 2 && pieces[0] == "a" && pieces[1] == "\"b,c\"");
    return 0;
}

int CTimerTest() {
    CManualTimer clock;
    CTimer timer(&clock);
    clock.now = 1500;
    SELFTEST_CHECK(timer.GetTime() == 500);
    timer.Pause();
    clock.now = 2000;
    SELFTEST_CHECK(timer.GetTime() == 500);
    timer.Resume();
    clock.now = 2100;
    SELFTEST_CHECK(timer.GetTime() == 600);
    timer.SetTime(50);
    SELFTEST_CHECK(timer.GetTime() == 50);
    timer -= 100;  // set back past zero
    SELFTEST_CHECK(timer.GetTime() == 0);
    timer.Pause();
    timer.Reset();
    SELFTEST_CHECK(timer.GetTime() == 0 && timer.IsPaused());
    return 0;
}

int CSmartPtrTest() {
    const int before = Counted::alive;
    {
        CSmartPtr<Counted> a(new Counted);
        SELFTEST_CHECK(a.GetRefCount() == 1);
        CSmartPtr<Counted> b = a;
        SELFTEST_CHECK(a.GetRefCount() == 2);
        a.Reset();
        SELFTEST_CHECK(Counted::alive == before + 1 && b.GetRefCount() == 1);
    }
    SELFTEST_CHECK(Counted::alive == before);
    return 0;
}

int CFakeThreadTest() {
    int runs = 0;
    auto* thread = new CCountingThread(&runs);
    RunFakeThreads(0);
    SELFTEST_CHECK(runs == 0);  // sleeping until started
    thread->Start();
    RunFakeThreads(0);
    SELFTEST_CHECK(runs == 1);
    RunFakeThreads(0);
    SELFTEST_CHECK(runs == 1);  // the next step is 10 ms away
    thread->Kill();
    RunFakeThreads(0);  // deletes it
    SELFTEST_CHECK(!CFakeThread::Contains(thread));
    return 0;
}

}  // namespace vorn::selftests
