#pragma once

#include <string>
#include <vector>

#include "vorn/designpatterns/singleton/CStaticSingleton.h"

namespace vorn {

// Registry of the engine's self-tests. A self-test is a plain function that
// returns 0 when it passed and anything else when it failed. Registration
// writes "Registered test: <name>" to the log. The "unittest" task runs them all
// (RunAllTests) and reports to the log.
//
// Built-in self-tests are registered by RegisterBuiltins() (vorn/Builtins.h),
// one explicit list, so none is lost to the linker.
class CTester {
public:
    using TestFunction = int (*)();

    static CTester* GetSingleton() { return CStaticSingleton<CTester>::GetSingleton(); }

    static void RegisterTest(TestFunction function, const std::string& name,
                             const std::string& file);

    // Removes every test of that name (tests use it to clean up after themselves).
    void UnregisterTest(const std::string& name);

    int GetTestCount() const { return static_cast<int>(myRecords.size()); }
    std::string GetTestName(int index) const;
    std::string GetTestFile(int index) const;
    // Runs one test; returns its result, or -1 for an index out of range.
    int RunTest(int index) const;
    // Runs every test in registration order and writes the report to the log.
    // Returns the number of failed tests.
    int RunAllTests() const;

private:
    friend class CStaticSingleton<CTester>;
    CTester() = default;

    struct Record {
        TestFunction function;
        std::string name;
        std::string file;
    };
    std::vector<Record> myRecords;
};

}  // namespace vorn
