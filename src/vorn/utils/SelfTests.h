#pragma once

// The engine's self-tests, run by the "unittest" task. Each returns 0 when it
// passed. Registered in one list by RegisterBuiltins().
// Each check that fails makes its test return the line number.
#define SELFTEST_CHECK(condition)          \
    do {                                   \
        if (!(condition)) return __LINE__; \
    } while (false)

namespace vorn::selftests {

int CSingletonTest();
int CStaticSingletonTest();
int StringTest();
int CTimerTest();
int CSmartPtrTest();
int CFakeThreadTest();

int CFileNameTest();
int CFileSystemTest();
int CFileSystemBasicImplTest();
int CInputStreamTest();
int CPathTest();

}  // namespace vorn::selftests
