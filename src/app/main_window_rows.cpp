// Row operations (blank row, row same as previous) and the new project.
#include "adif/adif_file.h"
#include "app/grid_delegate.h"
#include "app/main_window.h"
#include "app/shape_widget.h"
#include "platform/platform.h"

#include <QAction>
#include <QLabel>

namespace vaziduvu {

namespace {

const char *const kOpenFirst = "You must open a file first!";
const char *const kRowLimit = "Maximum allowable row already exist!";

}  // namespace

bool MainWindow::rowMayBeAdded()
{
    if (!document_.documentOpen()) {
        showMessage("Problem:", kOpenFirst);
        return false;
    }
    // A row copied from the one above takes what is typed in its editor.
    gridDelegate_->commitOpenEditor();
    if (document_.rowLimitReached()) {
        showMessage("Problem:", kRowLimit);
        return false;
    }
    return true;
}

void MainWindow::addBlankRow()
{
    guarded("Problem adding row to file ..", [this] {
        if (!rowMayBeAdded())
            return;
        const int column = currentColumn();
        int row = -1;
        recordChange("Add Blank Row",
                     {0, document_.columnCount(), document_.rowCount(), document_.rowCount()},
                     [&] { row = document_.appendBlankRow(); });
        if (row < 0)
            return;
        refreshGrid();
        selectCell(column, row);
        markDataChanged();
    });
}

void MainWindow::addCopiedRow()
{
    guarded("Could not add [same] Row ... ", [this] {
        if (!rowMayBeAdded())
            return;
        const int column = currentColumn();
        LogDocument::AddedRow added;
        recordChange("Add Row Same As Previous",
                     {0, document_.columnCount(), document_.rowCount(), document_.rowCount()},
                     [&] { added = document_.appendRowSameAsPrevious(); });
        const auto [row, noRowAbove] = added;
        if (row < 0)
            return;
        refreshGrid();
        if (noRowAbove) {
            for (int c = 1; c < document_.columnCount(); ++c)
                showMessage("Problem:", "There is no row to mimic!");
        } else if (document_.columnCount() > 1) {
            markDataChanged();
        }
        selectCell(column, row);
    });
}

void MainWindow::newProject()
{
    guarded("Could not create new file", [this] {
        gridDelegate_->commitOpenEditor();
        if (changeLightYellow()) {
            if (platform_.confirm(this,
                                  "Your current data has not been saved by exporting it to "
                                  "a file. \r\n Do you wish to save your data now?")) {
                if (!saveToNewFile())
                    return;
            }
            setChangeLight(true, kGreen);
            startNewProject();
            return;
        }
        if (!document_.documentOpen())
            setChangeLight(true);
        changeLight_->setBrushColor(kGreen);
        startupImage_->hide();
        startupTitle_->hide();
        startNewProject();
        document_.setUnsavedChanges(false);
    });
}

void MainWindow::startNewProject()
{
    guarded("Could not create new project", [this] {
        adifFile_.reset();
        resetDocument();
        adifFile_ = std::make_unique<AdifFile>();
        showEmptyGrid();
        // Trailers, counts (6 fields, 2 rows), the 6 x 2 grid, the default
        // record and the document-open flag.
        document_.newProject();
        clearHistory(false);  // a new project has never been saved
        exportInProgress_ = false;
        refreshGrid();

        busyBanner_->hide();
        setDocumentCommandsEnabled(true);
        setChangeLight(true, kYellow);
        setLoadReport("New Project Started ...");
        // Nothing of an earlier log stays in the status bar.
        setStatusText(StatusFileSize, "");
        setStatusText(StatusNotice, "");
        setSourceView("");
        setWindowTitle("[NEW PROJECT]");
        startupImage_->hide();
        startupTitle_->hide();
        selectCell(1, 1);
    });
}

}  // namespace vaziduvu
