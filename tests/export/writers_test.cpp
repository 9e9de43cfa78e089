#include "adif/adif_file.h"
#include "export/writers.h"

#include "export_test_support.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

namespace vaziduvu {
namespace {

using test::ColumnSpec;
using test::fillGrid;
using test::ScriptedExportHost;

const std::string kHeader = "Exported by application [VaziDuvu] \r\n  - by Corvantis, Inc.  "
                            "Export date: 12/31/25\r\n<EOH>\r\n";
const std::string kXmlHead
    = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" standalone=\"yes\"?>\r\n<NewDataSet>\r\n";
const std::string kPageHead
    = "<!DOCTYPE HTML PUBLIC \"- //W3C//DTD HTML 4.0//EN\"><HTML><HEAD><TITLE>HTML generated "
      "from .ADI file ...</TITLE><STYLE TYPE=\"text/css\">TD.lineitem {BACKGROUND-COLOR:#A0C8C0}"
      "TD.lineitem-odd {BACKGROUND-COLOR:#E0FFE0}</STYLE></HEAD><HR><B>Amateur Radio Data exported "
      "by Vaziduvu editor (beta version) - Corvantis, Inc.</B><BR><HR><TABLE cellspacing=0 "
      "cellPadding=2 width =100% border=0><TBODY>";
const std::string kPageEnd = "</TBODY></TABLE></BODY></HTML>";
const std::string kTd = "<TD class=lineitem valign=top>";
const std::string kTdOdd = "<TD class=lineitem-odd valign=top>";

std::string build(ExportFormat format, LogDocument &document, ScriptedExportHost &host)
{
    ExportText built = buildExportText(format, document, host);
    EXPECT_EQ(built.result.status, ExportStatus::Written) << built.result.reason;
    EXPECT_TRUE(host.messages.empty());
    return built.result ? built.text : "<failed>";
}

// --- ADIF -------------------------------------------------------------------

TEST(AdifWriter, WritesHeaderTagsAndRecordEnds)
{
    LogDocument document;
    fillGrid(document, {{"CALL"}, {"QSO_DATE", TypeDate, true}},
             {{"W1ABC", "20040105"}, {"K2XYZ", "20040106"}, {"N3Q", "20040107"}});
    ScriptedExportHost host;
    EXPECT_EQ(build(ExportFormat::Adif, document, host),
              kHeader
                  + "<CALL:5>W1ABC<QSO_DATE:8:D>20040105<EOR>\r\n"
                    "<CALL:5>K2XYZ<QSO_DATE:8:D>20040106<EOR>\r\n"
                    "<CALL:3>N3Q<QSO_DATE:8:D>20040107<EOR>\r\n");
}

// A log without records is still an ADIF log: the header makes it one.
TEST(AdifWriter, EmptyGridGivesTheHeader)
{
    LogDocument document;
    fillGrid(document, {{"CALL"}}, {});
    ScriptedExportHost host;
    EXPECT_EQ(build(ExportFormat::Adif, document, host), kHeader);
}

TEST(AdifWriter, ValuesAreTrimmedAndLengthsRecountedInBytes)
{
    LogDocument document;
    fillGrid(document, {{"CALL"}, {"NAME"}, {"COMMENT"}}, {{" W1ABC ", "Ren\xE9", ""}});
    document.editableCellInfo(1, 1)->declaredLength = 9;  // the source length no longer fits
    ScriptedExportHost host;
    EXPECT_EQ(build(ExportFormat::Adif, document, host),
              kHeader + "<CALL:5>W1ABC<NAME:4>Ren\xE9<COMMENT:0><EOR>\r\n");
    EXPECT_EQ(document.text(1, 1), "W1ABC");  // the date check trimmed the grid too
}

TEST(AdifWriter, CommentsFollowTheValueUncounted)
{
    LogDocument document;
    fillGrid(document, {{"CALL"}, {"BAND"}}, {{"W1ABC", "20M"}});
    document.editableCellInfo(1, 1)->comment = "worked twice";
    document.editableCellInfo(2, 1)->comment = "\r\n";
    ScriptedExportHost host;
    EXPECT_EQ(build(ExportFormat::Adif, document, host),
              kHeader + "<CALL:5>W1ABCworked twice<BAND:3>20M\r\n<EOR>\r\n");
}

TEST(AdifWriter, RecordTrailersEndTheirRows)
{
    LogDocument document;
    fillGrid(document, {{"CALL"}}, {{"A1"}, {"B2"}, {"C3"}});
    document.setRecordTrailer(0, "\r\n\r\n");
    document.setRecordTrailer(1, "");
    document.setRecordTrailer(2, " end\n");
    ScriptedExportHost host;
    EXPECT_EQ(build(ExportFormat::Adif, document, host),
              kHeader + "<CALL:2>A1<EOR>\r\n\r\n<CALL:2>B2<EOR>\r\n<CALL:2>C3<EOR> end\n");
}

TEST(AdifWriter, TypeLetterFollowsEachCell)
{
    LogDocument document;
    fillGrid(document, {{"FREQ", TypeNumber, true}, {"APP_X", TypeOtherLetter, true}},
             {{"14.1", "a"}, {"7", "b"}});
    // The second row's own tag carried another letter: it keeps it, so the
    // file reads back with the type its checks ran on.
    document.editableCellInfo(1, 2)->dataType = TypeCharacter;
    // A record without the letter gets none.
    document.editableCellInfo(2, 2)->hasType = false;
    ScriptedExportHost host;
    EXPECT_EQ(build(ExportFormat::Adif, document, host),
              kHeader + "<FREQ:4:N>14.1<APP_X:1:Z>a<EOR>\r\n<FREQ:1:C>7<APP_X:1>b<EOR>\r\n");
}

TEST(AdifWriter, FieldNameComesFromTheRecordsNotTheHeading)
{
    LogDocument document;
    fillGrid(document, {{"CALL"}}, {{"W1ABC"}});
    document.setText(1, 0, "Typed Heading");
    ScriptedExportHost host;
    EXPECT_EQ(build(ExportFormat::Adif, document, host), kHeader + "<CALL:5>W1ABC<EOR>\r\n");
}

TEST(AdifWriter, EnumeratedValuesAreWrittenAsStored)
{
    LogDocument document;
    fillGrid(document, {{"BAND"}, {"MODE"}, {"QSL_SENT"}}, {{"20m", " cw", "y"}});
    ScriptedExportHost host;
    EXPECT_EQ(build(ExportFormat::Adif, document, host),
              kHeader + "<BAND:3>20M<MODE:2>CW<QSL_SENT:1>Y<EOR>\r\n");
    EXPECT_EQ(document.text(2, 1), "CW");
}

struct OmissionCase {
    const char *title;
    bool omit;
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> comments;  // of column 2, row by row
    std::string body;                   // after the header
};

class AdifOmission : public ::testing::TestWithParam<OmissionCase> { };

TEST_P(AdifOmission, BlankCellsKeepOrLoseTheirTags)
{
    const OmissionCase &c = GetParam();
    LogDocument document;
    fillGrid(document, {{"CALL"}, {"COMMENT"}}, c.rows);
    for (size_t r = 0; r < c.comments.size(); ++r)
        document.editableCellInfo(2, static_cast<int>(r) + 1)->comment = c.comments[r];
    ScriptedExportHost host;
    host.omit = c.omit;
    EXPECT_EQ(build(ExportFormat::Adif, document, host), kHeader + c.body);
}

INSTANTIATE_TEST_SUITE_P(
    Table, AdifOmission,
    ::testing::Values(
        OmissionCase{"OffWritesBlankTags",
                     false,
                     {{"W1ABC", ""}},
                     {""},
                     "<CALL:5>W1ABC<COMMENT:0><EOR>\r\n"},
        OmissionCase{"OnDropsBlankTags", true, {{"W1ABC", "  "}}, {" "}, "<CALL:5>W1ABC<EOR>\r\n"},
        OmissionCase{"OnKeepsBlankWithComment",
                     true,
                     {{"W1ABC", ""}},
                     {"note"},
                     "<CALL:5>W1ABC<COMMENT:0>note<EOR>\r\n"},
        OmissionCase{"OnDropsBlankRows",
                     true,
                     {{"A1", ""}, {" ", ""}, {"", "x"}},
                     {"", "", ""},
                     "<CALL:2>A1<EOR>\r\n<COMMENT:1>x<EOR>\r\n"},
        OmissionCase{
            "OnAllBlankGivesOnlyTheHeader", true, {{"", ""}, {" ", "\t"}}, {"", "\r\n"}, ""},
        OmissionCase{
            "OffAllBlankStillWritten", false, {{"", ""}}, {""}, "<CALL:0><COMMENT:0><EOR>\r\n"}),
    [](const ::testing::TestParamInfo<OmissionCase> &info) { return info.param.title; });

TEST(AdifWriter, ReportsProgressAfterEachRowOfTheSizingPass)
{
    LogDocument document;
    fillGrid(document, {{"CALL"}}, {{"A1"}, {"B2"}});
    ScriptedExportHost host;
    build(ExportFormat::Adif, document, host);
    EXPECT_EQ(host.progress,
              (std::vector<std::string>{"Prep Row : 1", "Prep Row : 2",
                                        "Working to finish the file writing operation ... "}));
    EXPECT_EQ(host.lastFlags, (std::vector<bool>{false, false, true}));
}

// --- checks and their order ------------------------------------------------

struct FailureCase {
    const char *title;
    ExportFormat format;
    std::vector<ColumnSpec> columns;
    std::vector<std::vector<std::string>> rows;
    std::string message;
    std::pair<int, int> cell;  // column, row
};

class CheckFailures : public ::testing::TestWithParam<FailureCase> { };

TEST_P(CheckFailures, FirstFailingCheckIsReportedAndStopsTheExport)
{
    const FailureCase &c = GetParam();
    LogDocument document;
    fillGrid(document, c.columns, c.rows);
    ScriptedExportHost host;
    EXPECT_EQ(buildExportText(c.format, document, host).result.status, ExportStatus::CheckFailed);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].first, "Problem:");
    EXPECT_EQ(host.messages[0].second, c.message);
    EXPECT_EQ(host.selections, (std::vector<std::pair<int, int>>{c.cell}));
}

const std::string kDateMessage = "Check your date columns ... incorrect date formats were found.";
const std::string kTimeMessage = "Check your time columns ... incorrect time formats were found.";
const std::string kNumberMessage
    = "Check your numeric columns ... incorrect numeric data was found.";
const std::string kBandMessage = "Check your 'Band' columns ... incorrect band values were found.";

const std::vector<ColumnSpec> kMixedColumns
    = {{"BAND"}, {"QSO_DATE", TypeDate, true}, {"TIME_ON", TypeTime}, {"FREQ", TypeNumber}};

INSTANTIATE_TEST_SUITE_P(
    Table, CheckFailures,
    ::testing::Values(
        // A date error in the last row is found before a band error in the first.
        FailureCase{"DateInLastRowBeforeBandInFirst",
                    ExportFormat::Adif,
                    kMixedColumns,
                    {{"21M", "20040101", "1200", "14"}, {"20M", "20040132", "1200", "14"}},
                    kDateMessage,
                    {2, 2}},
        FailureCase{"TimeBeforeBand",
                    ExportFormat::Adif,
                    kMixedColumns,
                    {{"21M", "20040101", "1200", "14"}, {"20M", "20040101", "2460", "14"}},
                    kTimeMessage,
                    {3, 2}},
        FailureCase{"NumberBeforeBand",
                    ExportFormat::Xml,
                    kMixedColumns,
                    {{"21M", "20040101", "1200", "14"}, {"20M", "20040101", "1200", "-14"}},
                    kNumberMessage,
                    {4, 2}},
        FailureCase{"RowMajorOrderInTheSizingPass",
                    ExportFormat::Html,
                    kMixedColumns,
                    {{"20M", "20040101", "1200", "x"}, {"20M", "2004", "1200", "14"}},
                    kNumberMessage,
                    {4, 1}},
        FailureCase{"BandOnceFormatsPass",
                    ExportFormat::Adif,
                    kMixedColumns,
                    {{"20M", "20040101", "1200", "14"}, {"21m", "20040101", "1200", "14"}},
                    kBandMessage,
                    {1, 2}},
        FailureCase{"AdifQslMessage",
                    ExportFormat::Adif,
                    {{"QSL_SENT"}, {"SAT_NAME"}},
                    {{"Q", "AO-99"}},
                    "Check your 'QSL S/R Flag' columns ... incorrect indicator flags were found.",
                    {1, 1}},
        FailureCase{"XmlQslMessage",
                    ExportFormat::Xml,
                    {{"QSL_SENT"}},
                    {{"Q"}},
                    "Check your 'QSL Flag' columns ... incorrect QSL S/R flags were found.",
                    {1, 1}},
        FailureCase{"AdifSatelliteMessage",
                    ExportFormat::Adif,
                    {{"SAT_NAME"}},
                    {{"AO-99"}},
                    "Check your 'Satellite Name' columns ... incorrect Satellite names were "
                    "found.",
                    {1, 1}},
        FailureCase{"HtmlSatelliteMessage",
                    ExportFormat::Html,
                    {{"SAT_NAME"}},
                    {{"AO-99"}},
                    "Check your 'Satellite' columns ... incorrect satellite names were found.",
                    {1, 1}},
        FailureCase{"PropagationMode",
                    ExportFormat::Xml,
                    {{"PROP_MODE"}},
                    {{"AVE"}},
                    "Check your 'Propagation Modes' columns ... incorrect propagation-mode "
                    "values were found.",
                    {1, 1}},
        FailureCase{"ModeBeforeStateInOneRow",
                    ExportFormat::Adif,
                    {{"STATE"}, {"MODE"}},
                    {{"WY", "CWX"}, {"ZZ", "CW"}},
                    "Check your 'Mode' columns ... incorrect mode values were found.",
                    {2, 1}}),
    [](const ::testing::TestParamInfo<FailureCase> &info) { return info.param.title; });

TEST(CheckFailures, RewritesOfPassedChecksStayAfterAFailure)
{
    LogDocument document;
    fillGrid(document, {{"CALL"}, {"MODE"}, {"BAND"}}, {{" w1abc ", "cw", "99M"}});
    document.setText(2, 0, "mode");
    ScriptedExportHost host;
    EXPECT_FALSE(buildExportText(ExportFormat::Adif, document, host).result);
    EXPECT_EQ(document.text(1, 1), "w1abc");
    EXPECT_EQ(document.text(2, 1), "CW");
    EXPECT_EQ(document.text(2, 0), "MODE");
    EXPECT_EQ(document.text(3, 1), "99M");
}

// --- the column gate -------------------------------------------------------

enum class Spoil { NoRecords, InvalidType, NoName, BlankName };

class ColumnGate : public ::testing::TestWithParam<std::tuple<ExportFormat, Spoil>> { };

TEST_P(ColumnGate, StopsWithoutMessageAndKeepsTheStatus)
{
    const auto [format, spoil] = GetParam();
    LogDocument document;
    fillGrid(document, {{"CALL"}, {"BAND"}}, {{"W1ABC", "20M"}, {"K2XYZ", "40M"}});
    for (int row = 1; row <= 2; ++row) {
        switch (spoil) {
        case Spoil::NoRecords:
            document.releaseCellInfo(2, row);
            break;
        case Spoil::InvalidType:
            document.editableCellInfo(2, row)->dataType = TypeInvalid;
            break;
        case Spoil::NoName:
            document.editableCellInfo(2, row)->name.clear();
            break;
        case Spoil::BlankName:
            document.editableCellInfo(2, row)->name = "  ";
            break;
        }
    }
    ScriptedExportHost host;
    const ExportResult result = buildExportText(format, document, host).result;
    EXPECT_EQ(result.status, ExportStatus::Refused);
    EXPECT_NE(result.reason.find("Column 2 (\"BAND\")"), std::string::npos) << result.reason;
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(host.selections.empty());
}

INSTANTIATE_TEST_SUITE_P(Table, ColumnGate,
                         ::testing::Combine(::testing::Values(ExportFormat::Adif, ExportFormat::Xml,
                                                              ExportFormat::Html),
                                            ::testing::Values(Spoil::NoRecords, Spoil::InvalidType,
                                                              Spoil::NoName, Spoil::BlankName)));

TEST(ColumnGate, MissingRecordsAreCreatedFromTheColumnTemplate)
{
    LogDocument document;
    fillGrid(document, {{"CALL"}, {"QSO_DATE", TypeDate, true}}, {{"W1ABC", "20040101"}});
    // A row added after loading has texts but no records yet.
    document.setSize(3, 3);
    document.setText(1, 2, "K2XYZ");
    document.setText(2, 2, "20040102");
    ScriptedExportHost host;
    EXPECT_EQ(build(ExportFormat::Adif, document, host),
              kHeader
                  + "<CALL:5>W1ABC<QSO_DATE:8:D>20040101<EOR>\r\n"
                    "<CALL:5>K2XYZ<QSO_DATE:8:D>20040102<EOR>\r\n");
    ASSERT_NE(document.cellInfo(2, 2), nullptr);
    EXPECT_EQ(document.cellInfo(2, 2)->name, "QSO_DATE");
    EXPECT_EQ(document.cellInfo(2, 2)->value, "");
}

// --- XML ---------------------------------------------------------------------

TEST(XmlWriter, OneElementPerRecordOneLinePerRecord)
{
    LogDocument document;
    fillGrid(document, {{"CALL"}, {"BAND"}}, {{"W1ABC", "20M"}, {"K2XYZ", "40m"}});
    ScriptedExportHost host;
    EXPECT_EQ(build(ExportFormat::Xml, document, host),
              kXmlHead
                  + "    <DataRow>\r\n        <CALL>W1ABC</CALL><BAND>20M</BAND>\r\n"
                    "    </DataRow>\r\n"
                    "    <DataRow>\r\n        <CALL>K2XYZ</CALL><BAND>40M</BAND>\r\n"
                    "    </DataRow>\r\n</NewDataSet>");
}

TEST(XmlWriter, EmptyGridGivesHeadAndEnd)
{
    LogDocument document;
    fillGrid(document, {{"CALL"}}, {});
    ScriptedExportHost host;
    EXPECT_EQ(build(ExportFormat::Xml, document, host), kXmlHead + "</NewDataSet>");
}

TEST(XmlWriter, BlankCellsCommentsAndTheOptionDoNotMatter)
{
    LogDocument document;
    fillGrid(document, {{"CALL"}, {"COMMENT"}}, {{" W1ABC ", ""}});
    document.editableCellInfo(1, 1)->comment = "worked twice";
    document.editableCellInfo(2, 1)->comment = "note";
    document.setRecordTrailer(0, "\r\n\r\n");
    ScriptedExportHost host;
    host.omit = true;
    EXPECT_EQ(build(ExportFormat::Xml, document, host),
              kXmlHead
                  + "    <DataRow>\r\n        <CALL>W1ABC</CALL><COMMENT></COMMENT>\r\n"
                    "    </DataRow>\r\n</NewDataSet>");
}

TEST(XmlWriter, MarkupCharactersInValuesAreEscaped)
{
    LogDocument document;
    fillGrid(document, {{"COMMENT"}}, {{"R&R <73> \"ok\" 'x'"}});
    ScriptedExportHost host;
    EXPECT_EQ(build(ExportFormat::Xml, document, host),
              kXmlHead
                  + "    <DataRow>\r\n        <COMMENT>R&amp;R &lt;73&gt; \"ok\" 'x'</COMMENT>\r\n"
                    "    </DataRow>\r\n</NewDataSet>");
    EXPECT_EQ(document.text(1, 1), "R&R <73> \"ok\" 'x'");  // the grid keeps the plain text
}

// --- HTML --------------------------------------------------------------------

TEST(HtmlWriter, HeadingRowThenAlternatingRows)
{
    LogDocument document;
    fillGrid(document, {{"CALL"}, {"BAND"}}, {{"W1ABC", "20M"}, {"K2XYZ", "40M"}});
    ScriptedExportHost host;
    EXPECT_EQ(build(ExportFormat::Html, document, host),
              kPageHead + "\n<TR>" + kTd + "<U>CALL</U></TD>" + kTd + "<U>BAND</U></TD></TR>"
                  + "<TR>" + kTdOdd + "W1ABC</TD>\n" + kTdOdd + "20M</TD>\n</TR>\n" + "<TR>" + kTd
                  + "K2XYZ</TD>\n" + kTd + "40M</TD>\n</TR>\n" + kPageEnd);
}

TEST(HtmlWriter, HeadingsAreNormalisedInThePageAndTheGrid)
{
    LogDocument document;
    fillGrid(document, {{"CALL"}}, {{"W1ABC"}});
    document.setText(1, 0, " call\t");
    ScriptedExportHost host;
    EXPECT_EQ(build(ExportFormat::Html, document, host),
              kPageHead + "\n<TR>" + kTd + "<U>CALL</U></TD></TR><TR>" + kTdOdd
                  + "W1ABC</TD>\n</TR>\n" + kPageEnd);
    EXPECT_EQ(document.text(1, 0), "CALL");
}

TEST(HtmlWriter, MarkupCharactersInValuesAndHeadingsAreEscaped)
{
    LogDocument document;
    fillGrid(document, {{"COMMENT"}}, {{"a<b & c>d"}});
    document.setText(1, 0, "x&y<z>");
    ScriptedExportHost host;
    EXPECT_EQ(build(ExportFormat::Html, document, host),
              kPageHead + "\n<TR>" + kTd + "<U>X&amp;Y&lt;Z&gt;</U></TD></TR><TR>" + kTdOdd
                  + "a&lt;b &amp; c&gt;d</TD>\n</TR>\n" + kPageEnd);
}

TEST(HtmlWriter, GridWithoutDataRowsGivesHeadingsAndPageEnd)
{
    LogDocument document;
    fillGrid(document, {{"CALL"}, {"BAND"}}, {});
    ScriptedExportHost host;
    EXPECT_EQ(build(ExportFormat::Html, document, host),
              kPageHead + "\n<TR>" + kTd + "<U>CALL</U></TD>" + kTd + "<U>BAND</U></TD></TR>"
                  + kPageEnd);
}

TEST(HtmlWriter, CommentsAndTheOptionHaveNoEffect)
{
    LogDocument document;
    fillGrid(document, {{"CALL"}, {"COMMENT"}}, {{"W1ABC", ""}});
    document.editableCellInfo(1, 1)->comment = "worked twice";
    ScriptedExportHost plain;
    const std::string expected = build(ExportFormat::Html, document, plain);
    ScriptedExportHost omitting;
    omitting.omit = true;
    EXPECT_EQ(build(ExportFormat::Html, document, omitting), expected);
    EXPECT_EQ(expected.find("worked"), std::string::npos);
    EXPECT_NE(expected.find(kTdOdd + "</TD>\n"), std::string::npos);
}

// Records with no field column (a log of bare "<EOR>" markers): nothing to
// write for them, and the page and document stay well-formed.
struct NoFieldCase {
    ExportFormat format;
    std::string text;
};

class RowsWithoutFields : public ::testing::TestWithParam<NoFieldCase> { };

TEST_P(RowsWithoutFields, WriteNoRecordElements)
{
    LogDocument document;
    fillGrid(document, {}, {{}, {}});
    ScriptedExportHost host;
    EXPECT_EQ(build(GetParam().format, document, host), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, RowsWithoutFields,
    ::testing::Values(NoFieldCase{ExportFormat::Adif, kHeader},
                      NoFieldCase{ExportFormat::Xml, kXmlHead + "</NewDataSet>"},
                      NoFieldCase{ExportFormat::Html, kPageHead + "\n<TR></TR>" + kPageEnd}));

// --- the writers write what they build --------------------------------------

// A text of several pieces goes to its file while it is built; whatever
// ends the writing pass early leaves nothing in the folder.
void fillLargeGrid(LogDocument &document, const std::string &lastBand)
{
    const std::vector<ColumnSpec> columns{{"NOTES"},   {"COMMENT"}, {"QTH"}, {"NAME"},
                                          {"ADDRESS"}, {"RIG"},     {"BAND"}};
    std::vector<std::vector<std::string>> rows(3500);
    for (size_t r = 0; r < rows.size(); ++r) {
        for (size_t c = 0; c + 1 < columns.size(); ++c)
            rows[r].push_back(std::string(240, static_cast<char>('a' + (r + c) % 26)) + "&");
        rows[r].push_back(r + 1 == rows.size() ? lastBand : "20M");
    }
    fillGrid(document, columns, rows);
}

ExportResult exportTo(ExportFormat format, LogDocument &document, const std::string &path,
                      ScriptedExportHost &host)
{
    switch (format) {
    case ExportFormat::Adif:
        return exportAdif(document, path, host);
    case ExportFormat::Xml:
        return exportXml(document, path, host);
    case ExportFormat::Html:
        return exportHtml(document, path, host);
    }
    return {};
}

class WritersToFile : public ::testing::TestWithParam<ExportFormat> { };

TEST_P(WritersToFile, FileHoldsExactlyTheBuiltText)
{
    LogDocument document;
    fillGrid(document, {{"CALL"}, {"BAND"}}, {{"W1ABC", "20m"}, {"K2XYZ", "40M"}});
    ScriptedExportHost host;
    const std::string expected = build(GetParam(), document, host);
    test::TempFolder folder;
    const ExportResult written = exportTo(GetParam(), document, folder.file("out"), host);
    EXPECT_TRUE(written) << written.reason;
    EXPECT_EQ(test::readBytes(folder.file("out")), expected);
}

INSTANTIATE_TEST_SUITE_P(Formats, WritersToFile,
                         ::testing::Values(ExportFormat::Adif, ExportFormat::Xml,
                                           ExportFormat::Html));

TEST_P(WritersToFile, LargeTextIsWrittenWhileBuilt)
{
    LogDocument document;
    fillLargeGrid(document, "40M");
    ScriptedExportHost host;
    const std::string expected = build(GetParam(), document, host);
    ASSERT_GT(expected.size(), size_t{4} << 20);
    test::TempFolder folder;
    const ExportResult written = exportTo(GetParam(), document, folder.file("out"), host);
    EXPECT_TRUE(written) << written.reason;
    EXPECT_EQ(test::readBytes(folder.file("out")), expected);
    EXPECT_EQ(test::filesIn(folder.path()), (std::vector<std::string>{"out"}));
}

struct EarlyEndCase {
    const char *title;
    ExportStatus status;
    const char *reason;  // part of a refusal's reason
};

class EarlyEnds : public ::testing::TestWithParam<EarlyEndCase> { };

TEST_P(EarlyEnds, LeaveNothingBehind)
{
    const EarlyEndCase &c = GetParam();
    const std::string title = c.title;
    LogDocument document;
    fillLargeGrid(document, title == "CheckInTheLastRow" ? "99M" : "40M");
    ScriptedExportHost host;
    if (title == "StopNearTheEnd")
        host.stopAfterRows = 3500 + 3400;  // the sizing pass, then most of the writing pass
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    if (title == "FileSizeLimit") {
        rlimit limited = saved;
        limited.rlim_cur = 1 << 20;
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    }
    test::TempFolder folder;
    const ExportResult result = exportAdif(document, folder.file("out.adi"), host);
    setrlimit(RLIMIT_FSIZE, &saved);

    EXPECT_EQ(result.status, c.status);
    EXPECT_NE(result.reason.find(c.reason), std::string::npos) << result.reason;
    EXPECT_TRUE(test::filesIn(folder.path()).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, EarlyEnds,
    ::testing::Values(EarlyEndCase{"CheckInTheLastRow", ExportStatus::CheckFailed, ""},
                      EarlyEndCase{"StopNearTheEnd", ExportStatus::Stopped, ""},
                      EarlyEndCase{"FileSizeLimit", ExportStatus::Refused,
                                   "larger than this system allows"}),
    [](const auto &info) { return std::string(info.param.title); });

TEST(WritersToFile, FailedCheckCreatesNoFile)
{
    LogDocument document;
    fillGrid(document, {{"BAND"}}, {{"99M"}});
    ScriptedExportHost host;
    test::TempFolder folder;
    EXPECT_EQ(exportAdif(document, folder.file("out.adi"), host).status, ExportStatus::CheckFailed);
    EXPECT_FALSE(test::fileExists(folder.file("out.adi")));
}

TEST(WritersToFile, EmptyAdifGridReadsBackAsAnEmptyLog)
{
    LogDocument document;
    fillGrid(document, {{"CALL"}}, {});
    ScriptedExportHost host;
    test::TempFolder folder;
    EXPECT_TRUE(exportAdif(document, folder.file("out.adi"), host));
    AdifFile again;
    ASSERT_TRUE(again.load(folder.file("out.adi")));
    EXPECT_TRUE(again.result());
    EXPECT_EQ(again.contactCount(), 0);
}

}  // namespace
}  // namespace vaziduvu
