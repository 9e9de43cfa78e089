// Opening logs in the real window: the grid, the report, the source view,
// the status bar, refusals and format errors.
#include "app/text_views.h"
#include "window_fixture.h"

#include "adif/adif_file.h"
#include "app/grid_delegate.h"
#include "app/grid_model.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QDragEnterEvent>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QUrl>

namespace vaziduvu::test {
namespace {

using Kind = ScriptedPlatform::EventKind;

const std::string kSummary = "Summary of file ... \r\n";
const std::string kFailedStatus = " If your file did not load, fix the format violation ... ";

std::string record(const std::string &call, const std::string &band)
{
    return "<CALL:" + std::to_string(call.size()) + ">" + call
        + "<BAND:" + std::to_string(band.size()) + ">" + band + "<EOR>\r\n";
}

class LoadTest : public WindowFixture { };

TEST_F(LoadTest, CleanLogFillsGridReportAndStatusBar)
{
    const std::string log = "Test log\r\n<EOH>\r\n" + record("W1AW", "20M") + record("K1ABC", "40M")
        + "<CALL:4>N0XX<MODE:2>CW<EOR>\r\n\r\n";
    const std::string path = writeFile("clean.adi", log);
    open(path);

    LogDocument &doc = form->document();
    ASSERT_TRUE(doc.documentOpen());
    EXPECT_EQ(doc.columnCount(), 4);
    EXPECT_EQ(doc.rowCount(), 4);
    EXPECT_EQ(doc.text(0, 0), "RECORD #");
    EXPECT_EQ(doc.text(1, 0), "CALL");
    EXPECT_EQ(doc.text(2, 0), "BAND");
    EXPECT_EQ(doc.text(3, 0), "MODE");
    EXPECT_EQ(doc.text(0, 3), "3");
    EXPECT_EQ(doc.text(1, 2), "K1ABC");
    EXPECT_EQ(doc.text(3, 3), "CW");
    EXPECT_EQ(doc.text(2, 3), "");
    EXPECT_EQ(doc.cellInfo(2, 3), nullptr);
    EXPECT_EQ(doc.recordTrailer(1), "\r\n");
    EXPECT_EQ(doc.recordTrailer(2), "");  // no tag follows the last marker
    EXPECT_EQ(gridModel(*form).rowCount(), 3);
    EXPECT_EQ(gridModel(*form).columnCount(), 3);

    // 1 for the header marker + 3 x 3 tags.
    EXPECT_EQ(form->loadReportText(),
              kSummary
                  + "\r\nHeader Markers OK?      Yes\r\n"
                    "Left  Brackets:         10\r\n"
                    "Right Brackets:         10\r\n"
                    "End-Record Markers:     3\r\n");
    EXPECT_EQ(form->sourceViewText(), "SOURCE FILE:  (read only)\r\n\r\n" + log);
    EXPECT_EQ(form->sourceSelection(), std::make_pair(29, 8));  // "Test log"
    EXPECT_EQ(form->statusText(0), "1 : 1");
    EXPECT_EQ(form->statusText(1),
              "Current file size >>> " + std::to_string(log.size()) + " bytes ");
    EXPECT_EQ(form->statusText(2), "");
    EXPECT_EQ(form->caption(), " File: " + path);
    EXPECT_TRUE(form->changeLightVisible());
    EXPECT_FALSE(form->changeLightYellow());
    EXPECT_FALSE(child<QTableView>(*form, "gridView")->isHidden());
    EXPECT_FALSE(child<QLabel>(*form, "changeLegend")->isHidden());
    EXPECT_TRUE(child<QLabel>(*form, "startupImage")->isHidden());
    EXPECT_TRUE(platform.busyBalanced());
    EXPECT_TRUE(child<QLabel>(*form, "busyBanner")->isHidden());
    EXPECT_TRUE(platform.messages().empty());

    const auto dialogs = platform.eventsOfKind(Kind::OpenDialog);
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].fileOptions.defaultExtension, "adi");
    EXPECT_EQ(dialogs[0].fileOptions.filter, "ADIF logs|*.adi;*.adif;*.badi|All files|*");
    EXPECT_EQ(dialogs[0].fileOptions.initialDirectory, platform.currentDirectoryText);
}

// The file dialogs start in the folder last used: the opened log's, then
// the folder a log was saved to.
TEST_F(LoadTest, DialogsStartInTheFolderLastUsed)
{
    QDir(QString::fromStdString(pathIn(""))).mkdir("logs");
    QDir(QString::fromStdString(pathIn(""))).mkdir("saved");
    open(writeFile("logs/a.adi", record("W1AW", "20M")));
    platform.queueFileName(pathIn("saved/out.adi"));
    trigger(*form, "saveAsAction");
    open(writeFile("logs/b.adi", record("K1AB", "40M")));
    const auto opens = platform.eventsOfKind(Kind::OpenDialog);
    const auto saves = platform.eventsOfKind(Kind::SaveDialog);
    ASSERT_EQ(opens.size(), 2u);
    ASSERT_EQ(saves.size(), 1u);
    EXPECT_EQ(saves[0].fileOptions.initialDirectory, pathIn("logs"));
    EXPECT_EQ(opens[1].fileOptions.initialDirectory, pathIn("saved"));
}

// A log named on the command line, handed over by a second start or dropped
// on the window opens as File > Open would open it, after the usual question.
TEST_F(LoadTest, OpenFileFromOutsideLoadsAfterTheQuestion)
{
    openText(record("W1AW", "20M"));
    editAndRestore(*form);
    platform.queueConfirm(false);
    form->openFile(writeFile("second.adi", record("K1ABC", "40M")));
    EXPECT_EQ(platform.eventsOfKind(Kind::Confirm).size(), 1u);
    EXPECT_EQ(platform.eventsOfKind(Kind::OpenDialog).size(), 1u);  // only the first open
    EXPECT_EQ(form->document().text(1, 1), "K1ABC");
    EXPECT_EQ(form->caption(), " File: " + pathIn("second.adi"));
}

TEST_F(LoadTest, DroppedFileOpens)
{
    const std::string path = writeFile("dropped.adi", record("K1ABC", "40M"));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form.get(), &drop);
    EXPECT_EQ(form->document().text(1, 1), "K1ABC");
    EXPECT_TRUE(platform.eventsOfKind(Kind::OpenDialog).empty());
}

TEST_F(LoadTest, RecordWithoutItsMarkerIsLoadedAndReported)
{
    openText("<CALL:4>W1AW<EOR><CALL:4>K1AB<QSO_DATE:8>20040106");
    ASSERT_EQ(form->document().recordCount(), 2);
    EXPECT_EQ(form->document().text(2, 2), "20040106");
    EXPECT_NE(form->loadReportText().find("End-Record Markers:     1\r\n\r\nThe last record has no "
                                          "<EOR>\r\n(it starts at character 17).\r\nIt is loaded "
                                          "as the last record.\r\n"),
              std::string::npos)
        << form->loadReportText();
}

TEST_F(LoadTest, LogWithoutHeaderReportsNotApplicableAndDiscrepancies)
{
    openText("<CALL:6>W1AW<EOR>\r\n");
    ASSERT_TRUE(form->document().documentOpen());
    EXPECT_EQ(form->loadReportText(),
              kSummary
                  + "\r\nHeader Markers OK?      NA \r\n"
                    "Left  Brackets:         2\r\n"
                    "Right Brackets:         2\r\n"
                    "End-Record Markers:     1\r\n");
    EXPECT_EQ(form->statusText(2), " Length discrepencies found (in yellow text) ");
}

TEST_F(LoadTest, RepeatedFieldsKeepEveryLaterContact)
{
    // Each record repeats CALL many times: every record must still be shown.
    std::string log = "<EOH>";
    for (int r = 0; r < 5; ++r) {
        for (int i = 0; i < 20; ++i)
            log += "<CALL:3>C" + std::to_string(r) + std::to_string(i % 10);
        log += "<EOR>";
    }
    openText("x" + log);
    ASSERT_TRUE(form->document().documentOpen());
    EXPECT_EQ(form->document().rowCount(), 6);
    EXPECT_EQ(form->document().text(1, 5), "C49");
    EXPECT_EQ(form->document().text(0, 5), "5");
}

struct FormatErrorCase {
    const char *name;
    std::string log;
    std::string report;        // what follows "Summary of file ... \r\n"
    std::string selectedLine;  // empty: only the caret is placed
};

class FormatErrorTest : public WindowFixture,
                        public ::testing::WithParamInterface<FormatErrorCase> { };

TEST_P(FormatErrorTest, ReportsReasonAndSelectsTheOffendingLine)
{
    const FormatErrorCase &c = GetParam();
    const std::string path = writeFile("bad.adi", c.log);
    open(path);

    EXPECT_FALSE(form->document().documentOpen());
    EXPECT_EQ(form->loadReportText(), kSummary + c.report);
    EXPECT_TRUE(child<QTableView>(*form, "gridView")->isHidden());
    EXPECT_EQ(form->statusText(1), kFailedStatus);
    EXPECT_EQ(form->caption(), " File: " + path);
    EXPECT_EQ(form->sourceViewText(), "SOURCE FILE:  (read only)\r\n\r\n" + c.log);
    const auto [start, length] = form->sourceSelection();
    EXPECT_EQ(form->sourceViewText().substr(start, length), c.selectedLine);
    EXPECT_FALSE(form->changeLightYellow());
    EXPECT_FALSE(action(*form, "saveAsAction")->isEnabled());
    EXPECT_FALSE(action(*form, "saveAsAction")->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(
    EveryOutcome, FormatErrorTest,
    ::testing::Values(
        FormatErrorCase{"NoHeader", "hello\r\n<CALL:4>W1AW<EOR>\r\n",
                        "File not loaded ... \r\n\r\nNo header or start field (<) found", "hello"},
        FormatErrorCase{
            "BracketMismatch", "<CALL:4>W1AW<EOR>\r\n<BAND:3>20M<<EOR>\r\n",
            "\r\nFile not loaded ... \r\n\r\nBracket mismatch in area of\r\ncharacter 30",
            "<BAND:3>20M<<EOR>"},
        FormatErrorCase{"EmptyBrackets", "<CALL:4>W1AW<EOR>\r\n<>\r\nrest\r\n",
                        "\r\nFile not loaded ... \r\n\r\nEmpty brackets ( <> ) in \r\narea of "
                        "character 20",
                        "<>"},
        FormatErrorCase{"BadLength", "<CALL:4>W1AW<EOR>\r\n<CALL:x>W1AW<EOR>\r\n",
                        "\r\nFile not loaded ... \r\n\r\nInvalid data fieldlength \r\nin area of "
                        "character 19",
                        "<CALL:x>W1AW<EOR>"},
        FormatErrorCase{"MissingName", "<:4>W1AW<EOR>\r\n",
                        "\r\nFile not loaded ... \r\n\r\nField name is missing\r\nin area of "
                        "character 0",
                        "<:4>W1AW<EOR>"},
        FormatErrorCase{"BadType", "<CALL:4>W1AW<EOR>\r\n<BAND:3:X>20M<EOR>\r\n",
                        "\r\nFile not loaded ... \r\n >>> Invalid data-type specifier \r\n >>> in "
                        "user-defined column \r\n\r\n",
                        "<BAND:3:X>20M<EOR>"},
        FormatErrorCase{"ErrorOnLastLineWithoutBreak", "<CALL:4>W1AW<EOR>\r\n<CALL:y>W1AW",
                        "\r\nFile not loaded ... \r\n\r\nInvalid data fieldlength \r\nin area of "
                        "character 19",
                        ""}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(LoadTest, TooManyRecordsIsRefusedWithoutGrid)
{
    std::string log = "<EOH>";
    for (int r = 0; r < 4001; ++r)
        log += "<CALL:1>X<EOR>";
    openText("h" + log);
    EXPECT_FALSE(form->document().documentOpen());
    EXPECT_EQ(form->loadReportText(),
              kSummary
                  + "\r\nFile not loaded ... \r\n >>> File too big or too many fields\r\n\r\n");
    EXPECT_EQ(form->statusText(1), kFailedStatus);
    EXPECT_TRUE(child<QTableView>(*form, "gridView")->isHidden());
    EXPECT_EQ(form->sourceViewText(), "");
}

TEST_F(LoadTest, TooManyFieldsIsRefused)
{
    std::string log = "<EOH>";
    for (int f = 0; f < 49; ++f)
        log += "<F" + std::to_string(f) + ":1>X";
    openText("h" + log + "<EOR>");
    EXPECT_FALSE(form->document().documentOpen());
    EXPECT_EQ(form->document().fieldCount(), 49);
    EXPECT_EQ(form->loadReportText(),
              kSummary
                  + "\r\nFile not loaded ... \r\n >>> File too big or too many fields\r\n\r\n");
}

TEST_F(LoadTest, FileThatCannotBeOpenedReportsNoHeader)
{
    open(pathIn("missing.adi"));
    EXPECT_EQ(form->loadReportText(),
              kSummary + "File not loaded ... \r\n\r\nNo header or start field (<) found");
    EXPECT_EQ(form->sourceViewText(), "SOURCE FILE:  (read only)\r\n\r\n");
}

TEST_F(LoadTest, CancellingTheDialogChangesNothing)
{
    openText(record("W1AW", "20M"));
    const std::string caption = form->caption();
    platform.queueFileName(std::nullopt);
    trigger(*form, "openAction");
    EXPECT_TRUE(form->document().documentOpen());
    EXPECT_EQ(form->caption(), caption);
    EXPECT_EQ(form->document().text(1, 1), "W1AW");
}

TEST_F(LoadTest, YellowLightAsksAndNoDiscardsTheEdits)
{
    openText(record("W1AW", "20M"));
    editAndRestore(*form);
    ASSERT_TRUE(form->changeLightYellow());

    platform.queueConfirm(false);
    openText(record("K1ABC", "40M"), "second.adi");
    ASSERT_EQ(platform.eventsOfKind(Kind::Confirm).size(), 1u);
    EXPECT_EQ(platform.eventsOfKind(Kind::Confirm)[0].text,
              "Your current data has not been saved by exporting it to a file. \r\n Do you wish to "
              "save your data now?");
    EXPECT_EQ(form->document().text(1, 1), "K1ABC");
    EXPECT_FALSE(form->changeLightYellow());
    EXPECT_FALSE(form->document().unsavedChanges());
}

TEST_F(LoadTest, YellowLightYesWithCancelledSaveKeepsTheDocument)
{
    openText(record("W1AW", "20M"));
    editAndRestore(*form);
    platform.queueConfirm(true);
    platform.queueFileName(std::nullopt);  // the save dialog is cancelled
    trigger(*form, "openAction");
    EXPECT_EQ(platform.eventsOfKind(Kind::OpenDialog).size(), 1u);  // only the first open
    EXPECT_TRUE(form->changeLightYellow());
    EXPECT_EQ(form->document().text(1, 1), "W1AW");
}

struct UnsavedCase {
    const char *name;
    bool newProject;  // false: an edited log
};

class NoThenCancelTest : public WindowFixture,
                         public ::testing::WithParamInterface<UnsavedCase> { };

TEST_P(NoThenCancelTest, KeepsTheDocumentAndTheYellowLight)
{
    if (GetParam().newProject) {
        trigger(*form, "newAction");
    } else {
        openText(record("W1AW", "20M"));
        editAndRestore(*form);
    }
    ASSERT_TRUE(form->changeLightYellow());
    const bool unsaved = form->document().unsavedChanges();

    platform.queueConfirm(false);
    platform.queueFileName(std::nullopt);
    trigger(*form, "openAction");
    EXPECT_EQ(platform.eventsOfKind(Kind::Confirm).size(), 1u);
    EXPECT_TRUE(form->changeLightYellow());
    EXPECT_EQ(form->document().unsavedChanges(), unsaved);
    EXPECT_TRUE(form->document().documentOpen());

    // Closing still asks about the data the cancelled open kept.
    platform.queueConfirm(false);
    EXPECT_TRUE(form->close());
    EXPECT_EQ(platform.eventsOfKind(Kind::Confirm).size(), 2u);
}

INSTANTIATE_TEST_SUITE_P(Documents, NoThenCancelTest,
                         ::testing::Values(UnsavedCase{"EditedLog", false},
                                           UnsavedCase{"NewProject", true}),
                         [](const auto &info) { return std::string(info.param.name); });

struct RefusedAfterLoadCase {
    const char *name;
    std::string refused;
    std::string sourceView;  // what the source view shows afterwards
};

class RefusedAfterLoadTest : public WindowFixture,
                             public ::testing::WithParamInterface<RefusedAfterLoadCase> { };

// A log that is not loaded must not leave the earlier log's text or notices
// on show.
TEST_P(RefusedAfterLoadTest, ShowsNothingOfTheEarlierLog)
{
    openText("<CALL:6>W1AW<EOR>\r\n", "first.adi");
    ASSERT_TRUE(form->document().documentOpen());
    ASSERT_EQ(form->statusText(2), " Length discrepencies found (in yellow text) ");

    openText(GetParam().refused, "second.adi");
    EXPECT_FALSE(form->document().documentOpen());
    EXPECT_EQ(form->sourceViewText(), GetParam().sourceView);
    EXPECT_EQ(child<QPlainTextEdit>(*form, "sourceView")->toPlainText().toStdString(),
              GetParam().sourceView.empty() ? "" : "SOURCE FILE:  (read only)\n\n<CALL:x>");
    EXPECT_EQ(form->statusText(1), kFailedStatus);
    EXPECT_EQ(form->statusText(2), "");
    EXPECT_FALSE(form->changeLightYellow());
}

std::string tooManyFields()
{
    std::string log = "<EOH>";
    for (int f = 0; f < 49; ++f)
        log += "<F" + std::to_string(f) + ":1>X";
    return "h" + log + "<EOR>";
}

INSTANTIATE_TEST_SUITE_P(Refusals, RefusedAfterLoadTest,
                         ::testing::Values(RefusedAfterLoadCase{"TooBig", tooManyFields(), ""},
                                           RefusedAfterLoadCase{
                                               "FormatError", "<CALL:x>",
                                               "SOURCE FILE:  (read only)\r\n\r\n<CALL:x>"}),
                         [](const auto &info) { return std::string(info.param.name); });

struct SourceLineCase {
    const char *name;
    std::string file;
    int position;
    std::string selected;  // the selected text as the view shows it; empty: caret only
    int caretLine;         // 0-based line of the view the caret is on
};

class SourceLineTest : public ::testing::TestWithParam<SourceLineCase> { };

TEST_P(SourceLineTest, SelectsTheLineInTheView)
{
    const SourceLineCase &c = GetParam();
    QPlainTextEdit view;
    view.setPlainText(displayText(c.file));
    selectLineAt(view, c.file, c.position);
    const QTextCursor cursor = view.textCursor();
    EXPECT_EQ(cursor.selectedText().toStdString(), c.selected);
    EXPECT_EQ(cursor.blockNumber(), c.caretLine);
    EXPECT_EQ(cursor.position(), cursor.block().position());  // the caret starts the line
}

INSTANTIATE_TEST_SUITE_P(
    LineBreaks, SourceLineTest,
    ::testing::Values(SourceLineCase{"FirstLine", "ab\r\ncd\r\nef\r\n", 0, "ab", 0},
                      SourceLineCase{"ThirdLineAfterCrLf", "ab\r\ncd\r\nef\r\n", 9, "ef", 2},
                      SourceLineCase{"ThirdLineAfterLoneCr", "ab\rcd\ref\r", 6, "ef", 2},
                      SourceLineCase{"ThirdLineAfterLoneLf", "ab\ncd\nef\n", 7, "ef", 2},
                      SourceLineCase{"MixedBreaks", "ab\r\r\ncd\n\ref\r\n", 10, "ef", 4},
                      SourceLineCase{"LastLineWithoutBreak", "ab\r\ncd", 5, "", 1},
                      SourceLineCase{"PositionPastTheEnd", "ab\r\ncd\r\nef\r\n", 500, "", 3},
                      SourceLineCase{"PositionPastTheEndWithoutBreak", "ab\r\ncd", 500, "", 1}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(LoadTest, LowMemoryRefusesTheLoad)
{
    platform.memory.availablePhysical = 1000;
    openText(record("W1AW", "20M"));
    EXPECT_EQ(platform.messages(),
              std::vector<std::string>{"Problem:|Your machine does not have enough memory left to "
                                       "run this program efficiently.  Program will exit."});
    EXPECT_FALSE(form->document().documentOpen());
}

TEST_F(LoadTest, ClickingTheSourceViewShowsTheSourceDisplay)
{
    openText(record("W1AW", "20M"));
    std::string shown;
    platform.queueModal([&](QDialog &dialog) {
        shown = dialog.windowTitle().toStdString();
        return 0;
    });
    QTest::mouseClick(child<QPlainTextEdit>(*form, "sourceView")->viewport(), Qt::LeftButton);
    EXPECT_EQ(shown, "Source Display");
}

TEST_F(LoadTest, SyntaxHighlightingSwitchAsksOnlyWhenTurnedOn)
{
    openText(record("W1AW", "20M"));
    platform.queueConfirm(false);
    trigger(*form, "syntaxHighlightingAction");
    EXPECT_FALSE(action(*form, "syntaxHighlightingAction")->isChecked());
    platform.queueConfirm(true);
    trigger(*form, "syntaxHighlightingAction");
    EXPECT_TRUE(action(*form, "syntaxHighlightingAction")->isChecked());
    trigger(*form, "syntaxHighlightingAction");
    EXPECT_FALSE(action(*form, "syntaxHighlightingAction")->isChecked());
    EXPECT_EQ(platform.eventsOfKind(Kind::Confirm).size(), 2u);
}

}  // namespace
}  // namespace vaziduvu::test
