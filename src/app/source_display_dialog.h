#pragma once

#include <QDialog>
#include <QString>

class QPlainTextEdit;
class QPushButton;

namespace vaziduvu {

// The enlarged, read-only view of the source text, opened by a click on the
// main window's source view. The caller creates it with the text, runs it
// modally and destroys it.
class SourceDisplayDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr int kFirstWidth = 568;
    static constexpr int kFirstHeight = 427;

    // Line breaks in the text may be "\r\n" (one break), "\n" or "\r".
    SourceDisplayDialog(const QString &text, QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void showText();
    void layoutChildren();

    QPlainTextEdit *textView_ = nullptr;
    QPushButton *okButton_ = nullptr;
    QString text_;
    bool placed_ = false;
};

}  // namespace vaziduvu
