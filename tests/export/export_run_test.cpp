// A log walked in batches of rows, each batch a document of its own with
// the same columns, gives what the whole log gives: the same text, and the
// same problems at the same rows.
#include "export/export_run.h"

#include "document/log_document.h"
#include "export_test_support.h"

#include <gtest/gtest.h>

namespace vaziduvu {
namespace {

using test::ColumnSpec;
using test::fillGrid;
using test::ScriptedExportHost;

const std::vector<ColumnSpec> kColumns
    = {{"CALL"}, {"QSO_DATE", TypeDate, true}, {"BAND"}, {"COMMENT"}};

std::vector<std::vector<std::string>> logRows(const std::string &fourthDate)
{
    return {{" W1ABC ", "20040105", "20m", "a & b"},
            {"K2XYZ", "20040106", "40M", ""},
            {"N3Q", "20040107", "10m", "\"c\""},
            {"DL1AA", fourthDate, "2m", ""},
            {"G4B", "20040109", "20m", "last"}};
}

// Rows 1-2 and 3-5 of the log, each a document with rows from 1.
struct Batches {
    LogDocument first;
    LogDocument second;
    explicit Batches(const std::vector<std::vector<std::string>> &rows)
    {
        fillGrid(first, kColumns, {rows.begin(), rows.begin() + 2});
        fillGrid(second, kColumns, {rows.begin() + 2, rows.end()});
    }
    RowWindow firstWindow() const { return {1, 2, 0, 5}; }
    RowWindow secondWindow() const { return {1, 3, 2, 5}; }
};

bool exportInBatches(ExportRun &run, Batches &batches)
{
    if (!run.start())
        return false;
    run.useBatch(batches.first);
    if (!run.walk(CheckPass::Sizing, batches.firstWindow()))
        return false;
    run.useBatch(batches.second);
    if (!run.walk(CheckPass::Sizing, batches.secondWindow()))
        return false;
    run.sizingDone();
    const std::unique_ptr<ExportSink> sink = run.makeSink();
    run.useBatch(batches.first);
    sink->begin(batches.first, run.estimate());
    if (!run.walk(CheckPass::Writing, batches.firstWindow(), sink.get()))
        return false;
    run.useBatch(batches.second);
    if (!run.walk(CheckPass::Writing, batches.secondWindow(), sink.get()))
        return false;
    sink->end();
    return true;
}

class BatchedExport : public testing::TestWithParam<ExportFormat> { };

TEST_P(BatchedExport, GivesTheWholeLogsText)
{
    LogDocument whole;
    fillGrid(whole, kColumns, logRows("20040108"));
    ScriptedExportHost wholeHost;
    const ExportText expected = buildExportText(GetParam(), whole, wholeHost);
    ASSERT_TRUE(expected.result) << expected.result.reason;

    Batches batches(logRows("20040108"));
    ScriptedExportHost host;
    ExportRun run(GetParam(), batches.first, host);
    ASSERT_TRUE(exportInBatches(run, batches)) << run.result().reason;
    EXPECT_EQ(run.text().text, expected.text);
    EXPECT_EQ(host.progress, wholeHost.progress);
}

TEST_P(BatchedExport, FailedCheckNamesTheRowOfTheLog)
{
    const std::string badDate = "20041399";
    LogDocument whole;
    fillGrid(whole, kColumns, logRows(badDate));
    ScriptedExportHost wholeHost;
    buildExportText(GetParam(), whole, wholeHost);
    ASSERT_EQ(wholeHost.selections.size(), 1u);

    Batches batches(logRows(badDate));
    ScriptedExportHost host;
    ExportRun run(GetParam(), batches.first, host);
    EXPECT_FALSE(exportInBatches(run, batches));
    EXPECT_EQ(run.result().status, ExportStatus::CheckFailed);
    EXPECT_EQ(host.messages, wholeHost.messages);
    EXPECT_EQ(host.selections, wholeHost.selections);
}

INSTANTIATE_TEST_SUITE_P(Formats, BatchedExport,
                         testing::Values(ExportFormat::Adif, ExportFormat::Xml,
                                         ExportFormat::Html));

TEST(BatchedCheck, CollectsTheWholeLogsProblemsAtItsRows)
{
    auto rows = logRows("20041399");
    rows[0][0] = "<W1ABC>";
    LogDocument whole;
    fillGrid(whole, kColumns, rows);
    ScriptedExportHost wholeHost;
    const std::vector<LogProblem> expected = checkLog(ExportFormat::Adif, whole, wholeHost);
    ASSERT_GE(expected.size(), 2u);  // the brackets of row 1, the date of row 4

    Batches batches(rows);
    ScriptedExportHost host;
    ExportRun run(ExportFormat::Adif, batches.first, host);
    std::vector<LogProblem> problems;
    ASSERT_TRUE(run.start(&problems));
    run.useBatch(batches.first);
    run.walk(CheckPass::Whole, batches.firstWindow());
    run.useBatch(batches.second);
    run.walk(CheckPass::Whole, batches.secondWindow());
    ASSERT_EQ(problems.size(), expected.size());
    for (size_t i = 0; i < problems.size(); ++i) {
        EXPECT_EQ(problems[i].row, expected[i].row) << i;
        EXPECT_EQ(problems[i].column, expected[i].column) << i;
        EXPECT_EQ(problems[i].message, expected[i].message) << i;
    }
}

}  // namespace
}  // namespace vaziduvu
