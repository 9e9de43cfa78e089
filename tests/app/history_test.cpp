// Undo and redo, row and column removal, Check Log and Replace in column,
// driven through the window's actions with the scripted platform answering.
#include "app/check_panel.h"
#include "app/search_dialog.h"
#include "dialog_scripts.h"
#include "grid_texts.h"
#include "window_fixture.h"

#include <QCheckBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

#include <filesystem>
#include <functional>

namespace vaziduvu::test {
namespace {

// Record 2 has no MODE; record 3's date is not a date; a trailer follows
// record 1.
const char kLog[] = "log<EOH>\r\n"
                    "<CALL:4>W1AW<MODE:2>CW<QSO_DATE:8>20040101<EOR>after one\r\n"
                    "<CALL:5>K1ABC<QSO_DATE:8>20040102<EOR>\r\n"
                    "<CALL:4>N0CA<MODE:3>ssb<QSO_DATE:8>2004XX03<EOR>\r\n";

class History : public WindowFixture {
public:
    void SetUp() override
    {
        WindowFixture::SetUp();
        openText(kLog);
        ASSERT_TRUE(form->document().documentOpen());
        ASSERT_FALSE(form->changeLightYellow());
        platform.clearEvents();
    }

    std::vector<std::string> confirmTexts() const
    {
        std::vector<std::string> texts;
        for (const auto &event : platform.eventsOfKind(ScriptedPlatform::EventKind::Confirm))
            texts.push_back(event.text);
        return texts;
    }

    bool canUndo() { return action(*form, "undoAction")->isEnabled(); }
    bool canRedo() { return action(*form, "redoAction")->isEnabled(); }
    void undo() { trigger(*form, "undoAction"); }
    void redo() { trigger(*form, "redoAction"); }

    SearchDialog &searchWindow()
    {
        trigger(*form, "searchAction");
        return *child<SearchDialog>(*form, "searchDialog");
    }

    // Fills the search window and presses Replace or Replace All; returns
    // the line the window shows.
    std::string replace(const char *find, const char *with, bool all, bool whole = false,
                        bool matchCase = false)
    {
        SearchDialog &dialog = searchWindow();
        child<QLineEdit>(dialog, "searchText")->setText(QString::fromLatin1(find));
        child<QLineEdit>(dialog, "replaceText")->setText(QString::fromLatin1(with));
        child<QCheckBox>(dialog, "wholeValueBox")->setChecked(whole);
        child<QCheckBox>(dialog, "matchCaseBox")->setChecked(matchCase);
        child<QPushButton>(dialog, all ? "replaceAllButton" : "replaceButton")->click();
        return child<QLabel>(dialog, "resultLabel")->text().toStdString();
    }
};

struct CommandCase {
    const char *name;
    std::function<void(History &, MainWindow &, ScriptedPlatform &)> run;
};

class EveryCommand : public History, public testing::WithParamInterface<CommandCase> { };

// Each command changes the document; undo gives back the exact document
// (texts, records, comments, trailers, counts) and the green light, redo
// the exact result and the yellow light.
TEST_P(EveryCommand, UndoRestoresTheExactDocumentAndRedoTheResult)
{
    const std::string loaded = documentState(form->document());
    GetParam().run(*this, *form, platform);
    const std::string changed = documentState(form->document());
    ASSERT_NE(changed, loaded);
    ASSERT_TRUE(form->changeLightYellow());
    for (int round = 0; round < 2; ++round) {
        undo();
        EXPECT_EQ(documentState(form->document()), loaded);
        EXPECT_FALSE(form->changeLightYellow());
        EXPECT_FALSE(form->document().unsavedChanges());
        redo();
        EXPECT_EQ(documentState(form->document()), changed);
        EXPECT_TRUE(form->changeLightYellow());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Commands, EveryCommand,
    testing::Values(CommandCase{"CellEdits",
                                [](History &, MainWindow &w, ScriptedPlatform &) {
                                    editCell(w, 1, 1, "W1A");
                                    editCell(w, 1, 1, "W1AX");  // merged: one step
                                }},
                    CommandCase{"Comment",
                                [](History &, MainWindow &w, ScriptedPlatform &p) {
                                    w.selectCell(2, 2);  // no record there yet
                                    p.queueInput("worked twice");
                                    trigger(w, "editCommentAction");
                                }},
                    CommandCase{"AddColumn",
                                [](History &, MainWindow &w, ScriptedPlatform &p) {
                                    p.queueModal(fillAddColumn({false, "band", -1, "20m"}));
                                    trigger(w, "addColumnAction");
                                }},
                    CommandCase{"ClearColumn",
                                [](History &, MainWindow &w, ScriptedPlatform &p) {
                                    p.queueModal(pickColumn(0));
                                    trigger(w, "clearColumnAction");
                                }},
                    CommandCase{"AddBlankRow",
                                [](History &, MainWindow &w, ScriptedPlatform &) {
                                    trigger(w, "addBlankRowAction");
                                }},
                    CommandCase{"AddCopiedRow",
                                [](History &, MainWindow &w, ScriptedPlatform &) {
                                    trigger(w, "addCopiedRowAction");
                                }},
                    CommandCase{"DeleteRows",
                                [](History &, MainWindow &w, ScriptedPlatform &p) {
                                    w.selectCell(1, 1);
                                    gridView(w)->selectionModel()->select(
                                        gridModel(w).index(1, 0),
                                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
                                    p.queueConfirm(true);
                                    trigger(w, "deleteRowsAction");
                                }},
                    CommandCase{"DeleteColumn",
                                [](History &, MainWindow &w, ScriptedPlatform &p) {
                                    w.selectCell(2, 1);
                                    p.queueConfirm(true);
                                    trigger(w, "deleteColumnAction");
                                }},
                    CommandCase{"ReplaceAll",
                                [](History &h, MainWindow &w, ScriptedPlatform &) {
                                    w.selectCell(3, 1);
                                    h.replace("2004", "1999", true);
                                }},
                    CommandCase{"ExportTidying",
                                [](History &, MainWindow &w, ScriptedPlatform &p) {
                                    // The date check fails, after the blank MODE of
                                    // record 2 was given its record.
                                    p.queueFileName(w.platform().currentDirectory() + "/out.adi");
                                    saveAsCommand(w);
                                }}),
    [](const auto &info) { return info.param.name; });

TEST_F(History, LightFollowsTheHistoryAcrossASave)
{
    editCell(*form, 1, 1, "W1AX");
    platform.queueFileName(pathIn("saved.adi"));
    // The third record's date fails the check: fix it first.
    editCell(*form, 3, 3, "20040103");
    ASSERT_TRUE(saveAsCommand(*form));
    EXPECT_FALSE(form->changeLightYellow());
    undo();
    EXPECT_TRUE(form->changeLightYellow());
    redo();
    EXPECT_FALSE(form->changeLightYellow());
    // Typing a cell back is a change of its own, not an undo.
    editCell(*form, 1, 1, "W1AW");
    editCell(*form, 1, 1, "W1AX");
    EXPECT_TRUE(form->changeLightYellow());
}

TEST_F(History, OpenNewAndCloseStartAFreshHistory)
{
    for (const char *command : {"newAction", "closeCurrentAction", "openAction"}) {
        editCell(*form, 1, 1, "CHANGED");
        ASSERT_TRUE(canUndo()) << command;
        platform.queueConfirm(false);  // do not save first
        if (std::string(command) == "openAction")
            platform.queueFileName(writeFile("again.adi", kLog));
        trigger(*form, command);
        EXPECT_FALSE(canUndo()) << command;
        EXPECT_FALSE(canRedo()) << command;
        if (!form->document().documentOpen())
            openText(kLog);
    }
}

TEST_F(History, RemovalsAskFirstAndNameWhatTheyRemove)
{
    const std::string loaded = documentState(form->document());
    form->selectCell(1, 2);
    platform.queueConfirm(false);
    trigger(*form, "deleteRowsAction");
    platform.queueConfirm(false);
    trigger(*form, "deleteColumnAction");
    EXPECT_EQ(documentState(form->document()), loaded);
    EXPECT_EQ(confirmTexts(),
              (std::vector<std::string>{
                  "Delete the contact in row 2?\r\nUndo (Ctrl+Z) brings it back.",
                  "Delete the column CALL with its values in 3 contacts?\r\nUndo (Ctrl+Z) "
                  "brings it back."}));
    EXPECT_FALSE(canUndo());

    // Rows 1 and 3: the remaining record renumbers, its trailer follows.
    form->selectCell(1, 1);
    gridView(*form)->selectionModel()->select(
        gridModel(*form).index(2, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    platform.queueConfirm(true);
    trigger(*form, "deleteRowsAction");
    EXPECT_EQ(confirmTexts().back(),
              "Delete the 2 contacts in rows 1 and 3?\r\nUndo (Ctrl+Z) brings them back.");
    EXPECT_EQ(gridTexts(form->document()),
              (Grid{{"RECORD #", "CALL", "MODE", "QSO_DATE"}, {"1", "K1ABC", "", "20040102"}}));
    EXPECT_EQ(form->document().recordCount(), 1);
}

TEST_F(History, CheckLogListsEveryProblemAndFollowsTheFixes)
{
    const std::string loaded = documentState(form->document());
    trigger(*form, "checkLogAction");
    EXPECT_EQ(documentState(form->document()), loaded);  // nothing tidied, no record made
    auto *panel = child<CheckPanel>(*form, "checkPanel");
    ASSERT_NE(panel, nullptr);
    EXPECT_FALSE(panel->isHidden());
    ASSERT_EQ(panel->problemCount(), 1);
    const QStringList line = panel->lineTexts(0);
    EXPECT_EQ(line.mid(0, 3), (QStringList{"3", "QSO_DATE", "2004XX03"}));
    // Nothing was tidied or written: the light and the grid stay.
    EXPECT_FALSE(form->changeLightYellow());
    EXPECT_EQ(form->document().text(2, 3), "ssb");

    panel->chooseLine(0);
    EXPECT_EQ(form->currentColumn(), 3);
    EXPECT_EQ(form->currentRow(), 3);

    editCell(*form, 3, 3, "20040103");
    // What the panel's timer runs after an edit.
    QMetaObject::invokeMethod(form.get(), "refreshCheck");
    EXPECT_EQ(panel->problemCount(), 0);
    EXPECT_EQ(panel->summary().toStdString(), "No problems found: every cell passes the checks.");
}

// The panel's timer may fire while a check (or a load or save) pumps
// events; the refresh then waits instead of running inside it.
TEST_F(History, CheckRefreshWaitsForARunningOperation)
{
    trigger(*form, "checkLogAction");  // makes the panel and its timer
    bool inside = false;
    bool nested = false;
    int refreshes = 0;
    platform.afterProcessEvents = [&] {
        nested = nested || inside;
        if (inside || refreshes > 0)
            return;
        inside = true;
        ++refreshes;
        QMetaObject::invokeMethod(form.get(), "refreshCheck");
        inside = false;
    };
    trigger(*form, "checkLogAction");
    platform.afterProcessEvents = nullptr;
    EXPECT_EQ(refreshes, 1);
    EXPECT_FALSE(nested);
    EXPECT_EQ(child<CheckPanel>(*form, "checkPanel")->problemCount(), 1);
}

TEST_F(History, ReplaceCountsAndRefusesWhatAnEditWould)
{
    form->selectCell(2, 1);
    EXPECT_EQ(replace("C", "<", true), "Nothing was replaced.");
    EXPECT_EQ(gridTexts(form->document())[1][2], "CW");
    EXPECT_FALSE(canUndo());

    EXPECT_EQ(replace("SSB", "SSB", true, true, true), "\u201CSSB\u201D was not found in MODE.");
    EXPECT_EQ(replace("ssb", "SSB", true, true), "Replaced 1 value in MODE.");
    EXPECT_EQ(form->document().text(2, 3), "SSB");

    form->selectCell(3, 1);
    EXPECT_EQ(replace("200401", "199901", false),
              "Replaced 1 value in QSO_DATE. Replace again for the next one.");
    EXPECT_EQ(form->currentRow(), 2);
    EXPECT_EQ(replace("200401", "199901", false),
              "Replaced 1 value in QSO_DATE. There are no more.");
    EXPECT_EQ(form->document().text(3, 2), "19990102");
}

}  // namespace
}  // namespace vaziduvu::test

namespace vaziduvu::test {
namespace {

// The Stop button of a long operation: Save As writes nothing, Check Log
// keeps what it found, Open loads nothing.
TEST_F(History, StopEndsOpenSaveAsAndCheckLogLosingNothing)
{
    platform.afterProcessEvents = [this] { child<QPushButton>(*form, "stopButton")->click(); };
    platform.queueFileName(pathIn("stopped.xml"));
    EXPECT_FALSE(saveAsCommand(*form));
    EXPECT_EQ(platform.messages().back(), "Information:|Save As was stopped: no file was written.");
    EXPECT_FALSE(std::filesystem::exists(pathIn("stopped.xml")));
    EXPECT_FALSE(std::filesystem::exists(pathIn("stopped.BADI")));

    trigger(*form, "checkLogAction");
    auto *panel = child<CheckPanel>(*form, "checkPanel");
    EXPECT_EQ(panel->summary().toStdString().rfind("Check stopped after ", 0), 0u);
    platform.afterProcessEvents = nullptr;
    EXPECT_TRUE(form->menuBar()->isEnabled());  // the window is back

    // Stopping an open loads nothing: the earlier log is closed.
    platform.afterProcessEvents = [this] { child<QPushButton>(*form, "stopButton")->click(); };
    openText(kLog, "again.adi");
    platform.afterProcessEvents = nullptr;
    EXPECT_FALSE(form->document().documentOpen());
    EXPECT_EQ(form->loadReportText(), "Loading was cancelled: nothing was loaded.");
    EXPECT_TRUE(form->menuBar()->isEnabled());
}

}  // namespace
}  // namespace vaziduvu::test
