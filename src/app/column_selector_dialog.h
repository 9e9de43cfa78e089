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
// creates it, hands it the texts (FillColumnList), runs it modally and
// reads chosenIndex(): the index from 0 of the entry chosen with OK, or -1
// for OK without a selection, Cancel or closing.
class TOKRightDlg1 : public QDialog {
    Q_OBJECT
public:
    explicit TOKRightDlg1(Platform &platform, QWidget *parent = nullptr);

    QLabel *Label1 = nullptr;
    QListWidget *ListBox1 = nullptr;
    QLabel *Label2 = nullptr;
    QPushButton *OKBtn = nullptr;
    QPushButton *CancelBtn = nullptr;

    // Appends the texts to the list in order; the caller keeps its list.
    void FillColumnList(const std::vector<std::string> &texts);
    void OKBtnClick();

    int chosenIndex() const { return chosenIndex_; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    Platform &platform_;
    int chosenIndex_ = -1;
};

}  // namespace vaziduvu
