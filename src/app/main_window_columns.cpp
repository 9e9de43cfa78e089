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

void MainWindow::addColumn()
{
    guarded("Could not add the column.", [this] {
        if (!document_.documentOpen()) {
            showMessage("Problem:", kOpenFileFirst);
            return;
        }
        if (runAddColumnDialog())
            markDataChanged();
        else
            showMessage("Information:", "Column was not added");
    });
}

bool MainWindow::runAddColumnDialog()
{
    gridDelegate_->commitOpenEditor();
    if (document_.columnLimitReached()) {
        showMessage("Problem:", "The maximum allowable number of columns already exist!");
        return false;
    }

    AddColumnDialog dialog(platform_, platform_.currentYear() + 1, this);
    platform_.runModal(dialog);
    if (dialog.notAccepted())
        return false;

    const TagRecord &templateRecord = dialog.templateRecord();
    // The name test normalises every heading in the grid: that is recorded
    // too, with the column when one is added.
    bool duplicate = false;
    int column = -1;
    recordChange("Add Column " + templateRecord.name, GridRegion::wholeGrid(document_), [&] {
        duplicate = document_.columnNameExists(templateRecord.name);
        if (!duplicate)
            column = document_.appendColumn(templateRecord);
    });
    if (duplicate) {
        refreshGrid();
        showMessage("Problem:", "Dulicate Column Name ... Column not added ...");
        return true;
    }
    refreshGrid();
    if (column >= 0)
        selectCell(column, currentRow());
    return true;
}

void MainWindow::clearColumn()
{
    guarded("Problem clearing the column!", [this] {
        if (!document_.documentOpen()) {
            showMessage("Problem:", kOpenFileFirst);
            return;
        }
        gridDelegate_->commitOpenEditor();
        std::vector<std::string> headers;
        for (int column = 1; column < document_.columnCount(); ++column)
            headers.emplace_back(document_.text(column, 0));

        ColumnSelectorDialog selector(platform_, this);
        selector.setWindowTitle("Select Column to Clear");
        selector.fillColumnList(headers);
        platform_.runModal(selector);
        const int chosen = selector.chosenIndex();
        if (chosen < 0 || chosen + 1 >= document_.columnCount())
            return;

        recordChange("Clear Column " + std::string(document_.text(chosen + 1, 0)),
                     GridRegion::column(document_, chosen + 1),
                     [&] { document_.clearColumnTexts(chosen + 1); });
        refreshGrid();
        markDataChanged();
    });
}

}  // namespace vaziduvu
