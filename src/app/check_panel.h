#pragma once

#include <QDockWidget>

#include <string>
#include <vector>

class QLabel;
class QTableWidget;

namespace vaziduvu {

// The "Check Log" panel: every problem the export checks find, one line
// each (row, field, value, message). Double-clicking (or Enter on) a line
// asks for its cell. Dockable at the bottom or the sides of the window.
class CheckPanel : public QDockWidget {
    Q_OBJECT
public:
    struct Problem {
        int column = 0;
        int row = 0;  // 0: the column as a whole
        QString field;
        QString value;
        QString message;
    };

    explicit CheckPanel(QWidget *parent = nullptr);

    void setProblems(const std::vector<Problem> &problems);
    // No log is open: nothing to check.
    void showNoLog();
    // Replaces the summary line (a stopped or outdated check).
    void setSummary(const QString &text);
    int problemCount() const;
    // The rows (ascending, each once) with a problem of their own.
    std::vector<int> problemRows() const;
    // The texts of line i: row, field, value, message.
    QStringList lineTexts(int line) const;
    QString summary() const;
    // Chooses line i as a double-click does.
    void chooseLine(int line);

signals:
    void cellChosen(int column, int row);

private:
    QLabel *summary_ = nullptr;
    QTableWidget *list_ = nullptr;
    std::vector<Problem> problems_;
};

}  // namespace vaziduvu
