#include "adif/field_catalogue.h"

#include <gtest/gtest.h>

#include <string>

namespace vaziduvu {
namespace {

struct FindCase {
    std::string name;
    int entry;  // 0: not found
};

class FindCatalogueEntryTest : public ::testing::TestWithParam<FindCase> { };

TEST_P(FindCatalogueEntryTest, TakesFirstEntryStartingWithTheName)
{
    const auto found = findCatalogueEntry(GetParam().name);
    EXPECT_EQ(found.value_or(0), GetParam().entry);
}

INSTANTIATE_TEST_SUITE_P(Catalogue, FindCatalogueEntryTest,
                         ::testing::Values(FindCase{"QSL", 22}, FindCase{"CONT", 8},
                                           FindCase{"CONTEST_ID", 9}, FindCase{"BAND_RX", 49},
                                           FindCase{"BAND", 4}, FindCase{"CA", 5}, FindCase{"", 1},
                                           FindCase{"APP_LOTW_EOF", 47},
                                           FindCase{"APP_LOTW_LASTQSL", 44},
                                           FindCase{"APP_LoTW_EOF", 0}, FindCase{"CALLS", 0},
                                           FindCase{"MY_FIELD", 0}, FindCase{"call", 0}));

struct TypeCase {
    std::string name;
    int code;
};

class CatalogueTypeOfTest : public ::testing::TestWithParam<TypeCase> { };

TEST_P(CatalogueTypeOfTest, TypeOfFirstEntryTheNameBeginsWith)
{
    EXPECT_EQ(int(catalogueTypeOf(GetParam().name)), GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(Catalogue, CatalogueTypeOfTest,
                         ::testing::Values(TypeCase{"BAND_RX", 3}, TypeCase{"FREQ_RX", 4},
                                           TypeCase{"QSO_DATE", 0}, TypeCase{"APP_LOTW_LASTQSL", 0},
                                           TypeCase{"CAL", 6}, TypeCase{"CONTEST_ID", 3},
                                           TypeCase{"NOTES", 2}, TypeCase{"ADDRESS_2", 2},
                                           TypeCase{"MY_FIELD", 6}));

struct TimeNameCase {
    std::string name;
    bool isTime;
};

class IsTimeFieldNameTest : public ::testing::TestWithParam<TimeNameCase> { };

TEST_P(IsTimeFieldNameTest, NameBeginsWithATimeFieldName)
{
    EXPECT_EQ(isTimeFieldName(GetParam().name), GetParam().isTime);
}

INSTANTIATE_TEST_SUITE_P(
    Catalogue, IsTimeFieldNameTest,
    ::testing::Values(TimeNameCase{"TIME_ON", true}, TimeNameCase{"TIME_OFF", true},
                      TimeNameCase{"TIME_ONX", true}, TimeNameCase{"TIME", false},
                      TimeNameCase{"TIME_O", false}, TimeNameCase{"time_on", false},
                      TimeNameCase{"X_TIME_ON", false}));

struct TableCase {
    ValueTable table;
    size_t size;
    std::string last;
};

class ValueTableTest : public ::testing::TestWithParam<TableCase> { };

TEST_P(ValueTableTest, SizeAndLastEntryAccepted)
{
    const TableCase &c = GetParam();
    EXPECT_EQ(valueTableEntries(c.table).size(), c.size);
    EXPECT_EQ(valueTableEntries(c.table).back(), c.last);
    EXPECT_TRUE(isEnumeratedValue(c.table, c.last));
    EXPECT_FALSE(isEnumeratedValue(c.table, c.last + "X"));
    EXPECT_FALSE(isEnumeratedValue(c.table, ""));
}

INSTANTIATE_TEST_SUITE_P(Catalogue, ValueTableTest,
                         ::testing::Values(TableCase{ValueTable::Bands, 28, "1MM"},
                                           TableCase{ValueTable::Modes, 24, "PSK125"},
                                           TableCase{ValueTable::PropagationModes, 16, "TR"},
                                           TableCase{ValueTable::Continents, 6, "AS"},
                                           TableCase{ValueTable::CanadianProvinces, 12, "YT"},
                                           TableCase{ValueTable::UsStates, 51, "WY"},
                                           TableCase{ValueTable::ArrlSections, 79, "SD"},
                                           TableCase{ValueTable::QslFlags, 4, "I"},
                                           TableCase{ValueTable::Satellites, 29, "UO-14"}));

struct ValueCase {
    ValueTable table;
    std::string text;
    bool permitted;
};

class IsEnumeratedValueTest : public ::testing::TestWithParam<ValueCase> { };

TEST_P(IsEnumeratedValueTest, ExactMatchOnly)
{
    EXPECT_EQ(isEnumeratedValue(GetParam().table, GetParam().text), GetParam().permitted);
}

INSTANTIATE_TEST_SUITE_P(Catalogue, IsEnumeratedValueTest,
                         ::testing::Values(ValueCase{ValueTable::ArrlSections, "ND", true},
                                           ValueCase{ValueTable::PropagationModes, "AVE", false},
                                           ValueCase{ValueTable::PropagationModes, "AVE ", true},
                                           ValueCase{ValueTable::Bands, "15M", true},
                                           ValueCase{ValueTable::Bands, "20m", false},
                                           ValueCase{ValueTable::Modes, "MGSK16", true},
                                           ValueCase{ValueTable::Modes, "MFSK16", false},
                                           ValueCase{ValueTable::Satellites, "AO-3", true},
                                           ValueCase{ValueTable::QslFlags, "V", false}));

TEST(CatalogueTest, TypeLettersBothWays)
{
    EXPECT_EQ(typeLetterOf(6), 'Z');
    EXPECT_EQ(typeLetterOf(5), 'Z');
    EXPECT_EQ(typeLetterOf(8), 'Z');
    EXPECT_EQ(int(typeCodeOfLetter('X')), 6);
    for (char letter : std::string("CDMNT"))
        EXPECT_EQ(typeLetterOf(typeCodeOfLetter(letter)), letter);
    EXPECT_EQ(int(typeCodeOfLetter('c')), 6);
}

TEST(CatalogueTest, LettersInTableOrder)
{
    std::string letters;
    for (int number = 1; number <= kCatalogueSize; ++number)
        letters += catalogueLetterAt(number);
    EXPECT_EQ(letters, "MNCCCCCCCNNNCCNCCMCCCMDDCCCDCCCNCCNCNNCCNCCDDCCNC");
    EXPECT_EQ(catalogueNames().size(), 49u);
    EXPECT_EQ(catalogueNames()[43], "APP_LoTW_LASTQSL");
}

}  // namespace
}  // namespace vaziduvu
