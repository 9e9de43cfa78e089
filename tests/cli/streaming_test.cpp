// The commands that read a log a batch at a time say and write exactly what
// they say and write when the whole log is read first: every fixture and
// every example, each command, in both modes, with batches of one and of
// three records so that every record boundary is a batch boundary somewhere.

#include "cli_runner.h"
#include "generated_logbook.h"
#include "generated_million.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

using vaziduvu::test::quoted;
using vaziduvu::test::readBytes;

struct StreamCase {
    std::string file;
    std::string command;
};

// What a run left: its exit status, its two streams and every file it wrote
// (name and bytes), so that a file left behind shows too.
struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
    std::string written;
};

std::string filesIn(const fs::path &folder)
{
    std::vector<std::string> names;
    for (const auto &entry : fs::directory_iterator(folder)) {
        if (entry.path().filename() != "err.txt")
            names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    std::string files;
    for (const std::string &name : names)
        files += name + ":\n" + readBytes((folder / name).string()) + "\n";
    return files;
}

// Runs the tool in a folder of its own, so that the paths it prints are the
// same for every run.
Outcome runIn(const fs::path &folder, const std::vector<std::string> &args)
{
    fs::create_directories(folder);
    const vaziduvu::test::RunResult run
        = vaziduvu::test::runCli(args, (folder / "err.txt").string(), folder.string());
    Outcome outcome{run.status, run.out, run.err, filesIn(folder)};
    fs::remove_all(folder);
    return outcome;
}

std::vector<std::string> commandArgs(const StreamCase &c)
{
    if (c.command == "export" || c.command == "fix")
        return {c.command, c.file, "target.adi"};
    if (c.command == "fix dry-run")
        return {"fix", "--dry-run", c.file, "target.adi"};
    if (c.command == "export xml")
        return {"export", c.file, "target.xml"};
    if (c.command == "export html")
        return {"export", c.file, "target.htm"};
    if (c.command == "check json")
        return {"check", "--json", c.file};
    if (c.command == "stats json")
        return {"stats", "--json", c.file};
    return {c.command, c.file};
}

// Runs the command on the file whole and then in batches of one and of
// three records, in both modes, and expects the same of every run.
void expectSameAsWhole(const StreamCase &c)
{
    const fs::path folder = vaziduvu::test::testFolder("vaziduvu-streaming");
    for (const char *mode : {"", "--current-adif"}) {
        auto run = [&](const char *batch) {
            std::vector<std::string> args = {"--batch-records", batch};
            if (*mode)
                args.insert(args.begin(), mode);
            const std::vector<std::string> rest = commandArgs(c);
            args.insert(args.end(), rest.begin(), rest.end());
            return runIn(folder, args);
        };
        const Outcome whole = run("0");
        for (const char *batch : {"1", "3"}) {
            const Outcome streamed = run(batch);
            const std::string where = c.command + ", " + std::string(*mode ? mode : "classic")
                + ", batches of " + batch;
            EXPECT_EQ(streamed.status, whole.status) << where;
            EXPECT_EQ(streamed.out, whole.out) << where;
            EXPECT_EQ(streamed.err, whole.err) << where;
            EXPECT_EQ(streamed.written, whole.written) << where;
        }
    }
}

class StreamingCommand : public ::testing::TestWithParam<StreamCase> { };

TEST_P(StreamingCommand, SaysAndWritesWhatTheWholeLogGives)
{
    expectSameAsWhole(GetParam());
}

// Past Classic's record limit the log is refused before anything is mended;
// the Current mode mends the date of the first record and the last.
TEST(StreamingFix, LogPastClassicLimitIsRefusedOrMendedAsWhole)
{
    const fs::path file = fs::path(::testing::TempDir())
        / ("vaziduvu-streaming-" + std::to_string(::getpid()) + "-long.adi");
    {
        std::ofstream log(file, std::ios::binary);
        log << "long log <EOH>\n";
        for (int record = 1; record <= 4001; ++record) {
            const bool mended = record == 1 || record == 4001;
            log << "<CALL:4>K1AB<QSO_DATE:" << (mended ? "10>2024-01-05" : "8>20240105")
                << "<MODE:2>CW<EOR>\n";
        }
    }
    for (const char *command : {"fix", "fix dry-run"})
        expectSameAsWhole({file.string(), command});
    fs::remove(file);
}
// The generated logs of the benchmarks, small: a logbook whose records vary
// in their fields, and one whose SSB contacts are logged as USB or LSB, so
// that fix adds a SUBMODE column in every batch.
TEST(StreamingGenerated, EveryCommandSaysAndWritesWhatTheWholeLogGives)
{
    const fs::path folder = fs::path(::testing::TempDir());
    const std::string pid = std::to_string(::getpid());
    const fs::path logbook = folder / ("vaziduvu-streaming-" + pid + "-logbook.adi");
    const fs::path sideband = folder / ("vaziduvu-streaming-" + pid + "-sideband.adi");
    {
        const std::string text = generatedLogbook(120);
        std::ofstream(logbook, std::ios::binary)
            .write(text.data(), static_cast<std::streamsize>(text.size()));
    }
    writeGeneratedMillion(sideband.string(), 120, true);
    for (const fs::path &file : {logbook, sideband}) {
        for (const char *command : {"check", "check json", "export", "export xml", "export html",
                                    "records", "stats", "stats json", "fix", "fix dry-run"})
            expectSameAsWhole({file.string(), command});
        fs::remove(file);
    }
}

std::vector<StreamCase> streamCases()
{
    std::vector<std::string> files;
    for (const char *folder : {TEST_DATA_DIR, EXAMPLES_DIR}) {
        for (const auto &entry : fs::directory_iterator(folder)) {
            const std::string extension = entry.path().extension().string();
            if (entry.is_regular_file() && extension != ".md")
                files.push_back(entry.path().string());
        }
    }
    std::sort(files.begin(), files.end());
    std::vector<StreamCase> cases;
    for (const std::string &file : files) {
        for (const char *command : {"check", "check json", "export", "export xml", "export html",
                                    "records", "stats", "stats json", "fix", "fix dry-run"})
            cases.push_back({file, command});
    }
    return cases;
}

std::string caseName(const ::testing::TestParamInfo<StreamCase> &info)
{
    std::string name = fs::path(info.param.file).filename().string() + "_" + info.param.command;
    for (char &c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    }
    return name + "_" + std::to_string(info.index);
}

INSTANTIATE_TEST_SUITE_P(Logs, StreamingCommand, ::testing::ValuesIn(streamCases()), caseName);

}  // namespace
