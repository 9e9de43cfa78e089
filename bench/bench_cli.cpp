// The command-line tool as a script runs it: the whole process of `dump`
// and `records` on the largest accepted log, with its peak memory.
#include "largest_log.h"

#include "bench_run.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

// Runs the tool with its output to /dev/null; the peak resident memory in MB.
double runTool(const std::string &command, const std::string &file, bool &ok)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    const std::string program = VAZIDUVU_CLI;
    char *argv[] = {const_cast<char *>(program.c_str()), const_cast<char *>(command.c_str()),
                    const_cast<char *>(file.c_str()), nullptr};
    pid_t child = 0;
    ok = posix_spawn(&child, program.c_str(), &actions, nullptr, argv, environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    if (!ok)
        return 0;
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BM_CliWholeProcess(benchmark::State &state, const char *command)
{
    const auto path = std::filesystem::temp_directory_path() / "vaziduvu_bench_cli.adi";
    const std::string text = largestLog();
    std::ofstream(path, std::ios::binary)
        .write(text.data(), static_cast<std::streamsize>(text.size()));
    double peak = 0;
    for (auto _ : state) {
        bool ok = false;
        peak = std::max(peak, runTool(command, path.string(), ok));
        if (!ok) {
            state.SkipWithError("the tool failed");
            break;
        }
    }
    state.counters["peak_MB"] = peak;
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations())
                            * static_cast<int64_t>(text.size()));
    std::filesystem::remove(path);
}
BENCHMARK_CAPTURE(BM_CliWholeProcess, dump, "dump")
    ->Unit(benchmark::kMillisecond)
    ->Apply(vaziduvu::bench::lasting<20>);
BENCHMARK_CAPTURE(BM_CliWholeProcess, records, "records")
    ->Unit(benchmark::kMillisecond)
    ->Apply(vaziduvu::bench::lasting<20>);

}  // namespace

BENCHMARK_MAIN();
