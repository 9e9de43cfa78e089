// The command-line tool as a script runs it: the whole process of `dump`
// and `records` on the largest accepted log, with its peak memory.
#include "generated_logbook.h"
#include "largest_log.h"

#include "bench_run.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

// Runs the tool with its output to /dev/null; the peak resident memory in MB.
// `exitStatus`: the status the run must end with.
double runArgs(const std::vector<std::string> &args, bool &ok, int exitStatus = 0)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    const std::string program = VAZIDUVU_CLI;
    std::vector<char *> argv = {const_cast<char *>(program.c_str())};
    for (const std::string &arg : args)
        argv.push_back(const_cast<char *>(arg.c_str()));
    argv.push_back(nullptr);
    pid_t child = 0;
    ok = posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    if (!ok)
        return 0;
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    ok = WIFEXITED(status) && WEXITSTATUS(status) == exitStatus;
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

double runTool(const std::string &command, const std::string &file, bool &ok)
{
    return runArgs({command, file}, ok);
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

// A whole logbook of about a gigabyte (the generated 100,000 contacts
// repeated nineteen times; once in a quick run), read by the commands that
// stream in Current ADIF. Each must stay within 64 MB resident whatever the
// file's size (peak_MB).
class GigabyteLog {
public:
    GigabyteLog()
        : path_(std::filesystem::temp_directory_path() / "vaziduvu_bench_stream.adi")
    {
        const bool quick = vaziduvu::bench::quickRun();
        const std::string logbook = generatedLogbook(quick ? 2000 : 100000);
        const size_t records = logbook.find("<EOH>") + 5;
        std::ofstream file(path_, std::ios::binary);
        file.write(logbook.data(), static_cast<std::streamsize>(logbook.size()));
        for (int copy = 1; copy < (quick ? 1 : 19); ++copy)
            file.write(logbook.data() + records,
                       static_cast<std::streamsize>(logbook.size() - records));
        size_ = static_cast<size_t>(file.tellp());
    }
    ~GigabyteLog() { std::filesystem::remove(path_); }
    std::string path() const { return path_.string(); }
    size_t size() const { return size_; }

private:
    std::filesystem::path path_;
    size_t size_ = 0;
};

const GigabyteLog &gigabyteLog()
{
    static const GigabyteLog log;
    return log;
}

// `extension`: the export's target type (an XML or HTML target writes its
// .BADI companion too).
void BM_CliStreamsGigabyte(benchmark::State &state, const char *command,
                           const char *extension = ".adi")
{
    const GigabyteLog &log = gigabyteLog();
    const auto folder = std::filesystem::temp_directory_path();
    const auto target = folder / (std::string("vaziduvu_bench_stream_out") + extension);
    const auto companion = folder / "vaziduvu_bench_stream_out.BADI";
    double peak = 0;
    for (auto _ : state) {
        std::filesystem::remove(target);
        std::filesystem::remove(companion);
        std::vector<std::string> args = {"--current-adif", command, log.path()};
        if (std::string(command) == "export" || std::string(command) == "fix")
            args.push_back(target.string());
        bool ok = false;
        // The child's peak starts from this process's (the spawn shares its
        // memory until the exec): bring it down to what is resident now.
        vaziduvu::bench::residentPeakSinceLastCall();
        peak = std::max(peak, runArgs(args, ok));  // the logbook passes every check
        if (!ok) {
            state.SkipWithError("the tool failed");
            break;
        }
    }
    std::filesystem::remove(target);
    std::filesystem::remove(companion);
    state.counters["peak_MB"] = peak;
    state.counters["file_MB"] = static_cast<double>(log.size()) / (1024.0 * 1024.0);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations())
                            * static_cast<int64_t>(log.size()));
}
BENCHMARK_CAPTURE(BM_CliStreamsGigabyte, check, "check")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Apply(vaziduvu::bench::repeated<1>);
BENCHMARK_CAPTURE(BM_CliStreamsGigabyte, export, "export")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Apply(vaziduvu::bench::repeated<1>);
BENCHMARK_CAPTURE(BM_CliStreamsGigabyte, export_xml, "export", ".xml")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Apply(vaziduvu::bench::repeated<1>);
BENCHMARK_CAPTURE(BM_CliStreamsGigabyte, export_html, "export", ".htm")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Apply(vaziduvu::bench::repeated<1>);
BENCHMARK_CAPTURE(BM_CliStreamsGigabyte, records, "records")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Apply(vaziduvu::bench::repeated<1>);
BENCHMARK_CAPTURE(BM_CliStreamsGigabyte, stats, "stats")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Apply(vaziduvu::bench::repeated<1>);
BENCHMARK_CAPTURE(BM_CliStreamsGigabyte, fix, "fix")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Apply(vaziduvu::bench::repeated<1>);

}  // namespace

BENCHMARK_MAIN();
