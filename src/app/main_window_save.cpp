// Saving: every save writes a new export file through saveToNewFile.
#include "app/failure_text.h"
#include "app/grid_delegate.h"
#include "app/main_window.h"
#include "app/progress_panel.h"
#include "app/qt_text.h"
#include "app/window_export_host.h"
#include "document/grid_change.h"
#include "export/export_host.h"
#include "export/file_system.h"
#include "export/save_flow.h"
#include "platform/platform.h"

#include <QAction>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QStatusBar>
#include <QTableView>
#include <QUndoStack>

namespace vaziduvu {

void MainWindow::saveAs()
{
    guarded(kUnexpectedSaveFailureMessage, [this] { saveToNewFile(); });
}

bool MainWindow::saveToNewFile()
{
    // Text still in the cell editor belongs to the data being saved.
    gridDelegate_->commitOpenEditor();
    if (!document_.documentOpen()) {
        showMessage("Problem:", kNoDocumentToSaveMessage);
        return false;
    }
    try {
        FileDialogOptions options;
        options.defaultExtension = "adi";
        options.filter = "'.ADI' files (*.adi)|*.ADI|HTML files (*.html)|*.HTML|"
                         "BADI files (*.badi)|*.BADI|XML files (*.xml)|*.XML";
        const std::string directory = dialogFolder();
        if (directory.empty())
            return false;
        std::string target;
        for (;;) {
            options.initialDirectory = directory;
            const std::optional<std::string> chosen = platform_.chooseSaveFile(this, options);
            if (!chosen)
                return false;
            if (chosen->empty())
                continue;
            if (platform_.fileExists(*chosen)) {
                showMessage("Problem:", kExistingFileNameMessage);
                continue;
            }
            target = *chosen;
            break;
        }

        const auto [header, text] = saveNotice(document_.anyLengthDiscrepancy());
        showMessage(header, text);

        // The export's progress replaces the third panel for its time only.
        const std::string notice = statusText(StatusNotice);
        beginBusy();
        showBusyBanner("Writing data to new file ... ");
        exportInProgress_ = true;
        ExportResult result;
        // The checks tidy the values they pass (trimming, upper case) and
        // give blank cells their records: one step of the history, kept by
        // the document's journal (only the cells they change are copied).
        document_.openJournal();
        // The history stands still while the export lets events run.
        undoAction_->setEnabled(false);
        redoAction_->setEnabled(false);
        struct HistoryBack {
            QUndoStack *history;
            QAction *undo;
            QAction *redo;
            ~HistoryBack()
            {
                undo->setEnabled(history->canUndo());
                redo->setEnabled(history->canRedo());
            }
        } historyBack{history_, undoAction_, redoAction_};
        try {
            const ExportPlan plan = planExport(target);
            WindowProgress progress(*progressPanel_, platform_,
                                    QStringLiteral("Saving to ")
                                        + QFile::decodeName(QByteArray::fromStdString(target)),
                                    true, plan.passes());
            WindowExportHost host(*this, progress);
            result = runExportPlan(document_, plan, host);
            recordTidying();
        } catch (...) {  // the writers' boundary: the window is set back first
            recordTidying();
            exportInProgress_ = false;
            busyBanner_->hide();
            endBusy();
            refreshGrid();
            platform_.showFailure(this, "Problem:", kUnexpectedSaveFailureMessage, failureReason());
            return false;
        }
        exportInProgress_ = false;
        busyBanner_->hide();
        endBusy();
        refreshGrid();
        setStatusText(StatusNotice, notice);

        if (result) {
            lastFolder_ = folderOf(target);
            setSourceView("");
            setLoadReport("Statistics refreshed on reload");
            markHistorySaved();
            document_.setUnsavedChanges(false);
            setChangeLight(changeLightVisible(), kGreen);
            // A path is in the file system's encoding, not a log's text.
            setWindowTitle(QStringLiteral(" File: ")
                           + QFile::decodeName(QByteArray::fromStdString(target)));
            return true;
        }
        if (result.status == ExportStatus::Stopped) {
            showMessage("Information:", "Save As was stopped: no file was written.");
            return false;
        }
        showMessage("Problem:", fileNotSavedMessage(result));
        return false;
    } catch (...) {  // the boundary of the Save As command
        exportInProgress_ = false;
        busyBanner_->hide();
        while (busyDepth_ > 0)
            endBusy();
        platform_.showFailure(this, "Problem:", kUnexpectedSaveFailureMessage, failureReason());
        return false;
    }
}

void MainWindow::toggleOmitEmptyTags()
{
    guarded("Could not change the export option.", [this] {
        if (action(Command::OmitEmptyTags)->isChecked()) {
            action(Command::OmitEmptyTags)->setChecked(false);
            return;
        }
        if (platform_.confirm(
                this,
                "This will cause the exported file to have only the  data field tags that "
                "contain (non-space) data.  The resulting file might contain  some rows with "
                "a different number of field tags than other rows. \r\n\r\nThis is "
                "permitted  by the data definition, but may not be compatible with some "
                "logging programs.  Use it anyway?"))
            action(Command::OmitEmptyTags)->setChecked(true);
    });
}

}  // namespace vaziduvu
