// Other forms of a log: Import (Cabrillo with its preview, ADX, CSV) and
// File > Export (ADX, CSV, Cabrillo).
#include "adif/adif_file.h"
#include "app/cabrillo_export_dialog.h"
#include "app/cabrillo_preview_dialog.h"
#include "app/grid_delegate.h"
#include "app/main_window.h"
#include "app/progress_panel.h"
#include "app/window_export_host.h"
#include "document/open_log.h"
#include "export/file_system.h"
#include "export/save_flow.h"
#include "formats/log_format.h"
#include "platform/platform.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QUndoStack>

#include <fstream>
#include <iterator>

namespace vaziduvu {

namespace {

bool readWholeFile(const std::string &path, std::string &bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

// The byte offset where a line (1-based) starts.
int32_t offsetOfLine(const std::string &text, int line)
{
    size_t at = 0;
    for (int current = 1; current < line && at != std::string::npos; ++current) {
        at = text.find('\n', at);
        if (at != std::string::npos)
            ++at;
    }
    return at == std::string::npos ? 0 : static_cast<int32_t>(at);
}

std::string importReport(const ContactLog &contacts, LogFormat format, const std::string &path)
{
    std::string report
        = std::string("Imported from ") + logFormatName(format) + ":\r\n  " + path + "\r\n";
    if (format == LogFormat::Cabrillo) {
        report += "Contest:               "
            + (contacts.contest.empty() ? std::string("(not named)") : contacts.contest) + "\r\n";
        report += "Template:              " + contacts.templateName + "\r\n";
    }
    int crossedOut = 0;
    for (const Contact &contact : contacts.contacts) {
        if (contact.value(kCabrilloXQsoField) == "Y")
            ++crossedOut;
    }
    report += "Contacts read:         " + std::to_string(contacts.contacts.size());
    if (crossedOut > 0)
        report += " (" + std::to_string(crossedOut) + " X-QSO)";
    report += "\r\nLines not read:        " + std::to_string(contacts.problems.size()) + "\r\n";
    for (const LineMessage &problem : contacts.problems)
        report += "  line " + std::to_string(problem.line) + ": " + problem.text + "\r\n";
    if (!contacts.notes.empty())
        report += "Notes:\r\n";
    for (const LineMessage &note : contacts.notes)
        report += "  line " + std::to_string(note.line) + ": " + note.text + "\r\n";
    return report;
}

const char *saveFilterOf(LogFormat format)
{
    switch (format) {
    case LogFormat::Adx:
        return "ADX files (*.adx)|*.ADX";
    case LogFormat::Csv:
        return "CSV files (*.csv)|*.CSV";
    case LogFormat::Cabrillo:
        return "Cabrillo logs (*.log)|*.LOG|Cabrillo logs (*.cbr)|*.CBR";
    case LogFormat::Adif:
        break;
    }
    return "'.ADI' files (*.adi)|*.ADI";
}

}  // namespace

void MainWindow::importCabrillo()
{
    openLogFrom(std::nullopt, LogFormat::Cabrillo);
}

void MainWindow::importAdx()
{
    openLogFrom(std::nullopt, LogFormat::Adx);
}

void MainWindow::importCsv()
{
    openLogFrom(std::nullopt, LogFormat::Csv);
}

void MainWindow::exportAdx()
{
    exportLog(LogFormat::Adx);
}

void MainWindow::exportCsv()
{
    exportLog(LogFormat::Csv);
}

void MainWindow::exportCabrillo()
{
    exportLog(LogFormat::Cabrillo);
}

std::optional<std::string> MainWindow::previewCabrillo(const std::string &path)
{
    std::string bytes;
    if (!readWholeFile(path, bytes)) {
        showMessage("Problem:", "The file " + path + " could not be read.");
        return std::nullopt;
    }
    CabrilloPreviewDialog preview(summarizeCabrillo(bytes, CabrilloPreviewDialog::kPreviewLines),
                                  path, adifMode_, this);
    if (platform_.runModal(preview) != QDialog::Accepted)
        return std::nullopt;
    return preview.templateName();
}

void MainWindow::importFile(const std::string &path, LogFormat format,
                            const std::string &templateName)
{
    std::string bytes;
    if (!readWholeFile(path, bytes)) {
        showMessage("Problem:", "The file " + path + " could not be read.");
        return;
    }
    ReadOptions options;
    options.mode = adifMode_;
    options.templateName = templateName;
    const ContactLog contacts = readContacts(bytes, format, options);

    adifFile_.reset();
    resetDocument();
    adifFile_ = std::make_unique<AdifFile>();
    OpenStatus status = OpenStatus::FormatError;
    if (!contacts.contacts.empty()) {
        const LongOperation busy(*this);
        WindowProgress progress(*progressPanel_, platform_,
                                QStringLiteral("Importing ")
                                    + QFile::decodeName(QByteArray::fromStdString(path)),
                                true, 2);
        OpenSteps steps;
        steps.reading = &progress;
        steps.filling = &progress;
        steps.betweenSteps = [&progress] { progress.nextPart(); };
        status = openLogFromBytesInto(
            adifTextOf(contacts, std::string(logFormatName(format)) + " " + path), adifMode_,
            *adifFile_, document_, steps);
    }
    useDocumentEncoding();
    setLoadReport(importReport(contacts, format, path));
    if (status == OpenStatus::Cancelled) {
        adifFile_.reset();
        resetDocument();
        setLoadReport("Importing was cancelled: nothing was loaded.");
        setSourceView("");
        refreshGrid();
        return;
    }
    if (status == OpenStatus::Loaded) {
        setChangeLight(true);
        refreshGrid();
        setDocumentCommandsEnabled(true);
        fitColumnWidths();
        selectCell(1, 1);
        setStatusText(StatusCellPosition, "1 : 1");
        startupImage_->hide();
        startupTitle_->hide();
    } else if (status == OpenStatus::TooBig) {
        appendLoadReport(kTooBigReport);
    } else if (contacts.contacts.empty()) {
        appendLoadReport("\r\nNothing was imported.\r\n");
    } else {
        appendLoadReport(
            outcomeReportText(adifFile_->result().status, adifFile_->result().position));
    }
    // The source view shows the file as it is, at the first line not read.
    const int32_t shownPosition
        = contacts.problems.empty() ? 0 : offsetOfLine(bytes, contacts.problems.front().line);
    showSourceText(bytes, shownPosition);
    refreshGrid();
    setChangeLight(status == OpenStatus::Loaded, kGreen);
    selectSourceLine(shownPosition);
    document_.setUnsavedChanges(false);
}

bool MainWindow::askCabrilloDetails(CabrilloWriteOptions &options)
{
    const CabrilloNeeds needs = cabrilloNeeds(document_);
    if (!needs.contest && !needs.stationCall)
        return true;
    CabrilloExportDialog dialog(needs.contest, needs.stationCall, this);
    if (platform_.runModal(dialog) != QDialog::Accepted)
        return false;
    options.templateName = dialog.templateName();
    if (options.templateName != genericCabrilloTemplate().name) {
        // The contest a template serves first names the log's contest.
        const std::vector<std::string> contests
            = fieldList(findCabrilloTemplate(options.templateName)->contests);
        options.contest = contests.empty() ? options.templateName : contests.front();
    }
    options.stationCall = dialog.stationCall();
    return true;
}

void MainWindow::exportLog(LogFormat format)
{
    guarded(kUnexpectedSaveFailureMessage, [this, format] {
        gridDelegate_->commitOpenEditor();
        if (!document_.documentOpen()) {
            showMessage("Problem:", kNoDocumentToSaveMessage);
            return;
        }
        CabrilloWriteOptions cabrillo;
        if (format == LogFormat::Cabrillo && !askCabrilloDetails(cabrillo))
            return;
        FileDialogOptions options;
        options.defaultExtension = defaultExtensionOf(format);
        options.filter = saveFilterOf(format);
        const std::string directory = dialogFolder();
        if (directory.empty())
            return;
        std::string target;
        for (;;) {
            options.initialDirectory = directory;
            const std::optional<std::string> chosen = platform_.chooseSaveFile(this, options);
            if (!chosen)
                return;
            if (chosen->empty())
                continue;
            if (platform_.fileExists(*chosen)) {
                showMessage("Problem:", kExistingFileNameMessage);
                continue;
            }
            target = *chosen;
            break;
        }

        const std::string notice = statusText(StatusNotice);
        beginBusy();
        showBusyBanner("Writing data to new file ... ");
        exportInProgress_ = true;
        // The checks' tidying is one step of the history, as in Save As.
        document_.openJournal();
        undoAction_->setEnabled(false);
        redoAction_->setEnabled(false);
        ExportResult result;
        struct Finish {
            MainWindow &window;
            ~Finish()
            {
                window.recordTidying();
                window.exportInProgress_ = false;
                window.busyBanner_->hide();
                window.endBusy();
                window.undoAction_->setEnabled(window.history_->canUndo());
                window.redoAction_->setEnabled(window.history_->canRedo());
                window.refreshGrid();
            }
        };
        {
            const Finish finish{*this};
            WindowProgress progress(*progressPanel_, platform_,
                                    QStringLiteral("Exporting to ")
                                        + QFile::decodeName(QByteArray::fromStdString(target)),
                                    true, 2);
            WindowExportHost host(*this, progress);
            result = exportLogFile(document_, target, format, cabrillo, host);
        }
        setStatusText(StatusNotice, notice);
        if (result) {
            lastFolder_ = folderOf(target);
            showMessage("Information:",
                        std::string("The log was exported as ") + logFormatName(format) + " to "
                            + target + ".");
            return;
        }
        if (result.status == ExportStatus::Stopped) {
            showMessage("Information:", "Export was stopped: no file was written.");
            return;
        }
        showMessage("Problem:", fileNotSavedMessage(result));
    });
}

}  // namespace vaziduvu
