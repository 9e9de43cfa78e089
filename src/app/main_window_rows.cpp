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

void TForm1::AddRow1Click()
{
    try {
        if (ToolButton7->isEnabled())
            ToolButton7Click();
        else
            ShowMessageBox("Problem:", kOpenFirst);
    } catch (...) {
        ShowMessageBox("Problem:", "Problem adding a row to the grid");
    }
}

void TForm1::ToolButton7Click()
{
    try {
        AddBlankRow();
    } catch (...) {
        ShowMessageBox("Problem:", "Problem adding row to file ..");
    }
}

void TForm1::AddRowSameAsPrevious1Click()
{
    try {
        if (ToolButton8->isEnabled())
            ToolButton8Click();
        else
            ShowMessageBox("Problem:", kOpenFirst);
    } catch (...) {
        ShowMessageBox("Problem:", "Could not add row same as previous");
    }
}

void TForm1::ToolButton8Click()
{
    try {
        AddRowSameAsPrevious();
    } catch (...) {
        ShowMessageBox("Problem:", "Could not add [same] Row ... ");
    }
}

void TForm1::AddBlankRow()
{
    gridDelegate_->commitOpenEditor();
    if (document_.rowLimitReached()) {
        ShowMessageBox("Problem:", kRowLimit);
        return;
    }
    const int column = currentColumn();
    const int row = document_.appendBlankRow();
    if (row < 0)
        return;
    refreshGrid();
    SelectCell(column, row);
    MarkDataChanged();
}

void TForm1::AddRowSameAsPrevious()
{
    // The row above must be copied with what is typed in its editor.
    gridDelegate_->commitOpenEditor();
    if (document_.rowLimitReached()) {
        ShowMessageBox("Problem:", kRowLimit);
        return;
    }
    const int column = currentColumn();
    bool noRowAbove = false;
    const int row = document_.appendRowSameAsPrevious(noRowAbove);
    if (row < 0)
        return;
    refreshGrid();
    if (noRowAbove) {
        for (int c = 1; c < document_.columnCount(); ++c)
            ShowMessageBox("Problem:", "There is no row to mimic!");
    } else if (document_.columnCount() > 1) {
        MarkDataChanged();
    }
    SelectCell(column, row);
}

void TForm1::New1Click() { ToolButton9Click(); }

void TForm1::ToolButton9Click()
{
    try {
        gridDelegate_->commitOpenEditor();
        if (changeLightYellow()) {
            if (platform_.confirm(this, "Your current data has not been saved by exporting it to "
                                        "a file. \r\n Do you wish to save your data now?")) {
                if (!SaveToNewFile())
                    return;
            }
            SetChangeLight(true, kGreen);
            NewProject();
            return;
        }
        if (!document_.documentOpen())
            SetChangeLight(true);
        Shape1->setBrushColor(kGreen);
        Image1->hide();
        Label1->hide();
        NewProject();
        document_.setUnsavedChanges(false);
    } catch (...) {
        ShowMessageBox("Problem:", "Could not create new file");
    }
}

void TForm1::NewProject()
{
    try {
        adifFile_.reset();
        ResetDocument();
        adifFile_ = std::make_unique<AdifFile>();
        ShowEmptyGrid();
        // Trailers, counts (6 fields, 2 rows), the 6 x 2 grid, the default
        // record and the document-open flag.
        document_.newProject();
        exportInProgress_ = false;
        refreshGrid();

        Panel1->hide();
        SetDocumentButtons(true);
        // The menu offers the same document commands as the toolbar, so
        // "Save &As" and "&Close Current" work on a new project as they do on
        // a loaded file.
        SetDocumentMenus(true);
        SetChangeLight(true, kYellow);
        Label3->show();
        setLoadReport("New Project Started ...");
        setSourceView("");
        setWindowTitle("[NEW PROJECT]");
        Image1->hide();
        Label1->hide();
        SelectCell(1, 1);
    } catch (...) {
        ShowMessageBox("Problem:", "Could not create new project");
    }
}

}  // namespace vaziduvu
