// What the window remembers between starts, File > Recent Logs and
// Help > Restore Default Settings.
#include "app/check_panel.h"
#include "app/duplicates_panel.h"
#include "app/main_window.h"
#include "app/preferences.h"
#include "app/statistics_window.h"
#include "platform/platform.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSplitter>
#include <QTableView>
#include <QTimer>

namespace vaziduvu {

namespace {

const char *const kResetQuestion
    = "Restore the default settings?\r\nThe window's size and panels, the folder of the file "
      "dialogs, the grid font, the options and the list of recent logs go back to how they are "
      "at a first start. Your logs and any unsaved data stay as they are.";

QString decodedPath(const std::string &path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}

std::string encodedPath(const QString &path)
{
    return QFile::encodeName(path).toStdString();
}

}  // namespace

void MainWindow::usePreferences(Preferences &preferences)
{
    preferences_ = &preferences;

    recentLogsMenu_ = new QMenu(QStringLiteral("Recent &Logs"), this);
    recentLogsMenu_->setObjectName("recentLogsMenu");
    fileMenu_->insertMenu(action(Command::New), recentLogsMenu_);
    clearRecentLogsAction_ = new QAction(QStringLiteral("&Clear List"), this);
    clearRecentLogsAction_->setObjectName("clearRecentLogsAction");
    connect(clearRecentLogsAction_, &QAction::triggered, this, &MainWindow::clearRecentLogs);
    // Whether a log is still there is asked each time the menu opens.
    connect(recentLogsMenu_, &QMenu::aboutToShow, this, &MainWindow::fillRecentLogsMenu);

    resetSettingsAction_ = new QAction(QStringLiteral("Restore &Default Settings"), this);
    resetSettingsAction_->setObjectName("resetSettingsAction");
    resetSettingsAction_->setStatusTip(
        QStringLiteral("Forget the window's size, panels, font, folder, options and recent logs"));
    connect(resetSettingsAction_, &QAction::triggered, this, &MainWindow::restoreDefaultSettings);
    helpMenu_->addSeparator();
    helpMenu_->addAction(resetSettingsAction_);

    for (QAction *option : {action(Command::SyntaxHighlighting), action(Command::OmitEmptyTags)})
        connect(option, &QAction::toggled, this, [this] { storePreferences(); });

    restorePreferences();
    fillRecentLogsMenu();
}

QStringList MainWindow::recentLogs() const
{
    return preferences_ ? preferences_->recentLogs() : QStringList();
}

void MainWindow::restorePreferences()
{
    restoringPreferences_ = true;
    const QByteArray geometry = preferences_->windowGeometry();
    if (!geometry.isEmpty())
        restoreGeometry(geometry);
    if (preferences_->checkLogOpen())
        ensureCheckPanel();
    if (preferences_->duplicatesOpen())
        ensureDuplicatesPanel();
    const QByteArray state = preferences_->windowState();
    if (!state.isEmpty())
        restoreState(state);
    if (checkPanel_) {
        checkPanel_->setVisible(preferences_->checkLogOpen());
        runCheck(false);
    }
    if (duplicatesPanel_) {
        duplicatesPanel_->setVisible(preferences_->duplicatesOpen());
        showDuplicateGroups();
    }
    if (const QByteArray split = preferences_->gridSplit(); !split.isEmpty())
        contentSplitMoved_ = contentSplitter_->restoreState(split);
    if (const QByteArray split = preferences_->reportSplit(); !split.isEmpty())
        reportSplitter_->restoreState(split);
    lastFolder_ = encodedPath(preferences_->lastFolder());
    if (const std::optional<QFont> font = preferences_->gridFont()) {
        applyGridFont(*font);
        const int height = std::abs(QFontInfo(*font).pixelSize());
        if (height > 0)
            gridView_->verticalHeader()->setDefaultSectionSize(height + 4);
    }
    action(Command::SyntaxHighlighting)->setChecked(preferences_->syntaxHighlighting());
    action(Command::OmitEmptyTags)->setChecked(preferences_->omitEmptyTags());
    if (preferences_->currentAdif())
        setAdifMode(AdifMode::Current);
    restoringPreferences_ = false;
    // Beside the window, once the window has its place.
    if (preferences_->statisticsOpen())
        QTimer::singleShot(0, this, [this] {
            ensureStatisticsWindow();
            refreshStatistics();
            statisticsWindow_->show();
        });
}

void MainWindow::storePreferences()
{
    if (!preferences_ || restoringPreferences_)
        return;
    preferences_->setWindowGeometry(saveGeometry());
    preferences_->setWindowState(saveState());
    preferences_->setCheckLogOpen(checkPanel_ && !checkPanel_->isHidden());
    preferences_->setDuplicatesOpen(duplicatesPanel_ && !duplicatesPanel_->isHidden());
    preferences_->setStatisticsOpen(statisticsWindow_ && statisticsWindow_->isVisible());
    preferences_->setGridSplit(contentSplitMoved_ ? contentSplitter_->saveState() : QByteArray());
    preferences_->setReportSplit(reportSplitter_->saveState());
    preferences_->setLastFolder(decodedPath(lastFolder_));
    const QFont font = gridView_->font();
    preferences_->setGridFont(font == startGridFont_ ? std::nullopt : std::optional<QFont>(font));
    preferences_->setSyntaxHighlighting(action(Command::SyntaxHighlighting)->isChecked());
    preferences_->setOmitEmptyTags(action(Command::OmitEmptyTags)->isChecked());
    preferences_->sync();
}

void MainWindow::rememberPanelChoices()
{
    if (!preferences_ || restoringPreferences_)
        return;
    if (duplicatesPanel_)
        preferences_->setDuplicateMinutes(duplicatesPanel_->window());
    if (statisticsWindow_)
        preferences_->setStatisticsTab(statisticsWindow_->shownTab());
    preferences_->sync();
}

void MainWindow::rememberAdifMode()
{
    if (!preferences_)
        return;
    preferences_->setCurrentAdif(adifMode_ == AdifMode::Current);
    preferences_->sync();
}

void MainWindow::rememberRecentLog(const std::string &path)
{
    if (!preferences_)
        return;
    const QString absolute = QFileInfo(decodedPath(path)).absoluteFilePath();
    // A copy restored from the recovery folder is no log of the user's.
    if (!recoveryFolder_.empty() && absolute.startsWith(decodedPath(recoveryFolder_) + "/"))
        return;
    preferences_->setRecentLogs(Preferences::withRecentLog(preferences_->recentLogs(), absolute));
    preferences_->setLastFolder(decodedPath(lastFolder_));
    preferences_->sync();
    fillRecentLogsMenu();
}

void MainWindow::fillRecentLogsMenu()
{
    if (!recentLogsMenu_)
        return;
    recentLogsMenu_->clear();
    const QStringList recent = preferences_->recentLogs();
    int number = 0;
    for (const QString &path : recent) {
        ++number;
        QString text = path;
        text.replace(QLatin1Char('&'), QStringLiteral("&&"));
        if (number < 10)
            text = QStringLiteral("&%1  %2").arg(number).arg(text);
        QAction *entry = recentLogsMenu_->addAction(text);
        entry->setData(path);
        // A log that is gone stays listed, greyed, until the list is cleared.
        const bool there = QFileInfo(path).isFile();
        entry->setEnabled(there);
        if (!there)
            entry->setToolTip(QStringLiteral("The file is no longer there"));
        connect(entry, &QAction::triggered, this, [this, path] { openFile(encodedPath(path)); });
    }
    if (!recent.isEmpty())
        recentLogsMenu_->addSeparator();
    recentLogsMenu_->addAction(clearRecentLogsAction_);
    clearRecentLogsAction_->setEnabled(!recent.isEmpty());
}

void MainWindow::clearRecentLogs()
{
    if (!preferences_)
        return;
    preferences_->setRecentLogs({});
    preferences_->sync();
    fillRecentLogsMenu();
}

void MainWindow::restoreDefaultSettings()
{
    guarded("Could not restore the default settings.", [this] {
        if (!preferences_ || !platform_.confirm(this, kResetQuestion))
            return;
        preferences_->clear();
        if (isMaximized() || isFullScreen())
            showNormal();
        resize(startSize_);
        if (const QScreen *screen = QGuiApplication::primaryScreen()) {
            const QRect area = screen->geometry();
            move(area.x() + (area.width() - width()) / 2,
                 area.y() + (area.height() - height()) / 2);
        }
        if (checkPanel_) {
            checkPanel_->setFloating(false);
            addDockWidget(Qt::BottomDockWidgetArea, checkPanel_);
            checkPanel_->hide();
        }
        restoringPreferences_ = true;
        if (duplicatesPanel_) {
            duplicatesPanel_->setFloating(false);
            addDockWidget(Qt::BottomDockWidgetArea, duplicatesPanel_);
            duplicatesPanel_->setWindow(DuplicatesPanel::kDefaultWindow);
            duplicatesPanel_->hide();
        }
        if (statisticsWindow_) {
            statisticsWindow_->showTab(0);
            statisticsWindow_->hide();
        }
        restoringPreferences_ = false;
        contentSplitMoved_ = false;
        const int half = reportSplitter_->width() / 2;
        reportSplitter_->setSizes({half, reportSplitter_->width() - half});
        layoutChildren();
        lastFolder_.clear();
        applyGridFont(startGridFont_);
        loadReportView_->setFont(startReportFont_);
        sourceView_->setFont(startSourceFont_);
        gridView_->verticalHeader()->setDefaultSectionSize(startRowHeight_);
        restoringPreferences_ = true;
        action(Command::SyntaxHighlighting)->setChecked(false);
        action(Command::OmitEmptyTags)->setChecked(false);
        if (adifMode_ != AdifMode::Classic)
            setAdifMode(AdifMode::Classic);
        restoringPreferences_ = false;
        fillRecentLogsMenu();
    });
}

}  // namespace vaziduvu
