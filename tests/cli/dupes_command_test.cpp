// vaziduvu-cli dupes and merge: contacts logged twice found and united.

#include "cli_runner.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using vaziduvu::test::RunResult;

RunResult runCli(const std::vector<std::string> &args)
{
    return vaziduvu::test::runCli(args,
                                  ::testing::TempDir() + "vaziduvu_dupes_stderr_"
                                      + std::to_string(::getpid()) + ".txt");
}

// W1AW across midnight (FREQ on one side, BAND on the other), K1ABC as
// MFSK/FT4, FT8 and MFSK without submode in one minute, N0NE twice without
// a date.
const std::string kLog = std::string(TEST_DATA_DIR) + "/contacts-logged-twice.adi";

struct DupesCase {
    const char *name;
    std::vector<std::string> args;  // the log is added last
    int status;
    std::string out;
};

void PrintTo(const DupesCase &c, std::ostream *os)
{
    *os << c.name;
}

class Dupes : public ::testing::TestWithParam<DupesCase> { };

TEST_P(Dupes, ListsEachLaterContact)
{
    std::vector<std::string> args = GetParam().args;
    args.push_back(kLog);
    const RunResult run = runCli(args);
    EXPECT_EQ(run.status, GetParam().status) << run.err;
    std::string expected = GetParam().out;
    for (size_t at = expected.find("LOG"); at != std::string::npos; at = expected.find("LOG"))
        expected.replace(at, 3, kLog);
    EXPECT_EQ(run.out, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cli, Dupes,
    ::testing::Values(
        DupesCase{"Text",
                  {"dupes"},
                  1,
                  "LOG:4: record 2 duplicates record 1 (W1AW 20M CW 20270101 0001)\n"
                  "LOG:7: record 5 duplicates record 3 (K1ABC 40M MFSK 20261201 120050)\n"
                  "LOG: 2 duplicates in 2 groups of 7 contacts (window 5 minutes)\n"},
        DupesCase{"Json",
                  {"dupes", "--json"},
                  1,
                  "{\"file\":\"LOG\",\"window\":5,\"groups\":[{\"records\":[1,2],\"call\":"
                  "\"W1AW\",\"band\":\"20M\",\"mode\":\"CW\"},{\"records\":[3,5],\"call\":"
                  "\"K1ABC\",\"band\":\"40M\",\"mode\":\"MFSK\"}],\"duplicates\":2}\n"},
        DupesCase{"WindowZeroIsTheClockMinute",
                  {"dupes", "--window", "0"},
                  1,
                  "LOG:7: record 5 duplicates record 3 (K1ABC 40M MFSK 20261201 120050)\n"
                  "LOG: 1 duplicate in 1 group of 7 contacts (window 0 minutes)\n"},
        DupesCase{"NotANumber", {"dupes", "--window", "five"}, 2, ""}));

TEST(Dupes, UnreadableFileIsAUsageError)
{
    EXPECT_EQ(runCli({"dupes", "/nonexistent/log.adi"}).status, 2);
}

TEST(Merge, WritesOneContactPerDuplicateInTimeOrderAndNeverOverwrites)
{
    const std::string target
        = ::testing::TempDir() + "vaziduvu_merged_" + std::to_string(::getpid()) + ".adi";
    std::remove(target.c_str());
    const RunResult run = runCli({"merge", kLog, target});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              kLog + ":5: TIME_ON \"120010\" kept, \"120050\" dropped (" + kLog + ":7)\n" + kLog
                  + ":3: CALL \"W1AW\" kept, \"w1aw\" dropped (" + kLog + ":4)\n" + kLog
                  + ":3: QSO_DATE \"20261231\" kept, \"20270101\" dropped (" + kLog + ":4)\n" + kLog
                  + ":3: TIME_ON \"235800\" kept, \"0001\" dropped (" + kLog + ":4)\n" + kLog
                  + ":4: QSL_RCVD \"Y\" kept, \"N\" dropped (" + kLog + ":3)\n"
                  + "5 contacts from 1 file: 2 duplicates merged, 5 conflicts\n");
    const std::string written = vaziduvu::test::readBytes(target);
    const size_t ft8 = written.find("<MODE:3>FT8");
    const size_t ft4 = written.find("<SUBMODE:3>FT4");
    const size_t w1aw = written.find("<CALL:4>W1AW <QSO_DATE:8>20261231 <TIME_ON:6>235800 "
                                     "<BAND:3>20m <MODE:2>CW <QSL_RCVD:1>Y <FREQ:6>14.025 "
                                     "<NAME:3>Bob <EOR>");
    const size_t undated = written.find("<CALL:4>N0NE");
    EXPECT_TRUE(ft8 < ft4 && ft4 < w1aw && w1aw < undated && undated != std::string::npos)
        << written;

    const RunResult again = runCli({"merge", "--keep-dupes", kLog, target});
    EXPECT_EQ(again.status, 1);
    EXPECT_EQ(vaziduvu::test::readBytes(target), written);
    std::remove(target.c_str());

    const RunResult kept = runCli({"merge", "--keep-dupes", kLog, target});
    EXPECT_EQ(kept.out, "7 contacts from 1 file: 0 duplicates merged, 0 conflicts\n");
    std::remove(target.c_str());
}

}  // namespace
