// Column operations: adding a column through the add-column dialog and
// clearing the texts of a column chosen in the column selector.
#include "app/add_column_dialog.h"
#include "app/column_selector_dialog.h"
#include "app/grid_delegate.h"
#include "app/main_window.h"
#include "platform/platform.h"

#include <QAction>

namespace vaziduvu {

namespace {

const char *const kOpenFileFirst = "First, you must open a file to edit!";

}  // namespace

void TForm1::AddColumn1Click()
{
    try {
        if (ToolButton5->isEnabled())
            ToolButton5Click();
        else
            ShowMessageBox("Problem:", kOpenFileFirst);
    } catch (...) {
    }
}

void TForm1::ToolButton5Click()
{
    try {
        if (AddColumn())
            MarkDataChanged();
        else
            ShowMessageBox("Information:", "Column was not added");
    } catch (...) {
    }
}

bool TForm1::AddColumn()
{
    gridDelegate_->commitOpenEditor();
    if (document_.columnLimitReached()) {
        ShowMessageBox("Problem:", "The maximum allowable number of columns already exist!");
        return false;
    }

    TOKRightDlg dialog(platform_, platform_.currentYear() + 1, this);
    platform_.runModal(dialog);
    if (dialog.notAccepted())
        return false;

    const TagRecord &templateRecord = dialog.templateRecord();
    bool duplicate = true;
    try {
        duplicate = document_.ColumnNameExists(templateRecord.name);
    } catch (...) {
    }
    if (duplicate) {
        // The test wrote the normalised headers back into the grid.
        refreshGrid();
        ShowMessageBox("Problem:", "Dulicate Column Name ... Column not added ...");
        return true;
    }

    const int column = document_.appendColumn(templateRecord);
    refreshGrid();
    if (column >= 0)
        SelectCell(column, currentRow());
    return true;
}

void TForm1::ClearColumn1Click()
{
    try {
        if (ToolButton6->isEnabled())
            ToolButton6Click();
        else
            ShowMessageBox("Problem:", kOpenFileFirst);
    } catch (...) {
        ShowMessageBox("Problem:", "Problem clearing the column");
    }
}

void TForm1::ToolButton6Click()
{
    try {
        gridDelegate_->commitOpenEditor();
        std::vector<std::string> headers;
        for (int column = 1; column < document_.columnCount(); ++column)
            headers.push_back(document_.text(column, 0));

        TOKRightDlg1 selector(platform_, this);
        selector.setWindowTitle("Select Column to Clear");
        selector.FillColumnList(headers);
        platform_.runModal(selector);
        const int chosen = selector.chosenIndex();
        if (chosen < 0 || chosen + 1 >= document_.columnCount())
            return;

        document_.clearColumnTexts(chosen + 1);
        refreshGrid();
        MarkDataChanged();
    } catch (...) {
        ShowMessageBox("Problem:", "Problem clearing the column!");
    }
}

}  // namespace vaziduvu
