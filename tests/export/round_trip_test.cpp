#include "adif/adif_file.h"
#include "export/writers.h"

#include "export_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace vaziduvu {
namespace {

using test::ScriptedExportHost;
using test::TempFolder;

// Logs that exercise what an export must carry over: comments after values,
// blank lines after records, type letters, wrong length specifiers, blank
// values, lower-case enumerated values and a record without some fields.
const std::vector<std::pair<std::string, std::string>> kLogs = {
    {"plain",
     "header text <EOH>\r\n<CALL:5>W1ABC<QSO_DATE:8:D>20040105<TIME_ON:4>1200<BAND:3>20M"
     "<EOR>\r\n<CALL:5>K2XYZ<QSO_DATE:8:D>20040106<TIME_ON:6>235959<BAND:3>40m<EOR>\r\n"},
    {"comments",
     "log <EOH>\n<CALL:5>W1ABC worked twice\n<NAME:3>Bob<EOR>\n\n<CALL:4>N3QQ<NAME:0><EOR>\n"},
    {"lengths",
     "log <EOH><CALL:6>W1AW<FREQ:6>14.074<COMMENT:2>ok fine<EOR><CALL:3>K1A<FREQ:1>7<EOR>"},
    {"missing fields",
     "log <EOH>\r\n<CALL:4>W1AW<MODE:2>cw<EOR>\r\n<MODE:3>SSB<STATE:2>WY<EOR>\r\n"
     "<CALL:4>K1AB<QSL_SENT:1>y<EOR>\r\n"},
    {"user fields", "log <EOH><MY_FIELD:3:N>123<CALL:4>W1AW<EOR><MY_FIELD:1:N>9<CALL:4>K1AB<EOR>"},
};

// Every cell text of the grid, row 0 and column 0 included, and every
// record's comment.
std::vector<std::string> gridSnapshot(const LogDocument &document)
{
    std::vector<std::string> cells;
    for (int row = 0; row < document.rowCount(); ++row) {
        for (int column = 0; column < document.columnCount(); ++column) {
            cells.emplace_back(document.text(column, row));
            const CellRecord record = document.cellInfo(column, row);
            cells.push_back(record ? "comment:" + record->comment : "-");
        }
    }
    return cells;
}

bool loadInto(const std::string &path, LogDocument &document)
{
    AdifFile file;
    return file.load(path) && document.fillFrom(file) == LogDocument::FillResult::Filled;
}

// Exports the loaded log as ADIF, loads the export and compares the grids.
// Returns false when the log does not load or does not pass its checks.
bool roundTrip(const std::string &source, const TempFolder &folder, const std::string &name)
{
    LogDocument original;
    if (!loadInto(source, original))
        return false;
    ScriptedExportHost host;
    const std::string target = folder.file(name + ".adi");
    const ExportResult result = exportAdif(original, target, host);
    if (!result) {
        // Either a check failed and said so, or a column without a usable
        // record, type or name stopped the export with a reason.
        if (result.status == ExportStatus::Refused)
            EXPECT_TRUE(host.messages.empty() && !result.reason.empty()) << source;
        else
            EXPECT_EQ(result.status, ExportStatus::CheckFailed) << source;
        EXPECT_FALSE(std::filesystem::exists(target)) << source;
        return false;
    }
    LogDocument reloaded;
    EXPECT_TRUE(loadInto(target, reloaded)) << source;
    // The checks' rewrites stay in the original grid, so the two must agree.
    EXPECT_EQ(gridSnapshot(reloaded), gridSnapshot(original)) << source;
    // A second export of the reloaded grid gives the same bytes.
    const std::string again = folder.file(name + "-again.adi");
    EXPECT_TRUE(exportAdif(reloaded, again, host));
    EXPECT_EQ(test::readBytes(again), test::readBytes(target)) << source;
    return true;
}

TEST(RoundTrip, SmallLogsSurviveExportAndReload)
{
    TempFolder folder;
    int index = 0;
    for (const auto &[title, bytes] : kLogs) {
        const std::string source = folder.file("source" + std::to_string(index) + ".adi");
        test::writeBytes(source, bytes);
        EXPECT_TRUE(roundTrip(source, folder, "out" + std::to_string(index))) << title;
        ++index;
    }
}

std::vector<std::filesystem::path> logsIn(const char *folder)
{
    std::vector<std::filesystem::path> logs;
    std::error_code error;
    for (const auto &entry : std::filesystem::directory_iterator(folder, error)) {
        std::string extension = entry.path().extension().string();
        std::transform(extension.begin(), extension.end(), extension.begin(), ::tolower);
        if (extension == ".adi" || extension == ".badi")
            logs.push_back(entry.path());
    }
    std::sort(logs.begin(), logs.end());
    return logs;
}

// Every example log and reader fixture that loads and passes its checks.
TEST(RoundTrip, ExampleAndFixtureLogsSurviveExportAndReload)
{
    std::vector<std::filesystem::path> logs = logsIn(EXAMPLES_DIR);
    const std::vector<std::filesystem::path> fixtures = logsIn(TEST_DATA_DIR);
    logs.insert(logs.end(), fixtures.begin(), fixtures.end());
    if (logs.empty())
        GTEST_SKIP() << "no logs in " << EXAMPLES_DIR << " or " << TEST_DATA_DIR;
    TempFolder folder;
    int exported = 0;
    for (size_t i = 0; i < logs.size(); ++i) {
        if (roundTrip(logs[i].string(), folder, "log" + std::to_string(i)))
            ++exported;
    }
    RecordProperty("exported", exported);
    EXPECT_GT(exported, 0);
}

// In the Current mode an empty cell holds nothing and takes its column's
// blank record when exported; the files are the ones the Classic mode writes
// from the records it stores for such cells, in every format and with empty
// tags written or omitted.
TEST(RoundTrip, EmptyCellsExportAsInTheClassicMode)
{
    const std::string log = "log <EOH><APP_A:2>a1<APP_B:3:N>123 note<EOR>\r\n<APP_B:1:N>9<EOR>"
                            "<APP_C:4>c  3<EOR><APP_A:0><EOR>";
    for (const ExportFormat format : {ExportFormat::Adif, ExportFormat::Xml, ExportFormat::Html}) {
        for (const bool omit : {false, true}) {
            std::string texts[2];
            for (const AdifMode mode : {AdifMode::Classic, AdifMode::Current}) {
                AdifFile file;
                file.setMode(mode);
                file.loadFromBytes(log);
                LogDocument document;
                document.setAdifMode(mode);
                ASSERT_EQ(document.fillFrom(file), LogDocument::FillResult::Filled);
                ScriptedExportHost host;
                host.omit = omit;
                const ExportText built = buildExportText(format, document, host);
                ASSERT_TRUE(built.result) << static_cast<int>(format);
                texts[mode == AdifMode::Current] = built.text;
            }
            EXPECT_EQ(texts[1], texts[0])
                << "format " << static_cast<int>(format) << " omit " << omit;
        }
    }
}

}  // namespace
}  // namespace vaziduvu
