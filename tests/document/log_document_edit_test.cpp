#include "document_test_util.h"

namespace vaziduvu::test {
namespace {

const char kTwoRecords[] = "h<EOH><CALL:4>W1AW<MODE:2>CW<EOR>\n<CALL:5>K1ABC<MODE:3>SSB<EOR>\n";

TagRecord userColumnTemplate(const std::string &name, const std::string &value)
{
    TagRecord t;
    t.kind = TagUserField;
    t.hasLength = true;
    t.hasType = true;
    t.dataType = 4;
    t.name = name;
    t.value = value;
    t.rawTag = "<" + name + ">";
    return t;
}

// --- columns ----------------------------------------------------------------------

TEST(AppendColumn, EveryRowGetsTheTemplateAndItsValue)
{
    LoadedLog log;
    loadInto(log, kTwoRecords);
    LogDocument &d = log.document;
    const int column = d.appendColumn(userColumnTemplate("MY_NUM", "5"));
    EXPECT_EQ(column, 3);
    EXPECT_EQ(gridTexts(d),
              (Grid{{"RECORD #", "CALL", "MODE", "MY_NUM"},
                    {"1", "W1AW", "CW", "5"},
                    {"2", "K1ABC", "SSB", "5"}}));
    for (int r = 1; r <= 2; ++r) {
        const CellRecord cell = d.cellInfo(3, r);
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(cell->name, "MY_NUM");
        EXPECT_EQ(cell->rawTag, "<MY_NUM>");
        EXPECT_EQ(cell->value, "5");
        EXPECT_EQ(cell->dataType, 4);
        EXPECT_EQ(cell->kind, TagUserField);
    }
    // Separate copies, and a value of declared length 0 is a discrepancy.
    EXPECT_NE(d.cellInfo(3, 1).get(), d.cellInfo(3, 2).get());
    EXPECT_TRUE(d.anyLengthDiscrepancy());
    EXPECT_TRUE(d.columnNameExists("MY_NUM"));
}

TEST(AppendColumn, CoversRowsAddedAfterTheLoad)
{
    LoadedLog log;
    loadInto(log, kTwoRecords);
    log.document.appendBlankRow();
    log.document.appendColumn(userColumnTemplate("X", ""));
    EXPECT_NE(log.document.cellInfo(3, 3), nullptr);
}

TEST(AppendColumn, StopsAtTheColumnLimit)
{
    LogDocument d;
    d.setSize(LogDocument::kAddColumnLimit - 1, 2);
    EXPECT_FALSE(d.columnLimitReached());
    EXPECT_EQ(d.appendColumn(userColumnTemplate("A", "1")), LogDocument::kAddColumnLimit - 1);
    EXPECT_TRUE(d.columnLimitReached());
    EXPECT_EQ(d.appendColumn(userColumnTemplate("B", "1")), -1);
    EXPECT_EQ(d.columnCount(), LogDocument::kAddColumnLimit);
}

TEST(ClearColumn, EmptiesDataTextsOnly)
{
    LoadedLog log;
    loadInto(log, kTwoRecords);
    LogDocument &d = log.document;
    d.appendBlankRow();
    d.setText(2, 3, "FM");
    d.clearColumnTexts(2);
    EXPECT_EQ(
        gridTexts(d),
        (Grid{{"RECORD #", "CALL", "MODE"}, {"1", "W1AW", ""}, {"2", "K1ABC", ""}, {"3", "", ""}}));
    ASSERT_NE(d.cellInfo(2, 2), nullptr);
    EXPECT_EQ(d.cellInfo(2, 2)->value, "SSB");
    d.clearColumnTexts(0);  // the record numbers are no data column
    EXPECT_EQ(d.text(0, 1), "1");
}

// --- rows --------------------------------------------------------------------------

TEST(AppendBlankRow, NumbersTheRowAndGivesEveryColumnATemplateRecord)
{
    LoadedLog log;
    loadInto(log, "h<EOH><CALL:4>W1AW<EOR><CALL:1>B<EOR><EOR><MODE:2>CW");
    LogDocument &d = log.document;
    ASSERT_EQ(d.columnCount(), 3);
    ASSERT_EQ(d.rowCount(), 5);  // the MODE tag without its marker is record 4
    const int row = d.appendBlankRow();
    EXPECT_EQ(row, 5);
    EXPECT_EQ(d.rowCount(), 6);
    EXPECT_EQ(d.text(0, 5), "5");
    EXPECT_EQ(d.text(1, 5), "");
    const CellRecord call = d.cellInfo(1, 5);
    ASSERT_NE(call, nullptr);
    EXPECT_EQ(call->name, "CALL");
    EXPECT_EQ(call->dataType, 3);
    EXPECT_EQ(call->declaredLength, 4);
    EXPECT_EQ(call->value, "");
    ASSERT_NE(d.cellInfo(2, 5), nullptr);
    EXPECT_EQ(d.cellInfo(2, 5)->name, "MODE");
    // The empty loaded row 3 keeps its texts; the new row does not fill it.
    EXPECT_EQ(d.text(0, 3), "");
}

TEST(AppendRowSameAsPrevious, CopiesTextsValuesAndComments)
{
    LoadedLog log;
    loadInto(log, "h<EOH><CALL:4>W1AW note<MODE:2>CW<EOR>\n");
    LogDocument &d = log.document;
    d.setText(2, 1, "SSB");  // an edited text is what is copied
    const auto [row, noRowAbove] = d.appendRowSameAsPrevious();
    EXPECT_FALSE(noRowAbove);
    EXPECT_EQ(row, 2);
    EXPECT_EQ(gridTexts(d),
              (Grid{{"RECORD #", "CALL", "MODE"}, {"1", "W1AW", "SSB"}, {"2", "W1AW", "SSB"}}));
    const CellRecord call = d.cellInfo(1, 2);
    ASSERT_NE(call, nullptr);
    EXPECT_EQ(call->value, "W1AW");
    EXPECT_EQ(call->comment, " note");
    EXPECT_EQ(d.cellInfo(2, 2)->value, "CW");
    EXPECT_NE(call.get(), d.cellInfo(1, 1).get());

    // A copy of the copy.
    d.appendRowSameAsPrevious();
    EXPECT_EQ(d.text(0, 3), "3");
    EXPECT_EQ(d.cellInfo(1, 3)->comment, " note");
}

TEST(AppendRowSameAsPrevious, NoDataRowAbove)
{
    LoadedLog log;
    loadInto(log, "h<EOH>");  // a log without records
    LogDocument &d = log.document;
    ASSERT_EQ(d.rowCount(), 1);
    const LogDocument::AddedRow added = d.appendRowSameAsPrevious();
    EXPECT_EQ(added.row, 1);
    EXPECT_TRUE(added.noRowAbove);
    EXPECT_EQ(gridTexts(d), (Grid{{"RECORD #"}, {"1"}}));
}

TEST(RowLimit, BothRowCommandsStopAtTheLimit)
{
    LoadedLog log;
    loadInto(log, "h<EOH><CALL:1>A<EOR>");
    LogDocument &d = log.document;
    while (!d.rowLimitReached())
        ASSERT_GT(d.appendBlankRow(), 0);
    EXPECT_EQ(d.rowCount(), LogDocument::kAddRowLimit);
    EXPECT_EQ(d.text(0, LogDocument::kAddRowLimit - 1),
              std::to_string(LogDocument::kAddRowLimit - 1));
    EXPECT_EQ(d.appendBlankRow(), -1);
    EXPECT_EQ(d.appendRowSameAsPrevious().row, -1);
    EXPECT_EQ(d.rowCount(), LogDocument::kAddRowLimit);
}

TEST(RowLimit, ALoadedFileCanExceedItButNotGrow)
{
    std::string adif = "h<EOH>";
    for (int i = 0; i < 4000; ++i)
        adif += "<CALL:1>A<EOR>";
    LoadedLog log;
    loadInto(log, adif);
    ASSERT_EQ(log.document.rowCount(), 4001);
    EXPECT_TRUE(log.document.rowLimitReached());
    EXPECT_EQ(log.document.appendBlankRow(), -1);
}

// --- new project ---------------------------------------------------------------------

TEST(NewProject, HoldsTheDefaultRecord)
{
    LoadedLog log;
    loadInto(
        log,
        "h<EOH><CALL:1>A<MODE:2>CW<BAND:3>20M<QTH:1>X<NAME:1>Y<STATE:2>CT<EOR>\n<EOR>\n<EOR>\n");
    LogDocument &d = log.document;
    d.setUnsavedChanges(true);
    d.newProject();

    EXPECT_TRUE(d.documentOpen());
    EXPECT_FALSE(d.unsavedChanges());
    EXPECT_EQ(d.fieldCount(), 6);
    EXPECT_EQ(d.recordCount(), 2);
    EXPECT_EQ(gridTexts(d),
              (Grid{{"RECORD #", "CALL", "QSO_DATE", "MODE", "BAND", "TIME_ON"},
                    {"1", "NONE", "20010829", "CW", "160M", "120000"}}));
    EXPECT_EQ(d.recordTrailer(0), "");
    EXPECT_EQ(d.cellInfo(6, 1), nullptr);  // the old document is gone
    EXPECT_EQ(d.cellInfo(1, 2), nullptr);

    struct Expected {
        const char *name;
        const char *rawTag;
        uint8_t dataType;
        bool isTimeOn;
    };
    const Expected table[] = {{"CALL", "<CALL>", 3, false},
                              {"QSO_DATE", "<QSO_DATE>", 0, false},
                              {"MODE", "<MODE>", 3, false},
                              {"BAND", "<BAND>", 3, false},
                              {"TIME_ON", "<TIME_ON>", 3, true}};
    for (int c = 1; c <= 5; ++c) {
        SCOPED_TRACE(c);
        const Expected &e = table[c - 1];
        const CellRecord cell = d.cellInfo(c, 1);
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(cell->kind, TagKnownField);
        EXPECT_TRUE(cell->hasLength);
        EXPECT_EQ(cell->declaredLength, 0);
        EXPECT_FALSE(cell->hasType);
        EXPECT_EQ(cell->dataType, e.dataType);
        EXPECT_EQ(cell->isTimeOn, e.isTimeOn);
        EXPECT_EQ(cell->name, e.name);
        EXPECT_EQ(cell->rawTag, e.rawTag);
        EXPECT_EQ(cell->value, d.text(c, 1));
        EXPECT_EQ(cell->errorCode, ParseStatus::Ok);
        EXPECT_EQ(cell->errorPosition, 0);
        EXPECT_EQ(cell->errorLength, 0);
        EXPECT_EQ(cell->comment, "");
    }
    // Every default value is longer than its declared length 0.
    EXPECT_TRUE(d.anyLengthDiscrepancy());
}

TEST(NewProject, BlankRowCopiesTheDefaultFields)
{
    LogDocument d;
    d.newProject();
    EXPECT_EQ(d.appendBlankRow(), 2);
    const CellRecord time = d.cellInfo(5, 2);
    ASSERT_NE(time, nullptr);
    EXPECT_EQ(time->name, "TIME_ON");
    EXPECT_EQ(time->rawTag, "<TIME_ON>");
    EXPECT_TRUE(time->isTimeOn);
    EXPECT_EQ(time->value, "");
}

TEST(addDefaultCell, SetsRecordTextAndHeader)
{
    LogDocument d;
    d.setSize(3, 3);
    d.addDefaultCell(2, 2, 4, "FREQ", "<FREQ>", "14.074", false);
    EXPECT_EQ(d.text(2, 0), "FREQ");
    EXPECT_EQ(d.text(2, 2), "14.074");
    const CellRecord cell = d.cellInfo(2, 2);
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->dataType, 4);
    EXPECT_EQ(cell->rawTag, "<FREQ>");
    EXPECT_EQ(cell->value, "14.074");
}

}  // namespace
}  // namespace vaziduvu::test
