// The rows a sorted or filtered view shows, and a new order of the rows
// themselves that its inverse takes back exactly.

#include "document/open_log.h"
#include "document/row_order.h"
#include "grid_texts.h"

#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <vector>

namespace vaziduvu {
namespace {

// Row 3's FREQ and TIME_ON are no number and no time; row 4 has neither.
const char kLog[]
    = "h<EOH>"
      "<CALL:4>w1aw<QSO_DATE:8>20261202<TIME_ON:6>120000<FREQ:5>14.07<NAME:4>\xc9mile<EOR>"
      "<CALL:4>K1AB<QSO_DATE:8>20261201<TIME_ON:4>1201<FREQ:3>7.1<EOR>trailer two\r\n"
      "<CALL:4>W1AW<QSO_DATE:8>20261203<TIME_ON:2>12<FREQ:4>high<NAME:4>emil<EOR>"
      "<CALL:2>AA<QSO_DATE:8>20261201<EOR>";

OpenedLog opened()
{
    return openLogFromBytes(kLog, AdifMode::Classic);
}

struct SortCase {
    const char *field;
    bool descending;
    std::vector<int> rows;
};

TEST(SortedRows, ComparesDatesTimesAndNumbersAsSuch)
{
    const OpenedLog log = opened();
    ASSERT_TRUE(log);
    const SortCase cases[] = {
        {"CALL", false, {4, 2, 3, 1}},      // bytes: upper case first
        {"QSO_DATE", false, {2, 4, 1, 3}},  // equal dates keep file order
        {"QSO_DATE", true, {3, 1, 2, 4}},   // in either direction
        {"TIME_ON", false, {1, 2, 3, 4}},   // 1201 after 120000; text, then empty last
        {"FREQ", false, {2, 1, 3, 4}},      // 7.1 before 14.07
        {"FREQ", true, {1, 2, 3, 4}},
    };
    for (const SortCase &c : cases) {
        const int column = [&] {
            for (int col = 1; col < log.document->columnCount(); ++col)
                if (log.document->text(col, 0) == c.field)
                    return col;
            return 0;
        }();
        EXPECT_EQ(sortedRows(*log.document, column, c.descending), c.rows)
            << c.field << (c.descending ? " descending" : "");
    }
}

// Texts that agree in their first eight bytes or more, and a Latin-1
// letter, which sorts after every ASCII one.
TEST(SortedRows, ComparesLongTextsToTheirEnd)
{
    const OpenedLog log = openLogFromBytes("h<EOH>"
                                           "<QTH:14>Springfield MA<EOR>"
                                           "<QTH:11>Springfield<EOR>"
                                           "<QTH:10>Springfiel<EOR>"
                                           "<QTH:5>\xc9vora<EOR>"
                                           "<QTH:14>Springfield IL<EOR>"
                                           "<QTH:11>Springfield<EOR>",
                                           AdifMode::Classic);
    ASSERT_TRUE(log);
    EXPECT_EQ(sortedRows(*log.document, 1, false), (std::vector<int>{3, 2, 6, 5, 1, 4}));
    EXPECT_EQ(sortedRows(*log.document, 1, true), (std::vector<int>{4, 1, 5, 2, 6, 3}));
}

struct MatchCase {
    const char *text;
    int column;  // 0: every column
    std::vector<int> rows;
};

TEST(RowsMatching, IgnoresLetterCaseAsASearchDoes)
{
    const OpenedLog log = opened();
    ASSERT_TRUE(log);
    const MatchCase cases[] = {
        {"W1AW", 0, {1, 3}},  {"\xe9mi", 0, {1}},  // Latin-1 letters fold too
        {"12", 3, {1, 2, 3}}, {"12", 1, {}},      {"", 0, {1, 2, 3, 4}},
    };
    for (const MatchCase &c : cases)
        EXPECT_EQ(rowsMatching(*log.document, allRows(*log.document), c.text, c.column), c.rows)
            << c.text;
}

TEST(ReorderRows, MovesWholeRowsAndTheInverseRestoresTheDocument)
{
    const OpenedLog log = opened();
    ASSERT_TRUE(log);
    LogDocument &document = *log.document;
    const std::string before = test::documentState(document);
    const std::vector<int> order{3, 1, 4, 2};
    document.reorderRows(order);
    EXPECT_EQ(document.text(1, 1), "W1AW");
    EXPECT_EQ(document.text(0, 1), "1");
    EXPECT_EQ(document.recordTrailer(3), "trailer two\r\n");
    std::vector<int> inverse(order.size());
    for (size_t i = 0; i < order.size(); ++i)
        inverse[static_cast<size_t>(order[i] - 1)] = static_cast<int>(i) + 1;
    document.reorderRows(inverse);
    EXPECT_EQ(test::documentState(document), before);
}

}  // namespace
}  // namespace vaziduvu
