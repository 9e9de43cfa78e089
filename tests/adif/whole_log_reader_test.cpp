#include "adif/adif_file.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vaziduvu {
namespace {

using test::repeatText;

// Stops at the given call (1 = the first); records every report.
class StoppingProgress : public Progress {
public:
    explicit StoppingProgress(int stopAtCall)
        : stopAtCall_(stopAtCall)
    {
    }
    bool advance(int64_t done, int64_t total) override
    {
        reports.push_back({done, total});
        return static_cast<int>(reports.size()) != stopAtCall_;
    }
    std::vector<std::pair<int64_t, int64_t>> reports;

private:
    int stopAtCall_;
};

// ---------------------------------------------------------------------------
// The Classic ceilings hold in the Classic mode only.

struct CeilingCase {
    const char *name;
    std::string input;
    AdifMode mode;
    ParseStatus status;
    int records;
    int storedTags;  // checked for an accepted file
};

void PrintTo(const CeilingCase &c, std::ostream *os)
{
    *os << c.name;
}

class CeilingTest : public ::testing::TestWithParam<CeilingCase> { };

TEST_P(CeilingTest, HoldsInTheClassicModeOnly)
{
    const CeilingCase &c = GetParam();
    AdifFile file;
    file.setMode(c.mode);
    ASSERT_TRUE(file.loadFromBytes(c.input));
    EXPECT_EQ(int(file.result().status), int(c.status));
    EXPECT_EQ(file.recordCount(), c.records);
    if (file.result()) {
        EXPECT_EQ(file.storedTagCount(), c.storedTags);
    }
}

const std::string kManyRecords = repeatText("<CALL:1>A<EOR>", AdifFile::kRecordLimit + 1);
const std::string kManyTags = repeatText("<A:1>x", AdifFile::kTagLimit) + "<EOR>";

INSTANTIATE_TEST_SUITE_P(
    WholeLogs, CeilingTest,
    ::testing::Values(
        CeilingCase{"ClassicRefusesRecords", kManyRecords, AdifMode::Classic, ParseStatus::TooBig,
                    AdifFile::kRecordLimit + 1, 0},
        CeilingCase{"CurrentReadsRecords", kManyRecords, AdifMode::Current, ParseStatus::Ok,
                    AdifFile::kRecordLimit + 1, 2 * (AdifFile::kRecordLimit + 1)},
        CeilingCase{"ClassicRefusesTags", kManyTags, AdifMode::Classic, ParseStatus::TooBig, 0, 0},
        CeilingCase{"CurrentReadsTags", kManyTags, AdifMode::Current, ParseStatus::Ok, 1,
                    AdifFile::kTagLimit + 1}),
    [](const auto &info) { return std::string(info.param.name); });

// A stored tag packs its fields; what does not fit is kept aside, and every
// tag unpacks to exactly what was stored.
TEST(WholeLogReader, StoredTagsUnpackToWhatWasStored)
{
    struct Case {
        int32_t offset, value, comment, declared, name;
        uint16_t tagLength;
        int ownType;      // -1: none, the name's type
        bool opensBlock;  // the first tag of its block
        bool packs;
    };
    const std::vector<Case> cases = {
        {10, 4, 0, 4, 0, 12, -1, false, true},                     // fits
        {10, 3, 2, 0, -1, 5, -1, false, true},                     // a marker
        {10, 5, 0, 7, 2, 14, -1, false, true},                     // declared 7, five read
        {10, 5, 0, 3, 2, 14, -1, false, false},                    // declared 3, five read
        {10, 5, 0, 13, 2, 14, -1, false, false},                   // declared 13, five read
        {(1 << 20) - 1, 2047, 63, 2054, 1, 255, -1, false, true},  // the largest that fit
        {10, 2048, 0, 2048, 1, 20, -1, false, false},              // a value too long
        {10, 2, 64, 2, 1, 20, -1, false, false},                   // a comment too long
        {10, 2, 0, 2, 1, 256, -1, false, false},                   // a tag too long
        {10, 8, 0, 8, 0, 14, TypeNumber, false, false},            // a type of its own
        {10, 8, 0, 8, 0, 14, TypeDate, false, true},               // its name's type given
        {10, 1, 1, 1, 2046, 14, -1, false, true},                  // the last name that fits
        {10, 1, 1, 1, 2047, 14, -1, false, false},                 // a name beyond
        {1 << 20, 1, 0, 1, 2, 9, -1, false, false},                // far from its block's start
        {1 << 30, 1, 0, 1, 2, 9, -1, true, true},                  // far, opening its block
        {10, 1, 0, 1, 2, 0, -1, false, false},                     // a failed tag
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        const Case &c = cases[i];
        LoadedText text;
        // Name 0 a known date field, name 1 a time field, the rest user fields.
        text.nameFacts.resize(2100);
        text.nameFacts[0] = {true, false, TypeDate, TypeDate};
        text.nameFacts[1] = {true, true, TypeTime, TypeTime};
        TagFields tag;
        tag.tagOffset = c.offset;
        tag.valueLength = c.value;
        tag.commentLength = c.comment;
        tag.declaredLength = c.declared;
        tag.nameIndex = c.name;
        tag.tagLength = c.tagLength;
        tag.hasLength = c.name >= 0;
        tag.hasType = c.ownType >= 0;
        if (c.name < 0) {
            tag.kind = TagEndOfRecord;
            tag.dataType = TypeMarker;
        } else {
            const NameFacts &name = text.nameFacts[static_cast<size_t>(c.name)];
            tag.kind = c.tagLength == 0 ? TagNone : name.known ? TagKnownField : TagUserField;
            tag.isTimeOn = name.isTimeOn;
            tag.dataType = c.ownType >= 0 ? static_cast<uint8_t>(c.ownType) : name.typeWithLength;
        }
        // A marker at the start of the block first, unless the tag opens one.
        TagFields opening;
        opening.tagOffset = 0;
        opening.tagLength = 5;
        opening.kind = TagEndOfRecord;
        opening.dataType = TypeMarker;
        if (!c.opensBlock)
            text.push(opening);
        text.push(tag);
        const size_t at = text.tags.size() - 1;
        EXPECT_EQ(text.tags[at].hasExtra(), !c.packs) << "case " << i;
        const TagFields back = text.fields(at);
        EXPECT_EQ(
            std::vector<int64_t>({back.tagOffset, back.valueLength, back.commentLength,
                                  back.declaredLength, back.nameIndex, back.tagLength, back.kind,
                                  back.dataType, back.hasLength, back.hasType, back.isTimeOn}),
            std::vector<int64_t>({tag.tagOffset, tag.valueLength, tag.commentLength,
                                  tag.declaredLength, tag.nameIndex, tag.tagLength, tag.kind,
                                  tag.dataType, tag.hasLength, tag.hasType, tag.isTimeOn}))
            << "case " << i;
        // The value straight from the stored form is the one the fields give.
        if (tag.tagLength != 0 && tag.valueOffset() + tag.valueLength < 4096) {
            for (int b = 0; b < 4096; ++b)
                text.source.push_back(static_cast<char>('a' + b % 26));
            EXPECT_EQ(text.valueAt(at), text.valueOf(back)) << "case " << i;
        }
    }
}

TEST(WholeLogReader, CurrentModeKeepsValuesBeyondTheClassicCeiling)
{
    AdifFile file;
    file.setMode(AdifMode::Current);
    ASSERT_TRUE(file.loadFromBytes(repeatText("<CALL:4>W1AW<EOR>", 5000) + "<CALL:4>ZZ9Z<EOR>"));
    ASSERT_TRUE(file.result());
    const TagRecord last = file.tagAt(file.storedTagCount() - 2);
    EXPECT_EQ(last.value, "ZZ9Z");
    EXPECT_EQ(last.rawTag, "<CALL:4>");
    EXPECT_EQ(last.valueOffset, 5000 * 17 + 8);
}

// ---------------------------------------------------------------------------
// Stopping a load.

struct CancelCase {
    const char *name;
    int stopAtCall;
    int bytes;  // size of the log, about
};

void PrintTo(const CancelCase &c, std::ostream *os)
{
    *os << c.name;
}

class CancelTest : public ::testing::TestWithParam<CancelCase> { };

TEST_P(CancelTest, KeepsNothingAndSaysSo)
{
    const CancelCase &c = GetParam();
    const std::string log = "h<EOH>" + repeatText("<CALL:4>W1AW <MODE:2>CW<EOR>\r\n", c.bytes / 30);
    StoppingProgress progress(c.stopAtCall);
    AdifFile file;
    ASSERT_TRUE(file.loadFromBytes(log, &progress));
    EXPECT_EQ(int(file.result().status), int(ParseStatus::Cancelled));
    EXPECT_EQ(file.result().position, 0);
    EXPECT_EQ(file.storedTagCount(), 0);
    EXPECT_EQ(file.fieldCount(), 0);
    EXPECT_EQ(file.recordCount(), 0);
    EXPECT_EQ(file.contactCount(), 0);
    EXPECT_EQ(static_cast<int>(progress.reports.size()), c.stopAtCall);
}

INSTANTIATE_TEST_SUITE_P(WholeLogs, CancelTest,
                         ::testing::Values(CancelCase{"AtOnce", 1, 100},
                                           CancelCase{"DuringTheScan", 2, 300000},
                                           CancelCase{"AtTheEnd", 2, 100}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(WholeLogReader, ProgressRunsFromZeroToTheWholeText)
{
    const std::string log = repeatText("<CALL:4>W1AW <MODE:2>CW<EOR>\r\n", 4000);
    StoppingProgress progress(0);
    AdifFile file;
    ASSERT_TRUE(file.loadFromBytes(log, &progress));
    ASSERT_TRUE(file.result());
    ASSERT_GE(progress.reports.size(), 3u);
    EXPECT_EQ(progress.reports.front().first, 0);
    EXPECT_EQ(progress.reports.back().first, static_cast<int64_t>(log.size()));
    for (size_t i = 1; i < progress.reports.size(); ++i) {
        EXPECT_LT(progress.reports[i - 1].first, progress.reports[i].first);
        EXPECT_EQ(progress.reports[i].second, static_cast<int64_t>(log.size()));
    }
}

TEST(WholeLogReader, CancelledOutcomeIsReported)
{
    EXPECT_STREQ(outcomeName(ParseStatus::Cancelled), "ParseCancelled");
    EXPECT_EQ(outcomeReportText(ParseStatus::Cancelled, 0),
              "Loading was cancelled: nothing was loaded.");
    EXPECT_EQ(static_cast<int>(ParseStatus::Cancelled), 14);
}

}  // namespace
}  // namespace vaziduvu
