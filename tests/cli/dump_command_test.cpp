// Runs the built vaziduvu-cli on fixture files and checks its exit status,
// its JSON output and its one-line error messages.

#include "cli_runner.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <unistd.h>

#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using vaziduvu::test::dataPath;
using vaziduvu::test::RunResult;

RunResult runCli(const std::vector<std::string> &args)
{
    return vaziduvu::test::runCli(
        args, ::testing::TempDir() + "vaziduvu_cli_stderr_" + std::to_string(::getpid()) + ".txt");
}

std::string examplePath(const std::string &name)
{
    return std::string(EXAMPLES_DIR) + "/" + name;
}

int lineCount(const std::string &text)
{
    int lines = 0;
    for (char c : text)
        lines += c == '\n';
    return lines;
}

struct DumpCase {
    const char *name;
    std::string path;
    int status;
    std::string outcomeName;
    int errorPosition;
    int records;
    int fields;
};

void PrintTo(const DumpCase &c, std::ostream *os)
{
    *os << c.name;
}

class DumpOutcomeTest : public ::testing::TestWithParam<DumpCase> { };

TEST_P(DumpOutcomeTest, ExitStatusAndOutcome)
{
    const DumpCase &c = GetParam();
    const RunResult run = runCli({"dump", c.path});
    EXPECT_EQ(run.status, c.status) << run.err;
    EXPECT_TRUE(run.err.empty()) << run.err;
    const auto json = nlohmann::json::parse(run.out);
    EXPECT_EQ(json["outcome"]["name"], c.outcomeName);
    EXPECT_EQ(json["outcome"]["errorPosition"], c.errorPosition);
    EXPECT_EQ(json["counts"]["records"], c.records);
    EXPECT_EQ(json["fieldNames"].size(), static_cast<size_t>(c.fields));
}

INSTANTIATE_TEST_SUITE_P(
    Cli, DumpOutcomeTest,
    ::testing::Values(
        DumpCase{"CleanExample", examplePath("clean-with-header.adi"), 0, "ParseOk", 0, 6, 10},
        DumpCase{"NoHeaderExample", examplePath("no-header.adi"), 0, "ParseOk", 0, 3, 8},
        DumpCase{"FormatErrorExample", examplePath("format-error.adi"), 1, "ParseBracketMismatch",
                 84, 0, 0},
        DumpCase{"EmptyFile", dataPath("empty.adi"), 1, "ParseNoHeader", 0, 0, 0},
        DumpCase{"HeaderMarkerInDataFile", dataPath("start-bracket-with-header.adi"), 1,
                 "ParseBracketMismatch", 1, 0, 0}),
    [](const ::testing::TestParamInfo<DumpCase> &info) { return std::string(info.param.name); });

TEST(DumpCommand, WritesEveryTagInFileOrder)
{
    const RunResult run = runCli({"dump", dataPath("value-and-comment.adi")});
    ASSERT_EQ(run.status, 0);
    const auto json = nlohmann::json::parse(run.out);
    EXPECT_EQ(json["outcome"]["code"], 12);
    EXPECT_EQ(json["outcome"]["errorLength"], 0);
    EXPECT_EQ(json["headerExpected"], false);
    EXPECT_EQ(json["fileSize"], 90);
    EXPECT_EQ(json["counts"]["leftBrackets"], 7);
    EXPECT_EQ(json["counts"]["rightBrackets"], 7);
    EXPECT_EQ(json["fieldNames"], nlohmann::json({"CALL", "NAME", "QTH", "RST_SENT"}));

    const auto &tags = json["tags"];
    ASSERT_EQ(tags.size(), 7u);
    EXPECT_EQ(tags[0]["rawTag"], "<CALL:4>");
    EXPECT_EQ(tags[0]["value"], "ZX1A");
    EXPECT_EQ(tags[0]["comment"], "\r\n");
    EXPECT_EQ(tags[0]["hasLength"], true);
    EXPECT_EQ(tags[0]["declaredLength"], 4);
    EXPECT_EQ(tags[1]["hasLength"], false);
    EXPECT_EQ(tags[1]["value"], "Jan \r\n");
    EXPECT_EQ(tags[2]["comment"], "Nowhere");
    EXPECT_EQ(tags[4]["kind"], 6);
    EXPECT_EQ(tags[4]["dataType"], 8);
    EXPECT_EQ(tags[4]["name"], "");
    EXPECT_EQ(tags[4]["value"], "after record\r\n");
    for (const auto &tag : tags) {
        for (const char *key : {"kind", "hasLength", "declaredLength", "hasType", "dataType",
                                "isTimeOn", "name", "value", "comment", "rawTag"})
            EXPECT_TRUE(tag.contains(key)) << key;
    }
}

TEST(DumpCommand, WritesHeaderAndTypes)
{
    const RunResult run = runCli({"dump", examplePath("clean-with-header.adi")});
    ASSERT_EQ(run.status, 0);
    const auto json = nlohmann::json::parse(run.out);
    EXPECT_EQ(json["headerExpected"], true);
    EXPECT_EQ(json["header"].get<std::string>().rfind("Contact log", 0), 0u);
    const auto &tags = json["tags"];
    EXPECT_EQ(tags[1]["name"], "QSO_DATE");
    EXPECT_EQ(tags[1]["dataType"], 0);
    EXPECT_EQ(tags[2]["name"], "TIME_ON");
    EXPECT_EQ(tags[2]["isTimeOn"], true);
}

TEST(DumpCommand, WritesLatin1BytesAsTheirCharacters)
{
    const RunResult run = runCli({"dump", dataPath("latin1-values.adi")});
    ASSERT_EQ(run.status, 0);
    const auto json = nlohmann::json::parse(run.out);
    EXPECT_EQ(json["tags"][0]["value"], "J\u00f6rg");
    EXPECT_EQ(json["tags"][1]["value"], "K\u00f8benhavn");
}

TEST(DumpCommand, ZeroByteIsAFormatErrorAtItsOffset)
{
    const RunResult run = runCli({"dump", dataPath("zero-byte-in-line.adi")});
    ASSERT_EQ(run.status, 1);
    const auto json = nlohmann::json::parse(run.out);
    EXPECT_EQ(json["outcome"]["code"], 13);
    EXPECT_EQ(json["outcome"]["name"], "ParseZeroByte");
    EXPECT_EQ(json["outcome"]["errorPosition"], 27);
    EXPECT_EQ(json["fileSize"], 72);
}

struct UsageCase {
    const char *name;
    std::vector<std::string> args;
};

void PrintTo(const UsageCase &c, std::ostream *os)
{
    *os << c.name;
}

class UsageErrorTest : public ::testing::TestWithParam<UsageCase> { };

TEST_P(UsageErrorTest, ExitsWithTwoAndWritesNothingToStdout)
{
    const RunResult run = runCli(GetParam().args);
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.out.empty());
    EXPECT_FALSE(run.err.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cli, UsageErrorTest,
    ::testing::Values(UsageCase{"NoCommand", {}}, UsageCase{"UnknownCommand", {"list", "x.adi"}},
                      UsageCase{"DumpWithoutFile", {"dump"}},
                      UsageCase{"DumpWithTwoFiles", {"dump", "a", "b"}},
                      UsageCase{"MissingFile", {"dump", dataPath("no-such-file.adi")}},
                      UsageCase{"Directory", {"dump", TEST_DATA_DIR}}),
    [](const ::testing::TestParamInfo<UsageCase> &info) { return std::string(info.param.name); });

TEST(DumpCommand, FileErrorsAreOneLine)
{
    for (const std::string &path : {dataPath("no-such-file.adi"), std::string(TEST_DATA_DIR)}) {
        const RunResult run = runCli({"dump", path});
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(lineCount(run.err), 1) << run.err;
    }
}

TEST(DumpCommand, UnreadableFileIsAnIoError)
{
    const std::string path = ::testing::TempDir() + "vaziduvu_unreadable.adi";
    std::ofstream(path) << "<CALL:1>A<EOR>";
    ASSERT_EQ(::chmod(path.c_str(), 0), 0);
    std::ifstream probe(path);
    if (probe.is_open()) {
        std::remove(path.c_str());
        GTEST_SKIP() << "running with permission to read every file";
    }
    const RunResult run = runCli({"dump", path});
    std::remove(path.c_str());
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(lineCount(run.err), 1) << run.err;
}

// Compact by default, indented with --pretty; the same document either way,
// written as it goes.
TEST(DumpCommand, CompactOrPrettySameContent)
{
    const RunResult compact = runCli({"dump", examplePath("clean-with-header.adi")});
    const RunResult pretty = runCli({"dump", "--pretty", examplePath("clean-with-header.adi")});
    ASSERT_EQ(compact.status, 0);
    ASSERT_EQ(pretty.status, 0);
    EXPECT_EQ(lineCount(compact.out), 1);
    EXPECT_GT(lineCount(pretty.out), 100);
    EXPECT_EQ(nlohmann::json::parse(compact.out), nlohmann::json::parse(pretty.out));
}

struct RecordsCase {
    const char *name;
    std::string bytes;
    std::string json;  // the whole output, compact
};

class RecordsCommand : public ::testing::TestWithParam<RecordsCase> { };

TEST_P(RecordsCommand, PrintsHeaderAndRecordsAsObjects)
{
    const std::string path = ::testing::TempDir() + "records-" + GetParam().name + ".adi";
    std::ofstream(path, std::ios::binary) << GetParam().bytes;
    const RunResult run = runCli({"records", path});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, GetParam().json + "\n");
    EXPECT_TRUE(nlohmann::json::parse(run.out).is_object());  // and it is JSON
    std::remove(path.c_str());
}

INSTANTIATE_TEST_SUITE_P(
    Cli, RecordsCommand,
    ::testing::Values(
        RecordsCase{
            "HeaderAndTwo",
            "Log <ADIF_VER:5>3.1.6 <programid:3>abc\r\n<EOH>\r\n<CALL:4>W1AW<BAND:3>20M<EOR>\r\n"
            "<call:4>K1AB<EOR>\r\n",
            R"({"header":{"ADIF_VER":"3.1.6","PROGRAMID":"abc"},"records":[{"CALL":"W1AW","BAND":"20M"},{"CALL":"K1AB"}]})"},
        RecordsCase{"NoHeaderRepeatedFieldLatin1", "<NAME:4>Ren\xE9<NAME:3>Bob<EOR>",
                    R"({"header":{},"records":[{"NAME":"Bob"}]})"},
        RecordsCase{"LastRecordWithoutMarker", "<CALL:4>W1AW<EOR><CALL:4>K1AB<NOTE:4>a\"b\n",
                    R"({"header":{},"records":[{"CALL":"W1AW"},{"CALL":"K1AB","NOTE":"a\"b\n"}]})"},
        RecordsCase{"Latin1Value", "<NAME:4>Ren\xE9<EOR>",
                    "{\"header\":{},\"records\":[{\"NAME\":\"Ren\xC3\xA9\"}]}"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(RecordsCommand, FormatErrorIsReported)
{
    const RunResult run = runCli({"records", examplePath("format-error.adi")});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Bracket mismatch in area of\r\ncharacter 84"), std::string::npos);
    EXPECT_EQ(run.out, "");
}

// `check` lists every problem an export would meet, at its value's place.
struct CheckCase {
    const char *name;
    std::string bytes;
    int status;
    std::string lines;  // the output, with FILE for the path
};

class CheckCommand : public ::testing::TestWithParam<CheckCase> { };

TEST_P(CheckCommand, ListsEveryProblemAtItsPlace)
{
    const CheckCase &c = GetParam();
    const std::string path = ::testing::TempDir() + "check-" + c.name + ".adi";
    std::ofstream(path, std::ios::binary) << c.bytes;
    const RunResult run = runCli({"check", path});
    EXPECT_EQ(run.status, c.status) << run.err;
    std::string expected = c.lines;
    for (size_t at = expected.find("FILE"); at != std::string::npos; at = expected.find("FILE", at))
        expected.replace(at, 4, path);
    EXPECT_EQ(run.out, expected);
    const RunResult json = runCli({"check", "--json", path});
    EXPECT_EQ(json.status, c.status);
    EXPECT_TRUE(nlohmann::json::parse(json.out).is_array());
    std::remove(path.c_str());
}

INSTANTIATE_TEST_SUITE_P(
    Cli, CheckCommand,
    ::testing::Values(
        CheckCase{"Clean", "log <EOH>\n<CALL:4>W1AW<BAND:3>20m<EOR>\n", 0, ""},
        CheckCase{
            "TwoProblemsNotStoppingAtTheFirst",
            "log <EOH>\n<CALL:4>W1AW<BAND:3>99M<EOR>\n<QSO_DATE:8>20041399<CALL:2>K1<EOR>\n", 1,
            "FILE:2:21: BAND \"99M\": Check your 'Band' columns ... incorrect band values were "
            "found.\nFILE:3:13: QSO_DATE \"20041399\": Check your date columns ... incorrect "
            "date formats were found.\n"},
        CheckCase{"FormatError", "log <EOH>\n<CALL:4>W1AW<<EOR>\n", 1,
                  "FILE:2:13: File not loaded ... Bracket mismatch in area of character 22\n"},
        CheckCase{"ColumnThatCannotBeWritten", "<CALL:4>W1AW< CALL:4>K1AB<EOR>", 1,
                  "FILE:1:22: Column 1 (\"CALL\") and Column 2 (\" CALL\") would both be written "
                  "as CALL.\n"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(CheckCommand, ExamplesPassOrShowTheirFormatError)
{
    EXPECT_EQ(runCli({"check", examplePath("clean-with-header.adi")}).status, 0);
    EXPECT_EQ(runCli({"check", examplePath("no-header.adi")}).status, 0);
    const RunResult broken = runCli({"check", examplePath("format-error.adi")});
    EXPECT_EQ(broken.status, 1);
    EXPECT_EQ(broken.out,
              examplePath("format-error.adi")
                  + ":3:36: File not loaded ... Bracket mismatch in area of character 84\n");
}

}  // namespace
