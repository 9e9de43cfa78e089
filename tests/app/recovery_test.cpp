// The recovery journal in the window: a window that ends without closing
// (as a crash does) leaves its unsaved steps; the next one offers them and
// rebuilds the log and its history exactly. Saving, closing and discarding
// remove the journal.
#include "document/recovery_journal.h"
#include "grid_texts.h"
#include "window_fixture.h"

#include <QDir>
#include <QPushButton>

#include <filesystem>
#include <functional>

namespace vaziduvu::test {
namespace {

using Kind = ScriptedPlatform::EventKind;

const char kLog[] = "log<EOH>\r\n"
                    "<CALL:4>W1AW<MODE:2>CW<QSO_DATE:8>20040101<EOR>after one\r\n"
                    "<CALL:5>K1ABC<QSO_DATE:8>20040102<EOR>\r\n"
                    "<CALL:4>N0CA<MODE:3>SSB<QSO_DATE:8>20040103<EOR>\r\n";

class Recovery : public WindowFixture {
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        recoveryFolder = pathIn("state/recovery");
        form->useRecoveryFolder(recoveryFolder);
        logPath = writeFile("log.adi", kLog);
        open(logPath);
        ASSERT_TRUE(form->document().documentOpen());
        loaded = documentState(form->document());
        platform.clearEvents();
    }

    // The program ends without closing (a crash), and starts again.
    void crashAndRestart()
    {
        form.reset();
        form = std::make_unique<MainWindow>(platform);
        form->useRecoveryFolder(recoveryFolder);
        platform.clearEvents();
    }

    std::vector<std::string> journals() const
    {
        std::vector<std::string> names;
        for (const auto &entry : std::filesystem::directory_iterator(recoveryFolder))
            names.push_back(entry.path().filename().string());
        return names;
    }

    bool undo()
    {
        QAction *undoAction = action(*form, "undoAction");
        if (!undoAction->isEnabled())
            return false;
        undoAction->trigger();
        return true;
    }

    std::string recoveryFolder;
    std::string logPath;
    std::string loaded;
};

struct HistoryCase {
    const char *name;
    std::function<void(MainWindow &, ScriptedPlatform &)> edit;
};

class RecoveredHistory : public Recovery, public ::testing::WithParamInterface<HistoryCase> { };

TEST_P(RecoveredHistory, IsRebuiltStepByStepBackToTheLoad)
{
    GetParam().edit(*form, platform);
    ASSERT_TRUE(form->changeLightYellow());
    const std::string edited = documentState(form->document());
    ASSERT_FALSE(form->recoveryJournalPath().empty());

    crashAndRestart();
    platform.queueLaterAnswer(LaterAnswer::Yes);
    form->offerRecovery();
    const auto asked = platform.eventsOfKind(Kind::LaterQuestion);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].text.rfind("vaziduvu closed with unsaved changes to log.adi (made ", 0), 0u)
        << asked[0].text;
    EXPECT_NE(asked[0].text.find("). Restore them?"), std::string::npos);
    ASSERT_TRUE(form->document().documentOpen());
    EXPECT_EQ(documentState(form->document()), edited);
    EXPECT_TRUE(form->changeLightYellow());
    EXPECT_NE(form->caption().find("log.adi"), std::string::npos);
    // Only the new session's journal is left.
    EXPECT_EQ(journals().size(), 2u);  // its journal and its copy of the log

    int undos = 0;
    while (undo())
        ++undos;
    EXPECT_GT(undos, 0);
    EXPECT_EQ(documentState(form->document()), loaded);
    EXPECT_FALSE(form->changeLightYellow());
    EXPECT_TRUE(journals().empty());  // back at the load: nothing unsaved
    for (int i = 0; i < undos; ++i)
        trigger(*form, "redoAction");
    EXPECT_EQ(documentState(form->document()), edited);
}

INSTANTIATE_TEST_SUITE_P(
    Window, RecoveredHistory,
    ::testing::Values(HistoryCase{"OneCellEdit",
                                  [](MainWindow &w, ScriptedPlatform &) {
                                      editCell(w, 1, 1, "K9XYZ");
                                  }},
                      HistoryCase{"TypingInOneCellMerges",
                                  [](MainWindow &w, ScriptedPlatform &) {
                                      editCell(w, 1, 1, "K");
                                      editCell(w, 1, 1, "K9");
                                      editCell(w, 1, 1,
                                               "W1AW");  // back as it was: a step of its own
                                      editCell(w, 2, 2, "FM");
                                  }},
                      HistoryCase{"UndoneStepsStayRedoable",
                                  [](MainWindow &w, ScriptedPlatform &) {
                                      editCell(w, 1, 1, "K9XYZ");
                                      editCell(w, 1, 2, "DL1AB");
                                      trigger(w, "undoAction");
                                  }},
                      HistoryCase{"AnEditAfterUndoDropsTheRedo",
                                  [](MainWindow &w, ScriptedPlatform &) {
                                      editCell(w, 1, 1, "K9XYZ");
                                      trigger(w, "undoAction");
                                      editCell(w, 1, 3, "G4ABC");
                                  }},
                      HistoryCase{"RowsAndColumnsAddedAndDeleted",
                                  [](MainWindow &w, ScriptedPlatform &p) {
                                      trigger(w, "addBlankRowAction");
                                      editCell(w, 1, 4, "JA1XYZ");
                                      w.selectCell(1, 2);
                                      p.queueConfirm(true);
                                      trigger(w, "deleteRowsAction");
                                      w.selectCell(2, 1);
                                      p.queueConfirm(true);
                                      trigger(w, "deleteColumnAction");
                                  }},
                      HistoryCase{"SortLogThenAnEdit",
                                  [](MainWindow &w, ScriptedPlatform &p) {
                                      editCell(w, 3, 1, "20050101");  // now sorts last
                                      p.queueModal([](QDialog &dialog) {
                                          dialog.accept();
                                          return dialog.result();
                                      });
                                      trigger(w, "sortLogAction");
                                      EXPECT_EQ(w.document().text(1, 3), "W1AW");  // moved
                                      editCell(w, 1, 1, "K9XYZ");
                                  }},
                      HistoryCase{"MergeDuplicatesThenAnEdit",
                                  [](MainWindow &w, ScriptedPlatform &p) {
                                      // The second contact becomes the first one's twin.
                                      editCell(w, 1, 2, "W1AW");
                                      editCell(w, 2, 2, "CW");
                                      editCell(w, 3, 2, "20040101");
                                      trigger(w, "findDuplicatesAction");
                                      p.queueModal([](QDialog &dialog) {
                                          dialog.accept();
                                          return dialog.result();
                                      });
                                      child<QPushButton>(w, "mergeDuplicatesButton")->click();
                                      EXPECT_EQ(w.document().rowCount(), 3);  // merged
                                      editCell(w, 1, 2, "G4ABC");
                                      p.queueConfirm(true);
                                      trigger(w, "deleteRowsAction");  // on the edited row
                                  }}),
    [](const auto &info) { return std::string(info.param.name); });

struct AnswerCase {
    const char *name;
    LaterAnswer answer;
    std::optional<bool> removeForGood;  // the second question's answer
    bool kept;
};

class RecoveryAnswer : public Recovery, public ::testing::WithParamInterface<AnswerCase> { };

TEST_P(RecoveryAnswer, LaterKeepsNoRemovesAfterASecondQuestion)
{
    editCell(*form, 1, 1, "K9XYZ");
    crashAndRestart();
    platform.queueLaterAnswer(GetParam().answer);
    if (GetParam().removeForGood)
        platform.queueConfirm(*GetParam().removeForGood);
    form->offerRecovery();
    EXPECT_FALSE(form->document().documentOpen());
    EXPECT_EQ(platform.eventsOfKind(Kind::Confirm).size(), GetParam().removeForGood ? 1u : 0u);
    EXPECT_EQ(!journals().empty(), GetParam().kept);
}

INSTANTIATE_TEST_SUITE_P(Window, RecoveryAnswer,
                         ::testing::Values(AnswerCase{"Later", LaterAnswer::Later, {}, true},
                                           AnswerCase{"NoThenYes", LaterAnswer::No, true, false},
                                           AnswerCase{"NoThenNo", LaterAnswer::No, false, true}),
                         [](const auto &info) { return std::string(info.param.name); });

struct EndCase {
    const char *name;
    std::function<void(Recovery &, MainWindow &, ScriptedPlatform &)> end;
};

class JournalEnd : public Recovery, public ::testing::WithParamInterface<EndCase> {
public:
    using Recovery::pathIn;
};

TEST_P(JournalEnd, RemovesTheJournal)
{
    editCell(*form, 1, 1, "K9XYZ");
    const std::string journal = form->recoveryJournalPath();
    ASSERT_TRUE(std::filesystem::exists(journal));
    GetParam().end(*this, *form, platform);
    EXPECT_TRUE(journals().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Window, JournalEnd,
    ::testing::Values(EndCase{"SaveAs",
                              [](Recovery &t, MainWindow &w, ScriptedPlatform &p) {
                                  p.queueFileName(static_cast<JournalEnd &>(t).pathIn("saved.adi"));
                                  ASSERT_TRUE(saveAsCommand(w));
                              }},
                      EndCase{"CloseCurrentAnsweredNo",
                              [](Recovery &, MainWindow &w, ScriptedPlatform &p) {
                                  p.queueConfirm(false);
                                  trigger(w, "closeCurrentAction");
                              }},
                      EndCase{"NewProjectAnsweredNo",
                              [](Recovery &, MainWindow &w, ScriptedPlatform &p) {
                                  p.queueConfirm(false);
                                  trigger(w, "newAction");
                              }},
                      EndCase{"UndoneToTheLoad",
                              [](Recovery &, MainWindow &w, ScriptedPlatform &) {
                                  trigger(w, "undoAction");
                              }},
                      EndCase{"ExitAnsweredNo",
                              [](Recovery &, MainWindow &w, ScriptedPlatform &p) {
                                  p.queueConfirm(false);
                                  w.close();
                              }}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(Recovery, AChangedLogIsRestoredOnlyOntoItsCopyAndSavedAsANewFile)
{
    editCell(*form, 1, 1, "K9XYZ");
    crashAndRestart();
    writeFile("log.adi", "<CALL:4>VK2A<EOR>\r\n");  // changed by another program
    platform.queueLaterAnswer(LaterAnswer::Yes);
    platform.queueConfirm(true);
    const std::string target = pathIn("recovered.adi");
    platform.queueFileName(target);
    form->offerRecovery();
    const auto asked = platform.eventsOfKind(Kind::Confirm);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].text.rfind("log.adi has changed since these changes were made", 0), 0u);
    const auto dialogs = platform.eventsOfKind(Kind::SaveDialog);
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].fileOptions.initialDirectory, folder.path().toStdString());
    const std::string saved = readFile(target);
    EXPECT_NE(saved.find("<CALL:5>K9XYZ"), std::string::npos) << saved;
    EXPECT_NE(saved.find("K1ABC"), std::string::npos);
    EXPECT_EQ(readFile(logPath), "<CALL:4>VK2A<EOR>\r\n");  // never written
    EXPECT_TRUE(journals().empty());
}

TEST_F(Recovery, AChangedLogWithoutACopyIsNeverTouched)
{
    editCell(*form, 1, 1, "K9XYZ");
    crashAndRestart();
    writeFile("log.adi", "<CALL:4>VK2A<EOR>\r\n");
    for (const std::string &name : journals()) {
        if (name.size() > 7 && name.compare(name.size() - 7, 7, ".source") == 0)
            std::filesystem::remove(recoveryFolder + "/" + name);
    }
    platform.queueLaterAnswer(LaterAnswer::Yes);
    form->offerRecovery();
    EXPECT_FALSE(form->document().documentOpen());
    ASSERT_EQ(platform.messages().size(), 1u);
    EXPECT_EQ(platform.messages()[0].rfind("Problem:|log.adi has changed since", 0), 0u);
    EXPECT_EQ(journals().size(), 1u);  // kept
}

TEST_F(Recovery, AJournalThatCannotBeReadIsKeptAndReported)
{
    form.reset();
    writeFile("state/recovery/old.journal", "this is not a journal");
    form = std::make_unique<MainWindow>(platform);
    form->useRecoveryFolder(recoveryFolder);
    platform.clearEvents();
    form->offerRecovery();
    EXPECT_EQ(platform.messages(),
              std::vector<std::string>{
                  "Problem:|A recovery journal of unsaved changes cannot be read (it is not a "
                  "recovery journal). It is kept as it is:\r\n"
                  + recoveryFolder + "/old.journal"});
    EXPECT_TRUE(platform.eventsOfKind(Kind::LaterQuestion).empty());
    EXPECT_EQ(journals(), std::vector<std::string>{"old.journal"});
}

TEST_F(Recovery, AJournalCutByAKillGivesTheStepsWrittenWhole)
{
    editCell(*form, 1, 1, "K9XYZ");
    const std::string afterFirst = documentState(form->document());
    editCell(*form, 1, 2, "DL1AB");
    const std::string journal = form->recoveryJournalPath();
    crashAndRestart();
    std::filesystem::resize_file(journal, std::filesystem::file_size(journal) - 3);
    platform.queueLaterAnswer(LaterAnswer::Yes);
    form->offerRecovery();
    EXPECT_EQ(documentState(form->document()), afterFirst);
}

}  // namespace
}  // namespace vaziduvu::test
