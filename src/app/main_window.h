#pragma once

#include "app/search_dialog.h"
#include "document/grid_change.h"
#include "document/log_document.h"
#include "document/recovery_journal.h"
#include "document/search.h"
#include "export/quick_fixes.h"

#include <QColor>
#include <QMainWindow>
#include <QPointer>

#include <array>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>

class QAction;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QSplitter;
class QStatusBar;
class QTableView;
class QTimer;
class QToolBar;
class QUndoCommand;
class QUndoStack;

namespace vaziduvu {

enum class LogFormat;
struct CabrilloWriteOptions;
class AboutBox;
class AdifFile;
class CheckPanel;
class DuplicatesPanel;
class FilterBar;
class ProgressPanel;
class GridDelegate;
class GridModel;
class Platform;
class Preferences;
class ShapeWidget;
class StatisticsWindow;

// The main window: the open log as a grid with the load report and the
// source view below it, the menu, the toolbar, the status bar and the change
// light. Every command is one QAction (found by its objectName, for example
// "openAction"), shared by menu and toolbar, with one slot. Every modal
// interaction goes through the Platform given at construction.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    static const QColor kGreen;   // data saved
    static const QColor kYellow;  // data possibly not saved

    // The window's commands, each one QAction shared by menu and toolbar
    // (found by tests by its objectName too). The Help menu's entries are
    // switched off with the document commands while the toolbar's About and
    // Help buttons never are, so the menu has entries of its own for these
    // two, bound to the same slots.
    enum class Command {
        Open,
        New,
        SaveAs,
        CloseCurrent,
        Exit,
        AddColumn,
        ClearColumn,
        AddCopiedRow,
        AddBlankRow,
        Search,
        FindNext,
        ShowComment,
        EditComment,
        Font,
        SyntaxHighlighting,
        OmitEmptyTags,
        CurrentAdif,
        ImportCabrillo,
        ImportAdx,
        ImportCsv,
        ExportAdx,
        ExportCsv,
        ExportCabrillo,
        About,
        Help,
        AboutMenuEntry,
        HelpMenuEntry,
        DeleteRows,
        DeleteColumn,
        CheckLog,
        Statistics,
        Filter,
        SortLog,
        FindDuplicates,
        AppendLog,
        Undo,
        Redo,
        Count,
        Separator,  // not a command: a line between groups of a menu or the toolbar
    };
    QAction *action(Command command) const;

    // The status bar's panels, left to right.
    enum StatusPanel : int {
        StatusCellPosition,  // "row : column" of the current cell
        StatusFileSize,      // the loaded file's size, or why it did not load
        StatusNotice,        // length discrepancies; a save's progress
        kStatusPanelCount
    };
    // The grid's and the text views' shares of the height at the start.
    static constexpr int kGridShare = 25;
    static constexpr int kReportShare = 15;

    explicit MainWindow(Platform &platform, QWidget *parent = nullptr);
    ~MainWindow() override;

    LogDocument &document() { return document_; }
    const LogDocument &document() const { return document_; }
    Platform &platform() { return platform_; }

    // --- what the user sees ---------------------------------------------------
    bool changeLightYellow() const;
    bool changeLightVisible() const;
    bool exportInProgress() const { return exportInProgress_; }
    std::string caption() const;
    std::string statusText(int panel) const;
    std::string loadReportText() const { return loadReportText_; }
    std::string sourceViewText() const { return sourceViewText_; }
    // The grid's current cell in grid coordinates (column 0 and row 0 are
    // the fixed record-number column and field-name row).
    int currentColumn() const;
    int currentRow() const;
    // Source-view selection in file-text offsets (start, length).
    std::pair<int, int> sourceSelection() const;
    int gridRowHeight() const;

    // Brings the window to the front and opens the log as File > Open does
    // (asking first about unsaved data); an empty path only brings the
    // window forward. For a log named on the command line, handed over by a
    // second start, or dropped on the window.
    void openFile(const std::string &path);

    // The ADIF the window reads and checks logs by, from the next load on
    // (Classic until set). A Current-mode load shows a UTF-8 log decoded and
    // lets its cells hold any character and the brackets < and >.
    // Also checks or clears Format > Current ADIF (3.1.6); the caption ends
    // in kCurrentAdifCaptionMark while the mode is on.
    void setAdifMode(AdifMode mode);
    static constexpr QLatin1StringView kCurrentAdifCaptionMark{"  [Current ADIF 3.1.6]"};
    AdifMode adifMode() const { return adifMode_; }

    // Makes the cell current and scrolls to it; column 0 selects the row.
    // Cells outside the grid are ignored.
    void selectCell(int column, int row);

    // Remembers the window between starts in `preferences` (kept by the
    // caller, alive as long as the window): restores the size, the panels,
    // the folder, the grid font and the options now, writes them as they
    // change and on close, and adds File > Recent Logs and Help > Restore
    // Default Settings. Without it the window remembers nothing.
    void usePreferences(Preferences &preferences);
    // The recent logs, newest first (empty without preferences).
    QStringList recentLogs() const;

    // Keeps a recovery journal of every unsaved change in `folder` (made
    // when missing): written while the log has unsaved changes, removed by
    // Save As, Close Current, an answered discard and a clean exit. Without
    // it no journal is kept.
    void useRecoveryFolder(const std::string &folder);
    // Offers the changes of every journal left in the folder by a program
    // that did not end cleanly: Yes restores them (one log; the others wait
    // for the next start), No removes them after a second question, Later
    // keeps them. A journal that cannot be read is kept and reported.
    void offerRecovery();
    // The journal kept now; empty when there is none.
    std::string recoveryJournalPath() const;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private slots:
    // One slot per command, named by what it does.
    void openLog();
    void newProject();
    void saveAs();
    void closeCurrent();
    void addColumn();
    void clearColumn();
    void addBlankRow();
    void addCopiedRow();
    void openSearch();
    // Runs the last search again from the cell after its hit (F3).
    void findNext();
    void chooseGridFont();
    void toggleSyntaxHighlighting();
    void toggleOmitEmptyTags();
    void toggleCurrentAdif();
    void showAbout();
    void showHelp();
    void showCellComment();
    void editCellComment();
    // Removes the selected rows (or the current one) after a question.
    void deleteRows();
    // Removes the current column after a question.
    void deleteColumn();
    // Lists every problem the export checks find in the Check Log panel.
    void checkWholeLog();
    void refreshCheck();
    // Opens the Statistics window (View > Statistics, F8) with the figures
    // of the open log; it follows the edits 300 ms after each change.
    void showStatistics();
    void refreshStatistics();
    void importCabrillo();
    void importAdx();
    void importCsv();
    void exportAdx();
    void exportCsv();
    void exportCabrillo();
    // Shows the filter bar and puts the caret in it; hides it (showing
    // every contact) when it has the focus already.
    void toggleFilterBar();
    // Reorders the contacts themselves by the columns chosen (one step).
    void sortLog();
    // Lists the groups of contacts logged twice in the Find Duplicates panel.
    void findDuplicates();
    // Keeps the fullest contact of each group and removes the others (one step).
    void deleteDuplicates();
    // Unites a group into one contact, its values picked side by side (one step).
    void mergeDuplicateGroup(int group);
    // Reads another log into the open one (one step), then offers Find Duplicates.
    void appendLog();
    void restoreDefaultSettings();
    void clearRecentLogs();

private:
    friend class WindowExportHost;

    // --- construction -------------------------------------------------------
    void createWidgets();
    void createActions();
    void createMenus();
    void createToolBar();
    void addCommands(QWidget *to, std::initializer_list<Command> commands);
    void setUpStartState();
    void placeStatusPanels();
    // The window's rules for placing every child at the current size.
    void layoutChildren();
    // The checks made on every activation: drive, system version, memory.
    void checkEnvironment();
    // Turns the document commands (menu entries and toolbar buttons) on or off.
    void setDocumentCommandsEnabled(bool enabled);

    // --- loading --------------------------------------------------------------
    void openLogFrom(const std::optional<std::string> &path);
    // The unsaved-data question, then the file (given, or chosen in the open
    // dialog) read in its form: ADIF is opened, the others are imported.
    void openLogFrom(const std::optional<std::string> &path, LogFormat format);
    // Loads the given log, or the one chosen in the open dialog; a Cabrillo
    // log after its preview.
    void chooseAndLoadFile(const std::optional<std::string> &given, LogFormat format);
    // Reads an ADX, CSV or Cabrillo file into the document through the one
    // way a log is opened; the load report lists what was read and every
    // line that was not.
    void importFile(const std::string &path, LogFormat format, const std::string &templateName);
    // The Cabrillo preview: the template chosen, nullopt when cancelled.
    std::optional<std::string> previewCabrillo(const std::string &path);
    // File > Export: the checks, then a new file in the form.
    void exportLog(LogFormat format);
    // Asks what a Cabrillo export needs and the log does not say; false: cancelled.
    bool askCabrilloDetails(CabrilloWriteOptions &options);
    // Where the file dialogs start: the folder last used, at first the
    // current directory.
    std::string dialogFolder() const;
    void loadFile(const std::string &path);
    void resetDocument();
    void clearGrid();
    void showEmptyGrid();
    bool enoughMemory();
    void beginBusy();
    void endBusy();
    void startNewProject();
    // True when a row may be added (a document is open, below the row
    // limit), after saying why not; commits the open editor first.
    bool rowMayBeAdded();

    // --- load report and source view ----------------------------------------
    void appendLoadReport(const std::string &text);
    // The load report's counts of a file read: header markers, brackets,
    // end-of-record markers, a last record without its marker.
    static std::string loadStatistics(const AdifFile &file);
    // Shows the file's text; of a file too large to show whole, the part
    // around the position (its beginning, or the part around an error).
    void showSourceText(const std::string &text, int32_t position);
    void selectSourceLine(int position);
    void showBusyBanner(const std::string &caption);
    void openSourceDisplay();
    void setLoadReport(const std::string &text);
    void setSourceView(const std::string &text);

    // --- preferences -------------------------------------------------------------
    void restorePreferences();
    void storePreferences();
    // The mode chosen in the menu (not one given on the command line).
    void rememberAdifMode();
    void rememberRecentLog(const std::string &path);
    void fillRecentLogsMenu();
    // The grid, its headings and the two text views take the font.
    void applyGridFont(const QFont &font);
    // The Check Log panel, made once when first needed.
    void ensureCheckPanel();
    // The Find Duplicates panel and the Statistics window, made once when
    // first needed, with the choices remembered.
    void ensureDuplicatesPanel();
    void ensureStatisticsWindow();
    // A choice made in a panel, kept at once.
    void rememberPanelChoices();

    // --- grid ---------------------------------------------------------------
    void showCurrentCellPosition();
    void handleGridKey(int key);
    void noteEditorText(int column, int row, std::string_view text);
    std::string limitEditedText(const std::string &text);
    // The same limit in characters for a UTF-8 document.
    QString limitEditedText(const QString &text);
    // What an edit of the cell stores, or nullopt when it is refused (text a
    // log cannot hold); a real change marks the data changed.
    std::optional<std::string> acceptEdit(int column, int row, const QString &text);
    void markDataChanged();
    void setChangeLight(bool visible, const QColor &color = QColor());
    void refreshGrid();
    // Column widths that fit heading and content (from a sample of rows),
    // within a sensible maximum; done for every log shown.
    void fitColumnWidths();
    void setStatusText(StatusPanel panel, const std::string &text);
    // The message boxes, the input box and the search window follow the
    // document's text encoding.
    void useDocumentEncoding();
    QString captionWithoutMode() const;

    // --- edit history ----------------------------------------------------------
    void createHistory();
    // Empties the history; its start is the state loaded or last saved
    // (startsSaved) or one never saved (a new project).
    void clearHistory(bool startsSaved);
    void markHistorySaved();
    // Closes the document's journal of what an export's checks tidied and
    // keeps it as a step when they changed anything.
    void recordTidying();
    // Runs the operation and records what it changed in the region as one
    // step (merged with the previous step when both edit the one cell
    // column, row). Returns false when nothing changed (no step).
    bool recordChange(const std::string &what, GridRegion region,
                      const std::function<void()> &operation, int column = -1, int row = -1);
    // Keeps a recorded change as a step of the history (nothing when it is
    // empty); column and row name the one cell of an edit that may merge.
    void pushChange(const QString &what, GridChange change, int column = -1, int row = -1);
    // Pushes a step on the history and keeps it in the recovery journal.
    void pushStep(QUndoCommand *command);
    // --- recovery journal -------------------------------------------------------
    // Brings the journal up to the history: starts it at the first unsaved
    // step (with every step so far), records undos and redos, ends it when
    // the log is back to its saved state.
    void journalHistory();
    void startJournal();
    void endJournal();
    // Restores the journal's steps onto its log; false when nothing was restored.
    bool restoreJournal(const std::string &path, const JournalContents &contents);
    // Replays the steps onto the log as loaded; the first that does not fit
    // stops it (problem says which).
    bool replaySteps(const std::vector<JournalStep> &steps, std::string &problem);
    // After an undo or redo: refresh the grid, show the cell.
    void showChangedCell(int column, int row);
    // The light and the unsaved flag follow the history.
    void followHistory();
    std::vector<int> selectedRows() const;
    // After every change of the document: the Check Log list and the
    // Statistics window, where shown, follow it a moment later.
    void scheduleCheckRefresh();
    void scheduleStatisticsRefresh();
    // Beside the main window: right of it, left of it, or, where neither
    // side has room, with the main window moved left to make room.
    void placeStatisticsWindow();
    // Shows the contacts of the given document rows (1..) in the grid: they
    // are selected and the first is scrolled to. The one way the Statistics
    // window shows the contacts behind a figure.
    void showContacts(const std::vector<int> &rows, const QString &description);
    void saveStatisticsChart();
    // Checks a copy of the log and fills the Check Log panel; a check asked
    // for with F7 can be stopped.
    void runCheck(bool stoppable);
    // Makes the quick fix of the Check Log panel's line, or every fix of
    // its kind, as one step of the history.
    void fixProblems(int line, bool allLikeIt);
    // While a long operation lets events run, the user can reach only its
    // Stop button: the menus, the toolbar and the grid wait, and a close
    // request asks the operation to stop.
    void beginLongOperation();
    void endLongOperation();
    // The menus, toolbar, grid and check panel wait while one runs.
    void setCommandsWaiting(bool waiting);
    // Holds the window in a long operation for its lifetime.
    class LongOperation {
    public:
        explicit LongOperation(MainWindow &window)
            : window_(window)
        {
            window_.beginLongOperation();
        }
        ~LongOperation() { window_.endLongOperation(); }
        LongOperation(const LongOperation &) = delete;
        LongOperation &operator=(const LongOperation &) = delete;

    private:
        MainWindow &window_;
    };
    QString replaceInColumn(const SearchDialog::ReplaceRequest &request);

    // --- view order, filter and duplicates ------------------------------------
    void createHousekeeping();
    // Header click: ascending, descending, file order.
    void sortByHeading(int section);
    // Recomputes the rows the grid shows from the sort and the filter,
    // keeping the current cell where it is still shown.
    void applyView();
    // Forgets the sort and the filter (a new log).
    void resetView();
    bool viewNarrowed() const;
    // A command goes to a contact the filter hides: the filter is cleared
    // so that the contact can be shown.
    void showFilteredOutRow();
    // The rows of the duplicate groups, by the panel's window.
    std::vector<int> duplicateRows();
    int duplicateWindow() const;
    // Fills the Find Duplicates panel (when it is there) from the log as it is.
    void showDuplicateGroups();
    // Extra space the filter bar takes above the grid.

    // --- saving, columns, search, closing ------------------------------------
    bool saveToNewFile();
    bool runAddColumnDialog();
    // True when the text was found (the cell is then selected).
    bool search(const std::string &text, bool findNext, bool matchCase);
    bool mayClose();
    void releaseOnClose();
    void showMessage(const std::string &header, const std::string &text);
    // Runs a command body; a failure that escapes it is reported with the
    // message given (header "Problem:") instead of leaving the command.
    void guarded(const char *failureMessage, const std::function<void()> &body);

    Platform &platform_;
    LogDocument document_;
    std::unique_ptr<AdifFile> adifFile_;
    GridModel *gridModel_ = nullptr;
    GridDelegate *gridDelegate_ = nullptr;

    // --- widgets ---------------------------------------------------------------
    QWidget *client_ = nullptr;  // everything below the menu bar
    QToolBar *toolBar_ = nullptr;
    QTableView *gridView_ = nullptr;
    QWidget *cornerButton_ = nullptr;  // the grid's top-left corner
    QPlainTextEdit *loadReportView_ = nullptr;
    QPlainTextEdit *sourceView_ = nullptr;
    ShapeWidget *changeLight_ = nullptr;
    ShapeWidget *changeLightFrame_ = nullptr;  // holds the light
    QSplitter *contentSplitter_ = nullptr;     // the grid above, the text views below
    QSplitter *reportSplitter_ = nullptr;      // the load report left, the source view right
    QWidget *gridArea_ = nullptr;              // keeps the grid's place while it is hidden
    bool contentSplitMoved_ = false;           // the user has dragged the boundary
    QStatusBar *statusBar_ = nullptr;
    QLabel *statusPanels_[kStatusPanelCount] = {};
    QLabel *changeLegend_ = nullptr;
    QLabel *busyBanner_ = nullptr;
    QLabel *startupImage_ = nullptr;
    QLabel *startupTitle_ = nullptr;
    AboutBox *aboutBox_ = nullptr;
    SearchDialog *searchDialog_ = nullptr;
    CheckPanel *checkPanel_ = nullptr;
    std::vector<FoundProblem> checkFound_;  // the panel's lines, with their fixes
    ProgressPanel *progressPanel_ = nullptr;
    QTimer *checkRefreshTimer_ = nullptr;
    StatisticsWindow *statisticsWindow_ = nullptr;
    QTimer *statisticsRefreshTimer_ = nullptr;
    QUndoStack *history_ = nullptr;
    FilterBar *filterBar_ = nullptr;
    QTimer *filterTimer_ = nullptr;
    DuplicatesPanel *duplicatesPanel_ = nullptr;
    Preferences *preferences_ = nullptr;
    std::string recoveryFolder_;
    std::unique_ptr<RecoveryJournal> journal_;
    JournalSource journalSource_;  // the log shown, as loaded
    std::shared_ptr<const std::string> journalText_;
    int journalIndex_ = 0;  // the history's index the journal has reached
    bool pushingStep_ = false;
    bool replaying_ = false;
    // Every step of the history can be written to a journal and replayed (a
    // step that cannot ends the journal until the history is saved or
    // cleared: no journal rather than a wrong one).
    bool historyJournalable() const;
    QMenu *recentLogsMenu_ = nullptr;
    QAction *resetSettingsAction_ = nullptr;
    QAction *clearRecentLogsAction_ = nullptr;
    // The fonts of a first start, for Restore Default Settings.
    QFont startGridFont_;
    QFont startReportFont_;
    QFont startSourceFont_;
    QSize startSize_;
    bool restoringPreferences_ = false;
    int startRowHeight_ = 0;

    // --- menus and commands ----------------------------------------------------
    QMenu *fileMenu_ = nullptr;
    QMenu *editMenu_ = nullptr;
    QMenu *formatMenu_ = nullptr;
    QMenu *viewMenu_ = nullptr;
    QMenu *importMenu_ = nullptr;
    QMenu *exportMenu_ = nullptr;
    QMenu *helpMenu_ = nullptr;
    // Every command's action, by its id; the history makes Undo and Redo.
    std::array<QAction *, static_cast<size_t>(Command::Count)> actions_{};
    QAction *undoAction_ = nullptr;
    QAction *redoAction_ = nullptr;

    // --- state ---------------------------------------------------------------
    SearchPosition searchPosition_;
    std::string lastSearchText_;
    bool lastSearchMatchCase_ = false;
    std::string loadReportText_;   // the load report, byte for byte
    std::string sourceViewText_;   // the source view, byte for byte
    int64_t sourceViewShift_ = 0;  // file offset minus view offset of the shown text
    std::pair<int, int> sourceSelection_{0, 0};
    std::string lastFolder_;  // of the last log opened or saved
    bool exportInProgress_ = false;
    bool recordColumnCurrent_ = false;  // a search hit a record-number cell
    int busyDepth_ = 0;
    bool historyResetting_ = false;
    int longOperationDepth_ = 0;
    QPointer<QWidget> focusBeforeWaiting_;
    bool historyStartsSaved_ = true;
    AdifMode adifMode_ = AdifMode::Classic;
    int sortColumn_ = -1;  // grid column the view is sorted by; -1: file order
    bool sortDescending_ = false;
};

}  // namespace vaziduvu
