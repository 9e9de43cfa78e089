#pragma once

#include <QTableView>

namespace vaziduvu {

// The log's grid view, keyed like a spreadsheet: typing on a cell starts
// editing it with the typed character, at any pace (the view has no
// keyboard search, which would move to another cell); Delete and Backspace
// clear the cell, Ctrl+V pastes into it, F2 edits it with the caret at the
// end. Every change goes through the model, so it is checked and counted as
// an edit like any other.
class GridView : public QTableView {
    Q_OBJECT
public:
    explicit GridView(QWidget *parent = nullptr);

    void keyboardSearch(const QString &search) override;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool editorOpen() const;
};

}  // namespace vaziduvu
