// Opening a log: the open command, the load into the grid and the document
// reset.
#include "adif/adif_file.h"
#include "app/grid_delegate.h"
#include "app/grid_model.h"
#include "app/main_window.h"
#include "app/progress_panel.h"
#include "app/qt_text.h"
#include "app/search_dialog.h"
#include "app/shape_widget.h"
#include "document/open_log.h"
#include "export/file_system.h"
#include "formats/log_format.h"
#include "platform/platform.h"

#include <QAction>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTableView>
#include <QTimer>

#include <filesystem>

namespace vaziduvu {

namespace {

constexpr int kBusyRetry = 200;  // milliseconds

const char *const kSaveNowQuestion
    = "Your current data has not been saved by exporting it to a file. \r\n Do you wish to save "
      "your data now?";
const char *const kLoadFailedStatus = " If your file did not load, fix the format violation ... ";
// Logs are named .adi, .adif or .badi, in either case.
const char *const kOpenFilter = "ADIF logs|*.adi;*.adif;*.badi|All files|*";

const char *openFilterOf(LogFormat format)
{
    switch (format) {
    case LogFormat::Adx:
        return "ADX logs|*.adx|All files|*";
    case LogFormat::Csv:
        return "CSV tables|*.csv|All files|*";
    case LogFormat::Cabrillo:
        return "Cabrillo logs|*.log;*.cbr|All files|*";
    case LogFormat::Adif:
        break;
    }
    return kOpenFilter;
}

}  // namespace

void MainWindow::openLog()
{
    openLogFrom(std::nullopt);
}

void MainWindow::openFile(const std::string &path)
{
    if (longOperationDepth_ > 0 || exportInProgress_) {
        // A log handed over or dropped while the window is busy waits for
        // the operation to end.
        QTimer::singleShot(kBusyRetry, this, [this, path] { openFile(path); });
        return;
    }
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
    if (!path.empty())
        openLogFrom(path);
}

void MainWindow::openLogFrom(const std::optional<std::string> &given)
{
    openLogFrom(given, LogFormat::Adif);
}

void MainWindow::openLogFrom(const std::optional<std::string> &given, LogFormat format)
{
    guarded("Could not open the file.", [this, &given, format] {
        // Text still in the cell editor is part of the data the question is about.
        gridDelegate_->commitOpenEditor();
        if (changeLightYellow()) {
            if (platform_.confirm(this, kSaveNowQuestion)) {
                if (!saveToNewFile())
                    return;
                setChangeLight(true, kGreen);
                chooseAndLoadFile(given, format);
            } else {
                const int resets = document_.resetCount();
                setChangeLight(true, kGreen);
                chooseAndLoadFile(given, format);
                // Nothing was opened: the document (edits or a new project) is
                // still there and still unsaved, so the light must keep asking
                // before it is thrown away.
                if (document_.resetCount() == resets)
                    setChangeLight(true, kYellow);
            }
            return;
        }
        if (document_.documentOpen())
            setChangeLight(true);
        changeLight_->setBrushColor(kGreen);
        chooseAndLoadFile(given, format);
        document_.setUnsavedChanges(false);
    });
}

void MainWindow::chooseAndLoadFile(const std::optional<std::string> &given, LogFormat format)
{
    // Whatever happens, the busy banner and cursor go when the load ends.
    struct BusyEnd {
        MainWindow &window;
        ~BusyEnd()
        {
            window.busyBanner_->hide();
            while (window.busyDepth_ > 0)
                window.endBusy();
        }
    } busyEnd{*this};
    std::optional<std::string> chosen = given;
    if (!chosen) {
        FileDialogOptions options;
        options.defaultExtension = defaultExtensionOf(format);
        options.filter = openFilterOf(format);
        options.mustExist = true;
        options.initialDirectory = dialogFolder();
        if (options.initialDirectory.empty())
            return;
        chosen = platform_.chooseOpenFile(this, options);
        if (!chosen)
            return;
    }
    const std::string &path = *chosen;
    std::string templateName;
    if (!path.empty() && format == LogFormat::Cabrillo) {
        const std::optional<std::string> previewed = previewCabrillo(path);
        if (!previewed)
            return;
        templateName = *previewed;
    }
    if (!path.empty()) {
        lastFolder_ = folderOf(path);
        beginBusy();
        showBusyBanner(format == LogFormat::Adif ? "Loading Data from File ... "
                                                 : "Importing Data from File ... ");
        if (format == LogFormat::Adif)
            loadFile(path);
        else
            importFile(path, format, templateName);
    }
    if (document_.documentOpen()) {
        std::error_code error;
        const auto size = format == LogFormat::Adif
            ? static_cast<std::uintmax_t>(adifFile_->fileSize())
            : std::filesystem::file_size(path, error);
        setStatusText(StatusFileSize,
                      "Current file size >>> " + std::to_string(error ? 0 : size) + " bytes ");
        setStatusText(StatusNotice,
                      document_.anyLengthDiscrepancy()
                          ? " Length discrepencies found (in yellow text) "
                          : "");
    } else {
        gridView_->hide();
        setStatusText(StatusCellPosition, "");  // no cell position of a log that is not shown
        setStatusText(StatusFileSize, kLoadFailedStatus);
        setStatusText(StatusNotice, "");  // no discrepancy notice for a log that is not shown
    }
    setWindowTitle(QStringLiteral(" File: ") + QFile::decodeName(QByteArray::fromStdString(path)));
}

void MainWindow::loadFile(const std::string &path)
{
    if (!enoughMemory()) {
        showMessage("Problem:",
                    "Your machine does not have enough memory left to run this "
                    "program efficiently.  Program will exit.");
        close();
        return;
    }
    adifFile_.reset();
    resetDocument();
    adifFile_ = std::make_unique<AdifFile>();
    OpenStatus status = OpenStatus::FormatError;
    {
        // A large log shows how far reading and filling have come, and can
        // be stopped: nothing is then loaded.
        const LongOperation busy(*this);
        WindowProgress progress(*progressPanel_, platform_,
                                QStringLiteral("Opening ")
                                    + QFile::decodeName(QByteArray::fromStdString(path)),
                                true, 2);
        OpenSteps steps;
        steps.reading = &progress;
        steps.filling = &progress;
        steps.betweenSteps = [&progress] { progress.nextPart(); };
        status = openLogInto(path, adifMode_, *adifFile_, document_, steps);
    }
    useDocumentEncoding();
    if (status == OpenStatus::Cancelled) {
        adifFile_.reset();
        resetDocument();
        setLoadReport("Loading was cancelled: nothing was loaded.");
        setSourceView("");
        refreshGrid();
        return;
    }
    if (status == OpenStatus::TooBig) {
        appendLoadReport(kTooBigReport);
        // The view must not go on showing the text of an earlier log.
        setSourceView("");
        refreshGrid();
        return;
    }
    if (status == OpenStatus::Loaded) {
        appendLoadReport("");
        setChangeLight(true);
        refreshGrid();
        setDocumentCommandsEnabled(true);
        fitColumnWidths();
        // Every load starts on its first cell, drawn as the current one.
        selectCell(1, 1);
        rememberRecentLog(path);
        const QFileInfo source(QFile::decodeName(QByteArray::fromStdString(path)));
        journalSource_ = JournalSource{};
        journalSource_.path = QFile::encodeName(source.absoluteFilePath()).toStdString();
        journalSource_.size = static_cast<int64_t>(adifFile_->fileSize());
        journalSource_.modifiedNs = source.lastModified().toMSecsSinceEpoch() * 1000000;
        journalSource_.mode = adifMode_;
        if (const auto loaded = adifFile_->loadedText())
            journalText_ = std::shared_ptr<const std::string>(loaded, &loaded->source);
        setStatusText(StatusCellPosition, "1 : 1");
        startupImage_->hide();
        startupTitle_->hide();
        // Typing goes to the log, not to a panel that was open before it came.
        gridView_->setFocus();
    } else {
        appendLoadReport(
            outcomeReportText(adifFile_->result().status, adifFile_->result().position));
    }
    const int32_t shownPosition = status == OpenStatus::Loaded ? 0 : adifFile_->result().position;
    showSourceText(adifFile_->sourceText(), shownPosition);
    // The light and its legend speak of a shown log: a refused one has none.
    setChangeLight(status == OpenStatus::Loaded, kGreen);
    selectSourceLine(shownPosition);
    document_.setUnsavedChanges(false);
}

void MainWindow::resetDocument()
{
    guarded("Could not close session properly.", [this] {
        journalSource_ = JournalSource{};
        journalSource_.mode = adifMode_;
        journalText_.reset();
        document_.reset();
        resetView();
        clearHistory(true);
        scheduleCheckRefresh();
        useDocumentEncoding();
        refreshGrid();
        setDocumentCommandsEnabled(false);
        showEmptyGrid();
        setChangeLight(true, kGreen);
        startupImage_->show();
        startupTitle_->show();
    });
}

void MainWindow::setAdifMode(AdifMode mode)
{
    adifMode_ = mode;
    document_.setAdifMode(mode);
    {
        QSignalBlocker quiet(action(Command::CurrentAdif));
        action(Command::CurrentAdif)->setChecked(mode == AdifMode::Current);
    }
    // The caption says when the mode is on (event() keeps it so).
    setWindowTitle(captionWithoutMode()
                   + (mode == AdifMode::Current ? QString(kCurrentAdifCaptionMark) : QString()));
    scheduleCheckRefresh();
}

void MainWindow::toggleCurrentAdif()
{
    guarded("Could not change the ADIF mode.", [this] {
        const bool on = action(Command::CurrentAdif)->isChecked();
        setAdifMode(on ? AdifMode::Current : AdifMode::Classic);
        rememberAdifMode();
        if (document_.documentOpen())
            showMessage("Information:",
                        on ? "Current ADIF (3.1.6) is on: every check and save from now on "
                             "uses the vocabulary of ADIF 3.1.6.\r\nIts reading rules (UTF-8 "
                             "text, < and > inside values) apply to the next log you open."
                           : "Current ADIF (3.1.6) is off: every check and save from now on uses "
                             "the program's own vocabulary.\r\nThe next log you open is read "
                             "by the program's own rules.");
    });
}

QString MainWindow::captionWithoutMode() const
{
    QString title = windowTitle();
    if (title.endsWith(kCurrentAdifCaptionMark))
        title.chop(kCurrentAdifCaptionMark.size());
    return title;
}

void MainWindow::useDocumentEncoding()
{
    platform_.setTextEncoding(document_.textEncoding());
    if (searchDialog_)
        searchDialog_->setTextEncoding(document_.textEncoding());
}

void MainWindow::clearGrid()
{
    document_.clearGrid();
    refreshGrid();
}

void MainWindow::showEmptyGrid()
{
    document_.showEmptyGrid();
    refreshGrid();
    for (QWidget *widget :
         std::initializer_list<QWidget *>{gridView_, sourceView_, statusBar_, loadReportView_})
        widget->show();
    setLoadReport("Summary of file ... \r\n");
}

std::string MainWindow::dialogFolder() const
{
    return lastFolder_.empty() ? platform_.currentDirectory() : lastFolder_;
}

bool MainWindow::enoughMemory()
{
    const MemoryStatus status = platform_.memoryStatus();
    if (!status.ok)
        return false;
    return status.availableVirtual >= 100000000ULL && status.availablePhysical >= 15000000ULL
        && status.availablePageFile >= 100000000ULL && status.totalPhysical >= 100000000ULL;
}

void MainWindow::beginBusy()
{
    ++busyDepth_;
    platform_.beginBusyCursor();
}

void MainWindow::endBusy()
{
    if (busyDepth_ == 0)
        return;
    --busyDepth_;
    platform_.endBusyCursor();
}

void MainWindow::refreshGrid()
{
    const bool hadCells = gridModel_->rowCount() > 0 && gridModel_->columnCount() > 0;
    if (viewNarrowed() || !gridModel_->showsAllRows())
        applyView();
    gridModel_->reload();
    // A freshly filled grid starts on its first data cell, as the status bar says.
    if (!hadCells && gridModel_->rowCount() > 0 && gridModel_->columnCount() > 0
        && !gridView_->currentIndex().isValid())
        gridView_->setCurrentIndex(gridModel_->index(0, 0));
    if (cornerButton_)
        cornerButton_->update();
}

}  // namespace vaziduvu
