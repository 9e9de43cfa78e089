#include "document/search.h"

#include "document_test_util.h"

namespace vaziduvu::test {
namespace {

// Columns RECORD #, CALL, MODE, COMMENT; rows 1..3.
const char kLog[] = "h<EOH>"
                    "<CALL:4>W1AW<MODE:2>CW<COMMENT:9>QSO IN CW<EOR>\n"
                    "<CALL:5>K1ABC<MODE:3>SSB<COMMENT:3>ssb<EOR>\n"
                    "<CALL:4>G3XY<MODE:2>FM<EOR>\n";

struct Step {
    bool findNext;
    std::string text;
    bool matchCase;
    bool found;
    int column;  // of the hit
    int row;
};

struct SearchCase {
    const char *label;
    SearchPosition start;
    std::vector<Step> steps;
};

class GridSearch : public ::testing::TestWithParam<SearchCase> { };

TEST_P(GridSearch, StepsFindTheExpectedCells)
{
    LoadedLog log;
    loadInto(log, kLog);
    ASSERT_EQ(gridTexts(log.document),
              (Grid{{"RECORD #", "CALL", "MODE", "COMMENT"},
                    {"1", "W1AW", "CW", "QSO IN CW"},
                    {"2", "K1ABC", "SSB", "ssb"},
                    {"3", "G3XY", "FM", ""}}));
    SearchPosition position = GetParam().start;
    int n = 0;
    for (const Step &s : GetParam().steps) {
        SCOPED_TRACE("step " + std::to_string(++n));
        const SearchHit hit = searchGrid(log.document, s.text, s.findNext, s.matchCase, position);
        EXPECT_EQ(hit.found, s.found);
        if (s.found) {
            EXPECT_EQ(hit.column, s.column);
            EXPECT_EQ(hit.row, s.row);
            EXPECT_EQ(position.column, s.column);
            EXPECT_EQ(position.row, s.row);
        }
    }
}

constexpr bool First = false;
constexpr bool Next = true;

INSTANTIATE_TEST_SUITE_P(
    Search, GridSearch,
    ::testing::Values(
        SearchCase{"ignoring_case_finds_cw_twice",
                   {},
                   {{First, "cw", false, true, 2, 1}, {Next, "cw", false, true, 3, 1}}},
        SearchCase{"match_case_finds_no_cw", {}, {{First, "cw", true, false, 0, 0}}},
        SearchCase{"match_case_tells_ssb_from_SSB",
                   {},
                   {{First, "ssb", true, true, 3, 2}, {Next, "ssb", true, true, 3, 2}}},
        SearchCase{"record_number_cell_first", {}, {{First, "1", false, true, 0, 1}}},
        SearchCase{"search_text_is_trimmed", {}, {{First, " \tG3XY \r\n", true, true, 1, 3}}},
        SearchCase{"header_row_is_never_searched",
                   {},
                   {{First, "RECORD", false, false, 0, 0}, {Next, "COMMENT", false, false, 0, 0}}},
        SearchCase{"find_next_wraps_to_the_first_match",
                   {},
                   {{First, "cw", false, true, 2, 1},
                    {Next, "cw", false, true, 3, 1},
                    {Next, "cw", false, true, 2, 1}}},
        SearchCase{"single_match_is_found_again_and_again",
                   {},
                   {{First, "FM", true, true, 2, 3},
                    {Next, "FM", true, true, 2, 3},
                    {Next, "FM", true, true, 2, 3}}},
        SearchCase{"find_first_ignores_the_remembered_position",
                   {3, 2},
                   {{First, "W1AW", true, true, 1, 1}}},
        SearchCase{
            "find_next_starts_after_the_remembered_cell", {1, 1}, {{Next, "1", false, true, 1, 2}}},
        SearchCase{"find_next_past_the_last_column_goes_to_the_next_row",
                   {1, 3},
                   {{Next, "", false, false, 0, 0}, {Next, "3", false, true, 0, 3}}}),
    [](const ::testing::TestParamInfo<SearchCase> &info) { return std::string(info.param.label); });

TEST(GridSearchState, NothingMatchingLeavesNoHitAndRestartsFromTheTop)
{
    LoadedLog log;
    loadInto(log, kLog);
    SearchPosition position{2, 1};
    for (int i = 0; i < 3; ++i) {
        const SearchHit hit = searchGrid(log.document, "ZZZ", true, false, position);
        EXPECT_FALSE(hit.found);
        // Past the last cell twice: the next search starts from row 1.
        EXPECT_EQ(position.row, 1);
        EXPECT_EQ(position.column, 0);
    }
    const SearchHit first = searchGrid(log.document, "ZZZ", false, false, position);
    EXPECT_FALSE(first.found);
    EXPECT_EQ(position.row, 1);
    EXPECT_EQ(position.column, 0);
}

TEST(GridSearchState, BlankTextFindsNothing)
{
    LoadedLog log;
    loadInto(log, kLog);
    SearchPosition position{3, 2};
    EXPECT_FALSE(searchGrid(log.document, " \r\n", false, false, position).found);
    // A find first starts over even when it has nothing to look for.
    EXPECT_EQ(position.row, 1);
    EXPECT_EQ(position.column, 0);
}

TEST(GridSearchState, CellTextsAreTrimmed)
{
    LoadedLog log;
    loadInto(log, kLog);
    log.document.setText(2, 3, "  CW \r\n");
    SearchPosition position{2, 2};
    const SearchHit hit = searchGrid(log.document, "CW", true, true, position);
    EXPECT_TRUE(hit.found);
    EXPECT_EQ(hit.column, 2);
    EXPECT_EQ(hit.row, 3);
}

// A position remembered from a bigger document: each find next only moves the
// column on until it passes the last column, then the search starts at row 1.
TEST(GridSearchState, RememberedRowBeyondTheLastRow)
{
    LoadedLog log;
    loadInto(log, kLog);
    SearchPosition position{10, 1};
    for (int column = 2; column <= 3; ++column) {
        EXPECT_FALSE(searchGrid(log.document, "CW", true, false, position).found);
        EXPECT_EQ(position.row, 10);
        EXPECT_EQ(position.column, column);
    }
    const SearchHit hit = searchGrid(log.document, "CW", true, false, position);
    EXPECT_TRUE(hit.found);
    EXPECT_EQ(hit.column, 2);
    EXPECT_EQ(hit.row, 1);
}

TEST(GridSearchState, PositionOutsideTheGridNeverReachesTheHeaderRow)
{
    LoadedLog log;
    loadInto(log, kLog);
    SearchPosition position{0, -5};
    const SearchHit hit = searchGrid(log.document, "CALL", true, false, position);
    EXPECT_FALSE(hit.found);
    SearchPosition huge{1, 1 << 30};
    EXPECT_TRUE(searchGrid(log.document, "K1ABC", true, false, huge).found);
}

TEST(GridSearchState, EmptyGridFindsNothing)
{
    LogDocument d;
    d.showEmptyGrid();
    SearchPosition position;
    EXPECT_FALSE(searchGrid(d, "x", true, false, position).found);
    EXPECT_FALSE(searchGrid(d, "x", false, false, position).found);
    LogDocument headerOnly;
    headerOnly.setSize(3, 1);
    EXPECT_FALSE(searchGrid(headerOnly, "x", true, false, position).found);
}

}  // namespace
}  // namespace vaziduvu::test
