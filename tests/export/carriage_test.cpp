// What the file formats cannot carry is refused, never written: names that
// would merge or are no XML names, brackets in ADIF values and comments,
// control characters in XML and HTML. And what they can carry is written so
// real parsers read it: every XML export parses with an XML parser, every
// HTML export with an HTML parser.
#include "adif/adif_file.h"
#include "document/log_document.h"
#include "export/writers.h"

#include "export_test_support.h"

#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace vaziduvu {
namespace {

using test::ColumnSpec;
using test::fillGrid;
using test::ScriptedExportHost;

struct RefusalCase {
    const char *title;
    ExportFormat format;
    std::vector<ColumnSpec> columns;
    std::vector<std::vector<std::string>> rows;
    std::string comment;  // of cell (1, 1)
    ExportStatus status;
    std::string said;  // part of the reason, or of the message of a failed check
};

class Refusals : public ::testing::TestWithParam<RefusalCase> { };

TEST_P(Refusals, NameWhatCannotBeWritten)
{
    const RefusalCase &c = GetParam();
    LogDocument document;
    fillGrid(document, c.columns, c.rows);
    document.editableCellInfo(1, 1)->comment = c.comment;
    ScriptedExportHost host;
    const ExportText built = buildExportText(c.format, document, host);
    EXPECT_EQ(built.result.status, c.status);
    const std::string said = c.status == ExportStatus::CheckFailed && !host.messages.empty()
        ? host.messages[0].second
        : built.result.reason;
    EXPECT_NE(said.find(c.said), std::string::npos) << said;
    if (c.status == ExportStatus::CheckFailed) {
        EXPECT_EQ(host.selections.size(), 1u);
    }
}

const std::vector<std::vector<std::string>> kTwoCells = {{"W1AW", "K1AB"}};

INSTANTIATE_TEST_SUITE_P(
    Table, Refusals,
    ::testing::Values(
        RefusalCase{"BlankBeforeAName",
                    ExportFormat::Adif,
                    {{"CALL"}, {" CALL"}},
                    kTwoCells,
                    "",
                    ExportStatus::Refused,
                    "Column 1 (\"CALL\") and Column 2 (\" CALL\") would both be written as CALL."},
        RefusalCase{"TabInAName",
                    ExportFormat::Xml,
                    {{"CALL\t"}, {"CALL"}},
                    kTwoCells,
                    "",
                    ExportStatus::Refused,
                    "would both be written as CALL"},
        RefusalCase{"LetterCase",
                    ExportFormat::Html,
                    {{"call"}, {"CALL"}},
                    kTwoCells,
                    "",
                    ExportStatus::Refused,
                    "would both be written as CALL"},
        RefusalCase{"EndOfRecordName",
                    ExportFormat::Adif,
                    {{"EOR\r "}},
                    {{"x"}},
                    "",
                    ExportStatus::Refused,
                    "EOR is the end-of-record marker"},
        RefusalCase{"DigitFirst",
                    ExportFormat::Xml,
                    {{"1ST"}},
                    {{"x"}},
                    "",
                    ExportStatus::Refused,
                    "\"1ST\" is not an XML name"},
        RefusalCase{"Ampersand",
                    ExportFormat::Xml,
                    {{"A&B"}},
                    {{"x"}},
                    "",
                    ExportStatus::Refused,
                    "not an XML name"},
        RefusalCase{"Blank",
                    ExportFormat::Xml,
                    {{"MY FIELD"}},
                    {{"x"}},
                    "",
                    ExportStatus::Refused,
                    "not an XML name"},
        RefusalCase{"CommentMarkup",
                    ExportFormat::Xml,
                    {{"!--"}},
                    {{"x"}},
                    "",
                    ExportStatus::Refused,
                    "not an XML name"},
        RefusalCase{"Attribute",
                    ExportFormat::Xml,
                    {{"X ID=\"1\" /"}},
                    {{"x"}},
                    "",
                    ExportStatus::Refused,
                    "not an XML name"},
        RefusalCase{"BracketInAValue",
                    ExportFormat::Adif,
                    {{"NAME"}},
                    {{"a<b"}},
                    "",
                    ExportStatus::CheckFailed,
                    "row 1, column NAME holds < or >"},
        RefusalCase{"RecordInAComment",
                    ExportFormat::Adif,
                    {{"CALL"}},
                    {{"W1AW"}},
                    "<EOR><CALL:4>EVIL",
                    ExportStatus::CheckFailed,
                    "holds < or >"},
        RefusalCase{"ControlInXml",
                    ExportFormat::Xml,
                    {{"NAME"}},
                    {{std::string("a\x01")}},
                    "",
                    ExportStatus::CheckFailed,
                    "control character (code 1)"},
        RefusalCase{"ControlInHtml",
                    ExportFormat::Html,
                    {{"NAME"}},
                    {{std::string("a\x1b")}},
                    "",
                    ExportStatus::CheckFailed,
                    "control character (code 27)"}),
    [](const auto &info) { return std::string(info.param.title); });

// Names and values an XML and an HTML file can hold, Latin-1 above 127 and
// line breaks included.
void fillReadable(LogDocument &document)
{
    fillGrid(document, {{"CALL"}, {"NAME"}, {"_MY.FIELD-2"}, {"\xC9TAT"}},
             {{"W1AW", "Ren\xE9 & <Co>", "line one\r\nline two\rthree", "caf\xE9"},
              {"K1AB", "tab\there", "", "\xFF"}});
}

TEST(XmlExport, ParsesWithTheDeclaredLatin1AndKeepsEveryCharacter)
{
    LogDocument document;
    fillReadable(document);
    ScriptedExportHost host;
    const ExportText built = buildExportText(ExportFormat::Xml, document, host);
    ASSERT_TRUE(built.result) << built.result.reason;

    QXmlStreamReader reader(QByteArray::fromStdString(built.text));
    QStringList values;
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::StartElement && reader.name() != u"NewDataSet"
            && reader.name() != u"DataRow")
            values << reader.name().toString() + QLatin1Char('=') + reader.readElementText();
    }
    ASSERT_FALSE(reader.hasError()) << reader.errorString().toStdString();
    EXPECT_EQ(values,
              (QStringList{QStringLiteral("CALL=W1AW"), QStringLiteral("NAME=Ren\u00e9 & <Co>"),
                           QStringLiteral("_MY.FIELD-2=line one\r\nline two\rthree"),
                           QStringLiteral("\u00c9TAT=caf\u00e9"), QStringLiteral("CALL=K1AB"),
                           QStringLiteral("NAME=tab\there"), QStringLiteral("_MY.FIELD-2="),
                           QStringLiteral("\u00c9TAT=\u00ff")}));
}

// libxml2's HTML parser, as a browser-like reader of the page.
TEST(HtmlExport, ParsesWithAnHtmlParser)
{
    if (std::system("command -v xmllint > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "xmllint (libxml2-utils) is not installed";
    LogDocument document;
    fillReadable(document);
    ScriptedExportHost host;
    const ExportText built = buildExportText(ExportFormat::Html, document, host);
    ASSERT_TRUE(built.result) << built.result.reason;
    test::TempFolder folder;
    test::writeBytes(folder.file("page.html"), built.text);
    const std::string command = "xmllint --html --noout --encode ISO-8859-1 '"
        + folder.file("page.html") + "' > '" + folder.file("errors") + "' 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << test::readBytes(folder.file("errors"));
    EXPECT_EQ(test::readBytes(folder.file("errors")), "");
}

// Every log the tests and examples hold that loads and passes its checks
// gives an XML export an XML parser reads to the end.
TEST(XmlExport, EveryLoadableFixtureParses)
{
    int exported = 0;
    for (const char *folder : {TEST_DATA_DIR, EXAMPLES_DIR}) {
        for (const auto &entry : std::filesystem::directory_iterator(folder)) {
            const std::string extension = entry.path().extension().string();
            if (extension != ".adi" && extension != ".badi")
                continue;
            AdifFile file;
            LogDocument document;
            if (!file.load(entry.path().string())
                || document.fillFrom(file) != LogDocument::FillResult::Filled)
                continue;
            ScriptedExportHost host;
            const ExportText built = buildExportText(ExportFormat::Xml, document, host);
            if (!built.result)
                continue;
            ++exported;
            QXmlStreamReader reader(QByteArray::fromStdString(built.text));
            while (!reader.atEnd())
                reader.readNext();
            EXPECT_FALSE(reader.hasError())
                << entry.path() << ": " << reader.errorString().toStdString();
        }
    }
    EXPECT_GT(exported, 5);
}

}  // namespace
}  // namespace vaziduvu
