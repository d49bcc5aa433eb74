// Kernel passes, console lines and log lines per second.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "vorn/Builtins.h"
#include "vorn/console/CConsole.h"
#include "vorn/console/CConsoleCommand.h"
#include "vorn/console/CLog.h"
#include "vorn/console/CVariable.h"
#include "vorn/tasks/CKernel.h"
#include "vorn/tasks/CTask.h"

namespace {

class CTrivialTask : public vorn::CTask {
public:
    void Update() override { benchmark::DoNotOptimize(++myCount); }

private:
    long myCount = 0;
};

// Task updates per second through the kernel's pass loop, 10 tasks per pass.
void BM_KernelPass10Tasks(benchmark::State& state) {
    vorn::CKernel* kernel = vorn::CKernel::GetSingleton();
    std::vector<std::unique_ptr<CTrivialTask>> tasks;
    for (int i = 0; i < 10; ++i) {
        tasks.push_back(std::make_unique<CTrivialTask>());
        tasks.back()->SetPriority(i);
        kernel->AddTask(tasks.back().get());
    }
    kernel->SetRunPseudoThreads(false);
    for (auto _ : state)
        kernel->RunPass();
    state.SetItemsProcessed(state.iterations() * 10);
    state.counters["task_updates_per_s"] =
        benchmark::Counter(state.iterations() * 10.0, benchmark::Counter::kIsRate);
    tasks.clear();
    vorn::CKernel::DeleteSingleton();
}
BENCHMARK(BM_KernelPass10Tasks);

class CStubCommand : public vorn::CConsoleCommand {
public:
    std::string Execute(vorn::CVariableList* params) override {
        benchmark::DoNotOptimize(params->Size());
        return "";
    }
    std::string Execute() override { return ""; }
};

// A typical start-up line through the whole language: name, three arguments
// each executed as a line, number detection.
void BM_ConsoleExecuteLine(benchmark::State& state) {
    vorn::CConsole console;
    CStubCommand stub;
    console.AddCommand("starttask", &stub);
    for (auto _ : state)
        benchmark::DoNotOptimize(console.ExecuteLine("starttask(gfx, renderer, 900)"));
    state.counters["lines_per_s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ConsoleExecuteLine);

// log.txt is opened and closed for every line so it survives a crash.
void BM_LogLine(benchmark::State& state) {
    const auto folder = std::filesystem::temp_directory_path() / "vorn_log_bench";
    std::filesystem::create_directories(folder);
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(folder);
    vorn::CLog* log = vorn::CLog::GetSingleton();
    for (auto _ : state)
        log->Printf("[WARNING] A typical log line number %d\n", 42);
    state.counters["lines_per_s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    vorn::CLog::DeleteSingleton();
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_LogLine);

}  // namespace
