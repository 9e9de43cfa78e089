// Housekeeping of a whole logbook (100,000 generated records, Current ADIF):
// sorting and filtering the grid's rows, finding duplicates in the open
// log, and the whole process of `vaziduvu-cli dupes` and `merge` next to
// `records` on the same file.
#include "bench_run.h"
#include "document/duplicates.h"
#include "document/log_merge.h"
#include "document/open_log.h"
#include "document/row_order.h"
#include "generated_logbook.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

using namespace vaziduvu;

const int kRecords = vaziduvu::bench::logbookContacts();

const LogDocument &logbook()
{
    static const OpenedLog opened = openLogFromBytes(generatedLogbook(kRecords), AdifMode::Current);
    return *opened.document;
}

void BM_SortRows(benchmark::State &state, const char *field)
{
    const LogDocument &document = logbook();
    const int column = columnNamed(document, field);
    for (auto _ : state)
        benchmark::DoNotOptimize(sortedRows(document, column, false));
}
BENCHMARK_CAPTURE(BM_SortRows, call, "CALL")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SortRows, date, "QSO_DATE")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SortRows, freq, "FREQ")->Unit(benchmark::kMillisecond);

void BM_FilterRows(benchmark::State &state, const char *text, const char *field)
{
    const LogDocument &document = logbook();
    const int column = field ? columnNamed(document, field) : 0;
    const std::vector<int> rows = allRows(document);
    for (auto _ : state)
        benchmark::DoNotOptimize(rowsMatching(document, rows, text, column));
}
BENCHMARK_CAPTURE(BM_FilterRows, everyColumnAbsent, "zz9zz", nullptr)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FilterRows, everyColumnCommon, "a", nullptr)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FilterRows, call, "W1", "CALL")->Unit(benchmark::kMillisecond);

void BM_FindDuplicates(benchmark::State &state)
{
    const LogDocument &document = logbook();
    for (auto _ : state)
        benchmark::DoNotOptimize(findDuplicateGroups(contactKeysOf(document), 5));
}
BENCHMARK(BM_FindDuplicates)->Unit(benchmark::kMillisecond);

bool runTool(const std::vector<std::string> &args)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    std::vector<std::string> words{VAZIDUVU_CLI, "--current-adif"};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char *> argv;
    for (std::string &word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    const bool started
        = posix_spawn(&child, VAZIDUVU_CLI, &actions, nullptr, argv.data(), environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    if (started)
        waitpid(child, &status, 0);
    return started && WIFEXITED(status) && WEXITSTATUS(status) <= 1;
}

void BM_CliOnLogbook(benchmark::State &state, const char *command)
{
    const auto path = std::filesystem::temp_directory_path() / "vaziduvu_bench_dupes.adi";
    const auto target = std::filesystem::temp_directory_path() / "vaziduvu_bench_merged.adi";
    {
        const std::string text = generatedLogbook(kRecords);
        std::ofstream(path, std::ios::binary)
            .write(text.data(), static_cast<std::streamsize>(text.size()));
    }
    const std::string name = command;
    for (auto _ : state) {
        std::filesystem::remove(target);
        const bool ok = name == "merge" ? runTool({"merge", path.string(), target.string()})
                                        : runTool({name, path.string()});
        if (!ok) {
            state.SkipWithError("the tool failed");
            break;
        }
    }
    std::filesystem::remove(path);
    std::filesystem::remove(target);
}
BENCHMARK_CAPTURE(BM_CliOnLogbook, records, "records")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CliOnLogbook, dupes, "dupes")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CliOnLogbook, merge, "merge")->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
