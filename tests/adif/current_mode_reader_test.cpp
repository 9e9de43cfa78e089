#include "adif/adif_file.h"

#include <gtest/gtest.h>

#include <string>

namespace vaziduvu {
namespace {

AdifFile parsed(const std::string &input, AdifMode mode)
{
    AdifFile file;
    file.setMode(mode);
    file.loadFromBytes(input);
    return file;
}

// ---------------------------------------------------------------------------
// Outcomes: brackets inside a length-delimited value are data in the Current
// mode only; the tag structure is still checked.

struct ModeOutcomeCase {
    const char *name;
    std::string input;
    AdifMode mode;
    ParseStatus code;
    int32_t position;
    int32_t length;
};

void PrintTo(const ModeOutcomeCase &c, std::ostream *os)
{
    *os << c.name;
}

class ModeOutcomeTest : public ::testing::TestWithParam<ModeOutcomeCase> { };

TEST_P(ModeOutcomeTest, EndsWithCodePositionAndLength)
{
    const ModeOutcomeCase &c = GetParam();
    const AdifFile file = parsed(c.input, c.mode);
    EXPECT_EQ(outcomeName(file.result().status), std::string(outcomeName(c.code)));
    EXPECT_EQ(file.result().position, c.position);
    EXPECT_EQ(file.result().length, c.length);
}

constexpr AdifMode kClassic = AdifMode::Classic;
constexpr AdifMode kCurrent = AdifMode::Current;
const std::string kBom = "\xEF\xBB\xBF";

INSTANTIATE_TEST_SUITE_P(
    Reader, ModeOutcomeTest,
    ::testing::Values(
        ModeOutcomeCase{"ClassicLeftInValue", "<COMMENT:3>a<b<EOR>", kClassic,
                        ParseStatus::BracketMismatch, 12, 3},
        ModeOutcomeCase{"CurrentLeftInValue", "<COMMENT:3>a<b<EOR>", kCurrent, ParseStatus::Ok, 0,
                        0},
        ModeOutcomeCase{"CurrentRightInValue", "<COMMENT:3>a>b<EOR>", kCurrent, ParseStatus::Ok, 0,
                        0},
        ModeOutcomeCase{"CurrentTagLikeValue", "h<EOH><COMMENT:8><b>x</b><EOR>", kCurrent,
                        ParseStatus::Ok, 0, 0},
        ModeOutcomeCase{"CurrentHeaderFieldWithBracket", "h <PROGRAMID:3>a<b <EOH><EOR>", kCurrent,
                        ParseStatus::Ok, 0, 0},
        ModeOutcomeCase{"CurrentDoubleLeftAfterValue", "<CALL:4>W1AW<<EOR>", kCurrent,
                        ParseStatus::BracketMismatch, 12, 2},
        ModeOutcomeCase{"CurrentRightAfterValue", "<CALL:4>W1AW>x<EOR>", kCurrent,
                        ParseStatus::BracketMismatch, 7, 6},
        ModeOutcomeCase{"CurrentLengthPastEndFallsBack", "<COMMENT:9>a<b<EOR>", kCurrent,
                        ParseStatus::BracketMismatch, 12, 3},
        ModeOutcomeCase{"CurrentLengthIntoNextTagFallsBack", "<CALL:6>W1AW<EOR>", kCurrent,
                        ParseStatus::Ok, 0, 0},
        ModeOutcomeCase{"CurrentHeaderLoneLeft", "a < b<EOH><CALL:1>A<EOR>", kCurrent,
                        ParseStatus::BracketMismatch, 2, 4},
        ModeOutcomeCase{"ClassicBomBeforeTag", kBom + "<CALL:1>A<EOR>", kClassic,
                        ParseStatus::NoHeader, 0, 0},
        ModeOutcomeCase{"CurrentBomBeforeTag", kBom + "<CALL:1>A<EOR>", kCurrent, ParseStatus::Ok,
                        0, 0},
        ModeOutcomeCase{"CurrentBomOnly", kBom, kCurrent, ParseStatus::NoHeader, 0, 0},
        ModeOutcomeCase{"CurrentBomTagThenHeader", kBom + "<CALL:1>A<EOH>", kCurrent,
                        ParseStatus::BracketMismatch, 4, 15}));

// ---------------------------------------------------------------------------
// Value and comment of the first field, and the encoding the text is shown in.

struct ValueCase {
    const char *name;
    std::string input;
    AdifMode mode;
    std::string value;
    std::string comment;
    TextEncoding encoding;
};

void PrintTo(const ValueCase &c, std::ostream *os)
{
    *os << c.name;
}

class ModeValueTest : public ::testing::TestWithParam<ValueCase> { };

TEST_P(ModeValueTest, KeepsValueCommentAndEncoding)
{
    const ValueCase &c = GetParam();
    const AdifFile file = parsed(c.input, c.mode);
    ASSERT_TRUE(file.result());
    EXPECT_EQ(file.tagAt(0).value, c.value);
    EXPECT_EQ(file.tagAt(0).comment, c.comment);
    EXPECT_EQ(file.textEncoding(), c.encoding);
}

constexpr TextEncoding kLatin1 = TextEncoding::Latin1;
constexpr TextEncoding kUtf8 = TextEncoding::Utf8;

INSTANTIATE_TEST_SUITE_P(
    Reader, ModeValueTest,
    ::testing::Values(
        ValueCase{"BracketsInValue", "<COMMENT:5>a<b>c \r\n<EOR>", kCurrent, "a<b>c", " \r\n",
                  kLatin1},
        ValueCase{"ShortLengthKeepsComment", "<CALL:2>W1AW<EOR>", kCurrent, "W1", "AW", kLatin1},
        ValueCase{"LongLengthCutAtNextTag", "<CALL:6>W1AW<EOR>", kCurrent, "W1AW", "", kLatin1},
        ValueCase{"Ascii", "<NAME:3>Bob<EOR>", kCurrent, "Bob", "", kLatin1},
        ValueCase{"Latin1Bytes", "<NAME:4>J\xF6rg<EOR>", kCurrent, "J\xF6rg", "", kLatin1},
        ValueCase{"Latin1NoCharacterCount", "<NAME:3>J\xF6rg<EOR>", kCurrent, "J\xF6r", "g",
                  kLatin1},
        ValueCase{"Utf8CountedInBytes", "<NAME:5>J\xC3\xB6rg<EOR>", kCurrent, "J\xC3\xB6rg", "",
                  kUtf8},
        ValueCase{"Utf8CountedInCharacters", "<NAME:4>J\xC3\xB6rg\r\n<EOR>", kCurrent,
                  "J\xC3\xB6rg", "\r\n", kUtf8},
        ValueCase{"Utf8BytesEndInsideCharacter", "<NAME:2>J\xC3\xB6<EOR>", kCurrent, "J\xC3\xB6",
                  "", kUtf8},
        ValueCase{"Utf8CharactersLeaveText", "<NAME:4>J\xC3\xB6rg x<EOR>", kCurrent, "J\xC3\xB6r",
                  "g x", kUtf8},
        ValueCase{"Utf8ClassicUnchanged", "<NAME:4>J\xC3\xB6rg<EOR>", kClassic, "J\xC3\xB6r", "g",
                  kLatin1},
        ValueCase{"BomAscii", kBom + "hdr<EOH><NAME:3>Bob<EOR>", kCurrent, "Bob", "", kUtf8},
        ValueCase{"OverlongIsNotUtf8", "<NAME:2>\xC0\xAF<EOR>", kCurrent, "\xC0\xAF", "", kLatin1},
        ValueCase{"SurrogateIsNotUtf8", "<NAME:3>\xED\xA0\x80<EOR>", kCurrent, "\xED\xA0\x80", "",
                  kLatin1},
        ValueCase{"CutSequenceIsNotUtf8", "<EOR><NAME:1>\xC3", kCurrent, "", "", kLatin1}));

TEST(ModeHeaderTest, ByteOrderMarkIsNoPartOfHeaderButStaysInSource)
{
    const std::string input = kBom + "Log\r\n<EOH><CALL:1>A<EOR>";
    const AdifFile file = parsed(input, kCurrent);
    ASSERT_TRUE(file.result());
    EXPECT_EQ(file.headerText(), "Log\r\n");
    EXPECT_TRUE(file.headerExpected());
    EXPECT_EQ(file.sourceText(), input);
    EXPECT_EQ(file.tagAt(0).valueOffset, 21);
}

// ---------------------------------------------------------------------------
// Logs whose CR LF line breaks were turned into LF after their lengths were
// written: the Current mode reads a length that runs into the next tag with
// each lone LF counted as CR LF, when that count ends the value before the
// tag (or the blanks before it); the Classic mode refuses such a log.

struct ConvertedCase {
    const char *name;
    std::string input;
    AdifMode mode;
    ParseStatus status;
    std::string value;    // of the first tag, when read
    std::string comment;  // of the first tag
    int counted;          // values read with LF counted as CR LF
    int32_t first;        // the first one's value offset
};

void PrintTo(const ConvertedCase &c, std::ostream *os)
{
    *os << c.name;
}

class LineEndConvertedTest : public ::testing::TestWithParam<ConvertedCase> { };

TEST_P(LineEndConvertedTest, ReadsTheValueAsItWasWritten)
{
    const ConvertedCase &c = GetParam();
    const AdifFile file = parsed(c.input, c.mode);
    EXPECT_EQ(outcomeName(file.result().status), std::string(outcomeName(c.status)));
    EXPECT_EQ(file.lineEndCountedValues(), c.counted);
    EXPECT_EQ(file.firstLineEndCountedValue(), c.first);
    if (!file.result())
        return;
    EXPECT_EQ(file.tagAt(0).value, c.value);
    EXPECT_EQ(file.tagAt(0).comment, c.comment);
    EXPECT_EQ(file.tagAt(1).name, "CALL");
    EXPECT_EQ(file.tagAt(1).value, "W1AW");
}

INSTANTIATE_TEST_SUITE_P(
    Reader, LineEndConvertedTest,
    ::testing::Values(ConvertedCase{"OneLineBreak", "<NOTES:12>1 < 2\n3 < 4<CALL:4>W1AW<EOR>",
                                    kCurrent, ParseStatus::Ok, "1 < 2\n3 < 4", "", 1, 10},
                      ConvertedCase{"TwoLineBreaksBeforeBlanks",
                                    "<NOTES:10>a\nb<c>\nd <CALL:4>W1AW<EOR>", kCurrent,
                                    ParseStatus::Ok, "a\nb<c>\nd", " ", 1, 10},
                      ConvertedCase{"LineBreakFirst", "<NOTES:5>\nabc<CALL:4>W1AW<EOR>", kCurrent,
                                    ParseStatus::Ok, "\nabc", "", 1, 9},
                      ConvertedCase{"NotConverted", "<NOTES:12>1 < 2\r\n3 < 4<CALL:4>W1AW<EOR>",
                                    kCurrent, ParseStatus::Ok, "1 < 2\r\n3 < 4", "", 0, -1},
                      ConvertedCase{"CountDoesNotEndAtTag",
                                    "<NOTES:13>1 < 2\n3 < 4<CALL:4>W1AW<EOR>", kCurrent,
                                    ParseStatus::BracketMismatch, "", "", 0, -1},
                      ConvertedCase{"ClassicRefuses", "<NOTES:12>1 < 2\n3 < 4<CALL:4>W1AW<EOR>",
                                    kClassic, ParseStatus::BracketMismatch, "", "", 0, -1}));

}  // namespace
}  // namespace vaziduvu
