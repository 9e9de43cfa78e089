#include "adif/value_format.h"

#include <gtest/gtest.h>

#include <string>

namespace vaziduvu {
namespace {

struct FormatCase {
    std::string text;
    bool valid;
};

class DateTextTest : public ::testing::TestWithParam<FormatCase> { };

TEST_P(DateTextTest, ChecksDigitsYearMonthAndDay)
{
    EXPECT_EQ(isValidDateText(GetParam().text, 2099), GetParam().valid);
}

INSTANTIATE_TEST_SUITE_P(
    ValueFormat, DateTextTest,
    ::testing::Values(
        FormatCase{"20040229", true}, FormatCase{"20030229", true}, FormatCase{"20040230", false},
        FormatCase{"20040431", false}, FormatCase{"20041301", false}, FormatCase{"19331231", false},
        FormatCase{"19340101", true}, FormatCase{"20040001", true}, FormatCase{"20041200", true},
        FormatCase{"20041231", true}, FormatCase{"2004-1-1", false}, FormatCase{"2004010", false},
        FormatCase{"200401011", false}, FormatCase{"", false}, FormatCase{"21000101", false}));

TEST(DateText, LatestYearIsInclusive)
{
    EXPECT_TRUE(isValidDateText("20141231", 2014));
    EXPECT_FALSE(isValidDateText("20150101", 2014));
}

class TimeTextTest : public ::testing::TestWithParam<FormatCase> { };

TEST_P(TimeTextTest, ChecksFourOrSixDigits)
{
    EXPECT_EQ(isValidTimeText(GetParam().text), GetParam().valid);
}

INSTANTIATE_TEST_SUITE_P(ValueFormat, TimeTextTest,
                         ::testing::Values(FormatCase{"2400", true}, FormatCase{"000000", true},
                                           FormatCase{"235959", true}, FormatCase{"2460", false},
                                           FormatCase{"2500", false}, FormatCase{"123", false},
                                           FormatCase{"12345", false}, FormatCase{"1200 ", false},
                                           FormatCase{"120060", false}, FormatCase{"12:0", false},
                                           FormatCase{"", false}));

}  // namespace
}  // namespace vaziduvu
