// Grid display and cell editing: clicks, keys, the in-place editor, the
// font, and the cell selection the checks use.
#include "app/grid_model.h"
#include "app/main_window.h"
#include "app/qt_text.h"
#include "app/shape_widget.h"
#include "platform/platform.h"

#include <QFontInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTableView>

namespace vaziduvu {

namespace {

// Keys that move around or do nothing to a cell's text.
bool isQuietKey(int key)
{
    switch (key) {
    case Qt::Key_Escape:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_End:
    case Qt::Key_Home:
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Down:
    case Qt::Key_Print:    // Print Screen
    case Qt::Key_Printer:  // Print
    case Qt::Key_SysReq:
    case Qt::Key_Help:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Meta:
    case Qt::Key_NumLock:
    case Qt::Key_ScrollLock:
        return true;
    default:
        return key >= Qt::Key_F1 && key <= Qt::Key_F24;
    }
}

}  // namespace

int TForm1::currentColumn() const
{
    if (recordColumnCurrent_)
        return 0;
    const QModelIndex current = StringGrid1->currentIndex();
    return current.isValid() ? current.column() + 1 : 1;
}

int TForm1::currentRow() const
{
    const QModelIndex current = StringGrid1->currentIndex();
    return current.isValid() ? current.row() + 1 : 1;
}

void TForm1::StringGrid1Click()
{
    try {
        setStatusText(0, std::to_string(currentRow()) + " : " + std::to_string(currentColumn()));
    } catch (...) {
        ShowMessageBox("Problem:", "Report problem in this beta test code: String Grid Click");
    }
}

void TForm1::StringGrid1KeyDown(int key)
{
    try {
        if (key == Qt::Key_F12)
            ShowCellComment();
        else if (key == Qt::Key_F11)
            EditCellComment();
        if (isQuietKey(key))
            return;
        if ((key == Qt::Key_Tab || key == Qt::Key_Backtab) && !document_.unsavedChanges())
            return;
        MarkDataChanged();
        Shape1->repaint();
    } catch (...) {
    }
}

void TForm1::StringGrid1GetEditText(int column, int row, const std::string &text)
{
    try {
        const TagRecord *record = document_.cellInfo(column, row);
        if (record && text != record->value)
            MarkDataChanged();
    } catch (...) {
        ShowMessageBox("Problem:", "Report problem in beta test code: String Grid Get-Edit-Text");
    }
}

std::string TForm1::StringGrid1SetEditText(int, int, const std::string &text)
{
    if (static_cast<int>(text.size()) <= LogDocument::kEditLimit)
        return text;
    ShowMessageBox("Warning", "Length of text will be truncated.  Text was longer than maximum "
                              "permissable length.");
    return text.substr(0, LogDocument::kEditLimit);
}

void TForm1::Font1Click()
{
    try {
        const std::optional<QFont> chosen = platform_.chooseFont(this, StringGrid1->font(), 7, 11);
        if (!chosen)
            return;
        StringGrid1->setFont(*chosen);
        RichEdit1->setFont(*chosen);
        RichEdit2->setFont(*chosen);
        const int height = std::abs(QFontInfo(*chosen).pixelSize());
        if (height > 0 && document_.rowCount() > 0 && document_.columnCount() > 0) {
            StringGrid1->verticalHeader()->setMinimumSectionSize(1);
            StringGrid1->verticalHeader()->setDefaultSectionSize(height + 4);
            StringGrid1->horizontalHeader()->setFixedHeight(height + 4);
        }
        FormResize();
    } catch (...) {
        ShowMessageBox("Problem:", "Problem occurred while setting the chosen font to be current "
                                   "Grid font.");
    }
}

int TForm1::gridRowHeight() const { return StringGrid1->verticalHeader()->defaultSectionSize(); }

void TForm1::SelectCell(int column, int row)
{
    try {
        if (row < 1 || row >= document_.rowCount() || column < 0 || column >= document_.columnCount())
            return;
        if (column == 0) {
            StringGrid1->setCurrentIndex(gridModel_->index(row - 1, 0));
            StringGrid1->selectRow(row - 1);
            recordColumnCurrent_ = true;
        } else {
            // The view may already stand on this index (the record-number
            // cell of the same row maps to it), so no change signal comes.
            recordColumnCurrent_ = false;
            const QModelIndex cell = gridModel_->index(row - 1, column - 1);
            StringGrid1->setCurrentIndex(cell);
            StringGrid1->selectionModel()->select(cell, QItemSelectionModel::ClearAndSelect);
        }
        StringGrid1->scrollTo(gridModel_->index(row - 1, std::max(0, column - 1)));
        StringGrid1Click();
    } catch (...) {
    }
}

bool TForm1::eventFilter(QObject *watched, QEvent *event)
{
    if (!StringGrid1 || !RichEdit2)
        return QMainWindow::eventFilter(watched, event);  // still being built
    if (watched == StringGrid1->viewport() && event->type() == QEvent::MouseButtonPress)
        recordColumnCurrent_ = false;  // a click always lands on a data cell
    if (watched == StringGrid1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        StringGrid1KeyDown(key);
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
        painter.setFont(StringGrid1->horizontalHeader()->font());
        painter.drawText(area.adjusted(3, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter,
                         toQt(document_.text(0, 0)));
        return true;
    } else if (RichEdit2 && watched == RichEdit2->viewport()
               && event->type() == QEvent::MouseButtonPress) {
        RichEdit2MouseDown();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace vaziduvu
