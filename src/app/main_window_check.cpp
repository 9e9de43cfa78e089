// Check Log: every problem the export checks would meet, listed in a
// dockable panel without writing or changing anything; the list follows the
// edits.
#include "adif/text.h"
#include "app/check_panel.h"
#include "app/grid_delegate.h"
#include "app/main_window.h"
#include "app/progress_panel.h"
#include "app/qt_text.h"
#include "export/current_hint.h"
#include "export/quick_fixes.h"
#include "export/writers.h"
#include "platform/platform.h"

#include <QAction>
#include <QTableView>
#include <QTimer>

namespace vaziduvu {

namespace {

// The checks' surroundings when nothing is to be shown or written.
class QuietCheckHost : public ExportHost {
public:
    QuietCheckHost(Platform &platform, bool omitEmptyTags, Progress &progress)
        : platform_(platform)
        , omitEmptyTags_(omitEmptyTags)
        , progress_(progress)
    {
    }
    void showMessage(const std::string &, const std::string &) override { }
    void showPlainMessage(const std::string &) override { }
    void selectCell(int, int) override { }
    void showProgress(const std::string &, bool) override { }
    bool omitEmptyFieldTags() const override { return omitEmptyTags_; }
    std::string exportDate() override { return platform_.shortDateToday(); }
    int latestYear() override { return platform_.currentYear() + 1; }
    DriveType driveTypeOf(const std::string &) override { return DriveType::Fixed; }
    bool continueAfterRow(int row, int rows) override
    {
        rowsChecked_ = row;
        return progress_.advance(row, rows);
    }
    int rowsChecked() const { return rowsChecked_; }

private:
    Platform &platform_;
    bool omitEmptyTags_;
    Progress &progress_;
    int rowsChecked_ = 0;
};

const char *const kFixStopped = "Fixing stopped: the log is as it was.";

constexpr int kRefreshDelay = 300;  // milliseconds after the last change
constexpr int kPanelHeight = 170;   // pixels, at first
// Past this many cells a check takes long enough that it runs only when
// asked for (F7), not after every edit.
constexpr int64_t kAutomaticCheckCells = 250000;

}  // namespace

void MainWindow::checkWholeLog()
{
    guarded("Could not check the log.", [this] {
        gridDelegate_->commitOpenEditor();
        ensureCheckPanel();
        checkPanel_->show();
        checkPanel_->raise();
        runCheck(true);
        storePreferences();
    });
}

void MainWindow::ensureCheckPanel()
{
    if (checkPanel_ != nullptr)
        return;
    checkPanel_ = new CheckPanel(this);
    addDockWidget(Qt::BottomDockWidgetArea, checkPanel_);
    // A few lines of problems; the grid keeps most of the window.
    resizeDocks({checkPanel_}, {kPanelHeight}, Qt::Vertical);
    connect(checkPanel_, &CheckPanel::cellChosen, this, [this](int column, int row) {
        selectCell(column, row);
        gridView_->setFocus();
    });
    connect(checkPanel_, &CheckPanel::fixRequested, this,
            [this](int line) { fixProblems(line, false); });
    connect(checkPanel_, &CheckPanel::fixAllRequested, this,
            [this](int line) { fixProblems(line, true); });
    checkRefreshTimer_ = new QTimer(this);
    checkRefreshTimer_->setSingleShot(true);
    checkRefreshTimer_->setInterval(kRefreshDelay);
    connect(checkRefreshTimer_, &QTimer::timeout, this, &MainWindow::refreshCheck);
}

void MainWindow::scheduleCheckRefresh()
{
    scheduleStatisticsRefresh();
    if (checkPanel_ != nullptr && checkPanel_->isVisible())
        checkRefreshTimer_->start();
}

void MainWindow::refreshCheck()
{
    if (longOperationDepth_ > 0 || exportInProgress_) {
        // Not inside a running load, save or check: once it has ended.
        checkRefreshTimer_->start();
        return;
    }
    const int64_t cells
        = static_cast<int64_t>(document_.rowCount()) * std::max(1, document_.columnCount());
    if (checkPanel_ != nullptr && document_.documentOpen() && cells > kAutomaticCheckCells) {
        checkPanel_->setSummary(QStringLiteral(
            "The log has changed since this list was made: press F7 to check it again."));
        return;
    }
    runCheck(false);
}

void MainWindow::runCheck(bool stoppable)
{
    if (checkPanel_ == nullptr)
        return;
    guarded("Could not check the log.", [this, stoppable] {
        if (!document_.documentOpen()) {
            checkFound_.clear();
            checkPanel_->showNoLog();
            checkPanel_->setHint({});
            return;
        }
        std::vector<CheckPanel::Problem> shown;
        bool stopped = false;
        int rowsChecked = 0;
        {
            // The checks tidy the cells they pass; the grid must stay as it is.
            const LongOperation busy(*this);
            WindowProgress progress(*progressPanel_, platform_, QStringLiteral("Checking the log"),
                                    stoppable);
            QuietCheckHost host(platform_, action(Command::OmitEmptyTags)->isChecked(), progress);
            // The checks tidy what they pass (blanks, capitals, records for
            // blank cells); all of it is taken back, so the grid stays
            // exactly as it is without a copy of the log.
            checkFound_ = findQuickFixes(document_, host);
            stopped = progress.stopRequested();
            rowsChecked = host.rowsChecked();
            const TextEncoding encoding = document_.textEncoding();
            for (const FoundProblem &found : checkFound_) {
                const LogProblem &problem = found.problem;
                CheckPanel::Problem line;
                line.column = problem.column;
                line.row = problem.row;
                line.field = toQt(document_.text(problem.column, 0), encoding);
                if (problem.row > 0)
                    line.value = toQt(document_.text(problem.column, problem.row), encoding);
                line.message = toQt(problem.message, encoding);
                if (found.fix)
                    line.fix = toQt(found.fix->description, encoding);
                shown.push_back(std::move(line));
            }
        }
        checkPanel_->setProblems(shown);
        checkPanel_->setHint(toQt(currentAdifHint(document_, kCurrentAdifMenuRemedy)));
        if (stopped)
            checkPanel_->setSummary(
                QStringLiteral("Check stopped after %1 of %2 rows: %3 problems found so far.")
                    .arg(rowsChecked)
                    .arg(document_.rowCount() - 1)
                    .arg(shown.size()));
    });
}

void MainWindow::fixProblems(int line, bool allLikeIt)
{
    guarded("Could not fix the log.", [this, line, allLikeIt] {
        gridDelegate_->commitOpenEditor();
        if (line < 0 || line >= static_cast<int>(checkFound_.size())
            || !checkFound_[static_cast<size_t>(line)].fix)
            return;
        const QuickFix &chosen = *checkFound_[static_cast<size_t>(line)].fix;
        // Only mends whose cells still hold what the check saw: the list may
        // be older than the last edits.
        const auto current = [this](const QuickFix &fix) {
            for (const CellFix &cell : fix.cells) {
                if (cell.column > 0
                    && (cell.column >= document_.columnCount()
                        || upperText(trimText(document_.text(cell.column, 0))) != cell.field
                        || document_.text(cell.column, cell.row) != cell.before))
                    return false;
            }
            return true;
        };
        // Choosing the mends, then making them: two parts of one bar. A
        // stop in either leaves the log as it was.
        std::vector<FoundProblem> chosenOnes;
        std::vector<const QuickFix *> fixes;  // into chosenOnes
        AppliedFixes applied;
        {
            const LongOperation busy(*this);
            WindowProgress progress(*progressPanel_, platform_, QStringLiteral("Fixing the log"),
                                    true, 2);
            const auto problems = static_cast<int64_t>(checkFound_.size());
            for (size_t i = 0; i < checkFound_.size(); ++i) {
                if (!progress.advance(static_cast<int64_t>(i), problems)) {
                    checkPanel_->setFixReport(QString::fromLatin1(kFixStopped));
                    return;
                }
                const FoundProblem &found = checkFound_[i];
                if (found.fix && (allLikeIt ? found.fix->sameKind(chosen) : &*found.fix == &chosen)
                    && current(*found.fix))
                    chosenOnes.push_back(found);
            }
            fixes = fixesToApply(chosenOnes);
            if (fixes.empty()) {
                checkPanel_->setFixReport(
                    QStringLiteral("The log has changed since this list was made: press F7."));
                return;
            }
            progress.nextPart();
            document_.openJournal();
            try {
                applied = applyQuickFixes(document_, fixes, &progress);
            } catch (...) {
                // Guards the one step: a fix that failed half way is taken back.
                GridChange::fromJournal(document_).undo(document_);
                throw;
            }
        }
        if (applied.stopped) {
            GridChange::fromJournal(document_).undo(document_);
            refreshGrid();
            checkPanel_->setFixReport(QString::fromLatin1(kFixStopped));
            return;
        }
        const std::string kind = describeFixKind(fixes);
        pushChange(toQt((allLikeIt ? "Fix All: " : "Fix: ") + kind),
                   GridChange::fromJournal(document_));
        refreshGrid();
        fitColumnWidths();
        selectCell(chosen.cells.front().column > 0 ? chosen.cells.front().column
                                                   : chosen.anchorColumn,
                   chosen.cells.front().row);
        checkPanel_->setFixReport(toQt("Fixed " + std::to_string(applied.contacts)
                                       + (applied.contacts == 1 ? " contact: " : " contacts: ")
                                       + kind));
    });
}

}  // namespace vaziduvu
