#include "document_test_util.h"

#include <memory>

namespace vaziduvu::test {
namespace {

using Fill = LogDocument::FillResult;

// --- layout of the grid texts ----------------------------------------------

struct LayoutCase {
    const char *label;
    std::string adif;
    Grid expected;
};

class GridLayout : public ::testing::TestWithParam<LayoutCase> { };

TEST_P(GridLayout, TextsMatch)
{
    const LayoutCase &c = GetParam();
    LoadedLog log;
    loadInto(log, c.adif);
    ASSERT_EQ(log.result, Fill::Filled);
    EXPECT_TRUE(log.document.documentOpen());
    EXPECT_EQ(gridTexts(log.document), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Load, GridLayout,
    ::testing::Values(
        LayoutCase{
            "two_records",
            "Log\r\n<EOH>\r\n<CALL:4>W1AW<MODE:2>CW<EOR>\r\n<CALL:5>K1ABC<MODE:3>SSB<EOR>\r\n",
            {{"RECORD #", "CALL", "MODE"}, {"1", "W1AW", "CW"}, {"2", "K1ABC", "SSB"}}},
        LayoutCase{"no_header", "<call:4>W1AW<eor>", {{"RECORD #", "CALL"}, {"1", "W1AW"}}},
        LayoutCase{"repeated_field_later_wins",
                   "h<EOH><CALL:1>A<MODE:2>CW<CALL:1>B<EOR>",
                   {{"RECORD #", "CALL", "MODE"}, {"1", "B", "CW"}}},
        // Tags after the last end-of-record marker are the last record.
        LayoutCase{"record_after_last_eor_is_the_last_row",
                   "h<EOH><CALL:1>A<EOR><CALL:1>B",
                   {{"RECORD #", "CALL"}, {"1", "A"}, {"2", "B"}}},
        LayoutCase{"record_before_the_end_of_file_marker",
                   "h<EOH><CALL:1>A<EOR><CALL:1>B<APP_LoTW_EOF>",
                   {{"RECORD #", "CALL"}, {"1", "A"}, {"2", "B"}}},
        LayoutCase{"log_without_any_marker",
                   "<CALL:4>W1AW<MODE:2>CW",
                   {{"RECORD #", "CALL", "MODE"}, {"1", "W1AW", "CW"}}},
        LayoutCase{"text_but_no_tag_after_the_last_eor_is_no_record",
                   "h<EOH><CALL:1>A<EOR> trailing words\r\n",
                   {{"RECORD #", "CALL"}, {"1", "A"}}},
        LayoutCase{"empty_record_has_no_number",
                   "h<EOH><CALL:1>A<EOR><EOR><CALL:1>C<EOR>",
                   {{"RECORD #", "CALL"}, {"1", "A"}, {"", ""}, {"3", "C"}}},
        LayoutCase{
            "field_in_some_records",
            "h<EOH><CALL:1>A<EOR><MODE:2>CW<EOR><CALL:1>C<MODE:3>SSB<EOR>",
            {{"RECORD #", "CALL", "MODE"}, {"1", "A", ""}, {"2", "", "CW"}, {"3", "C", "SSB"}}},
        LayoutCase{"fields_in_other_order",
                   "h<EOH><CALL:1>A<MODE:2>CW<EOR><MODE:3>SSB<CALL:1>B<EOR>",
                   {{"RECORD #", "CALL", "MODE"}, {"1", "A", "CW"}, {"2", "B", "SSB"}}},
        LayoutCase{"end_of_file_marker_ends_data",
                   "h<EOH><CALL:1>A<EOR><APP_LoTW_EOF><CALL:1>B<EOR>junk<:3>",
                   {{"RECORD #", "CALL"}, {"1", "A"}}},
        // A name seen only in the record without its marker heads its column.
        LayoutCase{"field_only_after_last_eor",
                   "h<EOH><CALL:1>A<EOR><MODE:2>CW",
                   {{"RECORD #", "CALL", "MODE"}, {"1", "A", ""}, {"2", "", "CW"}}},
        // A field named EOR is no field name: it has no column and must not
        // land in the record-number column.
        LayoutCase{"field_named_eor_is_not_placed",
                   "h<EOH><CALL:1>A<EOR:1>x<EOR>",
                   {{"RECORD #", "CALL"}, {"1", "A"}}},
        LayoutCase{"only_end_of_record_markers", "h<EOH><EOR><EOR>", {{"RECORD #"}, {""}, {""}}},
        LayoutCase{"empty_data_section", "header<EOH>", {{"RECORD #"}}},
        LayoutCase{"no_length_keeps_line_break_in_text",
                   "h<EOH><CALL>W1AW \r\n<EOR>",
                   {{"RECORD #", "CALL"}, {"1", "W1AW \r\n"}}}),
    [](const ::testing::TestParamInfo<LayoutCase> &info) { return std::string(info.param.label); });

// --- cell records and trailers ------------------------------------------------

TEST(LoadCellInfo, CopiesTheTagWithoutTagTextOrErrorSpan)
{
    LoadedLog log;
    loadInto(log, "h<EOH>\r\n<CALL:6>W1AW\r\n<TIME_ON:4:t>1200x<MY_FIELD:0>note<EOR>\r\n");
    ASSERT_EQ(log.result, Fill::Filled);

    const CellRecord call = log.document.cellInfo(1, 1);
    ASSERT_NE(call, nullptr);
    EXPECT_EQ(call->kind, TagKnownField);
    EXPECT_TRUE(call->hasLength);
    EXPECT_EQ(call->declaredLength, 6);
    EXPECT_FALSE(call->hasType);
    EXPECT_EQ(call->dataType, 3);
    EXPECT_FALSE(call->isTimeOn);
    EXPECT_EQ(call->name, "CALL");
    EXPECT_EQ(call->value, "W1AW\r\n");
    EXPECT_EQ(call->comment, "");
    EXPECT_EQ(call->errorCode, ParseStatus::Ok);
    EXPECT_EQ(call->rawTag, "");
    EXPECT_EQ(call->errorLength, 0);

    const CellRecord time = log.document.cellInfo(2, 1);
    ASSERT_NE(time, nullptr);
    EXPECT_TRUE(time->hasType);
    EXPECT_EQ(time->dataType, 1);
    EXPECT_TRUE(time->isTimeOn);
    EXPECT_EQ(time->value, "1200");
    EXPECT_EQ(time->comment, "x");
    EXPECT_EQ(log.document.text(2, 1), "1200");

    const CellRecord user = log.document.cellInfo(3, 1);
    ASSERT_NE(user, nullptr);
    EXPECT_EQ(user->kind, TagUserField);
    EXPECT_EQ(user->name, "MY_FIELD");
    EXPECT_EQ(user->value, "");
    EXPECT_EQ(user->comment, "note");
    EXPECT_EQ(log.document.text(3, 1), "");
}

TEST(LoadCellInfo, OnlyFilledCellsHaveRecords)
{
    LoadedLog log;
    loadInto(log, "h<EOH><CALL:1>A<EOR><MODE:2>CW<EOR><EOR>");
    ASSERT_EQ(log.result, Fill::Filled);
    const LogDocument &d = log.document;
    for (int c = 0; c < d.columnCount(); ++c)
        EXPECT_EQ(d.cellInfo(c, 0), nullptr) << "header row, column " << c;
    for (int r = 0; r < d.rowCount(); ++r)
        EXPECT_EQ(d.cellInfo(0, r), nullptr) << "record-number column, row " << r;
    EXPECT_NE(d.cellInfo(1, 1), nullptr);
    EXPECT_EQ(d.cellInfo(2, 1), nullptr);
    EXPECT_EQ(d.cellInfo(1, 2), nullptr);
    EXPECT_NE(d.cellInfo(2, 2), nullptr);
    EXPECT_EQ(d.cellInfo(1, 3), nullptr);
    EXPECT_EQ(d.cellInfo(2, 3), nullptr);
}

TEST(LoadCellInfo, RepeatedFieldKeepsTheLaterRecord)
{
    LoadedLog log;
    loadInto(log, "h<EOH><CALL:6>W1AW<CALL:4>K1AB\ncomment<EOR>");
    const CellRecord call = log.document.cellInfo(1, 1);
    ASSERT_NE(call, nullptr);
    EXPECT_EQ(call->value, "K1AB");
    EXPECT_EQ(call->declaredLength, 4);
    EXPECT_EQ(call->comment, "\ncomment");
}

TEST(LoadTrailers, HoldTheTextAfterEachEndOfRecord)
{
    LoadedLog log;
    loadInto(log, "h<EOH><CALL:1>A<EOR>\r\n<CALL:1>B<EOR> end \n<EOR><CALL:1>D");
    ASSERT_EQ(log.result, Fill::Filled);
    EXPECT_EQ(log.document.recordTrailer(0), "\r\n");
    EXPECT_EQ(log.document.recordTrailer(1), " end \n");
    EXPECT_EQ(log.document.recordTrailer(2), "");
    EXPECT_EQ(log.document.recordTrailer(3), "");  // the record without its marker
    EXPECT_EQ(log.document.fieldCount(), 1);
    EXPECT_EQ(log.document.recordCount(), 4);
    EXPECT_EQ(log.document.text(1, 4), "D");
}

// A record that repeats its fields many times used to push the tags of the
// records after it beyond the part of the tag store that was walked.
TEST(LoadRepeatedFields, LaterRecordsAreNotLost)
{
    std::string adif = "h<EOH>";
    for (int i = 0; i < 40; ++i)
        adif += "<CALL:2>" + std::to_string(10 + i);
    adif += "<EOR>\n<CALL:4>W1AW<EOR>\r\n<CALL:5>K1ABC<EOR>";

    LoadedLog log;
    loadInto(log, adif);
    ASSERT_EQ(log.result, Fill::Filled);
    // One field and three records would have walked only (1 + 2) x (3 + 2)
    // slots, not even the first record's tags.
    EXPECT_EQ(gridTexts(log.document),
              (Grid{{"RECORD #", "CALL"}, {"1", "49"}, {"2", "W1AW"}, {"3", "K1ABC"}}));
    ASSERT_NE(log.document.cellInfo(1, 3), nullptr);
    EXPECT_EQ(log.document.cellInfo(1, 3)->value, "K1ABC");
    EXPECT_EQ(log.document.recordTrailer(0), "\n");
    EXPECT_EQ(log.document.recordTrailer(1), "\r\n");
}

// --- size limits ------------------------------------------------------------

std::string generatedLog(int fields, int records)
{
    std::string adif = "generated<EOH>\n";
    adif.reserve(static_cast<size_t>(fields) * records * 12 + 32);
    for (int r = 0; r < records; ++r) {
        for (int f = 0; f < fields; ++f) {
            adif += "<F";
            adif += std::to_string(f);
            adif += ":2>";
            adif += static_cast<char>('a' + f % 26);
            adif += static_cast<char>('a' + r % 26);
        }
        adif += "<EOR>\n";
    }
    return adif;
}

struct LimitCase {
    const char *label;
    int fields;
    int records;
    Fill expected;
};

class LoadLimits : public ::testing::TestWithParam<LimitCase> { };

TEST_P(LoadLimits, RefusesOnlyTooManyFieldsOrRecords)
{
    const LimitCase &c = GetParam();
    auto log = std::make_unique<LoadedLog>();
    log->document.reset();
    loadInto(*log, generatedLog(c.fields, c.records));
    ASSERT_TRUE(log->file.result().status == ParseStatus::Ok);
    EXPECT_EQ(log->result, c.expected);
    // The counts are those of the parse, also for a refused file.
    EXPECT_EQ(log->document.fieldCount(), c.fields);
    EXPECT_EQ(log->document.recordCount(), c.records);
    if (c.expected == Fill::Filled) {
        EXPECT_TRUE(log->document.documentOpen());
        EXPECT_EQ(log->document.columnCount(), c.fields + 1);
        EXPECT_EQ(log->document.rowCount(), c.records + 1);
        const int lastField = c.fields - 1;
        const int lastRecord = c.records - 1;
        const std::string lastValue
            = {static_cast<char>('a' + lastField % 26), static_cast<char>('a' + lastRecord % 26)};
        EXPECT_EQ(log->document.text(c.fields, c.records), lastValue);
        EXPECT_EQ(log->document.text(0, c.records), std::to_string(c.records));
        EXPECT_EQ(log->document.text(c.fields, 0), "F" + std::to_string(lastField));
        EXPECT_NE(log->document.cellInfo(c.fields, c.records), nullptr);
    } else {
        EXPECT_FALSE(log->document.documentOpen());
        EXPECT_EQ(gridTexts(log->document), (Grid{{"", ""}, {"", ""}}));
        EXPECT_EQ(log->document.cellInfo(1, 1), nullptr);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Load, LoadLimits,
    ::testing::Values(LimitCase{"largest_accepted", 48, 4000, Fill::Filled},
                      LimitCase{"too_many_fields", 49, 1, Fill::TooBig},
                      LimitCase{"too_many_records", 1, 4001, Fill::TooBig},
                      LimitCase{"too_many_fields_in_many_records", 49, 100, Fill::TooBig},
                      LimitCase{"largest_field_count", 48, 1, Fill::Filled},
                      LimitCase{"largest_record_count", 1, 4000, Fill::Filled}),
    [](const ::testing::TestParamInfo<LimitCase> &info) { return std::string(info.param.label); });

// --- failed parses ------------------------------------------------------------

struct FormatErrorCase {
    const char *label;
    std::string adif;
};

class LoadFormatError : public ::testing::TestWithParam<FormatErrorCase> { };

TEST_P(LoadFormatError, LeavesCountsUnchangedAndFillsNothing)
{
    LoadedLog log;
    loadInto(log, "h<EOH><CALL:1>A<MODE:2>CW<EOR><CALL:1>B<EOR>");
    ASSERT_EQ(log.result, Fill::Filled);
    log.document.reset();

    AdifFile failing;
    failing.loadFromBytes(GetParam().adif);
    ASSERT_FALSE(failing.result().status == ParseStatus::Ok);
    EXPECT_EQ(log.document.fillFrom(failing), Fill::FormatError);
    EXPECT_EQ(log.document.fieldCount(), 2);
    EXPECT_EQ(log.document.recordCount(), 2);
    EXPECT_FALSE(log.document.documentOpen());
    EXPECT_EQ(gridTexts(log.document), (Grid{{"", ""}, {"", ""}}));
    EXPECT_EQ(log.document.cellInfo(1, 1), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Load, LoadFormatError,
    ::testing::Values(FormatErrorCase{"empty_file", ""},
                      FormatErrorCase{"header_without_eoh", " <CALL:1>A<EOR>"},
                      FormatErrorCase{"bracket_mismatch", "h<EOH><CALL:1>A<<EOR>"},
                      FormatErrorCase{"empty_brackets", "h<EOH><CALL:1>A<><EOR>"},
                      FormatErrorCase{"bad_length", "h<EOH><CALL:x>A<EOR>"},
                      FormatErrorCase{"missing_name", "h<EOH><:1>A<EOR>"},
                      FormatErrorCase{"bad_type", "h<EOH><CALL:1:X>A<EOR>"}),
    [](const ::testing::TestParamInfo<FormatErrorCase> &info) {
        return std::string(info.param.label);
    });

// --- reset and refill -----------------------------------------------------------

TEST(LoadReset, EmptiesGridRecordsTrailersAndFlags)
{
    LoadedLog log;
    loadInto(log, "h<EOH><CALL:1>A<MODE:2>CW<EOR>\n<CALL:1>B<EOR>\n");
    log.document.setUnsavedChanges(true);
    log.document.reset();
    EXPECT_FALSE(log.document.documentOpen());
    EXPECT_FALSE(log.document.unsavedChanges());
    EXPECT_EQ(gridTexts(log.document), (Grid{{"", ""}, {"", ""}}));
    EXPECT_EQ(log.document.recordTrailer(0), "");
    for (int r = 0; r <= 3; ++r)
        for (int c = 0; c <= 3; ++c)
            EXPECT_EQ(log.document.cellInfo(c, r), nullptr) << c << "," << r;
    // Texts beyond the empty grid are gone too: growing shows empty cells.
    log.document.setSize(3, 3);
    EXPECT_EQ(log.document.text(2, 2), "");
}

TEST(LoadReset, ClearGridCoversOneColumnAndRowBeyondTheGrid)
{
    LogDocument d;
    d.setSize(3, 3);
    d.setCellInfo(3, 1, TagRecord{});
    d.setCellInfo(1, 3, TagRecord{});
    d.setText(3, 3, "outside");
    d.clearGrid();
    EXPECT_EQ(d.cellInfo(3, 1), nullptr);
    EXPECT_EQ(d.cellInfo(1, 3), nullptr);
    EXPECT_EQ(d.text(3, 3), "");
}

TEST(LoadRefill, SecondFillLeavesNothingOfTheFirst)
{
    LoadedLog big;
    loadInto(big, "h<EOH><CALL:1>A<MODE:2>CW<BAND:3>20M<EOR>\n<CALL:1>B<EOR>\n<CALL:1>C<EOR>\n");
    AdifFile small;
    small.loadFromBytes("h<EOH><QTH:1>X<EOR>");
    ASSERT_EQ(big.document.fillFrom(small), Fill::Filled);
    EXPECT_EQ(gridTexts(big.document), (Grid{{"RECORD #", "QTH"}, {"1", "X"}}));
    EXPECT_EQ(big.document.recordTrailer(1), "");
    EXPECT_EQ(big.document.cellInfo(2, 1), nullptr);
    EXPECT_EQ(big.document.cellInfo(1, 2), nullptr);
    big.document.setSize(4, 4);
    EXPECT_EQ(big.document.text(3, 1), "");
}

}  // namespace
}  // namespace vaziduvu::test
