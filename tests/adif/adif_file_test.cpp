#include "adif/adif_file.h"
#include "adif/text.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#define VAZIDUVU_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VAZIDUVU_ADDRESS_SANITIZER 1
#endif
#endif

namespace vaziduvu {
namespace {

using test::dataPath;
using test::repeatText;

// ---------------------------------------------------------------------------
// Outcome code, position and length of whole inputs.

struct OutcomeCase {
    const char *name;
    std::string input;
    ParseStatus code;
    int32_t position;
    int32_t length;
};

void PrintTo(const OutcomeCase &c, std::ostream *os)
{
    *os << c.name;
}

class ParseOutcomeTest : public ::testing::TestWithParam<OutcomeCase> { };

TEST_P(ParseOutcomeTest, EndsWithCodePositionAndLength)
{
    const OutcomeCase &c = GetParam();
    AdifFile file;
    ASSERT_TRUE(file.loadFromBytes(c.input));
    EXPECT_EQ(int(file.result().status), int(c.code)) << outcomeName(file.result().status);
    EXPECT_EQ(file.result().position, c.position);
    EXPECT_EQ(file.result().length, c.length);
}

const std::string kLongOpenTag = "<" + std::string(1200, 'x') + ">";

INSTANTIATE_TEST_SUITE_P(
    Reader, ParseOutcomeTest,
    ::testing::Values(
        OutcomeCase{"EmptyText", "", ParseStatus::NoHeader, 0, 0},
        OutcomeCase{"BlankFirstWithoutHeaderMarker", " <CALL:1>A<EOR>", ParseStatus::NoHeader, 0,
                    0},
        OutcomeCase{"LineBreakFirstWithoutHeaderMarker", "\r\n<CALL:1>A<EOR>",
                    ParseStatus::NoHeader, 0, 0},
        OutcomeCase{"TextWithoutAnyTag", "just some words", ParseStatus::NoHeader, 0, 0},
        OutcomeCase{"HeaderThenData", "hdr<EOH><CALL:1>A<EOR>", ParseStatus::Ok, 0, 0},
        OutcomeCase{"LowerCaseHeaderMarker", "hdr<eoh><CALL:1>A<eor>", ParseStatus::Ok, 0, 0},
        OutcomeCase{"NoHeaderAllData", "<CALL:1>A<EOR>", ParseStatus::Ok, 0, 0},
        OutcomeCase{"StartBracketAndHeaderMarkerAtEnd", "<CALL:1>A<EOR><EOH>",
                    ParseStatus::BracketMismatch, 1, 15},
        OutcomeCase{"StartBracketAndLowerCaseHeaderMarker", "<eoh>", ParseStatus::BracketMismatch,
                    1, 15},
        OutcomeCase{"HeaderWithBalancedBrackets", "Log <version 1> export<EOH><CALL:1>A<EOR>",
                    ParseStatus::Ok, 0, 0},
        OutcomeCase{"HeaderWithLoneLeftBracket", "a < b<EOH><CALL:1>A<EOR>",
                    ParseStatus::BracketMismatch, 2, 4},
        OutcomeCase{"DoubleRightBracketAfterHeader", "x<EOH>>", ParseStatus::BracketMismatch, 5, 2},
        OutcomeCase{"LeftBracketInsideValue", "<COMMENT:3>a<b<EOR>", ParseStatus::BracketMismatch,
                    12, 3},
        OutcomeCase{"RightBracketInsideValue", "<COMMENT:3>a>b<EOR>", ParseStatus::BracketMismatch,
                    10, 3},
        OutcomeCase{"EmptyBracketsAfterHeader", "x<EOH><>", ParseStatus::EmptyBrackets, 7, 2},
        OutcomeCase{"EmptyBracketsAtStart", "<>", ParseStatus::EmptyBrackets, 1, 2},
        OutcomeCase{"EmptyLength", "<CALL:>", ParseStatus::BadLength, 0, 7},
        OutcomeCase{"LetterLength", "<CALL:x>", ParseStatus::BadLength, 0, 8},
        OutcomeCase{"NegativeLengthWithType", "<CALL:-4:C>", ParseStatus::BadLength, 0, 11},
        OutcomeCase{"LengthBlankPadded", "<CALL: 4>W1AW", ParseStatus::BadLength, 0, 9},
        OutcomeCase{"LengthOneAboveInt32", "<CALL:2147483648>A", ParseStatus::BadLength, 0, 17},
        OutcomeCase{"LengthOfTwentyDigits", "<CALL:99999999999999999999>A", ParseStatus::BadLength,
                    0, 27},
        OutcomeCase{"LengthInt32Max", "<CALL:2147483647>A<EOR>", ParseStatus::Ok, 0, 0},
        OutcomeCase{"LengthCheckedBeforeType", "<CALL:x:Q>", ParseStatus::BadLength, 0, 10},
        OutcomeCase{"EmptyTypeSpecifier", "<CALL:4:>", ParseStatus::BadType, 0, 9},
        OutcomeCase{"UnknownTypeLetter", "<CALL:4:X>", ParseStatus::BadType, 0, 10},
        OutcomeCase{"LowerCaseTypeLetter", "<CALL:4:c>W1AW<EOR>", ParseStatus::Ok, 0, 0},
        OutcomeCase{"MissingNameWithLength", "<:4>", ParseStatus::MissingName, 0, 4},
        OutcomeCase{"MissingNameBeforeBadLength", "<:x>", ParseStatus::MissingName, 0, 4},
        OutcomeCase{"ErrorPositionCountsHeaderBytes", "hdr\r\n<EOH>\r\n<CALL:1>A<EOR>\r\n<:1>B",
                    ParseStatus::MissingName, 28, 4},
        OutcomeCase{"EndOfFileMarkerStopsReading", "<CALL:1>A<EOR><APP_LOTW_EOF><:x><CALL:y>",
                    ParseStatus::Ok, 0, 0},
        OutcomeCase{"LowerCaseEndOfFileMarker", "<CALL:1>A<EOR><app_lotw_eof><>", ParseStatus::Ok,
                    0, 0},
        OutcomeCase{"BracketCheckCoversTextAfterEndOfFile", "<APP_LOTW_EOF> << ",
                    ParseStatus::BracketMismatch, 15, 2},
        OutcomeCase{"EndOfFileMarkerWithLengthIsAField", "<APP_LoTW_EOF:1>Y<:x>",
                    ParseStatus::MissingName, 17, 4},
        OutcomeCase{"TagLongerThanScanWindowIsDropped", kLongOpenTag + "<CALL:1>A<EOR>",
                    ParseStatus::Ok, 0, 0},
        OutcomeCase{"LeftBracketAtEndIsDropped", "<CALL:1>A<EOR><", ParseStatus::Ok, 0, 0},
        OutcomeCase{"DataAfterLastTagIsDropped", "<CALL:1>A<EOR>trailing", ParseStatus::Ok, 0, 0}),
    [](const ::testing::TestParamInfo<OutcomeCase> &info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// Contents of one stored tag.

struct TagCase {
    const char *name;
    std::string input;
    int slot;
    uint8_t kind;
    bool hasLength;
    int32_t declaredLength;
    bool hasType;
    uint8_t dataType;
    bool isTimeOn;
    std::string tagName;
    std::string value;
    std::string comment;
    std::string rawTag;
};

void PrintTo(const TagCase &c, std::ostream *os)
{
    *os << c.name;
}

class StoredTagTest : public ::testing::TestWithParam<TagCase> { };

TEST_P(StoredTagTest, HoldsParseResults)
{
    const TagCase &c = GetParam();
    AdifFile file;
    ASSERT_TRUE(file.loadFromBytes(c.input));
    ASSERT_LT(c.slot, file.storedTagCount());
    const TagRecord &tag = file.tagAt(c.slot);
    EXPECT_EQ(int(tag.kind), int(c.kind));
    EXPECT_EQ(tag.hasLength, c.hasLength);
    EXPECT_EQ(tag.declaredLength, c.declaredLength);
    EXPECT_EQ(tag.hasType, c.hasType);
    EXPECT_EQ(int(tag.dataType), int(c.dataType));
    EXPECT_EQ(tag.isTimeOn, c.isTimeOn);
    EXPECT_EQ(tag.name, c.tagName);
    EXPECT_EQ(tag.value, c.value);
    EXPECT_EQ(tag.comment, c.comment);
    EXPECT_EQ(tag.rawTag, c.rawTag);
}

INSTANTIATE_TEST_SUITE_P(
    Reader, StoredTagTest,
    ::testing::Values(
        TagCase{"ValueShorterThanDeclared", "<CALL:6>W1AW<EOR>", 0, TagKnownField, true, 6, false,
                3, false, "CALL", "W1AW", "", "<CALL:6>"},
        TagCase{"LineBreakAfterValueIsComment", "<CALL:4>W1AW\r\n<EOR>", 0, TagKnownField, true, 4,
                false, 3, false, "CALL", "W1AW", "\r\n", "<CALL:4>"},
        TagCase{"TextAfterEndOfRecordIsItsValue", "<CALL:4>W1AW<EOR>\r\nnext\r\n<CALL:1>B", 1,
                TagEndOfRecord, false, 0, false, 8, false, "", "\r\nnext\r\n", "", "<EOR>"},
        TagCase{"NoLengthKeepsBlanksAndLineBreaks", "<CALL>W1AW \n<EOR>", 0, TagKnownField, false,
                0, false, 3, false, "CALL", "W1AW \n", "", "<CALL>"},
        TagCase{"ZeroLengthMovesDataToComment", "<CALL:0>W1AW<EOR>", 0, TagKnownField, true, 0,
                false, 3, false, "CALL", "", "W1AW", "<CALL:0>"},
        TagCase{"DataBeyondLengthIsComment", "<CALL:2>W1AW<EOR>", 0, TagKnownField, true, 2, false,
                3, false, "CALL", "W1", "AW", "<CALL:2>"},
        TagCase{"NoDataBetweenTags", "<CALL:4><EOR>", 0, TagKnownField, true, 4, false, 3, false,
                "CALL", "", "", "<CALL:4>"},
        // The last field of a record without its end-of-record marker keeps its data.
        TagCase{"LastTagKeepsItsData", "<CALL:1>A<EOR><CALL:4>W1AWx\r\n", 2, TagKnownField, true, 4,
                false, 3, false, "CALL", "W1AW", "x\r\n", "<CALL:4>"},
        TagCase{"LeadingPartOfCatalogueName", "<CA:2>ab<EOR>", 0, TagKnownField, true, 2, false, 3,
                false, "CA", "ab", "", "<CA:2>"},
        TagCase{"ShortenedNameWithoutLengthHasNoType", "<CAL>ab<EOR>", 0, TagKnownField, false, 0,
                false, 6, false, "CAL", "ab", "", "<CAL>"},
        TagCase{"UserField", "<MY_FIELD:3>abc<EOR>", 0, TagUserField, true, 3, false, 3, false,
                "MY_FIELD", "abc", "", "<MY_FIELD:3>"},
        TagCase{"UserFieldWithoutLength", "<my_field>abc<EOR>", 0, TagUserField, false, 0, false, 3,
                false, "MY_FIELD", "abc", "", "<my_field>"},
        TagCase{"BlankAfterLeftBracketIsUserField", "< CALL:4>W1AW<EOR>", 0, TagUserField, true, 4,
                false, 3, false, " CALL", "W1AW", "", "< CALL:4>"},
        TagCase{"TypeSpecifierReplacesCatalogueType", "<qso_date:8:n>20040101<EOR>", 0,
                TagKnownField, true, 8, true, 4, false, "QSO_DATE", "20040101", "",
                "<qso_date:8:n>"},
        TagCase{"UserFieldWithDateType", "<MY_DAY:8:D>20040101<EOR>", 0, TagUserField, true, 8,
                true, 0, false, "MY_DAY", "20040101", "", "<MY_DAY:8:D>"},
        TagCase{"TypeLetterOnlyFirstCharacterCounts", "<X:1:Tx>1<EOR>", 0, TagUserField, true, 1,
                true, 1, false, "X", "1", "", "<X:1:Tx>"},
        TagCase{"DateFromCatalogue", "<QSO_DATE:8>20040101<EOR>", 0, TagKnownField, true, 8, false,
                0, false, "QSO_DATE", "20040101", "", "<QSO_DATE:8>"},
        TagCase{"MultiLineFromCatalogue", "<NOTES:5>ab<EOR>", 0, TagKnownField, true, 5, false, 2,
                false, "NOTES", "ab", "", "<NOTES:5>"},
        TagCase{"NumberFromPrefixWithoutLength", "<FREQ_RX>14.1<EOR>", 0, TagKnownField, false, 0,
                false, 4, false, "FREQ_RX", "14.1", "", "<FREQ_RX>"},
        TagCase{"MixedCaseCatalogueNameMatches", "<App_LoTW_LastQsl:8>20040101<EOR>", 0,
                TagKnownField, true, 8, false, 0, false, "APP_LOTW_LASTQSL", "20040101", "",
                "<App_LoTW_LastQsl:8>"},
        TagCase{"EndOfFileNameWithLengthIsAField", "<APP_LoTW_EOF:1>Y<EOR>", 0, TagKnownField, true,
                1, false, 3, false, "APP_LOTW_EOF", "Y", "", "<APP_LoTW_EOF:1>"},
        TagCase{"TimeOn", "<TIME_ON:4>1200<EOR>", 0, TagKnownField, true, 4, false, 3, true,
                "TIME_ON", "1200", "", "<TIME_ON:4>"},
        TagCase{"TimeOff", "<time_off:4>1200<EOR>", 0, TagKnownField, true, 4, false, 3, true,
                "TIME_OFF", "1200", "", "<time_off:4>"},
        TagCase{"TimeOnPrefixUserField", "<TIME_ONX:4>1200<EOR>", 0, TagUserField, true, 4, false,
                3, true, "TIME_ONX", "1200", "", "<TIME_ONX:4>"},
        TagCase{"TimeIsNotATimeField", "<TIME:4>1200<EOR>", 0, TagKnownField, true, 4, false, 3,
                false, "TIME", "1200", "", "<TIME:4>"},
        TagCase{"EndOfRecordAnyCase", "<CALL:1>A<eOr>", 1, TagEndOfRecord, false, 0, false, 8,
                false, "", "", "", "<eOr>"},
        TagCase{"EndOfRecordWithLengthIsAUserField", "<EOR:1>x<EOR>", 0, TagUserField, true, 1,
                false, 3, false, "EOR", "x", "", "<EOR:1>"},
        TagCase{"EndOfFileMarkerSlot", "<CALL:1>A<EOR><App_LoTW_Eof>after", 2, TagEndOfFile, false,
                0, false, 8, false, "", "", "", "<App_LoTW_Eof>"},
        TagCase{"FailedTagStoredAsNone", "<CALL:1>A<MODE:x>CW", 1, TagNone, true, 0, false, 3,
                false, "MODE", "", "", ""},
        TagCase{"Latin1BytesKept", "<NAME:4>J\xf6rg<EOR>", 0, TagKnownField, true, 4, false, 3,
                false, "NAME", "J\xf6rg", "", "<NAME:4>"},
        TagCase{"Latin1NameUpperCased", "<n\xe4me:1>x<EOR>", 0, TagUserField, true, 1, false, 3,
                false, "N\xc4ME", "x", "", "<n\xe4me:1>"}),
    [](const ::testing::TestParamInfo<TagCase> &info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// Field names, counts and header.

struct FieldNamesCase {
    const char *name;
    std::string input;
    std::vector<std::string> fieldNames;
    int storedTags;
    int records;
};

void PrintTo(const FieldNamesCase &c, std::ostream *os)
{
    *os << c.name;
}

class FieldNamesTest : public ::testing::TestWithParam<FieldNamesCase> { };

TEST_P(FieldNamesTest, ListsDistinctNamesInOrderOfFirstAppearance)
{
    const FieldNamesCase &c = GetParam();
    AdifFile file;
    ASSERT_TRUE(file.loadFromBytes(c.input));
    EXPECT_EQ(file.fieldNames(), c.fieldNames);
    EXPECT_EQ(file.fieldCount(), static_cast<int>(c.fieldNames.size()));
    EXPECT_EQ(file.storedTagCount(), c.storedTags);
    EXPECT_EQ(file.recordCount(), c.records);
}

INSTANTIATE_TEST_SUITE_P(
    Reader, FieldNamesTest,
    ::testing::Values(
        FieldNamesCase{"UserFieldsInOrder",
                       "<CALL:1>A<MY_B:1>b<EOR><call:1>C<MODE:2>CW<my_b:1>x<MY_A:1>y<EOR>",
                       {"CALL", "MY_B", "MODE", "MY_A"},
                       8,
                       2},
        FieldNamesCase{"RepeatedFieldStoresBothTags", "<CALL:1>A<CALL:1>B<EOR>", {"CALL"}, 3, 1},
        FieldNamesCase{
            "EndOfRecordNeverAFieldName", "<EOR:1>x<eor:2>yy<CALL:1>A<EOR>", {"CALL"}, 4, 1},
        FieldNamesCase{"FailedTagAddsNoName", "<CALL:1>A<MODE:x>CW", {"CALL"}, 2, 0},
        FieldNamesCase{"EndOfFileMarkerAddsNoName", "<CALL:1>A<EOR><APP_LOTW_EOF>", {"CALL"}, 3, 1},
        FieldNamesCase{"EndOfFileMarkerWithLengthIsAColumn",
                       "<APP_LoTW_EOF:1>Y<CALL:1>A<EOR>",
                       {"APP_LOTW_EOF", "CALL"},
                       3,
                       1},
        FieldNamesCase{"NothingAfterEndOfFileMarker",
                       "<CALL:1>A<EOR><APP_LOTW_EOF><MODE:2>CW<EOR>",
                       {"CALL"},
                       3,
                       1},
        FieldNamesCase{"MixedSpellingsOneName", "<Call:1>A<CALL:1>B<cAlL>C<EOR>", {"CALL"}, 4, 1}),
    [](const ::testing::TestParamInfo<FieldNamesCase> &info) {
        return std::string(info.param.name);
    });

TEST(AdifFileTest, FieldIndexIgnoresLetterCase)
{
    AdifFile file;
    ASSERT_TRUE(file.loadFromBytes("<CALL:1>A<my_b:1>b<EOR>"));
    EXPECT_EQ(file.fieldIndex("CALL"), 0);
    EXPECT_EQ(file.fieldIndex("call"), 0);
    EXPECT_EQ(file.fieldIndex("My_B"), 1);
    EXPECT_EQ(file.fieldIndex("EOR"), -1);
    EXPECT_EQ(file.fieldIndex("CAL"), -1);
}

struct CountsCase {
    const char *name;
    std::string input;
    int left;
    int right;
    int records;
    bool headerExpected;
    std::string headerText;
};

void PrintTo(const CountsCase &c, std::ostream *os)
{
    *os << c.name;
}

class CountsTest : public ::testing::TestWithParam<CountsCase> { };

TEST_P(CountsTest, CountsBracketsRecordsAndHeader)
{
    const CountsCase &c = GetParam();
    AdifFile file;
    ASSERT_TRUE(file.loadFromBytes(c.input));
    EXPECT_EQ(file.leftBracketCount(), c.left);
    EXPECT_EQ(file.rightBracketCount(), c.right);
    EXPECT_EQ(file.recordCount(), c.records);
    EXPECT_EQ(file.headerExpected(), c.headerExpected);
    EXPECT_EQ(file.headerText(), c.headerText);
}

INSTANTIATE_TEST_SUITE_P(
    Reader, CountsTest,
    ::testing::Values(
        CountsCase{"HeaderMarkerCountsOnce", "Log <v 1> x\r\n<EOH><CALL:1>A<EOR>", 3, 3, 1, true,
                   "Log <v 1> x\r\n"},
        CountsCase{"NoHeader", "<CALL:1>A<EOR><CALL:1>B<EOR>", 4, 4, 2, false, ""},
        CountsCase{"NoHeaderMarkerFound", "\r\n<CALL:1>A<EOR>", 0, 0, 0, true, ""},
        CountsCase{"DroppedLeftBracketCountsLeftOnly", "<CALL:1>A<EOR><", 3, 2, 1, false, ""},
        CountsCase{"LongTagCountsLeftOnly", kLongOpenTag + "<CALL:1>A<EOR>", 3, 2, 1, false, ""},
        CountsCase{"EmptyText", "", 0, 0, 0, false, ""}),
    [](const ::testing::TestParamInfo<CountsCase> &info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// Limits, built in memory.

TEST(AdifFileLimits, AcceptsTheLargestRecordCount)
{
    AdifFile file;
    ASSERT_TRUE(file.loadFromBytes(repeatText("<EOR>", AdifFile::kRecordLimit)));
    EXPECT_EQ(int(file.result().status), int(ParseStatus::Ok));
    EXPECT_EQ(file.recordCount(), 4001);
}

TEST(AdifFileLimits, RefusesOneRecordMore)
{
    AdifFile file;
    ASSERT_TRUE(
        file.loadFromBytes("hdr<EOH>" + repeatText("<CALL:1>A<EOR>\r\n", 4001) + "<CALL:1>B<eor>"));
    EXPECT_EQ(int(file.result().status), int(ParseStatus::TooBig));
    const int32_t lastMarker = 8 + 4001 * 16 + 9;
    EXPECT_EQ(file.result().position, lastMarker + 4);
    EXPECT_EQ(file.result().length, 5);
    EXPECT_EQ(file.recordCount(), 4002);
    EXPECT_LE(file.storedTagCount(), AdifFile::kTagLimit);
}

TEST(AdifFileLimits, RefusesTheTagLimitWhenAnotherTagFollows)
{
    const std::string tag = "<A:1>x";
    AdifFile file;
    ASSERT_TRUE(file.loadFromBytes(repeatText(tag, AdifFile::kTagLimit) + "<EOR>"));
    EXPECT_EQ(int(file.result().status), int(ParseStatus::TooBig));
    EXPECT_EQ(file.result().position, static_cast<int32_t>(tag.size()) * AdifFile::kTagLimit);
    EXPECT_EQ(file.result().length, 3);
    EXPECT_EQ(file.storedTagCount(), AdifFile::kTagLimit);
    EXPECT_EQ(file.tagAt(AdifFile::kTagLimit).rawTag, "");
}

TEST(AdifFileLimits, AcceptsOneTagFewerThanTheLimit)
{
    AdifFile file;
    ASSERT_TRUE(file.loadFromBytes(repeatText("<A:1>x", AdifFile::kTagLimit - 2) + "<EOR>\r\n"));
    EXPECT_EQ(int(file.result().status), int(ParseStatus::Ok));
    EXPECT_EQ(file.storedTagCount(), AdifFile::kTagLimit - 1);
}

TEST(AdifFileLimits, LimitTagAtEndOfTextEndsTheScanFirst)
{
    // The last tag has no '<' after its data: the scan ends before the count check.
    AdifFile file;
    ASSERT_TRUE(file.loadFromBytes(repeatText("<A:1>x", AdifFile::kTagLimit - 1) + "<EOR>"));
    EXPECT_EQ(int(file.result().status), int(ParseStatus::Ok));
    EXPECT_EQ(file.storedTagCount(), AdifFile::kTagLimit);
}

// ---------------------------------------------------------------------------
// Reading files and the zero-byte rule.

TEST(AdifFileLoad, MissingFileReadsAsEmpty)
{
    AdifFile file;
    EXPECT_TRUE(file.load(dataPath("no-such-file.adi")));
    EXPECT_TRUE(file.noHeaderOrStart());
    EXPECT_EQ(file.fileSize(), 0u);
    EXPECT_TRUE(file.sourceText().empty());
}

TEST(AdifFileLoad, DirectoryReadsAsEmpty)
{
    AdifFile file;
    EXPECT_TRUE(file.load(TEST_DATA_DIR));
    EXPECT_TRUE(file.noHeaderOrStart());
    EXPECT_EQ(file.fileSize(), 0u);
}

// Memory running out while the file is read must not leave a clean outcome
// behind: the loader would show what was read so far as the whole log.
TEST(AdifFileLoad, ReadCutShortByMemoryIsNeverParseOk)
{
#ifdef VAZIDUVU_ADDRESS_SANITIZER
    GTEST_SKIP() << "the address sanitizer reserves more address space than the limit allows";
#else
    const std::filesystem::path path = std::filesystem::temp_directory_path()
        / ("vaziduvu-large-" + std::to_string(::getpid()) + ".adi");
    {
        std::ofstream out(path, std::ios::binary);
        out << "<CALL:4>W1AW<EOR>\r\n";
    }
    constexpr std::uintmax_t kSize = 512u * 1024u * 1024u;  // sparse: takes no disk space
    std::filesystem::resize_file(path, kSize);

    // Runs in a child process: the address-space limit stays there.
    const auto loadUnderLimit = [&path] {
        long pages = 0;
        if (std::FILE *statm = std::fopen("/proc/self/statm", "r")) {
            if (std::fscanf(statm, "%ld", &pages) != 1)
                pages = 0;
            std::fclose(statm);
        }
        const rlim_t used
            = static_cast<rlim_t>(pages) * static_cast<rlim_t>(::sysconf(_SC_PAGESIZE));
        const rlimit limit{used + 128u * 1024u * 1024u, used + 128u * 1024u * 1024u};
        if (pages <= 0 || ::setrlimit(RLIMIT_AS, &limit) != 0)
            std::_Exit(3);
        AdifFile file;
        const bool loaded = static_cast<bool>(file.load(path.string()));
        std::_Exit(!loaded && file.result().status == ParseStatus::TooBig
                           && file.sourceText().empty()
                       ? 0
                       : 1);
    };
    EXPECT_EXIT(loadUnderLimit(), ::testing::ExitedWithCode(0), "");
    std::filesystem::remove(path);
#endif
}

TEST(AdifFileLoad, EmptyFile)
{
    AdifFile file;
    EXPECT_TRUE(file.load(dataPath("empty.adi")));
    EXPECT_TRUE(file.noHeaderOrStart());
    EXPECT_EQ(file.fileSize(), 0u);
}

// A zero byte is no text: the file is refused at the byte's real offset,
// wherever it stands (the report's positions are the file's own).
struct ZeroByteCase {
    const char *name;
    std::string bytes;
    int32_t position;
};

const std::string kZero(1, '\0');

class ZeroByte : public ::testing::TestWithParam<ZeroByteCase> { };

TEST_P(ZeroByte, RefusesTheFileAtItsOffset)
{
    AdifFile file;
    ASSERT_TRUE(file.loadFromBytes(GetParam().bytes));
    EXPECT_EQ(file.result().status, ParseStatus::ZeroByte);
    EXPECT_EQ(file.result().position, GetParam().position);
    EXPECT_EQ(file.fileSize(), GetParam().bytes.size());
    EXPECT_EQ(outcomeReportText(ParseStatus::ZeroByte, file.result().position),
              "\r\nFile not loaded ... \r\n\r\nZero byte (no text) in area of\r\ncharacter "
                  + std::to_string(GetParam().position));
}

INSTANTIATE_TEST_SUITE_P(
    Reader, ZeroByte,
    ::testing::Values(
        ZeroByteCase{"InAValue", "<CALL:4>W1" + kZero + "AW<EOR>\n<CALL:4>K1AB<EOR>", 10},
        ZeroByteCase{"AtTheStart", kZero + "<CALL:1>A<EOR>", 0},
        ZeroByteCase{"AtTheEnd", "<CALL:1>A<EOR>" + kZero, 14},
        ZeroByteCase{"AfterALongLine", std::string(70000, 'x') + "<EOH><CALL:1>A" + kZero, 70014}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(AdifFileLoad, ZeroByteInAFileIsRefusedWithItsOffset)
{
    AdifFile file;
    ASSERT_TRUE(file.load(dataPath("zero-byte-in-line.adi")));
    EXPECT_EQ(file.result().status, ParseStatus::ZeroByte);
    EXPECT_EQ(file.result().position, 27);
    EXPECT_EQ(file.fileSize(), 72u);
}

struct FixtureCase {
    const char *file;
    ParseStatus code;
    int32_t position;
    int fields;
    int records;
};

void PrintTo(const FixtureCase &c, std::ostream *os)
{
    *os << c.file;
}

class FixtureTest : public ::testing::TestWithParam<FixtureCase> { };

TEST_P(FixtureTest, LoadsWithExpectedOutcome)
{
    const FixtureCase &c = GetParam();
    AdifFile file;
    ASSERT_TRUE(file.load(dataPath(c.file)));
    EXPECT_EQ(int(file.result().status), int(c.code)) << outcomeName(file.result().status);
    EXPECT_EQ(file.result().position, c.position);
    EXPECT_EQ(file.fieldCount(), c.fields);
    EXPECT_EQ(file.recordCount(), c.records);
    EXPECT_EQ(file.fileSize(), file.sourceText().size());
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, FixtureTest,
    ::testing::Values(
        FixtureCase{"header-with-brackets.adi", ParseStatus::Ok, 0, 2, 1},
        FixtureCase{"header-bracket-mismatch.adi", ParseStatus::BracketMismatch, 2, 0, 0},
        FixtureCase{"lower-case-markers.adi", ParseStatus::Ok, 0, 1, 2},
        FixtureCase{"text-after-end-of-file.adi", ParseStatus::Ok, 0, 1, 1},
        FixtureCase{"end-of-file-with-length.adi", ParseStatus::Ok, 0, 2, 1},
        FixtureCase{"blank-first-no-header.adi", ParseStatus::NoHeader, 0, 0, 0},
        FixtureCase{"start-bracket-with-header.adi", ParseStatus::BracketMismatch, 1, 0, 0},
        FixtureCase{"value-and-comment.adi", ParseStatus::Ok, 0, 4, 2},
        FixtureCase{"latin1-values.adi", ParseStatus::Ok, 0, 2, 1}),
    [](const ::testing::TestParamInfo<FixtureCase> &info) {
        std::string name;
        for (const char *p = info.param.file; *p != '\0' && *p != '.'; ++p)
            name += (*p == '-') ? '_' : *p;
        return name;
    });

TEST(AdifFileLoad, ValueAndCommentFixture)
{
    AdifFile file;
    ASSERT_TRUE(file.load(dataPath("value-and-comment.adi")));
    EXPECT_EQ(file.tagAt(0).value, "ZX1A");
    EXPECT_EQ(file.tagAt(0).comment, "\r\n");
    EXPECT_EQ(file.tagAt(1).value,
              "Jan \r\n");  // no length: blanks and line breaks stay in the value
    EXPECT_EQ(file.tagAt(2).value, "");
    EXPECT_EQ(file.tagAt(2).comment, "Nowhere");
    EXPECT_EQ(file.tagAt(4).kind, TagEndOfRecord);
    EXPECT_EQ(file.tagAt(4).value, "after record\r\n");
    EXPECT_EQ(file.tagAt(6).kind, TagEndOfRecord);
    EXPECT_EQ(file.tagAt(6).value, "");  // nothing follows the last marker
}

TEST(AdifFileLoad, ExampleLogsLoad)
{
    AdifFile clean;
    ASSERT_TRUE(clean.load(std::string(EXAMPLES_DIR) + "/clean-with-header.adi"));
    EXPECT_EQ(int(clean.result().status), int(ParseStatus::Ok));
    EXPECT_TRUE(clean.headerExpected());
    EXPECT_GE(clean.recordCount(), 5);

    AdifFile noHeader;
    ASSERT_TRUE(noHeader.load(std::string(EXAMPLES_DIR) + "/no-header.adi"));
    EXPECT_EQ(int(noHeader.result().status), int(ParseStatus::Ok));
    EXPECT_FALSE(noHeader.headerExpected());

    AdifFile broken;
    ASSERT_TRUE(broken.load(std::string(EXAMPLES_DIR) + "/format-error.adi"));
    EXPECT_EQ(int(broken.result().status), int(ParseStatus::BracketMismatch));
    const std::string &text = broken.sourceText();
    const size_t thirdLine = text.find('\n', text.find('\n') + 1) + 1;
    const size_t lineEnd = text.find('\n', thirdLine);
    EXPECT_GE(static_cast<size_t>(broken.result().position), thirdLine);
    EXPECT_LT(static_cast<size_t>(broken.result().position), lineEnd);
}

TEST(AdifFileLoad, LoadingAgainStartsFromScratch)
{
    AdifFile file;
    ASSERT_TRUE(file.loadFromBytes("hdr<EOH><CALL:1>A<EOR><MODE:2>CW<EOR>"));
    ASSERT_TRUE(file.loadFromBytes("<QTH:1>X<EOR>"));
    EXPECT_EQ(file.recordCount(), 1);
    EXPECT_EQ(file.fieldNames(), std::vector<std::string>{"QTH"});
    EXPECT_EQ(file.headerText(), "");
    EXPECT_EQ(file.leftBracketCount(), 2);
    EXPECT_EQ(file.storedTagCount(), 2);
}

TEST(AdifFileTest, SlotsBeyondTheStoredTagsReadAsReset)
{
    AdifFile file;
    ASSERT_TRUE(file.loadFromBytes("<CALL:1>A<EOR>"));
    for (int slot : {2, AdifFile::kTagLimit, AdifFile::kTagSlots - 1, -1}) {
        const TagRecord &tag = file.tagAt(slot);
        EXPECT_EQ(tag.kind, TagNone);
        EXPECT_EQ(tag.dataType, 5);
        EXPECT_EQ(tag.errorCode, ParseStatus::Ok);
        EXPECT_TRUE(tag.rawTag.empty());
    }
}

TEST(AdifFileTest, ResultIsFalseOnAnErrorAndCarriesItsPosition)
{
    AdifFile file;
    ASSERT_TRUE(file.loadFromBytes("<CALL:1>A<:1>"));
    const ParseResult result = file.result();
    EXPECT_FALSE(result);
    EXPECT_EQ(result.status, ParseStatus::MissingName);
    EXPECT_EQ(result.position, 9);
    ASSERT_TRUE(file.loadFromBytes("<CALL:1>A<EOR>"));
    EXPECT_TRUE(file.result());
}

// ---------------------------------------------------------------------------
// Static helpers and report texts.

struct NameCase {
    std::string tag;
    std::string name;
};

class NameOfTagTest : public ::testing::TestWithParam<NameCase> { };

TEST_P(NameOfTagTest, TakesTextUpToColonOrBracket)
{
    EXPECT_EQ(AdifFile::nameOfTag(GetParam().tag), GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(Reader, NameOfTagTest,
                         ::testing::Values(NameCase{"<CALL:4>", "CALL"}, NameCase{"<call>", "CALL"},
                                           NameCase{"<qso_date:8:d>", "QSO_DATE"},
                                           NameCase{"<EOR>", "EOR"}, NameCase{"< x:1>", " X"},
                                           NameCase{"<:1>", ""}, NameCase{"<>", ""},
                                           NameCase{"<n\xe4me>", "N\xc4ME"}));

struct DigitsCase {
    std::string text;
    bool digits;
    bool digitsOrDots;
};

class DigitsTest : public ::testing::TestWithParam<DigitsCase> { };

TEST_P(DigitsTest, AcceptsOnlyDigitsAndDots)
{
    EXPECT_EQ(isDigits(GetParam().text), GetParam().digits);
    EXPECT_EQ(isDigitsOrDots(GetParam().text), GetParam().digitsOrDots);
}

INSTANTIATE_TEST_SUITE_P(
    Reader, DigitsTest,
    ::testing::Values(DigitsCase{"", true, true}, DigitsCase{"0123456789", true, true},
                      DigitsCase{"14.074", false, true}, DigitsCase{"..", false, true},
                      DigitsCase{"-1", false, false}, DigitsCase{"1 ", false, false},
                      DigitsCase{"1e5", false, false}, DigitsCase{"1,5", false, false}));

struct ReportCase {
    ParseStatus code;
    int32_t position;
    std::string text;
    const char *name;
};

class ReportTextTest : public ::testing::TestWithParam<ReportCase> { };

TEST_P(ReportTextTest, MatchesByteForByte)
{
    EXPECT_EQ(outcomeReportText(GetParam().code, GetParam().position), GetParam().text);
    EXPECT_STREQ(outcomeName(GetParam().code), GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(
    Reader, ReportTextTest,
    ::testing::Values(
        ReportCase{ParseStatus::NoHeader, 0,
                   "File not loaded ... \r\n\r\nNo header or start field (<) found",
                   "ParseNoHeader"},
        ReportCase{ParseStatus::BracketMismatch, 1,
                   "\r\nFile not loaded ... \r\n\r\nBracket mismatch in area of\r\ncharacter 1",
                   "ParseBracketMismatch"},
        ReportCase{
            ParseStatus::EmptyBrackets, 7,
            "\r\nFile not loaded ... \r\n\r\nEmpty brackets ( <> ) in \r\narea of character 7",
            "ParseEmptyBrackets"},
        ReportCase{ParseStatus::BadLength, 123456,
                   "\r\nFile not loaded ... \r\n\r\nInvalid data fieldlength \r\nin area of "
                   "character 123456",
                   "ParseBadLength"},
        ReportCase{
            ParseStatus::MissingName, 0,
            "\r\nFile not loaded ... \r\n\r\nField name is missing\r\nin area of character 0",
            "ParseMissingName"},
        ReportCase{ParseStatus::BadType, 40,
                   "\r\nFile not loaded ... \r\n >>> Invalid data-type specifier \r\n >>> in "
                   "user-defined column \r\n\r\n",
                   "ParseBadType"},
        ReportCase{ParseStatus::TooBig, 99, "\r\nFile not loaded ... \r\n >>> File too big\r\n",
                   "ParseTooBig"},
        ReportCase{ParseStatus::Ok, 0, "", "ParseOk"}));

}  // namespace
}  // namespace vaziduvu
