#include "adif/adif_batch_reader.h"
#include "batched_read_check.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace vaziduvu {
namespace {

using test::repeatText;

// Batches of one and three records, in windows of 16 bytes (every boundary
// falls somewhere) and of a megabyte.
struct Slicing {
    int records;
    size_t chunk;
};
const Slicing kSlicings[] = {{1, 16}, {3, 16}, {3, 37}, {1, 1 << 20}, {1000, 16}};

void expectSameAsWholeLoad(const std::string &bytes)
{
    for (const AdifMode mode : {AdifMode::Classic, AdifMode::Current}) {
        for (const Slicing &slicing : kSlicings) {
            EXPECT_EQ(batchedReadDifference(bytes, mode, slicing.records, slicing.chunk), "")
                << (mode == AdifMode::Current ? "Current" : "Classic") << ", batches of "
                << slicing.records << ", windows of " << slicing.chunk;
        }
    }
}

// Every fixture and every example log.
class BatchedFileTest : public ::testing::TestWithParam<std::string> { };

TEST_P(BatchedFileTest, ReadsWhatTheWholeLoadReads)
{
    expectSameAsWholeLoad(test::readBytes(GetParam()));
}

std::vector<std::string> logFiles()
{
    std::vector<std::string> paths;
    for (const char *folder : {TEST_DATA_DIR, EXAMPLES_DIR}) {
        for (const auto &entry : std::filesystem::directory_iterator(folder)) {
            if (entry.is_regular_file())
                paths.push_back(entry.path().string());
        }
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

std::string fileCaseName(const ::testing::TestParamInfo<std::string> &info)
{
    std::string name = std::filesystem::path(info.param).filename().string();
    for (char &c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    }
    return name + "_" + std::to_string(info.index);
}

INSTANTIATE_TEST_SUITE_P(Files, BatchedFileTest, ::testing::ValuesIn(logFiles()), fileCaseName);

// Texts whose outcome is decided far from where the batches are.
struct TextCase {
    const char *name;
    std::string text;
};

void PrintTo(const TextCase &c, std::ostream *os)
{
    *os << c.name;
}

class BatchedTextTest : public ::testing::TestWithParam<TextCase> { };

TEST_P(BatchedTextTest, ReadsWhatTheWholeLoadReads)
{
    expectSameAsWholeLoad(GetParam().text);
}

const std::string kRecords = repeatText("<CALL:4>W1AW <QSO_DATE:8>20240101 note\r\n<EOR>\r\n", 40);

// Records in a mostly steady field order whose tags vary in all a whole load
// reads the quick way or not: names whose "<NAME:" takes 15 to 17 bytes,
// values of 0 to 17 bytes, lengths in one to three digits or running into
// the next tag, blanks, notes or other bytes after a value, markers in either
// case with or without a note; with `brackets`, now and then a pair of
// brackets in a value.
std::string variedRecords(bool brackets)
{
    const char *const names[] = {"CALL", "THIRTEEN_BYTE", "FOURTEEN_BYTES", "FIFTEEN_BYTES_X", "N"};
    const char *const after[] = {"", " ", "\r\n", "\t \n", " note ", "\x80", "\x7F "};
    uint32_t seed = 7;
    auto next = [&seed](uint32_t range) {
        seed = seed * 1664525u + 1013904223u;
        return (seed >> 8) % range;
    };
    std::string text = "h<EOH>";
    for (int record = 0; record < 300; ++record) {
        for (const char *name : names) {
            if (next(40) == 0)
                continue;  // a field missing now and then
            const uint32_t length = next(10) == 0 ? 16 + next(2) : next(8) == 0 ? 0 : 1 + next(15);
            std::string value(length, static_cast<char>('a' + record % 26));
            if (brackets && length >= 3 && next(30) == 0)
                value.replace(next(length - 2), 3, "<b>");
            std::string digits = std::to_string(next(25) == 0 ? length + 3 : length);
            if (next(20) == 0)
                digits = (next(2) == 0 ? "0" : "00") + digits;
            text += std::string("<") + (record % 50 == 7 ? "call" : name) + ":" + digits + ">"
                + value + after[next(12) < 6 ? 1 : next(7)];
        }
        text += std::string(next(9) == 0 ? "<eor>" : "<EOR>") + (next(15) == 0 ? " n " : "\r\n");
    }
    return text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, BatchedTextTest,
    ::testing::Values(
        TextCase{"Clean", "h<EOH>" + kRecords}, TextCase{"NoHeaderTagsFirst", kRecords},
        TextCase{"Empty", ""}, TextCase{"OnlyAHeader", "header <PROGRAMID:3>abc <EOH>"},
        TextCase{"BracketMismatchAtTheEnd", "h<EOH>" + kRecords + "<CALL:1>A>"},
        TextCase{"BracketMismatchAfterABadLength",
                 "h<EOH><CALL:x>A<EOR>" + kRecords + "<CALL:1>A>"},
        TextCase{"BracketMismatchAfterTheEndOfFileMarker",
                 "h<EOH>" + kRecords + "<APP_LOTW_EOF> a > b"},
        TextCase{"OpeningInsideATag", "h<EOH>" + kRecords + "<CA<LL:1>A<EOR>"},
        TextCase{"ClosingBeforeTheFirstTag", "h<EOH> > " + kRecords},
        TextCase{"HeaderTagsWithLengths", "<PROGRAMID:3>abc<EOH>" + kRecords},
        TextCase{"HeaderValueReachingPastItsEnd", "h <NOTE:12>ab<EOH><CALL:1>A<EOR>"},
        TextCase{"ZeroByteAtTheEnd", "h<EOH>" + kRecords + std::string(1, '\0')},
        TextCase{"HeaderMarkerLate", kRecords + "<EOH>"},
        TextCase{"BadLengthLate", "h<EOH>" + kRecords + "<CALL:x>A<EOR>"},
        TextCase{"BadTypeLate", "h<EOH>" + kRecords + "<MY:1:Q>A<EOR>"},
        TextCase{"EmptyBracketsLate", "h<EOH>" + kRecords + "<>"},
        TextCase{"RecordWithoutMarker", "h<EOH>" + kRecords + "<CALL:2>K1 trailing"},
        TextCase{"EndOfFileMarker", "h<EOH>" + kRecords + "<APP_LoTW_EOF> <CALL:1>A<EOR>"},
        TextCase{"TagWithoutClose", "h<EOH>" + std::string(3000, 'x') + "<CALL" + kRecords},
        TextCase{"LongValue", "h<EOH><NOTES:5000>" + std::string(5000, 'n') + "<EOR>" + kRecords},
        TextCase{"BracketsInsideDelimitedValues",
                 "h<EOH>" + repeatText("<NOTES:7>a<b>c>d <CALL:4>W1AW<EOR>\n", 30)},
        TextCase{"LengthRunningIntoTheNextTag",
                 "h<EOH>" + repeatText("<NOTES:40>short<CALL:4>W1AW<EOR>\n", 30)},
        TextCase{"LoneLineFeedsCountedTwice", "h<EOH>" + repeatText("<NOTES:6>a\nb\nc<EOR>\n", 30)},
        TextCase{"Utf8CountedInCharacters",
                 "h<EOH>" + repeatText("<NAME:4>J\xC3\xBCrg <EOR>\n", 30)},
        TextCase{"ByteOrderMark", "\xEF\xBB\xBFh<EOH>" + kRecords},
        TextCase{"VariedRecords", variedRecords(false)},
        TextCase{"VariedRecordsWithBrackets", variedRecords(true)},
        TextCase{"ClassicRecordLimit", "h<EOH>" + repeatText("<A:1>x<EOR>", 4002)},
        TextCase{"ClassicTagLimit", repeatText("<A:1>x", 196050) + "<EOR>"}),
    [](const ::testing::TestParamInfo<TextCase> &info) { return std::string(info.param.name); });

// A file read from the disk gives the same as the same bytes in memory.
TEST(BatchReaderFile, ReadsAFileAsItsBytes)
{
    const std::string path = std::string(EXAMPLES_DIR) + "/clean-with-header.adi";
    AdifFile whole;
    ASSERT_TRUE(whole.load(path));
    AdifBatchReader batched;
    batched.setChunkSize(16);
    ASSERT_TRUE(batched.open(path));
    int tags = 0;
    while (batched.next(1))
        tags += batched.file().storedTagCount();
    EXPECT_EQ(tags, whole.storedTagCount());
    EXPECT_EQ(batched.file().recordCount(), whole.recordCount());
    EXPECT_EQ(batched.file().result().status, ParseStatus::Ok);
}

TEST(BatchReaderFile, MissingFileReadsAsEmpty)
{
    AdifBatchReader batched;
    ASSERT_TRUE(batched.open(test::dataPath("no-such-file.adi")));
    EXPECT_FALSE(batched.next(1));
    EXPECT_EQ(batched.file().result().status, ParseStatus::NoHeader);
}

}  // namespace
}  // namespace vaziduvu
