#include "document_test_util.h"

namespace vaziduvu::test {
namespace {

TagRecord record(uint8_t kind, uint8_t dataType, const std::string &name)
{
    TagRecord r;
    r.kind = kind;
    r.dataType = dataType;
    r.name = name;
    return r;
}

// --- ensureCellRecord ---------------------------------------------------------

TEST(ensureCellRecord, CopiesTheColumnTemplateWithEmptyValueAndComment)
{
    LoadedLog log;
    loadInto(log, "h<EOH><MODE:2>CW<EOR><CALL:6>W1AW\r\nnote<MODE:3>SSB<EOR>");
    ASSERT_EQ(log.result, LogDocument::FillResult::Filled);
    LogDocument &d = log.document;
    // Columns MODE, CALL: the template of CALL sits in row 2, row 1 has none.
    ASSERT_EQ(d.cellInfo(2, 1), nullptr);
    TagRecord &templ = *d.editableCellInfo(2, 2);
    EXPECT_EQ(templ.comment, "note");
    templ.rawTag = "<CALL:6>";  // the tag text and error span are copied too
    templ.errorLength = 7;

    TagRecord *created = d.ensureCellRecord(2, 1);
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(d.cellInfo(2, 1).get(), created);
    EXPECT_EQ(created->kind, TagKnownField);
    EXPECT_TRUE(created->hasLength);
    EXPECT_EQ(created->declaredLength, 6);
    EXPECT_EQ(created->dataType, 3);
    EXPECT_EQ(created->name, "CALL");
    EXPECT_EQ(created->rawTag, "<CALL:6>");
    EXPECT_EQ(created->errorLength, 7);
    EXPECT_EQ(created->errorCode, ParseStatus::Ok);
    EXPECT_EQ(created->value, "");
    EXPECT_EQ(created->comment, "");
    EXPECT_EQ(d.text(2, 1), "");  // the grid text is not touched
    EXPECT_EQ(templ.value, "W1AW\r\n");
}

TEST(ensureCellRecord, ReturnsTheExistingRecordUnchanged)
{
    LoadedLog log;
    loadInto(log, "h<EOH><CALL:4>W1AW<EOR>");
    TagRecord *existing = log.document.editableCellInfo(1, 1);
    ASSERT_NE(existing, nullptr);
    EXPECT_EQ(log.document.ensureCellRecord(1, 1), existing);
    EXPECT_EQ(existing->value, "W1AW");
}

TEST(ensureCellRecord, SkipsTagNoneRecordsWhenChoosingTheTemplate)
{
    LoadedLog log;
    loadInto(log, "h<EOH><CALL:1>A<EOR><CALL:1>B<EOR><EOR>");
    LogDocument &d = log.document;
    d.editableCellInfo(1, 1)->kind = TagNone;
    d.editableCellInfo(1, 1)->name = "FIRST";
    d.editableCellInfo(1, 2)->name = "SECOND";
    TagRecord *created = d.ensureCellRecord(1, 3);
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(created->name, "SECOND");
}

struct NoTemplateCase {
    const char *label;
    std::string adif;
    int column;
    int row;
};

class EnsureCellRecordNone : public ::testing::TestWithParam<NoTemplateCase> { };

TEST_P(EnsureCellRecordNone, CreatesNothing)
{
    const NoTemplateCase &c = GetParam();
    LoadedLog log;
    loadInto(log, c.adif);
    ASSERT_EQ(log.result, LogDocument::FillResult::Filled);
    EXPECT_EQ(log.document.ensureCellRecord(c.column, c.row), nullptr);
    EXPECT_EQ(log.document.cellInfo(c.column, c.row), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Cells, EnsureCellRecordNone,
    ::testing::Values(NoTemplateCase{"record_number_column", "h<EOH><CALL:1>A<EOR><EOR>", 0, 2},
                      NoTemplateCase{"header_row", "h<EOH><CALL:1>A<EOR>", 1, 0},
                      NoTemplateCase{"outside_the_cell_table", "h<EOH><CALL:1>A<EOR>", 1,
                                     LogDocument::kRowSlots}),
    [](const ::testing::TestParamInfo<NoTemplateCase> &info) {
        return std::string(info.param.label);
    });

TEST(ensureCellRecord, LooksOnlyAtLoadedRowsForTheTemplate)
{
    LogDocument d;
    d.setDocumentCounts(1, 1);
    d.setSize(2, 3);
    d.setCellInfo(1, 2, record(TagKnownField, 3, "CALL"));  // an added row, not loaded
    EXPECT_EQ(d.ensureCellRecord(1, 1), nullptr);
}

// --- column summaries -----------------------------------------------------------

TEST(ColumnSummaries, TakeTheFirstUsefulRecordOfTheLoadedRows)
{
    LogDocument d;
    d.setDocumentCounts(3, 4);
    d.setSize(4, 6);
    // Column 1: row 1 without record, row 2 TagNone with no name and type 6,
    // row 3 the useful one, row 4 a different one that must not win.
    d.setCellInfo(1, 2, record(TagNone, 6, ""));
    d.setCellInfo(1, 3, record(TagUserField, 4, "MY_NUM"));
    d.setCellInfo(1, 4, record(TagKnownField, 0, "QSO_DATE"));
    // Column 2: only records that do not count, and one in an added row.
    d.setCellInfo(2, 1, record(TagNone, 6, ""));
    d.setCellInfo(2, 5, record(TagKnownField, 3, "CALL"));
    // Column 3: the kind, the type and the name come from different rows.
    d.setCellInfo(3, 1, record(TagNone, 6, "FIRST_NAME"));
    d.setCellInfo(3, 2, record(TagNone, 2, ""));
    d.setCellInfo(3, 3, record(TagKnownField, 6, ""));

    struct Expected {
        int column;
        uint8_t status;
        uint8_t dataType;
        std::string name;
    };
    const Expected table[] = {
        {1, TagUserField, 4, "MY_NUM"},
        {2, TagNone, 6, ""},
        {3, TagKnownField, 2, "FIRST_NAME"},
        {0, TagNone, 6, ""},
    };
    for (const Expected &e : table) {
        SCOPED_TRACE(e.column);
        EXPECT_EQ(d.columnStatus(e.column), e.status);
        EXPECT_EQ(d.columnDataType(e.column), e.dataType);
        EXPECT_EQ(d.columnFieldName(e.column), e.name);
    }
}

// --- length discrepancy and comments --------------------------------------------------

struct DiscrepancyCase {
    const char *label;
    std::string adif;
    bool expected;
};

class LengthDiscrepancy : public ::testing::TestWithParam<DiscrepancyCase> { };

TEST_P(LengthDiscrepancy, WholeGrid)
{
    LoadedLog log;
    loadInto(log, GetParam().adif);
    ASSERT_EQ(log.result, LogDocument::FillResult::Filled);
    EXPECT_EQ(log.document.anyLengthDiscrepancy(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cells, LengthDiscrepancy,
    ::testing::Values(
        DiscrepancyCase{"shorter_than_declared", "h<EOH><CALL:6>W1AW<EOR>", true},
        DiscrepancyCase{"exact_length", "h<EOH><CALL:4>W1AW\r\n<EOR>", false},
        DiscrepancyCase{"no_length_specifier", "h<EOH><CALL>W1AW<EOR>", false},
        DiscrepancyCase{"declared_zero_value_in_comment", "h<EOH><CALL:0>W1AW<EOR>", false},
        DiscrepancyCase{"only_in_the_last_cell",
                        "h<EOH><CALL:1>A<MODE:2>CW<EOR><CALL:1>B<MODE:3>CW<EOR>", true},
        DiscrepancyCase{"repeated_field_later_is_correct", "h<EOH><CALL:9>A<CALL:1>B<EOR>", false}),
    [](const ::testing::TestParamInfo<DiscrepancyCase> &info) {
        return std::string(info.param.label);
    });

TEST(LengthDiscrepancy, FollowsTheLoadedValueNotTheText)
{
    LoadedLog log;
    loadInto(log, "h<EOH><CALL:4>W1AW<EOR>");
    log.document.setText(1, 1, "W1AWXYZ");
    EXPECT_FALSE(log.document.anyLengthDiscrepancy());
}

TEST(LengthDiscrepancy, OnlyCellsInsideTheGridCount)
{
    LogDocument d;
    d.setSize(2, 2);
    TagRecord r;
    r.hasLength = true;
    r.declaredLength = 3;
    d.setCellInfo(2, 1, r);  // one column beyond the grid
    EXPECT_FALSE(d.anyLengthDiscrepancy());
    d.setSize(3, 2);
    EXPECT_TRUE(d.anyLengthDiscrepancy());
}

TEST(CellComment, BlankCommentsDoNotCount)
{
    const std::pair<std::string, bool> table[]
        = {{"", false}, {" \r\n\t", false}, {"x", true}, {" \r\nnote ", true}};
    for (const auto &[comment, expected] : table) {
        TagRecord r;
        r.comment = comment;
        EXPECT_EQ(LogDocument::hasComment(r), expected) << '"' << comment << '"';
    }
}

// --- headers ------------------------------------------------------------------------------

TEST(ColumnHeaders, NormalizeUpperCasesTrimsAndWritesBack)
{
    LogDocument d;
    d.setSize(3, 1);
    d.setText(1, 0, " \tmy_Field \r\n");
    EXPECT_EQ(d.normalizeColumnHeader(1), "MY_FIELD");
    EXPECT_EQ(d.text(1, 0), "MY_FIELD");
    EXPECT_EQ(d.normalizeColumnHeader(3), "");  // outside the grid
}

struct NameCase {
    const char *name;
    bool exists;
};

class ColumnNameExistsTest : public ::testing::TestWithParam<NameCase> { };

TEST_P(ColumnNameExistsTest, ComparesNormalisedHeadersExactly)
{
    LoadedLog log;
    loadInto(log, "h<EOH><CALL:1>A<MODE:2>CW<EOR>");
    log.document.setText(2, 0, " mode ");
    EXPECT_EQ(log.document.columnNameExists(GetParam().name), GetParam().exists);
}

INSTANTIATE_TEST_SUITE_P(Cells, ColumnNameExistsTest,
                         ::testing::Values(NameCase{"CALL", true}, NameCase{"MODE", true},
                                           NameCase{"RECORD #", true}, NameCase{"record #", false},
                                           NameCase{"mode", false}, NameCase{"BAND", false},
                                           NameCase{"", false}));

TEST(ColumnHeaders, NameTestRewritesTheHeadersItPasses)
{
    LoadedLog log;
    loadInto(log, "h<EOH><CALL:1>A<MODE:2>CW<EOR>");
    log.document.setText(1, 0, " call");
    log.document.setText(2, 0, "mode ");
    EXPECT_TRUE(log.document.columnNameExists("CALL"));
    EXPECT_EQ(log.document.text(1, 0), "CALL");
    EXPECT_EQ(log.document.text(2, 0), "mode ");  // not reached
    EXPECT_FALSE(log.document.columnNameExists("BAND"));
    EXPECT_EQ(log.document.text(2, 0), "MODE");
}

}  // namespace
}  // namespace vaziduvu::test
