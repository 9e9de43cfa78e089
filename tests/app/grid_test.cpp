// Grid display and editing in the real window: the change light after keys,
// the edit limit, the editor rule and the colours of each cell state.
#include "window_fixture.h"

#include "app/grid_delegate.h"
#include "app/grid_model.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
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

struct KeyCase {
    const char *name;
    Qt::Key key;
    bool turnsYellow;
};

class KeyTest : public GridTest, public ::testing::WithParamInterface<KeyCase> { };

TEST_P(KeyTest, OnlyKeysThatMayChangeTextMarkTheData)
{
    // Sent as events: not every key (Print) has a character for QTest to type.
    QKeyEvent press(QEvent::KeyPress, GetParam().key, Qt::NoModifier);
    QApplication::sendEvent(child<QTableView>(*form, "gridView"), &press);
    QKeyEvent release(QEvent::KeyRelease, GetParam().key, Qt::NoModifier);
    QApplication::sendEvent(child<QTableView>(*form, "gridView"), &release);
    EXPECT_EQ(form->changeLightYellow(), GetParam().turnsYellow);
    EXPECT_EQ(form->document().unsavedChanges(), GetParam().turnsYellow);
    if (GetParam().turnsYellow) {
        EXPECT_EQ(form->loadReportText(), "Statistics refreshed on reload");
        EXPECT_EQ(form->sourceViewText(), "");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyTest,
    ::testing::Values(
        KeyCase{"Left", Qt::Key_Left, false}, KeyCase{"Down", Qt::Key_Down, false},
        KeyCase{"PageUp", Qt::Key_PageUp, false}, KeyCase{"Home", Qt::Key_Home, false},
        KeyCase{"F5", Qt::Key_F5, false}, KeyCase{"Escape", Qt::Key_Escape, false},
        KeyCase{"PrintScreen", Qt::Key_Print, false}, KeyCase{"Print", Qt::Key_Printer, false},
        KeyCase{"WindowsKey", Qt::Key_Meta, false}, KeyCase{"NumLock", Qt::Key_NumLock, false},
        KeyCase{"F24", Qt::Key_F24, false}, KeyCase{"Control", Qt::Key_Control, true},
        KeyCase{"Alt", Qt::Key_Alt, true}, KeyCase{"TabWhileSaved", Qt::Key_Tab, false},
        KeyCase{"Shift", Qt::Key_Shift, true}, KeyCase{"Letter", Qt::Key_A, true},
        KeyCase{"Digit", Qt::Key_5, true}, KeyCase{"Delete", Qt::Key_Delete, true},
        KeyCase{"Backspace", Qt::Key_Backspace, true}, KeyCase{"Enter", Qt::Key_Return, true}),
    [](const auto &info) { return std::string(info.param.name); });

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
    form->document().cellInfo(1, 2)->comment = "see log book";
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
