// The application shell: the unsaved-data guard, the document commands'
// states, the layout, help, the about box, the source display and the start
// of the program. The main window runs offscreen; every question it asks is
// answered by the scripted platform.
#include "app/about_box.h"
#include "app/main_window.h"
#include "app/shape_widget.h"
#include "app/source_display_dialog.h"
#include "app/startup_checks.h"
#include "platform/help_window.h"
#include "platform/instance_channel.h"
#include "platform/qt_platform.h"
#include "platform/scripted_platform.h"
#include "platform/single_instance.h"
#include "window_fixture.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSplitter>
#include <QStatusBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QToolBar>

#include <fstream>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace vaziduvu::test {
namespace {

using Kind = ScriptedPlatform::EventKind;

const std::string kCleanLog = std::string(EXAMPLES_DIR) + "/clean-with-header.adi";
const std::string kBrokenLog = std::string(EXAMPLES_DIR) + "/format-error.adi";

const char *const kExitQuestion = "Your data has not been saved by exporting it to a file. \r\n Do "
                                  "you wish to save your data now?";
const char *const kCloseCurrentQuestion = "Your current data has not been saved by exporting it "
                                          "to a file. \r\n Do you wish to save your data now?";

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = std::make_unique<MainWindow>(platform);
        form->show();
        QApplication::processEvents();
        platform.clearEvents();
    }

    void TearDown() override
    {
        // The window is destroyed hidden, as the program destroys it after
        // its close.
        form->hide();
    }

    void load(const std::string &path)
    {
        platform.queueFileName(path);
        trigger(*form, "openAction");
    }

    // A loaded log with an edit not yet exported: the change light is yellow.
    void loadAndEdit()
    {
        load(kCleanLog);
        ASSERT_TRUE(form->document().documentOpen());
        editAndRestore(*form);
        ASSERT_TRUE(form->changeLightYellow());
        platform.clearEvents();
    }

    std::vector<std::string> confirmTexts() const
    {
        std::vector<std::string> texts;
        for (const auto &event : platform.eventsOfKind(Kind::Confirm))
            texts.push_back(event.text);
        return texts;
    }

    ScriptedPlatform platform;
    std::unique_ptr<MainWindow> form;
};

// --- the close guard ------------------------------------------------------

enum class Trigger { ExitMenu, ExitHandler, CloseBox };
enum class Answer { NoQuestion, No, YesThenCancel, YesThenSave };

struct GuardCase {
    const char *name;
    Trigger trigger;
    bool yellow;
    Answer answer;
    bool closes;
};

class CloseGuardTest : public ShellTest, public ::testing::WithParamInterface<GuardCase> { };

TEST_P(CloseGuardTest, AsksExactlyWhenTheLightIsYellow)
{
    const GuardCase &c = GetParam();
    if (c.yellow) {
        loadAndEdit();
    } else {
        load(kCleanLog);
        ASSERT_FALSE(form->changeLightYellow());
        platform.clearEvents();
    }
    QTemporaryDir folder;
    const std::string target = folder.path().toStdString() + "/SAVED.ADI";
    if (c.answer != Answer::NoQuestion)
        platform.queueConfirm(c.answer != Answer::No);
    if (c.answer == Answer::YesThenSave)
        platform.queueFileName(target);
    if (c.answer == Answer::YesThenCancel)
        platform.queueFileName(std::nullopt);

    switch (c.trigger) {
    case Trigger::ExitMenu:
        action(*form, "exitAction")->trigger();
        break;
    case Trigger::ExitHandler:
        trigger(*form, "exitAction");
        break;
    case Trigger::CloseBox:
        form->close();
        break;
    }

    if (c.answer == Answer::NoQuestion)
        EXPECT_TRUE(confirmTexts().empty());
    else
        EXPECT_EQ(confirmTexts(), std::vector<std::string>{kExitQuestion});
    const bool saveAsked = c.answer == Answer::YesThenCancel || c.answer == Answer::YesThenSave;
    EXPECT_EQ(platform.eventsOfKind(Kind::SaveDialog).size(), saveAsked ? 1u : 0u);
    EXPECT_EQ(QFileInfo::exists(QString::fromStdString(target)), c.answer == Answer::YesThenSave);
    EXPECT_EQ(form->isVisible(), !c.closes);
    // Closing releases the document.
    EXPECT_EQ(!form->document().documentOpen(), c.closes);
    if (!c.closes) {
        EXPECT_TRUE(form->document().documentOpen());
        EXPECT_TRUE(form->changeLightYellow());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Shell, CloseGuardTest,
    ::testing::Values(
        GuardCase{"ExitMenuGreen", Trigger::ExitMenu, false, Answer::NoQuestion, true},
        GuardCase{"ExitHandlerGreen", Trigger::ExitHandler, false, Answer::NoQuestion, true},
        GuardCase{"CloseBoxGreen", Trigger::CloseBox, false, Answer::NoQuestion, true},
        GuardCase{"ExitMenuYellowNo", Trigger::ExitMenu, true, Answer::No, true},
        GuardCase{"ExitHandlerYellowNo", Trigger::ExitHandler, true, Answer::No, true},
        GuardCase{"CloseBoxYellowNo", Trigger::CloseBox, true, Answer::No, true},
        GuardCase{"ExitMenuYellowCancelledSave", Trigger::ExitMenu, true, Answer::YesThenCancel,
                  false},
        GuardCase{"CloseBoxYellowCancelledSave", Trigger::CloseBox, true, Answer::YesThenCancel,
                  false},
        GuardCase{"ExitMenuYellowSaved", Trigger::ExitMenu, true, Answer::YesThenSave, true},
        GuardCase{"CloseBoxYellowSaved", Trigger::CloseBox, true, Answer::YesThenSave, true}),
    [](const ::testing::TestParamInfo<GuardCase> &info) { return std::string(info.param.name); });

TEST_F(ShellTest, ClosingIsRefusedWithoutAQuestionWhileAnExportRuns)
{
    loadAndEdit();
    QTemporaryDir folder;
    bool probed = false;
    platform.afterProcessEvents = [&] {
        if (probed || !form->exportInProgress())
            return;
        probed = true;
        const size_t before = platform.events().size();
        EXPECT_FALSE(form->close());
        trigger(*form, "exitAction");
        EXPECT_TRUE(form->isVisible());
        EXPECT_EQ(platform.events().size(), before);  // nothing was asked
    };
    platform.queueFileName(folder.filePath("out.adi").toStdString());
    EXPECT_TRUE(saveAsCommand(*form));
    platform.afterProcessEvents = nullptr;
    EXPECT_TRUE(probed);
}

TEST_F(ShellTest, ClosingWithoutADocumentAsksNothing)
{
    EXPECT_TRUE(form->close());
    EXPECT_TRUE(platform.eventsOfKind(Kind::Confirm).empty());
    EXPECT_FALSE(form->isVisible());
}

// --- "&Close Current" -----------------------------------------------------

TEST_F(ShellTest, CloseCurrentWithCancelledSaveKeepsTheDocument)
{
    loadAndEdit();
    platform.queueConfirm(true);
    platform.queueFileName(std::nullopt);
    action(*form, "closeCurrentAction")->trigger();

    EXPECT_EQ(confirmTexts(), std::vector<std::string>{kCloseCurrentQuestion});
    EXPECT_EQ(platform.eventsOfKind(Kind::SaveDialog).size(), 1u);
    ASSERT_FALSE(platform.messages().empty());
    EXPECT_EQ(platform.messages().back(), "Problem:|Could not close the current session");
    EXPECT_TRUE(form->document().documentOpen());
    EXPECT_TRUE(child<QTableView>(*form, "gridView")->isVisible());
    EXPECT_TRUE(form->changeLightYellow());
    EXPECT_TRUE(form->changeLightVisible());
    EXPECT_TRUE(action(*form, "saveAsAction")->isEnabled());
}

struct CloseCurrentCase {
    const char *name;
    bool yellow;
    bool answerYes;  // only asked when yellow
    bool saveSucceeds;
};

class CloseCurrentTest : public ShellTest,
                         public ::testing::WithParamInterface<CloseCurrentCase> { };

TEST_P(CloseCurrentTest, HidesTheDocumentAreaAndBlanksTheStatusBar)
{
    const CloseCurrentCase &c = GetParam();
    QTemporaryDir folder;
    if (c.yellow) {
        loadAndEdit();
        platform.queueConfirm(c.answerYes);
        if (c.answerYes)
            platform.queueFileName(folder.path().toStdString() + "/KEPT.XML");
    } else {
        load(kCleanLog);
        platform.clearEvents();
    }
    trigger(*form, "closeCurrentAction");

    EXPECT_EQ(confirmTexts().size(), c.yellow ? 1u : 0u);
    for (const std::string &message : platform.messages())
        EXPECT_EQ(message.find("Could not close"), std::string::npos) << message;
    EXPECT_FALSE(form->document().documentOpen());
    for (QWidget *hidden : std::initializer_list<QWidget *>{
             child<QTableView>(*form, "gridView"), child<QPlainTextEdit>(*form, "loadReportView"),
             child<QPlainTextEdit>(*form, "sourceView")})
        EXPECT_FALSE(hidden->isVisible()) << hidden->objectName().toStdString();
    EXPECT_FALSE(form->changeLightVisible());
    EXPECT_FALSE(form->changeLightYellow());
    for (int panel = 0; panel < 3; ++panel)
        EXPECT_EQ(form->statusText(panel), "") << panel;
    EXPECT_TRUE(child<QLabel>(*form, "startupImage")->isVisible());
    EXPECT_TRUE(child<QLabel>(*form, "startupTitle")->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Shell, CloseCurrentTest,
                         ::testing::Values(CloseCurrentCase{"Green", false, false, false},
                                           CloseCurrentCase{"YellowNo", true, false, false},
                                           CloseCurrentCase{"YellowYesSaved", true, true, true}),
                         [](const ::testing::TestParamInfo<CloseCurrentCase> &info) {
                             return std::string(info.param.name);
                         });

// --- menu and toolbar states ----------------------------------------------

enum class Stage { Start, Loaded, FailedLoad, ClosedCurrent, ReloadedAfterClose };

struct StateCase {
    const char *name;
    Stage stage;
    bool documentCommands;  // the switched menu entries and toolbar buttons
    bool helpMenuEntries;   // "&About" and "&Vaziduvu Help Contents"
};

class CommandStateTest : public ShellTest, public ::testing::WithParamInterface<StateCase> { };

TEST_P(CommandStateTest, DocumentCommandsFollowTheDocument)
{
    const StateCase &c = GetParam();
    switch (c.stage) {
    case Stage::Start:
        break;
    case Stage::Loaded:
        load(kCleanLog);
        break;
    case Stage::FailedLoad:
        load(kBrokenLog);
        break;
    case Stage::ClosedCurrent:
        load(kCleanLog);
        trigger(*form, "closeCurrentAction");
        break;
    case Stage::ReloadedAfterClose:
        load(kCleanLog);
        trigger(*form, "closeCurrentAction");
        load(kCleanLog);
        break;
    }

    for (const char *name : {"openAction", "newAction", "exitAction", "helpAction", "aboutAction"})
        EXPECT_TRUE(action(*form, name)->isEnabled()) << name;
    for (const char *name : {"saveAsAction", "closeCurrentAction", "addColumnAction",
                             "clearColumnAction", "addCopiedRowAction", "addBlankRowAction",
                             "searchAction", "fontAction", "syntaxHighlightingAction",
                             "omitEmptyTagsAction", "showCommentAction", "editCommentAction"})
        EXPECT_EQ(action(*form, name)->isEnabled(), c.documentCommands) << name;
    EXPECT_EQ(action(*form, "aboutMenuEntry")->isEnabled(), c.helpMenuEntries);
    EXPECT_EQ(action(*form, "helpMenuEntry")->isEnabled(), c.helpMenuEntries);
    // Import is always on: it opens a new log, as Open does.
    for (const char *name : {"importCabrilloAction", "importAdxAction", "importCsvAction"})
        EXPECT_TRUE(action(*form, name)->isEnabled()) << name;
    for (const char *name : {"exportAdxAction", "exportCsvAction", "exportCabrilloAction"})
        EXPECT_EQ(action(*form, name)->isEnabled(), c.documentCommands) << name;
}

INSTANTIATE_TEST_SUITE_P(
    Shell, CommandStateTest,
    ::testing::Values(StateCase{"Start", Stage::Start, false, true},
                      StateCase{"Loaded", Stage::Loaded, true, true},
                      StateCase{"FailedLoad", Stage::FailedLoad, false, false},
                      StateCase{"ClosedCurrent", Stage::ClosedCurrent, false, false},
                      StateCase{"ReloadedAfterClose", Stage::ReloadedAfterClose, true, true}),
    [](const ::testing::TestParamInfo<StateCase> &info) { return std::string(info.param.name); });

TEST_F(ShellTest, ToolbarHelpAndAboutKeepWorkingAfterCloseCurrent)
{
    load(kCleanLog);
    trigger(*form, "closeCurrentAction");
    platform.clearEvents();
    action(*form, "aboutAction")->trigger();
    action(*form, "helpAction")->trigger();
    ASSERT_EQ(platform.eventsOfKind(Kind::Modal).size(), 1u);
    EXPECT_EQ(platform.eventsOfKind(Kind::Modal)[0].windowTitle, "About");
    ASSERT_EQ(platform.eventsOfKind(Kind::Help).size(), 1u);
}

// --- layout ----------------------------------------------------------------

struct LayoutCase {
    int width;
    int height;
};

class LayoutTest : public ShellTest, public ::testing::WithParamInterface<LayoutCase> { };

// Where a child lies in the window's own coordinates.
QRect inWindow(const QWidget &window, const QWidget &child)
{
    return QRect(child.mapTo(&window, QPoint(0, 0)), child.size());
}

TEST_P(LayoutTest, AreasFollowTheWindow)
{
    load(kCleanLog);
    form->resize(GetParam().width, GetParam().height);
    QApplication::processEvents();
    ASSERT_EQ(form->size(), QSize(GetParam().width, GetParam().height));

    const QRect client = inWindow(*form, *child<QWidget>(*form, "client"));
    const QRect tools = inWindow(*form, *child<QToolBar>(*form, "toolBar"));
    const QRect status = inWindow(*form, *child<QStatusBar>(*form, "statusBar"));
    EXPECT_LE(tools.bottom(), client.top());
    EXPECT_GE(status.top(), client.bottom());
    EXPECT_EQ(status.bottom(), form->rect().bottom());

    // The grid takes its share of the height, the text views the rest.
    auto *split = child<QSplitter>(*form, "contentSplitter");
    const int room = split->height() - split->handleWidth();
    const QRect grid = inWindow(*form, *child<QTableView>(*form, "gridView"));
    EXPECT_NEAR(grid.height(),
                room * MainWindow::kGridShare / (MainWindow::kGridShare + MainWindow::kReportShare),
                1);
    EXPECT_EQ(grid.width(), client.width() - 8);
    EXPECT_EQ(grid.top(), client.top());

    // Report and source side by side, halves of the width, below the grid.
    const QRect report = inWindow(*form, *child<QPlainTextEdit>(*form, "loadReportView"));
    const QRect source = inWindow(*form, *child<QPlainTextEdit>(*form, "sourceView"));
    EXPECT_GT(report.top(), grid.bottom());
    EXPECT_EQ(source.top(), report.top());
    EXPECT_EQ(source.height(), report.height());
    EXPECT_GT(source.left(), report.right());
    EXPECT_NEAR(report.width(), source.width(), 1);
    EXPECT_EQ(source.right(), grid.right());

    // The light and its legend: right-aligned under the views, above the
    // status bar.
    const QRect notice = inWindow(*form, *child<QLabel>(*form, "changeLegend"));
    const QRect light = inWindow(*form, *child<ShapeWidget>(*form, "changeLight"));
    EXPECT_GT(notice.top(), report.bottom());
    EXPECT_LT(notice.bottom(), status.top());
    EXPECT_LE(notice.right(), client.right());
    EXPECT_GE(notice.right(), client.right() - 8);
    EXPECT_LT(light.right(), notice.left());
    EXPECT_LE(std::abs(light.center().y() - notice.center().y()), 2);

    // Banner, picture and title lie over the client area.
    const QRect banner = inWindow(*form, *child<QLabel>(*form, "busyBanner"));
    EXPECT_EQ(banner.width(), client.width() - 2);
    EXPECT_EQ(banner.height(), client.height());
    EXPECT_EQ(child<QLabel>(*form, "startupImage")->width(), client.width() - 1);
    EXPECT_EQ(child<QLabel>(*form, "startupImage")->height(), client.height() - 1);
    EXPECT_EQ(child<QLabel>(*form, "startupTitle")->x(),
              (client.width() - child<QLabel>(*form, "startupTitle")->width()) / 2);
    EXPECT_EQ(child<QLabel>(*form, "startupTitle")->y(), client.height() / 2);
}

// A docked panel sits between the central area and the status bar, and the
// grid keeps the height the user dragged it to.
TEST_F(ShellTest, PanelsDockAboveTheStatusBarAndTheSplitKeepsTheUsersChoice)
{
    load(kCleanLog);
    form->resize(800, 600);
    QApplication::processEvents();
    trigger(*form, "checkLogAction");
    QApplication::processEvents();
    const QRect panel = inWindow(*form, *child<QWidget>(*form, "checkPanel"));
    const QRect status = inWindow(*form, *child<QStatusBar>(*form, "statusBar"));
    const QRect client = inWindow(*form, *child<QWidget>(*form, "client"));
    EXPECT_LE(panel.bottom(), status.top());
    EXPECT_GE(panel.top(), client.bottom());

    auto *split = child<QSplitter>(*form, "contentSplitter");
    split->setSizes({120, split->height() - 120 - split->handleWidth()});
    emit split->splitterMoved(120, 1);
    form->resize(800, 601);
    QApplication::processEvents();
    EXPECT_NEAR(child<QWidget>(*form, "gridArea")->height(), 120, 1);
}

INSTANTIATE_TEST_SUITE_P(Shell, LayoutTest,
                         ::testing::Values(LayoutCase{630, 492}, LayoutCase{440, 400},
                                           LayoutCase{800, 600}, LayoutCase{1280, 1000},
                                           LayoutCase{1000, 400}));

// The window cannot be made so small that controls overlap or are cut:
// below its minimum size it stays at that size, laid out.
TEST_F(ShellTest, TheWindowStopsAtASensibleMinimumSize)
{
    load(kCleanLog);
    form->resize(200, 150);
    QApplication::processEvents();
    EXPECT_GE(form->width(), 440);
    EXPECT_GE(form->height(), 400);
    EXPECT_EQ(child<QTableView>(*form, "gridView")->width(),
              child<QWidget>(*form, "client")->width() - 8);
    const QRect report = child<QPlainTextEdit>(*form, "loadReportView")->geometry();
    const QRect status = child<QStatusBar>(*form, "statusBar")->geometry();
    EXPECT_LT(report.bottom(), status.top());
    EXPECT_GT(report.height(), 20);
}

// Nothing of an earlier log or of a finished save stays on the screen.
TEST_F(ShellTest, NoStaleTextsAfterTheScreenChanges)
{
    load(kBrokenLog);  // refused
    EXPECT_EQ(child<ShapeWidget>(*form, "changeLight")->isVisible(),
              child<QLabel>(*form, "changeLegend")->isVisible());

    load(kCleanLog);
    const std::string caption = form->caption();
    trigger(*form, "closeCurrentAction");
    EXPECT_NE(form->caption(), caption);
    for (int panel = 0; panel < 3; ++panel)
        EXPECT_EQ(form->statusText(panel), "") << panel;

    load(kCleanLog);
    trigger(*form, "newAction");
    EXPECT_EQ(form->statusText(1), "");
    EXPECT_EQ(form->caption(), "[NEW PROJECT]");

    QTemporaryDir folder;
    platform.queueFileName(folder.filePath("out.adi").toStdString());
    ASSERT_TRUE(saveAsCommand(*form));
    EXPECT_EQ(form->statusText(2), "");  // no "Working to finish ..." after the save
}

// Columns fit their heading and content, within a sensible maximum, anew
// for every log.
TEST_F(ShellTest, ColumnsFitTheirTextsForEveryLog)
{
    QTemporaryDir folder;
    const std::string wide = folder.filePath("wide.adi").toStdString();
    std::ofstream(wide, std::ios::binary)
        << "<COMMENT:60>" << std::string(60, 'W') << "<CALL:4>W1AW<EOR>";
    load(wide);
    QTableView *view = gridView(*form);
    const int comment = view->columnWidth(0);
    EXPECT_GE(comment, view->fontMetrics().horizontalAdvance(QString(60, 'W')) > 320 ? 320 : 100);
    EXPECT_LE(comment, 320);
    EXPECT_GE(view->columnWidth(1), view->fontMetrics().horizontalAdvance("W1AW"));

    const std::string narrow = folder.filePath("narrow.adi").toStdString();
    std::ofstream(narrow, std::ios::binary) << "<COMMENT:1>x<EOR>";
    load(narrow);
    EXPECT_LT(view->columnWidth(0), comment);
    EXPECT_GE(view->columnWidth(0),
              view->horizontalHeader()->fontMetrics().horizontalAdvance("COMMENT"));
}

// --- activation checks ---------------------------------------------------

const char *const kCdromMessage = "Problem:|You are attempting to run the program from a "
                                  "CDROM-DISK.  Please move the program to a hard drive directory "
                                  "and re-run it. ";
const char *const kMemoryMessage = "Problem:|Your machine does not have enough memory to run this "
                                   "program efficiently . Program will end.";
const char *const kOldSystemMessage = "Problem:|This program is for Windows 2000, Windows XP, or "
                                      "greater Operating Systems only!";

struct ActivateCase {
    const char *name;
    DriveType drive;
    int osMajor;
    bool enoughMemory;
    const char *message;  // nullptr: the window stays without a word
};

class ActivateTest : public ShellTest, public ::testing::WithParamInterface<ActivateCase> { };

TEST_P(ActivateTest, ChecksDriveSystemAndMemoryOnEveryActivation)
{
    const ActivateCase &c = GetParam();
    platform.driveType = c.drive;
    platform.osMajor = c.osMajor;
    if (!c.enoughMemory)
        platform.memory.availablePhysical = 14999999;
    activate(*form);
    if (c.message == nullptr) {
        EXPECT_TRUE(platform.messages().empty());
        EXPECT_TRUE(form->isVisible());
    } else {
        EXPECT_EQ(platform.messages(), std::vector<std::string>{c.message});
        EXPECT_FALSE(form->isVisible());
    }
    EXPECT_EQ(child<QLabel>(*form, "startupImage")->width(),
              child<QWidget>(*form, "client")->width() - 1);
    EXPECT_EQ(child<QLabel>(*form, "startupImage")->height(),
              child<QWidget>(*form, "client")->height() - 1);
}

INSTANTIATE_TEST_SUITE_P(
    Shell, ActivateTest,
    ::testing::Values(ActivateCase{"Fixed", DriveType::Fixed, 5, true, nullptr},
                      ActivateCase{"Removable", DriveType::Removable, 10, true, nullptr},
                      ActivateCase{"Remote", DriveType::Remote, 10, true, nullptr},
                      // A write-protected mount is still a hard disk, not a CD.
                      ActivateCase{"ReadOnlyMount", DriveType::ReadOnly, 10, true, nullptr},
                      ActivateCase{"CdRom", DriveType::CdRom, 10, true, kCdromMessage},
                      ActivateCase{"RamDisk", DriveType::RamDisk, 10, true, kCdromMessage},
                      ActivateCase{"Unknown", DriveType::Unknown, 10, true, kCdromMessage},
                      // The drive is checked before the system and the memory.
                      ActivateCase{"CdRomOnAnOldSystem", DriveType::CdRom, 4, false, kCdromMessage},
                      ActivateCase{"TooLittleMemory", DriveType::Fixed, 5, false, kMemoryMessage},
                      ActivateCase{"OldSystem", DriveType::Fixed, 4, true, kOldSystemMessage},
                      ActivateCase{"OldSystemMemoryNotAsked", DriveType::Fixed, 4, false,
                                   kOldSystemMessage}),
    [](const ::testing::TestParamInfo<ActivateCase> &info) {
        return std::string(info.param.name);
    });

// A system service that fails in an unexpected way.
class BrokenDrivePlatform : public ScriptedPlatform {
public:
    DriveType driveTypeOf(const std::string &) override
    {
        throw std::runtime_error("drive query failed");
    }
};

TEST(Activate, AFailingCheckClosesTheWindow)
{
    BrokenDrivePlatform platform;
    MainWindow form(platform);
    form.show();
    QApplication::processEvents();
    platform.clearEvents();
    activate(form);
    EXPECT_EQ(platform.messages(),
              std::vector<std::string>{"Problem:|Could not initialize program."});
    // The failure's own words come with the message, not instead of it.
    EXPECT_EQ(platform.eventsOfKind(ScriptedPlatform::EventKind::MessageBox).back().reason,
              "drive query failed");
    EXPECT_FALSE(form.isVisible());
}

// --- menu and toolbar ------------------------------------------------------

TEST_F(ShellTest, MenusHoldTheirEntriesInOrder)
{
    const std::vector<std::pair<QMenu *, std::vector<std::string>>> menus = {
        {child<QMenu>(*form, "fileMenu"),
         {"&Open", "&New", "A&ppend Log...", "Save &As", "Expor&t", "&Close Current", "&Exit"}},
        {child<QMenu>(*form, "exportMenu"), {"A&DX...", "C&SV...", "&Cabrillo..."}},
        {child<QMenu>(*form, "editMenu"),
         {"&Undo", "&Redo", "-", "&Add Column", "&Clear Column", "-", "Add Row &Same As Previous",
          "Add Blank &Row", "S&earch", "Find &Next", "-", "Delete Colu&mn", "&Delete Row(s)",
          "Chec&k Log", "-", "&Filter", "Sort &Log...", "Find Du&plicates"}},
        {child<QMenu>(*form, "viewMenu"), {"&Statistics"}},
        {child<QMenu>(*form, "formatMenu"),
         {"Fo&nt", "Use Syntax Highlighting", "&Omit Empty Field Tags", "-",
          "Current ADIF (3.1.6)"}},
        {child<QMenu>(*form, "importMenu"), {"&Cabrillo...", "A&DX...", "C&SV..."}},
        {child<QMenu>(*form, "helpMenu"), {"&About", "-", "&Vaziduvu Help Contents\tF1"}},
    };
    std::vector<std::string> titles;
    for (QAction *top : form->menuBar()->actions())
        titles.push_back(top->text().toStdString());
    EXPECT_EQ(titles,
              (std::vector<std::string>{"&File", "&Edit", "&View", "F&ormat", "&Import", "&Help"}));
    for (const auto &[menu, expected] : menus) {
        std::vector<std::string> entries;
        for (QAction *item : menu->actions())
            entries.push_back(item->isSeparator() ? "-" : item->text().toStdString());
        EXPECT_EQ(entries, expected) << menu->title().toStdString();
    }
    EXPECT_TRUE(action(*form, "omitEmptyTagsAction")->isCheckable());
    EXPECT_FALSE(action(*form, "omitEmptyTagsAction")->isChecked());
}

TEST_F(ShellTest, CommandsHaveTheUsualKeys)
{
    const std::vector<std::pair<const char *, QKeySequence>> keys = {
        {"openAction", QKeySequence(Qt::CTRL | Qt::Key_O)},
        {"newAction", QKeySequence(Qt::CTRL | Qt::Key_N)},
        {"saveAsAction", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
        {"closeCurrentAction", QKeySequence(Qt::CTRL | Qt::Key_W)},
        {"exitAction", QKeySequence(Qt::CTRL | Qt::Key_Q)},
        {"searchAction", QKeySequence(Qt::CTRL | Qt::Key_F)},
        {"findNextAction", QKeySequence(Qt::Key_F3)},
        {"helpAction", QKeySequence(Qt::Key_F1)},
        {"statisticsAction", QKeySequence(Qt::Key_F8)},
    };
    for (const auto &[name, key] : keys)
        EXPECT_EQ(action(*form, name)->shortcut(), key) << name;
}

TEST_F(ShellTest, ToolbarButtonsShowTheirHintsInOrder)
{
    const std::vector<std::pair<QAction *, std::string>> expected = {
        {action(*form, "openAction"), "Open a file"},
        {action(*form, "saveAsAction"), "Save to a new file"},
        {action(*form, "addColumnAction"), "Add a column"},
        {action(*form, "clearColumnAction"), "Clear a column"},
        {action(*form, "addBlankRowAction"), "Add a new row"},
        {action(*form, "addCopiedRowAction"), "Add a new row same as row before ..."},
        {action(*form, "showCommentAction"), "Show the comment for the current column (F12)"},
        {action(*form, "editCommentAction"), "Edit comment (F11)"},
        {action(*form, "searchAction"), "Search"},
        {action(*form, "newAction"), "Create a new project (\".adi \") "},
        {action(*form, "helpAction"), "Help file"},
        {action(*form, "aboutAction"), "About box"},
    };
    // The history, row, column and check commands follow after a separator.
    const char *const later[]
        = {"undoAction", "redoAction", "deleteRowsAction", "deleteColumnAction", "checkLogAction"};
    const QList<QAction *> buttons = child<QToolBar>(*form, "toolBar")->actions();
    ASSERT_EQ(buttons.size(), qsizetype(expected.size() + 1 + std::size(later)));
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(buttons[qsizetype(i)], expected[i].first) << i;
        EXPECT_EQ(buttons[qsizetype(i)]->toolTip().toStdString(), expected[i].second) << i;
    }
    EXPECT_TRUE(buttons[qsizetype(expected.size())]->isSeparator());
    for (size_t i = 0; i < std::size(later); ++i)
        EXPECT_EQ(buttons[qsizetype(expected.size() + 1 + i)], action(*form, later[i])) << i;
}

// --- help -------------------------------------------------------------------

// A help engine that fails in an unexpected way.
class BrokenHelpPlatform : public ScriptedPlatform {
public:
    bool showHelp(QWidget *owner, const std::string &helpFile, int context) override
    {
        ScriptedPlatform::showHelp(owner, helpFile, context);
        throw std::runtime_error("help engine gone");
    }
};

enum class HelpOutcome { Shown, Refused, Broken };

struct HelpCase {
    const char *name;
    HelpOutcome outcome;
    bool viaToolbar;
    const char *message;  // nullptr: no message
};

class HelpTest : public ::testing::TestWithParam<HelpCase> { };

TEST_P(HelpTest, AsksForContext100AndReportsFailures)
{
    const HelpCase &c = GetParam();
    std::unique_ptr<ScriptedPlatform> platform = c.outcome == HelpOutcome::Broken
        ? std::make_unique<BrokenHelpPlatform>()
        : std::make_unique<ScriptedPlatform>();
    MainWindow form(*platform);
    platform->clearEvents();
    for (int request = 0; request < 2; ++request) {
        platform->queueHelpResult(c.outcome == HelpOutcome::Shown);
        if (c.viaToolbar)
            action(form, "helpAction")->trigger();
        else
            action(form, "helpMenuEntry")->trigger();
    }

    const auto help = platform->eventsOfKind(Kind::Help);
    ASSERT_EQ(help.size(), 2u);
    for (const auto &event : help) {
        EXPECT_EQ(event.header, "VAZIDUVU.HLP");
        EXPECT_EQ(event.text, "100");
    }
    // Each request that fails gets a box of its own.
    const std::vector<std::string> expected
        = c.message ? std::vector<std::string>(2, c.message) : std::vector<std::string>{};
    EXPECT_EQ(platform->messages(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Shell, HelpTest,
    ::testing::Values(
        HelpCase{"MenuShown", HelpOutcome::Shown, false, nullptr},
        HelpCase{"ToolbarShown", HelpOutcome::Shown, true, nullptr},
        HelpCase{"MenuRefused", HelpOutcome::Refused, false, "Problem:|Could not display help"},
        HelpCase{"ToolbarRefused", HelpOutcome::Refused, true, "Problem:|Could not display help"},
        HelpCase{"MenuBroken", HelpOutcome::Broken, false, "Problem:|Could not find help file"},
        HelpCase{"ToolbarBroken", HelpOutcome::Broken, true, "Problem:|Could not find help file"}),
    [](const ::testing::TestParamInfo<HelpCase> &info) { return std::string(info.param.name); });

// The program's own help page, shown by the real platform as the program
// shows it: it opens at context 100 and explains every load report and the
// main messages in the program's own words.
TEST(HelpPage, OpensAtContext100AndExplainsTheMessages)
{
    QtPlatform platform(QStringLiteral(EXAMPLES_DIR "/../docs/help"));
    QWidget owner;
    ASSERT_TRUE(platform.showHelp(&owner, "VAZIDUVU.HLP", 100));
    ASSERT_NE(platform.helpWindow(), nullptr);
    auto *browser = child<QTextBrowser>(*platform.helpWindow(), "helpBrowser");
    EXPECT_TRUE(browser->toHtml().contains(QStringLiteral("context-100")));

    const auto collapsed = [](QString text) {
        return text.replace(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral(" "))
            .trimmed();
    };
    const QString page = collapsed(browser->toPlainText());
    const char *const explained[] = {
        "File not loaded ...",
        "No header or start field (<) found",
        "Bracket mismatch in area of character",
        "Empty brackets ( <> ) in area of character",
        "Invalid data fieldlength in area of character",
        "Field name is missing in area of character",
        ">>> Invalid data-type specifier >>> in user-defined column",
        ">>> File too big",
        ">>> File too big or too many fields",
        "Header Markers OK?",
        "Left Brackets:",
        "Right Brackets:",
        "End-Record Markers:",
        "Statistics refreshed on reload",
        "New Project Started ...",
        "If your file did not load, fix the format violation ...",
        "Length discrepencies found (in yellow text)",
        "Not enough physical memory available to run the application.",
        "Could not close the current session",
        "Cannot use existing file name. Select a new file name.",
        "File could not be saved",
        "Could not save file ... Target was CDROM or READ-ONLY device ...",
        "Check your date columns ... incorrect date formats were found.",
        "Check your 'Satellite' columns ... incorrect satellite names were found.",
        "Dulicate Column Name ... Column not added ...",
        "Maximum allowable row already exist!",
        "No comment found for this row and column.",
        "Could not display help",
        "Could not find help file",
    };
    for (const char *message : explained)
        EXPECT_TRUE(page.contains(collapsed(QString::fromLatin1(message)))) << message;
}

// --- the about box ------------------------------------------------------------

TEST_F(ShellTest, AboutBoxShowsTheProgramAndClosesWithOk)
{
    std::vector<QDialog *> shown;
    auto inspect = [&shown](QDialog &dialog) {
        shown.push_back(&dialog);
        auto *box = qobject_cast<AboutBox *>(&dialog);
        if (!box) {
            ADD_FAILURE() << "not the about box";
            return int(QDialog::Rejected);
        }
        dialog.show();
        EXPECT_EQ(box->windowTitle(), "About");
        EXPECT_EQ(box->size(), QSize(470, 397));
        EXPECT_EQ(box->minimumSize(), box->maximumSize());
        EXPECT_EQ(child<QLabel>(*box, "productName")->text(),
                  "Ham Radio Data Viewer/ Editor  - VAZIDUVU  -  Build 8");
        EXPECT_EQ(child<QLabel>(*box, "version")->text(), "Version 1.1 BETA");
        EXPECT_EQ(child<QLabel>(*box, "comments")->text(),
                  "Note that the ADIF format is  not owned by Corvantis, Inc.   The format has "
                  "been released for non profit or commercial use by a consortium of amateurs who "
                  "wish to create a common format with which to enable the convenient "
                  "import/export of ham related data");
        EXPECT_TRUE(child<QLabel>(*box, "comments")->wordWrap());
        EXPECT_EQ(child<QLabel>(*box, "adifNote")->text(),
                  "For more information about ADIF and the people who "
                  "created it, go to the web:");
        EXPECT_TRUE(child<QLabel>(*box, "adifLink")->text().contains("https://www.adif.org/"));
        EXPECT_FALSE(child<QLabel>(*box, "programIcon")->pixmap().isNull());
        EXPECT_EQ(child<QPushButton>(*box, "okButton")->text(), "OK");
        EXPECT_TRUE(child<QPushButton>(*box, "okButton")->isDefault());
        // Every text fits inside the panel, and the panel inside the box.
        const QRect panel = child<QFrame>(*box, "panel")->contentsRect();
        for (QWidget *part : std::initializer_list<QWidget *>{
                 child<QLabel>(*box, "programIcon"), child<QLabel>(*box, "productName"),
                 child<QLabel>(*box, "version"), child<QLabel>(*box, "comments"),
                 child<QLabel>(*box, "adifNote"), child<QLabel>(*box, "adifLink")})
            EXPECT_TRUE(panel.contains(part->geometry())) << part->objectName().toStdString();
        EXPECT_TRUE(box->rect().contains(child<QPushButton>(*box, "okButton")->geometry()));
        EXPECT_FALSE(child<QFrame>(*box, "panel")
                         ->geometry()
                         .intersects(child<QPushButton>(*box, "okButton")->geometry()));
        child<QPushButton>(*box, "okButton")->click();
        EXPECT_FALSE(box->isVisible());
        return box->result();
    };
    platform.queueModal(inspect);
    platform.queueModal(inspect);
    action(*form, "aboutMenuEntry")->trigger();
    action(*form, "aboutAction")->trigger();

    const auto modal = platform.eventsOfKind(Kind::Modal);
    ASSERT_EQ(modal.size(), 2u);
    EXPECT_EQ(modal[0].objectName, "aboutBox");
    // One box, made with the window and kept between requests.
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], shown[1]);
    EXPECT_EQ(shown[0]->parent(), form.get());
    EXPECT_TRUE(platform.messages().empty());
}

// --- the source display ---------------------------------------------------------

struct LineCase {
    const char *text;
    std::vector<std::string> lines;
};

class SourceDisplayLinesTest : public ::testing::TestWithParam<LineCase> { };

TEST_P(SourceDisplayLinesTest, ShowsEachLineOfTheText)
{
    SourceDisplayDialog dialog(GetParam().text, -1);
    dialog.show();
    std::vector<std::string> lines;
    for (QTextBlock block = child<QPlainTextEdit>(dialog, "sourceText")->document()->begin();
         block.isValid(); block = block.next())
        lines.push_back(block.text().toStdString());
    EXPECT_EQ(lines, GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Shell, SourceDisplayLinesTest,
    ::testing::Values(LineCase{"<CALL:4>ZX1A\r\n<EOR>", {"<CALL:4>ZX1A", "<EOR>"}},
                      LineCase{"A\r\n\r\nB", {"A", "", "B"}}, LineCase{"A\nB\rC", {"A", "B", "C"}},
                      LineCase{"A\r\n", {"A", ""}}, LineCase{"\r\r\n", {"", "", ""}},
                      LineCase{"", {""}}));

struct DialogSize {
    int width;
    int height;
};

class SourceDisplayResizeTest : public ::testing::TestWithParam<DialogSize> { };

TEST_P(SourceDisplayResizeTest, OkStaysUnderTheRightEndOfTheText)
{
    SourceDisplayDialog dialog("one\r\ntwo", -1);
    dialog.show();
    dialog.resize(GetParam().width, GetParam().height);
    QApplication::processEvents();
    const QSize client = dialog.size();
    const QRect text = child<QPlainTextEdit>(dialog, "sourceText")->geometry();
    const QRect ok = child<QPushButton>(dialog, "okButton")->geometry();
    EXPECT_EQ(text.width(), client.width() - 15);
    EXPECT_EQ(text.height(), client.height() - 45);
    EXPECT_EQ(ok.x() + ok.width(), text.x() + text.width());
    EXPECT_EQ(ok.y(), text.y() + text.height() + 7);
    EXPECT_TRUE(dialog.rect().contains(ok)) << "OK button outside the window";
}

INSTANTIATE_TEST_SUITE_P(Shell, SourceDisplayResizeTest,
                         ::testing::Values(DialogSize{568, 427}, DialogSize{300, 200},
                                           DialogSize{1200, 900}, DialogSize{568, 160}));

TEST(SourceDisplay, StartsAtItsDesignSizeReadOnlyAndUnwrapped)
{
    SourceDisplayDialog dialog("x", -1);
    EXPECT_EQ(dialog.size(), QSize(568, 427));
    EXPECT_EQ(dialog.windowTitle(), "Source Display");
    EXPECT_TRUE(child<QPlainTextEdit>(dialog, "sourceText")->isReadOnly());
    EXPECT_EQ(child<QPlainTextEdit>(dialog, "sourceText")->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(child<QPlainTextEdit>(dialog, "sourceText")->horizontalScrollBarPolicy(),
              Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(child<QPlainTextEdit>(dialog, "sourceText")->verticalScrollBarPolicy(),
              Qt::ScrollBarAlwaysOn);
    EXPECT_FALSE(dialog.windowIcon().isNull());
    dialog.show();
    child<QPushButton>(dialog, "okButton")->click();
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(ShellTest, ClickOnTheSourceViewShowsTheWholeSourceText)
{
    load(kBrokenLog);
    ASSERT_FALSE(form->sourceViewText().empty());
    std::string expected = form->sourceViewText();
    for (size_t at = expected.find("\r\n"); at != std::string::npos; at = expected.find("\r\n", at))
        expected.replace(at, 2, "\n");
    std::string seen;
    std::string selected;
    platform.queueModal([&](QDialog &dialog) {
        dialog.show();
        if (auto *display = qobject_cast<SourceDisplayDialog *>(&dialog)) {
            auto *text = child<QPlainTextEdit>(*display, "sourceText");
            seen = text->toPlainText().toStdString();
            selected = text->textCursor().selectedText().toStdString();
            // The view opens at the selected line, numbered in its margin.
            EXPECT_GT(text->viewport()->x(), 0);
        }
        dialog.accept();
        return dialog.result();
    });
    QTest::mouseClick(child<QPlainTextEdit>(*form, "sourceView")->viewport(), Qt::LeftButton);
    const auto modal = platform.eventsOfKind(Kind::Modal);
    ASSERT_EQ(modal.size(), 1u);
    EXPECT_EQ(modal[0].windowTitle, "Source Display");
    EXPECT_EQ(seen, expected);
    // The error line the main window's source view selects, selected here too.
    EXPECT_FALSE(selected.empty());
    const auto [start, length] = form->sourceSelection();
    EXPECT_EQ(selected, form->sourceViewText().substr(start, length));
}

// --- start-up ---------------------------------------------------------------

struct ResourceCase {
    const char *name;
    std::function<void(ScriptedPlatform &)> adjust;
    bool enough;
};

class StartupResourcesTest : public ::testing::TestWithParam<ResourceCase> { };

TEST_P(StartupResourcesTest, NeedsEveryThreshold)
{
    ScriptedPlatform platform;
    platform.memory.availableVirtual = 100000000;
    platform.memory.availablePhysical = 20000000;
    platform.memory.availablePageFile = 100000000;
    platform.memory.totalPhysical = 100000000;
    platform.freeDisk = 10000000;
    GetParam().adjust(platform);
    EXPECT_EQ(enoughResourcesToStart(platform), GetParam().enough);
}

INSTANTIATE_TEST_SUITE_P(
    Shell, StartupResourcesTest,
    ::testing::Values(
        ResourceCase{"AllExactlyAtTheirThresholds", [](ScriptedPlatform &) {}, true},
        ResourceCase{"VirtualOneShort",
                     [](ScriptedPlatform &p) { p.memory.availableVirtual = 99999999; }, false},
        ResourceCase{"PhysicalOneShort",
                     [](ScriptedPlatform &p) { p.memory.availablePhysical = 19999999; }, false},
        ResourceCase{"PageFileOneShort",
                     [](ScriptedPlatform &p) { p.memory.availablePageFile = 99999999; }, false},
        ResourceCase{"TotalOneShort",
                     [](ScriptedPlatform &p) { p.memory.totalPhysical = 99999999; }, false},
        ResourceCase{"DiskOneShort", [](ScriptedPlatform &p) { p.freeDisk = 9999999; }, false},
        ResourceCase{"DiskUnknown", [](ScriptedPlatform &p) { p.freeDisk = std::nullopt; }, false},
        ResourceCase{"MemoryQueryFailed", [](ScriptedPlatform &p) { p.memory.ok = false; }, false},
        ResourceCase{"HugeValuesComparedUnsigned",
                     [](ScriptedPlatform &p) {
                         p.memory.availableVirtual = ~uint64_t(0);
                         p.memory.totalPhysical = uint64_t(1) << 63;
                     },
                     true}),
    [](const ::testing::TestParamInfo<ResourceCase> &info) {
        return std::string(info.param.name);
    });

// The instance lock of the programs these tests start: their own, so a copy
// someone has open does not count.
std::string testInstanceName()
{
    return std::string(kInstanceLockName) + "-test-"
        + std::to_string(QCoreApplication::applicationPid());
}

TEST(Startup, ASecondStartLeavesSilentlyWhileTheFirstRuns)
{
    SingleInstanceLock first;
    ASSERT_TRUE(first.tryAcquire(testInstanceName()));

    QProcess second;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("VAZIDUVU_INSTANCE", QString::fromStdString(testInstanceName()));
    second.setProcessEnvironment(environment);
    second.start(QStringLiteral(VAZIDUVU_PROGRAM), {});
    ASSERT_TRUE(second.waitForStarted());
    const bool finished = second.waitForFinished(30000);
    if (!finished) {
        second.kill();
        second.waitForFinished();
    }
    ASSERT_TRUE(finished) << "the second start kept running";
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_TRUE(second.readAllStandardOutput().isEmpty());
}

// A second start with a log hands it to the running program and leaves
// within the start-up rule's 400 ms.
TEST(Startup, ASecondStartHandsItsLogToTheRunningProgram)
{
    SingleInstanceLock first;
    ASSERT_TRUE(first.tryAcquire(testInstanceName()));
    InstanceChannel channel;
    ASSERT_TRUE(channel.listen(instanceChannelName(QString::fromStdString(testInstanceName()))));
    QStringList requested;
    QObject::connect(&channel, &InstanceChannel::openRequested,
                     [&](const QString &path) { requested << path; });

    QTemporaryDir folder;
    for (const QStringList &arguments : {QStringList{QStringLiteral("log.adi")}, QStringList{}}) {
        QProcess second;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("VAZIDUVU_INSTANCE", QString::fromStdString(testInstanceName()));
        second.setProcessEnvironment(environment);
        second.setWorkingDirectory(folder.path());
        QElapsedTimer clock;
        clock.start();
        second.start(QStringLiteral(VAZIDUVU_PROGRAM), arguments);
        ASSERT_TRUE(second.waitForStarted());
        // Its request is answered here, so events must run while it waits.
        while (second.state() != QProcess::NotRunning && clock.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        EXPECT_EQ(second.exitCode(), 0);
        EXPECT_LT(clock.elapsed(), 2000);  // a generous bound for a loaded machine
    }
    EXPECT_EQ(requested, (QStringList{folder.filePath(QStringLiteral("log.adi")), QString()}));
}

TEST(Startup, HelpAndVersionAnswerWithoutAWindow)
{
    for (const char *option : {"--help", "--version"}) {
        QProcess program;
        program.start(QStringLiteral(VAZIDUVU_PROGRAM), {QString::fromLatin1(option)});
        ASSERT_TRUE(program.waitForFinished(10000));
        EXPECT_EQ(program.exitCode(), 0) << option;
        const QString said = QString::fromLatin1(program.readAllStandardOutput());
        EXPECT_TRUE(
            said.startsWith(option == std::string("--help") ? "usage: vaziduvu" : "vaziduvu "))
            << said.toStdString();
    }
}

TEST(Startup, TheLockIsFreeAgainOnceTheHolderEnds)
{
    const std::string name = std::string(kInstanceLockName) + "-shell-test";
    {
        SingleInstanceLock first;
        ASSERT_TRUE(first.tryAcquire(name));
        SingleInstanceLock second;
        EXPECT_FALSE(second.tryAcquire(name, 50));
    }
    SingleInstanceLock later;
    EXPECT_TRUE(later.tryAcquire(name, 50));
}

}  // namespace
}  // namespace vaziduvu::test
