// What the window remembers between starts: a window closed with its
// settings changed and a new one on the same settings file look the same; a
// cleared file gives a first start. Recent Logs lists, greys and clears.
#include "app/check_panel.h"
#include "app/duplicates_panel.h"
#include "app/preferences.h"
#include "app/statistics_window.h"
#include "window_fixture.h"

#include <QApplication>
#include <QDockWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

namespace vaziduvu::test {
namespace {

const std::string kCleanLog = std::string(EXAMPLES_DIR) + "/clean-with-header.adi";

struct RecentCase {
    const char *name;
    QStringList before;
    QString opened;
    QStringList after;
};

class RecentListTest : public ::testing::TestWithParam<RecentCase> { };

TEST_P(RecentListTest, NewestFirstOnceAndAtMostTen)
{
    EXPECT_EQ(Preferences::withRecentLog(GetParam().before, GetParam().opened), GetParam().after);
}

QStringList numbered(int first, int last)
{
    QStringList list;
    for (int i = first; i <= last; ++i)
        list << QStringLiteral("/logs/%1.adi").arg(i);
    return list;
}

INSTANTIATE_TEST_SUITE_P(
    Recent, RecentListTest,
    ::testing::Values(RecentCase{"FirstLog", {}, "/a.adi", {"/a.adi"}},
                      RecentCase{"NewGoesFirst", {"/a.adi"}, "/b.adi", {"/b.adi", "/a.adi"}},
                      RecentCase{"AgainMovesUp",
                                 {"/a.adi", "/b.adi", "/c.adi"},
                                 "/c.adi",
                                 {"/c.adi", "/a.adi", "/b.adi"}},
                      RecentCase{"EleventhDropsOldest", numbered(1, 10), "/new.adi",
                                 QStringList{"/new.adi"} + numbered(1, 9)},
                      RecentCase{"NoPathNoChange", {"/a.adi"}, "", {"/a.adi"}}),
    [](const auto &info) { return std::string(info.param.name); });

class PreferencesTest : public WindowFixture {
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        settingsFile = folder.filePath("vaziduvu.conf");
        preferences = std::make_unique<Preferences>(settingsFile);
        form->usePreferences(*preferences);
        form->show();
        QApplication::processEvents();
    }

    // The program ends and starts again on the same settings, or with
    // --reset-settings.
    void restart(bool resetSettings = false)
    {
        form->close();
        form.reset();
        preferences = std::make_unique<Preferences>(settingsFile);
        if (resetSettings)
            preferences->clear();
        form = std::make_unique<MainWindow>(platform);
        form->usePreferences(*preferences);
        form->show();  // the splitters share out the room of a shown window
        QApplication::processEvents();
    }

    struct Look {
        QSize size;
        QString gridFont;
        bool syntaxHighlighting = false;
        bool omitEmptyTags = false;
        AdifMode mode = AdifMode::Classic;
        bool checkLogShown = false;
        Qt::DockWidgetArea checkLogArea = Qt::NoDockWidgetArea;
        double gridShare = 0;  // of the height the grid and the text views share
        bool duplicatesShown = false;
        int duplicateMinutes = DuplicatesPanel::kDefaultWindow;
        bool statisticsShown = false;
        int statisticsTab = 0;
    };

    Look look() const
    {
        Look seen;
        seen.size = form->size();
        seen.gridFont = gridView(*form)->font().toString();
        seen.syntaxHighlighting = action(*form, "syntaxHighlightingAction")->isChecked();
        seen.omitEmptyTags = action(*form, "omitEmptyTagsAction")->isChecked();
        seen.mode = form->adifMode();
        const QList<int> split = form->findChild<QSplitter *>("contentSplitter")->sizes();
        seen.gridShare = double(split[0]) / std::max(1, split[0] + split[1]);
        if (auto *panel = form->findChild<CheckPanel *>("checkPanel")) {
            seen.checkLogShown = !panel->isHidden();
            seen.checkLogArea = form->dockWidgetArea(panel);
        }
        if (auto *panel = form->findChild<DuplicatesPanel *>("duplicatesPanel")) {
            seen.duplicatesShown = !panel->isHidden();
            seen.duplicateMinutes = panel->window();
        }
        if (auto *statistics = form->findChild<StatisticsWindow *>()) {
            seen.statisticsShown = statistics->isVisible();
            seen.statisticsTab = statistics->shownTab();
        }
        return seen;
    }

    static void expectSame(const Look &a, const Look &b)
    {
        EXPECT_EQ(a.size, b.size);
        EXPECT_EQ(a.gridFont, b.gridFont);
        EXPECT_EQ(a.syntaxHighlighting, b.syntaxHighlighting);
        EXPECT_EQ(a.omitEmptyTags, b.omitEmptyTags);
        EXPECT_EQ(a.mode, b.mode);
        EXPECT_EQ(a.checkLogShown, b.checkLogShown);
        EXPECT_NEAR(a.gridShare, b.gridShare, 0.03);
        EXPECT_EQ(a.duplicatesShown, b.duplicatesShown);
        EXPECT_EQ(a.duplicateMinutes, b.duplicateMinutes);
        EXPECT_EQ(a.statisticsShown, b.statisticsShown);
        EXPECT_EQ(a.statisticsTab, b.statisticsTab);
        if (a.checkLogShown) {
            EXPECT_EQ(a.checkLogArea, b.checkLogArea);
        }
    }

    // Every setting the user can change, changed.
    void changeEverything()
    {
        open(kCleanLog);
        form->resize(900, 640);
        QFont chosen = gridView(*form)->font();
        chosen.setFamily(QStringLiteral("Monospace"));
        chosen.setPointSize(9);
        platform.queueFont(chosen);
        trigger(*form, "fontAction");
        platform.queueConfirm(true);
        trigger(*form, "syntaxHighlightingAction");
        platform.queueConfirm(true);
        trigger(*form, "omitEmptyTagsAction");
        trigger(*form, "currentAdifAction");
        trigger(*form, "checkLogAction");
        auto *panel = form->findChild<QDockWidget *>("checkPanel");
        ASSERT_NE(panel, nullptr);
        form->addDockWidget(Qt::RightDockWidgetArea, panel);
        auto *split = form->findChild<QSplitter *>("contentSplitter");
        const int room = split->sizes()[0] + split->sizes()[1];
        split->setSizes({room / 4, room - room / 4});  // the grid dragged smaller
        emit split->splitterMoved(room / 4, 1);
        changeChoices();
        QApplication::processEvents();
    }

    // The choices made in the Find Duplicates panel and the Statistics window.
    void changeChoices()
    {
        trigger(*form, "findDuplicatesAction");
        child<QSpinBox>(*form, "duplicateWindow")->setValue(12);
        trigger(*form, "statisticsAction");
        child<QTabWidget>(*form, "statisticsTabs")->setCurrentIndex(1);
    }

    QString settingsFile;
    std::unique_ptr<Preferences> preferences;
};

TEST_F(PreferencesTest, AStartAfterChangesLooksAsTheWindowWasLeft)
{
    const Look first = look();
    changeEverything();
    const Look changed = look();
    ASSERT_NE(changed.gridFont, first.gridFont);
    ASSERT_EQ(changed.checkLogArea, Qt::RightDockWidgetArea);
    ASSERT_LT(changed.gridShare, first.gridShare - 0.1);

    ASSERT_TRUE(changed.duplicatesShown && changed.statisticsShown);
    ASSERT_EQ(changed.duplicateMinutes, 12);
    ASSERT_EQ(changed.statisticsTab, 1);

    restart();
    expectSame(look(), changed);
    EXPECT_EQ(form->recentLogs(), QStringList{QString::fromStdString(kCleanLog)});
    // The open dialog starts in the folder of the log opened last time.
    trigger(*form, "openAction");
    const auto dialogs = platform.eventsOfKind(ScriptedPlatform::EventKind::OpenDialog);
    ASSERT_FALSE(dialogs.empty());
    EXPECT_EQ(dialogs.back().fileOptions.initialDirectory + "/clean-with-header.adi", kCleanLog);
}

TEST_F(PreferencesTest, ClearedSettingsAndRestoreDefaultsGiveAFirstStart)
{
    const Look first = look();
    changeEverything();
    restart(true);
    expectSame(look(), first);
    EXPECT_TRUE(form->recentLogs().isEmpty());

    changeEverything();
    platform.queueConfirm(true);
    trigger(*form, "resetSettingsAction");
    const Look reset = look();
    EXPECT_EQ(reset.size, first.size);
    EXPECT_EQ(reset.gridFont, first.gridFont);
    EXPECT_FALSE(reset.syntaxHighlighting || reset.omitEmptyTags || reset.checkLogShown);
    EXPECT_EQ(reset.mode, AdifMode::Classic);
    EXPECT_TRUE(form->recentLogs().isEmpty());
    restart();
    expectSame(look(), first);
}

TEST_F(PreferencesTest, ChoicesAreKeptWhenMadeNotOnlyAtTheEnd)
{
    open(kCleanLog);
    QFont chosen = gridView(*form)->font();
    chosen.setPointSize(chosen.pointSize() + 3);
    platform.queueFont(chosen);
    trigger(*form, "fontAction");
    platform.queueConfirm(true);
    trigger(*form, "syntaxHighlightingAction");
    trigger(*form, "currentAdifAction");
    changeChoices();
    const Look changed = look();

    // Killed: no close, no last write of the settings.
    form.reset();
    preferences = std::make_unique<Preferences>(settingsFile);
    form = std::make_unique<MainWindow>(platform);
    form->usePreferences(*preferences);
    form->show();
    QApplication::processEvents();
    const Look after = look();
    EXPECT_EQ(after.gridFont, changed.gridFont);
    EXPECT_TRUE(after.syntaxHighlighting);
    EXPECT_EQ(after.mode, AdifMode::Current);
    EXPECT_TRUE(after.duplicatesShown);
    EXPECT_EQ(after.duplicateMinutes, 12);
    EXPECT_TRUE(after.statisticsShown);
    EXPECT_EQ(after.statisticsTab, 1);
}

TEST_F(PreferencesTest, RecentLogsGreyWhatIsGoneAndClear)
{
    const std::string kept = writeFile("kept.adi", "<CALL:4>W1AW<EOR>");
    const std::string gone = writeFile("gone.adi", "<CALL:4>K1AB<EOR>");
    open(gone);
    open(kept);
    std::remove(gone.c_str());

    auto *menu = child<QMenu>(*form, "recentLogsMenu");
    ASSERT_NE(menu, nullptr);
    emit menu->aboutToShow();
    struct Entry {
        QString text;
        bool enabled;
    };
    std::vector<Entry> entries;
    for (QAction *item : menu->actions())
        entries.push_back({item->isSeparator() ? "-" : item->text(), item->isEnabled()});
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].text, "&1  " + QString::fromStdString(kept));
    EXPECT_TRUE(entries[0].enabled);
    EXPECT_EQ(entries[1].text, "&2  " + QString::fromStdString(gone));
    EXPECT_FALSE(entries[1].enabled);
    EXPECT_EQ(entries[3].text, "&Clear List");

    // An entry opens its log.
    trigger(*form, "closeCurrentAction");
    menu->actions().front()->trigger();
    EXPECT_TRUE(form->document().documentOpen());
    EXPECT_NE(form->caption().find("kept.adi"), std::string::npos);

    trigger(*form, "clearRecentLogsAction");
    EXPECT_TRUE(form->recentLogs().isEmpty());
    EXPECT_EQ(menu->actions().size(), 1);
    EXPECT_FALSE(action(*form, "clearRecentLogsAction")->isEnabled());
}

}  // namespace
}  // namespace vaziduvu::test
