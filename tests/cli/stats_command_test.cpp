// vaziduvu-cli stats: the figures of planted logs of three common shapes,
// each compared with an independent count made by hand.
#include "cli_runner.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <unistd.h>

#include <string>
#include <vector>

namespace {

using vaziduvu::test::RunResult;

RunResult runCli(const std::vector<std::string> &args)
{
    return vaziduvu::test::runCli(args,
                                  ::testing::TempDir() + "vaziduvu_stats_stderr_"
                                      + std::to_string(::getpid()) + ".txt");
}

struct StatsCase {
    const char *name;
    const char *fixture;
    bool current;          // --current-adif
    const char *expected;  // the JSON without "file"
};

void PrintTo(const StatsCase &c, std::ostream *os)
{
    *os << c.name;
}

// A report of confirmations: every contact confirmed on paper.
constexpr const char *kReport = R"({"contacts": 4, "uniqueCalls": 3,
    "firstDate": "20231231", "lastDate": "20250402",
    "byBand": {"40M": 1, "20M": 2, "15M": 1}, "byMode": {"CW": 1, "FT8": 2, "MFSK": 1},
    "byYear": {"2023": 1, "2024": 1, "2025": 2},
    "byBandMode": {"40M": {"FT8": 1}, "20M": {"CW": 1, "FT8": 1}, "15M": {"MFSK": 1}},
    "dxcc": {"worked": 3, "confirmed": 3, "byBand": {"40M": {"worked": 1, "confirmed": 1},
        "20M": {"worked": 1, "confirmed": 1}, "15M": {"worked": 1, "confirmed": 1}}}})";

// Upper-case tags, an empty BAND with its FREQ, a call in lower case, an
// empty date and DXCC 0.
constexpr const char *kGeneral = R"({"contacts": 5, "uniqueCalls": 4,
    "firstDate": "20220105", "lastDate": "20230101",
    "byBand": {"80M": 2, "20M": 2, "6M": 1}, "byMode": {"CW": 2, "SSB": 3},
    "byYear": {"2022": 3, "2023": 1, "": 1},
    "byBandMode": {"80M": {"CW": 1, "SSB": 1}, "20M": {"CW": 1, "SSB": 1}, "6M": {"SSB": 1}},
    "dxcc": {"worked": 2, "confirmed": 1, "byBand": {"80M": {"worked": 1, "confirmed": 1},
        "20M": {"worked": 1, "confirmed": 0}}}})";

// Lower-case tags, no BAND tag in one record, an empty MODE, "001" and "1"
// as one entity, confirmations by LOTW_QSL_RCVD or QSL_RCVD only.
constexpr const char *kLowerCase = R"({"contacts": 4, "uniqueCalls": 4,
    "firstDate": "20261201", "lastDate": "20261204",
    "byBand": {"160M": 1, "30M": 1, "17M": 2}, "byMode": {"FT8": 3, "": 1},
    "byYear": {"2026": 4},
    "byBandMode": {"160M": {"": 1}, "30M": {"FT8": 1}, "17M": {"FT8": 2}},
    "dxcc": {"worked": 2, "confirmed": 2, "byBand": {"160M": {"worked": 1, "confirmed": 0},
        "30M": {"worked": 1, "confirmed": 1}, "17M": {"worked": 2, "confirmed": 1}}}})";

class StatsCommand : public ::testing::TestWithParam<StatsCase> { };

TEST_P(StatsCommand, EqualsTheCountByHand)
{
    const std::string path = std::string(TEST_DATA_DIR) + "/" + GetParam().fixture;
    std::vector<std::string> args = {"stats", "--json", path};
    if (GetParam().current)
        args.insert(args.begin(), "--current-adif");
    const RunResult run = runCli(args);
    ASSERT_EQ(run.status, 0) << run.err;
    nlohmann::json expected = nlohmann::json::parse(GetParam().expected);
    expected["file"] = path;
    EXPECT_EQ(nlohmann::json::parse(run.out), expected) << run.out;
}

INSTANTIATE_TEST_SUITE_P(
    Cli, StatsCommand,
    ::testing::Values(StatsCase{"Report", "stats-confirmation-report.adi", false, kReport},
                      StatsCase{"ReportCurrent", "stats-confirmation-report.adi", true, kReport},
                      StatsCase{"General", "stats-general-log.adi", false, kGeneral},
                      StatsCase{"GeneralCurrent", "stats-general-log.adi", true, kGeneral},
                      StatsCase{"LowerCase", "stats-lower-case-log.adi", false, kLowerCase},
                      StatsCase{"LowerCaseCurrent", "stats-lower-case-log.adi", true, kLowerCase}),
    [](const auto &info) { return std::string(info.param.name); });

struct OutcomeCase {
    const char *name;
    std::vector<std::string> args;
    int status;
    const char *found;  // in standard output, or in standard error when nothing is printed
};

void PrintTo(const OutcomeCase &c, std::ostream *os)
{
    *os << c.name;
}

class StatsOutcome : public ::testing::TestWithParam<OutcomeCase> { };

TEST_P(StatsOutcome, ExitsAndSays)
{
    const RunResult run = runCli(GetParam().args);
    EXPECT_EQ(run.status, GetParam().status) << run.err;
    const std::string &said = run.out.empty() ? run.err : run.out;
    EXPECT_NE(said.find(GetParam().found), std::string::npos) << said;
}

INSTANTIATE_TEST_SUITE_P(
    Cli, StatsOutcome,
    ::testing::Values(
        OutcomeCase{"Text",
                    {"stats", std::string(TEST_DATA_DIR) + "/stats-general-log.adi"},
                    0,
                    "DXCC entities:  2 worked, 1 confirmed"},
        OutcomeCase{
            "FormatError", {"stats", EXAMPLES_DIR "/format-error.adi"}, 1, "Bracket mismatch"},
        OutcomeCase{"NoFile", {"stats", "--json"}, 2, "usage: vaziduvu-cli stats [--json]"},
        OutcomeCase{"Missing", {"stats", "/nonexistent/log.adi"}, 2, "no such file"}),
    [](const auto &info) { return std::string(info.param.name); });

}  // namespace
