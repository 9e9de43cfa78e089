#pragma once

#include "adif/adif_mode.h"

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
// goes to the one registered callback with the trimmed search text, whether
// it is a find next (false: find first) and whether letter case must match;
// each replacement goes to the replace callback.
// Created once and kept; closing it runs one Find First with the text in the
// box and hides it.
class SearchDialog : public QDialog {
    Q_OBJECT
public:
    // Returns whether the text was found.
    using Callback = std::function<bool(const std::string &text, bool findNext, bool matchCase)>;

    // mainWindow: the main window's frame geometry when the search window is
    // created; every activation places the window by it.
    explicit SearchDialog(const QRect &mainWindow, QWidget *parent = nullptr);

    void setSearchCallback(Callback callback) { callback_ = std::move(callback); }

    // Replace in the current column: the trimmed search text, the
    // replacement as typed, match case, whole value only, and all (Replace
    // All) or one (Replace). Returns the line to show in the window.
    struct ReplaceRequest {
        std::string find;
        QString replacement;
        bool matchCase = false;
        bool wholeValue = false;
        bool all = false;
    };
    using ReplaceCallback = std::function<QString(const ReplaceRequest &request)>;
    void setReplaceCallback(ReplaceCallback callback) { replaceCallback_ = std::move(callback); }
    // The encoding the callback's text is in: the open log's, so a UTF-8 log
    // is searched for the UTF-8 bytes of what was typed.
    void setTextEncoding(TextEncoding encoding) { encoding_ = encoding; }
    QRect recordedGeometry() const { return recorded_; }
    // Says in the window that the text was not found.
    void showNotFound(const std::string &text);

    // Escape closes the window the same way as its close button.
    void reject() override;

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void findFirst();
    void findNext();
    void placeBesideMainWindow();
    void runSearch(bool next);
    void runReplace(bool all);

    QFrame *searchPanel_ = nullptr;
    QLabel *searchLabel_ = nullptr;
    QLineEdit *searchText_ = nullptr;
    QPushButton *findFirstButton_ = nullptr;
    QPushButton *findNextButton_ = nullptr;
    QCheckBox *matchCaseBox_ = nullptr;
    QLabel *replaceLabel_ = nullptr;
    QLineEdit *replaceText_ = nullptr;
    QCheckBox *wholeValueBox_ = nullptr;
    QPushButton *replaceButton_ = nullptr;
    QPushButton *replaceAllButton_ = nullptr;
    QLabel *resultLabel_ = nullptr;  // "... was not found."
    QRect recorded_;
    Callback callback_;
    ReplaceCallback replaceCallback_;
    TextEncoding encoding_ = TextEncoding::Latin1;
};

}  // namespace vaziduvu
