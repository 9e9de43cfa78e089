// The editing commands of the main window, driven offscreen through the
// scripted platform: columns, rows, the new project, comments and search.
#include "adif/field_catalogue.h"
#include "adif/text.h"
#include "app/add_column_dialog.h"
#include "app/column_selector_dialog.h"
#include "app/grid_delegate.h"
#include "app/grid_model.h"
#include "app/search_dialog.h"
#include "dialog_scripts.h"
#include "document/column_template.h"
#include "grid_texts.h"
#include "window_fixture.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <optional>
#include <vector>

namespace vaziduvu::test {
namespace {

using Kind = ScriptedPlatform::EventKind;

// Columns RECORD #, CALL, MODE, QSO_DATE, COMMENT. The call of record 1 is
// followed by a line break (a blank comment); record 2 has no COMMENT field.
const char kLog[] = "log<EOH>\r\n"
                    "<CALL:4>W1AW\r\n<MODE:2>CW<QSO_DATE:8>20040101<COMMENT:9>QSO IN CW<EOR>\r\n"
                    "<CALL:5>K1ABC<MODE:3>SSB<QSO_DATE:8>20040102<EOR>\r\n";

const char kNotAdded[] = "Information:|Column was not added";
const char kDuplicate[] = "Problem:|Dulicate Column Name ... Column not added ...";
const char kRowLimit[] = "Problem:|Maximum allowable row already exist!";
const char kNoComment[] = "Problem:|No comment found for this row and column.";

std::string adifWithFields(int fields)
{
    std::string adif = "h<EOH>";
    for (int i = 1; i <= fields; ++i)
        adif += "<F" + std::to_string(100 + i) + ":1>a";
    return adif + "<EOR>";
}

class Editing : public WindowFixture {
protected:
    void openLog()
    {
        openText(kLog);
        ASSERT_TRUE(form->document().documentOpen());
        ASSERT_FALSE(form->changeLightYellow());
        platform.clearEvents();
    }

    void newProject()
    {
        trigger(*form, "newAction");
        ASSERT_TRUE(form->document().documentOpen());
        platform.clearEvents();
    }

    void addColumn(const ColumnEntry &entry)
    {
        platform.queueModal(fillAddColumn(entry));
        trigger(*form, "addColumnAction");
    }

    bool cellIsBlue(int column, int row)
    {
        QColor background, text;
        return gridDelegate(*form).cellColors(column, row, background, text)
            && text == GridColors::commentText();
    }
};

// --- the add-column dialog itself ---------------------------------------------

TEST_F(Editing, AddColumnDialogStartsInCatalogueModeWithItsLists)
{
    AddColumnDialog dialog(platform, 2027);
    EXPECT_EQ(dialog.windowTitle(), "Add a Column");
    EXPECT_TRUE(dialog.notAccepted());
    ASSERT_EQ(child<QComboBox>(dialog, "catalogueNameBox")->count(), 48);
    EXPECT_EQ(child<QComboBox>(dialog, "catalogueNameBox")->currentIndex(), 0);
    EXPECT_EQ(child<QComboBox>(dialog, "catalogueNameBox")->currentText(), "ADDRESS");
    EXPECT_EQ(child<QComboBox>(dialog, "catalogueNameBox")->findText("APP_LoTW_EOF"), -1);
    EXPECT_EQ(child<QComboBox>(dialog, "catalogueNameBox")->itemText(47), "BAND_RX");
    EXPECT_TRUE(child<QComboBox>(dialog, "catalogueNameBox")->isEditable());
    ASSERT_EQ(child<QComboBox>(dialog, "userTypeBox")->count(), 5);
    EXPECT_EQ(child<QComboBox>(dialog, "userTypeBox")->itemText(4), "Time");
    EXPECT_EQ(child<QComboBox>(dialog, "userTypeBox")->currentIndex(), -1);

    EXPECT_TRUE(child<QRadioButton>(dialog, "catalogueChoice")->isChecked());
    EXPECT_TRUE(child<QComboBox>(dialog, "catalogueNameBox")->isEnabled());
    EXPECT_FALSE(child<QLineEdit>(dialog, "userNameEdit")->isEnabled());
    EXPECT_FALSE(child<QComboBox>(dialog, "userTypeBox")->isEnabled());
    EXPECT_FALSE(child<QLabel>(dialog, "userTypeLabel")->isEnabled());
    // Both choices can always be made, so both look it.
    EXPECT_EQ(child<QRadioButton>(dialog, "userChoice")->text(), "User Column Name");
    EXPECT_TRUE(child<QRadioButton>(dialog, "userChoice")->isEnabled());
    EXPECT_TRUE(child<QLineEdit>(dialog, "initialValueEdit")->isEnabled());

    child<QRadioButton>(dialog, "userChoice")->click();
    EXPECT_FALSE(child<QComboBox>(dialog, "catalogueNameBox")->isEnabled());
    EXPECT_TRUE(child<QRadioButton>(dialog, "catalogueChoice")->isEnabled());
    EXPECT_TRUE(child<QLineEdit>(dialog, "userNameEdit")->isEnabled());
    EXPECT_TRUE(child<QComboBox>(dialog, "userTypeBox")->isEnabled());
    EXPECT_TRUE(child<QLabel>(dialog, "userTypeLabel")->isEnabled());
    EXPECT_TRUE(child<QLineEdit>(dialog, "initialValueEdit")->isEnabled());

    child<QRadioButton>(dialog, "catalogueChoice")->click();
    EXPECT_TRUE(child<QComboBox>(dialog, "catalogueNameBox")->isEnabled());
    EXPECT_FALSE(child<QLineEdit>(dialog, "userNameEdit")->isEnabled());

    child<QPushButton>(dialog, "cancelButton")->click();
    EXPECT_TRUE(dialog.notAccepted());
}

TEST_F(Editing, AddColumnDialogWritesTheUpperCasedNameBack)
{
    AddColumnDialog dialog(platform, 2027);
    child<QComboBox>(dialog, "catalogueNameBox")->setEditText(" time_off ");
    child<QLineEdit>(dialog, "initialValueEdit")->setText("0930");
    child<QPushButton>(dialog, "okButton")->click();
    EXPECT_FALSE(dialog.notAccepted());
    EXPECT_EQ(child<QComboBox>(dialog, "catalogueNameBox")->currentText(), " TIME_OFF ");
    EXPECT_EQ(dialog.templateRecord().name, "TIME_OFF");
    EXPECT_TRUE(dialog.templateRecord().isTimeOn);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);  // OK closes whatever the checks say
}

// --- adding columns -----------------------------------------------------

// Without a document the commands are off, in the menu and on the toolbar
// alike: triggering them does nothing and asks nothing.
TEST_F(Editing, DocumentCommandsAreOffWithoutADocument)
{
    for (const char *name : {"addColumnAction", "clearColumnAction", "addBlankRowAction",
                             "addCopiedRowAction", "searchAction", "editCommentAction"}) {
        EXPECT_FALSE(action(*form, name)->isEnabled()) << name;
        trigger(*form, name);
    }
    EXPECT_TRUE(platform.events().empty());
}

TEST_F(Editing, ColumnLimitKeepsTheDialogClosed)
{
    openText(adifWithFields(46));
    ASSERT_EQ(form->document().columnCount(), 47);
    platform.clearEvents();

    addColumn({true, "EXTRA", 0, "x"});
    EXPECT_EQ(form->document().columnCount(), 48);
    EXPECT_TRUE(platform.messages().empty());

    platform.clearEvents();
    addColumn({true, "MORE", 0, "x"});
    EXPECT_EQ(form->document().columnCount(), 48);
    EXPECT_TRUE(platform.eventsOfKind(Kind::Modal).empty());
    EXPECT_EQ(platform.messages(),
              (std::vector<std::string>{
                  "Problem:|The maximum allowable number of columns already exist!", kNotAdded}));
}

TEST_F(Editing, CancelAddsNothing)
{
    openLog();
    const Grid before = gridTexts(form->document());
    addColumn({false, "NAME", -1, "x", false});
    EXPECT_EQ(platform.messages(), std::vector<std::string>{kNotAdded});
    EXPECT_EQ(gridTexts(form->document()), before);
    EXPECT_FALSE(form->changeLightYellow());
}

TEST_F(Editing, DuplicateNamesAreRefusedButMarkTheData)
{
    openLog();
    form->document().setText(2, 0, " mode ");  // normalised by the duplicate test
    addColumn({true, "record #", 0, ""});
    addColumn({false, "call", -1, ""});
    addColumn({false, "Mode", -1, ""});
    EXPECT_EQ(platform.messages(), (std::vector<std::string>{kDuplicate, kDuplicate, kDuplicate}));
    EXPECT_EQ(form->document().columnCount(), 5);
    EXPECT_EQ(form->document().text(2, 0), "MODE");
    EXPECT_TRUE(form->changeLightYellow());
    EXPECT_EQ(form->loadReportText(), "Statistics refreshed on reload");
}

TEST_F(Editing, AddedColumnFillsEveryRowFromTheTemplate)
{
    openLog();
    form->selectCell(1, 2);
    addColumn({true, "my note", 0, " hello "});
    ASSERT_EQ(form->document().columnCount(), 6);
    EXPECT_TRUE(platform.messages().empty());
    EXPECT_EQ(form->document().text(5, 0), "MY NOTE");
    for (int row = 1; row <= 2; ++row) {
        EXPECT_EQ(form->document().text(5, row), "hello");
        const CellRecord record = form->document().cellInfo(5, row);
        ASSERT_NE(record, nullptr);
        EXPECT_EQ(record->kind, TagUserField);
        EXPECT_EQ(record->name, "MY NOTE");
        EXPECT_EQ(record->rawTag, "<MY NOTE>");
        EXPECT_EQ(record->value, "hello");
        EXPECT_EQ(record->dataType, TypeCharacter);
    }
    EXPECT_EQ(form->currentColumn(), 5);
    EXPECT_EQ(form->currentRow(), 2);
    EXPECT_EQ(gridModel(*form).columnCount(), 5);
    EXPECT_TRUE(form->document().anyLengthDiscrepancy());
    EXPECT_TRUE(form->changeLightYellow());

    // A row added afterwards finds the new column's template too.
    trigger(*form, "addBlankRowAction");
    const CellRecord added = form->document().cellInfo(5, 3);
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->name, "MY NOTE");
    EXPECT_EQ(added->value, "");
}

struct InitialValueCase {
    const char *label;
    ColumnEntry entry;
    int yearOffset;       // added to the current year in the date of the value ("" when 0)
    const char *refusal;  // plain-box message, nullptr when the column is added
};

class InitialValue : public Editing, public ::testing::WithParamInterface<InitialValueCase> { };

TEST_P(InitialValue, IsCheckedBeforeTheColumnIsAdded)
{
    openLog();
    ColumnEntry entry = GetParam().entry;
    if (entry.value == "<year>")
        entry.value = std::to_string(platform.year + GetParam().yearOffset) + "0615";
    addColumn(entry);
    if (GetParam().refusal) {
        EXPECT_EQ(platform.plainMessages(), std::vector<std::string>{GetParam().refusal});
        EXPECT_EQ(platform.messages(), std::vector<std::string>{kNotAdded});
        EXPECT_EQ(form->document().columnCount(), 5);
        EXPECT_FALSE(form->changeLightYellow());
    } else {
        EXPECT_TRUE(platform.plainMessages().empty());
        EXPECT_TRUE(platform.messages().empty());
        ASSERT_EQ(form->document().columnCount(), 6);
        EXPECT_EQ(form->document().text(5, 1), trimText(entry.value));
        EXPECT_TRUE(form->changeLightYellow());
    }
}

constexpr int kChar = 0, kNumber = 1, kDate = 2, kTime = 4;

INSTANTIATE_TEST_SUITE_P(
    Table, InitialValue,
    ::testing::Values(
        InitialValueCase{"NumberDigits", {true, "N", kNumber, "15"}, 0, nullptr},
        InitialValueCase{
            "NumberDecimal", {true, "N", kNumber, "1.5"}, 0, kNumericInitialValueMessage},
        InitialValueCase{
            "NumberNegative", {true, "N", kNumber, "-5"}, 0, kNumericInitialValueMessage},
        InitialValueCase{
            "CatalogueNumber", {false, "AGE", -1, "4 2"}, 0, kNumericInitialValueMessage},
        InitialValueCase{"Time2400", {true, "T", kTime, "2400"}, 0, nullptr},
        InitialValueCase{"Time123059", {true, "T", kTime, "123059"}, 0, nullptr},
        InitialValueCase{"Time2460", {true, "T", kTime, "2460"}, 0, kTimeInitialValueMessage},
        InitialValueCase{"Time12345", {true, "T", kTime, "12345"}, 0, kTimeInitialValueMessage},
        InitialValueCase{
            "TimeLeadingBlank", {true, "T", kTime, " 1200"}, 0, kTimeInitialValueMessage},
        InitialValueCase{
            "CatalogueTimeOff", {false, "time_off", -1, "2460"}, 0, kTimeInitialValueMessage},
        InitialValueCase{"DateThisYear", {true, "D", kDate, "<year>"}, 0, nullptr},
        InitialValueCase{"DateNextYear", {false, "QSLSDATE", -1, "<year>"}, 1, nullptr},
        InitialValueCase{
            "DateInTwoYears", {true, "D", kDate, "<year>"}, 2, kDateInitialValueMessage},
        InitialValueCase{
            "Date19330101", {true, "D", kDate, "19330101"}, 0, kDateInitialValueMessage},
        InitialValueCase{"DatePadded", {true, "D", kDate, " 20040101 "}, 0, nullptr},
        InitialValueCase{
            "LotwDate", {false, "APP_LoTW_LASTQSL", -1, "20040230"}, 0, kDateInitialValueMessage},
        InitialValueCase{
            "UnknownCatalogueName", {false, "MY_OWN", -1, "x"}, 0, kUnknownCatalogueNameMessage},
        InitialValueCase{
            "EmptyCatalogueName", {false, "", -1, ""}, 0, kUnknownCatalogueNameMessage},
        InitialValueCase{"UserWithoutName", {true, "  ", kChar, "x"}, 0, kUserNameMissingMessage},
        InitialValueCase{"UserWithoutType", {true, "X", -1, ""}, 0, kUserTypeMissingMessage},
        InitialValueCase{
            "UserWithoutTypeBadDate", {true, "X", -1, "abc"}, 0, kDateInitialValueMessage}),
    [](const ::testing::TestParamInfo<InitialValueCase> &info) { return info.param.label; });

// --- clearing columns ------------------------------------------------------

TEST_F(Editing, ClearColumnEmptiesTheTextsOnly)
{
    openLog();
    std::vector<std::string> shown;
    platform.queueModal(pickColumn(1, true, &shown));
    trigger(*form, "clearColumnAction");

    EXPECT_EQ(shown, (std::vector<std::string>{"CALL", "MODE", "QSO_DATE", "COMMENT"}));
    const auto modal = platform.eventsOfKind(Kind::Modal);
    ASSERT_EQ(modal.size(), 1u);
    EXPECT_EQ(modal[0].windowTitle, "Select Column to Clear");
    EXPECT_EQ(gridTexts(form->document()),
              (Grid{{"RECORD #", "CALL", "MODE", "QSO_DATE", "COMMENT"},
                    {"1", "W1AW", "", "20040101", "QSO IN CW"},
                    {"2", "K1ABC", "", "20040102", ""}}));
    ASSERT_NE(form->document().cellInfo(2, 1), nullptr);
    EXPECT_EQ(form->document().cellInfo(2, 1)->value, "CW");
    EXPECT_EQ(form->document().cellInfo(2, 2)->value, "SSB");
    EXPECT_TRUE(form->changeLightYellow());
    EXPECT_TRUE(platform.messages().empty());
}

struct NoClearCase {
    const char *label;
    int index;
    bool ok;
};

class ClearNothing : public Editing, public ::testing::WithParamInterface<NoClearCase> { };

TEST_P(ClearNothing, LeavesTheGridAndTheLight)
{
    openLog();
    const Grid before = gridTexts(form->document());
    platform.queueModal(pickColumn(GetParam().index, GetParam().ok));
    trigger(*form, "clearColumnAction");
    EXPECT_EQ(gridTexts(form->document()), before);
    EXPECT_FALSE(form->changeLightYellow());
    EXPECT_TRUE(platform.messages().empty());
}

INSTANTIATE_TEST_SUITE_P(Table, ClearNothing,
                         ::testing::Values(NoClearCase{"OkWithoutSelection", -1, true},
                                           NoClearCase{"CancelAfterSelecting", 2, false}),
                         [](const auto &info) { return info.param.label; });

TEST_F(Editing, ColumnSelectorShowsItsNote)
{
    ColumnSelectorDialog selector(platform);
    EXPECT_EQ(child<QLabel>(selector, "promptLabel")->text(), "Select column to clear");
    EXPECT_EQ(child<QLabel>(selector, "noteLabel")->text(),
              "Note: If you clear a column when the 'Omit Empty Field Tags' option is checked, "
              "the column will not be included in the file that you save.");
    EXPECT_TRUE(child<QLabel>(selector, "noteLabel")->wordWrap());
    selector.fillColumnList({});
    child<QPushButton>(selector, "okButton")->click();
    EXPECT_EQ(selector.chosenIndex(), -1);
}

// --- rows ---------------------------------------------------------------

TEST_F(Editing, BlankRowGetsEmptyRecordsOfItsColumns)
{
    openLog();
    form->selectCell(3, 1);
    trigger(*form, "addBlankRowAction");
    ASSERT_EQ(form->document().rowCount(), 4);
    EXPECT_EQ(gridTexts(form->document())[3], (std::vector<std::string>{"3", "", "", "", ""}));
    const char *names[] = {"CALL", "MODE", "QSO_DATE", "COMMENT"};
    for (int column = 1; column <= 4; ++column) {
        const CellRecord record = form->document().cellInfo(column, 3);
        ASSERT_NE(record, nullptr) << column;
        EXPECT_EQ(record->name, names[column - 1]);
        EXPECT_EQ(record->value, "");
        EXPECT_EQ(record->comment, "");
    }
    EXPECT_EQ(form->document().cellInfo(3, 3)->dataType, form->document().cellInfo(3, 1)->dataType);
    EXPECT_EQ(form->currentRow(), 3);
    EXPECT_EQ(form->currentColumn(), 3);
    EXPECT_EQ(gridModel(*form).rowCount(), 3);
    EXPECT_TRUE(form->changeLightYellow());
    EXPECT_TRUE(platform.messages().empty());
}

TEST_F(Editing, CopiedRowTakesTextsValuesAndComments)
{
    openLog();
    form->document().setText(1, 2, "K1ABC/P");  // typed, the record keeps "K1ABC"
    form->document().editableCellInfo(2, 2)->comment = "portable";
    trigger(*form, "addCopiedRowAction");
    ASSERT_EQ(form->document().rowCount(), 4);
    EXPECT_EQ(gridTexts(form->document())[3],
              (std::vector<std::string>{"3", "K1ABC/P", "SSB", "20040102", ""}));
    const CellRecord call = form->document().cellInfo(1, 3);
    ASSERT_NE(call, nullptr);
    EXPECT_EQ(call->value, "K1ABC");
    EXPECT_EQ(form->document().cellInfo(2, 3)->comment, "portable");
    // Record 2 had no COMMENT: the new cell has a record from the template,
    // empty like the text above it.
    ASSERT_NE(form->document().cellInfo(4, 3), nullptr);
    EXPECT_EQ(form->document().cellInfo(4, 3)->value, "");
    EXPECT_EQ(form->currentRow(), 3);
    EXPECT_TRUE(form->changeLightYellow());
    EXPECT_FALSE(cellIsBlue(2, 3));  // added rows paint plain, comment or not
}

TEST_F(Editing, CopyWithoutRowAboveWarnsOncePerColumn)
{
    // A log without records, and two columns added to it: no data row.
    openText("h<EOH>");
    ASSERT_TRUE(form->document().documentOpen());
    addColumn({false, "CALL", 0, ""});
    addColumn({false, "MODE", 0, ""});
    ASSERT_EQ(form->document().rowCount(), 1);
    ASSERT_EQ(form->document().columnCount(), 3);
    platform.clearEvents();
    trigger(*form, "addCopiedRowAction");
    EXPECT_EQ(platform.messages(),
              (std::vector<std::string>{"Problem:|There is no row to mimic!",
                                        "Problem:|There is no row to mimic!"}));
    ASSERT_EQ(form->document().rowCount(), 2);
    EXPECT_EQ(gridTexts(form->document())[1], (std::vector<std::string>{"1", "", ""}));
}

TEST_F(Editing, DoubleClickInTheColumnSelectorChoosesTheColumn)
{
    openLog();
    platform.queueModal([](QDialog &dialog) {
        auto *list = child<QListWidget>(dialog, "columnList");
        emit list->itemDoubleClicked(list->item(1));
        return dialog.result();
    });
    trigger(*form, "clearColumnAction");
    EXPECT_EQ(form->document().text(2, 1), "");
    EXPECT_TRUE(form->changeLightYellow());
}

TEST_F(Editing, RowsStopAtFourThousand)
{
    newProject();
    while (form->document().rowCount() < 3999)
        ASSERT_GE(form->document().appendBlankRow(), 0);
    reloadGrid(*form);

    trigger(*form, "addBlankRowAction");
    EXPECT_EQ(form->document().rowCount(), 4000);
    EXPECT_EQ(form->document().text(0, 3999), "3999");
    EXPECT_TRUE(platform.messages().empty());

    trigger(*form, "addBlankRowAction");
    trigger(*form, "addCopiedRowAction");
    trigger(*form, "addBlankRowAction");
    trigger(*form, "addCopiedRowAction");
    EXPECT_EQ(form->document().rowCount(), 4000);
    EXPECT_EQ(platform.messages(),
              (std::vector<std::string>{kRowLimit, kRowLimit, kRowLimit, kRowLimit}));
}

// --- new project ---------------------------------------------------------

TEST_F(Editing, NewProjectShowsTheDefaultRecord)
{
    trigger(*form, "newAction");
    EXPECT_TRUE(platform.eventsOfKind(Kind::Confirm).empty());
    EXPECT_EQ(gridTexts(form->document()),
              (Grid{{"RECORD #", "CALL", "QSO_DATE", "MODE", "BAND", "TIME_ON"},
                    {"1", "NONE", "20010829", "CW", "160M", "120000"}}));
    EXPECT_EQ(gridModel(*form).columnCount(), 5);
    EXPECT_EQ(gridModel(*form).rowCount(), 1);
    EXPECT_EQ(form->caption(), "[NEW PROJECT]");
    EXPECT_TRUE(form->changeLightVisible());
    EXPECT_TRUE(form->changeLightYellow());
    EXPECT_FALSE(form->document().unsavedChanges());
    EXPECT_EQ(form->loadReportText(), "New Project Started ...");
    EXPECT_EQ(form->sourceViewText(), "");
    EXPECT_TRUE(child<QLabel>(*form, "startupImage")->isHidden());
    EXPECT_TRUE(child<QLabel>(*form, "startupTitle")->isHidden());
    EXPECT_TRUE(child<QLabel>(*form, "busyBanner")->isHidden());
    for (QAction *command : {action(*form, "saveAsAction"), action(*form, "addColumnAction"),
                             action(*form, "clearColumnAction"), action(*form, "addBlankRowAction"),
                             action(*form, "addCopiedRowAction"),
                             action(*form, "showCommentAction"), action(*form, "editCommentAction"),
                             action(*form, "searchAction"), action(*form, "saveAsAction"),
                             action(*form, "closeCurrentAction"), action(*form, "addColumnAction"),
                             action(*form, "addBlankRowAction"), action(*form, "searchAction")})
        EXPECT_TRUE(command->isEnabled()) << command->objectName().toStdString();

    const CellRecord time = form->document().cellInfo(5, 1);
    ASSERT_NE(time, nullptr);
    EXPECT_EQ(time->kind, TagKnownField);
    EXPECT_TRUE(time->isTimeOn);
    EXPECT_EQ(time->rawTag, "<TIME_ON>");
    EXPECT_TRUE(form->document().anyLengthDiscrepancy());
    EXPECT_TRUE(platform.messages().empty());
}

TEST_F(Editing, NewProjectOverUnsavedDataAsksFirst)
{
    openLog();
    trigger(*form, "addBlankRowAction");
    ASSERT_TRUE(form->changeLightYellow());
    const Grid edited = gridTexts(form->document());
    const std::string caption = form->caption();

    // Yes, then the save dialog is cancelled: nothing changes.
    platform.queueConfirm(true);
    platform.queueFileName(std::nullopt);
    trigger(*form, "newAction");
    EXPECT_EQ(gridTexts(form->document()), edited);
    EXPECT_EQ(form->caption(), caption);
    EXPECT_TRUE(form->changeLightYellow());
    const auto asked = platform.eventsOfKind(Kind::Confirm);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].text,
              "Your current data has not been saved by exporting it to a file. "
              "\r\n Do you wish to save your data now?");

    // No: the data is discarded.
    platform.queueConfirm(false);
    trigger(*form, "newAction");
    EXPECT_EQ(form->caption(), "[NEW PROJECT]");
    EXPECT_EQ(form->document().rowCount(), 2);
    EXPECT_EQ(form->document().text(1, 1), "NONE");
    EXPECT_TRUE(form->changeLightYellow());

    // Yes with a save: the log is written, then the new project starts.
    trigger(*form, "addBlankRowAction");
    platform.queueConfirm(true);
    const std::string saved = pathIn("before-new.adi");
    platform.queueFileName(saved);
    trigger(*form, "newAction");
    EXPECT_FALSE(readFile(saved).empty());
    EXPECT_EQ(form->document().rowCount(), 2);
    EXPECT_EQ(form->caption(), "[NEW PROJECT]");
}

// --- comments -------------------------------------------------------------

struct CommentCase {
    const char *label;
    const char *before;                 // comment of cell (3, 1) before F11
    std::optional<std::string> answer;  // nullopt: Cancel
    const char *after;
    bool changed;
};

class CommentEntry : public Editing, public ::testing::WithParamInterface<CommentCase> { };

TEST_P(CommentEntry, StoresTheTrimmedTextOrKeepsTheOldOne)
{
    openLog();
    form->document().editableCellInfo(3, 1)->comment = GetParam().before;
    form->selectCell(3, 1);
    platform.queueInput(GetParam().answer);
    QTest::keyClick(gridView(*form), Qt::Key_F11);

    const auto boxes = platform.eventsOfKind(Kind::InputBox);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].header, "Enter comment");
    EXPECT_EQ(boxes[0].text, "Enter new comment:");
    EXPECT_EQ(boxes[0].defaultText, GetParam().before);
    EXPECT_EQ(form->document().cellInfo(3, 1)->comment, GetParam().after);
    EXPECT_EQ(form->changeLightYellow(), GetParam().changed);
    EXPECT_EQ(cellIsBlue(3, 1), !trimText(GetParam().after).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, CommentEntry,
    ::testing::Values(CommentCase{"Trimmed", "", "  see log book  ", "see log book", true},
                      CommentCase{"Replaces", "old", "new", "new", true},
                      CommentCase{"BlankKeepsOld", "old", " \r\n ", "old", false},
                      CommentCase{"EmptyKeepsOld", "old", "", "old", false},
                      CommentCase{"CancelStoresTrimmed", " old\r\n", std::nullopt, "old", true},
                      CommentCase{"CancelOnBlank", "\r\n", std::nullopt, "\r\n", false}),
    [](const auto &info) { return info.param.label; });

TEST_F(Editing, ShowCommentTellsWhetherThereIsOne)
{
    openLog();
    form->selectCell(1, 1);  // loaded comment: a line break
    EXPECT_FALSE(cellIsBlue(1, 1));
    trigger(*form, "showCommentAction");
    form->selectCell(4, 2);  // no record at all
    QTest::keyClick(gridView(*form), Qt::Key_F12);
    form->selectCell(2, 1);
    platform.queueInput("  see log book  ");
    trigger(*form, "editCommentAction");
    trigger(*form, "showCommentAction");
    EXPECT_EQ(platform.messages(),
              (std::vector<std::string>{kNoComment, kNoComment, "Problem:|Comment: see log book"}));
    EXPECT_TRUE(cellIsBlue(2, 1));
}

TEST_F(Editing, EditCommentCreatesTheMissingRecordEvenOnCancel)
{
    openLog();
    ASSERT_EQ(form->document().cellInfo(4, 2), nullptr);
    form->selectCell(4, 2);
    trigger(*form, "editCommentAction");
    const CellRecord created = form->document().cellInfo(4, 2);
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(created->name, "COMMENT");
    EXPECT_EQ(created->comment, "");
    EXPECT_FALSE(form->changeLightYellow());

    // A column with nothing to copy from: no box, no record.
    for (int row = 1; row < form->document().rowCount(); ++row)
        form->document().releaseCellInfo(2, row);
    form->selectCell(2, 1);
    platform.clearEvents();
    trigger(*form, "editCommentAction");
    EXPECT_TRUE(platform.events().empty());
    EXPECT_EQ(form->document().cellInfo(2, 1), nullptr);
}

// --- search ----------------------------------------------------------------

struct SearchStep {
    const char *text;
    bool next;
    bool matchCase;
    int column;  // expected current cell afterwards
    int row;
};

class Search : public Editing {
protected:
    SearchDialog *openSearch()
    {
        openLog();
        form->selectCell(1, 2);
        trigger(*form, "searchAction");
        SearchDialog *window = form->findChild<SearchDialog *>("searchDialog");
        EXPECT_NE(window, nullptr);
        return window;
    }

    void run(SearchDialog &window, const std::vector<SearchStep> &steps)
    {
        for (size_t i = 0; i < steps.size(); ++i) {
            const SearchStep &step = steps[i];
            child<QLineEdit>(window, "searchText")->setText(step.text);
            child<QCheckBox>(window, "matchCaseBox")->setChecked(step.matchCase);
            (step.next ? child<QPushButton>(window, "findNextButton")
                       : child<QPushButton>(window, "findFirstButton"))
                ->click();
            EXPECT_EQ(form->currentColumn(), step.column) << "step " << i << " " << step.text;
            EXPECT_EQ(form->currentRow(), step.row) << "step " << i << " " << step.text;
        }
    }
};

TEST_F(Search, VisitsCellsInReadingOrderAndWrapsOnce)
{
    SearchDialog *window = openSearch();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), "Search");
    EXPECT_FALSE(window->isModal());
    EXPECT_TRUE(window->isVisible());
    run(*window,
        {
            {"cw", false, true, 1, 2},   // case counts: nothing, cell kept
            {"cw", false, false, 2, 1},  // MODE "CW"
            {"cw", true, false, 4, 1},   // "QSO IN CW"
            {"cw", true, false, 2, 1},   // wrapped to the first match
            {" ssb ", false, false, 2, 2},
            {"ssb", true, false, 2, 2},    // a single match keeps its cell
            {"1", false, false, 0, 1},     // record numbers are searched
            {"1", true, false, 1, 1},      // W1AW
            {"1", true, false, 3, 1},      // 20040101
            {"1", true, false, 1, 2},      // K1ABC
            {"1", true, false, 3, 2},      // 20040102
            {"1", true, false, 0, 1},      // round again
            {"MODE", false, false, 0, 1},  // the header row is never searched
            {"zzz", true, false, 0, 1},
            {"   ", false, false, 0, 1},
        });
}

TEST_F(Search, SaysWhenNothingIsFoundAndF3FindsTheNextHit)
{
    SearchDialog *window = openSearch();
    ASSERT_NE(window, nullptr);
    run(*window, {{"nowhere", false, false, 1, 2}});
    EXPECT_EQ(child<QLabel>(*window, "resultLabel")->text(),
              QStringLiteral("\u201Cnowhere\u201D was not found."));

    run(*window, {{"cw", false, false, 2, 1}});
    EXPECT_TRUE(child<QLabel>(*window, "resultLabel")->text().isEmpty());
    trigger(*form, "findNextAction");  // F3: the same search, from the hit on
    EXPECT_EQ(form->currentColumn(), 4);
    EXPECT_EQ(form->currentRow(), 1);
    EXPECT_EQ(action(*form, "findNextAction")->shortcut(), QKeySequence(Qt::Key_F3));
}

TEST_F(Search, EnterRunsOneFindFirstWithTheTrimmedText)
{
    SearchDialog *window = openSearch();
    ASSERT_NE(window, nullptr);
    std::vector<std::string> calls;
    window->setSearchCallback([&](const std::string &text, bool next, bool matchCase) {
        calls.push_back(text + "|" + std::to_string(next) + "|" + std::to_string(matchCase));
        return true;
    });
    child<QLineEdit>(*window, "searchText")->setText("  k1abc ");
    child<QCheckBox>(*window, "matchCaseBox")->setChecked(true);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
    QCoreApplication::sendEvent(child<QLineEdit>(*window, "searchText"), &enter);
    child<QPushButton>(*window, "findNextButton")->click();
    EXPECT_EQ(calls, (std::vector<std::string>{"k1abc|0|1", "k1abc|1|1"}));
}

TEST_F(Search, ClosingRunsFindFirstAndKeepsTheWindow)
{
    SearchDialog *window = openSearch();
    ASSERT_NE(window, nullptr);
    const QRect recorded = window->recordedGeometry();

    child<QLineEdit>(*window, "searchText")->setText("SSB");
    window->close();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(form->currentColumn(), 2);
    EXPECT_EQ(form->currentRow(), 2);

    form->move(form->x() + 40, form->y() + 30);
    trigger(*form, "searchAction");
    EXPECT_EQ(form->findChild<SearchDialog *>("searchDialog"), window);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->recordedGeometry(), recorded);  // kept from the first command
    QEvent activation(QEvent::WindowActivate);
    QApplication::sendEvent(window, &activation);
    EXPECT_EQ(
        window->pos(),
        QPoint(recorded.left() + recorded.width() / 3, recorded.top() + recorded.height() / 2));
}

// --- one road through everything ---------------------------------------------

TEST_F(Editing, NewProjectEditedSavedAndLoadedAgain)
{
    trigger(*form, "newAction");
    addColumn({true, "my_note", kChar, "hello"});
    trigger(*form, "addCopiedRowAction");
    trigger(*form, "addBlankRowAction");
    LogDocument &doc = form->document();
    ASSERT_EQ(doc.rowCount(), 4);
    const char *third[] = {"K1ABC", "20260101", "SSB", "20M", "0930", "bye"};
    for (int column = 1; column <= 6; ++column)
        doc.setText(column, 3, third[column - 1]);
    reloadGrid(*form);
    form->selectCell(1, 2);
    platform.queueInput(" second contact ");
    trigger(*form, "editCommentAction");
    platform.clearEvents();

    const std::string saved = pathIn("project.adi");
    platform.queueFileName(saved);
    trigger(*form, "saveAsAction");
    const std::string written = readFile(saved);
    ASSERT_FALSE(written.empty());
    EXPECT_FALSE(form->changeLightYellow());
    EXPECT_EQ(form->caption(), " File: " + saved);
    // Only the notice about the length specifiers the new cells lack.
    const std::vector<std::string> messages = platform.messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].rfind("Problem:|Some values in the grid have incorrect data length", 0),
              0u);

    open(saved);
    ASSERT_TRUE(doc.documentOpen());
    EXPECT_EQ(gridTexts(doc),
              (Grid{{"RECORD #", "CALL", "QSO_DATE", "MODE", "BAND", "TIME_ON", "MY_NOTE"},
                    {"1", "NONE", "20010829", "CW", "160M", "120000", "hello"},
                    {"2", "NONE", "20010829", "CW", "160M", "120000", "hello"},
                    {"3", "K1ABC", "20260101", "SSB", "20M", "0930", "bye"}}));
    ASSERT_NE(doc.cellInfo(1, 2), nullptr);
    EXPECT_EQ(trimText(doc.cellInfo(1, 2)->comment), "second contact");
    EXPECT_EQ(doc.cellInfo(6, 1)->kind, TagUserField);
    EXPECT_FALSE(form->document().anyLengthDiscrepancy());

    form->selectCell(1, 2);
    platform.clearEvents();
    trigger(*form, "showCommentAction");
    EXPECT_EQ(platform.messages(), std::vector<std::string>{"Problem:|Comment: second contact"});

    trigger(*form, "searchAction");
    SearchDialog *window = form->findChild<SearchDialog *>("searchDialog");
    ASSERT_NE(window, nullptr);
    child<QLineEdit>(*window, "searchText")->setText("bye");
    child<QPushButton>(*window, "findFirstButton")->click();
    EXPECT_EQ(form->currentColumn(), 6);
    EXPECT_EQ(form->currentRow(), 3);
}

}  // namespace
}  // namespace vaziduvu::test
