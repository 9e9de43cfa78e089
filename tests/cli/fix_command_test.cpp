// Runs `vaziduvu-cli fix` on small logs: what it prints, the file it writes
// (the log's own bytes with only the mended values changed) and its exit
// status.

#include "cli_runner.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

using vaziduvu::test::readBytes;
using vaziduvu::test::RunResult;

// USB, LSB and FT4 as modes; a FREQ outside its BAND; an unknown STATE.
const std::string kQrzLog = std::string(TEST_DATA_DIR) + "/qrz-style-modes.adi";
const std::string kCleanLog = std::string(TEST_DATA_DIR) + "/current-ft8-ontario.adi";

std::string replaced(std::string text,
                     const std::vector<std::pair<std::string, std::string>> &edits)
{
    for (const auto &[from, to] : edits) {
        const size_t at = text.find(from);
        if (at != std::string::npos)
            text.replace(at, from.size(), to);
    }
    return text;
}

class FixCommand : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder_ = vaziduvu::test::testFolder("vaziduvu-cli-fix");
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string file(const std::string &name) const { return (folder_ / name).string(); }

    RunResult run(const std::vector<std::string> &args) const
    {
        return vaziduvu::test::runCli(args, file("stderr.txt"));
    }

    fs::path folder_;
};

TEST_F(FixCommand, MendsTheModesAndListsWhatRemains)
{
    const std::string target = file("fixed.adi");
    const RunResult fixed = run({"--current-adif", "fix", kQrzLog, target});
    EXPECT_EQ(fixed.status, 1) << fixed.err;
    const std::string lines[] = {
        kQrzLog + ":2:81: MODE \"USB\" -> \"SSB\"\n",
        kQrzLog + ":2:81: SUBMODE \"\" -> \"USB\"\n",
        kQrzLog + ":3:80: MODE \"LSB\" -> \"SSB\"\n",
        kQrzLog + ":4:82: MODE \"FT4\" -> \"MFSK\"\n",
        kQrzLog + ":5:67: FREQ \"7.074\": Check your 'Frequency' columns",
        kQrzLog + ":6:92: STATE \"ZZ\": Check your 'State' columns",
        "\n3 fixes in 3 contacts, 2 problems remain\n",
    };
    size_t from = 0;
    for (const std::string &line : lines) {
        const size_t at = fixed.out.find(line, from);
        EXPECT_NE(at, std::string::npos) << line << "\n" << fixed.out;
        from = at == std::string::npos ? from : at;
    }
    EXPECT_EQ(readBytes(target),
              replaced(readBytes(kQrzLog),
                       {{"<mode:3>USB <eor>", "<mode:3>SSB <SUBMODE:3>USB <eor>"},
                        {"<mode:3>LSB", "<mode:3>SSB<SUBMODE:3>LSB"},
                        {"<mode:3>FT4", "<mode:4>MFSK<SUBMODE:3>FT4"}}));

    const RunResult again = run({"--current-adif", "fix", "--dry-run", target, file("twice.adi")});
    EXPECT_EQ(again.status, 1);
    EXPECT_NE(again.out.find("\n0 fixes in 0 contacts, 2 problems remain\n"), std::string::npos)
        << again.out;
    EXPECT_FALSE(fs::exists(file("twice.adi")));
}

struct RunCase {
    const char *name;
    // LOG: the QRZ-style log, CLEAN: a clean one, FORMAT: one with a format
    // error, TARGET, MISSING: a file that is not there
    std::vector<std::string> args;
    int status;
    const char *printed;  // a text standard output holds
    bool targetWritten;
};

void PrintTo(const RunCase &c, std::ostream *os)
{
    *os << c.name;
}

class FixRun : public FixCommand, public ::testing::WithParamInterface<RunCase> { };

TEST_P(FixRun, StatusOutputAndTarget)
{
    const std::string target = file("target.adi");
    if (std::string(GetParam().name) == "TargetExists")
        std::ofstream(target) << "mine";
    std::vector<std::string> args = GetParam().args;
    for (std::string &arg : args) {
        arg = arg == "LOG" ? kQrzLog : arg == "CLEAN" ? kCleanLog : arg;
        arg = arg == "FORMAT" ? std::string(EXAMPLES_DIR) + "/format-error.adi" : arg;
        arg = arg == "TARGET" ? target : arg == "MISSING" ? file("missing.adi") : arg;
    }
    const RunResult result = run(args);
    EXPECT_EQ(result.status, GetParam().status) << result.err;
    EXPECT_NE(result.out.find(GetParam().printed), std::string::npos) << result.out;
    if (std::string(GetParam().name) == "TargetExists")
        EXPECT_EQ(readBytes(target), "mine");
    else
        EXPECT_EQ(fs::exists(target), GetParam().targetWritten);
}

INSTANTIATE_TEST_SUITE_P(
    Cli, FixRun,
    ::testing::Values(
        RunCase{"DryRunWritesNothing",
                {"--current-adif", "fix", "--dry-run", "LOG", "TARGET"},
                1,
                "3 fixes in 3 contacts, 2 problems remain",
                false},
        RunCase{"CleanLogIsCopied",
                {"--current-adif", "fix", "CLEAN", "TARGET"},
                0,
                "0 fixes in 0 contacts, 0 problems remain",
                true},
        RunCase{
            "ClassicModeKeepsModes", {"fix", "LOG", "TARGET"}, 1, "0 fixes in 0 contacts", true},
        RunCase{"TargetExists", {"--current-adif", "fix", "LOG", "TARGET"}, 1, "", true},
        RunCase{"FormatErrorListedNothingWritten",
                {"fix", "FORMAT", "TARGET"},
                1,
                "format-error.adi:",
                false},
        RunCase{"MissingLog", {"fix", "MISSING", "TARGET"}, 2, "", false},
        RunCase{"NoTarget", {"fix", "LOG"}, 2, "", false}),
    [](const auto &info) { return std::string(info.param.name); });

}  // namespace
