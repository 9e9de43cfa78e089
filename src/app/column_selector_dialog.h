#pragma once

#include <QDialog>

#include <string>
#include <vector>

class QLabel;
class QListWidget;
class QPushButton;

namespace vaziduvu {

class Platform;

// "Select Column to Clear": a list of texts to pick one from. The caller
// creates it, hands it the texts (fillColumnList), runs it modally and
// reads chosenIndex(): the index from 0 of the entry chosen with OK, or -1
// for OK without a selection, Cancel or closing.
class ColumnSelectorDialog : public QDialog {
    Q_OBJECT
public:
    explicit ColumnSelectorDialog(Platform &platform, QWidget *parent = nullptr);

    // Appends the texts to the list in order; the caller keeps its list.
    void fillColumnList(const std::vector<std::string> &texts);

    int chosenIndex() const { return chosenIndex_; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void takeSelection();

    Platform &platform_;
    QLabel *promptLabel_ = nullptr;
    QListWidget *columnList_ = nullptr;
    QLabel *noteLabel_ = nullptr;
    QPushButton *okButton_ = nullptr;
    QPushButton *cancelButton_ = nullptr;
    int chosenIndex_ = -1;
};

}  // namespace vaziduvu
