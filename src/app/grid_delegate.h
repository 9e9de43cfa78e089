#pragma once

#include <QColor>
#include <QStyledItemDelegate>

#include <functional>

namespace vaziduvu {

class LogDocument;

// Colours of the grid cells.
struct GridColors {
    static QColor cell();  // the grid's own cell colour
    static QColor discrepancy() { return QColor(128, 128, 128); }
    static QColor commentText() { return QColor(0, 0, 255); }
    static QColor discrepancyText() { return QColor(255, 255, 0); }
};

// Paints each data cell by its state (length discrepancy, comment, added
// row) and opens the in-place editor, telling the window when an editor
// shows a cell and handing it every key pressed in the editor.
class GridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit GridDelegate(const LogDocument &document, QObject *parent = nullptr);

    // Called when the in-place editor is about to show a cell (grid
    // coordinates) with the given text.
    std::function<void(int column, int row, const std::string &text)> onEditorShown;
    // The user changed the editor's text (typing, pasting, deleting).
    std::function<void(int column, int row, const QString &text)> onEditorTextEdited;
    // Keys pressed while the editor has the focus: return true to swallow.
    std::function<bool(int key)> onEditorKey;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void destroyEditor(QWidget *editor, const QModelIndex &index) const override;
    bool helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                   const QModelIndex &index) override;

    // Hands the text of an open cell editor to the model and closes it.
    void commitOpenEditor();

    // Background and text colour of a data cell (grid coordinates); false
    // when the grid paints the cell itself.
    bool cellColors(int column, int row, QColor &background, QColor &text) const;

protected:
    bool eventFilter(QObject *object, QEvent *event) override;

private:
    const LogDocument &document_;
    mutable QWidget *openEditor_ = nullptr;
};

}  // namespace vaziduvu
