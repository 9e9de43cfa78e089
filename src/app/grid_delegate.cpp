#include "app/grid_delegate.h"
#include "app/grid_model.h"

#include "app/qt_text.h"
#include "document/log_document.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPalette>
#include <QToolTip>

namespace vaziduvu {

QColor GridColors::cell()
{
    // The classic colour of inactive caption text: a quiet light grey.
    return QColor(212, 208, 200);
}

GridDelegate::GridDelegate(const LogDocument &document, QObject *parent)
    : QStyledItemDelegate(parent)
    , document_(document)
{
}

bool GridDelegate::cellColors(int column, int row, QColor &background, QColor &text) const
{
    if (row == 0 || column == 0)
        return false;
    if (row > document_.recordCount()) {
        background = QApplication::palette().color(QPalette::ToolTipBase);
        text = Qt::black;
        return true;
    }
    if (column > document_.fieldCount())
        return false;
    const CellRecord record = document_.cellInfo(column, row);
    if (!record)
        return false;
    const bool discrepancy = LogDocument::hasLengthDiscrepancy(*record);
    background = discrepancy ? GridColors::discrepancy() : GridColors::cell();
    if (LogDocument::hasComment(*record))
        text = GridColors::commentText();
    else if (discrepancy)
        text = GridColors::discrepancyText();
    else
        text = Qt::black;
    return true;
}

void GridDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                         const QModelIndex &index) const
{
    QColor background;
    QColor text;
    if (!cellColors(index.column() + 1, GridModel::documentRowOf(index), background, text)) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem styled = option;
    initStyleOption(&styled, index);
    const bool selected = option.state & QStyle::State_Selected;
    painter->save();
    painter->fillRect(option.rect,
                      selected ? option.palette.color(QPalette::Highlight) : background);
    painter->setPen(selected ? option.palette.color(QPalette::HighlightedText) : text);
    painter->setFont(option.font);
    const QRect textRect = option.rect.adjusted(2, 0, -2, 0);
    painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                      option.fontMetrics.elidedText(styled.text, Qt::ElideRight, textRect.width()));
    painter->restore();
}

QWidget *GridDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                    const QModelIndex &index) const
{
    QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (editor)
        editor->installEventFilter(const_cast<GridDelegate *>(this));
    if (auto *line = qobject_cast<QLineEdit *>(editor)) {
        // An editor that looks like one: a frame and its own background.
        line->setFrame(true);
        line->setStyleSheet(QStringLiteral(
            "QLineEdit { background: #fffff0; border: 2px solid #3070c0; padding: 0px 1px; }"));
        const QPersistentModelIndex cell(index);
        connect(line, &QLineEdit::textEdited, this, [this, cell](const QString &text) {
            if (onEditorTextEdited && cell.isValid())
                onEditorTextEdited(cell.column() + 1, GridModel::documentRowOf(cell), text);
        });
    }
    openEditor_ = editor;
    return editor;
}

void GridDelegate::destroyEditor(QWidget *editor, const QModelIndex &index) const
{
    if (editor == openEditor_)
        openEditor_ = nullptr;
    QStyledItemDelegate::destroyEditor(editor, index);
}

bool GridDelegate::helpEvent(QHelpEvent *event, QAbstractItemView *view,
                             const QStyleOptionViewItem &option, const QModelIndex &index)
{
    // A cell too narrow for its text shows the whole text as its tooltip.
    if (event && event->type() == QEvent::ToolTip && index.isValid()) {
        const QString text = index.data(Qt::DisplayRole).toString();
        if (option.fontMetrics.horizontalAdvance(text) > option.rect.width() - 4) {
            QToolTip::showText(event->globalPos(), text, view, option.rect);
            return true;
        }
        QToolTip::hideText();
        return true;
    }
    return QStyledItemDelegate::helpEvent(event, view, option, index);
}

void GridDelegate::commitOpenEditor()
{
    if (QWidget *editor = openEditor_) {
        emit commitData(editor);
        emit closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

void GridDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    QStyledItemDelegate::setEditorData(editor, index);
    if (onEditorShown) {
        const QString shown = index.data(Qt::EditRole).toString();
        onEditorShown(index.column() + 1, GridModel::documentRowOf(index),
                      fromQt(shown, document_.textEncoding()));
    }
}

bool GridDelegate::eventFilter(QObject *object, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && onEditorKey) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (onEditorKey(key->key()))
            return true;
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

}  // namespace vaziduvu
