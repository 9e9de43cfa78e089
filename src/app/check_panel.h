#pragma once

#include <QDockWidget>

#include <string>
#include <vector>

class QAction;
class QLabel;
class QPushButton;
class QTableWidget;

namespace vaziduvu {

// The "Check Log" panel: every problem the export checks find, one line
// each (row, field, value, its quick fix if it has one, message).
// Double-clicking (or Enter on) a line asks for its cell. On a line with a
// fix, Fix (button, context menu, Ctrl+.) asks for that fix and Fix All Like
// This for every fix of its kind; the window makes them. Dockable at the
// bottom or the sides of the window.
class CheckPanel : public QDockWidget {
    Q_OBJECT
public:
    struct Problem {
        int column = 0;
        int row = 0;  // 0: the column as a whole
        QString field;
        QString value;
        QString message;
        QString fix;  // what the quick fix changes; empty: none
    };

    explicit CheckPanel(QWidget *parent = nullptr);

    void setProblems(const std::vector<Problem> &problems);
    // No log is open: nothing to check.
    void showNoLog();
    // Replaces the summary line (a stopped or outdated check).
    void setSummary(const QString &text);
    // A line under the summary (the hint of a modern log checked by the
    // Classic lists); empty hides it.
    void setHint(const QString &text);
    // What the last fix did; stays until the next fix.
    void setFixReport(const QString &text);
    QString hint() const;
    QString fixReport() const;
    // The line the fix commands act on; -1 when none is chosen.
    int currentLine() const;
    void setCurrentLine(int line);
    int problemCount() const;
    // The rows (ascending, each once) with a problem of their own.
    std::vector<int> problemRows() const;
    // The texts of line i: row, field, value, fix, message.
    QStringList lineTexts(int line) const;
    QString summary() const;
    // Chooses line i as a double-click does.
    void chooseLine(int line);

signals:
    void cellChosen(int column, int row);
    void fixRequested(int line);
    void fixAllRequested(int line);

private:
    void updateFixCommands();

    QLabel *summary_ = nullptr;
    QLabel *hint_ = nullptr;
    QLabel *fixReport_ = nullptr;
    QTableWidget *list_ = nullptr;
    QAction *fixAction_ = nullptr;
    QAction *fixAllAction_ = nullptr;
    QPushButton *fixButton_ = nullptr;
    QPushButton *fixAllButton_ = nullptr;
    std::vector<Problem> problems_;
};

}  // namespace vaziduvu
