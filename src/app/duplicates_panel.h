#pragma once

#include <QDockWidget>

#include <utility>
#include <vector>

class QLabel;
class QPushButton;
class QSpinBox;
class QTreeWidget;

namespace vaziduvu {

// The "Find Duplicates" panel: the groups of contacts logged more than
// once, each with its contacts, the window in minutes that links them, and
// the buttons that act on them. It only shows and asks; the window finds
// the groups and changes the log.
class DuplicatesPanel : public QDockWidget {
    Q_OBJECT
public:
    struct Group {
        QString title;                              // "W1AW 20M CW: 3 contacts"
        std::vector<std::pair<int, QString>> rows;  // grid row and its line
    };

    // Minutes between contacts that still make them one, at a first start.
    static constexpr int kDefaultWindow = 5;

    explicit DuplicatesPanel(QWidget *parent = nullptr);

    void setGroups(const std::vector<Group> &groups, int contacts);
    // No log is open.
    void showNoLog();
    int window() const;
    // Out of range values are brought to the nearest allowed.
    void setWindow(int minutes);
    int groupCount() const;
    QString summary() const;
    // The group of the current line (a group or one of its contacts); -1 none.
    int currentGroup() const;
    void setCurrentGroup(int group);

signals:
    void refreshRequested();
    void windowChanged(int minutes);
    void deleteRequested();
    void mergeRequested(int group);
    void rowChosen(int row);

private:
    QSpinBox *window_ = nullptr;
    QLabel *summary_ = nullptr;
    QTreeWidget *list_ = nullptr;
    QPushButton *delete_ = nullptr;
    QPushButton *merge_ = nullptr;
};

}  // namespace vaziduvu
