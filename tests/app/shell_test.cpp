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
#include "platform/qt_platform.h"
#include "platform/scripted_platform.h"
#include "platform/single_instance.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextBrowser>
#include <QToolBar>

#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace vaziduvu {
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
        form = std::make_unique<TForm1>(platform);
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
        form->Open1Click();
    }

    // A loaded log with an edit not yet exported: the change light is yellow.
    void loadAndEdit()
    {
        load(kCleanLog);
        ASSERT_TRUE(form->document().documentOpen());
        form->MarkDataChanged();
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
    std::unique_ptr<TForm1> form;
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

class CloseGuardTest : public ShellTest, public ::testing::WithParamInterface<GuardCase> {};

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
    case Trigger::ExitMenu: form->Exit1->trigger(); break;
    case Trigger::ExitHandler: form->Exit1Click(); break;
    case Trigger::CloseBox: form->close(); break;
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
    EXPECT_EQ(form->adifFile() == nullptr, c.closes);
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
    form->setExportInProgress(true);
    EXPECT_FALSE(form->close());
    form->Exit1Click();
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(platform.events().empty());
    form->setExportInProgress(false);
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
    form->CloseCurrent1->trigger();

    EXPECT_EQ(confirmTexts(), std::vector<std::string>{kCloseCurrentQuestion});
    EXPECT_EQ(platform.eventsOfKind(Kind::SaveDialog).size(), 1u);
    ASSERT_FALSE(platform.messages().empty());
    EXPECT_EQ(platform.messages().back(), "Problem:|Could not close the current session");
    EXPECT_TRUE(form->document().documentOpen());
    EXPECT_TRUE(form->StringGrid1->isVisible());
    EXPECT_TRUE(form->changeLightYellow());
    EXPECT_TRUE(form->changeLightVisible());
    EXPECT_TRUE(form->Save1->isEnabled());
}

struct CloseCurrentCase {
    const char *name;
    bool yellow;
    bool answerYes;  // only asked when yellow
    bool saveSucceeds;
};

class CloseCurrentTest : public ShellTest,
                         public ::testing::WithParamInterface<CloseCurrentCase> {};

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
    form->CloseCurrent1Click();

    EXPECT_EQ(confirmTexts().size(), c.yellow ? 1u : 0u);
    for (const std::string &message : platform.messages())
        EXPECT_EQ(message.find("Could not close"), std::string::npos) << message;
    EXPECT_FALSE(form->document().documentOpen());
    for (QWidget *hidden : std::initializer_list<QWidget *>{form->StringGrid1, form->RichEdit1,
                                                            form->RichEdit2, form->Shape4,
                                                            form->Shape5, form->Shape6, form->Shape7})
        EXPECT_FALSE(hidden->isVisible()) << hidden->objectName().toStdString();
    EXPECT_FALSE(form->changeLightVisible());
    EXPECT_FALSE(form->changeLightYellow());
    for (int panel = 0; panel < 3; ++panel)
        EXPECT_EQ(form->statusText(panel), "") << panel;
    EXPECT_TRUE(form->Image1->isVisible());
    EXPECT_TRUE(form->Label1->isVisible());
}

INSTANTIATE_TEST_SUITE_P(
    Shell, CloseCurrentTest,
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

class CommandStateTest : public ShellTest, public ::testing::WithParamInterface<StateCase> {};

TEST_P(CommandStateTest, DocumentCommandsFollowTheDocument)
{
    const StateCase &c = GetParam();
    switch (c.stage) {
    case Stage::Start: break;
    case Stage::Loaded: load(kCleanLog); break;
    case Stage::FailedLoad: load(kBrokenLog); break;
    case Stage::ClosedCurrent:
        load(kCleanLog);
        form->CloseCurrent1Click();
        break;
    case Stage::ReloadedAfterClose:
        load(kCleanLog);
        form->CloseCurrent1Click();
        load(kCleanLog);
        break;
    }

    const std::map<std::string, QAction *> alwaysOn = {
        {"Open1", form->Open1},           {"New1", form->New1},
        {"Exit1", form->Exit1},           {"ToolButton1", form->ToolButton1},
        {"ToolButton9", form->ToolButton9}, {"ToolButton4", form->ToolButton4},
        {"ToolButton3", form->ToolButton3}};
    const std::map<std::string, QAction *> switched = {
        {"Save1", form->Save1},
        {"CloseCurrent1", form->CloseCurrent1},
        {"AddColumn1", form->AddColumn1},
        {"ClearColumn1", form->ClearColumn1},
        {"AddRowSameAsPrevious1", form->AddRowSameAsPrevious1},
        {"AddRow1", form->AddRow1},
        {"Search1", form->Search1},
        {"Font1", form->Font1},
        {"UseSyntaxHighlighting1", form->UseSyntaxHighlighting1},
        {"Omitemptyfieldtags1", form->Omitemptyfieldtags1},
        {"ToolButton2", form->ToolButton2},
        {"ToolButton5", form->ToolButton5},
        {"ToolButton6", form->ToolButton6},
        {"ToolButton7", form->ToolButton7},
        {"ToolButton8", form->ToolButton8},
        {"ToolButton10", form->ToolButton10},
        {"ToolButton11", form->ToolButton11},
        {"ToolButton12", form->ToolButton12}};

    for (const auto &[name, action] : alwaysOn)
        EXPECT_TRUE(action->isEnabled()) << name;
    for (const auto &[name, action] : switched)
        EXPECT_EQ(action->isEnabled(), c.documentCommands) << name;
    EXPECT_EQ(form->About1->isEnabled(), c.helpMenuEntries);
    EXPECT_EQ(form->Overview1->isEnabled(), c.helpMenuEntries);
    EXPECT_FALSE(form->Cabrillo1->isEnabled());
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
    form->CloseCurrent1Click();
    platform.clearEvents();
    form->ToolButton3->trigger();
    form->ToolButton4->trigger();
    ASSERT_EQ(platform.eventsOfKind(Kind::Modal).size(), 1u);
    EXPECT_EQ(platform.eventsOfKind(Kind::Modal)[0].windowTitle, "About");
    ASSERT_EQ(platform.eventsOfKind(Kind::Help).size(), 1u);
}

// --- layout ----------------------------------------------------------------

struct LayoutCase {
    int width;
    int height;
};

class LayoutTest : public ShellTest, public ::testing::WithParamInterface<LayoutCase> {};

TEST_P(LayoutTest, ControlsFollowTheClientArea)
{
    load(kCleanLog);
    form->resize(GetParam().width, GetParam().height);
    QApplication::processEvents();
    ASSERT_EQ(form->size(), QSize(GetParam().width, GetParam().height));

    const int W = form->client->width();
    const int H = form->client->height();
    const int T = form->ToolBar1->height();
    const QRect grid = form->StringGrid1->geometry();
    EXPECT_EQ(grid.top(), form->ToolBar1->y() + T);
    EXPECT_EQ(grid.height(), (H - T) * 25 / 40);
    EXPECT_EQ(grid.width(), W - 8);

    const QRect report = form->RichEdit1->geometry();
    EXPECT_EQ(report.top(), grid.top() + grid.height() + 10);
    EXPECT_EQ(report.height(), (H - T) * 9 / 40 - 2);
    EXPECT_EQ(report.width(), W / 2 - 8);

    const QRect source = form->RichEdit2->geometry();
    EXPECT_EQ(source.left(), report.left() + report.width() + 2);
    EXPECT_EQ(source.width(), W - (report.width() + 9));
    EXPECT_EQ(source.top(), report.top());
    EXPECT_EQ(source.height(), report.height());

    const QRect divider = form->Shape4->geometry();
    EXPECT_EQ(divider.left(), source.left() - 1);
    EXPECT_EQ(divider.top(), source.top());
    EXPECT_EQ(divider.height(), source.height());
    EXPECT_EQ(divider.width(), 1);

    const QRect status = form->StatusBar2->geometry();
    EXPECT_EQ(status.top(), H - status.height());
    EXPECT_EQ(status.width(), W - 2);

    const QRect line5 = form->Shape5->geometry();
    EXPECT_EQ(line5.top(), report.top() + report.height());
    EXPECT_EQ(line5.left(), report.left());
    EXPECT_EQ(line5.width(), W - 8);
    const QRect line6 = form->Shape6->geometry();
    EXPECT_EQ(line6.left(), line5.left());
    EXPECT_EQ(line6.width(), line5.width() - 1);
    EXPECT_EQ(line6.height(), 1);
    EXPECT_EQ(line6.top(), report.top() - 1);
    const QRect line7 = form->Shape7->geometry();
    EXPECT_EQ(line7.width(), line5.width() - 1);
    EXPECT_EQ(line7.top(), report.top() + report.height() + 1);

    const QRect notice = form->Label3->geometry();
    EXPECT_EQ(notice.top(), report.top() + report.height() + 10);
    EXPECT_EQ(notice.left(), W - (notice.width() + 8));
    EXPECT_EQ(form->Shape1->y(), notice.top());
    EXPECT_EQ(form->Shape2->y(), notice.top() - 1);
    const QRect frame3 = form->Shape3->geometry();
    EXPECT_EQ(frame3.top(), notice.top() - 1);
    EXPECT_EQ(frame3.left(), form->Shape1->x() + form->Shape1->width() + 1);
    EXPECT_EQ(frame3.width(), W - (form->Shape1->width() + 14));
    EXPECT_EQ(frame3.height(), form->Shape2->height());

    EXPECT_EQ(form->Panel1->width(), W - 2);
    EXPECT_EQ(form->Panel1->height(), H - status.height());
    EXPECT_EQ(form->Image1->width(), W - 1);
    EXPECT_EQ(form->Image1->height(), H - (T + 1));
    EXPECT_EQ(form->Label1->x(), (W - form->Label1->width()) / 2);
    EXPECT_EQ(form->Label1->y(), H / 2);
    EXPECT_EQ(form->Label1->height(), H / 2);

    // From the first size up, nothing of the document area reaches under
    // the status bar.
    if (GetParam().height >= 492) {
        EXPECT_LE(notice.bottom(), status.top());
    }
}

INSTANTIATE_TEST_SUITE_P(Shell, LayoutTest,
                         ::testing::Values(LayoutCase{630, 492}, LayoutCase{376, 400},
                                           LayoutCase{800, 600}, LayoutCase{1280, 1000},
                                           LayoutCase{1000, 377}));

TEST_F(ShellTest, ASmallWindowKeepsItsPreviousLayout)
{
    load(kCleanLog);
    form->resize(700, 520);
    QApplication::processEvents();
    const QRect grid = form->StringGrid1->geometry();
    const QRect report = form->RichEdit1->geometry();
    // The rule is about the outer size, frame included.
    const QSize frame = form->frameGeometry().size() - form->size();
    for (const QSize outer : {QSize(375, 600), QSize(600, 375), QSize(380, 300)}) {
        form->resize(outer - frame);
        QApplication::processEvents();
        ASSERT_EQ(form->frameGeometry().size(), outer);
        EXPECT_EQ(form->StringGrid1->geometry(), grid) << outer.width() << "x" << outer.height();
        EXPECT_EQ(form->RichEdit1->geometry(), report) << outer.width() << "x" << outer.height();
    }
    // One pixel more is laid out again, however thin the frame leaves the
    // client area.
    form->resize(QSize(376, 600) - frame);
    QApplication::processEvents();
    EXPECT_EQ(form->StringGrid1->width(), form->client->width() - 8);
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

class ActivateTest : public ShellTest, public ::testing::WithParamInterface<ActivateCase> {};

TEST_P(ActivateTest, ChecksDriveSystemAndMemoryOnEveryActivation)
{
    const ActivateCase &c = GetParam();
    platform.driveType = c.drive;
    platform.osMajor = c.osMajor;
    if (!c.enoughMemory)
        platform.memory.availablePhysical = 14999999;
    form->FormActivate();
    if (c.message == nullptr) {
        EXPECT_TRUE(platform.messages().empty());
        EXPECT_TRUE(form->isVisible());
    } else {
        EXPECT_EQ(platform.messages(), std::vector<std::string>{c.message});
        EXPECT_FALSE(form->isVisible());
    }
    EXPECT_EQ(form->Image1->width(), form->client->width() - 1);
    EXPECT_EQ(form->Image1->height(), form->client->height() - (form->ToolBar1->height() + 1));
}

INSTANTIATE_TEST_SUITE_P(
    Shell, ActivateTest,
    ::testing::Values(
        ActivateCase{"Fixed", DriveType::Fixed, 5, true, nullptr},
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
        ActivateCase{"OldSystemMemoryNotAsked", DriveType::Fixed, 4, false, kOldSystemMessage}),
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
    TForm1 form(platform);
    form.show();
    QApplication::processEvents();
    platform.clearEvents();
    form.FormActivate();
    EXPECT_EQ(platform.messages(), std::vector<std::string>{"Problem:|Could not initialize program."});
    EXPECT_FALSE(form.isVisible());
}

// --- menu and toolbar ------------------------------------------------------

TEST_F(ShellTest, MenusHoldTheirEntriesInOrder)
{
    const std::vector<std::pair<QMenu *, std::vector<std::string>>> menus = {
        {form->File1, {"&Open", "&New", "Save &As", "&Close Current", "&Exit"}},
        {form->Layout1,
         {"&Add Column", "&Clear Column", "-", "Add Row &Same As Previous", "Add Blank &Row",
          "S&earch"}},
        {form->Format1, {"Fo&nt", "Use Syntax Highlighting", "&Omit Empty Field Tags"}},
        {form->Import1, {"Cabrillo"}},
        {form->Help1, {"&About", "-", "&Vaziduvu Help Contents"}},
    };
    std::vector<std::string> titles;
    for (QAction *top : form->menuBar()->actions())
        titles.push_back(top->text().toStdString());
    EXPECT_EQ(titles, (std::vector<std::string>{"&File", "&Edit", "F&ormat", "&Import", "&Help"}));
    for (const auto &[menu, expected] : menus) {
        std::vector<std::string> entries;
        for (QAction *item : menu->actions())
            entries.push_back(item->isSeparator() ? "-" : item->text().toStdString());
        EXPECT_EQ(entries, expected) << menu->title().toStdString();
    }
    EXPECT_TRUE(form->Omitemptyfieldtags1->isCheckable());
    EXPECT_FALSE(form->Omitemptyfieldtags1->isChecked());
}

TEST_F(ShellTest, ToolbarButtonsShowTheirHintsInOrder)
{
    const std::vector<std::pair<QAction *, std::string>> expected = {
        {form->ToolButton1, "Open a file"},
        {form->ToolButton2, "Save to a new file"},
        {form->ToolButton5, "Add a column"},
        {form->ToolButton6, "Clear a column"},
        {form->ToolButton7, "Add a new row"},
        {form->ToolButton8, "Add a new row same as row before ..."},
        {form->ToolButton10, "Show the comment for the current column (F12)"},
        {form->ToolButton11, "Edit comment (F11)"},
        {form->ToolButton12, "Search"},
        {form->ToolButton9, "Create a new project (\".adi \") "},
        {form->ToolButton4, "Help file"},
        {form->ToolButton3, "About box"},
    };
    const QList<QAction *> buttons = form->ToolBar1->actions();
    ASSERT_EQ(buttons.size(), qsizetype(expected.size()));
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(buttons[qsizetype(i)], expected[i].first) << i;
        EXPECT_EQ(buttons[qsizetype(i)]->toolTip().toStdString(), expected[i].second) << i;
    }
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

class HelpTest : public ::testing::TestWithParam<HelpCase> {};

TEST_P(HelpTest, AsksForContext100AndReportsFailures)
{
    const HelpCase &c = GetParam();
    std::unique_ptr<ScriptedPlatform> platform =
        c.outcome == HelpOutcome::Broken ? std::make_unique<BrokenHelpPlatform>()
                                         : std::make_unique<ScriptedPlatform>();
    TForm1 form(*platform);
    platform->clearEvents();
    for (int request = 0; request < 2; ++request) {
        platform->queueHelpResult(c.outcome == HelpOutcome::Shown);
        if (c.viaToolbar)
            form.ToolButton4->trigger();
        else
            form.Overview1->trigger();
    }

    const auto help = platform->eventsOfKind(Kind::Help);
    ASSERT_EQ(help.size(), 2u);
    for (const auto &event : help) {
        EXPECT_EQ(event.header, "VAZIDUVU.HLP");
        EXPECT_EQ(event.text, "100");
    }
    // Each request that fails gets a box of its own.
    const std::vector<std::string> expected =
        c.message ? std::vector<std::string>(2, c.message) : std::vector<std::string>{};
    EXPECT_EQ(platform->messages(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Shell, HelpTest,
    ::testing::Values(HelpCase{"MenuShown", HelpOutcome::Shown, false, nullptr},
                      HelpCase{"ToolbarShown", HelpOutcome::Shown, true, nullptr},
                      HelpCase{"MenuRefused", HelpOutcome::Refused, false,
                               "Problem:|Could not display help"},
                      HelpCase{"ToolbarRefused", HelpOutcome::Refused, true,
                               "Problem:|Could not display help"},
                      HelpCase{"MenuBroken", HelpOutcome::Broken, false,
                               "Problem:|Could not find help file"},
                      HelpCase{"ToolbarBroken", HelpOutcome::Broken, true,
                               "Problem:|Could not find help file"}),
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
    QTextBrowser *browser = platform.helpWindow()->browser();
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
        auto *box = qobject_cast<TAboutBox *>(&dialog);
        if (!box) {
            ADD_FAILURE() << "not the about box";
            return int(QDialog::Rejected);
        }
        dialog.show();
        EXPECT_EQ(box->windowTitle(), "About");
        EXPECT_EQ(box->size(), QSize(470, 397));
        EXPECT_EQ(box->minimumSize(), box->maximumSize());
        EXPECT_EQ(box->ProductName->text(),
                  "Ham Radio Data Viewer/ Editor  - VAZIDUVU  -  Build 8");
        EXPECT_EQ(box->Version->text(), "Version 1.1 BETA");
        EXPECT_EQ(box->Comments->text(),
                  "Note that the ADIF format is  not owned by Corvantis, Inc.   The format has "
                  "been released for non profit or commercial use by a consortium of amateurs who "
                  "wish to create a common format with which to enable the convenient "
                  "import/export of ham related data");
        EXPECT_TRUE(box->Comments->wordWrap());
        EXPECT_EQ(box->Label5->text(), "For more information about ADIF and the people who "
                                       "created it, go to the web:");
        EXPECT_TRUE(box->Label6->text().contains("https://www.adif.org/"));
        EXPECT_FALSE(box->ProgramIcon->pixmap().isNull());
        EXPECT_EQ(box->OKButton->text(), "OK");
        EXPECT_TRUE(box->OKButton->isDefault());
        // Every text fits inside the panel, and the panel inside the box.
        const QRect panel = box->Panel1->contentsRect();
        for (QWidget *part : std::initializer_list<QWidget *>{box->ProgramIcon, box->ProductName,
                                                             box->Version, box->Comments,
                                                             box->Label5, box->Label6})
            EXPECT_TRUE(panel.contains(part->geometry())) << part->objectName().toStdString();
        EXPECT_TRUE(box->rect().contains(box->OKButton->geometry()));
        EXPECT_FALSE(box->Panel1->geometry().intersects(box->OKButton->geometry()));
        box->OKButton->click();
        EXPECT_FALSE(box->isVisible());
        return box->result();
    };
    platform.queueModal(inspect);
    platform.queueModal(inspect);
    form->About1->trigger();
    form->ToolButton3->trigger();

    const auto modal = platform.eventsOfKind(Kind::Modal);
    ASSERT_EQ(modal.size(), 2u);
    EXPECT_EQ(modal[0].objectName, "AboutBox");
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

class SourceDisplayLinesTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(SourceDisplayLinesTest, ShowsEachLineOfTheText)
{
    TOKBottomDlg dialog(QString::fromLatin1(GetParam().text));
    dialog.show();
    std::vector<std::string> lines;
    for (QTextBlock block = dialog.RichEdit3->document()->begin(); block.isValid();
         block = block.next())
        lines.push_back(block.text().toStdString());
    EXPECT_EQ(lines, GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Shell, SourceDisplayLinesTest,
    ::testing::Values(LineCase{"<CALL:4>ZX1A\r\n<EOR>", {"<CALL:4>ZX1A", "<EOR>"}},
                      LineCase{"A\r\n\r\nB", {"A", "", "B"}},
                      LineCase{"A\nB\rC", {"A", "B", "C"}},
                      LineCase{"A\r\n", {"A", ""}},
                      LineCase{"\r\r\n", {"", "", ""}},
                      LineCase{"", {""}}));

struct DialogSize {
    int width;
    int height;
};

class SourceDisplayResizeTest : public ::testing::TestWithParam<DialogSize> {};

TEST_P(SourceDisplayResizeTest, OkStaysUnderTheRightEndOfTheText)
{
    TOKBottomDlg dialog(QStringLiteral("one\r\ntwo"));
    dialog.show();
    dialog.resize(GetParam().width, GetParam().height);
    QApplication::processEvents();
    const QSize client = dialog.size();
    const QRect text = dialog.RichEdit3->geometry();
    const QRect ok = dialog.OKBtn->geometry();
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
    TOKBottomDlg dialog(QStringLiteral("x"));
    EXPECT_EQ(dialog.size(), QSize(568, 427));
    EXPECT_EQ(dialog.windowTitle(), "Source Display");
    EXPECT_TRUE(dialog.RichEdit3->isReadOnly());
    EXPECT_EQ(dialog.RichEdit3->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(dialog.RichEdit3->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(dialog.RichEdit3->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_FALSE(dialog.windowIcon().isNull());
    dialog.show();
    dialog.OKBtn->click();
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
    platform.queueModal([&seen](QDialog &dialog) {
        dialog.show();
        if (auto *display = qobject_cast<TOKBottomDlg *>(&dialog))
            seen = display->RichEdit3->toPlainText().toStdString();
        dialog.accept();
        return dialog.result();
    });
    form->RichEdit2MouseDown();
    const auto modal = platform.eventsOfKind(Kind::Modal);
    ASSERT_EQ(modal.size(), 1u);
    EXPECT_EQ(modal[0].windowTitle, "Source Display");
    EXPECT_EQ(seen, expected);
}

// --- start-up ---------------------------------------------------------------

struct ResourceCase {
    const char *name;
    std::function<void(ScriptedPlatform &)> adjust;
    bool enough;
};

class StartupResourcesTest : public ::testing::TestWithParam<ResourceCase> {};

TEST_P(StartupResourcesTest, NeedsEveryThreshold)
{
    ScriptedPlatform platform;
    platform.memory.availableVirtual = 100000000;
    platform.memory.availablePhysical = 20000000;
    platform.memory.availablePageFile = 100000000;
    platform.memory.totalPhysical = 100000000;
    platform.freeDisk = 10000000;
    GetParam().adjust(platform);
    EXPECT_EQ(EnoughResourcesToStart(platform), GetParam().enough);
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
    [](const ::testing::TestParamInfo<ResourceCase> &info) { return std::string(info.param.name); });

TEST(Startup, ASecondStartLeavesSilentlyWhileTheFirstRuns)
{
    SingleInstanceLock first;
    ASSERT_TRUE(first.tryAcquire(kInstanceLockName));

    QProcess second;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
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
}  // namespace vaziduvu
