#include "vorn/tasks/CTester.h"

#include "vorn/console/CLog.h"

namespace vorn {

void CTester::RegisterTest(TestFunction function, const std::string& name,
                           const std::string& file) {
    GetSingleton()->myRecords.push_back(Record{function, name, file});
    *CLog::GetSingleton() << "Registered test: " << name << "\n";
}

void CTester::UnregisterTest(const std::string& name) {
    for (auto it = myRecords.begin(); it != myRecords.end();) {
        it = it->name == name ? myRecords.erase(it) : it + 1;
    }
}

std::string CTester::GetTestName(int index) const {
    return index >= 0 && index < GetTestCount() ? myRecords[index].name : "";
}

std::string CTester::GetTestFile(int index) const {
    return index >= 0 && index < GetTestCount() ? myRecords[index].file : "";
}

int CTester::RunTest(int index) const {
    if (index < 0 || index >= GetTestCount() || !myRecords[index].function) return -1;
    return myRecords[index].function();
}

int CTester::RunAllTests() const {
    CLog& log = *CLog::GetSingleton();
    const char* rule = "------------------------------------------------------------------ ";
    log << "Vorn tester..."
        << "\n";
    log << rule << "\n";
    log.Indent();
    int failed = 0;
    for (int i = 0; i < GetTestCount(); ++i) {
        if (RunTest(i) == 0) {
            log << myRecords[i].name << " [OK]"
                << "\n";
            continue;
        }
        ++failed;
        // The failing check's text is empty: tests report through their result.
        const std::string check;
        log.Error() << myRecords[i].name << " FAILED!"
                    << "\n";
        log.Error() << " in the file " << myRecords[i].file << ".\n"
                    << "\n";
        log.Error() << " on the following test assert: " << check << "\n";
        log.Error() << check << "\n";
    }
    log.Outdent();
    log << rule << "\n";
    if (failed == 0) {
        log << "All tests OK"
            << "\n"
            << "\n";
    } else {
        log.Error() << "Some of the tests failed miserably"
                    << "\n"
                    << "\n";
    }
    return failed;
}

}  // namespace vorn
