#pragma once

#include <QWidget>

class QKeyEvent;
class QTextBrowser;

namespace vaziduvu {

// The program's help: an HTML page shown in a window of its own, beside the
// main window and not modal; Escape or its Close button closes it. The window does not keep the
// program running once the main window has closed.
class HelpWindow : public QWidget {
    Q_OBJECT

public:
    explicit HelpWindow(QWidget *parent = nullptr);

    // Shows the page and scrolls to the anchor (empty: the top). False when
    // the file does not exist or cannot be read; the window is left as it
    // was then.
    bool showPage(const QString &filePath, const QString &anchor);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QTextBrowser *browser_;
};

}  // namespace vaziduvu
