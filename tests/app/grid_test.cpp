// Grid display and editing in the real window: the change light after keys,
// the edit limit, the editor rule and the colours of each cell state.
#include "window_fixture.h"

#include "app/grid_delegate.h"
#include "app/grid_model.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPalette>
#include <QTableView>
#include <QTest>

namespace vaziduvu::test {
namespace {

class GridTest : public WindowFixture {
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        // Row 1: right length, no comment. Row 2: W1AW declared 6 (discrepancy).
        // Row 3: discrepancy with a comment. Row 4: right length with a comment.
        // Row 5: comment made of blanks and line breaks.
        openText("<CALL:4>W1AW<BAND:3>20M<EOR>\r\n"
                 "<CALL:6>W1AW<EOR>\r\n"
                 "<CALL:6>W1AW<BAND:3>40M<EOR>\r\n"
                 "<CALL:4>K1ABworked twice<EOR>\r\n"
                 "<CALL:4>N0XX \r\n <EOR>\r\n");
        ASSERT_TRUE(form->document().documentOpen());
    }
};

// Keys mark the log changed only by changing a cell: navigation, selection,
// copying and shortcuts leave the light green and the load report in place.
struct KeyCase {
    const char *name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    std::string cellAfter;  // the current cell (CALL of record 1) after the key and Enter
};

class KeyTest : public GridTest, public ::testing::WithParamInterface<KeyCase> { };

TEST_P(KeyTest, OnlyAChangedCellMarksTheData)
{
    const KeyCase &c = GetParam();
    QApplication::clipboard()->setText(QStringLiteral("PASTED\tmore"));
    const std::string report = form->loadReportText();
    QTableView *view = gridView(*form);
    form->selectCell(1, 1);
    // Sent as events: not every key (Print) has a character for QTest to type.
    QString text;  // what the key types, as a keyboard would report it
    const char ascii = QTest::keyToAscii(c.key);
    if (!(c.modifiers & (Qt::ControlModifier | Qt::AltModifier)) && ascii >= ' ' && ascii < 127)
        text = (c.modifiers & Qt::ShiftModifier) ? QString(QChar(ascii)).toUpper()
                                                 : QString(QChar(ascii));
    QKeyEvent press(QEvent::KeyPress, c.key, c.modifiers, text);
    QApplication::sendEvent(view, &press);
    QKeyEvent release(QEvent::KeyRelease, c.key, c.modifiers, text);
    QApplication::sendEvent(view, &release);
    gridDelegate(*form).commitOpenEditor();

    const bool changed = c.cellAfter != "W1AW";
    EXPECT_EQ(form->document().text(1, 1), c.cellAfter);
    EXPECT_EQ(form->changeLightYellow(), changed);
    EXPECT_EQ(form->document().unsavedChanges(), changed);
    EXPECT_EQ(form->loadReportText(), changed ? "Statistics refreshed on reload" : report);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyTest,
    ::testing::Values(KeyCase{"Left", Qt::Key_Left, Qt::NoModifier, "W1AW"},
                      KeyCase{"Home", Qt::Key_Home, Qt::NoModifier, "W1AW"},
                      KeyCase{"PageUp", Qt::Key_PageUp, Qt::NoModifier, "W1AW"},
                      KeyCase{"F5", Qt::Key_F5, Qt::NoModifier, "W1AW"},
                      KeyCase{"Escape", Qt::Key_Escape, Qt::NoModifier, "W1AW"},
                      KeyCase{"PrintScreen", Qt::Key_Print, Qt::NoModifier, "W1AW"},
                      KeyCase{"WindowsKey", Qt::Key_Meta, Qt::NoModifier, "W1AW"},
                      KeyCase{"NumLock", Qt::Key_NumLock, Qt::NoModifier, "W1AW"},
                      KeyCase{"Control", Qt::Key_Control, Qt::NoModifier, "W1AW"},
                      KeyCase{"Alt", Qt::Key_Alt, Qt::NoModifier, "W1AW"},
                      KeyCase{"Shift", Qt::Key_Shift, Qt::NoModifier, "W1AW"},
                      KeyCase{"Tab", Qt::Key_Tab, Qt::NoModifier, "W1AW"},
                      KeyCase{"Enter", Qt::Key_Return, Qt::NoModifier, "W1AW"},
                      KeyCase{"CtrlC", Qt::Key_C, Qt::ControlModifier, "W1AW"},
                      KeyCase{"CtrlEnd", Qt::Key_End, Qt::ControlModifier, "W1AW"},
                      KeyCase{"Letter", Qt::Key_A, Qt::NoModifier, "a"},
                      KeyCase{"Capital", Qt::Key_Z, Qt::ShiftModifier, "Z"},
                      KeyCase{"Digit", Qt::Key_5, Qt::NoModifier, "5"},
                      KeyCase{"Delete", Qt::Key_Delete, Qt::NoModifier, ""},
                      KeyCase{"Backspace", Qt::Key_Backspace, Qt::NoModifier, ""},
                      KeyCase{"Paste", Qt::Key_V, Qt::ControlModifier, "PASTED"}),
    [](const auto &info) { return std::string(info.param.name); });

// Typing on a cell edits that cell with every typed character, at a
// person's pace (pauses longer than the view's keyboard-search interval,
// capitals with Shift), also right after a click on the cell that is
// already current; nothing lands in another row.
struct TypingCase {
    const char *name;
    int clickedRow;  // 1: the current cell after the load
    const char *typed;
};

class TypingTest : public GridTest, public ::testing::WithParamInterface<TypingCase> { };

TEST_P(TypingTest, EditsTheClickedCellOnly)
{
    const TypingCase &c = GetParam();
    QApplication::setKeyboardInputInterval(100);
    form->show();
    QTableView *view = gridView(*form);
    const std::vector<std::string> before
        = {std::string(form->document().text(1, 1)), std::string(form->document().text(1, 2)),
           std::string(form->document().text(1, 3))};
    const QModelIndex cell = gridModel(*form).index(c.clickedRow - 1, 0);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(cell).center());
    for (const char *key = c.typed; *key; ++key) {
        const bool capital = *key >= 'A' && *key <= 'Z';
        QTest::keyClick(view->focusWidget() ? view->focusWidget() : view, *key,
                        capital ? Qt::ShiftModifier : Qt::NoModifier);
        QTest::qWait(QApplication::keyboardInputInterval() + 50);
    }
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : view,
                    Qt::Key_Return);
    gridDelegate(*form).commitOpenEditor();

    for (int row = 1; row <= 3; ++row) {
        const std::string expected = row == c.clickedRow ? c.typed : before[row - 1];
        EXPECT_EQ(form->document().text(1, row), expected) << "row " << row;
    }
    EXPECT_TRUE(form->changeLightYellow());
    QApplication::setKeyboardInputInterval(400);
    form->hide();
}

INSTANTIATE_TEST_SUITE_P(Pace, TypingTest,
                         ::testing::Values(TypingCase{"CurrentCellW1AW", 1, "W1AW"},
                                           TypingCase{"CurrentCellZZ9ZZ", 1, "ZZ9ZZ"},
                                           TypingCase{"OtherCell", 2, "K1ABC"}),
                         [](const auto &info) { return std::string(info.param.name); });

// A log holds single-byte text: characters outside Latin-1 and the
// brackets of the tags are refused when entered, named, and the cell stays.
struct RefusedEntryCase {
    const char *name;
    QString typed;
    std::string said;
};

class RefusedEntryTest : public GridTest,
                         public ::testing::WithParamInterface<RefusedEntryCase> { };

TEST_P(RefusedEntryTest, LeavesTheCellAndTheLight)
{
    editCell(*form, 1, 1, "");  // nothing is set by a refused edit, whatever came before
    gridModel(*form).setData(gridModel(*form).index(0, 0), GetParam().typed, Qt::EditRole);
    EXPECT_EQ(form->document().text(1, 1), "");
    ASSERT_EQ(platform.messages().size(), 1u);
    EXPECT_NE(platform.messages()[0].find(GetParam().said), std::string::npos)
        << platform.messages()[0];
}

INSTANTIATE_TEST_SUITE_P(
    Entries, RefusedEntryTest,
    ::testing::Values(
        RefusedEntryCase{"PolishCity", QStringLiteral("\u0141\u00f3d\u017a"),
                         "Problem:|The log holds single-byte (Latin-1) text, so these characters "
                         "cannot be stored: U+0141, U+017A."},
        RefusedEntryCase{"Euro", QStringLiteral("tip \u20ac5"), "U+20AC."},
        RefusedEntryCase{"TagStart", QStringLiteral("a<b"),
                         "Problem:|The characters < and > cannot "
                         "be stored in a cell"},
        RefusedEntryCase{"TagEnd", QStringLiteral("<EOR>"), "cannot be stored in a cell"}),
    [](const auto &info) { return std::string(info.param.name); });

// Paste or Delete from the editor's own menu changes the cell: the light
// turns yellow at once, and Close Current asks before the edit is lost.
TEST_F(GridTest, EditorChangesTurnTheLightYellowAndAreKeptForTheQuestion)
{
    QTableView *view = gridView(*form);
    form->selectCell(1, 1);
    view->edit(view->currentIndex());
    auto *editor = view->viewport()->findChild<QLineEdit *>();
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    editor->del();  // what the editor's "Delete" entry does
    EXPECT_TRUE(form->changeLightYellow());

    platform.queueConfirm(false);
    trigger(*form, "closeCurrentAction");
    EXPECT_EQ(platform.eventsOfKind(ScriptedPlatform::EventKind::Confirm).size(), 1u);
}

TEST_F(GridTest, EditsLongerThanTheLimitAreCutWithAWarning)
{
    GridModel &model = gridModel(*form);
    model.setData(model.index(0, 0), QString(1000, 'x'), Qt::EditRole);
    EXPECT_EQ(form->document().text(1, 1).size(), 1000u);
    EXPECT_TRUE(platform.messages().empty());

    model.setData(model.index(0, 0), QString(1001, 'y'), Qt::EditRole);
    EXPECT_EQ(form->document().text(1, 1), std::string(1000, 'y'));
    EXPECT_EQ(platform.messages(),
              std::vector<std::string>{"Warning|Length of text will be truncated.  Text was longer "
                                       "than maximum permissable length."});
}

TEST_F(GridTest, EditedTextKeepsItsLatin1Bytes)
{
    GridModel &model = gridModel(*form);
    model.setData(model.index(0, 0), QString::fromLatin1("\xC4\xF6\xFC"), Qt::EditRole);
    EXPECT_EQ(form->document().text(1, 1), "\xC4\xF6\xFC");
}

TEST_F(GridTest, MovingOntoAChangedCellMarksTheData)
{
    form->document().setText(1, 2, "CHANGED");
    child<QTableView>(*form, "gridView")->setCurrentIndex(gridModel(*form).index(1, 0));
    EXPECT_TRUE(form->changeLightYellow());
    EXPECT_EQ(form->statusText(0), "2 : 1");
}

TEST_F(GridTest, MovingOntoAnUnchangedCellDoesNot)
{
    child<QTableView>(*form, "gridView")->setCurrentIndex(gridModel(*form).index(2, 1));
    EXPECT_FALSE(form->changeLightYellow());
    EXPECT_EQ(form->statusText(0), "3 : 2");
}

struct ColourCase {
    const char *name;
    int column;
    int row;
    bool painted;  // false: the grid paints the cell itself
    QColor background;
    QColor text;
};

class ColourTest : public GridTest, public ::testing::WithParamInterface<ColourCase> { };

TEST_P(ColourTest, CellStateChoosesTheColours)
{
    const ColourCase &c = GetParam();
    QColor background;
    QColor text;
    ASSERT_EQ(gridDelegate(*form).cellColors(c.column, c.row, background, text), c.painted);
    if (c.painted) {
        EXPECT_EQ(background, c.background);
        EXPECT_EQ(text, c.text);
    }
}

const QColor kGrey(128, 128, 128);
const QColor kBlue(0, 0, 255);
const QColor kYellowText(255, 255, 0);

INSTANTIATE_TEST_SUITE_P(
    States, ColourTest,
    ::testing::Values(ColourCase{"Plain", 1, 1, true, GridColors::cell(), Qt::black},
                      ColourCase{"Discrepancy", 1, 2, true, kGrey, kYellowText},
                      ColourCase{"RightLengthWithComment", 1, 4, true, GridColors::cell(), kBlue},
                      ColourCase{"BlankComment", 1, 5, true, GridColors::cell(), Qt::black},
                      ColourCase{"NoRecord", 2, 2, false, {}, {}},
                      ColourCase{"FixedColumn", 0, 1, false, {}, {}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(GridTest, DiscrepancyWithCommentIsBlueOnGrey)
{
    form->document().editableCellInfo(1, 2)->comment = "see log book";
    QColor background;
    QColor text;
    ASSERT_TRUE(gridDelegate(*form).cellColors(1, 2, background, text));
    EXPECT_EQ(background, kGrey);
    EXPECT_EQ(text, kBlue);
}

TEST_F(GridTest, AddedRowsAndColumnsPaintAsAdded)
{
    LogDocument &doc = form->document();
    const int row = doc.appendBlankRow();
    reloadGrid(*form);
    QColor background;
    QColor text;
    ASSERT_TRUE(gridDelegate(*form).cellColors(1, row, background, text));
    EXPECT_EQ(background, QApplication::palette().color(QPalette::ToolTipBase));
    EXPECT_EQ(text, QColor(Qt::black));

    TagRecord column;
    column.kind = TagUserField;
    column.name = "EXTRA";
    column.dataType = 3;
    const int added = doc.appendColumn(column);
    EXPECT_FALSE(gridDelegate(*form).cellColors(added, 1, background, text));
}

TEST_F(GridTest, TypingDoesNotChangeTheColours)
{
    form->document().setText(1, 2, "W1AWXX");
    QColor background;
    QColor text;
    ASSERT_TRUE(gridDelegate(*form).cellColors(1, 2, background, text));
    EXPECT_EQ(background, kGrey);
}

TEST_F(GridTest, FontSetsEveryRowHeight)
{
    QFont chosen("DejaVu Sans");
    chosen.setPixelSize(16);
    platform.queueFont(chosen);
    trigger(*form, "fontAction");
    EXPECT_EQ(form->gridRowHeight(), 20);
    for (int row = 0; row < gridModel(*form).rowCount(); ++row)
        EXPECT_EQ(child<QTableView>(*form, "gridView")->rowHeight(row), 20) << "row " << row;
    EXPECT_EQ(child<QTableView>(*form, "gridView")->horizontalHeader()->height(),
              20);  // the fixed row
    const auto fonts = platform.eventsOfKind(ScriptedPlatform::EventKind::FontDialog);
    ASSERT_EQ(fonts.size(), 1u);
    EXPECT_EQ(fonts[0].text, "7-11");
}

TEST_F(GridTest, LeavingTheRecordNumberCellOfAShownGrid)
{
    form->resize(900, 700);
    form->show();
    form->selectCell(0, 1);
    EXPECT_EQ(form->currentColumn(), 0);
    form->selectCell(1, 1);  // the same view index as the record-number cell
    EXPECT_EQ(form->currentColumn(), 1);
    EXPECT_EQ(form->statusText(0), "1 : 1");
    form->hide();
}

TEST_F(GridTest, SelectCellMakesItCurrent)
{
    form->selectCell(1, 3);
    EXPECT_EQ(form->currentColumn(), 1);
    EXPECT_EQ(form->currentRow(), 3);
    form->selectCell(0, 2);
    EXPECT_EQ(form->currentColumn(), 0);
    EXPECT_EQ(form->currentRow(), 2);
}

}  // namespace
}  // namespace vaziduvu::test
