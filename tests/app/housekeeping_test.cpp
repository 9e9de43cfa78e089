// Sorting and filtering the view, Sort Log, Find Duplicates with Delete
// Duplicates and Merge, and Append Log, driven through the window's actions
// with the scripted platform answering.
#include "app/duplicates_panel.h"
#include "app/merge_dialog.h"
#include "app/sort_log_dialog.h"
#include "grid_texts.h"
#include "window_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>

namespace vaziduvu::test {
namespace {

// Rows 1 and 3 are one contact logged twice (row 3 fuller); FREQ and
// TIME_ON sort as numbers and times, not as text.
const char kLog[] = "log<EOH>\r\n"
                    "<CALL:4>W1AW<QSO_DATE:8>20261201<TIME_ON:4>1200<FREQ:4>14.0<MODE:2>CW"
                    "<BAND:3>20M<QSL_RCVD:1>N<EOR>\r\n"
                    "<CALL:5>K1ABC<QSO_DATE:8>20261130<TIME_ON:6>115959<FREQ:3>7.0<MODE:3>SSB"
                    "<BAND:3>40M<EOR>\r\n"
                    "<CALL:4>W1AW<QSO_DATE:8>20261201<TIME_ON:4>1203<FREQ:4>14.0<MODE:2>CW"
                    "<BAND:3>20M<QSL_RCVD:1>Y<NAME:3>Bob<EOR>\r\n"
                    "<CALL:4>N0CA<QSO_DATE:8>20261202<TIME_ON:4>0900<FREQ:3>144<MODE:2>FM"
                    "<BAND:2>2M<EOR>\r\n";

class Housekeeping : public WindowFixture {
public:
    void SetUp() override
    {
        WindowFixture::SetUp();
        openText(kLog);
        ASSERT_TRUE(form->document().documentOpen());
        platform.clearEvents();
    }

    int column(const char *name) const
    {
        for (int c = 1; c < form->document().columnCount(); ++c) {
            if (form->document().text(c, 0) == name)
                return c;
        }
        return -1;
    }

    // The record numbers down the view.
    std::vector<std::string> shownRecords() const
    {
        std::vector<std::string> records;
        const GridModel &model = gridModel(*form);
        for (int i = 0; i < model.rowCount(); ++i)
            records.push_back(
                model.headerData(i, Qt::Vertical, Qt::DisplayRole).toString().toStdString());
        return records;
    }

    void clickHeading(const char *name, int times)
    {
        for (int i = 0; i < times; ++i)
            emit gridView(*form)->horizontalHeader()->sectionClicked(column(name) - 1);
    }

    void filter(const char *text, const char *in = nullptr)
    {
        if (widget<QWidget>("filterBar")->isHidden())
            trigger(*form, "filterAction");
        if (in)
            widget<QComboBox>("filterColumn")
                ->setCurrentIndex(widget<QComboBox>("filterColumn")->findText(in));
        widget<QLineEdit>("filterText")->setText(QString::fromLatin1(text));
    }

    std::string saved()
    {
        const std::string target = pathIn("saved-" + std::to_string(saves_++) + ".adi");
        platform.queueFileName(target);
        EXPECT_TRUE(saveAsCommand(*form));
        return readFile(target);
    }

private:
    int saves_ = 0;
};

struct ViewCase {
    const char *name;
    const char *heading;  // clicked `clicks` times
    int clicks;
    const char *filterText;  // nullptr: no filter
    const char *filterColumn;
    std::vector<std::string> shown;
};

void PrintTo(const ViewCase &c, std::ostream *os)
{
    *os << c.name;
}

class ViewOrder : public Housekeeping, public testing::WithParamInterface<ViewCase> { };

TEST_P(ViewOrder, ShowsTheRowsChosenWithTheirOwnNumbers)
{
    const std::string before = documentState(form->document());
    if (GetParam().heading)
        clickHeading(GetParam().heading, GetParam().clicks);
    if (GetParam().filterText)
        filter(GetParam().filterText, GetParam().filterColumn);
    EXPECT_EQ(shownRecords(), GetParam().shown);
    EXPECT_EQ(documentState(form->document()), before);
}

INSTANTIATE_TEST_SUITE_P(
    Window, ViewOrder,
    testing::Values(
        ViewCase{"CallAscending", "CALL", 1, nullptr, nullptr, {"2", "4", "1", "3"}},
        ViewCase{"CallDescendingKeepsFileOrderOfEquals",
                 "CALL",
                 2,
                 nullptr,
                 nullptr,
                 {"1", "3", "4", "2"}},
        ViewCase{"ThirdClickIsFileOrder", "CALL", 3, nullptr, nullptr, {"1", "2", "3", "4"}},
        ViewCase{"FrequencyAsNumber", "FREQ", 1, nullptr, nullptr, {"2", "1", "3", "4"}},
        ViewCase{"TimeAsTime", "TIME_ON", 1, nullptr, nullptr, {"4", "2", "1", "3"}},
        ViewCase{"FilterAnyColumnIgnoresCase", nullptr, 0, "w1", nullptr, {"1", "3"}},
        ViewCase{"FilterOneColumn", nullptr, 0, "11", "TIME_ON", {"2"}},
        ViewCase{"SortedAndFiltered", "QSO_DATE", 2, "20261", nullptr, {"4", "1", "3", "2"}},
        ViewCase{"NothingMatches", nullptr, 0, "ZZ9", nullptr, {}}));

TEST_F(Housekeeping, ReadyFiltersShowDuplicatesAndProblems)
{
    trigger(*form, "filterAction");
    widget<QCheckBox>("filterDuplicates")->setChecked(true);
    EXPECT_EQ(shownRecords(), (std::vector<std::string>{"1", "3"}));
    widget<QCheckBox>("filterDuplicates")->setChecked(false);
    form->document().setText(column("QSO_DATE"), 2, "2026XX30");
    widget<QCheckBox>("filterProblems")->setChecked(true);
    EXPECT_EQ(shownRecords(), (std::vector<std::string>{"2"}));
}

TEST_F(Housekeeping, DeleteRowInASortedViewRemovesTheContactShown)
{
    clickHeading("CALL", 1);
    gridView(*form)->setCurrentIndex(gridModel(*form).index(0, 0));
    platform.queueConfirm(true);
    trigger(*form, "deleteRowsAction");
    std::vector<std::string> calls;
    for (int row = 1; row < form->document().rowCount(); ++row)
        calls.emplace_back(form->document().text(column("CALL"), row));
    EXPECT_EQ(calls, (std::vector<std::string>{"W1AW", "W1AW", "N0CA"}));
    EXPECT_EQ(shownRecords(), (std::vector<std::string>{"3", "1", "2"}));
}

TEST_F(Housekeeping, GoingToAContactTheFilterHidesShowsEveryContact)
{
    filter("W1AW");
    trigger(*form, "findDuplicatesAction");
    form->selectCell(1, 2);
    EXPECT_EQ(form->currentRow(), 2);
    EXPECT_EQ(shownRecords(), (std::vector<std::string>{"1", "2", "3", "4"}));
    EXPECT_TRUE(widget<QLineEdit>("filterText")->text().isEmpty());
}

TEST_F(Housekeeping, EditInASortedFilteredViewChangesTheContactShown)
{
    const std::string original = saved();
    clickHeading("CALL", 2);
    filter("W1AW");
    ASSERT_EQ(shownRecords(), (std::vector<std::string>{"1", "3"}));
    GridModel &model = gridModel(*form);
    model.setData(model.index(1, column("MODE") - 1), QStringLiteral("SSB"), Qt::EditRole);
    EXPECT_EQ(form->document().text(column("MODE"), 3), "SSB");
    EXPECT_EQ(form->document().text(column("MODE"), 1), "CW");

    std::string expected = original;
    const size_t third = expected.find("<CALL:4>W1AW", expected.find("K1ABC"));
    expected.replace(expected.find("<MODE:2>CW", third), 10, "<MODE:3>SSB");
    EXPECT_EQ(saved(), expected);
}

TEST_F(Housekeeping, DeleteDuplicatesKeepsTheFullestAndUndoRestoresTheLog)
{
    const std::string before = documentState(form->document());
    trigger(*form, "findDuplicatesAction");
    EXPECT_EQ(widget<DuplicatesPanel>("duplicatesPanel")->groupCount(), 1);
    platform.queueConfirm(true);
    widget<QPushButton>("deleteDuplicatesButton")->click();
    ASSERT_EQ(platform.eventsOfKind(ScriptedPlatform::EventKind::Confirm).size(), 1u);
    EXPECT_NE(platform.eventsOfKind(ScriptedPlatform::EventKind::Confirm)[0].text.find(
                  "Delete 1 duplicate contact of 1 group"),
              std::string::npos);
    ASSERT_EQ(form->document().rowCount(), 4);
    EXPECT_EQ(form->document().text(column("NAME"), 2), "Bob");
    EXPECT_EQ(widget<DuplicatesPanel>("duplicatesPanel")->groupCount(), 0);
    trigger(*form, "undoAction");
    EXPECT_EQ(documentState(form->document()), before);
}

TEST_F(Housekeeping, MergeKeepsTheConfirmationAndThePickedValues)
{
    const std::string before = documentState(form->document());
    trigger(*form, "findDuplicatesAction");
    platform.queueModal([&](QDialog &dialog) {
        auto &merge = dynamic_cast<MergeDialog &>(dialog);
        // TIME_ON (third field) differs: take the second contact's.
        merge.choose(2, 1);
        merge.accept();
        return merge.result();
    });
    widget<QPushButton>("mergeDuplicatesButton")->click();
    ASSERT_EQ(form->document().rowCount(), 4);
    const LogDocument &document = form->document();
    EXPECT_EQ(document.text(column("TIME_ON"), 1), "1203");
    EXPECT_EQ(document.text(column("QSL_RCVD"), 1), "Y");
    EXPECT_EQ(document.text(column("NAME"), 1), "Bob");
    EXPECT_EQ(document.text(column("CALL"), 3), "N0CA");
    trigger(*form, "undoAction");
    EXPECT_EQ(documentState(form->document()), before);
    trigger(*form, "redoAction");
    const std::string written = saved();
    EXPECT_NE(
        written.find("<TIME_ON:4>1203<FREQ:4>14.0<MODE:2>CW<BAND:3>20M<QSL_RCVD:1>Y<NAME:3>Bob"),
        std::string::npos)
        << written;
}

TEST_F(Housekeeping, SortLogMovesTheContactsAsOneStep)
{
    const std::string before = documentState(form->document());
    platform.queueModal([](QDialog &dialog) {
        dialog.accept();  // QSO_DATE, then TIME_ON, as offered
        return dialog.result();
    });
    trigger(*form, "sortLogAction");
    std::vector<std::string> calls;
    for (int row = 1; row < form->document().rowCount(); ++row)
        calls.emplace_back(form->document().text(column("CALL"), row));
    EXPECT_EQ(calls, (std::vector<std::string>{"K1ABC", "W1AW", "W1AW", "N0CA"}));
    EXPECT_EQ(form->document().text(0, 1), "1");
    EXPECT_EQ(form->document().text(column("TIME_ON"), 3), "1203");
    trigger(*form, "undoAction");
    EXPECT_EQ(documentState(form->document()), before);
}

TEST_F(Housekeeping, AppendLogAddsRowsAndColumnsAsOneStep)
{
    const std::string before = documentState(form->document());
    platform.queueFileName(writeFile("other.adi",
                                     "other<EOH>"
                                     "<CALL:4>W1AW<QSO_DATE:8>20261201<TIME_ON:4>1201"
                                     "<MODE:2>CW<BAND:3>20M<GRIDSQUARE:4>FN31<EOR>"));
    platform.queueConfirm(true);
    trigger(*form, "appendLogAction");
    const LogDocument &document = form->document();
    ASSERT_EQ(document.rowCount(), 6);
    EXPECT_EQ(document.text(column("GRIDSQUARE"), 5), "FN31");
    EXPECT_EQ(document.text(column("CALL"), 5), "W1AW");
    EXPECT_EQ(widget<DuplicatesPanel>("duplicatesPanel")->groupCount(), 1);
    EXPECT_TRUE(form->changeLightYellow());
    EXPECT_NE(form->loadReportText().find("End-Record Markers:     1\r\nContacts appended:      1"),
              std::string::npos)
        << form->loadReportText();
    trigger(*form, "undoAction");
    EXPECT_EQ(documentState(form->document()), before);
}

}  // namespace
}  // namespace vaziduvu::test
