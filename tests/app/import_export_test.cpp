// Import (Cabrillo with its preview, ADX, CSV) and File > Export driven
// through the window's actions, the scripted platform answering.

#include "window_fixture.h"

#include "export/save_flow.h"

#include <QComboBox>
#include <QDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableWidget>

#include <filesystem>

namespace vaziduvu::test {
namespace {

const std::string kCqWw = TEST_DATA_DIR "/cabrillo-cq-ww-cw.log";

std::vector<std::string> qsoLines(const std::string &text)
{
    std::vector<std::string> lines;
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(at, end - at);
        at = end + 1;
        if (line.find("QSO:") == std::string::npos)
            continue;
        std::string tokens;
        for (const char c : line + " ") {
            if (c == ' ' || c == '\r') {
                if (!tokens.empty() && tokens.back() != ' ')
                    tokens += ' ';
            } else {
                tokens += c;
            }
        }
        lines.push_back(tokens);
    }
    return lines;
}

// Answers the preview: notes what it showed, picks the template, presses
// Import (or Cancel when the template is empty).
ScriptedPlatform::ModalHandler preview(std::string templateName, std::string *shownTemplate,
                                       std::vector<std::string> *headings)
{
    return [=](QDialog &dialog) {
        auto *choice = dialog.findChild<QComboBox *>("templateChoice");
        auto *table = dialog.findChild<QTableWidget *>("previewTable");
        if (choice == nullptr || table == nullptr)
            return int(QDialog::Rejected);
        *shownTemplate = choice->currentText().toStdString();
        if (templateName.empty())
            return int(QDialog::Rejected);
        choice->setCurrentText(QString::fromStdString(templateName));
        for (int column = 0; column < table->columnCount(); ++column)
            headings->push_back(table->horizontalHeaderItem(column)->text().toStdString());
        dialog.accept();
        return int(QDialog::Accepted);
    };
}

class ImportExportTest : public WindowFixture { };

TEST_F(ImportExportTest, CabrilloImportedAfterItsPreviewAndExportedBackAsTheSameLines)
{
    std::string shown;
    std::vector<std::string> headings;
    platform.queueFileName(kCqWw);
    platform.queueModal(preview("CQ-WW", &shown, &headings));
    trigger(*form, "importCabrilloAction");

    EXPECT_EQ(shown, "CQ-WW");
    EXPECT_NE(std::find(headings.begin(), headings.end(), "CQZ"), headings.end());
    EXPECT_EQ(form->document().rowCount(), 6);
    const std::string report = form->loadReportText();
    for (const char *expected :
         {"Imported from Cabrillo:", "Contest:               CQ-WW-CW",
          "Template:              CQ-WW", "Contacts read:         5 (1 X-QSO)",
          "Lines not read:        0", "line 10: the mode DG has no ADIF mode"})
        EXPECT_NE(report.find(expected), std::string::npos) << expected << "\n" << report;
    EXPECT_NE(form->sourceViewText().find("START-OF-LOG: 3.0"), std::string::npos);

    platform.clearEvents();
    platform.queueFileName(pathIn("back.log"));
    trigger(*form, "exportCabrilloAction");
    EXPECT_TRUE(platform.eventsOfKind(ScriptedPlatform::EventKind::Modal).empty())
        << "the log names its contest and station";
    EXPECT_EQ(qsoLines(readFile(pathIn("back.log"))), qsoLines(readFile(kCqWw)));
    EXPECT_EQ(platform.messages().back(),
              "Information:|The log was exported as Cabrillo to " + pathIn("back.log") + ".");
}

TEST_F(ImportExportTest, AnotherTemplatePlacesTheExchangeElsewhere)
{
    std::string shown;
    std::vector<std::string> headings;
    platform.queueFileName(kCqWw);
    platform.queueModal(preview("GENERIC", &shown, &headings));
    trigger(*form, "importCabrilloAction");
    ASSERT_EQ(form->document().rowCount(), 6);
    EXPECT_NE(form->loadReportText().find("Template:              GENERIC"), std::string::npos);
    EXPECT_EQ(std::find(headings.begin(), headings.end(), "CQZ"), headings.end());
}

TEST_F(ImportExportTest, CancelledPreviewLoadsNothing)
{
    std::string shown;
    std::vector<std::string> headings;
    platform.queueFileName(kCqWw);
    platform.queueModal(preview("", &shown, &headings));
    trigger(*form, "importCabrilloAction");
    EXPECT_EQ(shown, "CQ-WW");
    EXPECT_FALSE(form->document().documentOpen());
}

TEST_F(ImportExportTest, UnsavedDataIsAskedAboutFirst)
{
    open(EXAMPLES_DIR "/clean-with-header.adi");
    editAndRestore(*form);
    ASSERT_TRUE(form->changeLightYellow());
    platform.clearEvents();
    platform.queueConfirm(false);
    platform.queueFileName(writeFile("log.csv", "CALL,QSO_DATE\nW1AW,20261209\n"));
    trigger(*form, "importCsvAction");
    ASSERT_FALSE(platform.events().empty());
    EXPECT_EQ(platform.events().front().kind, ScriptedPlatform::EventKind::Confirm);
    EXPECT_EQ(form->document().rowCount(), 2);
    EXPECT_EQ(form->document().text(1, 1), "W1AW");
}

struct ImportCase {
    const char *name;
    const char *action;
    const char *file;
    const char *text;
    int rows;              // grid rows after the import, the heading row included; 0: none
    const char *reported;  // a line of the load report
};

class ImportTest : public ImportExportTest, public ::testing::WithParamInterface<ImportCase> { };

TEST_P(ImportTest, LoadsWhatCanBeReadAndListsTheRest)
{
    platform.queueFileName(writeFile(GetParam().file, GetParam().text));
    trigger(*form, GetParam().action);
    EXPECT_EQ(form->document().documentOpen(), GetParam().rows > 0);
    if (GetParam().rows > 0) {
        EXPECT_EQ(form->document().rowCount(), GetParam().rows);
    }
    EXPECT_NE(form->loadReportText().find(GetParam().reported), std::string::npos)
        << form->loadReportText();
}

const ImportCase kImports[] = {
    {"CsvWithABadRow", "importCsvAction", "log.csv", "CALL,NAME\nW1AW,Bob\nK1ABC,\"Al\n", 2,
     "line 3: a quoted field opened on line 3 is never closed"},
    {"AdxRecords", "importAdxAction", "log.adx",
     "<ADX><RECORDS><RECORD><CALL>W1AW</CALL></RECORD><RECORD><CALL>K1A</CALL></RECORD>"
     "</RECORDS></ADX>",
     3, "Contacts read:         2"},
    {"AdxNotXml", "importAdxAction", "bad.adx", "<ADX><RECORDS>", 0, "Nothing was imported."},
};

INSTANTIATE_TEST_SUITE_P(Forms, ImportTest, ::testing::ValuesIn(kImports),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(ImportExportTest, CabrilloExportAsksForWhatTheLogDoesNotSay)
{
    openText("plain\n<EOH>\n<CALL:6>DL1ABC <QSO_DATE:8>20260329 <TIME_ON:4>0001 <FREQ:6>14.200 "
             "<MODE:2>CW <RST_SENT:3>599 <STX:1>7 <RST_RCVD:3>579 <SRX:3>123 <EOR>\n");
    bool asked = false;
    platform.queueModal([&asked](QDialog &dialog) {
        auto *choice = dialog.findChild<QComboBox *>("templateChoice");
        auto *call = dialog.findChild<QLineEdit *>("stationCallEdit");
        asked = choice != nullptr && call != nullptr;
        if (!asked)
            return int(QDialog::Rejected);
        choice->setCurrentText("CQ-WPX");
        call->setText("k1abc");
        dialog.accept();
        return int(dialog.result());
    });
    platform.queueFileName(pathIn("out.cbr"));
    trigger(*form, "exportCabrilloAction");
    EXPECT_TRUE(asked);
    const std::string text = readFile(pathIn("out.cbr"));
    EXPECT_NE(text.find("CALLSIGN: K1ABC\r\nCONTEST: CQ-WPX-CW\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("QSO: 14200 CW 2026-03-29 0001 K1ABC 599 7 DL1ABC 579 123\r\n"),
              std::string::npos)
        << text;
}

struct ExportCase {
    const char *action;
    const char *file;
    const char *expected;  // a part of the file written
};

class ExportTest : public ImportExportTest, public ::testing::WithParamInterface<ExportCase> { };

TEST_P(ExportTest, NeverOverwritesAndWritesTheForm)
{
    open(TEST_DATA_DIR "/convert-mixed.adi");
    const std::string taken = writeFile(std::string("taken") + GetParam().file, "keep me");
    platform.queueFileName(taken);
    platform.queueFileName(pathIn(GetParam().file));
    trigger(*form, GetParam().action);
    EXPECT_EQ(readFile(taken), "keep me");
    EXPECT_EQ(platform.messages().front(), std::string("Problem:|") + kExistingFileNameMessage);
    EXPECT_NE(readFile(pathIn(GetParam().file)).find(GetParam().expected), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Forms, ExportTest,
                         ::testing::Values(ExportCase{"exportAdxAction", "log.adx",
                                                      "<USERDEF FIELDNAME=\"EPC\">12</USERDEF>"},
                                           ExportCase{"exportCsvAction", "log.csv",
                                                      "CALL,QSO_DATE,TIME_ON,BAND,MODE,NAME"}));

TEST_F(ImportExportTest, FailedCheckWritesNoExport)
{
    openText("plain\n<EOH>\n<CALL:4>W1AW <QSO_DATE:8>20261399 <EOR>\n");
    platform.queueFileName(pathIn("out.csv"));
    trigger(*form, "exportCsvAction");
    EXPECT_FALSE(std::filesystem::exists(pathIn("out.csv")));
    EXPECT_EQ(platform.messages().back().rfind("Problem:|File could not be saved", 0), 0u)
        << platform.messages().back();
}

}  // namespace
}  // namespace vaziduvu::test
