// Check Log: every problem the export checks would meet, listed in a
// dockable panel without writing anything; the list follows the edits.
#include "app/check_panel.h"
#include "app/grid_delegate.h"
#include "app/main_window.h"
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
    QuietCheckHost(Platform &platform, bool omitEmptyTags)
        : platform_(platform)
        , omitEmptyTags_(omitEmptyTags)
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

private:
    Platform &platform_;
    bool omitEmptyTags_;
};

constexpr int kRefreshDelay = 300;  // milliseconds after the last change

}  // namespace

void MainWindow::checkWholeLog()
{
    guarded("Could not check the log.", [this] {
        gridDelegate_->commitOpenEditor();
        if (checkPanel_ == nullptr) {
            checkPanel_ = new CheckPanel(this);
            addDockWidget(Qt::BottomDockWidgetArea, checkPanel_);
            connect(checkPanel_, &CheckPanel::cellChosen, this, [this](int column, int row) {
                selectCell(column, row);
                gridView_->setFocus();
            });
            checkRefreshTimer_ = new QTimer(this);
            checkRefreshTimer_->setSingleShot(true);
            checkRefreshTimer_->setInterval(kRefreshDelay);
            connect(checkRefreshTimer_, &QTimer::timeout, this, &MainWindow::refreshCheck);
        }
        checkPanel_->show();
        checkPanel_->raise();
        refreshCheck();
    });
}

void MainWindow::scheduleCheckRefresh()
{
    if (checkPanel_ != nullptr && checkPanel_->isVisible())
        checkRefreshTimer_->start();
}

void MainWindow::refreshCheck()
{
    if (checkPanel_ == nullptr)
        return;
    guarded("Could not check the log.", [this] {
        if (!document_.documentOpen()) {
            checkPanel_->showNoLog();
            return;
        }
        std::vector<CheckPanel::Problem> shown;
        {
            // The checks tidy the cells they pass; the grid must stay as it is.
            LogDocument copy;
            copy.copyFrom(document_);
            QuietCheckHost host(platform_, omitEmptyTagsAction_->isChecked());
            for (const LogProblem &problem : checkLog(ExportFormat::Adif, copy, host)) {
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
    });
}

}  // namespace vaziduvu
