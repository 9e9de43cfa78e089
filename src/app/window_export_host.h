#pragma once

#include "app/main_window.h"
#include "app/progress_panel.h"
#include "export/export_host.h"
#include "platform/platform.h"

#include <QAction>
#include <QElapsedTimer>
#include <QStatusBar>
#include <QTableView>

namespace vaziduvu {

// The writers' view of the main window: messages go to the message box, the
// failing cell is selected, and the status bar shows the progress.
class WindowExportHost : public ExportHost {
public:
    WindowExportHost(MainWindow &window, WindowProgress &progress)
        : window_(window)
        , progress_(progress)
    {
    }

    void showMessage(const std::string &header, const std::string &text) override
    {
        window_.refreshGrid();
        window_.showMessage(header, text);
    }
    void showPlainMessage(const std::string &text) override
    {
        window_.platform().showPlainMessage(&window_, text);
    }
    void selectCell(int column, int row) override { window_.selectCell(column, row); }
    // Painting costs far more than a row: the row counter is brought up to
    // date at most every 50 ms and at the end of each pass, and each time
    // the window paints and answers (a close request is refused meanwhile).
    void showProgress(const std::string &text, bool last) override
    {
        if (!last && sinceUpdate_.isValid() && sinceUpdate_.elapsed() < kProgressInterval)
            return;
        sinceUpdate_.start();
        window_.setStatusText(MainWindow::StatusNotice, text);
        window_.statusBar_->repaint();
        window_.platform().processEvents();
        if (last) {
            window_.gridView_->setFocus();
            progress_.nextPart();
        }
    }
    bool continueAfterRow(int row, int rows) override { return progress_.advance(row, rows); }
    bool omitEmptyFieldTags() const override
    {
        return window_.action(MainWindow::Command::OmitEmptyTags)->isChecked();
    }
    std::string exportDate() override { return window_.platform().shortDateToday(); }
    int latestYear() override { return window_.platform().currentYear() + 1; }
    DriveType driveTypeOf(const std::string &path) override
    {
        return window_.platform().driveTypeOf(path);
    }

private:
    static constexpr qint64 kProgressInterval = 50;  // milliseconds
    MainWindow &window_;
    WindowProgress &progress_;
    QElapsedTimer sinceUpdate_;
};

}  // namespace vaziduvu
