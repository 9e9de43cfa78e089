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
// tag unpacks to exactly what was stored, in any order of the two kinds.
TEST(WholeLogReader, StoredTagsUnpackToWhatWasStored)
{
    auto fieldsOf = [](int32_t offset, int32_t value, int32_t comment, int32_t declared,
                       int32_t name, bool hasLength) {
        TagFields tag;
        tag.tagOffset = offset;
        tag.valueLength = value;
        tag.commentLength = comment;
        tag.declaredLength = declared;
        tag.nameIndex = name;
        tag.tagLength = 1000;
        tag.kind = name < 0 ? TagEndOfRecord : TagUserField;
        tag.dataType = 8;
        tag.hasLength = hasLength;
        tag.hasType = true;
        tag.isTimeOn = true;
        return tag;
    };
    const std::vector<TagFields> tags = {
        fieldsOf(0, 4, 0, 4, 0, true),                       // fits
        fieldsOf(2147482000, 2147, 1 << 20, 2147, 1, true),  // a comment of a megabyte
        fieldsOf(10, 3, 2, 0, -1, false),                    // fits: a marker without length
        fieldsOf(20, 5, 0, 7, 2, true),                      // fits: declared 7, five read
        fieldsOf(50, 5, 0, 21, 2, true),                     // declared 21, five read
        fieldsOf(60, 5, 0, 3, 2, true),                      // declared 3, five read
        fieldsOf(30, 0, 0, 0, (1 << 21) - 1, false),         // a name beyond two million
        fieldsOf(40, 1, 1, 1, (1 << 21) - 2, true),          // the last name that fits
    };
    LoadedText text;
    for (const TagFields &tag : tags)
        text.push(tag);
    EXPECT_EQ(text.extras.size(), 4u);
    for (size_t i = 0; i < tags.size(); ++i) {
        const TagFields back = text.fields(i);
        const TagFields &want = tags[i];
        EXPECT_EQ(
            std::vector<int64_t>({back.tagOffset, back.valueLength, back.commentLength,
                                  back.declaredLength, back.nameIndex, back.tagLength, back.kind,
                                  back.dataType, back.hasLength, back.hasType, back.isTimeOn}),
            std::vector<int64_t>({want.tagOffset, want.valueLength, want.commentLength,
                                  want.declaredLength, want.nameIndex, want.tagLength, want.kind,
                                  want.dataType, want.hasLength, want.hasType, want.isTimeOn}))
            << "tag " << i;
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
