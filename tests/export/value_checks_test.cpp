#include "export/value_checks.h"

#include "export_test_support.h"

#include <gtest/gtest.h>

namespace vaziduvu {
namespace {

using test::ColumnSpec;
using test::fillGrid;

constexpr int kLatestYear = 2026;

// One cell in column 1, row 1 of a one-column grid.
struct CellCase {
    std::string text;
    bool accepted;
    std::string textAfter;  // the grid text once the check has run
};

std::ostream &operator<<(std::ostream &out, const CellCase &c)
{
    return out << '"' << c.text << '"';
}

class DateCheck : public ::testing::TestWithParam<CellCase> { };

TEST_P(DateCheck, AcceptsOnlyEightDigitDatesInRangeAndStoresTheTrimmedText)
{
    LogDocument document;
    fillGrid(document, {{"QSO_DATE", TypeDate, true}}, {{GetParam().text}});
    const TagRecord &record = *document.editableCellInfo(1, 1);
    EXPECT_EQ(checkDate(document, record, 1, 1, kLatestYear), GetParam().accepted);
    EXPECT_EQ(document.text(1, 1), GetParam().textAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Table, DateCheck,
    ::testing::Values(
        CellCase{"20040229", true, "20040229"},  // February 29 in every year
        CellCase{"20030229", true, "20030229"}, CellCase{"20040230", false, "20040230"},
        CellCase{"20040431", false, "20040431"}, CellCase{"20040430", true, "20040430"},
        CellCase{"20040631", false, "20040631"}, CellCase{"20040931", false, "20040931"},
        CellCase{"20041131", false, "20041131"}, CellCase{"20041231", true, "20041231"},
        CellCase{"20040131", true, "20040131"}, CellCase{"20040831", true, "20040831"},
        CellCase{"20041301", false, "20041301"},
        CellCase{"20040001", true, "20040001"},   // month 00 passes
        CellCase{"20040100", true, "20040100"},   // day 00 passes
        CellCase{"20040031", false, "20040031"},  // month 00 allows 30 days
        CellCase{"19331231", false, "19331231"}, CellCase{"19340101", true, "19340101"},
        CellCase{"20150101", true, "20150101"},   // later years pass
        CellCase{"20260101", true, "20260101"},   // the latest year
        CellCase{"20270101", false, "20270101"},  // one past the latest year
        CellCase{"  20040101", true, "20040101"}, CellCase{"\t20040101\r\n", true, "20040101"},
        CellCase{"2004-1-1", false, "2004-1-1"}, CellCase{"2004010", false, "2004010"},
        CellCase{"200401011", false, "200401011"}, CellCase{"2004 101", false, "2004 101"},
        CellCase{"+2004010", false, "+2004010"}, CellCase{"", true, ""},
        CellCase{"   ", true, ""}));

TEST(DateCheckOtherTypes, TrimsEveryCellButChecksOnlyDates)
{
    LogDocument document;
    fillGrid(document, {{"CALL", TypeCharacter, false}, {"FREQ", TypeNumber, false}},
             {{"  w1abc \t", "not a date "}});
    EXPECT_TRUE(checkDate(document, *document.cellInfo(1, 1), 1, 1, kLatestYear));
    EXPECT_TRUE(checkDate(document, *document.cellInfo(2, 1), 1, 2, kLatestYear));
    EXPECT_EQ(document.text(1, 1), "w1abc");
    EXPECT_EQ(document.text(2, 1), "not a date");
}

TEST(DateCheckOtherTypes, LatestYearComesFromTheCaller)
{
    LogDocument document;
    fillGrid(document, {{"QSO_DATE", TypeDate, false}}, {{"20310615"}});
    EXPECT_FALSE(checkDate(document, *document.cellInfo(1, 1), 1, 1, 2030));
    EXPECT_TRUE(checkDate(document, *document.cellInfo(1, 1), 1, 1, 2031));
}

class TimeCheck : public ::testing::TestWithParam<CellCase> { };

TEST_P(TimeCheck, AcceptsFourOrSixDigitTimesAndLeavesTheTextAlone)
{
    LogDocument document;
    fillGrid(document, {{"TIME_ON", TypeTime, false}}, {{GetParam().text}});
    ASSERT_TRUE(document.cellInfo(1, 1)->isTimeOn);
    EXPECT_EQ(checkTime(document, *document.cellInfo(1, 1), 1, 1), GetParam().accepted);
    EXPECT_EQ(document.text(1, 1), GetParam().textAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Table, TimeCheck,
    ::testing::Values(CellCase{"2400", true, "2400"}, CellCase{"000000", true, "000000"},
                      CellCase{"235959", true, "235959"}, CellCase{"0959", true, "0959"},
                      CellCase{"2460", false, "2460"}, CellCase{"2500", false, "2500"},
                      CellCase{"120060", false, "120060"}, CellCase{"123", false, "123"},
                      CellCase{"12345", false, "12345"}, CellCase{"1234567", false, "1234567"},
                      CellCase{"1200 ", false, "1200 "}, CellCase{" 1200", false, " 1200"},
                      CellCase{"12:0", false, "12:0"}, CellCase{"", true, ""}));

TEST(TimeCheckFlag, OnlyCellsWithTheTimeFlagAreTimes)
{
    LogDocument document;
    fillGrid(document, {{"TIME_ONX", TypeTime, false}, {"MY_TIME_ON", TypeTime, false}},
             {{"9999", "9999"}});
    // The flag follows the leading part of the name.
    EXPECT_TRUE(document.cellInfo(1, 1)->isTimeOn);
    EXPECT_FALSE(document.cellInfo(2, 1)->isTimeOn);
    EXPECT_FALSE(checkTime(document, *document.cellInfo(1, 1), 1, 1));
    EXPECT_TRUE(checkTime(document, *document.cellInfo(2, 1), 1, 2));
}

class NumberCheck : public ::testing::TestWithParam<CellCase> { };

TEST_P(NumberCheck, AcceptsDigitsAndPointsOnly)
{
    LogDocument document;
    fillGrid(document, {{"FREQ", TypeNumber, false}}, {{GetParam().text}});
    EXPECT_EQ(checkNumber(document, *document.cellInfo(1, 1), 1, 1), GetParam().accepted);
    EXPECT_EQ(document.text(1, 1), GetParam().textAfter);
}

INSTANTIATE_TEST_SUITE_P(Table, NumberCheck,
                         ::testing::Values(CellCase{"14.074", true, "14.074"},
                                           CellCase{"1.2.3", true, "1.2.3"},
                                           CellCase{"007", true, "007"}, CellCase{".", true, "."},
                                           CellCase{"-5", false, "-5"}, CellCase{"+5", false, "+5"},
                                           CellCase{"1e3", false, "1e3"},
                                           CellCase{" 5", false, " 5"}, CellCase{"5 ", false, "5 "},
                                           CellCase{"1,5", false, "1,5"}, CellCase{"", true, ""}));

TEST(NumberCheckType, OtherTypesAreNotNumbers)
{
    LogDocument document;
    fillGrid(document, {{"CALL", TypeCharacter, false}}, {{"-5"}});
    EXPECT_TRUE(checkNumber(document, *document.cellInfo(1, 1), 1, 1));
}

struct EnumeratedCase {
    EnumeratedCheck check;
    std::string header;
    std::string text;
    bool accepted;
    std::string textAfter;
    std::string headerAfter;
};

std::ostream &operator<<(std::ostream &out, const EnumeratedCase &c)
{
    return out << '"' << c.header << "\" / \"" << c.text << '"';
}

class EnumeratedChecks : public ::testing::TestWithParam<EnumeratedCase> { };

TEST_P(EnumeratedChecks, AcceptTableValuesInTheirColumnsOnly)
{
    const EnumeratedCase &c = GetParam();
    LogDocument document;
    fillGrid(document, {{"FIELD", TypeCharacter, false}}, {{c.text}});
    document.setText(1, 0, c.header);
    EXPECT_EQ(checkEnumerated(c.check, document, *document.cellInfo(1, 1), 1, 1), c.accepted);
    EXPECT_EQ(document.text(1, 1), c.textAfter);
    EXPECT_EQ(document.text(1, 0), c.headerAfter);
}

using E = EnumeratedCheck;
INSTANTIATE_TEST_SUITE_P(
    Table, EnumeratedChecks,
    ::testing::Values(
        EnumeratedCase{E::Band, "BAND", "160m", true, "160M", "BAND"},
        EnumeratedCase{E::Band, "BAND_RX", " 20m", true, "20M", "BAND_RX"},
        EnumeratedCase{E::Band, "BAND", "1.25cm", true, "1.25CM", "BAND"},
        EnumeratedCase{E::Band, "BAND", "21M", false, "21M", "BAND"},
        EnumeratedCase{E::Band, "BAND", "20 M", false, "20 M", "BAND"},
        EnumeratedCase{E::Mode, "MODE", " cw ", true, "CW", "MODE"},
        EnumeratedCase{E::Mode, "mode ", "ssb", true, "SSB", "MODE"},  // header normalised
        EnumeratedCase{E::Mode, "MODE", "c w", false, "c w", "MODE"},
        EnumeratedCase{E::Continent, "CONT", "eu", true, "EU", "CONT"},
        EnumeratedCase{E::Continent, "CONT", "AN", false, "AN", "CONT"},
        EnumeratedCase{E::PropagationMode, "PROP_MODE", "AVE", false, "AVE", "PROP_MODE"},
        EnumeratedCase{E::PropagationMode, "PROP_MODE", "eme", true, "EME", "PROP_MODE"},
        EnumeratedCase{E::Province, "VE_PROV", "on", true, "ON", "VE_PROV"},
        EnumeratedCase{E::Province, "VE_PROV", "NU", false, "NU", "VE_PROV"},
        EnumeratedCase{E::State, "STATE", "WY", true, "WY", "STATE"},
        EnumeratedCase{E::State, "STATE", "PR", false, "PR", "STATE"},
        EnumeratedCase{E::ArrlSection, "ARRL_SECT", "ema", true, "EMA", "ARRL_SECT"},
        EnumeratedCase{E::ArrlSection, "ARRL_SECT", "XYZ", false, "XYZ", "ARRL_SECT"},
        EnumeratedCase{E::QslFlag, "QSL_SENT", "I", true, "I", "QSL_SENT"},
        EnumeratedCase{E::QslFlag, "QSL_RCVD", "y", true, "Y", "QSL_RCVD"},
        EnumeratedCase{E::QslFlag, "QSL_RCVD", "x", false, "x", "QSL_RCVD"},
        EnumeratedCase{E::Satellite, "SAT_NAME", "ao-40", true, "AO-40", "SAT_NAME"},
        EnumeratedCase{E::Satellite, "SAT_NAME", "AO-99", false, "AO-99", "SAT_NAME"},
        // Columns named for another check, or for none, pass whatever they hold;
        // the heading is still normalised once a non-empty cell is checked.
        EnumeratedCase{E::Mode, "band", "20m", true, "20m", "BAND"},
        EnumeratedCase{E::Band, "CALL", "w1abc", true, "w1abc", "CALL"},
        EnumeratedCase{E::Satellite, " comment", "anything", true, "anything", "COMMENT"},
        // An empty cell passes and leaves the heading as typed.
        EnumeratedCase{E::Band, "band ", "", true, "", "band "},
        EnumeratedCase{E::Band, "band ", " \t", true, " \t", "band "}));

TEST(EnumeratedMessages, AdifWriterWordsQslAndSatelliteDifferently)
{
    EXPECT_STREQ(enumeratedCheckMessage(E::QslFlag, true),
                 "Check your 'QSL S/R Flag' columns ... incorrect indicator flags were found.");
    EXPECT_STREQ(enumeratedCheckMessage(E::QslFlag, false),
                 "Check your 'QSL Flag' columns ... incorrect QSL S/R flags were found.");
    EXPECT_STREQ(enumeratedCheckMessage(E::Satellite, true),
                 "Check your 'Satellite Name' columns ... incorrect Satellite names were found.");
    EXPECT_STREQ(enumeratedCheckMessage(E::Satellite, false),
                 "Check your 'Satellite' columns ... incorrect satellite names were found.");
    for (EnumeratedCheck check : kEnumeratedChecks) {
        if (check != E::QslFlag && check != E::Satellite) {
            EXPECT_STREQ(enumeratedCheckMessage(check, true), enumeratedCheckMessage(check, false));
        }
    }
}

}  // namespace
}  // namespace vaziduvu
