// vaziduvu-cli --current-adif: the option before the command switches the
// reader and the checks to ADIF 3.1.6.

#include "cli_runner.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

using vaziduvu::test::RunResult;

RunResult runCli(const std::vector<std::string> &args)
{
    return vaziduvu::test::runCli(args,
                                  ::testing::TempDir() + "vaziduvu_current_stderr_"
                                      + std::to_string(::getpid()) + ".txt");
}

// FT8, MFSK with SUBMODE FT4, STATE "ON" with DXCC 1 and "CT" with DXCC 291.
const std::string kTodaysLog = std::string(TEST_DATA_DIR) + "/current-ft8-ontario.adi";

struct ModeCase {
    const char *name;
    std::vector<std::string> args;  // FILE stands for the fixture
    int status;
    std::vector<std::string> found;  // texts the output holds
};

void PrintTo(const ModeCase &c, std::ostream *os)
{
    *os << c.name;
}

class CurrentAdifOption : public ::testing::TestWithParam<ModeCase> { };

TEST_P(CurrentAdifOption, ChoosesTheChecks)
{
    std::vector<std::string> args = GetParam().args;
    for (std::string &arg : args) {
        if (arg == "FILE")
            arg = kTodaysLog;
    }
    const RunResult run = runCli(args);
    EXPECT_EQ(run.status, GetParam().status) << run.err;
    for (const std::string &text : GetParam().found)
        EXPECT_NE(run.out.find(text), std::string::npos) << run.out;
    if (GetParam().found.empty()) {
        EXPECT_EQ(run.out, "");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cli, CurrentAdifOption,
    ::testing::Values(
        ModeCase{"CurrentAcceptsTodaysLog", {"--current-adif", "check", "FILE"}, 0, {}},
        ModeCase{"ClassicRefusesIt",
                 {"check", "FILE"},
                 1,
                 {":3:87: MODE \"FT8\": Check your 'Mode' columns",
                  ":3:110: STATE \"ON\": Check your 'US State' columns",
                  ":4:87: MODE \"MFSK\": Check your 'Mode' columns"}},
        ModeCase{"ClassicNamesTheOption",
                 {"check", "FILE"},
                 1,
                 {"\nNote: This log uses ADIF 3.1.6 values (FT8, ON, MFSK). vaziduvu-cli "
                  "--current-adif checks it against today's lists.\n"}},
        ModeCase{"OptionOnlyBeforeTheCommand", {"check", "--current-adif", "FILE"}, 2, {}},
        ModeCase{"OptionWithoutCommand", {"--current-adif"}, 2, {}},
        ModeCase{"HelpNamesIt", {"--help"}, 0, {"[--current-adif] [--progress] COMMAND", "3.1.6"}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(CurrentAdifCheck, Ft4AsModeGetsItsAdvice)
{
    const std::string path
        = ::testing::TempDir() + "current-ft4-" + std::to_string(::getpid()) + ".adi";
    std::ofstream(path, std::ios::binary)
        << "log <EOH>\n<CALL:4>W1AW<MODE:3>FT4<STATE:2>ON<DXCC:3>291<EOR>\n";
    const RunResult run = runCli({"--current-adif", "check", path});
    std::remove(path.c_str());
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out,
              path
                  + ":2:21: MODE \"FT4\": Check your 'Mode' columns ... FT4 is a submode, not a "
                    "mode: log it as MODE MFSK with SUBMODE FT4.\n"
                  + path
                  + ":2:33: STATE \"ON\": Check your 'State' columns ... STATE \"ON\" is not a "
                    "subdivision of DXCC entity 291 (it is one of DXCC entity 1): with DXCC 291 "
                    "STATE takes one of that entity's ADIF 3.1.6 codes.\n");
}

TEST(CurrentAdifExport, WritesWhatItAcceptsAndReadsItBack)
{
    const std::string target
        = ::testing::TempDir() + "current-export-" + std::to_string(::getpid()) + ".adi";
    std::remove(target.c_str());
    const RunResult run = runCli({"--current-adif", "export", kTodaysLog, target});
    EXPECT_EQ(run.status, 0) << run.err;
    const std::string written = vaziduvu::test::readBytes(target);
    for (const char *tag : {"<MODE:3>FT8 ", "<STATE:2>ON ", "<SUBMODE:3>FT4 "})
        EXPECT_NE(written.find(tag), std::string::npos) << tag;
    EXPECT_EQ(runCli({"--current-adif", "check", target}).status, 0);
    std::remove(target.c_str());
}

// --progress says how far a step has come on standard error, and only
// there; the result on standard output is the same.
TEST(ProgressOption, ReportsOnStandardErrorOnly)
{
    const RunResult quiet = runCli({"--current-adif", "check", kTodaysLog});
    const RunResult shown = runCli({"--progress", "--current-adif", "check", kTodaysLog});
    EXPECT_EQ(quiet.err, "");
    EXPECT_EQ(shown.status, quiet.status);
    EXPECT_EQ(shown.out, quiet.out);
    EXPECT_NE(shown.err.find("checking " + kTodaysLog + ": 100%\n"), std::string::npos)
        << shown.err;
}

}  // namespace
