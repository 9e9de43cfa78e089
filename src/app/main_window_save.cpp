// Saving: every save writes a new export file through SaveToNewFile.
#include "app/grid_delegate.h"
#include "app/main_window.h"
#include "app/qt_text.h"
#include "export/export_host.h"
#include "export/save_flow.h"
#include "platform/platform.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QStatusBar>
#include <QTableView>

namespace vaziduvu {

namespace {

// The writers' view of the main window: messages go to the message box, the
// failing cell is selected, and the status bar shows the progress.
class WindowExportHost : public ExportHost {
public:
    explicit WindowExportHost(TForm1 &form) : form_(form) {}

    void showMessage(const std::string &header, const std::string &text) override
    {
        form_.refreshGrid();
        form_.ShowMessageBox(header, text);
    }
    void showPlainMessage(const std::string &text) override
    {
        form_.platform().showPlainMessage(&form_, text);
    }
    void selectCell(int column, int row) override { form_.SelectCell(column, row); }
    void showProgress(const std::string &text, bool last) override
    {
        form_.setStatusText(2, text);
        for (int i = 0; i < 2; ++i) {
            form_.StatusBar2->repaint();
            form_.platform().processEvents();
        }
        if (last)
            form_.StringGrid1->setFocus();
    }
    bool omitEmptyFieldTags() const override { return form_.Omitemptyfieldtags1->isChecked(); }
    std::string exportDate() override { return form_.platform().shortDateToday(); }
    int latestYear() override { return form_.platform().currentYear() + 1; }
    DriveType driveTypeOf(const std::string &path) override
    {
        return form_.platform().driveTypeOf(path);
    }

private:
    TForm1 &form_;
};

}  // namespace

void TForm1::Save1Click() { ToolButton2Click(); }

void TForm1::ToolButton2Click()
{
    try {
        SaveToNewFile();
    } catch (...) {
    }
}

bool TForm1::SaveToNewFile()
{
    // Text still in the cell editor belongs to the data being saved.
    gridDelegate_->commitOpenEditor();
    if (!document_.documentOpen()) {
        ShowMessageBox("Problem:", kNoDocumentToSaveMessage);
        return false;
    }
    try {
        FileDialogOptions options;
        options.defaultExtension = "adi";
        options.filter = "'.ADI' files (*.adi)|*.ADI|HTML files (*.html)|*.HTML|"
                         "BADI files (*.badi)|*.BADI|XML files (*.xml)|*.XML";
        const std::string directory = platform_.currentDirectory();
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
                ShowMessageBox("Problem:", kExistingFileNameMessage);
                continue;
            }
            target = *chosen;
            break;
        }

        const auto [header, text] = SaveNotice(HasLengthDiscrepancy());
        ShowMessageBox(header, text);

        uint8_t exportStatus = ExportOk;
        BeginBusyCursor();
        ShowBusyCaption("Writing data to new file ... ");
        exportInProgress_ = true;
        bool written = false;
        try {
            WindowExportHost host(*this);
            written = RunExportWriters(document_, target, exportStatus, host);
        } catch (...) {
            exportInProgress_ = false;
            Panel1->hide();
            EndBusyCursor();
            refreshGrid();
            ShowMessageBox("Problem:", kUnexpectedSaveFailureMessage);
            return false;
        }
        exportInProgress_ = false;
        Panel1->hide();
        EndBusyCursor();
        refreshGrid();

        if (exportStatus == ExportOk && written) {
            setSourceView("");
            setLoadReport("Statistics refreshed on reload");
            document_.setUnsavedChanges(false);
            SetChangeLight(changeLightVisible(), kGreen);
            // A path is in the file system's encoding, not a log's text.
            setWindowTitle(QStringLiteral(" File: ")
                           + QFile::decodeName(QByteArray::fromStdString(target)));
            return true;
        }
        ShowMessageBox("Problem:", kFileNotSavedMessage);
        return false;
    } catch (...) {
        exportInProgress_ = false;
        Panel1->hide();
        while (busyDepth_ > 0)
            EndBusyCursor();
        ShowMessageBox("Problem:", kUnexpectedSaveFailureMessage);
        return false;
    }
}

void TForm1::Omitemptyfieldtags1Click()
{
    try {
        if (Omitemptyfieldtags1->isChecked()) {
            Omitemptyfieldtags1->setChecked(false);
            return;
        }
        if (platform_.confirm(
                this, "This will cause the exported file to have only the  data field tags that "
                      "contain (non-space) data.  The resulting file might contain  some rows with "
                      "a different number of field tags than other rows. \r\n\r\nThis is "
                      "permitted  by the data definition, but may not be compatible with some "
                      "logging programs.  Use it anyway?"))
            Omitemptyfieldtags1->setChecked(true);
    } catch (...) {
    }
}

}  // namespace vaziduvu
