#include "document/column_template.h"

#include "adif/field_catalogue.h"

#include <gtest/gtest.h>

#include <string>

namespace vaziduvu {
namespace {

constexpr int kLatestYear = 2027;

// --- the initial-value checks --------------------------------------------

struct ValueCase {
    const char *text;
    bool valid;
};

class NumericValue : public ::testing::TestWithParam<ValueCase> { };
TEST_P(NumericValue, OnlyDigitsPass)
{
    EXPECT_EQ(isNumericInitialValue(GetParam().text), GetParam().valid) << GetParam().text;
}
INSTANTIATE_TEST_SUITE_P(Table, NumericValue,
                         ::testing::Values(ValueCase{"", true}, ValueCase{"0", true},
                                           ValueCase{"0123456789", true}, ValueCase{"1.5", false},
                                           ValueCase{"-5", false}, ValueCase{"+5", false},
                                           ValueCase{" 5", false}, ValueCase{"5 ", false},
                                           ValueCase{"1e3", false}));

class TimeValue : public ::testing::TestWithParam<ValueCase> { };
TEST_P(TimeValue, FourOrSixDigitsWithinRange)
{
    EXPECT_EQ(isTimeInitialValue(GetParam().text), GetParam().valid) << GetParam().text;
}
INSTANTIATE_TEST_SUITE_P(Table, TimeValue,
                         ::testing::Values(ValueCase{"", true}, ValueCase{"2400", true},
                                           ValueCase{"123059", true}, ValueCase{"0000", true},
                                           ValueCase{"2460", false}, ValueCase{"2500", false},
                                           ValueCase{"12345", false}, ValueCase{"123060", false},
                                           ValueCase{" 1200", false}, ValueCase{"1200 ", false},
                                           ValueCase{"12:0", false}));

class DateValue : public ::testing::TestWithParam<ValueCase> { };
TEST_P(DateValue, TrimmedEightDigitDates)
{
    EXPECT_EQ(isDateInitialValue(GetParam().text, kLatestYear), GetParam().valid)
        << GetParam().text;
}
INSTANTIATE_TEST_SUITE_P(
    Table, DateValue,
    ::testing::Values(ValueCase{"", true}, ValueCase{"   ", true}, ValueCase{"20040229", true},
                      ValueCase{"20041231", true}, ValueCase{" 20040101 ", true},
                      ValueCase{"19340101", true}, ValueCase{"20271231", true},
                      ValueCase{"20150101", true}, ValueCase{"20040230", false},
                      ValueCase{"20041301", false}, ValueCase{"19330101", false},
                      ValueCase{"20280101", false}, ValueCase{"2004-1-1", false},
                      ValueCase{"2004010", false}, ValueCase{"20040431", false}));

// --- the dialog's time-name test --------------------------------------------

class DialogTimeName : public ::testing::TestWithParam<ValueCase> { };
TEST_P(DialogTimeName, NameIsTheStartOfATimeFieldName)
{
    EXPECT_EQ(isDialogTimeName(GetParam().text), GetParam().valid) << GetParam().text;
}
INSTANTIATE_TEST_SUITE_P(Table, DialogTimeName,
                         ::testing::Values(ValueCase{"TIME_ON", true}, ValueCase{"TIME_OFF", true},
                                           ValueCase{"TIME", true}, ValueCase{"T", true},
                                           ValueCase{"", true}, ValueCase{"TIME_ONX", false},
                                           ValueCase{"TIME_OFFSET", false},
                                           ValueCase{"time_on", false},
                                           ValueCase{"QSO_DATE", false}));

// --- building the template -----------------------------------------------

struct TemplateCase {
    const char *label;
    ColumnRequest request;
    const char *refusal;  // nullptr: accepted
    uint8_t kind;
    bool hasType;
    uint8_t dataType;
    bool isTimeOn;
    const char *name;
    const char *value;
};

ColumnRequest catalogue(const char *name, const char *value)
{
    ColumnRequest request;
    request.name = name;
    request.initialValue = value;
    return request;
}

ColumnRequest user(const char *name, int type, const char *value)
{
    ColumnRequest request;
    request.userDefined = true;
    request.name = name;
    request.userType = type;
    request.initialValue = value;
    return request;
}

constexpr int kCharacter = 0, kNumber = 1, kDate = 2, kMemo = 3, kTime = 4, kNoType = -1;

class ColumnTemplateTable : public ::testing::TestWithParam<TemplateCase> { };

TEST_P(ColumnTemplateTable, BuildsTheTemplateAndRunsTheChecksInOrder)
{
    const TemplateCase &c = GetParam();
    const ColumnTemplate built = buildColumnTemplate(c.request, kLatestYear);
    if (c.refusal == nullptr) {
        EXPECT_TRUE(built.accepted()) << built.refusal;
    } else {
        EXPECT_EQ(built.refusal, c.refusal);
        EXPECT_FALSE(built.accepted());
    }
    const TagRecord &r = built.record;
    EXPECT_EQ(r.kind, c.kind);
    EXPECT_TRUE(r.hasLength);
    EXPECT_EQ(r.declaredLength, 0);
    EXPECT_EQ(r.hasType, c.hasType);
    EXPECT_EQ(r.dataType, c.dataType);
    EXPECT_EQ(r.isTimeOn, c.isTimeOn);
    EXPECT_EQ(r.name, c.name);
    EXPECT_EQ(r.value, c.value);
    EXPECT_EQ(r.errorCode, ParseStatus::Ok);
    EXPECT_EQ(r.errorPosition, 0);
    EXPECT_EQ(r.errorLength, 0);
    EXPECT_EQ(r.rawTag, std::string("<") + c.name + ">");
    EXPECT_EQ(r.comment, "");
}

INSTANTIATE_TEST_SUITE_P(
    Table, ColumnTemplateTable,
    ::testing::Values(
        // Catalogue columns: type from the catalogue, time test by the name.
        TemplateCase{"Address", catalogue("ADDRESS", " 1 Main St "), nullptr, TagKnownField, false,
                     TypeMultiLine, false, "ADDRESS", "1 Main St"},
        TemplateCase{"LowerCaseName", catalogue("  qso_date ", "20040229"), nullptr, TagKnownField,
                     false, TypeDate, false, "QSO_DATE", "20040229"},
        TemplateCase{"CatalogueDateRefused", catalogue("QSO_DATE", "20040230"),
                     kDateInitialValueMessage, TagKnownField, false, TypeDate, false, "QSO_DATE",
                     "20040230"},
        TemplateCase{"LotwDate", catalogue("APP_LoTW_LASTQSL", "x"), kDateInitialValueMessage,
                     TagKnownField, false, TypeDate, false, "APP_LOTW_LASTQSL", "x"},
        TemplateCase{"TimeOnChecked", catalogue("TIME_ON", "2460"), kTimeInitialValueMessage,
                     TagKnownField, false, TypeCharacter, true, "TIME_ON", "2460"},
        TemplateCase{"TimeOnPasses", catalogue("time_on", "123059"), nullptr, TagKnownField, false,
                     TypeCharacter, true, "TIME_ON", "123059"},
        TemplateCase{"PrefixTakesTheFirstEntry", catalogue("FREQ_RX", "14"), nullptr, TagKnownField,
                     false, TypeNumber, false, "FREQ_RX", "14"},
        TemplateCase{"CatalogueNumberRefused", catalogue("FREQ", "14.025"),
                     kNumericInitialValueMessage, TagKnownField, false, TypeNumber, false, "FREQ",
                     "14.025"},
        // A name no catalogue entry begins has no type: refused, since such a
        // column would keep the log from ever being exported.
        TemplateCase{"UnknownNameRefused", catalogue("MY_OWN", "abc"), kUnknownCatalogueNameMessage,
                     TagKnownField, false, TypeInvalid, false, "MY_OWN", "abc"},
        TemplateCase{"PrefixOfAnEntryRefused", catalogue("QSO_DAT", ""),
                     kUnknownCatalogueNameMessage, TagKnownField, false, TypeInvalid, false,
                     "QSO_DAT", ""},
        TemplateCase{"EmptyNameIsATimeName", catalogue("", "abc"), kTimeInitialValueMessage,
                     TagKnownField, false, TypeInvalid, true, "", "abc"},
        TemplateCase{"EmptyNameEmptyValue", catalogue("  ", ""), kUnknownCatalogueNameMessage,
                     TagKnownField, false, TypeInvalid, true, "", ""},
        // User columns: type and time flag from the chosen data type.
        TemplateCase{"UserCharacter", user("my field", kCharacter, " x "), nullptr, TagUserField,
                     true, TypeCharacter, false, "MY FIELD", "x"},
        TemplateCase{"UserNumberDecimal", user("N", kNumber, "1.5"), kNumericInitialValueMessage,
                     TagUserField, true, TypeNumber, false, "N", "1.5"},
        TemplateCase{"UserNumberNegative", user("N", kNumber, "-5"), kNumericInitialValueMessage,
                     TagUserField, true, TypeNumber, false, "N", "-5"},
        TemplateCase{"UserNumberPadded", user("N", kNumber, " 5"), kNumericInitialValueMessage,
                     TagUserField, true, TypeNumber, false, "N", "5"},
        TemplateCase{"UserDate", user("D", kDate, " 20040101 "), nullptr, TagUserField, true,
                     TypeDate, false, "D", "20040101"},
        TemplateCase{"UserMemo", user("M", kMemo, "anything"), nullptr, TagUserField, true,
                     TypeMultiLine, false, "M", "anything"},
        TemplateCase{"UserTimePadded", user("T", kTime, " 1200"), kTimeInitialValueMessage,
                     TagUserField, true, TypeCharacter, true, "T", "1200"},
        TemplateCase{"UserTime", user("T", kTime, "2400"), nullptr, TagUserField, true,
                     TypeCharacter, true, "T", "2400"},
        // A user name is not put through the catalogue or the time-name test.
        TemplateCase{"UserNamedTime", user("TIME", kMemo, "x"), nullptr, TagUserField, true,
                     TypeMultiLine, false, "TIME", "x"},
        // No type: the column is a date column until a type is chosen, so a
        // value that is not a date fails that check before the missing type.
        TemplateCase{"UserNoTypeBadDate", user("X", kNoType, "abc"), kDateInitialValueMessage,
                     TagUserField, true, TypeDate, false, "X", "abc"},
        TemplateCase{"UserNoTypeEmpty", user("X", kNoType, ""), kUserTypeMissingMessage,
                     TagUserField, true, TypeDate, false, "X", ""},
        TemplateCase{"UserNoNameBeforeNoType", user("  ", kNoType, ""), kUserNameMissingMessage,
                     TagUserField, true, TypeDate, false, "", ""},
        TemplateCase{"UserOutOfRangeType", user("X", 5, ""), kUserTypeMissingMessage, TagUserField,
                     true, TypeDate, false, "X", ""}),
    [](const ::testing::TestParamInfo<TemplateCase> &info) { return info.param.label; });

TEST(ColumnTemplateMessages, AreTheDialogTexts)
{
    EXPECT_STREQ(kNumericInitialValueMessage,
                 "Numeric initial value required ... \r\n Column will not be added ... ");
    EXPECT_STREQ(kTimeInitialValueMessage,
                 "Time initial value is not valid ... \r\n Column will not be added ...");
    EXPECT_STREQ(kDateInitialValueMessage,
                 "Date initial value is not valid ... \r\n Column will not be added ...");
    EXPECT_STREQ(kUserNameMissingMessage,
                 "Must supply a name for your user defined field. \r\n Column will not be added");
    EXPECT_STREQ(
        kUserTypeMissingMessage,
        "Must supply data-type for user defined type ... \r\n Column will not be added ...");
    EXPECT_STREQ(kUnknownCatalogueNameMessage,
                 "Not a standard column name ... \r\n Use a user defined column for this name. "
                 "\r\n Column will not be added ...");
}

}  // namespace
}  // namespace vaziduvu
