// Check Log: every problem the export checks would meet, listed in a
// dockable panel without writing or changing anything; the list follows the
// edits.
#include "app/check_panel.h"
#include "app/grid_delegate.h"
#include "app/main_window.h"
#include "app/progress_panel.h"
#include "app/qt_text.h"
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
    checkRefreshTimer_ = new QTimer(this);
    checkRefreshTimer_->setSingleShot(true);
    checkRefreshTimer_->setInterval(kRefreshDelay);
    connect(checkRefreshTimer_, &QTimer::timeout, this, &MainWindow::refreshCheck);
}

void MainWindow::scheduleCheckRefresh()
{
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
            checkPanel_->showNoLog();
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
            QuietCheckHost host(platform_, omitEmptyTagsAction_->isChecked(), progress);
            std::vector<LogProblem> found;
            {
                // The checks tidy what they pass (blanks, capitals, records
                // for blank cells); the journal takes all of it back, so the
                // grid stays exactly as it is without a copy of the log.
                document_.openJournal();
                struct TakeBack {
                    LogDocument &document;
                    ~TakeBack() { GridChange::fromJournal(document).undo(document); }
                } takeBack{document_};
                found = checkLog(ExportFormat::Adif, document_, host);
            }
            stopped = progress.stopRequested();
            rowsChecked = host.rowsChecked();
            for (const LogProblem &problem : found) {
                CheckPanel::Problem line;
                line.column = problem.column;
                line.row = problem.row;
                const TextEncoding encoding = document_.textEncoding();
                line.field = toQt(document_.text(problem.column, 0), encoding);
                if (problem.row > 0)
                    line.value = toQt(document_.text(problem.column, problem.row), encoding);
                line.message = toQt(problem.message, encoding);
                shown.push_back(std::move(line));
            }
        }
        checkPanel_->setProblems(shown);
        if (stopped)
            checkPanel_->setSummary(
                QStringLiteral("Check stopped after %1 of %2 rows: %3 problems found so far.")
                    .arg(rowsChecked)
                    .arg(document_.rowCount() - 1)
                    .arg(shown.size()));
    });
}

}  // namespace vaziduvu
