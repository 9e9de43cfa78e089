#pragma once

#include "adif/adif_mode.h"

#include <QDialog>
#include <QString>

#include <string>

class QPlainTextEdit;
class QPushButton;

namespace vaziduvu {

// The enlarged, read-only view of the source text, opened by a click on the
// main window's source view, with line numbers. It opens at the line the
// source view has selected (an error's line), selected too. The caller
// creates it with the text, runs it modally and destroys it.
class SourceDisplayDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr int kFirstWidth = 568;
    static constexpr int kFirstHeight = 427;

    // The text as the log's bytes; line breaks may be "\r\n" (one break),
    // "\n" or "\r". selectedOffset: a byte offset in the text whose line is
    // selected, -1 for none. headingLines: lines before the file's text, which
    // get no number, so the numbers are the file's own. encoding: how the
    // bytes are shown (the document's).
    SourceDisplayDialog(const std::string &text, int selectedOffset, int headingLines = 0,
                        QWidget *parent = nullptr, TextEncoding encoding = TextEncoding::Latin1);

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void showText();
    void layoutChildren();

    QPlainTextEdit *textView_ = nullptr;
    QPushButton *okButton_ = nullptr;
    std::string text_;
    int selectedOffset_;
    TextEncoding encoding_;
    bool placed_ = false;
};

}  // namespace vaziduvu
