// Opening a log: the open command, the load into the grid and the document
// reset.
#include "adif/adif_file.h"
#include "app/grid_model.h"
#include "app/main_window.h"
#include "app/qt_text.h"
#include "app/shape_widget.h"
#include "platform/platform.h"

#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTableView>

namespace vaziduvu {

namespace {

const char *const kSaveNowQuestion =
    "Your current data has not been saved by exporting it to a file. \r\n Do you wish to save "
    "your data now?";
const char *const kLoadFailedStatus = " If your file did not load, fix the format violation ... ";

}  // namespace

void TForm1::ToolButton1Click()
{
    try {
        Open1Click();
    } catch (...) {
    }
}

void TForm1::Open1Click()
{
    if (changeLightYellow()) {
        if (platform_.confirm(this, kSaveNowQuestion)) {
            if (!SaveToNewFile())
                return;
            SetChangeLight(true, kGreen);
            ChooseAndLoadFile();
        } else {
            const int resets = document_.resetCount();
            SetChangeLight(true, kGreen);
            ChooseAndLoadFile();
            // Nothing was opened: the document (edits or a new project) is
            // still there and still unsaved, so the light must keep asking
            // before it is thrown away.
            if (document_.resetCount() == resets)
                SetChangeLight(true, kYellow);
        }
        return;
    }
    if (document_.documentOpen())
        SetChangeLight(true);
    Shape1->setBrushColor(kGreen);
    ChooseAndLoadFile();
    document_.setUnsavedChanges(false);
}

void TForm1::ChooseAndLoadFile()
{
    try {
        FileDialogOptions options;
        options.defaultExtension = "adi";
        options.filter = "'.ADI' files (*.adi)|*.ADI|'.BADI' files (*.badi)|*.BADI";
        options.mustExist = true;
        options.initialDirectory = platform_.currentDirectory();
        if (options.initialDirectory.empty())
            return;
        const std::optional<std::string> chosen = platform_.chooseOpenFile(this, options);
        if (!chosen)
            return;
        const std::string &path = *chosen;
        if (!path.empty()) {
            BeginBusyCursor();
            ShowBusyCaption("Loading Data from File ... ");
            LoadFileIntoGrid(path);
            Panel1->hide();
            EndBusyCursor();
        }
        if (document_.documentOpen()) {
            setStatusText(1, "Current file size >>> " + std::to_string(adifFile_->fileSize())
                                 + " bytes ");
            setStatusText(2, HasLengthDiscrepancy()
                                 ? " Length discrepencies found (in yellow text) "
                                 : "");
        } else {
            StringGrid1->hide();
            setStatusText(1, kLoadFailedStatus);
            setStatusText(2, "");  // no discrepancy notice for a log that is not shown
        }
        setWindowTitle(QStringLiteral(" File: ") + QFile::decodeName(QByteArray::fromStdString(path)));
    } catch (...) {
        Panel1->hide();
        while (busyDepth_ > 0)
            EndBusyCursor();
    }
}

void TForm1::LoadFileIntoGrid(const std::string &path)
{
    try {
        if (!EnoughMemory()) {
            ShowMessageBox("Problem:", "Your machine does not have enough memory left to run this "
                                       "program efficiently.  Program will exit.");
            close();
            return;
        }
        adifFile_.reset();
        ResetDocument();
        adifFile_ = std::make_unique<AdifFile>();
        adifFile_->load(path);

        const LogDocument::FillResult result = document_.fillFrom(*adifFile_);
        if (result == LogDocument::FillResult::TooBig) {
            AppendLoadReport("\r\nFile not loaded ... \r\n >>> File too big or too many fields\r\n\r\n");
            // The view must not go on showing the text of an earlier log.
            setSourceView("");
            refreshGrid();
            return;
        }
        if (result == LogDocument::FillResult::Filled) {
            AppendLoadReport("");
            SetChangeLight(true);
            SetDocumentButtons(true);
            refreshGrid();
            SetDocumentMenus(true);
            setStatusText(0, "1 : 1");
            Label3->show();
            Image1->hide();
            Label1->hide();
        } else {
            AppendLoadReport(outcomeReportText(adifFile_->outcomeCode(),
                                               adifFile_->outcome().errorPosition));
        }
        ShowSourceText(adifFile_->sourceText());
        SetChangeLight(true, kGreen);
        SelectSourceLine(result == LogDocument::FillResult::Filled
                             ? 0
                             : adifFile_->outcome().errorPosition);
        document_.setUnsavedChanges(false);
    } catch (...) {
    }
}

void TForm1::ResetDocument()
{
    try {
        document_.reset();
        refreshGrid();
        SetDocumentMenus(false);
        SetDocumentButtons(false);
        ShowEmptyGrid();
        SetChangeLight(true, kGreen);
        Label3->hide();
        Image1->show();
        Label1->show();
    } catch (...) {
        ShowMessageBox("Problem:", "Could not close session properly.");
    }
}

void TForm1::ClearGrid()
{
    try {
        document_.clearGrid();
        refreshGrid();
    } catch (...) {
    }
}

void TForm1::ShowEmptyGrid()
{
    document_.showEmptyGrid();
    refreshGrid();
    for (QWidget *widget : std::initializer_list<QWidget *>{StringGrid1, RichEdit2, Shape4, Shape5,
                                                            Shape6, Shape7, StatusBar2, RichEdit1})
        widget->show();
    setLoadReport("Summary of file ... \r\n");
}

bool TForm1::EnoughMemory()
{
    const MemoryStatus status = platform_.memoryStatus();
    if (!status.ok)
        return false;
    return status.availableVirtual >= 100000000ULL && status.availablePhysical >= 15000000ULL
           && status.availablePageFile >= 100000000ULL && status.totalPhysical >= 100000000ULL;
}

void TForm1::BeginBusyCursor()
{
    ++busyDepth_;
    platform_.beginBusyCursor();
}

void TForm1::EndBusyCursor()
{
    if (busyDepth_ == 0)
        return;
    --busyDepth_;
    platform_.endBusyCursor();
}

void TForm1::refreshGrid()
{
    const bool hadCells = gridModel_->rowCount() > 0 && gridModel_->columnCount() > 0;
    gridModel_->reload();
    // A freshly filled grid starts on its first data cell, as the status bar says.
    if (!hadCells && gridModel_->rowCount() > 0 && gridModel_->columnCount() > 0
        && !StringGrid1->currentIndex().isValid())
        StringGrid1->setCurrentIndex(gridModel_->index(0, 0));
    if (cornerButton_)
        cornerButton_->update();
}

}  // namespace vaziduvu
