// Which contacts are the same contact logged twice, how groups form, and
// which values a merge keeps.

#include "document/duplicates.h"
#include "document/log_merge.h"
#include "document/open_log.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vaziduvu {
namespace {

struct Contact {
    const char *call, *band, *freq, *mode, *submode, *date, *time;
};

ContactKey keyOf(const Contact &c)
{
    return makeContactKey(c.call, c.band, c.freq, c.mode, c.submode, c.date, c.time);
}

struct PairCase {
    const char *name;
    Contact a;
    Contact b;
    int window;
    bool same;
};

void PrintTo(const PairCase &c, std::ostream *os)
{
    *os << c.name;
}

class SameContact : public ::testing::TestWithParam<PairCase> { };

TEST_P(SameContact, FollowsTheRule)
{
    const PairCase &c = GetParam();
    EXPECT_EQ(sameContact(keyOf(c.a), keyOf(c.b), c.window), c.same);
    EXPECT_EQ(sameContact(keyOf(c.b), keyOf(c.a), c.window), c.same);
}

INSTANTIATE_TEST_SUITE_P(
    Rule, SameContact,
    ::testing::Values(PairCase{"CallTrimmedAndUpperCased",
                               {" w1aw", "20m", "", "CW", "", "20261201", "1200"},
                               {"W1AW ", "20M", "", "cw", "", "20261201", "1203"},
                               5,
                               true},
                      PairCase{"WindowEdgeCounted",
                               {"W1AW", "20M", "", "CW", "", "20261201", "120000"},
                               {"W1AW", "20M", "", "CW", "", "20261201", "120500"},
                               5,
                               true},
                      PairCase{"OneSecondBeyondTheWindow",
                               {"W1AW", "20M", "", "CW", "", "20261201", "120000"},
                               {"W1AW", "20M", "", "CW", "", "20261201", "120501"},
                               5,
                               false},
                      PairCase{"MissingSecondsAreZero",
                               {"W1AW", "20M", "", "CW", "", "20261201", "1200"},
                               {"W1AW", "20M", "", "CW", "", "20261201", "120500"},
                               5,
                               true},
                      PairCase{"MidnightCrossing",
                               {"W1AW", "20M", "", "CW", "", "20261231", "235830"},
                               {"W1AW", "20M", "", "CW", "", "20270101", "000200"},
                               5,
                               true},
                      PairCase{"NextDaySameClock",
                               {"W1AW", "20M", "", "CW", "", "20261201", "1200"},
                               {"W1AW", "20M", "", "CW", "", "20261202", "1200"},
                               5,
                               false},
                      PairCase{"WindowZeroSameMinute",
                               {"W1AW", "20M", "", "CW", "", "20261201", "120001"},
                               {"W1AW", "20M", "", "CW", "", "20261201", "120059"},
                               0,
                               true},
                      PairCase{"WindowZeroNextMinute",
                               {"W1AW", "20M", "", "CW", "", "20261201", "120059"},
                               {"W1AW", "20M", "", "CW", "", "20261201", "120100"},
                               0,
                               false},
                      PairCase{"Ft4IsNotFt8",
                               {"W1AW", "20M", "", "MFSK", "FT4", "20261201", "1200"},
                               {"W1AW", "20M", "", "FT8", "", "20261201", "1200"},
                               5,
                               false},
                      PairCase{"DifferentSubmodes",
                               {"W1AW", "20M", "", "MFSK", "FT4", "20261201", "1200"},
                               {"W1AW", "20M", "", "MFSK", "JS8", "20261201", "1200"},
                               5,
                               false},
                      PairCase{"SubmodeOnOneSideOnly",
                               {"W1AW", "20M", "", "MFSK", "FT4", "20261201", "1200"},
                               {"W1AW", "20M", "", "MFSK", "", "20261201", "1200"},
                               5,
                               true},
                      PairCase{"BandFromFrequency",
                               {"W1AW", "", "14.074", "FT8", "", "20261201", "1200"},
                               {"W1AW", "20m", "", "FT8", "", "20261201", "1200"},
                               5,
                               true},
                      PairCase{"OtherBand",
                               {"W1AW", "", "7.074", "FT8", "", "20261201", "1200"},
                               {"W1AW", "20m", "", "FT8", "", "20261201", "1200"},
                               5,
                               false},
                      PairCase{"NoCall",
                               {"", "20M", "", "CW", "", "20261201", "1200"},
                               {"", "20M", "", "CW", "", "20261201", "1200"},
                               5,
                               false},
                      PairCase{"NoDate",
                               {"W1AW", "20M", "", "CW", "", "", "1200"},
                               {"W1AW", "20M", "", "CW", "", "", "1200"},
                               5,
                               false}));

struct GroupCase {
    const char *name;
    std::vector<Contact> contacts;
    int window;
    std::vector<std::vector<int>> groups;
};

void PrintTo(const GroupCase &c, std::ostream *os)
{
    *os << c.name;
}

class DuplicateGroups : public ::testing::TestWithParam<GroupCase> { };

TEST_P(DuplicateGroups, AreConnectedSets)
{
    std::vector<ContactKey> keys;
    for (const Contact &contact : GetParam().contacts)
        keys.push_back(keyOf(contact));
    std::vector<std::vector<int>> found;
    for (const DuplicateGroup &group : findDuplicateGroups(keys, GetParam().window))
        found.push_back(group.members);
    EXPECT_EQ(found, GetParam().groups);
}

INSTANTIATE_TEST_SUITE_P(
    Groups, DuplicateGroups,
    ::testing::Values(GroupCase{"ChainLongerThanTheWindow",
                                {{"K1A", "40M", "", "CW", "", "20261201", "1200"},
                                 {"K1A", "40M", "", "CW", "", "20261201", "1204"},
                                 {"K1A", "40M", "", "CW", "", "20261201", "1208"},
                                 {"K1A", "40M", "", "CW", "", "20261201", "1220"}},
                                5,
                                {{0, 1, 2}}},
                      GroupCase{"LinkedThroughAContactWithoutSubmode",
                                {{"K1A", "40M", "", "MFSK", "FT4", "20261201", "1200"},
                                 {"K1A", "40M", "", "MFSK", "", "20261201", "1201"},
                                 {"K1A", "40M", "", "MFSK", "JS8", "20261201", "1202"}},
                                5,
                                {{0, 1, 2}}},
                      GroupCase{"OrderedByFirstMemberInFileOrder",
                                {{"K2B", "40M", "", "CW", "", "20261201", "1300"},
                                 {"K1A", "40M", "", "CW", "", "20261201", "1200"},
                                 {"K1A", "40M", "", "CW", "", "20261201", "1201"},
                                 {"K2B", "40M", "", "CW", "", "20261201", "1301"},
                                 {"K1A", "40M", "", "CW", "", "20261201", "1200"}},
                                5,
                                {{0, 3}, {1, 2, 4}}},
                      GroupCase{"NoneAlike",
                                {{"K1A", "40M", "", "CW", "", "20261201", "1200"},
                                 {"K1A", "80M", "", "CW", "", "20261201", "1200"},
                                 {"K1A", "40M", "", "SSB", "", "20261201", "1200"}},
                                5,
                                {}}));

struct KeptCase {
    const char *field;
    std::vector<std::string_view> values;
    int kept;
};

TEST(KeptValue, FirstFilledButAReceivedConfirmationWins)
{
    const KeptCase cases[] = {
        {"NAME", {"", " ", "Bob", "Robert"}, 2},
        {"NAME", {"", ""}, -1},
        {"QSL_RCVD", {"N", "Y"}, 1},
        {"lotw_qsl_rcvd", {"", "R", " y "}, 2},
        {"EQSL_QSL_RCVD", {"Y", "N"}, 0},
        {"DCL_QSL_RCVD", {"N", "I"}, 0},
        {"QSL_SENT", {"N", "Y"}, 0},
    };
    for (const KeptCase &c : cases)
        EXPECT_EQ(keptValueIndex(c.field, c.values), c.kept) << c.field;
}

TEST(Keeper, MostFilledCellsFirstOnATie)
{
    const std::string log = "h<EOH>"
                            "<CALL:3>K1A<QSO_DATE:8>20261201<EOR>"
                            "<CALL:3>K1A<QSO_DATE:8>20261201<NAME:3>Bob<EOR>"
                            "<CALL:3>K1A<QSO_DATE:8>20261201<RST_RCVD:3>599<EOR>";
    const OpenedLog opened = openLogFromBytes(log, AdifMode::Current);
    ASSERT_TRUE(opened);
    EXPECT_EQ(keeperOf(*opened.document, DuplicateGroup{{0, 1, 2}}), 1);
    EXPECT_EQ(keeperOf(*opened.document, DuplicateGroup{{0, 2}}), 2);
}

TEST(MergeLogs, UnitesDuplicatesAcrossLogsInTimeOrder)
{
    const OpenedLog first = openLogFromBytes(
        "h<EOH>"
        "<CALL:3>K1A<QSO_DATE:8>20261202<TIME_ON:4>0900<BAND:3>20M<MODE:2>CW<QSL_RCVD:1>N<EOR>"
        "<CALL:3>K9Z<TIME_ON:4>0800<EOR>"
        "<CALL:3>K2B<QSO_DATE:8>20261201<TIME_ON:4>2359<BAND:3>20M<MODE:2>CW<EOR>",
        AdifMode::Current);
    const OpenedLog second = openLogFromBytes(
        "h<EOH>"
        "<CALL:3>K1A<QSO_DATE:8>20261202<TIME_ON:6>090130<FREQ:6>14.025<MODE:2>CW"
        "<QSL_RCVD:1>Y<NAME:3>Bob<EOR>",
        AdifMode::Current);
    ASSERT_TRUE(first && second);
    const std::vector<const LogDocument *> sources{first.document.get(), second.document.get()};

    const LogMerge merge = mergeLogs(sources, 5, false);
    std::vector<std::string> written;
    for (const MergedContact &contact : merge.contacts) {
        std::string text;
        forEachField(sources, merge, contact, [&](std::string_view name, std::string_view value) {
            text += std::string(name) + "=" + std::string(value) + " ";
        });
        written.push_back(text);
    }
    EXPECT_EQ(written,
              (std::vector<std::string>{
                  "CALL=K2B QSO_DATE=20261201 TIME_ON=2359 BAND=20M MODE=CW ",
                  "CALL=K1A QSO_DATE=20261202 TIME_ON=0900 BAND=20M MODE=CW QSL_RCVD=Y "
                  "FREQ=14.025 NAME=Bob ",
                  "CALL=K9Z TIME_ON=0800 "}));
    EXPECT_EQ(merge.duplicatesMerged, 1);
    ASSERT_EQ(merge.conflicts.size(), 2u);
    EXPECT_EQ(merge.conflicts[0].field, "TIME_ON");
    EXPECT_EQ(merge.conflicts[1].field, "QSL_RCVD");
    EXPECT_EQ(merge.conflicts[1].kept, "Y");
    EXPECT_EQ(merge.conflicts[1].keptFrom.source, 1);

    EXPECT_EQ(mergeLogs(sources, 5, true).contacts.size(), 4u);
}

}  // namespace
}  // namespace vaziduvu
