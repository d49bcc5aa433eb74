#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "TestEnvironment.h"
#include "vorn/Builtins.h"
#include "vorn/console/CConsole.h"
#include "vorn/tasks/CApplicationFactory.h"
#include "vorn/tasks/CKernel.h"
#include "vorn/tasks/CTask.h"
#include "vorn/tasks/CTaskFactory.h"

namespace testing_support {

// A whole engine in a fresh temporary working directory: kernel, task
// factory, main console and log (log.txt lands in the folder). Everything is
// torn down as the program does at its end.
class EngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        myDir = std::make_unique<CScopedTempDir>();
        vorn::RegisterBuiltins();
    }
    void TearDown() override {
        vorn::CTaskFactory::DeleteSingleton();
        vorn::CKernel::DeleteSingleton();
        vorn::CApplicationFactory::DeleteSingleton();
        myDir.reset();
    }

    vorn::CKernel* Kernel() { return vorn::CKernel::GetSingleton(); }
    vorn::CTaskFactory* Factory() { return vorn::CTaskFactory::GetSingleton(); }
    vorn::CConsole* Console() { return vorn::CApplicationFactory::GetSingleton()->GetConsole(); }
    std::string Run(const std::string& line) { return Console()->ExecuteLine(line, false); }
    std::string Log() const { return ReadFile(myDir->Path() / "log.txt"); }
    const CScopedTempDir& Dir() const { return *myDir; }

private:
    std::unique_ptr<CScopedTempDir> myDir;
};

// Shared record of what recording tasks did, in order ("name:Event").
inline std::vector<std::string>& Events() {
    static std::vector<std::string> events;
    return events;
}

// A task that records its calls; behaviour can be scripted per instance.
class CRecordingTask : public vorn::CTask {
public:
    bool initResult = true;
    std::function<void(CRecordingTask&)> onUpdate;
    int updates = 0;
    int exits = 0;
    bool focusSensitive = false;

    bool Init() override {
        Events().push_back(GetName() + ":Init");
        return initResult;
    }
    void Update() override {
        ++updates;
        Events().push_back(GetName() + ":Update");
        if (onUpdate) onUpdate(*this);
    }
    void Exit() override {
        ++exits;
        Events().push_back(GetName() + ":Exit");
    }
    void OnPause() override { Events().push_back(GetName() + ":Pause"); }
    void OnResume() override { Events().push_back(GetName() + ":Resume"); }
    bool PausesOnFocusLoss() const override { return focusSensitive; }
};

}  // namespace testing_support
