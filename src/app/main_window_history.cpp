// The edit history (undo and redo) and the commands that remove rows and
// columns. Every change of the document is one step on the undo stack; the
// change light follows the stack.
#include "app/document_commands.h"
#include "app/grid_delegate.h"
#include "app/grid_model.h"
#include "app/icons.h"
#include "app/main_window.h"
#include "app/qt_text.h"
#include "app/shape_widget.h"
#include "platform/platform.h"

#include <QAction>
#include <QItemSelectionModel>
#include <QTableView>
#include <QUndoStack>

#include <algorithm>
#include <set>

namespace vaziduvu {

namespace {

// "row 4", "rows 2 to 9", "rows 2, 5 and 7", "rows 2, 3, 5, 8, 13 and 4 more".
std::string describeRows(const std::vector<int> &rows)
{
    if (rows.size() == 1)
        return "row " + std::to_string(rows.front());
    const bool contiguous = rows.back() - rows.front() + 1 == static_cast<int>(rows.size());
    if (contiguous)
        return "rows " + std::to_string(rows.front()) + " to " + std::to_string(rows.back());
    constexpr size_t kListed = 5;
    std::string text = "rows ";
    const size_t listed = std::min(rows.size(), kListed);
    for (size_t i = 0; i < listed; ++i) {
        if (i > 0)
            text += (i + 1 == listed && rows.size() <= kListed) ? " and " : ", ";
        text += std::to_string(rows[i]);
    }
    if (rows.size() > kListed)
        text += " and " + std::to_string(rows.size() - kListed) + " more";
    return text;
}

}  // namespace

void MainWindow::createHistory()
{
    history_ = new QUndoStack(this);
    undoAction_ = history_->createUndoAction(this, QStringLiteral("&Undo"));
    undoAction_->setObjectName("undoAction");
    undoAction_->setShortcut(QKeySequence::Undo);
    undoAction_->setIcon(toolbarGlyph(ToolbarGlyph::Undo));
    redoAction_ = history_->createRedoAction(this, QStringLiteral("&Redo"));
    redoAction_->setObjectName("redoAction");
    redoAction_->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    redoAction_->setIcon(toolbarGlyph(ToolbarGlyph::Redo));
    connect(history_, &QUndoStack::indexChanged, this, &MainWindow::followHistory);
    gridModel_->setCellWriter([this](int column, int row, std::string text) {
        recordChange(
            "Edit " + std::string(document_.text(column, 0)), GridRegion::cell(column, row),
            [&] { document_.setText(column, row, std::move(text)); }, column, row);
    });
}

void MainWindow::clearHistory(bool startsSaved)
{
    endJournal();
    historyResetting_ = true;
    history_->clear();
    history_->setClean();
    historyResetting_ = false;
    historyStartsSaved_ = startsSaved;
}

void MainWindow::markHistorySaved()
{
    history_->setClean();
    historyStartsSaved_ = true;
    endJournal();
}

void MainWindow::recordTidying()
{
    pushChange(QStringLiteral("Values Tidied by the Export Checks"),
               GridChange::fromJournal(document_));
}

void MainWindow::pushChange(const QString &what, GridChange change, int column, int row)
{
    if (change.empty())
        return;
    pushStep(new GridChangeCommand(
        what, document_, std::move(change),
        [this](int shownColumn, int shownRow) { showChangedCell(shownColumn, shownRow); }, column,
        row));
}

bool MainWindow::recordChange(const std::string &what, GridRegion region,
                              const std::function<void()> &operation, int column, int row)
{
    GridChange change = GridChange::capture(document_, region);
    operation();
    change.finish(document_);
    if (change.empty())
        return false;
    pushChange(toQt(what), std::move(change), column, row);
    return true;
}

void MainWindow::showChangedCell(int column, int row)
{
    if (replaying_)
        return;  // shown once the replay ends
    refreshGrid();
    if (column < 0 && row < 0)
        return;
    selectCell(column < 0 ? currentColumn() : column, row < 0 ? currentRow() : row);
}

void MainWindow::followHistory()
{
    if (historyResetting_ || !document_.documentOpen())
        return;
    const bool saved = history_->isClean() && historyStartsSaved_;
    if (saved) {
        document_.setUnsavedChanges(false);
        changeLight_->setBrushColor(kGreen);
    } else {
        markDataChanged();
    }
    scheduleCheckRefresh();
    showDuplicateGroups();
    if (!pushingStep_)
        journalHistory();
}

std::vector<int> MainWindow::selectedRows() const
{
    std::set<int> rows;
    for (const QModelIndex &index : gridView_->selectionModel()->selectedIndexes())
        rows.insert(gridModel_->documentRow(index.row()));
    if (rows.empty() && gridView_->currentIndex().isValid())
        rows.insert(currentRow());
    std::vector<int> result;
    for (int row : rows) {
        if (row >= 1 && row < document_.rowCount())
            result.push_back(row);
    }
    return result;
}

void MainWindow::deleteRows()
{
    guarded("Could not delete the rows.", [this] {
        gridDelegate_->commitOpenEditor();
        const std::vector<int> rows = selectedRows();
        if (rows.empty()) {
            showMessage("Problem:", "There is no contact to delete: select its row first.");
            return;
        }
        const std::string count = rows.size() == 1
            ? std::string("the contact in ")
            : "the " + std::to_string(rows.size()) + " contacts in ";
        if (!platform_.confirm(this,
                               "Delete " + count + describeRows(rows)
                                   + (rows.size() == 1 ? "?\r\nUndo (Ctrl+Z) brings it back."
                                                       : "?\r\nUndo (Ctrl+Z) brings them back.")))
            return;
        pushStep(new RemoveRowsCommand(
            toQt(rows.size() == 1 ? std::string("Delete Row") : std::string("Delete Rows")),
            document_, rows, [this](int column, int row) { showChangedCell(column, row); }));
    });
}

void MainWindow::deleteColumn()
{
    guarded("Could not delete the column.", [this] {
        gridDelegate_->commitOpenEditor();
        const int column = currentColumn();
        if (column < 1 || column >= document_.columnCount()) {
            showMessage("Problem:", "There is no column to delete: select a cell in it first.");
            return;
        }
        const std::string name(document_.text(column, 0));
        const int contacts = document_.rowCount() - 1;
        const std::string heading = name.empty() ? std::string("without a name") : name;
        if (!platform_.confirm(this,
                               "Delete the column " + heading + " with its values in "
                                   + std::to_string(contacts)
                                   + (contacts == 1 ? " contact" : " contacts")
                                   + "?\r\nUndo (Ctrl+Z) brings it back."))
            return;
        pushStep(new RemoveColumnCommand(
            toQt("Delete Column " + name), document_, column,
            [this](int shownColumn, int row) { showChangedCell(shownColumn, row); }));
    });
}

}  // namespace vaziduvu
