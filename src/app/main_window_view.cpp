// The view of the log: sorting by a column heading and the filter bar,
// which choose the rows the grid shows without moving a contact; and
// Edit > Sort Log, which does move them.
#include "app/check_panel.h"
#include "app/document_commands.h"
#include "app/filter_bar.h"
#include "app/grid_delegate.h"
#include "app/grid_model.h"
#include "app/main_window.h"
#include "app/qt_text.h"
#include "app/sort_log_dialog.h"
#include "document/row_order.h"
#include "platform/platform.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QMenu>
#include <QTableView>
#include <QTimer>
#include <QUndoStack>
#include <QVBoxLayout>

#include <algorithm>
#include <numeric>

namespace vaziduvu {

namespace {

constexpr int kFilterDelay = 150;  // milliseconds after the last key
constexpr int kImmediateFilterRows = 20000;

QStringList headingsOf(const LogDocument &document)
{
    QStringList headings;
    for (int column = 1; column < document.columnCount(); ++column)
        headings << toQt(document.text(column, 0), document.textEncoding());
    return headings;
}

std::vector<int> keptIn(const std::vector<int> &rows, const std::vector<int> &allowed)
{
    std::vector<bool> allow;
    for (const int row : allowed) {
        if (static_cast<size_t>(row) >= allow.size())
            allow.resize(static_cast<size_t>(row) + 1, false);
        allow[static_cast<size_t>(row)] = true;
    }
    std::vector<int> kept;
    for (const int row : rows) {
        if (static_cast<size_t>(row) < allow.size() && allow[static_cast<size_t>(row)])
            kept.push_back(row);
    }
    return kept;
}

}  // namespace

void MainWindow::createHousekeeping()
{
    // The filter bar stands above the grid, in the grid's area.
    filterBar_ = new FilterBar(gridArea_);
    filterBar_->hide();
    static_cast<QVBoxLayout *>(gridArea_->layout())->insertWidget(0, filterBar_);
    filterTimer_ = new QTimer(this);
    filterTimer_->setObjectName("filterTimer");
    filterTimer_->setSingleShot(true);
    filterTimer_->setInterval(kFilterDelay);
    connect(filterTimer_, &QTimer::timeout, this,
            [this] { guarded("Could not filter the contacts.", [this] { applyView(); }); });
    // A small log follows every key at once; a large one once typing pauses.
    connect(filterBar_, &FilterBar::changed, this, [this] {
        if (document_.rowCount() > kImmediateFilterRows)
            filterTimer_->start();
        else
            guarded("Could not filter the contacts.", [this] { applyView(); });
    });
    connect(filterBar_, &FilterBar::closeRequested, this, [this] {
        filterBar_->clear();
        filterTimer_->stop();
        filterBar_->hide();
        layoutChildren();
        applyView();
        gridView_->setFocus();
    });

    QHeaderView *header = gridView_->horizontalHeader();
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(false);
    header->setToolTip(QStringLiteral(
        "Click a heading to sort the view by it (again: descending; a third time: file order)"));
    connect(header, &QHeaderView::sectionClicked, this, [this](int section) {
        guarded("Could not sort the view.", [this, section] { sortByHeading(section); });
    });
}

bool MainWindow::viewNarrowed() const
{
    return sortColumn_ >= 0 || (filterBar_ != nullptr && filterBar_->active());
}

void MainWindow::showFilteredOutRow()
{
    if (!filterBar_->active())
        return;
    {
        const QSignalBlocker quiet(filterBar_);
        filterBar_->clear();
    }
    filterTimer_->stop();
    applyView();
}

void MainWindow::toggleFilterBar()
{
    guarded("Could not show the filter.", [this] {
        if (!filterBar_->isHidden() && filterBar_->isAncestorOf(QApplication::focusWidget())) {
            emit filterBar_->closeRequested();
            return;
        }
        filterBar_->setColumns(headingsOf(document_));
        filterBar_->setCount(gridModel_->rowCount(), std::max(0, document_.rowCount() - 1));
        filterBar_->show();
        layoutChildren();
        filterBar_->focusText();
    });
}

void MainWindow::sortByHeading(int section)
{
    const int column = section + 1;
    if (!document_.documentOpen() || column < 1 || column >= document_.columnCount())
        return;
    gridDelegate_->commitOpenEditor();
    if (sortColumn_ != column) {
        sortColumn_ = column;
        sortDescending_ = false;
    } else if (!sortDescending_) {
        sortDescending_ = true;
    } else {
        sortColumn_ = -1;
    }
    applyView();
}

void MainWindow::resetView()
{
    sortColumn_ = -1;
    sortDescending_ = false;
    if (filterBar_) {
        const QSignalBlocker quiet(filterBar_);
        filterBar_->clear();
        filterTimer_->stop();
    }
    gridView_->horizontalHeader()->setSortIndicatorShown(false);
    if (!gridModel_->showsAllRows())
        gridModel_->setShownRows(std::nullopt);
}

void MainWindow::applyView()
{
    if (sortColumn_ >= document_.columnCount())
        sortColumn_ = -1;
    QHeaderView *header = gridView_->horizontalHeader();
    header->setSortIndicatorShown(sortColumn_ >= 0);
    if (sortColumn_ >= 0)
        header->setSortIndicator(sortColumn_ - 1,
                                 sortDescending_ ? Qt::DescendingOrder : Qt::AscendingOrder);
    const bool filtered = filterBar_->active() && document_.documentOpen();
    if (!filterBar_->isHidden())
        filterBar_->setColumns(headingsOf(document_));
    const int keptColumn = currentColumn();
    const int keptRow = currentRow();

    std::optional<std::vector<int>> rows;
    if (sortColumn_ >= 0)
        rows = sortedRows(document_, sortColumn_, sortDescending_);
    if (filtered) {
        std::vector<int> shown = rows ? std::move(*rows) : allRows(document_);
        if (!filterBar_->text().isEmpty())
            shown = rowsMatching(document_, shown,
                                 fromQt(filterBar_->text(), document_.textEncoding()),
                                 filterBar_->column());
        if (filterBar_->problemsOnly()) {
            if (checkPanel_ == nullptr || checkPanel_->isHidden())
                checkWholeLog();
            shown = keptIn(shown, checkPanel_ ? checkPanel_->problemRows() : std::vector<int>());
        }
        if (filterBar_->duplicatesOnly())
            shown = keptIn(shown, duplicateRows());
        rows = std::move(shown);
    }
    const int total = std::max(0, document_.rowCount() - 1);
    if (rows || !gridModel_->showsAllRows())
        gridModel_->setShownRows(std::move(rows));
    filterBar_->setCount(gridModel_->rowCount(), total);
    if (gridModel_->rowCount() == 0)
        return;
    if (gridModel_->viewRow(keptRow) >= 0)
        selectCell(keptColumn, keptRow);
    else
        selectCell(std::max(1, keptColumn), gridModel_->documentRow(0));
}

void MainWindow::sortLog()
{
    guarded("Could not sort the log.", [this] {
        gridDelegate_->commitOpenEditor();
        if (!document_.documentOpen() || document_.rowCount() < 3 || document_.columnCount() < 2) {
            showMessage("Information:", "There are no contacts to sort.");
            return;
        }
        SortLogDialog dialog(headingsOf(document_), this);
        if (platform_.runModal(dialog) != QDialog::Accepted || dialog.keys().empty())
            return;
        const std::vector<int> order = sortedRows(document_, dialog.keys());
        std::vector<int> fileOrder(order.size());
        std::iota(fileOrder.begin(), fileOrder.end(), 1);
        if (order == fileOrder) {
            showMessage("Information:", "The contacts are in this order already.");
            return;
        }
        pushStep(
            new ReorderRowsCommand(QStringLiteral("Sort Log"), document_, order,
                                   [this](int column, int row) { showChangedCell(column, row); }));
    });
}

}  // namespace vaziduvu
