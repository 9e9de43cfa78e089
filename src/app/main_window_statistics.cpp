// View > Statistics: the log's figures in a window beside the grid, which
// follows the edits; a double-click on a figure shows its contacts.
#include "app/grid_delegate.h"
#include "app/grid_model.h"
#include "app/main_window.h"
#include "app/preferences.h"
#include "app/qt_text.h"
#include "app/statistics_window.h"
#include "document/log_statistics.h"
#include "export/writers.h"
#include "platform/platform.h"

#include <QAction>
#include <QGuiApplication>
#include <QItemSelection>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTableView>
#include <QTimer>

#include <algorithm>
#include <cctype>

namespace vaziduvu {

namespace {

constexpr int kRefreshDelay = 300;  // milliseconds after the last change

// What writing a chart's image needs of the window: its messages and the
// kind of drive of the target.
class ChartFileHost : public ExportHost {
public:
    ChartFileHost(Platform &platform, QWidget *owner)
        : platform_(platform)
        , owner_(owner)
    {
    }
    void showMessage(const std::string &header, const std::string &text) override
    {
        platform_.showMessageBox(owner_, header, text);
    }
    void showPlainMessage(const std::string &text) override
    {
        platform_.showPlainMessage(owner_, text);
    }
    void selectCell(int, int) override { }
    void showProgress(const std::string &, bool) override { }
    bool omitEmptyFieldTags() const override { return false; }
    std::string exportDate() override { return platform_.shortDateToday(); }
    int latestYear() override { return platform_.currentYear() + 1; }
    DriveType driveTypeOf(const std::string &path) override { return platform_.driveTypeOf(path); }

private:
    Platform &platform_;
    QWidget *owner_;
};

bool endsWith(const std::string &text, const std::string &end)
{
    return text.size() >= end.size()
        && std::equal(end.rbegin(), end.rend(), text.rbegin(), [](char a, char b) {
               return a == std::tolower(static_cast<unsigned char>(b));
           });
}

}  // namespace

void MainWindow::showStatistics()
{
    guarded("Could not show the statistics.", [this] {
        gridDelegate_->commitOpenEditor();
        ensureStatisticsWindow();
        refreshStatistics();
        statisticsWindow_->show();
        statisticsWindow_->raise();
        statisticsWindow_->activateWindow();
        storePreferences();
    });
}

void MainWindow::ensureStatisticsWindow()
{
    if (statisticsWindow_ != nullptr)
        return;
    statisticsWindow_ = new StatisticsWindow(this);
    if (preferences_)
        statisticsWindow_->showTab(preferences_->statisticsTab());
    connect(statisticsWindow_, &StatisticsWindow::contactsChosen, this,
            [this](const ContactSelection &selection, const QString &description) {
                guarded("Could not show the contacts.",
                        [&] { showContacts(contactRows(document_, selection), description); });
            });
    connect(statisticsWindow_, &StatisticsWindow::saveChartRequested, this,
            &MainWindow::saveStatisticsChart);
    connect(statisticsWindow_, &StatisticsWindow::tabChosen, this,
            &MainWindow::rememberPanelChoices);
    statisticsRefreshTimer_ = new QTimer(this);
    statisticsRefreshTimer_->setObjectName("statisticsRefreshTimer");
    statisticsRefreshTimer_->setSingleShot(true);
    statisticsRefreshTimer_->setInterval(kRefreshDelay);
    connect(statisticsRefreshTimer_, &QTimer::timeout, this, &MainWindow::refreshStatistics);
    placeStatisticsWindow();
}

void MainWindow::placeStatisticsWindow()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    const QRect area = screen->availableGeometry();
    const QRect frame = frameGeometry();
    const int width = statisticsWindow_->frameGeometry().width();
    const int top = std::clamp(frame.top(), area.top(),
                               std::max(area.top(), area.bottom() - statisticsWindow_->height()));
    if (frame.right() + width <= area.right()) {
        statisticsWindow_->move(frame.right() + 1, top);
    } else if (frame.left() - width >= area.left()) {
        statisticsWindow_->move(frame.left() - width, top);
    } else if (!isMaximized() && !isFullScreen() && frame.width() + width <= area.width()) {
        // Neither side has room: the main window moves left to make it.
        move(area.right() + 1 - width - frame.width(), frame.top());
        statisticsWindow_->move(frameGeometry().right() + 1, top);
    } else {
        statisticsWindow_->move(std::max(area.left(), area.right() + 1 - width), top);
    }
}

void MainWindow::scheduleStatisticsRefresh()
{
    if (statisticsWindow_ != nullptr && statisticsWindow_->isVisible())
        statisticsRefreshTimer_->start();
}

void MainWindow::refreshStatistics()
{
    if (statisticsWindow_ == nullptr)
        return;
    if (longOperationDepth_ > 0 || exportInProgress_) {
        // Not inside a running load, save or check: once it has ended.
        statisticsRefreshTimer_->start();
        return;
    }
    guarded("Could not count the log.", [this] {
        if (!document_.documentOpen()) {
            statisticsWindow_->showNoLog();
            return;
        }
        statisticsWindow_->setStatistics(LogStatistics::of(document_), document_.textEncoding());
    });
}

void MainWindow::showContacts(const std::vector<int> &rows, const QString &description)
{
    QItemSelection selection;
    for (size_t first = 0; first < rows.size();) {
        size_t last = first;
        while (last + 1 < rows.size() && rows[last + 1] == rows[last] + 1)
            ++last;
        selection.select(gridModel_->index(rows[first] - 1, 0),
                         gridModel_->index(rows[last] - 1, 0));
        first = last + 1;
    }
    QItemSelectionModel *selected = gridView_->selectionModel();
    selected->select(selection, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    if (!rows.empty()) {
        const QModelIndex firstCell = gridModel_->index(rows.front() - 1, 0);
        selected->setCurrentIndex(firstCell, QItemSelectionModel::NoUpdate);
        gridView_->scrollTo(firstCell);
        recordColumnCurrent_ = false;
        showCurrentCellPosition();
    }
    if (statisticsWindow_)
        statisticsWindow_->setNote(
            rows.empty() ? QStringLiteral("No contacts of %1.").arg(description)
                : rows.size() == 1
                ? QStringLiteral("1 contact of %1 is selected in the grid.").arg(description)
                : QStringLiteral("%1 contacts of %2 are selected in the grid.")
                      .arg(rows.size())
                      .arg(description));
}

void MainWindow::saveStatisticsChart()
{
    guarded("Could not save the chart.", [this] {
        if (statisticsWindow_ == nullptr || !statisticsWindow_->chartShown())
            return;
        FileDialogOptions options;
        options.defaultExtension = "png";
        options.filter = "PNG images (*.png)|*.png|SVG images (*.svg)|*.svg";
        options.initialDirectory = dialogFolder();
        const std::optional<std::string> chosen
            = platform_.chooseSaveFile(statisticsWindow_, options);
        if (!chosen)
            return;
        const bool svg = endsWith(*chosen, ".svg");
        const std::string path = svg || endsWith(*chosen, ".png") ? *chosen : *chosen + ".png";
        const QByteArray image = statisticsWindow_->chartImage(svg);
        ChartFileHost host(platform_, statisticsWindow_);
        const ExportResult written
            = writeExportFile(path, std::string_view(image.constData(), image.size()), host);
        if (!written) {
            platform_.showMessageBox(statisticsWindow_, "Problem:",
                                     "The chart could not be saved.\r\n" + written.reason);
            return;
        }
        statisticsWindow_->setNote(
            QStringLiteral("The chart was saved to %1.").arg(toQt(path, document_.textEncoding())));
    });
}

}  // namespace vaziduvu
