#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace vaziduvu {

// The bar above the grid that narrows the view: a text to find in every
// column or one chosen column, and two ready filters (contacts the checks
// find problems in, contacts logged twice). It only says what the user
// chose; the window decides which rows that shows.
class FilterBar : public QWidget {
    Q_OBJECT
public:
    explicit FilterBar(QWidget *parent = nullptr);

    QString text() const;
    // The grid column to look in (1..last), or 0 for every column.
    int column() const;
    bool problemsOnly() const;
    bool duplicatesOnly() const;
    bool active() const;

    // The column headings offered, in grid order; keeps the choice when it
    // is still there.
    void setColumns(const QStringList &headings);
    // "Showing 12 of 4,000 contacts".
    void setCount(int shown, int total);
    // Clears every choice (and says so once).
    void clear();
    // Puts the caret in the text.
    void focusText();

signals:
    void changed();
    void closeRequested();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QLineEdit *text_ = nullptr;
    QComboBox *column_ = nullptr;
    QCheckBox *problems_ = nullptr;
    QCheckBox *duplicates_ = nullptr;
    QLabel *count_ = nullptr;
};

}  // namespace vaziduvu
