#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;
class QScrollArea;

namespace vaziduvu {

// The program's message box: caption "Morv Edit!", a bold header line
// ("Problem:", "Information:", "Warning") above the word-wrapped message on
// a light panel, and one default OK button that closes it. The box keeps
// its designed size (client area 313 x 201) for ordinary messages and grows
// for a long one, so no text is ever cut off; a message taller than the
// screen scrolls. Both texts are shown as plain text: messages quote ADIF
// tags such as "<EOR>", which must not be taken for markup.
//
// Create one for each message and destroy it afterwards (the platform's
// showMessageBox does exactly that).
class MessageBoxDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr int kClientWidth = 313;
    static constexpr int kClientHeight = 201;
    static constexpr int kMessageWidth = 281;
    static constexpr int kMessageHeight = 89;

    explicit MessageBoxDialog(QWidget *parent = nullptr);

    void setHeader(const QString &header);
    // Line breaks may be "\r\n", "\n" or "\r".
    void setMessage(const QString &text);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void fitToText();
    void centreOnScreen();

    QFrame *panel_;
    QLabel *headerLabel_;
    QScrollArea *messageArea_;
    QLabel *messageLabel_;
    QPushButton *okButton_;
};

}  // namespace vaziduvu
