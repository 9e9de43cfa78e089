#pragma once

#include <QDialog>
#include <QRect>

#include <functional>
#include <string>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vaziduvu {

// The modeless "Search" window. It knows nothing of the grid: each search
// goes to the one registered callback with the trimmed search text, the
// find-next flag (0 find first, 1 find next) and the match-case flag (1 to
// match case). Created once and kept; closing it runs one Find First with
// the text in the box and hides it.
class TOKRightDlg2 : public QDialog {
    Q_OBJECT
public:
    using Callback = std::function<void(const std::string &text, int findNext, int matchCase)>;

    // mainWindow: the main window's frame geometry when the search window is
    // created; every activation places the window by it.
    explicit TOKRightDlg2(const QRect &mainWindow, QWidget *parent = nullptr);

    QFrame *Shape1 = nullptr;
    QLabel *Label1 = nullptr;
    QLineEdit *Edit1 = nullptr;
    QPushButton *OKBtn = nullptr;    // "Find First"
    QPushButton *Button1 = nullptr;  // "Find &Next"
    QCheckBox *CheckBox1 = nullptr;  // "Match Case"

    void setSearchCallback(Callback callback) { callback_ = std::move(callback); }
    QRect recordedGeometry() const { return recorded_; }

    void OKBtnClick();
    void Button1Click();
    void Edit1KeyPress(int key);
    void FormActivate();
    void FormClose();
    void DoTheCallback(int findNext);

    // Escape closes the window the same way as its close button.
    void reject() override;

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QRect recorded_;
    Callback callback_;
};

}  // namespace vaziduvu
