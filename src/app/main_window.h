#pragma once

#include "document/log_document.h"
#include "document/search.h"

#include <QColor>
#include <QMainWindow>

#include <memory>
#include <string>

class QAction;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QStatusBar;
class QTableView;
class QToolBar;

namespace vaziduvu {

class AdifFile;
class GridDelegate;
class GridModel;
class Platform;
class ShapeWidget;
class TAboutBox;
class TOKRightDlg2;

// The main window: the open log as a grid with the load report and the
// source view below it, the menu, the toolbar, the status bar and the change
// light. Components and handlers keep the names of the window design so the
// handlers read like the descriptions of the commands. Every modal
// interaction goes through the Platform given at construction.
class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    static const QColor kGreen;   // data saved
    static const QColor kYellow;  // data possibly not saved

    explicit TForm1(Platform &platform, QWidget *parent = nullptr);
    ~TForm1() override;

    LogDocument &document() { return document_; }
    Platform &platform() { return platform_; }
    AdifFile *adifFile() { return adifFile_.get(); }

    // --- components -------------------------------------------------------
    QWidget *client = nullptr;  // everything below the menu bar
    QToolBar *ToolBar1 = nullptr;
    QTableView *StringGrid1 = nullptr;
    QPlainTextEdit *RichEdit1 = nullptr;  // load report
    QPlainTextEdit *RichEdit2 = nullptr;  // source view
    ShapeWidget *Shape1 = nullptr;        // change light
    ShapeWidget *Shape2 = nullptr;
    ShapeWidget *Shape3 = nullptr;
    ShapeWidget *Shape4 = nullptr;        // divider between the two text views
    ShapeWidget *Shape5 = nullptr;
    ShapeWidget *Shape6 = nullptr;
    ShapeWidget *Shape7 = nullptr;
    QStatusBar *StatusBar2 = nullptr;
    QLabel *statusPanels[3] = {};
    QLabel *Label3 = nullptr;  // notice label
    QLabel *Panel1 = nullptr;  // busy panel
    QLabel *Image1 = nullptr;  // start-up picture
    QLabel *Label1 = nullptr;  // start-up title

    QMenu *File1 = nullptr;
    QMenu *Layout1 = nullptr;
    QMenu *Format1 = nullptr;
    QMenu *Import1 = nullptr;
    QMenu *Help1 = nullptr;
    QAction *Open1 = nullptr, *New1 = nullptr, *Save1 = nullptr, *CloseCurrent1 = nullptr,
            *Exit1 = nullptr;
    QAction *AddColumn1 = nullptr, *ClearColumn1 = nullptr, *N2 = nullptr,
            *AddRowSameAsPrevious1 = nullptr, *AddRow1 = nullptr, *Search1 = nullptr;
    QAction *Font1 = nullptr, *UseSyntaxHighlighting1 = nullptr, *Omitemptyfieldtags1 = nullptr;
    QAction *Cabrillo1 = nullptr;
    QAction *About1 = nullptr, *N1 = nullptr, *Overview1 = nullptr;
    QAction *ToolButton1 = nullptr, *ToolButton2 = nullptr, *ToolButton3 = nullptr,
            *ToolButton4 = nullptr, *ToolButton5 = nullptr, *ToolButton6 = nullptr,
            *ToolButton7 = nullptr, *ToolButton8 = nullptr, *ToolButton9 = nullptr,
            *ToolButton10 = nullptr, *ToolButton11 = nullptr, *ToolButton12 = nullptr;

    // --- state --------------------------------------------------------------
    bool changeLightYellow() const;
    bool changeLightVisible() const;
    bool exportInProgress() const { return exportInProgress_; }
    void setExportInProgress(bool running) { exportInProgress_ = running; }
    std::string caption() const;
    std::string statusText(int panel) const;
    std::string loadReportText() const { return loadReport_; }
    std::string sourceViewText() const { return sourceView_; }
    // The grid's current cell in grid coordinates (column 0 and row 0 are
    // the fixed record-number column and field-name row).
    int currentColumn() const;
    int currentRow() const;
    GridModel &gridModel() { return *gridModel_; }
    GridDelegate &gridDelegate() { return *gridDelegate_; }
    // Source-view selection in file-text offsets (start, length).
    std::pair<int, int> sourceSelection() const;

    // --- loading (open command) ----------------------------------------------
    void Open1Click();
    void ToolButton1Click();
    void ChooseAndLoadFile();
    void LoadFileIntoGrid(const std::string &path);
    void ResetDocument();
    void ClearGrid();
    void ShowEmptyGrid();
    bool EnoughMemory();
    void BeginBusyCursor();
    void EndBusyCursor();

    // --- load report and source view ---------------------------------------
    void AppendLoadReport(const std::string &text);
    void ShowSourceText(const std::string &text);
    void SelectSourceLine(int position);
    void ShowBusyCaption(const std::string &caption);
    void RichEdit2MouseDown();
    void UseSyntaxHighlighting1Click();
    void setLoadReport(const std::string &text);
    void setSourceView(const std::string &text);

    // --- grid display and editing ------------------------------------------
    void StringGrid1Click();
    void StringGrid1KeyDown(int key);
    void StringGrid1GetEditText(int column, int row, const std::string &text);
    std::string StringGrid1SetEditText(int column, int row, const std::string &text);
    void Font1Click();
    void MarkDataChanged();
    void SetChangeLight(bool visible, const QColor &color = QColor());
    void SelectCell(int column, int row);
    bool HasLengthDiscrepancy() const { return document_.HasLengthDiscrepancy(); }
    // The grid texts changed shape or content: show them again.
    void refreshGrid();
    int gridRowHeight() const;
    void setStatusText(int panel, const std::string &text);

    // --- saving ----------------------------------------------------------
    bool SaveToNewFile();
    void Save1Click();
    void ToolButton2Click();
    void Omitemptyfieldtags1Click();

    // --- window lifecycle ----------------------------------------------------
    void FormCreate();
    void FormActivate();
    void FormResize();
    bool FormCloseQuery();
    void FormClose();
    void CloseCurrent1Click();
    void Exit1Click();
    void SetDocumentMenus(bool enabled);
    void SetDocumentButtons(bool enabled);
    void ShowMessageBox(const std::string &header, const std::string &text);

    // --- help and about ------------------------------------------------------
    void About1Click();
    void ToolButton3Click();
    void Overview1Click();
    void ToolButton4Click();

    // --- columns ------------------------------------------------------------
    void AddColumn1Click();
    void ToolButton5Click();
    bool AddColumn();
    void ClearColumn1Click();
    void ToolButton6Click();

    // --- rows and new project ------------------------------------------------
    void AddRow1Click();
    void ToolButton7Click();
    void AddRowSameAsPrevious1Click();
    void ToolButton8Click();
    void AddBlankRow();
    void AddRowSameAsPrevious();
    void New1Click();
    void ToolButton9Click();
    void NewProject();

    // --- cell comments -------------------------------------------------------
    void ShowCellComment();
    void EditCellComment();
    void ToolButton10Click();
    void ToolButton11Click();

    // --- search ------------------------------------------------------------
    void Search1Click();
    void ToolButton12Click();
    void SearchCallback(const std::string &text, int findNext, int matchCase);
    TOKRightDlg2 *searchWindow() { return searchWindow_; }

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createComponents();
    void createActions();
    void createMenus();
    void createToolBar();
    void connectCommands();
    void placeStatusPanels();
    bool closeGuardAllows();

    Platform &platform_;
    LogDocument document_;
    std::unique_ptr<AdifFile> adifFile_;
    GridModel *gridModel_ = nullptr;
    GridDelegate *gridDelegate_ = nullptr;
    QWidget *cornerButton_ = nullptr;  // the grid's top-left corner
    TAboutBox *aboutBox_ = nullptr;
    TOKRightDlg2 *searchWindow_ = nullptr;
    SearchPosition searchPosition_;
    std::string loadReport_;  // RichEdit1's text, byte for byte
    std::string sourceView_;  // RichEdit2's text, byte for byte
    std::pair<int, int> sourceSelection_{0, 0};
    std::string lastSavedPath_;
    bool exportInProgress_ = false;
    bool recordColumnCurrent_ = false;  // a search hit a record-number cell
    bool closing_ = false;
    bool closeAccepted_ = false;
    int busyDepth_ = 0;
};

}  // namespace vaziduvu
