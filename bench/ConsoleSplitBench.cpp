// Splitting long console lines: statements and call arguments must be cut in
// time linear in the length of the line. The 1 MB start-up line of 250,000
// statements has to run in well under a second.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "vorn/console/CConsole.h"
#include "vorn/console/CConsoleCommand.h"
#include "vorn/console/CVariable.h"

namespace {

std::string Statements(int count) {
    std::string line;
    line.reserve(size_t(count) * 4);
    for (int i = 0; i < count; ++i)
        line += "y=1;";
    return line;
}

// One line of "y=1;" statements executed as a line; 250,000 of them make the
// 1 MB line. The other sizes show how the time grows with the length.
void BM_ConsoleLineOfStatements(benchmark::State& state) {
    vorn::CConsole console;
    const std::string line = Statements(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(console.ExecuteLine(line, false));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(line.size()));
    state.counters["statements_per_s"] = benchmark::Counter(
        double(state.iterations()) * double(state.range(0)), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ConsoleLineOfStatements)
    ->Arg(20000)
    ->Arg(80000)
    ->Arg(250000)
    ->Unit(benchmark::kMillisecond);

// The same 1 MB line as the one line of a start-up script, read through the
// bounded script reader.
void BM_ConsoleScriptOf1MBLine(benchmark::State& state) {
    namespace fs = std::filesystem;
    const fs::path file = fs::temp_directory_path() / "vorn_bench_long_line.txt";
    std::ofstream(file, std::ios::binary) << Statements(250000) << "\n";
    vorn::CConsole console;
    for (auto _ : state)
        benchmark::DoNotOptimize(console.ExecuteFile(file.string()));
    std::error_code ignored;
    fs::remove(file, ignored);
    benchmark::DoNotOptimize(console.GetVariable("y"));
}
BENCHMARK(BM_ConsoleScriptOf1MBLine)->Unit(benchmark::kMillisecond);

class CCountingCommand : public vorn::CConsoleCommand {
public:
    std::string Execute(vorn::CVariableList* params) override {
        benchmark::DoNotOptimize(params->Size());
        return "";
    }
    std::string Execute() override { return ""; }
};

// A call whose argument list is 3 million commas (all pieces empty), and one
// with 100,000 quoted arguments: the parameter split is linear too.
void BM_ConsoleCallWithManyArguments(benchmark::State& state) {
    vorn::CConsole console;
    CCountingCommand command;
    console.AddCommand("starttask", &command);
    std::string line = "starttask(";
    if (state.range(0) == 0) {
        line += std::string(3000000, ',');
    } else {
        for (int i = 0; i < 100000; ++i)
            line += "\"a\",";
    }
    line += ")";
    for (auto _ : state)
        benchmark::DoNotOptimize(console.ExecuteLine(line, false));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(line.size()));
}
BENCHMARK(BM_ConsoleCallWithManyArguments)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
