#include "app/grid_view.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>

namespace vaziduvu {

GridView::GridView(QWidget *parent)
    : QTableView(parent)
{
    // A click selects; typing, a double click or F2 edit. (Editing on a
    // click on the current cell starts only after the double-click
    // interval, and keys typed meanwhile would be lost.)
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked
                    | QAbstractItemView::EditKeyPressed);
}

void GridView::keyboardSearch(const QString &)
{
}

bool GridView::editorOpen() const
{
    return state() == QAbstractItemView::EditingState;
}

void GridView::keyPressEvent(QKeyEvent *event)
{
    const QModelIndex current = currentIndex();
    if (!current.isValid() || editorOpen() || !model()) {
        QTableView::keyPressEvent(event);
        return;
    }
    if ((event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace)
        && event->modifiers() == Qt::NoModifier) {
        model()->setData(current, QString(), Qt::EditRole);
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        QString text = QApplication::clipboard()->text();
        // A cell holds one line: what a spreadsheet copy puts after the
        // first line or tab belongs to other cells.
        const qsizetype end = text.indexOf(QRegularExpression(QStringLiteral("[\\t\\r\\n]")));
        if (end >= 0)
            text.truncate(end);
        model()->setData(current, text, Qt::EditRole);
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_F2 && event->modifiers() == Qt::NoModifier) {
        edit(current);
        if (auto *editor = viewport()->findChild<QLineEdit *>()) {
            editor->deselect();
            editor->end(false);
        }
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

}  // namespace vaziduvu
