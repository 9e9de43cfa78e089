// The window's start-up checks and its closing: asking to save unsaved
// data first, and letting go of the log on the way out.
#include "app/main_window.h"

#include "app/failure_text.h"
#include "app/grid_delegate.h"
#include "app/progress_panel.h"
#include "app/search_dialog.h"
#include "app/statistics_window.h"
#include "platform/platform.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>

namespace vaziduvu {

void MainWindow::checkEnvironment()
{
    try {
        startupImage_->resize(client_->width() - 1, client_->height() - 1);
        const int major = platform_.osMajorVersion();
        const DriveType drive = platform_.driveTypeOf(platform_.currentDirectory());
        if (drive != DriveType::Removable && drive != DriveType::Fixed && drive != DriveType::Remote
            && drive != DriveType::ReadOnly) {
            showMessage("Problem:",
                        "You are attempting to run the program from a CDROM-DISK.  Please move "
                        "the program to a hard drive directory and re-run it. ");
            close();
        } else if (major >= 5) {
            if (!enoughMemory()) {
                showMessage("Problem:",
                            "Your machine does not have enough memory to run this "
                            "program efficiently . Program will end.");
                close();
            }
        } else {
            showMessage("Problem:",
                        "This program is for Windows 2000, Windows XP, or greater "
                        "Operating Systems only!");
            close();
        }
    } catch (...) {  // the boundary of the start-up checks
        platform_.showFailure(this, "Problem:", "Could not initialize program.", failureReason());
        close();
    }
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // An export refuses to close, as it always has (mayClose); any other
    // long operation is asked to stop.
    if (longOperationDepth_ > 0 && !exportInProgress_) {
        progressPanel_->requestStop();
        event->ignore();
        return;
    }
    if (!mayClose()) {
        event->ignore();
        return;
    }
    event->accept();
    storePreferences();
    releaseOnClose();
}

bool MainWindow::mayClose()
{
    if (exportInProgress_)
        return false;
    bool allowed = true;
    guarded("Could not save the data before closing.", [this, &allowed] {
        gridDelegate_->commitOpenEditor();
        if (changeLightYellow()
            && platform_.confirm(this,
                                 "Your data has not been saved by exporting it to a file. "
                                 "\r\n Do you wish to save your data now?"))
            allowed = saveToNewFile();
    });
    return allowed;
}

void MainWindow::releaseOnClose()
{
    guarded("Could not close the program properly.", [this] {
        endJournal();  // a clean exit leaves nothing to recover
        document_.setDocumentOpen(false);
        clearGrid();
        adifFile_.reset();
        if (searchDialog_)
            searchDialog_->hide();
        if (statisticsWindow_)
            statisticsWindow_->hide();
    });
    QCoreApplication::quit();
}

}  // namespace vaziduvu
