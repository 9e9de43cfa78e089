// Runs `vaziduvu-cli export` on small logs and checks its exit status, the
// files it writes and the messages it prints.

#include "adif/adif_file.h"

#include "cli_runner.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

using vaziduvu::test::readBytes;
using vaziduvu::test::RunResult;

void writeBytes(const std::string &path, const std::string &bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

class ExportCommand : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder_ = vaziduvu::test::testFolder("vaziduvu-cli-export");
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string file(const std::string &name) const { return (folder_ / name).string(); }

    std::string log(const std::string &name, const std::string &bytes) const
    {
        writeBytes(file(name), bytes);
        return file(name);
    }

    RunResult run(std::vector<std::string> args) const
    {
        args.insert(args.begin(), "export");
        return vaziduvu::test::runCli(args, file("stderr.txt"));
    }

    std::vector<std::string> files() const
    {
        std::vector<std::string> names;
        for (const auto &entry : fs::directory_iterator(folder_))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path folder_;
};

const std::string kLog = "my log <EOH>\r\n<CALL:5>W1ABC<BAND:3>20m<QSO_DATE:8:D>20040105<EOR>\r\n"
                         "<CALL:5>K2XYZ<BAND:3>40M<QSO_DATE:8:D>20040106<EOR>\r\n";
const std::string kBody = "<CALL:5>W1ABC<BAND:3>20M<QSO_DATE:8:D>20040105<EOR>\r\n"
                          "<CALL:5>K2XYZ<BAND:3>40M<QSO_DATE:8:D>20040106<EOR>\r\n";
const std::string kNotSaved = "Problem: File could not be saved\n";

// What follows the header line with its date.
std::string bodyOf(const std::string &adif)
{
    const size_t end = adif.find("<EOH>\r\n");
    return end == std::string::npos ? "<no header>" : adif.substr(end + 7);
}

TEST_F(ExportCommand, WritesAnAdifTarget)
{
    const RunResult result = run({log("in.adi", kLog), file("out.adi")});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(files(), (std::vector<std::string>{"in.adi", "out.adi"}));
    const std::string written = readBytes(file("out.adi"));
    EXPECT_EQ(written.rfind("Exported by application [VaziDuvu] \r\n  - by Corvantis, Inc.  "
                            "Export date: ",
                            0),
              0u);
    EXPECT_EQ(bodyOf(written), kBody);
    EXPECT_NE(result.out.find("Information: We will now create a new unique export file"),
              std::string::npos);
}

TEST_F(ExportCommand, XmlAndHtmlTargetsGetTheirCompanion)
{
    for (const std::string target : {"out.xml", "page.html"}) {
        const RunResult result = run({log("in.adi", kLog), file(target)});
        EXPECT_EQ(result.status, 0) << result.err;
    }
    EXPECT_EQ(
        files(),
        (std::vector<std::string>{"in.adi", "out.BADI", "out.xml", "page.BADI", "page.html"}));
    EXPECT_EQ(bodyOf(readBytes(file("out.BADI"))), kBody);
    EXPECT_NE(readBytes(file("out.xml")).find("<CALL>W1ABC</CALL><BAND>20M</BAND>"),
              std::string::npos);
    EXPECT_NE(readBytes(file("page.html")).find("<U>QSO_DATE</U>"), std::string::npos);
}

TEST_F(ExportCommand, RefusesAnExistingTarget)
{
    writeBytes(file("out.adi"), "keep me");
    const RunResult result = run({log("in.adi", kLog), file("out.adi")});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "Problem: Cannot use existing file name.  Select a new file name.\n");
    EXPECT_EQ(readBytes(file("out.adi")), "keep me");
}

TEST_F(ExportCommand, ExistingCompanionFailsTheSave)
{
    writeBytes(file("out.BADI"), "keep me");
    const RunResult result = run({log("in.adi", kLog), file("out.xml")});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err,
              kNotSaved + "The companion file " + file("out.BADI") + " already exists.\n");
    EXPECT_EQ(files(), (std::vector<std::string>{"in.adi", "out.BADI"}));
}

TEST_F(ExportCommand, PrintsTheFailedCheckAndWritesNothing)
{
    const RunResult result
        = run({log("in.adi", "x <EOH><CALL:4>W1AW<BAND:3>21M<EOR>\r\n"), file("out.xml")});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err.rfind("Problem: Check your 'Band' columns ... incorrect band values "
                               "were found.\n",
                               0),
              0u)
        << result.err;
    EXPECT_EQ(result.err.substr(result.err.size() - kNotSaved.size()), kNotSaved);
    EXPECT_EQ(files(), (std::vector<std::string>{"in.adi"}));
}

TEST_F(ExportCommand, LatestYearIsNextYear)
{
    std::time_t now = std::time(nullptr);
    const int year = std::localtime(&now)->tm_year + 1900;
    const auto dated
        = [](int y) { return "x <EOH><QSO_DATE:8:D>" + std::to_string(y) + "0101<EOR>\r\n"; };
    EXPECT_EQ(run({log("next.adi", dated(year + 1)), file("next-out.adi")}).status, 0);
    const RunResult late = run({log("late.adi", dated(year + 2)), file("late-out.adi")});
    EXPECT_EQ(late.status, 1);
    EXPECT_NE(late.err.find("Problem: Check your date columns ... incorrect date formats were "
                            "found.\n"),
              std::string::npos);
}

TEST_F(ExportCommand, PathWithHtmElsewhereIsRefused)
{
    fs::create_directory(file("OLD.HTM"));
    const RunResult result = run({log("in.adi", kLog), file("OLD.HTM/LOG.ADI")});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err,
              kNotSaved + "\".HTM\" stands inside the name " + file("OLD.HTM/LOG.ADI")
                  + ", so its type is unclear.\n");
    EXPECT_TRUE(fs::is_empty(file("OLD.HTM")));
}

TEST_F(ExportCommand, FormatErrorPrintsTheLoadReport)
{
    const std::string bytes = "x <EOH><CALL:5>W1ABC<BAND:x>20M<EOR>\r\n";
    vaziduvu::AdifFile parsed;
    ASSERT_TRUE(parsed.loadFromBytes(bytes));
    ASSERT_FALSE(parsed.result().status == vaziduvu::ParseStatus::Ok);
    const RunResult result = run({log("in.adi", bytes), file("out.adi")});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err,
              vaziduvu::outcomeReportText(parsed.result().status, parsed.result().position) + "\n");
    EXPECT_FALSE(fs::exists(file("out.adi")));
}

TEST_F(ExportCommand, TooManyFieldsIsRefused)
{
    std::string bytes = "x <EOH>";
    for (int field = 1; field <= 49; ++field)
        bytes += "<F" + std::to_string(field) + ":1>a";
    bytes += "<EOR>\r\n";
    const RunResult result = run({log("in.adi", bytes), file("out.adi")});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err,
              "\r\nFile not loaded ... \r\n >>> File too big or too many fields\r\n\r\n");
    EXPECT_FALSE(fs::exists(file("out.adi")));
}

TEST_F(ExportCommand, UsageErrors)
{
    EXPECT_EQ(run({}).status, 2);
    EXPECT_EQ(run({log("in.adi", kLog)}).status, 2);
    EXPECT_EQ(run({log("in.adi", kLog), file("a.adi"), file("b.adi")}).status, 2);
    EXPECT_EQ(run({file("missing.adi"), file("out.adi")}).status, 2);
    EXPECT_EQ(run({folder_.string(), file("out.adi")}).status, 2);
    EXPECT_FALSE(fs::exists(file("out.adi")));
}

// Logs that other programs write, or that break the easy rules: each loads
// and exports as expected, and what is written reads back with the same
// records.
struct FixtureCase {
    const char *file;  // in tests/data
    int status;
    std::string body;  // the export after its header, or part of the error output
};

class ExportFixture : public ExportCommand, public ::testing::WithParamInterface<FixtureCase> { };

TEST_P(ExportFixture, ExportsWhatTheFileHolds)
{
    const FixtureCase &c = GetParam();
    const RunResult result = run({std::string(TEST_DATA_DIR) + "/" + c.file, file("out.adi")});
    ASSERT_EQ(result.status, c.status) << result.err;
    if (c.status != 0) {
        EXPECT_NE(result.err.find(c.body), std::string::npos) << result.err;
        EXPECT_FALSE(fs::exists(file("out.adi")));
        return;
    }
    const std::string written = readBytes(file("out.adi"));
    const size_t header = written.find("<EOH>\r\n");
    ASSERT_NE(header, std::string::npos);
    EXPECT_EQ(written.substr(header + 7), c.body);
    vaziduvu::AdifFile again;
    ASSERT_TRUE(again.load(file("out.adi")));
    EXPECT_TRUE(again.result());
    EXPECT_EQ(again.lastRecordStart(), -1);
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, ExportFixture,
    ::testing::Values(
        FixtureCase{"last-record-without-eor.adi", 0,
                    "<CALL:4>W1AW<QSO_DATE:0><EOR>\r\n<CALL:4>K1AB<QSO_DATE:8>20040106<EOR>\r\n"},
        FixtureCase{"field-only-in-last-record.adi", 0,
                    "<CALL:2>AA<QSL_SENT:0><EOR>\r\n<CALL:0><QSL_SENT:1>Y<EOR>\r\n"},
        FixtureCase{"type-letter-per-cell.adi", 0,
                    "<APP_X:8:D>20200101<EOR>\r\n<APP_X:5:C>hello<EOR>\r\n"},
        FixtureCase{"header-only.adi", 0, ""},
        FixtureCase{
            "names-alike-when-trimmed.adi", 1,
            "Problem: File could not be saved\nColumn 1 (\"CALL\") and Column 2 (\" CALL\") "
            "would both be written as CALL.\n"},
        FixtureCase{"zero-byte-in-line.adi", 1, "Zero byte (no text) in area of\r\ncharacter 27"}),
    [](const auto &info) {
        std::string name = info.param.file;
        name = name.substr(0, name.find('.'));
        std::replace(name.begin(), name.end(), '-', '_');
        return name;
    });

TEST_F(ExportCommand, SaysWhenTheLastRecordHasNoMarker)
{
    const RunResult result
        = run({std::string(TEST_DATA_DIR) + "/last-record-without-eor.adi", file("out.adi")});
    ASSERT_EQ(result.status, 0);
    EXPECT_NE(
        result.out.find("Note: the last record has no <EOR> (it starts at character 17); it is "
                        "exported as a record.\n"),
        std::string::npos)
        << result.out;
}

}  // namespace
