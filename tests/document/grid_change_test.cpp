#include "document/grid_change.h"
#include "document_test_util.h"

#include <functional>

namespace vaziduvu::test {
namespace {

const char kThreeRecords[] = "h<EOH><CALL:4>W1AW<MODE:2>CW<EOR>\r\n"
                             "<CALL:5>K1ABC<MODE:3>SSB xx<EOR>\r\n"
                             "<CALL:4>N0CA<EOR>tail\r\n";

struct ChangeCase {
    const char *name;
    std::function<GridRegion(const LogDocument &)> region;
    std::function<void(LogDocument &)> operation;
};

class RecordedChange : public testing::TestWithParam<ChangeCase> { };

// Whatever an operation did inside the region it was recorded over, undo
// gives back the exact document and redo the exact result, twice over.
TEST_P(RecordedChange, UndoAndRedoRestoreTheExactDocument)
{
    LoadedLog log;
    loadInto(log, kThreeRecords);
    LogDocument &d = log.document;
    const std::string before = documentState(d);
    GridChange change = GridChange::capture(d, GetParam().region(d));
    GetParam().operation(d);
    change.finish(d);
    const std::string after = documentState(d);
    ASSERT_NE(before, after);
    EXPECT_FALSE(change.empty());
    for (int round = 0; round < 2; ++round) {
        change.undo(d);
        EXPECT_EQ(documentState(d), before);
        change.redo(d);
        EXPECT_EQ(documentState(d), after);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Operations, RecordedChange,
    testing::Values(ChangeCase{"CellText", [](auto &) { return GridRegion::cell(2, 1); },
                               [](LogDocument &d) { d.setText(2, 1, "FT8"); }},
                    ChangeCase{"RecordCreated", [](auto &) { return GridRegion::cell(2, 3); },
                               [](LogDocument &d) { d.ensureCellRecord(2, 3)->comment = "new"; }},
                    ChangeCase{"ClearColumn", [](auto &d) { return GridRegion::column(d, 1); },
                               [](LogDocument &d) { d.clearColumnTexts(1); }},
                    ChangeCase{"AddRow", [](auto &d) { return GridRegion::wholeGrid(d); },
                               [](LogDocument &d) { d.appendRowSameAsPrevious(); }},
                    ChangeCase{"AddColumn", [](auto &d) { return GridRegion::wholeGrid(d); },
                               [](LogDocument &d) { d.appendColumn(*d.cellInfo(1, 1)); }},
                    ChangeCase{"Trailer", [](auto &d) { return GridRegion::wholeGrid(d); },
                               [](LogDocument &d) { d.setRecordTrailer(2, "other"); }}),
    [](const auto &info) { return info.param.name; });

// What an export's checks do, kept by the journal: only the changed cells
// are copied, and undo and redo are exact.
TEST(RecordedChange, JournalKeepsWhatTheChecksChange)
{
    LoadedLog log;
    loadInto(log, kThreeRecords);
    LogDocument &d = log.document;
    d.setText(2, 0, " mode ");
    const std::string before = documentState(d);
    d.openJournal();
    d.setText(2, 2, "SSB");      // trimmed
    d.ensureCellRecord(2, 3);    // a blank cell's record
    d.normalizeColumnHeader(2);  // the heading
    d.normalizeColumnHeader(1);  // already normal: no change
    d.setText(2, 2, "SSB2");     // a second change of one cell
    d.setRecordTrailer(0, "\r\n");
    GridChange change = GridChange::fromJournal(d);
    EXPECT_EQ(change.changedCellCount(), 3);
    const std::string after = documentState(d);
    change.undo(d);
    EXPECT_EQ(documentState(d), before);
    change.redo(d);
    EXPECT_EQ(documentState(d), after);
}

TEST(RecordedChange, AbsorbingTheWayBackLeavesNoChange)
{
    LoadedLog log;
    loadInto(log, kThreeRecords);
    LogDocument &d = log.document;
    GridChange first = GridChange::capture(d, GridRegion::cell(1, 1));
    d.setText(1, 1, "W1AX");
    first.finish(d);
    GridChange back = GridChange::capture(d, GridRegion::cell(1, 1));
    d.setText(1, 1, "W1AW");
    back.finish(d);
    first.absorb(back);
    EXPECT_TRUE(first.empty());
}

struct RowRemoval {
    std::vector<int> rows;
    Grid expected;
    int recordCount;
};

class RemoveRows : public testing::TestWithParam<RowRemoval> { };

// The rows below move up with their trailers, numbers follow their new
// rows, and putting the rows back restores the exact document.
TEST_P(RemoveRows, RenumbersAndPutsBackExactly)
{
    LoadedLog log;
    loadInto(log, kThreeRecords);
    LogDocument &d = log.document;
    d.appendBlankRow();  // row 4: added, not loaded
    const std::string before = documentState(d);
    const GridShape shape = d.shape();
    const std::vector<LogDocument::RowContent> removed = d.removeRows(GetParam().rows);
    EXPECT_EQ(gridTexts(d), GetParam().expected);
    EXPECT_EQ(d.recordCount(), GetParam().recordCount);
    d.insertRows(removed);
    d.setShape(shape);
    EXPECT_EQ(documentState(d), before);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RemoveRows,
    testing::Values(
        RowRemoval{
            {1},
            {{"RECORD #", "CALL", "MODE"}, {"1", "K1ABC", "SSB"}, {"2", "N0CA", ""}, {"3", "", ""}},
            2},
        RowRemoval{
            {2, 4}, {{"RECORD #", "CALL", "MODE"}, {"1", "W1AW", "CW"}, {"2", "N0CA", ""}}, 2},
        RowRemoval{{1, 2, 3, 4}, {{"RECORD #", "CALL", "MODE"}}, 0}));

TEST(RemoveRows, TrailersFollowTheirRecords)
{
    LoadedLog log;
    loadInto(log, kThreeRecords);
    LogDocument &d = log.document;
    const std::string lastTrailer = d.recordTrailer(2);
    d.removeRows({1});
    EXPECT_EQ(d.recordTrailer(1), lastTrailer);
    EXPECT_EQ(d.recordTrailer(2), "");
}

TEST(RemoveColumn, ShiftsLeftAndPutsBackExactly)
{
    LoadedLog log;
    loadInto(log, kThreeRecords);
    LogDocument &d = log.document;
    const std::string before = documentState(d);
    const std::vector<CellContent> removed = d.removeColumn(1);
    EXPECT_EQ(gridTexts(d), (Grid{{"RECORD #", "MODE"}, {"1", "CW"}, {"2", "SSB"}, {"3", ""}}));
    EXPECT_EQ(d.fieldCount(), 1);
    EXPECT_EQ(d.cellInfo(1, 1)->name, "MODE");
    d.insertColumn(1, removed);
    d.setDocumentCounts(2, 3);
    EXPECT_EQ(documentState(d), before);
}

TEST(CopyFrom, CopiesEverythingUndoRestores)
{
    LoadedLog log;
    loadInto(log, kThreeRecords);
    log.document.setTextEncoding(TextEncoding::Utf8);
    LogDocument copy;
    copy.copyFrom(log.document);
    EXPECT_EQ(documentState(copy), documentState(log.document));
    EXPECT_EQ(copy.textEncoding(), TextEncoding::Utf8);
    copy.setText(1, 1, "X");
    EXPECT_EQ(log.document.text(1, 1), "W1AW");
}

}  // namespace
}  // namespace vaziduvu::test
