// The command-line tool's two roads through a log: every command that reads
// a log a batch at a time (and fix, which promises the same) runs in process
// over the input, once over the whole log (--batch-records 0) and once a few
// records at a time, in both modes. Exit status, standard output, standard
// error and every file written must be the same byte for byte; a difference
// aborts with what differed, so the fuzzer keeps the input as a crash.
// Built as a libFuzzer target (fuzz/) and, without libFuzzer, into the
// corpus test of the ordinary test suite (tests/fuzz_regression/).

#include "cli/check_command.h"
#include "cli/dump_command.h"
#include "cli/export_command.h"
#include "cli/fix_command.h"
#include "cli/stats_command.h"

#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace vaziduvu {
namespace {

namespace fs = std::filesystem;

using RunCommand = int (*)(const std::vector<std::string> &args, const CliOptions &options,
                           std::ostream &out, std::ostream &err);

// Stands for the input's path among a command's arguments; every other
// argument naming a file ("target...") is a name in the private folder.
constexpr const char *kLogArgument = "LOG";
constexpr const char *kLogName = "log.adi";

struct CommandCase {
    const char *name;
    RunCommand run;
    std::vector<const char *> args;
};

const std::vector<CommandCase> &commandCases()
{
    static const std::vector<CommandCase> cases = {
        {"check", &runCheckCommand, {kLogArgument}},
        {"check --json", &runCheckCommand, {"--json", kLogArgument}},
        {"export .adi", &runExportCommand, {kLogArgument, "target.adi"}},
        {"export .xml", &runExportCommand, {kLogArgument, "target.xml"}},
        {"export .htm", &runExportCommand, {kLogArgument, "target.htm"}},
        {"records", &runRecordsCommand, {kLogArgument}},
        {"stats", &runStatsCommand, {kLogArgument}},
        {"stats --json", &runStatsCommand, {"--json", kLogArgument}},
        {"fix", &runFixCommand, {kLogArgument, "target.adi"}},
        {"fix --dry-run", &runFixCommand, {"--dry-run", kLogArgument, "target.adi"}},
    };
    return cases;
}

// Made at the first input and removed at exit (a crash leaves it for a look).
// A tmpfs is preferred: every file written ends with an fsync, which on a
// disk can take milliseconds, and one input writes two dozen files.
const std::string *workFolder = nullptr;

void removeWorkFolder()
{
    std::error_code error;
    fs::remove_all(*workFolder, error);
}

const std::string &makeWorkFolder()
{
    if (workFolder != nullptr)
        return *workFolder;
    std::error_code error;
    const fs::path base = fs::is_directory("/dev/shm", error) && access("/dev/shm", W_OK) == 0
        ? fs::path("/dev/shm")
        : fs::temp_directory_path();
    std::string pattern = (base / "vaziduvu-fuzz-cli-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        std::perror("fuzz_cli: cannot make a temporary folder");
        std::abort();
    }
    workFolder = new std::string(pattern);
    std::atexit(removeWorkFolder);
    return *workFolder;
}

// What one run said and left: its files by name, each removed once read, so
// the next run starts from the input alone.
struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
    std::vector<std::pair<std::string, std::string>> written;
};

std::vector<std::pair<std::string, std::string>> takeWrittenFiles(const std::string &folder)
{
    std::vector<std::pair<std::string, std::string>> files;
    for (const auto &entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name == kLogName)
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        files.emplace_back(name, std::string(std::istreambuf_iterator<char>(in), {}));
    }
    for (const auto &[name, bytes] : files)
        fs::remove_all(fs::path(folder) / name);
    std::sort(files.begin(), files.end());
    return files;
}

Outcome runCommand(const CommandCase &command, const CliOptions &options, const std::string &folder)
{
    std::vector<std::string> args;
    for (const char *arg : command.args) {
        if (std::string(arg) == kLogArgument)
            args.push_back(folder + "/" + kLogName);
        else if (std::string(arg).rfind("target", 0) == 0)
            args.push_back(folder + "/" + arg);
        else
            args.push_back(arg);
    }
    Outcome outcome;
    std::ostringstream out;
    std::ostringstream err;
    // As main() turns an escaping exception into a line and a status.
    try {
        outcome.status = command.run(args, options, out, err);
    } catch (const std::exception &e) {
        err << "vaziduvu-cli: " << e.what() << '\n';
        outcome.status = CliUsageError;
    }
    outcome.out = out.str();
    outcome.err = err.str();
    outcome.written = takeWrittenFiles(folder);
    return outcome;
}

std::string clipped(const std::string &text)
{
    constexpr size_t kShown = 4000;
    return text.size() <= kShown ? text : text.substr(0, kShown) + "\n[...]";
}

std::string describeFiles(const std::vector<std::pair<std::string, std::string>> &files)
{
    std::string text;
    for (const auto &[name, bytes] : files)
        text += name + " (" + std::to_string(bytes.size()) + " bytes):\n" + clipped(bytes) + "\n";
    return text.empty() ? "(none)\n" : text;
}

[[noreturn]] void reportDifference(const CommandCase &command, const CliOptions &options,
                                   const char *what, const std::string &whole,
                                   const std::string &batched)
{
    std::fprintf(stderr,
                 "fuzz_cli: %s (%s, batches of %d) differs from the whole-log run in its %s\n"
                 "--- whole log:\n%s\n--- batches:\n%s\n",
                 command.name, options.mode == AdifMode::Current ? "Current" : "Classic",
                 options.batchRecords, what, clipped(whole).c_str(), clipped(batched).c_str());
    std::abort();
}

void compareRuns(const CommandCase &command, const CliOptions &batched, const std::string &folder)
{
    CliOptions whole = batched;
    whole.batchRecords = 0;
    const Outcome expected = runCommand(command, whole, folder);
    const Outcome actual = runCommand(command, batched, folder);
    if (actual.status != expected.status)
        reportDifference(command, batched, "exit status", std::to_string(expected.status),
                         std::to_string(actual.status));
    if (actual.out != expected.out)
        reportDifference(command, batched, "standard output", expected.out, actual.out);
    if (actual.err != expected.err)
        reportDifference(command, batched, "standard error", expected.err, actual.err);
    if (actual.written != expected.written)
        reportDifference(command, batched, "written files", describeFiles(expected.written),
                         describeFiles(actual.written));
}

}  // namespace
}  // namespace vaziduvu

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace vaziduvu;
    const std::string &folder = makeWorkFolder();
    {
        std::ofstream log(folder + "/" + kLogName, std::ios::binary | std::ios::trunc);
        log.write(reinterpret_cast<const char *>(data), static_cast<std::streamsize>(size));
        if (!log.flush()) {
            std::perror("fuzz_cli: cannot write the input");
            std::abort();
        }
    }
    // The first byte picks the batch size, as in fuzz_reader: with batches of
    // one to four records every record boundary is a batch boundary somewhere.
    CliOptions options;
    options.batchRecords = size > 0 ? 1 + data[0] % 4 : 1;
    for (const AdifMode mode : {AdifMode::Classic, AdifMode::Current}) {
        options.mode = mode;
        for (const CommandCase &command : commandCases())
            compareRuns(command, options, folder);
    }
    return 0;
}
