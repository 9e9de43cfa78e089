// CSV and ADX: the readers' rules, and ADIF -> CSV/ADX -> ADIF keeping
// every record, field name and value.

#include "adif/utf8_text.h"
#include "formats/adx_format.h"
#include "formats/csv_format.h"
#include "formats/xml_element.h"

#include "formats_test_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <unistd.h>

namespace {

using namespace vaziduvu;
using vaziduvu::test::fieldLines;
using vaziduvu::test::messages;

struct RoundTripCase {
    const char *file;
    AdifMode mode;
};

const RoundTripCase kLogs[] = {
    {EXAMPLES_DIR "/clean-with-header.adi", AdifMode::Classic},
    {EXAMPLES_DIR "/no-header.adi", AdifMode::Classic},
    {TEST_DATA_DIR "/convert-mixed.adi", AdifMode::Classic},
    {TEST_DATA_DIR "/convert-mixed.adi", AdifMode::Current},
    {TEST_DATA_DIR "/latin1-values.adi", AdifMode::Classic},
    {TEST_DATA_DIR "/latin1-values.adi", AdifMode::Current},
    {TEST_DATA_DIR "/current-utf8-names.adi", AdifMode::Current},
    {TEST_DATA_DIR "/current-ft8-ontario.adi", AdifMode::Current},
    {TEST_DATA_DIR "/field-only-in-last-record.adi", AdifMode::Classic},
    {TEST_DATA_DIR "/last-record-without-eor.adi", AdifMode::Classic},
    {TEST_DATA_DIR "/type-letter-per-cell.adi", AdifMode::Classic},
};

std::vector<std::string> utf8Lines(const LogDocument &document)
{
    std::vector<std::string> lines = fieldLines(document);
    for (std::string &line : lines)
        line = utf8OfLogText(line, document);
    return lines;
}

class RoundTrip : public ::testing::TestWithParam<RoundTripCase> {
protected:
    void SetUp() override
    {
        original_ = openLog(GetParam().file, GetParam().mode);
        ASSERT_TRUE(original_) << GetParam().file;
    }
    void expectSameLog(const ContactLog &read) const
    {
        ASSERT_EQ(messages(read.problems), "");
        const OpenedLog back = openContactLog(read, GetParam().mode, "test");
        ASSERT_TRUE(back);
        // The same characters: a Latin-1 log read back in the Current mode is UTF-8.
        EXPECT_EQ(utf8Lines(*back.document), utf8Lines(*original_.document));
    }
    ReadOptions options() const { return {GetParam().mode, {}}; }

    OpenedLog original_;
};

TEST_P(RoundTrip, ThroughCsv)
{
    const std::string csv = writeCsv(*original_.document);
    EXPECT_TRUE(isValidUtf8(csv));
    expectSameLog(readCsv(csv, options()));
}

TEST_P(RoundTrip, ThroughAdx)
{
    ASSERT_EQ(adxProblem(*original_.document), "");
    const std::string adx = writeAdx(*original_.document);
    EXPECT_TRUE(isValidUtf8(adx));
    EXPECT_TRUE(readXml(adx).ok);
    expectSameLog(readAdx(adx, options()));

    // Checked by a second parser where one is installed.
    if (std::system("command -v xmllint >/dev/null 2>&1") != 0)
        return;
    const std::string path = ::testing::TempDir() + "/adx-" + std::to_string(::getpid()) + ".adx";
    std::ofstream(path, std::ios::binary) << adx;
    EXPECT_EQ(std::system(("xmllint --noout '" + path + "' 2>/dev/null").c_str()), 0);
    std::remove(path.c_str());
}

INSTANTIATE_TEST_SUITE_P(Logs, RoundTrip, ::testing::ValuesIn(kLogs));

TEST(AdxWriter, AppUserDefinedAndHeaderOnlyFieldsFollowTheLayout)
{
    const OpenedLog log = openLog(TEST_DATA_DIR "/convert-mixed.adi", AdifMode::Classic);
    ASSERT_TRUE(log);
    const std::string adx = writeAdx(*log.document);
    for (const char *expected : {
             "<ADX>\n  <HEADER>\n    <ADIF_VER>3.1.6</ADIF_VER>\n",
             "<USERDEF FIELDID=\"1\" TYPE=\"N\">EPC</USERDEF>",
             "<USERDEF FIELDID=\"2\" TYPE=\"S\">PROGRAMID</USERDEF>",
             "<USERDEF FIELDID=\"3\" TYPE=\"S\">MY FIELD</USERDEF>",
             "</HEADER>\n  <RECORDS>\n    <RECORD>\n      <CALL>W1AW</CALL>",
             "<APP PROGRAMID=\"N1MM\" FIELDNAME=\"EXCHANGE1\" TYPE=\"S\">5NN 05</APP>",
             "<USERDEF FIELDNAME=\"EPC\">12</USERDEF>",
             "<USERDEF FIELDNAME=\"PROGRAMID\">OtherLogger</USERDEF>",
             "<NAME>Jos\xC3\xA9, &quot;Pepe&quot;</NAME>",
             "<NOTES>first line&#13;\nsecond line</NOTES>",
             "<USERDEF FIELDNAME=\"MY FIELD\">x&amp;y</USERDEF>",
         })
        EXPECT_NE(adx.find(expected), std::string::npos) << expected;
}

struct ReaderCase {
    const char *name;
    const char *text;
    const char *fields;    // fieldLines joined by "\n", when it reads
    const char *problems;  // messages(), when it does not
    AdifMode mode = AdifMode::Classic;
};

class CsvReader : public ::testing::TestWithParam<ReaderCase> { };

TEST_P(CsvReader, Reads)
{
    const ContactLog log = readCsv(GetParam().text, {GetParam().mode, {}});
    std::string fields;
    for (const std::string &line : fieldLines(log))
        fields += line + "\n";
    EXPECT_EQ(fields, GetParam().fields);
    EXPECT_EQ(messages(log.problems), GetParam().problems);
}

const ReaderCase kCsvCases[] = {
    {"AnyHeaderCaseEmptyCellsAbsent", "call, Qso_Date ,band\r\nW1AW,20261209,\r\n,,\r\nK1ABC,,20m",
     "CALL=W1AW|QSO_DATE=20261209|\nCALL=K1ABC|BAND=20m|\n", ""},
    {"QuotedCommasQuotesAndLineBreaks", "CALL,NOTES\n\"W1AW\",\"a, \"\"b\"\"\r\nc\"\n",
     "CALL=W1AW|NOTES=a, \"b\"\r\nc|\n", ""},
    {"ShortRowsAreFine", "CALL,NAME,QTH\nW1AW\n", "CALL=W1AW|\n", ""},
    {"Utf8ToLatin1", "CALL,NAME\nDL1AB,J\xC3\xB6rg\n", "CALL=DL1AB|NAME=J\xF6rg|\n", ""},
    {"Utf8KeptInCurrent", "CALL,NAME\nSP9XY,\xC5\x81ukasz\n", "CALL=SP9XY|NAME=\xC5\x81ukasz|\n",
     "", AdifMode::Current},
    {"BeyondLatin1InClassic", "CALL,NAME\nSP9XY,\xC5\x81ukasz\nW1AW,Bob\n", "CALL=W1AW|NAME=Bob|\n",
     "2: NAME holds a character beyond Latin-1 (Current ADIF, --current-adif, keeps it)\n"},
    {"TooManyCells", "CALL\nW1AW,x\nK1ABC\n", "CALL=K1ABC|\n",
     "2: the row has 2 cells, the header 1 names\n"},
    {"QuoteInsideUnquoted", "CALL,NAME\nW1AW,Bo\"b\nK1ABC,Al\n", "CALL=K1ABC|NAME=Al|\n",
     "2: a quote inside an unquoted field\n"},
    {"QuoteNeverClosed", "CALL,NAME\nW1AW,\"Bob\nK1ABC,Al\n", "",
     "2: a quoted field opened on line 2 is never closed\n"},
    {"BracketsOnlyInCurrent", "CALL,COMMENT\nW1AW,7>5\n", "CALL=W1AW|COMMENT=7>5|\n",
     "2: COMMENT holds '<' or '>', which only Current ADIF (--current-adif) carries\n"},
    {"NameTwice", "CALL,call\nW1AW,x\n", "", "1: the field CALL is named twice\n"},
    {"NoHeader", "", "", "1: no header row of field names\n"},
};

INSTANTIATE_TEST_SUITE_P(Cases, CsvReader, ::testing::ValuesIn(kCsvCases),
                         [](const auto &info) { return std::string(info.param.name); });

class AdxReader : public ::testing::TestWithParam<ReaderCase> { };

TEST_P(AdxReader, Reads)
{
    const ContactLog log = readAdx(GetParam().text, {GetParam().mode, {}});
    std::string fields;
    for (const std::string &line : fieldLines(log))
        fields += line + "\n";
    EXPECT_EQ(fields, GetParam().fields);
    EXPECT_EQ(messages(log.problems), GetParam().problems);
}

const ReaderCase kAdxCases[] = {
    {"AppUserDefEntitiesCdata",
     "<?xml version=\"1.0\"?>\n<!-- a log -->\n<ADX><HEADER><USERDEF FIELDID=\"1\" "
     "TYPE=\"N\">epc</USERDEF></HEADER>\n<RECORDS><RECORD><CALL>W1AW</CALL>"
     "<APP PROGRAMID=\"n1mm\" FIELDNAME=\"Exchange1\" TYPE=\"S\">5NN</APP>"
     "<USERDEF FIELDNAME=\"EPC\">12</USERDEF><NAME>A&amp;B &#233;&#x41;</NAME>"
     "<NOTES><![CDATA[<x>]]></NOTES><QTH></QTH></RECORD></RECORDS></ADX>",
     "CALL=W1AW|APP_N1MM_EXCHANGE1=5NN|EPC=12|NAME=A&B \xE9"
     "A|NOTES=<x>|\n",
     "4: NOTES holds '<' or '>', which only Current ADIF (--current-adif) carries\n"},
    {"Latin1Declared",
     "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><ADX><RECORDS><RECORD><NAME>J\xF6rg</NAME>"
     "</RECORD></RECORDS></ADX>",
     "NAME=J\xF6rg|\n", ""},
    {"Mismatched", "<ADX>\n<RECORDS>\n<RECORD><CALL>W1AW</QTH></RECORD></RECORDS></ADX>", "",
     "3: </QTH> closes <CALL>\n"},
    {"UnknownEntity", "<ADX><RECORDS><RECORD><CALL>&nbsp;</CALL></RECORD></RECORDS></ADX>", "",
     "1: the entity &nbsp; is not known\n"},
    {"NotAdx", "<adif/>", "", "1: the root element is <adif>, not <ADX>\n"},
    {"AppWithoutName",
     "<ADX><RECORDS><RECORD>\n<APP PROGRAMID=\"X\">1</APP><CALL>W1AW</CALL>"
     "</RECORD></RECORDS></ADX>",
     "", "2: <APP> without PROGRAMID or FIELDNAME\n"},
    {"FieldTwice",
     "<ADX><RECORDS><RECORD><CALL>W1AW</CALL><CALL>K1A</CALL></RECORD>"
     "<RECORD><CALL>DL1AB</CALL></RECORD></RECORDS></ADX>",
     "CALL=DL1AB|\n", "1: CALL appears twice in the record\n"},
    {"TextAfterRoot", "<ADX/>x", "", "1: text after the root element\n"},
};

INSTANTIATE_TEST_SUITE_P(Cases, AdxReader, ::testing::ValuesIn(kAdxCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(CsvWriter, UnionOfFieldsInFirstSeenOrderQuotedWhereNeeded)
{
    const OpenedLog log = openLog(TEST_DATA_DIR "/convert-mixed.adi", AdifMode::Classic);
    ASSERT_TRUE(log);
    EXPECT_EQ(writeCsv(*log.document),
              "CALL,QSO_DATE,TIME_ON,BAND,MODE,NAME,NOTES,APP_N1MM_EXCHANGE1,EPC,PROGRAMID,COMMENT,"
              "GRIDSQUARE,MY FIELD\r\n"
              "W1AW,20261209,0346,20m,CW,\"Jos\xC3\xA9, \"\"Pepe\"\"\",\"first line\r\nsecond "
              "line\",5NN 05,12,OtherLogger,\" leading blank\",,\r\n"
              "DL1ABC,20261209,0350,40m,SSB,,,59 14,,,,JO62,x&y\r\n");
}

}  // namespace
