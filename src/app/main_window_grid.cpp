// Grid display and cell editing: clicks, keys, the in-place editor, the
// font, and the cell selection the checks use.
#include "app/grid_model.h"
#include "app/main_window.h"
#include "app/qt_text.h"
#include "app/shape_widget.h"
#include "platform/latin1_text.h"
#include "platform/platform.h"

#include <QFontInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QTableView>

#include <algorithm>
#include <vector>

namespace vaziduvu {

namespace {

const char *const kNoBracketsMessage
    = "The characters < and > cannot be stored in a cell: they would break the tags of the "
      "log.\r\nNothing was changed.";

}  // namespace

int MainWindow::currentColumn() const
{
    if (recordColumnCurrent_)
        return 0;
    const QModelIndex current = gridView_->currentIndex();
    return current.isValid() ? current.column() + 1 : 1;
}

int MainWindow::currentRow() const
{
    const QModelIndex current = gridView_->currentIndex();
    return current.isValid() ? gridModel_->documentRow(current.row()) : 1;
}

void MainWindow::showCurrentCellPosition()
{
    guarded("Report problem in this beta test code: String Grid Click", [this] {
        setStatusText(StatusCellPosition,
                      std::to_string(currentRow()) + " : " + std::to_string(currentColumn()));
    });
}

void MainWindow::handleGridKey(int key)
{
    // Keys change nothing by themselves: navigation, selection, copying and
    // shortcuts leave the data as it is, and every real change of a cell
    // goes through the model (acceptEdit) or the editor.
    if (key == Qt::Key_F12)
        showCellComment();
    else if (key == Qt::Key_F11)
        editCellComment();
}

void MainWindow::noteEditorText(int column, int row, std::string_view text)
{
    guarded("Report problem in beta test code: String Grid Get-Edit-Text", [&] {
        const CellRecord record = document_.cellInfo(column, row);
        if (record && text != record->value)
            markDataChanged();
    });
}

std::optional<std::string> MainWindow::acceptEdit(int column, int row, const QString &text)
{
    // A UTF-8 document holds any character; a Latin-1 one only Latin-1's.
    const TextEncoding encoding = document_.textEncoding();
    std::string kept;
    if (encoding == TextEncoding::Utf8) {
        kept = fromQt(limitEditedText(text), encoding);
    } else {
        const std::string outside = charactersOutsideLatin1(text);
        if (!outside.empty()) {
            showMessage("Problem:", outsideLatin1Message(outside));
            return std::nullopt;
        }
        kept = limitEditedText(fromQt(text));
    }
    // Values are delimited by their lengths in the Current mode, so brackets
    // in them are data; the Classic reader would take them for tags.
    if (document_.adifMode() == AdifMode::Classic
        && kept.find_first_of("<>") != std::string::npos) {
        showMessage("Problem:", kNoBracketsMessage);
        return std::nullopt;
    }
    // Whatever input made it, a real change of a cell is an edit.
    if (kept != document_.text(column, row))
        markDataChanged();
    return kept;
}

std::string MainWindow::limitEditedText(const std::string &text)
{
    if (static_cast<int>(text.size()) <= LogDocument::kEditLimit)
        return text;
    showMessage("Warning",
                "Length of text will be truncated.  Text was longer than maximum "
                "permissable length.");
    return text.substr(0, LogDocument::kEditLimit);
}

QString MainWindow::limitEditedText(const QString &text)
{
    const QList<uint> characters = text.toUcs4();
    if (characters.size() <= LogDocument::kEditLimit)
        return text;
    showMessage("Warning",
                "Length of text will be truncated.  Text was longer than maximum "
                "permissable length.");
    return QString::fromUcs4(reinterpret_cast<const char32_t *>(characters.constData()),
                             LogDocument::kEditLimit);
}

void MainWindow::chooseGridFont()
{
    guarded("Problem occurred while setting the chosen font to be current Grid font.", [this] {
        const std::optional<QFont> chosen = platform_.chooseFont(this, gridView_->font(), 7, 11);
        if (!chosen)
            return;
        applyGridFont(*chosen);
        storePreferences();
    });
}

void MainWindow::applyGridFont(const QFont &font)
{
    gridView_->setFont(font);
    // The headings (the field names and the record numbers) follow.
    gridView_->horizontalHeader()->setFont(font);
    gridView_->verticalHeader()->setFont(font);
    // The corner's "RECORD #" and the record numbers keep their room.
    // Before any log is open the corner is empty: its heading is measured all the same.
    const std::string_view corner = document_.text(0, 0);
    gridView_->verticalHeader()->setMinimumWidth(std::max(
        74, QFontMetrics(font).horizontalAdvance(toQt(corner.empty() ? "RECORD #" : corner)) + 10));
    loadReportView_->setFont(font);
    sourceView_->setFont(font);
    const int height = std::abs(QFontInfo(font).pixelSize());
    if (height > 0 && document_.rowCount() > 0 && document_.columnCount() > 0) {
        gridView_->verticalHeader()->setMinimumSectionSize(1);
        gridView_->verticalHeader()->setDefaultSectionSize(height + 4);
        gridView_->horizontalHeader()->setFixedHeight(height + 4);
    }
    fitColumnWidths();
    layoutChildren();
}

void MainWindow::fitColumnWidths()
{
    // From a sample of rows, the first and the last ones, and in each column
    // only its longest few texts are measured: a whole logbook need not be.
    constexpr int kSampleRows = 100;
    constexpr int kMeasured = 3;
    constexpr int kNarrowest = 40;
    constexpr int kWidest = 320;
    const QFontMetrics text(gridView_->font());
    const QFontMetrics heading(gridView_->horizontalHeader()->font());
    const int rows = document_.rowCount() - 1;
    std::vector<int> sample;
    for (int row = 1; row <= std::min(rows, kSampleRows); ++row)
        sample.push_back(row);
    for (int row = std::max(kSampleRows + 1, rows - kSampleRows + 1); row <= rows; ++row)
        sample.push_back(row);
    for (int column = 1; column < document_.columnCount(); ++column) {
        std::vector<std::string_view> longest;
        for (int row : sample) {
            longest.push_back(document_.text(column, row));
            std::sort(longest.begin(), longest.end(),
                      [](std::string_view a, std::string_view b) { return a.size() > b.size(); });
            if (longest.size() > kMeasured)
                longest.pop_back();
        }
        // The heading keeps room for the sort arrow a click on it shows.
        int width
            = heading.horizontalAdvance(toQt(document_.text(column, 0), document_.textEncoding()))
            + 28;
        for (std::string_view cell : longest)
            width = std::max(width,
                             text.horizontalAdvance(toQt(cell, document_.textEncoding())) + 10);
        gridView_->setColumnWidth(column - 1, std::clamp(width, kNarrowest, kWidest));
    }
}

int MainWindow::gridRowHeight() const
{
    return gridView_->verticalHeader()->defaultSectionSize();
}

void MainWindow::selectCell(int column, int row)
{
    if (row < 1 || row >= document_.rowCount() || column < 0 || column >= document_.columnCount())
        return;
    const int documentRow = row;
    if (gridModel_->viewRow(documentRow) < 0)
        showFilteredOutRow();
    row = gridModel_->viewRow(documentRow) + 1;
    if (row < 1)
        return;
    if (column == 0) {
        gridView_->setCurrentIndex(gridModel_->index(row - 1, 0));
        gridView_->selectRow(row - 1);
        recordColumnCurrent_ = true;
    } else {
        // The view may already stand on this index (the record-number
        // cell of the same row maps to it), so no change signal comes.
        recordColumnCurrent_ = false;
        const QModelIndex cell = gridModel_->index(row - 1, column - 1);
        gridView_->setCurrentIndex(cell);
        gridView_->selectionModel()->select(cell, QItemSelectionModel::ClearAndSelect);
    }
    gridView_->scrollTo(gridModel_->index(row - 1, std::max(0, column - 1)));
    showCurrentCellPosition();
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (!gridView_ || !sourceView_)
        return QMainWindow::eventFilter(watched, event);  // still being built
    // The central area changes size with the window, and also when a dock
    // or the status bar comes or goes.
    if (watched == client_ && event->type() == QEvent::Resize)
        guarded("Could not lay out the window.", [this] { layoutChildren(); });
    // Without a grid there is no boundary to drag: the picture shows there.
    if (watched == gridView_ && (event->type() == QEvent::Show || event->type() == QEvent::Hide))
        contentSplitter_->setStyleSheet(
            gridView_->isHidden() ? QStringLiteral("QSplitter::handle { background: transparent; }")
                                  : QString());
    if (watched == gridView_->viewport() && event->type() == QEvent::MouseButtonPress)
        recordColumnCurrent_ = false;  // a click always lands on a data cell
    if (watched == gridView_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        handleGridKey(key);
        if (key == Qt::Key_F11 || key == Qt::Key_F12)
            return true;
    } else if (watched == cornerButton_ && event->type() == QEvent::Paint) {
        // The corner above the record numbers is cell (0, 0): "RECORD #".
        QPainter painter(cornerButton_);
        const QRect area = cornerButton_->rect();
        painter.fillRect(area, QColor(192, 192, 192));
        painter.setPen(Qt::gray);
        painter.drawLine(area.topRight(), area.bottomRight());
        painter.drawLine(area.bottomLeft(), area.bottomRight());
        painter.setPen(Qt::black);
        painter.setFont(gridView_->horizontalHeader()->font());
        painter.drawText(area.adjusted(3, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter,
                         toQt(document_.text(0, 0)));
        return true;
    } else if (sourceView_ && watched == sourceView_->viewport()
               && event->type() == QEvent::MouseButtonPress) {
        guarded("Could not show the source text.", [this] { openSourceDisplay(); });
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace vaziduvu
